#!/usr/bin/env bash
# Makes the wine prefix $WINEPREFIX that the Windows tests run in, once: the
# first start of wine builds a whole Windows folder tree, which takes a while.
# Quiet unless it fails.
# Usage: WINEPREFIX=... wine_prefix.sh WINE_LOADER WINESERVER
set -euo pipefail
loader=$1 wineserver=$2
prefix=${WINEPREFIX:?WINEPREFIX must name the prefix to make}

ready=$prefix/.bm-ready
[ -f "$ready" ] && exit 0

export WINEDEBUG=${WINEDEBUG:--all}
# No offer to download Mono or Gecko, and no "updating the configuration" window.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
unset DISPLAY
rm -rf "$prefix"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
start=$SECONDS
# A test program that crashes must fail its test, not wait for someone to close
# wine's crash dialog.
if ! {
  "$loader" wineboot -i &&
    "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
    "$wineserver" -w
} >"$log" 2>&1; then
  cat "$log" >&2
  echo "wine_prefix.sh: could not make the wine prefix $prefix" >&2
  exit 1
fi
touch "$ready"
echo "wine prefix made in $((SECONDS - start)) s: $prefix"
