// SPDX-License-Identifier: MIT
#pragma once
// One command's chips (erase, flash, eeprom or lock): on one programmer, or on
// several at once, round after round (--repeat), each chip logged (--log). A
// front-end says when a round starts and shows what an OperationView hears.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "connection/connection_options.h"
#include "ops/display.h"
#include "ops/operation.h"
#include "ops/programmer_run.h"
#include "production/chip_log.h"
#include "production/chip_records.h"
#include "production/chip_run.h"

namespace vantro::production {

struct OperationTally {
    int done = 0;
    int failed = 0;
    bool stopped_after_sending = false;  // a run was interrupted after it wrote a report
};

// What a front-end shows of the rounds. With several programmers, display(i),
// chip_ended(i, ...) come from programmer i's thread.
class OperationView {
public:
    virtual ~OperationView() = default;
    // A round is about to make its chips; display(i) must be ready from now.
    virtual void round_starting() = 0;
    virtual ops::Display& display(std::size_t i) = 0;
    // The last message programmer i's display showed this round; empty when none.
    virtual std::string last_message(std::size_t i) const = 0;
    // Programmer i's outputs could not be opened (said on its display): nothing is sent.
    virtual void not_ready(std::size_t i) = 0;
    // Every programmer is ready: the runs begin.
    virtual void runs_starting() = 0;
    // message: the last message and what the chip holds, as the log says it.
    virtual void chip_ended(std::size_t i, const ChipEnd& end, const std::string& message) = 0;
    // Every run of the round has ended.
    virtual void round_ended(const std::vector<ChipEnd>& ends) = 0;
};

struct OperationSettings {
    ops::Operation operation = ops::Operation::Erase;
    ops::OperationInput input;
    connection::ConnectionOptions connection;
    ChipOutputs outputs;
    bool several = false;  // several programmers at once, each on its own thread
};

class OperationRun {
public:
    OperationRun(OperationSettings settings, std::vector<Target> targets, OperationView& view,
                 ChipLog* log);

    const std::vector<Target>& targets() const { return targets_; }
    // Once requested, the round stops before its next report; signal: the
    // process's, which becomes the chips' exit code (0: none).
    void stop_on(std::stop_token stop, std::function<int()> signal);
    // The image every chip gets, prepared once before any round.
    void use_image(std::shared_ptr<const ops::PreparedImage> image);
    // A file refused before any programmer heard of it: each one's attempt is logged.
    void refuse_file(const ops::PreparedImage& image, const std::string& message);
    // One chip on every programmer; the highest exit code among them.
    int round();

    OperationTally tally() const;

private:
    int one();
    int several_at_once();
    void describe(const ops::PreparedImage* image);
    void settle(ChipEnd& end) const;
    void record(const Target& target, const ChipEnd& end, const std::string& message);
    void log_record(const Target& target, const ChipEnd& end, const std::string& message);

    OperationSettings settings_;
    std::vector<Target> targets_;
    OperationView& view_;
    ChipLog* log_;
    std::function<int()> signal_ = [] { return 0; };
    ops::RunRequest request_;
    RunFacts facts_;  // the same in every record
    mutable std::mutex tally_mutex_;
    OperationTally tally_;
    // The first chip's trace starts the file afresh; the next chips' are added to it.
    platform::OutputMode trace_mode_ = platform::OutputMode::Truncate;
};

// The last message, and after it what the chip holds.
std::string joined(const std::string& message, const std::optional<std::string>& chip_state);

// The highest of the chips' exit codes: the one a run of several reports.
int worst_exit_code(const std::vector<ChipEnd>& ends);

}  // namespace vantro::production
