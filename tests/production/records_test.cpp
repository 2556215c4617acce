// SPDX-License-Identifier: MIT
// The records store: its tables, the taking of numbers, and the file it lives in.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <set>
#include <string>
#include <variant>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "production/records.h"
#include "tests/support/read_all.h"

namespace vantro::production {
namespace {

namespace fs = std::filesystem;

// A fresh folder of its own for each test.
fs::path scratch_folder(const std::string& name) {
    const fs::path folder = fs::path(VANTRO_TEST_TMP) / ("records-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::unique_ptr<Records> open_for_writing(const fs::path& path) {
    auto opened = open_records(path.string(), RecordsAccess::Write);
    if (auto* problem = std::get_if<std::string>(&opened)) {
        ADD_FAILURE() << *problem;
        return nullptr;
    }
    return std::move(std::get<std::unique_ptr<Records>>(opened));
}

ChipRecord chip(const std::string& job, int socket) {
    ChipRecord record;
    record.time = std::chrono::system_clock::now();
    record.operation = "job";
    record.programmer = "emulator:" + std::to_string(socket);
    record.serial = "EMU-000" + std::to_string(socket);
    JobChipFields fields;
    fields.job = job;
    fields.station = "bancada-1";
    fields.run_id = "run-1";
    fields.socket = socket;
    fields.job_sha256 = std::string(64, 'a');
    record.job = fields;
    return record;
}

std::uint64_t take(Records& records, const std::string& job, SerialTake how = {}) {
    const StartedChip started = records.start_chip(chip(job, 1), how);
    EXPECT_EQ(started.problem, "");
    EXPECT_TRUE(started.chip_serial.has_value());
    return started.chip_serial.value_or(0);
}

// The file's tables and columns, as SQLite itself reports them.
std::set<std::string> columns_of(const fs::path& path, const std::string& table) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, ("SELECT name FROM pragma_table_info('" + table + "')").c_str(), -1,
                       &statement, nullptr);
    std::set<std::string> names;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        names.insert(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return names;
}

TEST(Records, TheSchemaHoldsRangesNumbersAndEveryAttemptsColumns) {
    const fs::path path = scratch_folder("schema") / "linha.sqlite";
    ASSERT_TRUE(open_for_writing(path));
    EXPECT_EQ(columns_of(path, "serial_ranges"), (std::set<std::string>{"job", "next_serial"}));
    EXPECT_EQ(columns_of(path, "serial_numbers"), (std::set<std::string>{"job", "chip_serial"}));
    std::set<std::string> expected{"id"};
    for (const Column& column : kAttemptColumns) {
        expected.insert(column.name);
    }
    EXPECT_EQ(columns_of(path, "attempts"), expected);
}

TEST(Records, ANumberIsTakenOnceIntoAStartedRowAndFinishedInPlace) {
    const fs::path path = scratch_folder("take") / "linha.sqlite";
    auto records = open_for_writing(path);
    ASSERT_TRUE(records);
    EXPECT_EQ(std::get<std::optional<std::uint64_t>>(records->next_serial("linha")), std::nullopt);
    EXPECT_EQ(std::get<std::uint64_t>(records->seed_range("linha", 1000)), 1000u);
    EXPECT_EQ(std::get<std::uint64_t>(records->seed_range("linha", 5)), 1000u)
        << "a range once seeded is the truth";
    const StartedChip first = records->start_chip(chip("linha", 1), SerialTake{2, 9999});
    ASSERT_EQ(first.problem, "");
    EXPECT_EQ(first.chip_serial, 1000u);
    EXPECT_EQ(take(*records, "linha", {2, 9999}), 1002u);
    const StartedChip unseeded = records->start_chip(chip("other", 1), SerialTake{});
    EXPECT_NE(unseeded.problem.find("\"other\""), std::string::npos) << unseeded.problem;

    ChipRecord ended = chip("linha", 1);
    ended.job->chip_serial = 1000;
    ended.outcome = "success";
    ended.duration_ms = 1234;
    ended.job->steps = {{"flash", "success"}};
    ended.job->lock_bits = std::array<bool, 3>{true, false, true};
    EXPECT_EQ(records->finish_chip(first.id, ended), std::nullopt);

    const auto rows = std::get<std::vector<AttemptRow>>(records->attempts(1000));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["state"], "success");
    EXPECT_EQ(rows[0]["steps"], R"({"flash":"success"})");
    EXPECT_EQ(rows[0]["lock_bits"], "[1,3]");
    EXPECT_EQ(rows[0].integer("duration_ms"), 1234);
    EXPECT_EQ(rows[0]["station"], "bancada-1");
    const auto started = std::get<std::vector<AttemptRow>>(records->attempts(1002));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0]["state"], "started");
    EXPECT_EQ(started[0]["exit_code"], std::nullopt);
}

