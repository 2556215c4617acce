#!/usr/bin/env bash
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

# Figure lines from the counters of a bench program that prints none itself:
# each item is COUNTER:TARGET:UNIT:NAME.
figures_from_json() {
    local json="$1"; shift
    local item counter target unit name value
    for item in "$@"; do
        IFS=: read -r counter target unit name <<<"$item"
        value="$(sed -n "s/^ *\"$counter\": *\([-0-9.e+]*\),\{0,1\}$/\1/p" "$json" | tail -n 1)"
        if [ -z "$value" ]; then
            echo "$name: not reported" >>"$summary"
            status=1
            continue
        fi
        awk -v v="$value" -v t="$target" -v u="$unit" -v n="$name" 'BEGIN {
            missed = v + 0 > t + 0
            printf "%s: %.3g %s / %g %s = %.3g%s\n", n, v, u, t, u, v / t, (missed ? " MISSED" : "")
            exit missed }' >>"$summary" || status=1
    done
}

# Runs one program if it was built; its figure lines go to the summary.
run() {
    local program="$build/bench/$1"; shift
    [ -x "$program" ] || return 0
    echo "== $(basename "$program")"
    "$program" "$@" | tee "$scratch/out"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    grep -E '^[^ ].*: .* / .* = [0-9.e+-]+( MISSED)?$' "$scratch/out" >>"$summary"
}

run vantro_bench_hex
run vantro_bench_monta_pacote
run vantro_bench_flash_run
run vantro_bench_flash_hidapi
if [ -x "$build/bench/vantro_bench_hidapi" ]; then
    run vantro_bench_hidapi --benchmark_out="$scratch/hidapi.json" --benchmark_out_format=json
    figures_from_json "$scratch/hidapi.json" \
        "added_us:100:us:latency the hidapi backend adds per exchange (erase reports)" \
        "idle_cpu_percent:1:%:CPU over wall, hidapi backend connected and idle"
fi
run vantro_bench_cli_memory
run vantro_bench_app_start

echo "== figures"
cat "$summary"
exit "$status"
