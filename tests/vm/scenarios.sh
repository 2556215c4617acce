#!/bin/sh
# SPDX-License-Identifier: MIT
# The VM test's scenarios, run in the guest as root: one table row each.
# Every wait has its bound (timeout, or a loop with a deadline).
. /vantro/guest-lib.sh

# a. list shows the virtual programmer: its path, ids, serial number and product.
if begin_row a-list; then
    vp_start VIRT-LIST
    timeout 30 "$cli" list >/tmp/out 2>/tmp/err
    code=$?
    vp_stop VIRT-LIST
    [ "$code" = 0 ] || fail "exit $code"
    grep -q '^/dev/hidraw[0-9]*  1234:0001  VIRT-LIST  Vantro 8051 Programmer (virtual)$' /tmp/out ||
        fail "not listed as expected"
    detail="$(cat /tmp/out)"
    verdict /tmp/out /tmp/err
fi

# The run on the in-process emulator, then on the virtual programmer through the
# kernel: the same exit code, the same last line (what the chip holds), the same
# trace and memories. Columns: row, --emulate setting (KEY=@PHASE: that phase's
# report), command with its arguments.
compare_rows='
b-erase          -                erase
b-flash          -                flash files/blink.ihx
b-flash-packed   -                flash files/packed.hex
b-eeprom         -                eeprom files/blink.ihx
b-lock           -                lock --lb1 --lb2
c-erase          unplug=@erase    erase
c-begin          unplug=@begin    flash files/blink.ihx
c-first          unplug=@first    flash files/blink.ihx
c-middle         unplug=@middle   flash files/blink.ihx
c-last           unplug=@last     flash files/blink.ihx
c-end            unplug=@end      flash files/blink.ihx
c-eeprom-middle  unplug=@middle   eeprom files/blink.ihx
c-lock           unplug=@lock     lock --lb1
d-silent-begin   silent=@begin    flash files/blink.ihx
d-silent-data    silent=@middle   eeprom files/blink.ihx
d-refuse         refuse=@middle   flash files/blink.ihx
d-refuse-lock    lock=0           lock --lb3
d-twice-erase    twice=@erase     flash files/blink.ihx
d-twice-data     twice=@first     flash files/blink.ihx
'
# The last line of a run's messages, without the emulator's own verdict on memory.
last_line() { grep -v -e 'emulad' "$1" | tail -n1; }

# emulate_for SETTING COMMAND...: the --emulate option of a row's setting, in
# $emulate (KEY=@PHASE: that phase's report in the command's run).
emulate_for() {
    setting=$1
    shift
    emulate=
    if [ "$setting" != - ]; then
        key=${setting%%=*} value=${setting#*=}
        case $value in @*)
            "$cli" --emulator --trace /tmp/plain.trace "$@" >/dev/null 2>&1
            value=$(phase_report "${value#@}" /tmp/plain.trace) ;;
        esac
        emulate="--emulate $key=$value"
    fi
}

compare_row() {
    row=$1 setting=$2
    shift 2
    wanted "$row" || return 0
    failed_row=0
    cd /vantro
    rm -f /tmp/emu.* /tmp/real.* /tmp/VIRT-0001.*
    emulate_for "$setting" "$@"
    # shellcheck disable=SC2086
    timeout 60 "$cli" --timeout $limit --emulator $emulate --trace /tmp/emu.trace \
        --dump-flash /tmp/emu.flash --dump-eeprom /tmp/emu.eeprom "$@" >/tmp/emu.out 2>/tmp/emu.err
    emu_code=$?
    # shellcheck disable=SC2086
    vp_start VIRT-0001 $emulate
    started=$(uptime_s)
    timeout 60 "$cli" --timeout $limit --trace /tmp/real.trace "$@" >/tmp/real.out 2>/tmp/real.err
    real_code=$?
    took=$(elapsed "$started")
    vp_stop VIRT-0001
    [ "$real_code" = "$emu_code" ] || fail "exit $real_code through the kernel, $emu_code in process"
    [ "$(last_line /tmp/real.err)" = "$(last_line /tmp/emu.err)" ] ||
        fail "last line \"$(last_line /tmp/real.err)\" through the kernel, \"$(last_line /tmp/emu.err)\" in process"
    cmp -s /tmp/real.trace /tmp/emu.trace || fail "the traces differ"
    cmp -s /tmp/VIRT-0001.flash /tmp/emu.flash || fail "the FLASH differs"
    cmp -s /tmp/VIRT-0001.eeprom /tmp/emu.eeprom || fail "the EEPROM differs"
    # A guard against a wait that never ends, not a speed test: TCG is slow.
    awk -v t="$took" -v l="$limit" 'BEGIN { exit !(t < l + 5) }' || fail "took $took s"
    if [ "$failed_row" = 1 ]; then
        sed 's/^/    kernel: /' /tmp/real.err
        sed 's/^/    emulator: /' /tmp/emu.err
    else
        pass "exit $real_code in $took s: $(last_line /tmp/real.err)"
    fi
}

