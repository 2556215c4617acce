// SPDX-License-Identifier: MIT
#pragma once
// A measured figure against its target, printed as "name: value / target = ratio"
// so that every bench program reports in the same form.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

namespace vantro::bench {

// The physical pace: USB full speed takes about 2 ms for one report out and its
// answer in, in lockstep. A host time per exchange over this is the host's share.
inline constexpr double kUsbExchangeUs = 2000;

struct Figure {
    std::string name;
    double value = 0;   // in unit
    double target = 0;  // in unit; the figure meets it when value <= target
    std::string unit;

    double ratio() const { return value / target; }
    bool met() const { return value <= target; }
};

// "name: value unit / target unit = ratio", with " MISSED" when over the target.
std::string figure_line(const Figure& figure);

// Sets the benchmark's counters `counter` (the figure in its unit) and `counter`_ratio,
// and keeps the figure for the summary; a later report of the same name replaces it, so the
// final run of a benchmark is the one summarised. A failed benchmark reports nothing.
void report_figure(benchmark::State& state, std::string_view counter, const Figure& figure);

// Runs the registered benchmarks, then prints one figure line per reported figure.
// Returns 0 when every figure met its target, 1 when one missed or a benchmark failed,
// 2 on unknown arguments.
int run_benchmarks(int argc, char** argv);

}  // namespace vantro::bench
