#!/usr/bin/env bash
# scenario-tool.exe under wine makes both packages of the package's own
# scenario, exported: the .exe, run under wine in an empty folder, and the
# Linux program, run here, each leave exactly the files the Linux installer
# leaves, byte for byte (same_files_as_linux.sh compares, twice over).
# Usage: package_matches_installer.sh WINE_LOADER scenario-tool.exe LINUX_INSTALLER
set -euo pipefail
loader=$1 exe=$2 linux=$3
here=$(cd "$(dirname "$0")" && pwd)
line="BELFORTE SELVEN - MELAR"
train=8312

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/author"

tool() { (cd "$work" && timeout 120 "$loader" "$exe" "$@"); }
tool export author
tool package author --line-name "$line" --train-number "$train" --target windows \
  --out belforte-pacchetto.exe
tool package author --line-name "$line" --train-number "$train" --target linux \
  --out belforte-pacchetto
chmod +x "$work/belforte-pacchetto"

echo "the .exe package under wine:"
"$here/same_files_as_linux.sh" "$loader" "$work/belforte-pacchetto.exe" "$linux"
echo "the Linux package made by scenario-tool.exe:"
"$here/same_files_as_linux.sh" /usr/bin/env "$work/belforte-pacchetto" "$linux"
