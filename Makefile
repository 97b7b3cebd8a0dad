# The package's commands. `make run` shows what a player gets; `make test`
# builds and checks everything on a fresh machine.
.PHONY: all run test test-native test-asan test-fuzz fuzz deps format clean bench

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

test: deps test-native test-asan test-fuzz

test-native:
	cmake --preset native
	cmake --build --preset native
	ctest --preset native

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# A 30-second session of the compile fuzzer (clang, ASan + UBSan); `make fuzz
# FUZZ_SECONDS=600` for a long one.
FUZZ_SECONDS ?= 30
test-fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz-compile.sh 30

fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz-compile.sh $(FUZZ_SECONDS)

# Prints the benchmark figures; both programs run even when the first one
# cannot measure, and the target fails if either could not.
bench:
	cmake --preset native >/dev/null
	cmake --build --preset native --target installer installer_bench compile_bench
	status=0; build/bin/installer_bench || status=1; build/bin/compile_bench || status=1; exit $$status

format:
	find src tools bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build demo dist
