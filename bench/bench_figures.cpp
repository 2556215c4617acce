// SPDX-License-Identifier: MIT
#include "bench/bench_figures.h"

#include <unistd.h>
#include <algorithm>

#include <cstdio>
#include <vector>

namespace vantro::bench {
namespace {

std::vector<Figure>& reported() {
    static std::vector<Figure> figures;
    return figures;
}

// The console report, noting whether any benchmark failed: a failed one reports no
// figure, and its absence must not pass for success.
class FailureNotingReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal: the figure lines are also read by scripts.
    FailureNotingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Color : OO_None) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                failed.push_back(run.benchmark_name() + ": " + run.error_message);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::vector<std::string> failed;
};

}  // namespace

std::string figure_line(const Figure& figure) {
    char line[256];
    std::snprintf(line, sizeof line, "%s: %.3g %s / %g %s = %.3g%s", figure.name.c_str(),
                  figure.value, figure.unit.c_str(), figure.target, figure.unit.c_str(),
                  figure.ratio(), figure.met() ? "" : " MISSED");
    return line;
}

void report_figure(benchmark::State& state, std::string_view counter, const Figure& figure) {
    if (state.error_occurred()) {
        return;
    }
    state.counters[std::string(counter)] = figure.value;
    state.counters[std::string(counter) + "_ratio"] = figure.ratio();
    auto& figures = reported();
    const auto same = std::ranges::find(figures, figure.name, &Figure::name);
    if (same == figures.end()) {
        figures.push_back(figure);
    } else {
        *same = figure;
    }
}

int run_benchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    FailureNotingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    bool all_met = reporter.failed.empty();
    for (const Figure& figure : reported()) {
        std::printf("%s\n", figure_line(figure).c_str());
        all_met = all_met && figure.met();
    }
    for (const std::string& failure : reporter.failed) {
        std::printf("%s FAILED, no figure\n", failure.c_str());
    }
    return all_met ? 0 : 1;
}

}  // namespace vantro::bench
