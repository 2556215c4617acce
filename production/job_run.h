// SPDX-License-Identifier: MIT
#pragma once
// A production job's sockets: each programmer is a socket with a thread of its
// own that programs one chip per start (FLASH with its erase, EEPROM, lock bits;
// a failed step ends the chip). Before the chip's first report its serial number
// is taken and its row inserted in the records, in one durable transaction; after
// it, the row gets the chip's end and the log its line, flushed, made from the
// same record, before the socket's next start.
// No socket ever waits for another. A socket failing 3 chips in a row pauses.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "hid/hid_library.h"
#include "ops/display.h"
#include "ops/programmer_run.h"
#include "production/chip_log.h"
#include "production/chip_records.h"
#include "production/job_plan.h"
#include "production/records.h"

namespace vantro::production {

inline constexpr int kFailuresBeforePause = 3;

struct Socket {
    int number = 0;  // from 1, in the job's order
    std::string path;
    std::string serial;             // the programmer's
    firmware::FirmwareModel model;  // its firmware, which each chip's rehearsal runs
};

// How a chip's run on a programmer ended, as the front-end judged it.
struct PortEnd {
    int exit_code = 0;
    ops::Outcome outcome = ops::Outcome::Success;
};

// The way to one socket's programmer for one chip, made by the front-end.
class SocketPort {
public:
    virtual ~SocketPort() = default;
    // False when the port could not be made ready (an output file): nothing is sent.
    virtual bool ready() const = 0;
    virtual hid::HidLibrary& library() = 0;
    virtual ops::Display& display() = 0;
    // What the backend sees of the chip after a run (nothing for a real programmer).
    virtual ops::MemoryReader memory() const = 0;
    // After the chip's last step: its outcome, with what the port adds (dumps, trace).
    virtual PortEnd finish(const ops::RunEnd& last) = 0;
    // The last message the chip's runs showed; empty when none.
    virtual std::string last_message() const = 0;
};

struct ChipResult {
    std::int64_t record_id = 0;  // the attempt's row in the records
    int socket = 0;
    std::int64_t sequence = 0;
    std::optional<std::uint64_t> serial;
    bool passed = false;
    int exit_code = 0;
    ops::Outcome outcome = ops::Outcome::Success;
    std::string message;     // the last message shown; empty when none
    std::string chip_holds;  // on failure: what the chip holds, and what to do
    std::vector<std::pair<std::string, std::string>> steps;
    bool pauses_socket = false;  // its failures in a row pause the socket
};

struct SocketTally {
    int done = 0;
    int failed = 0;
    std::optional<std::uint64_t> first_serial;
    std::optional<std::uint64_t> last_serial;
};

// What a front-end shows of the job; called from the sockets' threads.
class JobView {
public:
    virtual ~JobView() = default;
    virtual std::unique_ptr<SocketPort> port(const Socket& socket) = 0;
    virtual void chip_started(const Socket& socket, std::optional<std::uint64_t> serial) = 0;
    virtual void chip_ended(const Socket& socket, const ChipResult& result) = 0;
    virtual void socket_paused(const Socket& socket) = 0;
    // The job stops: no chip starts any more (the log or the records failed).
    virtual void job_stopping(const std::string& why) = 0;
};

struct JobSettings {
    std::chrono::milliseconds timeout = protocol::kDefaultTimeout;
    std::string version;
    // Starts asked for while a socket runs wait for it (a script typed ahead);
    // otherwise they are dropped (keys typed on a terminal during a run).
    bool queue_starts = false;
    std::optional<std::string> operator_name;  // into every chip's record
};

class JobRun {
public:
    JobRun(const JobPlan& plan, std::vector<Socket> sockets, JobView& view, ChipLog& log,
           Records& records, JobSettings settings, std::stop_token stop);
    // Waits for the running chips; no further chip starts.
    ~JobRun();
    JobRun(const JobRun&) = delete;
    JobRun& operator=(const JobRun&) = delete;

    // Enter: a chip on every socket that is done (paused sockets stay paused).
    void start_every_socket();
    // A chip on each of these sockets that is done (paused ones stay paused).
    void start_sockets(const std::vector<int>& numbers);
    // Digit K: socket K alone, restarting it when paused. False: no such socket.
    bool start_socket(int number);
    // No chip starts any more; waits for the running ones.
    void finish();
    // Stopped by the log or the records.
    bool stopped() const;

    const std::vector<Socket>& sockets() const { return sockets_; }
    std::vector<SocketTally> tallies() const;
    // The summary's JSON line, as it goes into the log.
    std::string summary_json() const;
    int exit_code() const;

private:
    struct State {
        int waiting = 0;  // starts asked for
        bool running = false;
        bool paused = false;
        int failures_in_a_row = 0;
        SocketTally tally;
    };

    void serve(std::size_t index);
    void ask(std::size_t index);
    ChipResult program_chip(const Socket& socket, std::int64_t sequence);
    ChipRecord started_record(const Socket& socket, std::int64_t sequence) const;
    RunFacts job_facts(const hex::HexImage* written) const;
    void stop_job(const std::string& why);

    const JobPlan& plan_;
    std::vector<Socket> sockets_;
    JobView& view_;
    ChipLog& log_;
    Records& records_;
    JobSettings settings_;
    std::stop_token stop_;
    const std::string run_id_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<State> states_;
    std::int64_t sequence_ = 0;
    bool closing_ = false;
    bool stopped_ = false;
    int worst_exit_code_ = 0;
    std::vector<std::jthread> threads_;  // last: joined first
};

}  // namespace vantro::production
