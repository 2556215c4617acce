// SPDX-License-Identifier: MIT
#include "production/records_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace vantro::production {

namespace {

const std::string& text_or_empty(const std::optional<std::string>& value) {
    static const std::string empty;
    return value ? *value : empty;
}

std::string csv_field(const std::optional<std::string>& value) {
    const std::string& text = text_or_empty(value);
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

// The steps and lock bits columns hold JSON: exported as JSON, not as a string.
bool holds_json(std::string_view column) {
    return column == "steps" || column == "lock_bits";
}

}  // namespace

std::optional<double> SocketSummary::yield() const {
    if (done + failed == 0) {
        return std::nullopt;
    }
    return 100.0 * done / (done + failed);
}

std::vector<SocketSummary> summarize(const std::vector<AttemptRow>& rows) {
    std::vector<SocketSummary> summaries;
    for (const AttemptRow& row : rows) {
        const std::string& run = text_or_empty(row["run_id"]);
        const std::int64_t socket = row.integer("socket").value_or(0);
        auto found = std::find_if(summaries.begin(), summaries.end(), [&](const auto& summary) {
            return summary.run_id == run && summary.socket == socket;
        });
        if (found == summaries.end()) {
            SocketSummary summary;
            summary.run_id = run;
            summary.job = text_or_empty(row["job"]);
            summary.station = text_or_empty(row["station"]);
            summary.started = text_or_empty(row["time"]);
            summary.socket = socket;
            summary.programmer_serial = text_or_empty(row["programmer_serial"]);
            summaries.push_back(summary);
            found = summaries.end() - 1;
        }
        const std::string& state = text_or_empty(row["state"]);
        if (state == kStarted) {
            ++found->unfinished;
        } else {
            ++(state == "success" ? found->done : found->failed);
        }
        // A later attempt on the socket means it was started again after a pause.
        found->paused = row.integer("paused").value_or(0) != 0;
    }
    return summaries;
}

std::string attempts_csv(const std::vector<AttemptRow>& rows) {
    std::string csv = "id";
    for (const Column& column : kAttemptColumns) {
        csv += std::string(",") + column.name;
    }
    csv += "\r\n";
    for (const AttemptRow& row : rows) {
        csv += std::to_string(row.id);
        for (const auto& value : row.values) {
            csv += "," + csv_field(value);
        }
        csv += "\r\n";
    }
    return csv;
}

std::string attempts_jsonl(const std::vector<AttemptRow>& rows) {
    std::string lines;
    for (const AttemptRow& row : rows) {
        nlohmann::ordered_json line = {{"id", row.id}};
        for (std::size_t i = 0; i < kAttemptColumns.size(); ++i) {
            const Column& column = kAttemptColumns[i];
            const auto& value = row.values[i];
            if (!value) {
                line[column.name] = nullptr;
            } else if (column.integer) {
                line[column.name] = row.integer(column.name).value_or(0);
            } else if (holds_json(column.name)) {
                line[column.name] = nlohmann::ordered_json::parse(*value, nullptr, false);
            } else {
                line[column.name] = *value;
            }
        }
        lines += line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    }
    return lines;
}

}  // namespace vantro::production
