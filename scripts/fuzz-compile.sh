#!/usr/bin/env bash
# Runs the compile fuzzer (preset `fuzz`, built first) for SECONDS seconds on
# one core. The working corpus grows in build/fuzz/corpus; the seeds are the
# package's own texts (written at build time), the hand-written seeds and every
# earlier finding. A new finding lands in build/fuzz/artifacts/ and fails the
# run: keep it in fuzz/regressions/ once it is fixed.
#
#   scripts/fuzz-compile.sh SECONDS [extra libFuzzer flags...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
build=build/fuzz
mkdir -p "$build/corpus" "$build/artifacts"

# -timeout: one compile of the longest route the format allows (1 000 000 m)
# takes well under a second even instrumented; 10 s means a hang.
# -rss_limit_mb: that route's plan view and compiled line need some 100 MB.
exec "$build/bin/compile_fuzzer" \
  -max_total_time="$seconds" \
  -timeout=10 \
  -rss_limit_mb=2048 \
  -max_len=65536 \
  -dict=fuzz/compile.dict \
  -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" \
  "$@" \
  "$build/corpus" "$build/seeds" fuzz/seeds fuzz/regressions
