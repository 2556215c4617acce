#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the .deb in a build directory, installs it on this machine and checks
# that the installed programs start and the installed desktop files validate.
# Usage: packaging/check-deb.sh BUILD_DIR   (needs root, or sudo)
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
    echo "usage: $0 BUILD_DIR (a configured build directory)" >&2
    exit 2
fi
build="$(cd "$1" && pwd)"
sample="$(cd "$(dirname "$0")" && pwd)/sample/blink.hex"

fail() {
    echo "check-deb: $*" >&2
    exit 1
}
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
# The installed path of a file of the package, found by its name.
installed() {
    dpkg -L vantro | grep -m1 -- "/$1\$" || fail "the package has no $1"
}

cmake --build "$build"
rm -f "$build"/vantro_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/vantro_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no vantro_*.deb"
deb="${debs[0]}"
echo "check-deb: $(basename "$deb"), depends: $(dpkg-deb -f "$deb" Depends)"

if ! as_root dpkg -i "$deb"; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get -f install -y
fi
[ "$(dpkg-query -W -f '${db:Status-Status}' vantro)" = installed ] || fail "vantro is not installed"

cli="$(installed bin/vantro-cli)"
version="$(dpkg-deb -f "$deb" Version)"
[ "$("$cli" --version)" = "vantro-cli $version" ] || fail "vantro-cli --version is not $version"
"$cli" check "$sample" || fail "vantro-cli check refused the sample"
"$cli" --quiet --emulator flash "$sample" || fail "vantro-cli could not flash the emulated programmer"

installed lib/udev/rules.d/70-vantro-programmer.rules >/dev/null
# Every program's manual page, in English and in Portuguese.
pages=(vantro-cli vantro-virtual-programmer)
if dpkg -L vantro | grep -q '/bin/vantro$'; then
    pages+=(vantro)
fi
for page in "${pages[@]}"; do
    for folder in man/man1 man/pt_BR/man1; do
        gzip -t "$(installed "$folder/$page.1.gz")" || fail "the manual page $folder/$page is damaged"
    done
done

virtual="$(installed bin/vantro-virtual-programmer)"
[ "$("$virtual" --version)" = "vantro-virtual-programmer $version" ] ||
    fail "vantro-virtual-programmer --version is not $version"
"$virtual" --help | grep -q -- '--replug-after' || fail "vantro-virtual-programmer --help is incomplete"
"$virtual" --lang en --help | grep -q 'virtual Vantro programmer' ||
    fail "vantro-virtual-programmer --help is not in English with --lang en"

if dpkg -L vantro | grep -q '/bin/vantro$'; then
    QT_QPA_PLATFORM=offscreen timeout 60 "$(installed bin/vantro)" --emulator --quit-after-show ||
        fail "vantro did not start"
    desktop-file-validate "$(installed applications/example.vantro.Vantro.desktop)" ||
        fail "the desktop entry does not validate"
    metainfo="$(installed metainfo/example.vantro.Vantro.metainfo.xml)"
    appstreamcli validate --no-net "$metainfo" || fail "the metainfo does not validate"
    grep -q "<release version=\"$version\"" "$metainfo" ||
        fail "the metainfo lists no release $version"
    for icon in 16x16/apps/example.vantro.Vantro.png 32x32/apps/example.vantro.Vantro.png \
        scalable/apps/example.vantro.Vantro.svg; do
        installed "hicolor/$icon" >/dev/null
    done
fi
echo "check-deb: $(basename "$deb") installs and works"
