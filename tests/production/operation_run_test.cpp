// SPDX-License-Identifier: MIT
// A command's rounds below the front-ends: the exit code several programmers
// report, the line a failed chip's log carries, and the record made once.

#include <gtest/gtest.h>

#include "ops/exit_codes.h"
#include "production/chip_records.h"
#include "production/operation_run.h"

namespace vantro::production {
namespace {

ChipEnd ended(ops::Outcome outcome, int exit_code) {
    ChipEnd end;
    end.outcome = outcome;
    end.exit_code = exit_code;
    return end;
}

TEST(OperationRun, SeveralProgrammersReportTheWorstExitCode) {
    struct Case {
        std::vector<ChipEnd> ends;
        int expected;
    };
    const Case cases[] = {
        {{ended(ops::Outcome::Success, 0), ended(ops::Outcome::Success, 0)}, ops::kExitSuccess},
        {{ended(ops::Outcome::Success, 0), ended(ops::Outcome::Refused, 1)}, ops::kExitRefused},
        {{ended(ops::Outcome::TimedOut, 3), ended(ops::Outcome::Refused, 1),
          ended(ops::Outcome::Success, 0)},
         ops::kExitNoDevice},
        {{ended(ops::Outcome::OutputFailed, 2), ended(ops::Outcome::Success, 0)}, ops::kExitUsage},
        {{ended(ops::Outcome::Cancelled, 130), ended(ops::Outcome::TimedOut, 3)}, 130},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(worst_exit_code(c.ends), c.expected);
    }
}

TEST(OperationRun, TheLogJoinsTheLastMessageAndWhatTheChipHolds) {
    EXPECT_EQ(joined("Gravou com sucesso!", std::nullopt), "Gravou com sucesso!");
    EXPECT_EQ(joined("", std::string("Apague.")), "Apague.");
    EXPECT_EQ(joined("Erro na gravação", std::string("Apague.")), "Erro na gravação. Apague.");
    EXPECT_EQ(joined("Sem resposta.", std::string("Apague.")), "Sem resposta. Apague.");
}

TEST(ChipRecords, ARecordCarriesTheRunsFactsAndTheChipsOutcomeWord) {
    const RunFacts run = run_facts("eeprom", "", nullptr, std::nullopt);
    EXPECT_FALSE(run.hex_file);
    EXPECT_FALSE(run.sha256);
    EXPECT_FALSE(run.part);
    const ChipRecord record = chip_record(
        run, {std::chrono::system_clock::now(), "emulated:2", "EMU-0002",
              ops::Outcome::OutputFailed, ops::kExitUsage, std::chrono::milliseconds(12), ""});
    EXPECT_EQ(record.operation, "eeprom");
    EXPECT_EQ(record.programmer, "emulated:2");
    EXPECT_EQ(record.outcome, "output-failed");
    EXPECT_EQ(record.exit_code, 2);
    EXPECT_EQ(record.duration_ms, 12);
    EXPECT_FALSE(record.message) << "an empty message is left out of the log";

    const RunFacts with_file = run_facts("flash", "fw.hex", nullptr, std::nullopt);
    ASSERT_TRUE(with_file.hex_file);
    EXPECT_TRUE(std::filesystem::path(*with_file.hex_file).is_absolute());
}

}  // namespace
}  // namespace vantro::production
