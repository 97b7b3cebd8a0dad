#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# this machine lacks. Safe to run again: it installs only what is missing.
set -euo pipefail

needed=()
have() { command -v "$1" >/dev/null 2>&1; }
need_package() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed' || needed+=("$1"); }

have cmake || needed+=(cmake)
have ninja || needed+=(ninja-build)
have g++ || needed+=(g++)
have clang-format || needed+=(clang-format)
need_package googletest
need_package libgtest-dev
need_package libgmock-dev
# The compile fuzzer: clang with libFuzzer and the sanitizer runtimes.
have clang++ || needed+=(clang)
need_package libclang-rt-dev
# scenario-tool only: command-line parsing and JSON (header-only), and the
# browser its picture test opens the plot in.
need_package libcli11-dev
need_package nlohmann-json3-dev
need_package chromium

for extra in "$@"; do need_package "$extra"; done

if ((${#needed[@]})); then
  echo "installing: ${needed[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages (${needed[*]}) and not root: install them first" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${needed[@]}" >/dev/null
fi
