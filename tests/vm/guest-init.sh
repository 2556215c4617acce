#!/bin/sh
# SPDX-License-Identifier: MIT
# The guest's first process: mounts the kernel's file systems, loads the HID
# modules, adds an unprivileged user, runs the scenarios and powers off.
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
# Terminals for the progress bar's rows.
mkdir -p /dev/pts
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /tmp
while read -r module; do
    insmod "$module" || echo "VMROW FAIL modules: insmod $module"
done </lib/modules/order
# g: a user who owns nothing here, hidraw nodes included (root's, mode 0600).
echo 'root:x:0:0:root:/root:/bin/sh' >/etc/passwd
echo 'operador:x:1000:1000:operador:/tmp:/bin/sh' >>/etc/passwd
echo 'visitante:x:1001:1001:visitante:/tmp:/bin/sh' >>/etc/passwd
printf 'root:x:0:\noperador:x:1000:\nvisitante:x:1001:\n' >/etc/group
# On a line of its own: the firmware's screen codes end the line before.
echo
echo "VMBOOT $(cut -d' ' -f1 /proc/uptime) s"
cd /vantro && sh ./scenarios.sh
echo "VMDONE $(cut -d' ' -f1 /proc/uptime) s"
poweroff -f
