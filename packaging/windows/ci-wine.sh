#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows job: cross-builds the core, vantro-cli and the native window with
# MinGW-w64, with warnings as errors, and runs their tests (the window's on an
# Xvfb display) and a few end-to-end checks under Wine (Ctrl-C and --repeat
# among them), and checks the setup program.
# Run as root from any clone; BUILD (default build-wine) is the work folder.
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$top"
build="$(realpath -m "${BUILD:-build-wine}")"
jobs="${JOBS:-$(nproc)}"
prefix="$build/deps"
start=$SECONDS

install_tools() {
    export DEBIAN_FRONTEND=noninteractive
    # hidapi's Windows backend and SQLite come from Debian's source archive.
    local sources=/etc/apt/sources.list.d/vantro-bookworm-src.sources
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
        ! grep -qs '^deb-src' /etc/apt/sources.list; then
        printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
            'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' \
            >"$sources"
    fi
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64-posix wine64 \
        dpkg-dev googletest libcli11-dev nlohmann-json3-dev libtomlplusplus-dev cmake ninja-build \
        srecord sdcc xvfb nsis tcl >/dev/null
}

cross_cmake() {
    local source="$1" binary="$2"
    shift 2
    # Quiet when it works; the whole log when it does not.
    local log="$binary.log"
    mkdir -p "$(dirname "$log")"
    # Rebuilds on a machine that keeps a compiler cache take minutes, not a quarter hour.
    if command -v ccache >/dev/null; then
        set -- -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache "$@"
    fi
    if ! { cmake -S "$source" -B "$binary" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
        -DVANTRO_WINDOWS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" "$@" &&
        cmake --build "$binary" -j "$jobs"; } >"$log" 2>&1; then
        cat "$log" >&2
        echo "FAILED: the Windows build of $source" >&2
        return 1
    fi
}

