#!/usr/bin/env bash
# Runs one fuzzer (preset `fuzz`, built first) for SECONDS seconds on one core.
#
#   scripts/fuzz.sh compile|readers|dump SECONDS [extra libFuzzer flags...]
#
# compile: arbitrary pairs of source texts through the whole compile step. The
#   seeds are the package's own texts (written at build time), the hand-written
#   seeds and every earlier finding (fuzz/regressions/).
# readers: the field input and the two readers alone on small routes, fast;
#   the same seeds as compile.
# dump: arbitrary bytes read as each compiled file and dumped. The seeds are
#   the package's own compiled files (written at build time) and every earlier
#   finding (fuzz/dump-regressions/).
#
# The working corpus grows in build/fuzz/corpus (build/fuzz/dump-corpus). A
# new finding lands in build/fuzz/artifacts/ (dump-artifacts/) and fails the
# run: keep it with the target's findings once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:?usage: scripts/fuzz.sh compile|readers|dump|payload SECONDS [libFuzzer flags...]}
seconds=${2:-30}
shift 2 || shift $#
build=build/fuzz

# -timeout: one compile of the longest route the format allows (1 000 000 m)
# takes well under a second even instrumented; 10 s means a hang.
# -rss_limit_mb: that route's plan view and compiled line need some 100 MB.
case "$target" in
  compile)
    prefix=""
    # -max_len: the package's two texts fit with room to grow.
    flags=(-max_len=65536 -dict=fuzz/compile.dict)
    corpora=("$build/seeds" fuzz/seeds fuzz/regressions)
    ;;
  readers)
    prefix="readers-"
    # -max_len: the readers' target looks at small routes only; short inputs
    # are its own.
    flags=(-max_len=4096 -dict=fuzz/compile.dict)
    corpora=("$build/seeds" fuzz/seeds fuzz/regressions)
    ;;
  dump)
    prefix="dump-"
    # -max_len: the smallest compiled line (7001 points never computed) has
    # 28004 bytes, the seeds' short line some 36 KB; grids and record tables
    # fit well within.
    flags=(-max_len=40000 -dict=fuzz/dump.dict)
    corpora=("$build/dump-seeds" fuzz/dump-regressions)
    ;;
  payload)
    prefix="payload-"
    # -max_len: a small scenario's payload; the bounds the reader checks are
    # lengths, reached by the fields, not by long inputs.
    flags=(-max_len=8192)
    corpora=(fuzz/payload-seeds)
    ;;
  *)
    echo "scripts/fuzz.sh: no fuzzer \"$target\" (compile, readers, dump or payload)" >&2
    exit 64
    ;;
esac
mkdir -p "$build/${prefix}corpus" "$build/${prefix}artifacts"

exec "$build/bin/${target}_fuzzer" \
  -max_total_time="$seconds" \
  -timeout=10 \
  -rss_limit_mb=2048 \
  "${flags[@]}" \
  -print_final_stats=1 \
  -artifact_prefix="$build/${prefix}artifacts/" \
  "$@" \
  "$build/${prefix}corpus" "${corpora[@]}"
