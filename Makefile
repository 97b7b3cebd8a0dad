# The package's commands. `make run` shows what a player gets; `make test`
# builds and checks everything on a fresh machine.
.PHONY: all run test test-native test-asan deps format clean bench

all:
	cmake --preset native >/dev/null
	cmake --build --preset native

run: all
	rm -rf demo
	mkdir -p demo
	cp build/bin/belforte-melar-8312 demo/
	cd / && "$(CURDIR)/demo/belforte-melar-8312"
	ls -l demo

deps:
	scripts/install-deps.sh

test: deps test-native test-asan

test-native:
	cmake --preset native
	cmake --build --preset native
	ctest --preset native

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# Prints the benchmark figures; both programs run even when the first one
# cannot measure, and the target fails if either could not.
bench:
	cmake --preset native >/dev/null
	cmake --build --preset native --target installer installer_bench compile_bench
	status=0; build/bin/installer_bench || status=1; build/bin/compile_bench || status=1; exit $$status

format:
	find src tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build demo dist
