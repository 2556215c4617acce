# SPDX-License-Identifier: MIT
# What the VM test's scenarios share in the guest: the programs, a row's verdict
# on the console ("VMROW PASS|FAIL NAME ..." for the host to read), bounded
# waits, and virtual programmers started and stopped. Sourced by scenarios.sh.
cli=/bin/vantro-cli
vp=/bin/vantro-virtual-programmer
session=/bin/vantro_session_probe
pty=/bin/vantro_pty_screen
files=/vantro/files
only=$(cat /vantro/only)
limit=2   # --timeout of every run: a silent programmer ends a run in 2 s

pass() { echo "VMROW PASS $row $*"; }
fail() { echo "VMROW FAIL $row: $*"; failed_row=1; }
uptime_s() { cut -d' ' -f1 /proc/uptime; }
elapsed() { awk -v a="$1" -v b="$(uptime_s)" 'BEGIN { printf "%.2f", b - a }'; }
# Whether this row runs (all of them, unless some were named).
wanted() { [ -z "$only" ] || case " $only " in *" $1 "*) true ;; *) false ;; esac; }

# wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds.
wait_until() {
    deadline=$(awk -v s="$1" -v u="$(uptime_s)" 'BEGIN { print u + s }')
    shift
    until "$@"; do
        if awk -v d="$deadline" -v u="$(uptime_s)" 'BEGIN { exit !(u > d) }'; then
            return 1
        fi
        sleep 0.1
    done
}
# Whether a hidraw node of the device with this serial number exists (the
# kernel's uevent carries it as HID_UNIQ): cheaper than a list each time.
listed() { cat /sys/class/hidraw/*/device/uevent 2>/dev/null | grep -q "^HID_UNIQ=$1\$"; }
# The hidraw node's name (hidrawN) of the device with this serial number.
node_of() { grep -l "^HID_UNIQ=$1\$" /sys/class/hidraw/*/device/uevent | cut -d/ -f5; }

# vp_start SERIAL [ARGS...]: a virtual programmer, its memories saved to /tmp/SERIAL.*.
vp_start() {
    serial=$1
    shift
    "$vp" --serial "$serial" --dump-flash "/tmp/$serial.flash" --dump-eeprom "/tmp/$serial.eeprom" \
        "$@" 2>"/tmp/$serial.log" &
    echo $! >"/tmp/$serial.pid"
    wait_until 10 listed "$serial" || { fail "$serial never appeared"; cat "/tmp/$serial.log"; }
    wait_until 5 test -c "/dev/$(node_of "$serial")" ||
        fail "$serial has no node in /dev"
}
# vp_stop SERIAL: SIGTERM, and its end (memories saved) awaited.
vp_stop() {
    pid=$(cat "/tmp/$1.pid")
    kill -TERM "$pid" 2>/dev/null
    wait_until 10 sh -c "! kill -0 $pid 2>/dev/null" || { fail "$1 did not end on SIGTERM"; kill -KILL "$pid"; }
    wait "$pid" 2>/dev/null
}

# The report number at which each phase of a run lies, from its trace: erase,
# begin, first, middle and last data report, end, lock.
phase_report() {
    awk -v phase="$1" '{ code = tolower(substr($0, 3, 2)) }
        code == "aa" && !erase { erase = NR }
        code == "cc" && !begin { begin = NR }
        (code == "bb" || code == "af") { if (!first) first = NR; last = NR }
        code == "dd" { end = NR }
        code == "01" { lock = NR }
        END { n["erase"] = erase; n["begin"] = begin; n["first"] = first; n["last"] = last
              n["middle"] = int((first + last) / 2); n["end"] = end; n["lock"] = lock
              print n[phase] }' "$2"
}


# each_row FUNCTION TABLE: FUNCTION called with the words of each line of TABLE.
each_row() {
    echo "$2" | while read -r line; do
        # shellcheck disable=SC2086
        [ -z "$line" ] || "$1" $line
    done
}

# A row's verdict: pass with DETAIL, or the logs of what failed.
verdict() {
    if [ "$failed_row" = 1 ]; then
        for log in "$@"; do
            sed "s|^|    $log: |" "$log"
        done
    else
        pass "$detail"
    fi
}
# begin_row NAME: whether the row runs; its verdict starts clean.
begin_row() {
    row=$1
    failed_row=0
    detail=
    cd /vantro
    wanted "$row"
}
as_user() { su operador -c "$*"; }
