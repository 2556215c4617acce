#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the benchmarks (Release) and runs every bench program, then ends with one
# line per figure, "figure: value / target = ratio" (" MISSED" when over target).
# Usage: bench/run-all.sh [BUILD_DIR]   (default: build-bench)
# Exit status: 0 when every figure met its target, 1 otherwise.
set -uo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$top/build-bench}"
jobs="${JOBS:-$(nproc)}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
cmake --build "$build" -j "$jobs" --target vantro_benchmarks || exit 1

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
summary="$scratch/summary"
status=0

# Runs one program if it was built; its figure lines go to the summary.
run() {
    local name="$1"
    local program="$build/bench/$name"
    if [ ! -x "$program" ]; then
        echo "$name: not built" >>"$summary"
        return 0
    fi
    echo "== $name"
    "$program" | tee "$scratch/out"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    grep -E '^[^ ].*(: .* / .* = [0-9.e+-]+( MISSED)?| FAILED, no figure)$' "$scratch/out" \
        >>"$summary" || { echo "$name: no figure" >>"$summary"; status=1; }
}

run vantro_bench_hex
run vantro_bench_monta_pacote
run vantro_bench_flash_run
run vantro_bench_parallel_run
run vantro_bench_job_sockets
run vantro_bench_job_records
run vantro_bench_flash_hidapi
run vantro_bench_hidapi
run vantro_bench_cli_memory
run vantro_bench_app_start

echo "== figures"
cat "$summary"
exit "$status"
