#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The setup program under Wine: it refuses a Windows older than 10 version 1607;
# a silent install puts the ZIP's own files under Program Files, with two Start
# menu shortcuts and an uninstaller registered with its size and links; the
# installed vantro-cli.exe checks the sample file; an uninstaller run while
# vantro.exe runs refuses and leaves everything in place; otherwise a silent
# uninstall leaves nothing behind. Called by ci-wine.sh with the Windows build
# folder (the ZIP made), Wine running on an X display.
#   installer-check.sh WINDOWS_BUILD
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(realpath "$1")"
setup="$(echo "$build"/vantro-*-setup.exe)"
drive_c="$WINEPREFIX/drive_c"
folder="$drive_c/Program Files/Vantro"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
shortcuts=("$menu/Vantro.lnk" "$menu/Vantro (gravador emulado).lnk")
files=(vantro.exe vantro-cli.exe README.md LICENSE LEIA-ME.txt)
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantro'
work="$build/installer-check"
rm -rf "$work" && mkdir -p "$work"
failed=0

fail() {
    echo "FAILED: $*" >&2
    failed=1
}

registered() {
    wine64 reg query "$key" /reg:64 </dev/null >/dev/null 2>&1
}

# The whole installation, as the setup program leaves it.
installed_whole() {
    local what="$1" file shortcut
    for file in "${files[@]}" uninstall.exe; do
        [ -f "$folder/$file" ] || fail "$what: no $file"
    done
    for shortcut in "${shortcuts[@]}"; do
        [ -f "$shortcut" ] || fail "$what: no Start menu shortcut $(basename "$shortcut")"
    done
    registered || fail "$what: no uninstaller registered"
}

# A Windows too old for the window's DPI functions: refused, nothing installed.
wine64 winecfg /v win81 </dev/null >/dev/null 2>&1
code=0
wine64 "$setup" /S </dev/null || code=$?
wine64 winecfg /v win10 </dev/null >/dev/null 2>&1
[ "$code" != 0 ] || fail "the setup program installed on Windows 8.1"
[ ! -e "$folder" ] || fail "the setup program refused Windows 8.1 but left $(ls "$folder")"

wine64 "$setup" /S </dev/null
installed_whole "the setup program"
# The same files as the ZIP, stripped alike.
(cd "$work" && cmake -E tar xf "$(echo "$build"/vantro-*-windows-x86_64.zip)")
for file in "${files[@]}"; do
    cmp -s "$folder/$file" "$(echo "$work"/vantro-*/"$file")" ||
        fail "the setup program installed another $file than the ZIP's"
done
tr -d '\0' <"${shortcuts[1]}" | grep -qF -- '--emulator' ||
    fail "the emulated programmer's shortcut does not pass --emulator"
values="$(wine64 reg query "$key" /reg:64 </dev/null | tr -d '\r')"
for value in HelpLink URLInfoAbout; do
    grep -qE "^ +$value +REG_SZ +https://" <<<"$values" || fail "the uninstall key has no $value"
done
# EstimatedSize is in KiB: the folder's size, give or take a KiB a file.
estimated=$(($(awk '$1 == "EstimatedSize" { print $3 }' <<<"$values")))
actual=$(($(du -cb "$folder"/* | tail -n 1 | cut -f 1) / 1024))
off_by=$((estimated - actual))
((estimated > 0 && ${off_by#-} <= ${#files[@]} + 1)) ||
    fail "EstimatedSize says $estimated KiB of $actual KiB"

cp "$top/packaging/sample/blink.hex" "$work/"
(cd "$work" && wine64 'C:\Program Files\Vantro\vantro-cli.exe' check blink.hex </dev/null \
    >check.out 2>&1) || fail "the installed vantro-cli.exe refused the sample: $(cat "$work/check.out")"

# While vantro.exe runs, the uninstaller must fail and leave everything, the
# registry key included. Run in place (_?=, unquoted, so from a batch file), as
# its exit code is otherwise the one of a copy that only started it.
wine64 'C:\Program Files\Vantro\vantro.exe' --emulator </dev/null >/dev/null 2>&1 &
window=$!
shown=0
for _ in $(seq 60); do
    wine64 winedbg --command 'info wnd' </dev/null 2>/dev/null | grep -q VantroMainForm &&
        shown=1 && break
    sleep 0.2
done
[ "$shown" = 1 ] || fail "the installed vantro.exe showed no window"
printf '@"C:\\Program Files\\Vantro\\uninstall.exe" /S _?=C:\\Program Files\\Vantro\r\n%s\r\n' \
    '@exit %ERRORLEVEL%' >"$work/uninstall-in-place.cmd"
code=0
(cd "$work" && wine64 cmd /c uninstall-in-place.cmd </dev/null) || code=$?
[ "$code" != 0 ] || fail "the uninstaller reported success while vantro.exe ran"
installed_whole "the uninstaller, run while vantro.exe ran"
kill "$window" 2>/dev/null || true
wait "$window" 2>/dev/null || true

# The uninstaller copies itself away and runs from there: wait until it is done.
wine64 'C:\Program Files\Vantro\uninstall.exe' /S </dev/null
for _ in $(seq 100); do
    [ -e "$folder" ] || break
    sleep 0.2
done
[ ! -e "$folder" ] || fail "the uninstaller left $(ls "$folder")"
for shortcut in "${shortcuts[@]}"; do
    [ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu shortcut $(basename "$shortcut")"
done
! registered || fail "the uninstaller left its registry key"

[ "$failed" = 0 ] && echo "== windows: the setup program installs, runs and uninstalls cleanly"
exit "$failed"
