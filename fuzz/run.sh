#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzzers and runs each for SECONDS, one after the other, on its
# corpus under the build folder (seeded from fuzz/corpus/). Prints each one's
# executions; exits 1 if any found a crash, leak, undefined behaviour or time-out,
# and leaves the input that did it in <build>/fuzz/findings/.
#   fuzz/run.sh SECONDS            (build folder: build-fuzz, or $VANTRO_FUZZ_BUILD)
set -euo pipefail
seconds="${1:?usage: fuzz/run.sh SECONDS}"
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${VANTRO_FUZZ_BUILD:-$top/build-fuzz}"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVANTRO_FUZZ=ON \
    -DVANTRO_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTRO_BUILD_APP=OFF \
    -DVANTRO_BUILD_TESTS=OFF -DVANTRO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target vantro_fuzzers

# target name, its seed folder, and the longest input it is given: a HEX file of
# many records (64 KiB: some 1500 records of 16 bytes) is longer than the
# 4096 bytes libFuzzer allows by default (0: its own guess).
targets=("hex_load hex 65536" "session session 0" "rehearsal rehearsal 4096")
findings="$build/fuzz/findings"
mkdir -p "$findings"
failed=0
total=0
for entry in "${targets[@]}"; do
    read -r target seeds max_len <<<"$entry"
    corpus="$build/fuzz/corpus/$target"
    log="$build/fuzz/$target.log"
    mkdir -p "$corpus"
    seed_dirs=()
    if [ -d "$top/fuzz/corpus/$seeds" ]; then
        seed_dirs+=("$top/fuzz/corpus/$seeds")
    fi
    # -timeout: a run of the three operations ends within their limits (2 s each) or hangs.
    if ! "$build/fuzz/vantro_fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        "$corpus" "${seed_dirs[@]}" >"$log" 2>&1; then
        failed=1
        echo "== $target: FOUND A FAULT; see $log and $findings" >&2
        grep -E "ERROR|SUMMARY|runtime error" "$log" | head -5 >&2 || true
        continue
    fi
    runs="$(awk '/stat::number_of_executed_units/ {print $2}' "$log")"
    rate="$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")"
    total=$((total + ${runs:-0}))
    echo "== $target: $runs executions in $seconds s ($rate per second), no fault"
done
echo "== fuzzing: $total executions in all"
exit "$failed"
