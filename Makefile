# The package's commands. `make run` shows what a player gets; `make test`
# builds and checks everything on a fresh machine. `make`, `make run`, `make
# test` and `make dist` first install, as root, the Debian packages their work
# needs and the machine lacks (scripts/install-deps.sh lists them by group).
.PHONY: all run test test-native test-asan test-fuzz fuzz test-win64 dist deps format clean bench

# Without root nothing is installed: what is missing is listed, and the build
# leaves out what needs it (scenario-tool without its two libraries).
all:
	scripts/install-deps.sh --if-root build
	cmake --preset native >/dev/null
	cmake --build --preset native

run: all
	rm -rf demo
	mkdir -p demo
	cp build/bin/belforte-melar-8312 demo/
	cd / && "$(CURDIR)/demo/belforte-melar-8312"
	ls -l demo

# Everything the whole test run needs: the native and sanitizer builds, the
# fuzzer, the Windows cross build and its tests under wine.
deps:
	scripts/install-deps.sh all

test: deps test-native test-asan test-fuzz test-win64

test-native:
	cmake --preset native
	cmake --build --preset native
	ctest --preset native

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# A short session of each fuzz target (clang, ASan + UBSan): the compile step
# for 30 seconds, the readers, the dump and the payload for 10 each; `make fuzz
# FUZZ_SECONDS=600 [FUZZ_TARGET=readers|dump|payload]` for a long one.
FUZZ_SECONDS ?= 30
FUZZ_TARGET ?= compile
test-fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz.sh compile 30
	scripts/fuzz.sh readers 10
	scripts/fuzz.sh dump 10
	scripts/fuzz.sh payload 10

fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz.sh $(FUZZ_TARGET) $(FUZZ_SECONDS)

# Prints the benchmark figures; every program runs even when one before it
# cannot measure, and the target fails if any could not.
bench:
	cmake --preset native >/dev/null
	cmake --build --preset native --target installer installer_bench compile_bench hostile_texts_bench
	status=0; build/bin/installer_bench || status=1; build/bin/compile_bench || status=1; \
	  build/bin/hostile_texts_bench || status=1; exit $$status

# The .exe players get, and its tests under wine. One test compares the files the
# .exe leaves with those of the Linux installer, so that one is built too.
test-win64:
	cmake --preset native >/dev/null
	cmake --build --preset native --target installer
	cmake --preset win64
	cmake --build --preset win64
	ctest --preset win64

# What players download: the .exe and a short readme, in one zip; and what
# authors download: scenario-tool.exe (which makes packages for Windows and
# Linux) and its readme, in another.
dist:
	scripts/install-deps.sh win64
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 --target installer scenario_tool_main
	rm -rf dist
	mkdir -p dist/belforte-melar-8312 dist/scenario-tool
	cp build/win64/bin/belforte-melar-8312.exe packaging/LEGGIMI.txt dist/belforte-melar-8312/
	cd dist/belforte-melar-8312 && cmake -E tar cf ../belforte-melar-8312.zip --format=zip belforte-melar-8312.exe LEGGIMI.txt
	cp build/win64/bin/scenario-tool.exe dist/scenario-tool/
	cp packaging/scenario-tool-README.txt dist/scenario-tool/README.txt
	cd dist/scenario-tool && cmake -E tar cf ../scenario-tool.zip --format=zip scenario-tool.exe README.txt
	rm -rf dist/belforte-melar-8312 dist/scenario-tool
	@echo "dist/belforte-melar-8312.zip dist/scenario-tool.zip"

format:
	find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build demo dist
