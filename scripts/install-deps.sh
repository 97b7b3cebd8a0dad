#!/usr/bin/env bash
# Installs, from Debian's packages, what a part of the work needs and this
# machine lacks. Safe to run again: it installs only what is missing.
#
# Usage: scripts/install-deps.sh [--if-root] GROUP... [PACKAGE...]
#
#   build       the native build: compiler, CMake, Ninja, GoogleTest's sources,
#               and the two header-only libraries of scenario-tool
#   test        what the whole test run adds: clang-format, the fuzzer's clang
#               and sanitizer runtimes, the browser the plot test opens
#   win64       the Windows cross build (mingw-w64)
#   win64-test  the Windows programs under wine on a virtual display, the
#               screenshot and the reading of its pixels
#   all         every group
#
# Any other word is taken as a Debian package name. Installing needs root.
# Without root a missing package is an error; with --if-root it is only
# listed, and the build leaves out what needs it (`make`, `make run`).
set -euo pipefail

if_root=false
if [ "${1:-}" = --if-root ]; then
  if_root=true
  shift
fi

needed=()
have() { command -v "$1" >/dev/null 2>&1; }
need_package() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed' || needed+=("$1"); }

group_build() {
  have cmake || needed+=(cmake)
  have ninja || needed+=(ninja-build)
  have g++ || needed+=(g++)
  need_package googletest
  need_package libcli11-dev
  need_package nlohmann-json3-dev
}

group_test() {
  have clang-format || needed+=(clang-format)
  need_package libgtest-dev
  need_package libgmock-dev
  # The compile fuzzer: clang with libFuzzer and the sanitizer runtimes.
  have clang++ || needed+=(clang)
  need_package libclang-rt-dev
  # The browser scenario-tool's picture test opens the plot in.
  need_package chromium
}

group_win64() { need_package g++-mingw-w64-x86-64-posix; }

# Wine's own fonts have "MS Sans Serif" only up to 12 points: the wait
# window's 24-point label is drawn in Liberation Sans there, the same on every
# machine. ImageMagick takes the screenshot, Python reads its pixels.
group_win64_test() {
  for package in wine64 fonts-wine fonts-liberation libxrender1 libxrandr2 xvfb imagemagick python3; do
    need_package "$package"
  done
}

for word in "$@"; do
  case "$word" in
    build) group_build ;;
    test) group_test ;;
    win64) group_win64 ;;
    win64-test) group_win64_test ;;
    all) group_build && group_test && group_win64 && group_win64_test ;;
    *) need_package "$word" ;;
  esac
done

((${#needed[@]})) || exit 0
if [ "$(id -u)" -ne 0 ]; then
  if $if_root; then
    echo "not installed (run scripts/install-deps.sh as root to add them): ${needed[*]}" >&2
    exit 0
  fi
  echo "missing packages (${needed[*]}) and not root: install them first" >&2
  exit 1
fi
echo "installing: ${needed[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${needed[@]}" >/dev/null