each_row compare_row "$compare_rows"

# c, d. The screen a failed run leaves on a terminal (the progress bar drawn): the
# same through the kernel as in process, and no line holding what is left of
# the bar. Columns as in compare_rows.
screen_rows='
c-bar-middle  unplug=@middle  flash files/blink.ihx
c-bar-end     unplug=@end     flash files/blink.ihx
d-bar-refuse  refuse=@middle  eeprom files/blink.ihx
'
screen_row() {
    begin_row "$1" || return 0
    setting=$2
    shift 2
    emulate_for "$setting" "$@"
    # shellcheck disable=SC2086
    timeout 60 "$pty" "$cli" --timeout $limit --emulator $emulate "$@" >/tmp/emu.raw
    emu_code=$?
    grep -v emulad /tmp/emu.raw >/tmp/emu.screen
    # shellcheck disable=SC2086
    vp_start VIRT-0001 $emulate
    timeout 60 "$pty" "$cli" --timeout $limit "$@" >/tmp/real.screen
    real_code=$?
    vp_stop VIRT-0001
    [ "$real_code" = "$emu_code" ] || fail "exit $real_code through the kernel, $emu_code in process"
    [ "$real_code" = 3 ] || [ "$real_code" = 1 ] || fail "exit $real_code, not a failure"
    cmp -s /tmp/real.screen /tmp/emu.screen || fail "the screens differ"
    ! grep -q -e '%' -e '#' /tmp/real.screen || fail "the bar is left on the screen"
    detail="exit $real_code: $(grep . /tmp/real.screen | tail -n1)"
    verdict /tmp/real.screen /tmp/emu.screen
}
each_row screen_row "$screen_rows"

# d. An answer that comes after its wait gave up (late=N: a second after its
# report) must not be taken by the next operation's exchange: one session runs
# both, as a window does, handling no event in the pause between them. The
# lock bits' own answer comes later (latency) than the stale one. Columns: row,
# the late report, the operations.
late_rows='
d-late-echo  1  erase lock
d-late-data  2  eeprom:files/blink.ihx lock
'
late_row() {
    begin_row "$1" || return 0
    late=$2
    shift 2
    settings="--emulate latency=50 --emulate late=$late"
    # shellcheck disable=SC2086
    timeout 60 "$session" --emulator $settings --timeout 0.5 --pause-ms 1500 "$@" >/tmp/emu.out 2>&1
    # shellcheck disable=SC2086
    vp_start VIRT-0001 $settings
    timeout 60 "$session" --timeout 0.5 --pause-ms 1500 "$@" >/tmp/real.out 2>&1
    vp_stop VIRT-0001
    cmp -s /tmp/real.out /tmp/emu.out || fail "the kernel's outcomes differ from the emulator's"
    grep -q '^session: lock: success: Lock bits gravados com sucesso!!!$' /tmp/real.out ||
        fail "the lock bits took the late answer"
    [ "$(grep -c ': timed-out: ' /tmp/real.out)" = 1 ] || fail "the first operation did not time out"
    detail="$(tr '\n' ' ' </tmp/real.out)"
    verdict /tmp/real.out /tmp/emu.out
}
each_row late_row "$late_rows"

