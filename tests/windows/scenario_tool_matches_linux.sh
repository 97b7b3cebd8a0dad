#!/usr/bin/env bash
# scenario-tool.exe under wine: exports the package's texts, compiles them into
# exactly the files the Linux installer leaves (same bytes), keeps the texts,
# and draws the plot.
# Usage: windows_matches_linux.sh WINE_LOADER scenario-tool.exe LINUX_INSTALLER
set -euo pipefail
loader=$1 exe=$2 linux=$3
line="BELFORTE SELVEN - MELAR"
train=8312

if [ ! -x "$linux" ]; then
  echo "windows_matches_linux.sh: no Linux installer at $linux;" \
    "build it first (cmake --build --preset native --target installer)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/author" "$work/linux"
cp "$linux" "$work/linux/"
(cd / && timeout 120 "$work/linux/$(basename "$linux")")
rm "$work/linux/$(basename "$linux")"

tool() { (cd "$work" && timeout 120 "$loader" "$exe" "$@"); }
tool export author
cp "$work/author/${line}_linea.txt" "$work/author/${line}_${train}-.txt" "$work/"
tool compile author --line-name "$line" --train-number "$train"
tool plot author --line-name "$line" --train-number "$train" --svg author/route.svg

for name in "${line}_linea.dat" "${line}_${train}.sim" "${line}_${train}.dat"; do
  cmp -- "$work/linux/$name" "$work/author/$name"
done
for name in "${line}_linea.txt" "${line}_${train}-.txt"; do
  cmp -- "$work/$name" "$work/author/$name"
done
grep -q '<polyline class="track"' "$work/author/route.svg"
echo "scenario-tool.exe compiled the Linux installer's three files byte for byte and drew the plot"
