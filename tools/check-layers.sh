#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks that every #include between the program's folders points down the layer
# order below, and that only platform/ (and the Windows window) ask for _WIN32;
# fails naming each include that points up or sideways and each such test.
#   tools/check-layers.sh [TREE]          check (TREE: the top of a source tree)
#   tools/check-layers.sh --graph [TREE]  print the include arrows between folders
set -euo pipefail

graph=false
if [ "${1:-}" = "--graph" ]; then
    graph=true
    shift
fi
cd "${1:-$(dirname "$0")/..}"

# From the top layer down. A folder includes its own files and those of folders
# on later lines only; folders on one line are peers and include each other not.
layers=(
    "app cli win virtual" # the front-ends: the Qt window, the command line, the Win32 window, the virtual programmer
    "form"            # the window's form, toolkit-free
    "production"      # the production corridor: jobs, runs of one operation chip after chip, the chip log
    "connection"      # the options both programs take, the backend
    "ops"             # the session and the four operations
    "emulator hidapi" # the two backends of the HID library
    "hex firmware"    # HEX files read, checked and packed; the firmware's model of the chip
    "protocol"        # report framing and the exchanges
    "hid"             # the HID library interface, its bridge and event queue
    "i18n"            # the texts and their English catalogue
    "platform"        # Windows' and POSIX's sides of files, consoles, signals, texts, hashing
)
# The only folders that may ask which system they are built for.
system_folders="platform win"
declare -A rank
for i in "${!layers[@]}"; do
    for folder in ${layers[$i]}; do
        rank[$folder]=$i
    done
done

folders=()
for folder in "${!rank[@]}"; do
    [ -d "$folder" ] && folders+=("$folder")
done

# file:line:#include "folder/name.h" for every quoted include of the program's code.
arrows() {
    grep -rHn --include='*.h' --include='*.cpp' '^#include "[^"]*/' "${folders[@]}" |
        sed -E 's#^([^/]+)/[^:]*:([0-9]+):\#include "([^/"]+)/.*#\1 \3 &#'
}

if $graph; then
    arrows | awk '$1 != $2 { print $1 " -> " $2 }' | sort | uniq -c |
        awk '{ printf "%-12s -> %-12s %3d\n", $2, $4, $1 }'
    exit 0
fi

status=0
while read -r from to where; do
    if [ "$from" = "$to" ]; then
        continue
    fi
    if [ -z "${rank[$to]+set}" ]; then
        echo "forbidden include: $where (folder $to is in no layer)"
        status=1
    elif [ "${rank[$to]}" -le "${rank[$from]}" ]; then
        echo "forbidden include: $where ($from may include only layers below it)"
        status=1
    fi
done < <(arrows)
while IFS=: read -r file line _; do
    folder="${file%%/*}"
    if [[ " $system_folders " != *" $folder "* ]]; then
        echo "system-specific code outside platform/: $file:$line"
        status=1
    fi
done < <(grep -rHn --include='*.h' --include='*.cpp' '_WIN32' "${folders[@]}")
exit $status
