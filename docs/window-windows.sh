#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes docs/window-windows.png: the native Windows window on the emulated
# programmer, under Wine, Xvfb and a window manager. Needs wine, xvfb, openbox,
# imagemagick and xdotool.
#   docs/window-windows.sh VANTRO_EXE
set -euo pipefail

docs="$(cd "$(dirname "$0")" && pwd)"
if [ -z "${VANTRO_SHOT_INSIDE:-}" ]; then
    [ $# -eq 1 ] && [ -f "$1" ] || { echo "usage: $0 VANTRO_EXE" >&2; exit 2; }
    exec env VANTRO_SHOT_INSIDE=1 xvfb-run -a -s '-screen 0 640x400x24' "$0" "$(realpath "$1")"
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" PATH="/usr/lib/wine:$PATH"
openbox &
wm=$!
sleep 1
wine64 "$1" --emulator &
app=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name 'Vr 2018_B' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.3
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
xdotool windowmove --sync "$window" 60 40
sleep 2
# The window with its frame: the frame is the window manager's parent of Wine's window.
frame=$(xwininfo -id "$window" -children | awk '/Parent window id/ { print $4 }')
import -window "$frame" +repage "$docs/window-windows.png"
kill "$app" "$wm"
wait "$app" || true