# e. Two virtual programmers at once.
"$cli" --emulator --dump-flash /tmp/image.flash flash files/blink.ihx >/dev/null 2>&1
"$cli" --emulator --dump-flash /tmp/blank.flash erase >/dev/null 2>&1
cat >/tmp/job.toml <<JOB
name = "vm"
part = "AT89S52"
log = "/tmp/job.jsonl"
sockets = ["VIRT-A", "VIRT-B"]

[flash]
file = "/vantro/files/blink.ihx"
sha256 = "$(sha256sum files/blink.ihx | cut -d' ' -f1)"
JOB
# Columns: row, what VIRT-A's and VIRT-B's FLASH must then hold, the command.
two_rows='
e-all       image  image  --all flash files/blink.ihx
e-serial    blank  image  --device serial:VIRT-B flash files/blink.ihx
e-job       image  image  job /tmp/job.toml
'
two_row() {
    begin_row "$1" || return 0
    a=$2 b=$3
    shift 3
    rm -f /tmp/job.jsonl
    vp_start VIRT-A
    vp_start VIRT-B
    timeout 60 "$cli" --timeout $limit "$@" </dev/null >/tmp/out 2>/tmp/err
    code=$?
    vp_stop VIRT-A
    vp_stop VIRT-B
    [ "$code" = 0 ] || fail "exit $code"
    cmp -s /tmp/VIRT-A.flash "/tmp/$a.flash" || fail "VIRT-A's FLASH is not the $a one"
    cmp -s /tmp/VIRT-B.flash "/tmp/$b.flash" || fail "VIRT-B's FLASH is not the $b one"
    if [ "$1" = job ]; then
        chips=$(grep -c '"outcome": *"success"' /tmp/job.jsonl)
        [ "$chips" = 2 ] || fail "$chips chips logged as a success, not 2"
    fi
    detail="exit 0, VIRT-A's FLASH $a, VIRT-B's $b"
    verdict /tmp/out /tmp/err
}
each_row two_row "$two_rows"

# f. Hot-plug, as the windows' presence code sees it.
presence_count() { grep -c "$1" /tmp/presence; }
if begin_row f-hotplug; then
    /bin/vantro_presence_probe 30 >/tmp/presence 2>&1 &
    probe=$!
    sleep 0.5
    vp_start VIRT-HOT
    wait_until 5 sh -c '[ $(grep -c "Gravador Conectado" /tmp/presence) -ge 1 ]' || fail "arrival not seen"
    gone=$(presence_count "Gravador Desconectado")
    vp_stop VIRT-HOT
    wait_until 5 sh -c "[ \$(grep -c 'Gravador Desconectado' /tmp/presence) -gt $gone ]" ||
        fail "removal not seen"
    vp_start VIRT-HOT
    wait_until 5 sh -c '[ $(grep -c "Gravador Conectado" /tmp/presence) -ge 2 ]' || fail "return not seen"
    vp_stop VIRT-HOT
    kill "$probe" 2>/dev/null
    wait "$probe" 2>/dev/null
    detail="arrival, removal and return seen"
    verdict /tmp/presence
fi
if begin_row f-replug; then
    vp_start VIRT-0001 --emulate unplug=1 --replug-after 500
    timeout 60 "$cli" --timeout $limit erase >/tmp/out 2>/tmp/err
    first=$?
    wait_until 5 listed VIRT-0001 || fail "not back after --replug-after"
    timeout 60 "$cli" --timeout $limit erase >>/tmp/out 2>>/tmp/err
    second=$?
    vp_stop VIRT-0001
    [ "$first" = 3 ] || fail "exit $first at the unplug, not 3"
    [ "$second" = 0 ] || fail "exit $second after the replug, not 0"
    detail="exit 3 at the unplug, 0 once back"
    verdict /tmp/out /tmp/err /tmp/VIRT-0001.log
fi

