#!/usr/bin/env bash
# The .exe, started under wine from an empty folder, must leave there exactly the
# files the Linux build leaves in an empty folder: the same names and the same
# bytes, nothing more, nothing less. A second run in the same folder must leave
# them unchanged (every file is replaced, never appended to).
# Usage: same_files_as_linux.sh WINE_LOADER INSTALLER.exe LINUX_INSTALLER
set -euo pipefail
loader=$1 exe=$2 linux=$3

if [ ! -x "$linux" ]; then
  echo "same_files_as_linux.sh: no Linux installer at $linux;" \
    "build it first (cmake --build --preset native --target installer)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/windows" "$work/linux"
cp "$exe" "$work/windows/"
cp "$linux" "$work/linux/"
exe_name=$(basename "$exe")
linux_name=$(basename "$linux")

# Started from another folder, as a player's shortcut or the file manager would.
run() {
  local what=$1
  shift
  local status=0
  (cd / && timeout 120 "$@") >"$work/$what.out" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    cat "$work/$what.out" >&2
    echo "same_files_as_linux.sh: $what ended with status $status" >&2
    exit 1
  fi
}

# Names (one a line) and bytes of what a run left, without the program itself.
left_by() {
  local folder=$1 program=$2
  (cd "$folder" && find . -mindepth 1 ! -path "./$program" -printf '%y %P\n' | LC_ALL=C sort)
}

compare() {
  local round=$1
  left_by "$work/windows" "$exe_name" >"$work/windows.list"
  left_by "$work/linux" "$linux_name" >"$work/linux.list"
  if ! diff -u "$work/linux.list" "$work/windows.list" >&2; then
    echo "same_files_as_linux.sh: run $round: the .exe left other files than the Linux build (- Linux, + Windows)" >&2
    exit 1
  fi
  local kind name
  while read -r kind name; do
    [ "$kind" = f ] || continue
    if ! cmp -- "$work/linux/$name" "$work/windows/$name" >&2; then
      echo "same_files_as_linux.sh: run $round: \"$name\" differs between Linux and Windows" >&2
      exit 1
    fi
  done <"$work/linux.list"
  echo "run $round: $(grep -c . "$work/linux.list" || true) files, the same names and bytes:"
  sed 's/^/  /' "$work/linux.list"
}

run linux "$work/linux/$linux_name"
run windows "$loader" "$work/windows/$exe_name"
compare 1
run windows "$loader" "$work/windows/$exe_name"
compare 2
