// SPDX-License-Identifier: MIT
// A socket's failure streak: three failed chips in a row pause it; a chip that
// passes starts the count again.

#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <stop_token>

#include "emulator/emulated_hid_library.h"
#include "ops/exit_codes.h"
#include "production/job_run.h"
#include "production/records.h"
#include "tests/support/recording_display.h"

namespace vantro::production {
namespace {

// A chip whose lock bits the emulated programmer refuses fails; the others pass.
class LockPort : public SocketPort {
public:
    explicit LockPort(bool fails) : library_(settings(fails)) {}
    bool ready() const override { return true; }
    hid::HidLibrary& library() override { return library_; }
    ops::Display& display() override { return display_; }
    ops::MemoryReader memory() const override { return {}; }
    PortEnd finish(const ops::RunEnd& last) override {
        return {ops::exit_code_for(last.outcome), last.outcome};
    }
    std::string last_message() const override { return {}; }

private:
    static emulator::EmulatorSettings settings(bool fails) {
        emulator::EmulatorSettings settings;
        if (fails) {
            settings.lock = 0;
        }
        return settings;
    }

    emulator::EmulatedHidLibrary library_;
    testing::RecordingDisplay display_;
};

// Fails the chips `pattern` marks 'F', in order.
class PatternView : public JobView {
public:
    explicit PatternView(std::string pattern) : pattern_(std::move(pattern)) {}

    std::unique_ptr<SocketPort> port(const Socket&) override {
        std::lock_guard lock(mutex_);
        const bool fails = ports_ < pattern_.size() && pattern_[ports_] == 'F';
        ++ports_;
        return std::make_unique<LockPort>(fails);
    }
    void chip_started(const Socket&, std::optional<std::uint64_t>) override {}
    void chip_ended(const Socket&, const ChipResult& result) override {
        std::lock_guard lock(mutex_);
        results_ += result.passed ? 'P' : 'F';
    }
    void socket_paused(const Socket&) override {
        std::lock_guard lock(mutex_);
        results_ += '|';
    }
    void job_stopping(const std::string& why) override { ADD_FAILURE() << why; }

    std::string results() {
        std::lock_guard lock(mutex_);
        return results_;
    }

private:
    std::mutex mutex_;
    std::string pattern_;
    std::size_t ports_ = 0;
    std::string results_;
};

JobPlan lock_only_plan() {
    JobFile job;
    job.path = "streak.toml";
    job.name = "streak";
    job.part = *ops::find_part("AT89S52");
    job.log = std::string(VANTRO_TEST_TMP) + "/streak.jsonl";
    job.lock_bits = std::array<bool, 3>{true, false, false};
    auto made = JobPlan::make(job, std::nullopt, {});
    return std::get<JobPlan>(std::move(made));
}

TEST(JobRun, APassStartsTheFailureCountAgain) {
    const struct {
        std::string pattern;
        std::string seen;  // each chip's verdict; '|': the socket paused there
    } rows[] = {
        {"FFPFF", "FFPFF"},
        {"FFF", "FFF|"},
        {"PFFFP", "PFFF|"},  // paused: the last start is dropped
        {"FFPFFF", "FFPFFF|"},
    };
    const JobPlan plan = lock_only_plan();
    const std::string place = std::string(VANTRO_TEST_TMP) + "/streak.sqlite";
    std::filesystem::remove(place);
    auto opened = open_records(place, RecordsAccess::Write);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<Records>>(opened));
    Records& records = *std::get<std::unique_ptr<Records>>(opened);
    for (const auto& row : rows) {
        std::string reason;
        const auto log = ChipLog::open(plan.job().log, reason);
        ASSERT_TRUE(log) << reason;
        PatternView view(row.pattern);
        std::stop_source stop;
        JobSettings settings;
        settings.timeout = std::chrono::seconds(5);
        settings.queue_starts = true;  // each start waits for the chip before it
        {
            JobRun run(plan, {Socket{1, "emulated:1", "EMU-0001", {}}}, view, *log, records,
                       settings, stop.get_token());
            for (std::size_t chip = 1; chip < row.pattern.size(); ++chip) {
                run.start_socket(1);
            }
            run.finish();
        }
        EXPECT_EQ(view.results(), row.seen) << row.pattern;
    }
}

}  // namespace
}  // namespace vantro::production
