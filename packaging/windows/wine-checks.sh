#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# End-to-end checks of vantro-cli.exe under Wine against the Linux build, on files
# that Linux tools make: the same report trace for a CRLF SDCC file, the chip
# holding what srec_cat reads for every kind of HEX file, and a file named in
# Cyrillic and Portuguese. Called by ci-wine.sh with its work folder, Wine running.
#   wine-checks.sh BUILD LINUX_CLI
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
build="$1"
linux_cli="$2"
exe="$build/vantro/cli/vantro-cli.exe"
work="$build/checks"
rm -rf "$work" && mkdir -p "$work" && cd "$work"
failed=0

fail() {
    echo "FAILED: $*" >&2
    failed=1
}

# The SDCC file with CRLF line ends: the traces must be byte for byte the same.
sdcc -mmcs51 -o blink.ihx "$top/tests/hex/data/blink.c" >/dev/null
sed 's/$/\r/' blink.ihx >blink-crlf.ihx
"$linux_cli" -q --emulator --trace linux.trace flash blink-crlf.ihx
wine64 "$exe" -q --emulator --trace windows.trace flash blink-crlf.ihx </dev/null
cmp -s linux.trace windows.trace || fail "the trace of a CRLF SDCC file differs from Linux's"

# Every kind of file the CLI tests use: the emulated chip equals srec_cat's reading.
head -c 3000 /dev/urandom >a.bin
head -c 700 /dev/urandom >e.bin
head -c 77 /dev/urandom >b.bin
srec_cat a.bin -binary -offset 0x100 -o default.hex -intel
srec_cat a.bin -binary -offset 0x100 -o address-length-2.hex -intel -address-length=2
srec_cat a.bin -binary -offset 0x100 -o line-length-44.hex -intel -line-length=44
srec_cat a.bin -binary -offset 0x100 -o crlf.hex -intel -crlf
srec_cat a.bin -binary -offset 0x100 -o - -intel | tr 'A-F' 'a-f' >lower-case.hex
srec_cat a.bin -binary -offset 0x100 -o records-255.hex -intel -output_block_size=255
srec_cat a.bin -binary -offset 0x40 b.bin -binary -offset 0x8000 -o gaps.hex -intel
packihx blink.ihx >packihx.hex 2>/dev/null
objcopy -I binary -O ihex a.bin objcopy.hex
srec_cat e.bin -binary -o eeprom-crlf.hex -intel -crlf
for file in *.hex blink.ihx; do
    memory=flash size=0x10000
    [[ "$file" == eeprom-* ]] && memory=eeprom
    # srec_cat warns of SDCC's records out of order; the comparison is what counts.
    srec_cat "$file" -intel -fill 0xFF 0 "$size" -o "$file.expected" -binary 2>/dev/null
    if ! wine64 "$exe" -q --emulator "--dump-$memory" "$file.chip" "$memory" "$file" </dev/null ||
        ! cmp -s "$file.chip" "$file.expected"; then
        fail "$file: the emulated $memory differs from srec_cat's reading"
    fi
done

# A name in Cyrillic and Portuguese reaches the program, opens, and is printed intact.
name="прошивка-gravação.hex"
cp crlf.hex "$name"
wine64 "$exe" check "$name" </dev/null >check.out || fail "check of $name failed"
grep -qF "Arquivo: $name" check.out || fail "check printed the name wrongly: $(head -n1 check.out)"

# A trace that cannot be written refuses the run before anything is sent: exit 2, with the reason.
code=0
wine64 "$exe" --emulator --trace 'Z:\nonexistent\t.trace' erase --lang en </dev/null 2>unwritable.err || code=$?
[ "$code" = 2 ] && grep -qF 'No such file or directory' unwritable.err ||
    fail "an unwritable trace gave exit $code: $(cat unwritable.err)"

# --repeat: Enter runs once more; Ctrl-Z (0x1A, then Enter) ends the input as Ctrl-D does on Linux.
printf '\r\n\032\r\n' | wine64 "$exe" --emulator --repeat erase 2>repeat.err >/dev/null ||
    fail "--repeat failed: $(cat repeat.err)"
grep -qF 'Total: 2 chips (2 gravados, 0 com falha)' repeat.err ||
    fail "Ctrl-Z did not end --repeat after two chips: $(tr -d '\r' <repeat.err | tail -n 2)"

# Ctrl-C during a run (GenerateConsoleCtrlEvent, on the console `script` gives Wine):
# the run stops, says what the chip holds, ends with 130, and its --log line is written.
x86_64-w64-mingw32-gcc -O2 -o ctrl-c.exe "$top/packaging/windows/ctrl-c.c"
cp "$exe" vantro-cli.exe
code=0
script -qec "wine64 ctrl-c.exe 1500 'vantro-cli.exe --emulator --emulate latency=400 \
    --log ctrl-c.jsonl flash crlf.hex'" /dev/null </dev/null 2>&1 |
    sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' >ctrl-c.out || code=$?
[ "$code" = 130 ] && grep -qF 'Interrompido. A FLASH fica parcialmente gravada' ctrl-c.out &&
    grep -qF '"outcome":"cancelled","exit_code":130' ctrl-c.jsonl ||
    fail "Ctrl-C gave exit $code: $(tr -d '\r' <ctrl-c.out | tail -n 3)"

# The program carries its icon, manifest and version information.
for resource in F.i.l.e.D.e.s.c.r.i.p.t.i.o.n asInvoker; do
    LC_ALL=C grep -qaP "$resource" "$exe" || fail "vantro-cli.exe lacks its $resource"
done

[ "$failed" = 0 ] && echo "== windows: end-to-end checks under Wine passed"
exit "$failed"
