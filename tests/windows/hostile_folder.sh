#!/usr/bin/env bash
# The .exe programs under wine in folders set up against them:
#  - two installers started together in one folder, over several rounds: both
#    end with status 0 and the folder holds exactly the Linux build's files;
#  - a folder and a file planted at the old temporary names: passed by;
#  - scenario-tool.exe refuses bad names with status 64, naming the
#    character, says a missing folder as such with status 2, refuses a folder
#    in place of a source text at once, and two compiles into one folder
#    started together both end with status 0 and whole files.
# Usage: hostile_folder.sh WINE_LOADER INSTALLER.exe scenario-tool.exe LINUX_INSTALLER
set -euo pipefail
loader=$1 exe=$2 tool=$3 linux=$4
line="BELFORTE SELVEN - MELAR"
train=8312

fail() {
  echo "hostile_folder.sh: $*" >&2
  exit 1
}
[ -x "$linux" ] || fail "no Linux installer at $linux; build it first"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/linux" "$work/windows"
cp "$linux" "$work/linux/"
(cd / && timeout 120 "$work/linux/$(basename "$linux")") >/dev/null 2>&1
rm "$work/linux/$(basename "$linux")"
expected=$(cd "$work/linux" && find . -type f -printf '%P\n' | LC_ALL=C sort)

same_as_linux() {
  local round=$1 found
  found=$(cd "$work/windows" && find . -mindepth 1 ! -name "$(basename "$exe")" -printf '%P\n' | LC_ALL=C sort)
  [ "$found" = "$expected" ] || fail "round $round: the folder holds other entries: $found"
  while read -r name; do
    cmp -s -- "$work/linux/$name" "$work/windows/$name" || fail "round $round: \"$name\" differs"
  done <<<"$expected"
}

# Things at the names earlier versions wrote their temporary files under.
cp "$exe" "$work/windows/"
mkdir "$work/windows/${line}_${train}.sim.part"
echo "an earlier run's" >"$work/windows/${line}_${train}.dat.part"
(cd / && timeout 120 "$loader" "$work/windows/$(basename "$exe")") || fail "a run with things planted ended with $?"
[ -d "$work/windows/${line}_${train}.sim.part" ] || fail "the folder planted at a temporary name is gone"
rmdir "$work/windows/${line}_${train}.sim.part"
same_as_linux planted

for round in 1 2 3 4 5; do
  pids=()
  for k in 1 2; do
    (cd / && timeout 120 "$loader" "$work/windows/$(basename "$exe")") &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do
    wait "$pid" || fail "round $round: an installer started together with another ended with $?"
  done
  same_as_linux "$round"
done
echo "two installers at once, five rounds: every run ended with status 0 and left the Linux build's files"

tool() { (cd "$work" && timeout 120 "$loader" "$tool" "$@"); }
mkdir "$work/author"
tool export author >/dev/null

status=0
out=$(tool compile author --line-name "A/B" --train-number "$train" 2>&1) || status=$?
[ "$status" -eq 64 ] || fail "a line name with a separator ended with $status, not 64"
grep -q 'has "/" at character 2' <<<"$out" || fail "the bad name's message: $out"
status=0
out=$(tool compile author --line-name "$line" --train-number "83:12" 2>&1) || status=$?
[ "$status" -eq 64 ] || fail "a train number with a colon ended with $status, not 64"
grep -q 'has ":" at character 3' <<<"$out" || fail "the bad number's message: $out"

status=0
out=$(tool compile absent --line-name "$line" --train-number "$train" 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "a missing folder ended with $status, not 2"
grep -q 'the folder "absent" does not exist' <<<"$out" || fail "the missing folder's message: $out"

mkdir "$work/folder-text"
cp "$work/author/${line}_linea.txt" "$work/folder-text/"
mkdir "$work/folder-text/${line}_${train}-.txt"
status=0
out=$(tool compile folder-text --line-name "$line" --train-number "$train" 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "a folder in place of the train text ended with $status, not 2"
grep -q 'is a folder, not a file' <<<"$out" || fail "the folder text's message: $out"

pids=()
for k in 1 2; do
  tool compile author --line-name "$line" --train-number "$train" >/dev/null 2>&1 &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || fail "a compile started together with another ended with $?"; done
for name in "${line}_linea.dat" "${line}_${train}.sim" "${line}_${train}.dat"; do
  cmp -s -- "$work/linux/$name" "$work/author/$name" || fail "after two compiles at once \"$name\" differs"
done
[ -z "$(cd "$work/author" && find . -name '*.part')" ] || fail "a temporary file was left"
echo "scenario-tool.exe: bad names refused with 64, a missing folder and a folder text said as such, two compiles at once whole"
