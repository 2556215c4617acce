#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real device path under a real kernel: boots Debian's kernel under QEMU (TCG)
# with an initramfs of busybox, the modules hid, uhid and hid-generic, the
# programs of BUILD_DIR with their libraries, and udev with the packaged rule;
# runs the scenarios of tests/vm/scenarios.sh in the guest, and reads their
# results from the serial console. Fails, saying why, when QEMU or the kernel is missing: never passes
# without having run.
#   tests/vm/run-vm-test.sh BUILD_DIR [SCENARIO...]   (only those scenarios)
set -euo pipefail

fail() {
    echo "vm test: FAILED: $*" >&2
    exit 1
}
[ $# -ge 1 ] && [ -f "$1/CMakeCache.txt" ] || fail "usage: $0 BUILD_DIR [SCENARIO...]"
build="$(cd "$1" && pwd)"
shift
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../.." && pwd)"

qemu="$(command -v qemu-system-x86_64 || true)"
[ -n "$qemu" ] || fail "qemu-system-x86_64 is missing (packaging/install-build-deps.sh installs qemu-system-x86)"
kernel="$(ls -1 /boot/vmlinuz-* 2>/dev/null | sort -V | tail -n1 || true)"
[ -n "$kernel" ] && [ -r "$kernel" ] ||
    fail "no readable kernel in /boot (packaging/install-build-deps.sh installs linux-image-amd64)"
release="${kernel#/boot/vmlinuz-}"
[ -d "/lib/modules/$release" ] || fail "the kernel $release has no modules in /lib/modules/$release"
busybox="$(command -v busybox || true)"
# ldd refuses a static program: the guest has no libraries for busybox.
[ -n "$busybox" ] && ! ldd "$busybox" >/dev/null 2>&1 ||
    fail "a static busybox is missing (install busybox-static)"
for program in cli/vantro-cli virtual/vantro-virtual-programmer tests/vm/vantro_presence_probe \
    tests/vm/vantro_session_probe tests/vm/vantro_pty_screen; do
    [ -x "$build/$program" ] || fail "$build/$program is not built"
done
toolchain="$build/tests/hex/toolchain"
[ -f "$toolchain/blink.ihx" ] || fail "$toolchain/blink.ihx is not built (the hex tests make it)"
command -v srec_cat >/dev/null || fail "srec_cat is missing (install srecord)"
udevadm="$(command -v udevadm || true)"
seat_rules=/lib/udev/rules.d/73-seat-late.rules
[ -n "$udevadm" ] && [ -f "$seat_rules" ] || fail "udevadm or $seat_rules is missing (install udev and systemd)"

prepared=$(date +%s%N)
work="$(mktemp -d "${TMPDIR:-/tmp}/vantro-vm.XXXXXX")"
trap 'rm -rf "$work"' EXIT
root="$work/root"
mkdir -p "$root"/{bin,dev,proc,sys,tmp,etc,lib/modules,vantro/files}

# busybox and its applets; the programs and every library they load.
cp "$busybox" "$root/bin/busybox"
for applet in $("$busybox" --list); do
    [ -e "$root/bin/$applet" ] || ln -s busybox "$root/bin/$applet"
done
# Without their debugging sections: the guest unpacks every byte of them.
copy_with_libraries() {
    strip --strip-debug -o "$root/bin/$(basename "$1")" "$1"
    ldd "$1" | grep -o '/[^ ]*' | while read -r library; do
        mkdir -p "$root$(dirname "$library")"
        cp -L "$library" "$root$library"
    done
}
copy_with_libraries "$build/cli/vantro-cli"
copy_with_libraries "$build/virtual/vantro-virtual-programmer"
copy_with_libraries "$build/tests/vm/vantro_presence_probe"
copy_with_libraries "$build/tests/vm/vantro_session_probe"
copy_with_libraries "$build/tests/vm/vantro_pty_screen"
# udev with the packaged rule and the one that turns its uaccess tag into an ACL.
copy_with_libraries "$udevadm"
ln -s udevadm "$root/bin/systemd-udevd"
mkdir -p "$root/etc/udev/rules.d"
cp "$top/packaging/linux/70-vantro-programmer.rules" "$seat_rules" "$root/etc/udev/rules.d/"

# The modules, dependencies first, in the order modprobe would load them.
for module in hid uhid hid-generic; do
    modprobe --show-depends -S "$release" "$module" | awk '$1 == "insmod" { print $2 }'
done | awk '!seen[$0]++' >"$work/modules"
while read -r module; do
    cp "$module" "$root/lib/modules/"
    echo "/lib/modules/$(basename "$module")" >>"$root/lib/modules/order"
done <"$work/modules"

# The files the scenarios write: the toolchain's, a 60 KiB image, a job.
cp "$toolchain"/blink.ihx "$toolchain"/packed.hex "$root/vantro/files/"
cp "$top/packaging/sample/blink.hex" "$root/vantro/files/"
srec_cat -generate 0x0000 0xF000 -repeat-data 0x12 0x34 0x56 0x78 0x9A -o "$root/vantro/files/60k.hex" -intel
cp "$here/guest-init.sh" "$root/init"
cp "$here/scenarios.sh" "$here/guest-lib.sh" "$root/vantro/"
chmod +x "$root/init"
# Only the named scenarios, when some are named.
echo "$*" >"$root/vantro/only"

# The kernel unpacked here: under TCG the guest would take many seconds to inflate
# it. QEMU starts the bare kernel at its PVH entry.
offset=$(grep -abo $'\xfd7zXZ' "$kernel" | head -n1 | cut -d: -f1 || true)
[ -n "$offset" ] || fail "$kernel is not compressed with xz: cannot unpack it"
tail -c +$((offset + 1)) "$kernel" | xz -dc >"$work/vmlinux" 2>/dev/null || true
[ "$(head -c4 "$work/vmlinux" | od -An -c | tr -d ' ')" = '177ELF' ] ||
    fail "could not unpack $kernel (xz-utils installed?)"
# Uncompressed: under TCG the kernel unpacks it faster than it would inflate it.
(cd "$root" && find . | "$busybox" cpio -o -H newc 2>/dev/null) >"$work/initrd"

echo "== vm test: $release under QEMU (TCG), $(du -h "$work/initrd" | cut -f1) initramfs made in $((($(date +%s%N) - prepared) / 1000000)) ms"
started=$(date +%s%N)
set +e
timeout 300 "$qemu" -accel tcg -bios qboot.rom -smp 2 -m 1024 -nographic -no-reboot -nic none \
    -kernel "$work/vmlinux" -initrd "$work/initrd" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1 rdinit=/init" </dev/null \
    | tr -d '\r' | tee "$build/vm-console.log" | grep --line-buffered -E '^VM'
qemu_status=${PIPESTATUS[0]}
set -e
elapsed_ms=$((($(date +%s%N) - started) / 1000000))

[ "$qemu_status" -ne 124 ] || { tail -n 30 "$build/vm-console.log" >&2; fail "the guest did not end within 300 s"; }
grep -q '^VMDONE' "$build/vm-console.log" || { tail -n 30 "$build/vm-console.log" >&2; fail "the guest ended before its last scenario (QEMU exit $qemu_status)"; }
passed=$(grep -c '^VMROW PASS' "$build/vm-console.log" || true)
failed=$(grep -c '^VMROW FAIL' "$build/vm-console.log" || true)
failed_rows=$( (grep '^VMROW FAIL' "$build/vm-console.log" || true) | cut -d: -f1 | sort -u | wc -l)
boot=$(sed -n 's/^VMBOOT \([0-9.]*\).*/\1/p' "$build/vm-console.log")
echo "== vm test: boot ${boot:-?} s (guest uptime at the first scenario), whole run ${elapsed_ms} ms"
echo "vm: $passed passed, $failed_rows failed"
[ "$failed" -eq 0 ] || fail "$failed check(s) of the scenarios failed (VMROW FAIL above)"
[ "$passed" -gt 0 ] || fail "no scenario ran"
