// SPDX-License-Identifier: MIT
// records SOURCE: what a job's records hold. A chip's whole record (--serial N),
// a summary per run and socket, or every attempt exported (--format csv|jsonl).

#include <cstdio>
#include <iomanip>
#include <sstream>

#include "cli/commands.h"
#include "i18n/texts.h"
#include "ops/exit_codes.h"
#include "platform/console.h"
#include "production/records.h"
#include "production/records_report.h"

namespace vantro::cli {

namespace {

void print(const std::string& text) {
    platform::write_text(stdout, text);
}

std::string yield_text(const production::SocketSummary& summary) {
    const auto yield = summary.yield();
    if (!yield) {
        return "-";
    }
    std::ostringstream text;
    text << std::fixed << std::setprecision(1) << *yield << " %";
    return text.str();
}

void print_summary(const std::vector<production::AttemptRow>& rows) {
    std::string run;
    for (const production::SocketSummary& summary : production::summarize(rows)) {
        if (summary.run_id != run) {
            run = summary.run_id;
            print(tr_args("Execução %1: job \"%2\", estação %3, desde %4",
                          {summary.run_id, summary.job, summary.station, summary.started}) +
                  "\n");
        }
        std::string line = tr_args(
            "  Soquete %1 (%2): %3 gravados, %4 com falha, rendimento %5, %6 números tomados sem "
            "fim",
            {std::to_string(summary.socket), summary.programmer_serial,
             std::to_string(summary.done), std::to_string(summary.failed), yield_text(summary),
             std::to_string(summary.unfinished)});
        if (summary.paused) {
            line += "; " + tr("pausado");
        }
        print(line + "\n");
    }
}

// Every attempt at the number, each column on a line of its own.
void print_chip(std::uint64_t serial, const std::vector<production::AttemptRow>& rows) {
    for (const production::AttemptRow& row : rows) {
        print(tr_args(
                  "Chip nº %1, job \"%2\", tentativa %3:",
                  {std::to_string(serial), row["job"].value_or(""), row["attempt"].value_or("")}) +
              "\n");
        for (std::size_t i = 0; i < production::kAttemptColumns.size(); ++i) {
            print(std::string("  ") + production::kAttemptColumns[i].name + ": " +
                  row.values[i].value_or("-") + "\n");
        }
    }
}

}  // namespace

int run_records(const CliOptions& options, TerminalDisplay& display) {
    auto opened = production::open_records(options.records_source, production::RecordsAccess::Read);
    if (const auto* problem = std::get_if<std::string>(&opened)) {
        display.print_line(*problem);
        return ops::kExitUsage;
    }
    production::Records& records = *std::get<std::unique_ptr<production::Records>>(opened);
    auto read = records.attempts(options.records_serial);
    if (const auto* problem = std::get_if<std::string>(&read)) {
        display.print_line(*problem);
        return ops::kExitUsage;
    }
    const auto& rows = std::get<std::vector<production::AttemptRow>>(read);
    if (options.records_serial) {
        if (rows.empty()) {
            display.print_line(tr_args("A base de registros \"%1\" não tem o chip nº %2.",
                                       {records.place(), std::to_string(*options.records_serial)}));
            return ops::kExitUsage;
        }
        print_chip(*options.records_serial, rows);
    } else if (options.records_format == "csv") {
        print(production::attempts_csv(rows));
    } else if (options.records_format == "jsonl") {
        print(production::attempts_jsonl(rows));
    } else {
        print_summary(rows);
    }
    return ops::kExitSuccess;
}

}  // namespace vantro::cli
