#!/usr/bin/env bash
# Runs the compile fuzzer for SECONDS seconds: scripts/fuzz-target.sh with
# the target compile_fuzzer.
#
#   scripts/fuzz-compile.sh SECONDS [extra libFuzzer flags...]
exec "$(dirname "$0")/fuzz-target.sh" compile_fuzzer "$@"
