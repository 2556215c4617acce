#include "bench/bench_figures.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace vantro::bench {
namespace {

std::vector<Figure>& reported() {
    static std::vector<Figure> figures;
    return figures;
}

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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bool all_met = true;
    for (const Figure& figure : reported()) {
        std::printf("%s\n", figure_line(figure).c_str());
        all_met = all_met && figure.met();
    }
    return all_met ? 0 : 1;
}

}  // namespace vantro::bench
