#!/usr/bin/env bash
# Runs a command on a display of its own: a fresh Xvfb server, on the first free
# display number, ended when the command is done. The command's exit status is
# this script's.
# Usage: with_xvfb.sh COMMAND [ARG...]
set -uo pipefail

work=$(mktemp -d)
xvfb=
finish() {
  # Let the wine programs of the prefix go before their display does.
  if [ -n "${WINESERVER:-}" ] && [ -n "${WINEPREFIX:-}" ]; then "$WINESERVER" -w; fi
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  fi
  rm -rf "$work"
}
trap finish EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 200); do
  [ -s "$work/display" ] && break
  if ! kill -0 "$xvfb" 2>/dev/null; then
    cat "$work/xvfb.log" >&2
    echo "with_xvfb.sh: Xvfb did not start" >&2
    xvfb=
    exit 1
  fi
  sleep 0.05
done
if [ ! -s "$work/display" ]; then
  echo "with_xvfb.sh: Xvfb gave no display number" >&2
  exit 1
fi
DISPLAY=:$(head -n1 "$work/display")
export DISPLAY

"$@"