TEST(Records, ARangeAtItsLastNumberTakesNothingMore) {
    auto records = open_for_writing(scratch_folder("last") / "linha.sqlite");
    ASSERT_TRUE(records);
    records->seed_range("linha", 9998);
    EXPECT_EQ(take(*records, "linha", {1, 9999}), 9998u);
    EXPECT_EQ(take(*records, "linha", {1, 9999}), 9999u) << "the largest must pass";
    const StartedChip refused = records->start_chip(chip("linha", 1), SerialTake{1, 9999});
    EXPECT_TRUE(refused.range_ended);
    EXPECT_EQ(refused.problem, "");
    EXPECT_EQ(std::get<std::vector<AttemptRow>>(records->attempts(std::nullopt)).size(), 2u);
    EXPECT_EQ(std::get<std::optional<std::uint64_t>>(records->next_serial("linha")), 10000u);
}

// The uniqueness constraint itself, not only the range, refuses a number twice.
TEST(Records, TheSameNumberTwiceInOneJobIsRefusedByTheDatabase) {
    const fs::path path = scratch_folder("unique") / "linha.sqlite";
    auto records = open_for_writing(path);
    ASSERT_TRUE(records);
    records->seed_range("linha", 7);
    EXPECT_EQ(take(*records, "linha"), 7u);
    sqlite3* db = nullptr;
    sqlite3_open(path.string().c_str(), &db);
    // The range put back, as an old copy of the file would have it.
    sqlite3_exec(db, "UPDATE serial_ranges SET next_serial = 7", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const StartedChip again = records->start_chip(chip("linha", 1), SerialTake{});
    EXPECT_NE(again.problem.find("linha.sqlite"), std::string::npos) << again.problem;
    EXPECT_EQ(again.chip_serial, std::nullopt);
    EXPECT_EQ(std::get<std::vector<AttemptRow>>(records->attempts(7)).size(), 1u);
}

TEST(Records, ALinkedFileIsFollowedNeverReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links";
#else
    const fs::path folder = scratch_folder("link");
    const fs::path target = folder / "shared.sqlite";
    const fs::path link = folder / "linha.sqlite";
    {
        auto records = open_for_writing(target);
        ASSERT_TRUE(records);
        records->seed_range("linha", 1);
    }
    fs::create_symlink(target, link);
    {
        auto records = open_for_writing(link);
        ASSERT_TRUE(records);
        EXPECT_EQ(take(*records, "linha"), 1u);
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_FALSE(fs::exists(folder / "linha.sqlite-wal")) << "the journal goes beside the target";
    auto records = open_for_writing(target);
    ASSERT_TRUE(records);
    EXPECT_EQ(take(*records, "linha"), 2u);
#endif
}

TEST(Records, ReadingNeverCreatesAFile) {
    const fs::path path = scratch_folder("read") / "typo.sqlite";
    const auto opened = open_records(path.string(), RecordsAccess::Read);
    ASSERT_TRUE(std::holds_alternative<std::string>(opened));
    EXPECT_NE(std::get<std::string>(opened).find("typo.sqlite"), std::string::npos);
    EXPECT_FALSE(fs::exists(path));
}

// Two processes take numbers from one file at once: none is given twice or lost.
TEST(Records, TwoProcessesTakingAtOnceNeverShareANumber) {
#ifdef _WIN32
    GTEST_SKIP() << "fork";
#else
    const fs::path folder = scratch_folder("two-processes");
    const fs::path path = folder / "linha.sqlite";
    {
        auto records = open_for_writing(path);
        ASSERT_TRUE(records);
        records->seed_range("linha", 1);
    }
    constexpr int kEach = 150;
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = ::fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            auto opened = open_records(path.string(), RecordsAccess::Write);
            auto* records = std::get_if<std::unique_ptr<Records>>(&opened);
            int taken = 0;
            for (int i = 0; records && i < kEach; ++i) {
                taken += (*records)
                             ->start_chip(chip("linha", child + 1), SerialTake{})
                             .chip_serial.has_value();
            }
            ::_exit(taken == kEach ? 0 : 1);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    auto records = open_for_writing(path);
    ASSERT_TRUE(records);
    const auto rows = std::get<std::vector<AttemptRow>>(records->attempts(std::nullopt));
    std::set<std::int64_t> serials;
    std::set<std::int64_t> sockets;
    for (const AttemptRow& row : rows) {
        serials.insert(row.integer("chip_serial").value_or(-1));
        sockets.insert(row.integer("socket").value_or(-1));
    }
    EXPECT_EQ(rows.size(), 2u * kEach);
    EXPECT_EQ(serials.size(), 2u * kEach) << "a number given twice";
    EXPECT_EQ(*serials.begin(), 1);
    EXPECT_EQ(*serials.rbegin(), 2 * kEach);
    EXPECT_EQ(sockets, (std::set<std::int64_t>{1, 2}));
#endif
}

}  // namespace
}  // namespace vantro::production
