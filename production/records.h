// SPDX-License-Identifier: MIT
#pragma once
// The records: every chip attempt of every job, and the serial numbers each job
// has taken. A number is taken and its chip's row inserted in one durable
// transaction, before the chip's first report; a uniqueness constraint on
// (job, chip_serial) makes giving a number twice impossible. Kept in an SQLite
// file on the station, or on a PostgreSQL server that several stations share.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "production/chip_record.h"
#include "production/records_row.h"

namespace vantro::production {

// How the next number is taken: `step` after it, and none beyond `last`.
struct SerialTake {
    std::uint64_t step = 1;
    std::uint64_t last = UINT64_MAX;
};

struct StartedChip {
    std::int64_t id = 0;  // the attempt's row
    std::optional<std::uint64_t> chip_serial;
    // The next number (in chip_serial) is past `last`: nothing was taken.
    bool range_ended = false;
    std::string problem;  // not empty: nothing was taken nor recorded
};

template <typename T>
using OrProblem = std::variant<T, std::string>;

// Every call is thread-safe, and each is one transaction. A problem is a text for
// the user, in the run's language, naming the records' place.
class Records {
public:
    virtual ~Records() = default;

    // The path or the URL, as a message names it (never a password: none is allowed).
    virtual const std::string& place() const = 0;
    // The job's next number; nothing when the records have no range for it yet.
    virtual OrProblem<std::optional<std::uint64_t>> next_serial(const std::string& job) = 0;
    // Starts the job's range at `next` unless it has one; the range's next number.
    virtual OrProblem<std::uint64_t> seed_range(const std::string& job, std::uint64_t next) = 0;
    // Inserts the attempt's row in state "started", taking the job's next number
    // into it first when `take` is given; durable when it returns.
    virtual StartedChip start_chip(const ChipRecord& record, std::optional<SerialTake> take) = 0;
    // The attempt's row gets the chip's end: its outcome as state, steps, hashes...
    virtual std::optional<std::string> finish_chip(std::int64_t id, const ChipRecord& record) = 0;
    // The socket paused after this attempt.
    virtual std::optional<std::string> mark_paused(std::int64_t id) = 0;
    // Every attempt in the order they started, or those of one serial number.
    virtual OrProblem<std::vector<AttemptRow>> attempts(
        std::optional<std::uint64_t> chip_serial) = 0;
};

enum class RecordsAccess { Write, Read };

// postgresql://... or postgres://...: a server; anything else is a file path.
bool is_records_url(const std::string& source);

// Opens the records at `source`: a file is created for writing (following a
// link, never replacing it) but never for reading; the schema is made if missing.
OrProblem<std::unique_ptr<Records>> open_records(const std::string& source, RecordsAccess access);

// What a store says when it cannot open, read or write its records: the place and
// the store's own reason.
enum class RecordsFailure { Open, Read, Write };
std::string records_problem(RecordsFailure failure, const std::string& place,
                            const std::string& reason);

// The problem of a job whose range the records lack (it is seeded before the first chip).
std::string no_range(const std::string& place, const std::string& job);

// The files SQLite keeps beside a records file while it works on it; a job's
// inputs must not be any of them.
std::vector<std::string> records_side_files(const std::string& path);

}  // namespace vantro::production
