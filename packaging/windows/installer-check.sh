#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The setup program under Wine: a silent install puts both programs under
# Program Files with a Start menu shortcut and an uninstaller registered; the
# installed vantro-cli.exe checks the sample file; a silent uninstall leaves
# nothing behind. Called by ci-wine.sh with the Windows build folder, Wine running.
#   installer-check.sh WINDOWS_BUILD
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
build="$1"
setup="$(echo "$build"/vantro-*-setup.exe)"
drive_c="$WINEPREFIX/drive_c"
folder="$drive_c/Program Files/Vantro"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vantro.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantro'
failed=0

fail() {
    echo "FAILED: $*" >&2
    failed=1
}

registered() {
    wine64 reg query "$key" /reg:64 </dev/null >/dev/null 2>&1
}

wine64 "$setup" /S </dev/null
for file in vantro.exe vantro-cli.exe uninstall.exe LEIA-ME.txt; do
    [ -f "$folder/$file" ] || fail "the setup program did not install $file"
done
[ -f "$shortcut" ] || fail "the setup program made no Start menu shortcut"
registered || fail "the setup program registered no uninstaller"

work="$build/installer-check"
rm -rf "$work" && mkdir -p "$work"
cp "$top/packaging/sample/blink.hex" "$work/"
(cd "$work" && wine64 'C:\Program Files\Vantro\vantro-cli.exe' check blink.hex </dev/null \
    >check.out 2>&1) || fail "the installed vantro-cli.exe refused the sample: $(cat "$work/check.out")"

# The uninstaller copies itself away and runs from there: wait until it is done.
wine64 'C:\Program Files\Vantro\uninstall.exe' /S </dev/null
for _ in $(seq 100); do
    [ -e "$folder" ] || break
    sleep 0.2
done
[ ! -e "$folder" ] || fail "the uninstaller left $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu shortcut"
! registered || fail "the uninstaller left its registry key"

[ "$failed" = 0 ] && echo "== windows: the setup program installs, runs and uninstalls cleanly"
exit "$failed"
