# The package's commands. `make run` shows what a player gets; `make test`
# builds and checks everything on a fresh machine.
.PHONY: all run test test-native test-asan test-fuzz fuzz test-win64 dist deps format clean bench

all:
	cmake --preset native >/dev/null
	cmake --build --preset native

run: all
	rm -rf demo
	mkdir -p demo
	cp build/bin/belforte-melar-8312 demo/
	cd / && "$(CURDIR)/demo/belforte-melar-8312"
	ls -l demo

# The Windows build: the mingw-w64 cross compiler; its tests run the programs
# under wine on an Xvfb display, take a screenshot with ImageMagick and read its
# pixels with Python. Wine's own fonts have "MS Sans Serif" only up to 12 points:
# the 24-point label is drawn in Liberation Sans there, the same on every machine.
WIN64_BUILD_PACKAGES = g++-mingw-w64-x86-64-posix
WIN64_TEST_PACKAGES = wine64 fonts-wine fonts-liberation libxrender1 libxrandr2 xvfb imagemagick python3

deps:
	scripts/install-deps.sh $(WIN64_BUILD_PACKAGES) $(WIN64_TEST_PACKAGES)

test: deps test-native test-asan test-fuzz test-win64

test-native:
	cmake --preset native
	cmake --build --preset native
	ctest --preset native

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# A short session of each fuzz target (clang, ASan + UBSan), 30 seconds in
# all; `make fuzz FUZZ_SECONDS=600 [FUZZ_TARGET=readers_fuzzer]` for a long one.
FUZZ_SECONDS ?= 30
FUZZ_TARGET ?= compile_fuzzer
test-fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz-target.sh compile_fuzzer 20
	scripts/fuzz-target.sh readers_fuzzer 10

fuzz:
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz-target.sh $(FUZZ_TARGET) $(FUZZ_SECONDS)

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

# What players download: the .exe and a short readme, in one zip.
dist:
	scripts/install-deps.sh $(WIN64_BUILD_PACKAGES)
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 --target installer
	rm -rf dist
	mkdir -p dist/belforte-melar-8312
	cp build/win64/bin/belforte-melar-8312.exe packaging/LEGGIMI.txt dist/belforte-melar-8312/
	cd dist/belforte-melar-8312 && cmake -E tar cf ../belforte-melar-8312.zip --format=zip belforte-melar-8312.exe LEGGIMI.txt
	rm -rf dist/belforte-melar-8312
	@echo "dist/belforte-melar-8312.zip"

format:
	find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build demo dist
