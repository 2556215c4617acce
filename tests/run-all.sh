#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs every test: a warnings-as-errors build (whose programs also run
# in a VM, tests/vm/), an AddressSanitizer + UndefinedBehaviorSanitizer build, and
# a ThreadSanitizer build of the tests of threaded code (only those are built).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
jobs="${JOBS:-$(nproc)}"
export QT_QPA_PLATFORM=offscreen

configure_and_test() {
    local dir="$1"; shift
    local label="$1"; shift
    cmake -S . -B "$dir" -G Ninja -DVANTRO_WERROR=ON "$@" >/dev/null
    cmake --build "$dir" -j "$jobs" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
    echo "== tests: $label"
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" ${CTEST_ARGS:-}
}

# The release build (-O2 as packaged, no debug information: a sixth of the compile time).
configure_and_test build-ci "main build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG"
# The main build's programs under a real kernel's HID stack (uhid, hidraw, hidapi).
echo "== tests: the real device path, in a VM"
tests/vm/run-vm-test.sh build-ci
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    configure_and_test build-ci-asan "ASan+UBSan" -DCMAKE_BUILD_TYPE=Debug \
    -DVANTRO_SANITIZE=ON -DVANTRO_BUILD_BENCH=OFF
if [ -f tests/hid/CMakeLists.txt ]; then
    TSAN_OPTIONS=halt_on_error=1 CTEST_ARGS="-L tsan" BUILD_TARGET=vantro_tsan_tests \
        configure_and_test build-ci-tsan "ThreadSanitizer" -DCMAKE_BUILD_TYPE=Debug \
        -DVANTRO_TSAN=ON -DVANTRO_BUILD_APP=OFF -DVANTRO_BUILD_BENCH=OFF
fi

# A short fuzzing pass (fuzz/README.md has the long one), where clang's libFuzzer
# runtime is installed.
if command -v clang++ >/dev/null 2>&1 &&
    [ -f "$(clang++ -print-file-name="libclang_rt.fuzzer-$(uname -m).a")" ]; then
    echo "== fuzzing: short pass"
    VANTRO_FUZZ_BUILD="$top/build-ci-fuzz" fuzz/run.sh "${FUZZ_SECONDS:-30}"
else
    echo "== fuzzing skipped: clang++ or its libFuzzer runtime (libclang-rt) is missing"
fi