# g. Permissions: a node the user may not open, /dev/uhid missing or closed.
if begin_row g-access; then
    vp_start VIRT-0001
    as_user "$cli list" >/tmp/out 2>/tmp/err
    as_user "timeout 60 $cli --timeout $limit erase" >>/tmp/out 2>>/tmp/err
    code=$?
    vp_stop VIRT-0001
    [ "$code" = 3 ] || fail "erase: exit $code, not 3"
    [ "$(cat /tmp/out /tmp/err | grep -c 'sem permissão de acesso')" -ge 2 ] ||
        fail "the access hint is missing"
    ! grep -q -i -e 'nenhum gravador' -e 'desconectado' /tmp/out /tmp/err ||
        fail "taken for no programmer or a removal"
    detail="list and erase give the access hint"
    verdict /tmp/out /tmp/err
fi
if begin_row g-uhid; then
    as_user "$vp" >/tmp/out 2>/tmp/err
    code=$?
    mv /dev/uhid /dev/uhid.away
    "$vp" >>/tmp/out 2>>/tmp/err
    missing=$?
    "$vp" --lang en >>/tmp/out 2>>/tmp/err
    mv /dev/uhid.away /dev/uhid
    [ "$code" = 3 ] && grep -q 'Sem permissão para abrir /dev/uhid' /tmp/err ||
        fail "no permission hint (exit $code)"
    [ "$missing" = 3 ] && grep -q 'carregue o módulo do kernel com "modprobe uhid"' /tmp/err ||
        fail "no modprobe hint (exit $missing)"
    grep -q 'There is no /dev/uhid' /tmp/err || fail "no English text with --lang en"
    detail="exit 3 with the permission and modprobe hints"
    verdict /tmp/out /tmp/err
fi
# The packaged udev rule: its uaccess tag gives the user at the seat access to the
# node (udev's uaccess builtin asks logind's seat file, written here as logind
# would for operador's session), and nobody else.
if begin_row g-udev; then
    mkdir -p /run/systemd/seats /run/udev
    printf 'ACTIVE=c1\nACTIVE_UID=1000\n' >/run/systemd/seats/seat0
    systemd-udevd --daemon --resolve-names=never 2>/tmp/udevd.log
    vp_start VIRT-0001
    node=/dev/$(node_of VIRT-0001)
    # Opened for reading and writing, as hidapi opens it (busybox's test ignores ACLs).
    wait_until 10 as_user "true <>$node" 2>/dev/null || fail "operador, at the seat, may not open $node"
    as_user "$cli list" >/tmp/out 2>/tmp/err
    as_user "timeout 60 $cli --timeout $limit erase" >>/tmp/out 2>>/tmp/err
    code=$?
    su visitante -c "$cli list" >/tmp/visitor 2>&1
    vp_stop VIRT-0001
    udevadm control --exit
    [ "$code" = 0 ] || fail "erase as operador: exit $code"
    grep -q 'VIRT-0001' /tmp/out || fail "operador's list does not show the programmer"
    grep -q 'sem permissão de acesso' /tmp/visitor || fail "visitante, not at the seat, got access"
    detail="operador, at the seat, lists and erases; visitante gets the access hint"
    verdict /tmp/out /tmp/err /tmp/visitor /tmp/udevd.log
fi

# h. A 60 KiB run at latency=2 through the kernel, against the in-process emulator.
if begin_row h-latency; then
    started=$(uptime_s)
    timeout 120 "$cli" --emulator --emulate latency=2 flash files/60k.hex >/dev/null 2>/tmp/err
    emu_code=$?
    emu=$(elapsed "$started")
    vp_start VIRT-0001 --emulate latency=2
    started=$(uptime_s)
    timeout 120 "$cli" flash files/60k.hex >/dev/null 2>>/tmp/err
    real_code=$?
    real=$(elapsed "$started")
    vp_stop VIRT-0001
    [ "$emu_code" = 0 ] && [ "$real_code" = 0 ] || fail "exit $real_code through the kernel, $emu_code in process"
    detail="kernel $real s, in process $emu s, ratio $(awk -v r="$real" -v e="$emu" 'BEGIN { printf "%.2f", r / e }')"
    verdict /tmp/err
fi
