#!/usr/bin/env bash
# Runs the dump fuzzer (preset `fuzz`, built first) for SECONDS seconds on one
# core: arbitrary bytes read as each of the three compiled files and dumped.
# The working corpus grows in build/fuzz/dump-corpus; the seeds are the
# package's own compiled files (written at build time) and every earlier
# finding. A new finding lands in build/fuzz/dump-artifacts/ and fails the
# run: keep it in fuzz/dump-regressions/ once it is fixed.
#
#   scripts/fuzz-dump.sh SECONDS [extra libFuzzer flags...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
shift || true
build=build/fuzz
mkdir -p "$build/dump-corpus" "$build/dump-artifacts"

# -max_len: the smallest compiled line (7001 points never computed) has
# 28004 bytes, the seeds' short line some 36 KB; grids and record tables fit
# well within.
exec "$build/bin/dump_fuzzer" \
  -max_total_time="$seconds" \
  -timeout=10 \
  -rss_limit_mb=2048 \
  -max_len=40000 \
  -dict=fuzz/dump.dict \
  -print_final_stats=1 \
  -artifact_prefix="$build/dump-artifacts/" \
  "$@" \
  "$build/dump-corpus" "$build/dump-seeds" fuzz/dump-regressions
