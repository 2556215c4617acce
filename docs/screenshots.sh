#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the window's screenshots in docs/ on the emulated programmer, under Xvfb
# with a window manager, so that captions and message boxes show as users see them.
# Needs xvfb, openbox, imagemagick and xdotool. Usage: docs/screenshots.sh BUILD_DIR
set -euo pipefail

docs="$(cd "$(dirname "$0")" && pwd)"
if [ -z "${VANTRO_SHOT_INSIDE:-}" ]; then
    [ $# -eq 1 ] && [ -x "$1/app/vantro" ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
    exec env VANTRO_SHOT_INSIDE=1 xvfb-run -a -s '-screen 0 640x400x24' "$0" "$(cd "$1" && pwd)"
fi
vantro="$1/app/vantro"
sample="$docs/../packaging/sample/blink.hex"

# shot NAME ACTION ARGS...: starts the window, runs ACTION on it, keeps the window's area.
shot() {
    local name=$1 action=$2
    shift 2
    "$vantro" "$@" &
    local app=$! window=""
    for _ in $(seq 50); do
        window=$(xdotool search --name 'Vr 2018_B' 2>/dev/null | head -1) && [ -n "$window" ] && break
        sleep 0.2
    done
    sleep 1
    eval "$action"
    import -window root -crop 476x280+82+60 +repage "$docs/$name.png"
    kill "$app"
    wait "$app" || true
}

openbox &
sleep 1
shot screenshot : --emulator
shot window-en : --emulator --lang en
# "Gravar FLASH", the sample file typed into the dialog, and a refused data report.
shot window-message-box "xdotool mousemove --window \$window 172 40 click 1; sleep 2;
    xdotool type --delay 20 '$sample'; xdotool key Return; sleep 2" \
    --emulator --emulate refuse=3
kill %1
