#!/usr/bin/env bash
# Runs one fuzz target (preset `fuzz`, built first) for SECONDS seconds on one
# core. Its working corpus grows in build/fuzz/corpus-TARGET; the seeds are the
# package's own texts (written at build time), the hand-written seeds and every
# earlier finding. A new finding lands in build/fuzz/artifacts/ and fails the
# run: keep it in fuzz/regressions/ once it is fixed.
#
#   scripts/fuzz-target.sh TARGET SECONDS [extra libFuzzer flags...]
set -euo pipefail
cd "$(dirname "$0")/.."

target=$1
seconds=${2:-30}
shift 2 || shift $#
build=build/fuzz
corpus=$build/corpus-$target
# The compile fuzzer's corpus of earlier sessions lives in build/fuzz/corpus.
# The readers' target looks at small routes only: short inputs are its own.
max_len=65536
if [ "$target" = compile_fuzzer ]; then corpus=$build/corpus; fi
if [ "$target" = readers_fuzzer ]; then max_len=4096; fi
mkdir -p "$corpus" "$build/artifacts"

# -timeout: one compile of the longest route the format allows (1 000 000 m)
# takes well under a second even instrumented; 10 s means a hang.
# -rss_limit_mb: that route's plan view and compiled line need some 100 MB.
exec "$build/bin/$target" \
  -max_total_time="$seconds" \
  -timeout=10 \
  -rss_limit_mb=2048 \
  -max_len="$max_len" \
  -dict=fuzz/compile.dict \
  -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" \
  "$@" \
  "$corpus" "$build/seeds" fuzz/seeds fuzz/regressions
