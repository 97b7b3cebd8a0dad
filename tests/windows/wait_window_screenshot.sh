#!/usr/bin/env bash
# Shows the wait window under wine on the current display, takes a screenshot
# of the whole screen into PNG, and checks by its pixels that the label holds
# dark text on the window's background.
# Usage: wait_window_screenshot.sh WINE_LOADER wait_window_probe.exe OUTPUT.png
set -euo pipefail
loader=$1 probe=$2 png=$3
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
probe_pid=
finish() {
  touch "$work/fatto"  # tells the probe to end
  if [ -n "$probe_pid" ]; then wait "$probe_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT

(cd "$work" && exec "$loader" "$probe") >"$work/probe.out" 2>&1 &
probe_pid=$!

# The first window of a fresh wine prefix takes a few seconds.
for _ in $(seq 600); do
  [ -f "$work/attesa.txt" ] && break
  if ! kill -0 "$probe_pid" 2>/dev/null; then
    cat "$work/probe.out" >&2
    echo "wait_window_screenshot.sh: the probe ended before showing the window" >&2
    exit 1
  fi
  sleep 0.1
done
[ -f "$work/attesa.txt" ] || { echo "wait_window_screenshot.sh: no window after 60 s" >&2; exit 1; }

mkdir -p "$(dirname "$png")"
import -window root "$png"
echo "screenshot: $png"
python3 "$here/wait_window_pixels.py" "$png" "$work/attesa.txt"