# SQLite's single-file source, made by its own build from Debian's source (which
# needs tclsh), compiled for Windows into a static library under $prefix.
build_sqlite() {
    local source="$1" work="$build/deps-src/sqlite-build"
    mkdir -p "$work" "$prefix/lib" "$prefix/include"
    local cc=(x86_64-w64-mingw32-gcc-posix)
    command -v ccache >/dev/null && cc=(ccache "${cc[@]}")
    if ! { (cd "$work" && "$source/configure" --disable-tcl && make sqlite3.c) &&
        "${cc[@]}" -O2 -DSQLITE_THREADSAFE=1 -c "$work/sqlite3.c" -o "$work/sqlite3.o" &&
        x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o"; } \
        >"$work.log" 2>&1; then
        cat "$work.log" >&2
        echo "FAILED: the Windows build of SQLite" >&2
        return 1
    fi
    cp "$work/sqlite3.h" "$prefix/include/"
}

# hidapi and SQLite (static, from Debian's source), GoogleTest, and the headers of CLI11,
# nlohmann-json and toml++, all under $prefix: the cross build never looks into
# /usr/include. The headers are copied every time: a prefix built before one was
# needed gets it too.
build_dependencies() {
    copy_headers
    # A prefix made before SQLite was needed is made again.
    [ -f "$prefix/.complete" ] && [ -f "$prefix/lib/libsqlite3.a" ] && return
    rm -rf "$prefix" "$build/deps-src"
    mkdir -p "$build/deps-src"
    (cd "$build/deps-src" && apt-get source -qq hidapi >/dev/null 2>&1)
    cross_cmake "$(echo "$build"/deps-src/hidapi-*/)" "$build/deps-src/hidapi-build" \
        -DBUILD_SHARED_LIBS=OFF -DHIDAPI_BUILD_HIDTEST=OFF
    cmake --install "$build/deps-src/hidapi-build" >/dev/null
    (cd "$build/deps-src" && apt-get source -qq sqlite3 >/dev/null 2>&1)
    build_sqlite "$(echo "$build"/deps-src/sqlite3-*/)"
    cross_cmake /usr/src/googletest "$build/deps-src/googletest-build" -DBUILD_GMOCK=OFF
    cmake --install "$build/deps-src/googletest-build" >/dev/null
    copy_headers
    touch "$prefix/.complete"
}

copy_headers() {
    mkdir -p "$prefix/include" "$prefix/share/cmake"
    cp -r /usr/include/CLI /usr/include/nlohmann /usr/include/toml++ "$prefix/include/"
    cp -r /usr/share/cmake/CLI11 /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
}

# One Wine prefix and one wineserver for the whole run: starting Wine is the slow part.
start_wine() {
    export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export PATH="/usr/lib/wine:$PATH"
    mkdir -p "$WINEPREFIX"
    wineserver -p </dev/null >/dev/null 2>&1
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    wine64 wineboot -i </dev/null >/dev/null 2>&1
}

# An X display of our own for the window's tests: Wine draws its windows there.
start_display() {
    local number_file="$build/display"
    rm -f "$number_file"  # a number left by an earlier run names a server gone
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    local server=$!
    for _ in $(seq 100); do
        [ -s "$number_file" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(cat "$number_file")"
    # Stopped when the job ends, however it ends.
    (while kill -0 $$ 2>/dev/null; do sleep 1; done; kill "$server") </dev/null >/dev/null 2>&1 &
}

# The setup program, built, installed, used and uninstalled under Wine.
check_setup_program() {
    cmake --build "$build/vantro" --target setup >/dev/null
    bash "$top/packaging/windows/installer-check.sh" "$build/vantro"
}

# The Linux vantro-cli the Windows one is compared with: tests/run-all.sh's, when
# .ci/run has just built it, otherwise one of our own.
linux_cli() {
    if [ -x "$top/build-ci/cli/vantro-cli" ]; then
        echo "$top/build-ci/cli/vantro-cli"
        return
    fi
    cmake -S "$top" -B "$build/linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVANTRO_BUILD_APP=OFF -DVANTRO_BUILD_TESTS=OFF -DVANTRO_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build/linux" --target vantro-cli -j "$jobs" >/dev/null
    echo "$build/linux/cli/vantro-cli"
}

install_tools
echo "== windows: tools installed ($((SECONDS - start)) s)"
build_dependencies
echo "== windows: hidapi, SQLite, GoogleTest, CLI11 and toml++ ready ($((SECONDS - start)) s)"
start_display
start_wine
# -O2 as on Linux: MinGW's GCC 12 at -O3 warns falsely on std::string's inlined
# copies (-Wrestrict, GCC bug 105329), which -Werror would make fatal.
cross_cmake "$top" "$build/vantro" -DVANTRO_WERROR=ON -DVANTRO_BUILD_APP=OFF \
    -DVANTRO_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG"
echo "== windows: built with -Werror ($((SECONDS - start)) s)"
# Each test program runs once with all its tests: starting Wine per test, as ctest
# would, takes longer than the tests. A program's log is shown when it fails.
run_tests() {
    local failed=0 program log
    while IFS= read -r program; do
        log="${program%.exe}.log"
        if (cd "$(dirname "$program")" && wine64 "$program" </dev/null >"$log" 2>&1); then
            echo "$(basename "$program"): $(grep -E '^\[  PASSED  \]' "$log")"
        else
            cat "$log"
            failed=1
        fi
        # Why each skipped test cannot run on Windows (the log has CRLF line ends).
        tr -d '\r' <"$log" | { grep -A1 ': Skipped$' || true; } |
            { grep -vE ': Skipped$|^--$' || true; } | sort | uniq -c | sed 's/^/    skipped: /'
    done < <(find "$build/vantro/tests" -name '*_tests.exe' | sort)
    return "$failed"
}

echo "== windows: tests under Wine"
run_tests
bash "$top/packaging/windows/wine-checks.sh" "$build" "$(linux_cli)"
# The ZIP: the program and its texts, nothing of Linux's (udev rule, manual page).
(cd "$build/vantro" && rm -f ./*.zip && cpack -G ZIP >/dev/null)
contents="$(cmake -E tar tf "$build"/vantro/vantro-*-windows-x86_64.zip)"
for wanted in vantro.exe vantro-cli.exe README.md LICENSE LEIA-ME.txt; do
    grep -q "/$wanted\$" <<<"$contents" || { echo "FAILED: the ZIP lacks $wanted" >&2; exit 1; }
done
if grep -qE 'udev|\.rules$|man1' <<<"$contents"; then
    echo "FAILED: the ZIP holds Linux files: $contents" >&2
    exit 1
fi
# Its texts open rightly in Notepad (UTF-8 byte-order mark, CRLF), and the README is Windows'.
rm -rf "$build/zip" && mkdir -p "$build/zip"
(cd "$build/zip" && cmake -E tar xf "$build"/vantro/vantro-*-windows-x86_64.zip)
for text in README.md LEIA-ME.txt; do
    file="$(find "$build/zip" -name "$text")"
    if [ "$(head -c 3 "$file" | od -An -tx1 | tr -d ' ')" != efbbbf ] || grep -q $'[^\r]$' "$file"; then
        echo "FAILED: the ZIP's $text lacks the byte-order mark or CRLF line ends" >&2
        exit 1
    fi
done
if grep -qi 'debian' "$(find "$build/zip" -name README.md)"; then
    echo "FAILED: the ZIP's README speaks of Debian" >&2
    exit 1
fi
echo "== windows: ZIP holds $(echo $contents | tr '\n' ' ')"
check_setup_program
echo "== windows: job took $((SECONDS - start)) s"
