// SPDX-License-Identifier: MIT
#include "production/records_sqlite.h"

#include <sqlite3.h>

#include <mutex>

#include "i18n/system_error.h"
#include "i18n/texts.h"
#include "platform/input_file.h"
#include "production/records_schema.h"

namespace vantro::production {

namespace {

// How long a writer waits for another job's transaction on the same file.
constexpr int kBusyWaitMs = 30000;

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) {
        ok_ = sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) == SQLITE_OK;
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return ok_; }
    void bind(int n, const std::string& text) {
        ok_ = ok_ && sqlite3_bind_text(statement_, n, text.data(), static_cast<int>(text.size()),
                                       SQLITE_TRANSIENT) == SQLITE_OK;
    }
    void bind(int n, std::int64_t value) {
        ok_ = ok_ && sqlite3_bind_int64(statement_, n, value) == SQLITE_OK;
    }
    // A row's values as kAttemptColumns say: integers bound as integers.
    void bind_row(const AttemptRow& row) {
        for (std::size_t i = 0; i < kAttemptColumns.size(); ++i) {
            const int n = static_cast<int>(i) + 1;
            const auto& value = row.values[i];
            if (!value) {
                ok_ = ok_ && sqlite3_bind_null(statement_, n) == SQLITE_OK;
            } else if (kAttemptColumns[i].integer) {
                bind(n, static_cast<std::int64_t>(std::stoll(*value)));
            } else {
                bind(n, *value);
            }
        }
    }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int step() { return ok_ ? sqlite3_step(statement_) : SQLITE_ERROR; }
    std::int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }
    std::optional<std::string> text(int column) const {
        const auto* text = sqlite3_column_text(statement_, column);
        if (!text) {
            return std::nullopt;
        }
        return std::string(reinterpret_cast<const char*>(text),
                           static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
    }

private:
    sqlite3_stmt* statement_ = nullptr;
    bool ok_ = false;
};

class SqliteRecords final : public Records {
public:
    SqliteRecords(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}
    ~SqliteRecords() override { sqlite3_close(db_); }

    const std::string& place() const override { return path_; }

    OrProblem<std::optional<std::uint64_t>> next_serial(const std::string& job) override {
        std::lock_guard lock(mutex_);
        if (!has_tables_) {
            return std::optional<std::uint64_t>();
        }
        Statement select(db_, "SELECT next_serial FROM serial_ranges WHERE job = ?1");
        select.bind(1, job);
        const int step = select.step();
        if (step == SQLITE_ROW) {
            return std::optional(static_cast<std::uint64_t>(select.integer(0)));
        }
        if (step == SQLITE_DONE) {
            return std::optional<std::uint64_t>();
        }
        return read_problem();
    }

    OrProblem<std::uint64_t> seed_range(const std::string& job, std::uint64_t next) override {
        std::lock_guard lock(mutex_);
        if (!begin()) {
            return write_problem();
        }
        Statement insert(db_,
                         "INSERT INTO serial_ranges (job, next_serial) VALUES (?1, ?2) "
                         "ON CONFLICT (job) DO NOTHING");
        insert.bind(1, job);
        insert.bind(2, static_cast<std::int64_t>(next));
        Statement select(db_, "SELECT next_serial FROM serial_ranges WHERE job = ?1");
        select.bind(1, job);
        if (insert.step() != SQLITE_DONE || select.step() != SQLITE_ROW) {
            return rolled_back();
        }
        const auto seeded = static_cast<std::uint64_t>(select.integer(0));
        if (!commit()) {
            return rolled_back();
        }
        return seeded;
    }

    StartedChip start_chip(const ChipRecord& record, std::optional<SerialTake> take) override {
        std::lock_guard lock(mutex_);
        StartedChip started;
        if (!begin()) {
            started.problem = write_problem();
            return started;
        }
        ChipRecord row_record = record;
        if (take) {
            const std::string& job = record.job->job;
            Statement select(db_, "SELECT next_serial FROM serial_ranges WHERE job = ?1");
            select.bind(1, job);
            const int found = select.step();
            if (found != SQLITE_ROW) {
                started.problem = found == SQLITE_DONE ? no_range(path_, job) : write_problem();
                rollback();
                return started;
            }
            const auto next = static_cast<std::uint64_t>(select.integer(0));
            if (next > take->last || next > INT64_MAX - take->step) {
                rollback();
                started.range_ended = true;
                started.chip_serial = next;
                return started;
            }
            Statement advance(db_, "UPDATE serial_ranges SET next_serial = ?2 WHERE job = ?1");
            advance.bind(1, job);
            advance.bind(2, static_cast<std::int64_t>(next + take->step));
            Statement taken(db_, "INSERT INTO serial_numbers (job, chip_serial) VALUES (?1, ?2)");
            taken.bind(1, job);
            taken.bind(2, static_cast<std::int64_t>(next));
            if (advance.step() != SQLITE_DONE || taken.step() != SQLITE_DONE) {
                started.problem = rolled_back();
                return started;
            }
            row_record.job->chip_serial = next;
            started.chip_serial = next;
        }
        Statement insert(db_, insert_attempt_sql(kSqliteDialect));
        insert.bind_row(attempt_row(row_record, kStarted));
        if (insert.step() != SQLITE_DONE) {
            started.problem = rolled_back();
            return started;
        }
        started.id = sqlite3_last_insert_rowid(db_);
        if (!commit()) {
            started = StartedChip{};
            started.problem = rolled_back();
        }
        return started;
    }

    std::optional<std::string> finish_chip(std::int64_t id, const ChipRecord& record) override {
        std::lock_guard lock(mutex_);
        Statement update(db_, update_attempt_sql(kSqliteDialect));
        update.bind_row(attempt_row(record, record.outcome));
        update.bind(static_cast<int>(kAttemptColumns.size()) + 1, id);
        if (update.step() != SQLITE_DONE) {
            return write_problem();
        }
        return std::nullopt;
    }

    std::optional<std::string> mark_paused(std::int64_t id) override {
        std::lock_guard lock(mutex_);
        Statement update(db_, "UPDATE attempts SET paused = 1 WHERE id = ?1");
        update.bind(1, id);
        if (update.step() != SQLITE_DONE) {
            return write_problem();
        }
        return std::nullopt;
    }

    OrProblem<std::vector<AttemptRow>> attempts(std::optional<std::uint64_t> chip_serial) override {
        std::lock_guard lock(mutex_);
        if (!has_tables_) {
            return std::vector<AttemptRow>();
        }
        Statement select(db_, select_attempts_sql(chip_serial.has_value(), kSqliteDialect));
        if (chip_serial) {
            select.bind(1, static_cast<std::int64_t>(*chip_serial));
        }
        std::vector<AttemptRow> rows;
        int step = SQLITE_ERROR;
        while ((step = select.step()) == SQLITE_ROW) {
            AttemptRow row;
            row.id = select.integer(0);
            for (std::size_t i = 0; i < kAttemptColumns.size(); ++i) {
                row.values.push_back(select.text(static_cast<int>(i) + 1));
            }
            rows.push_back(std::move(row));
        }
        if (step != SQLITE_DONE) {
            return read_problem();
        }
        return rows;
    }

    bool execute(const char* sql) {
        return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    std::string reason() const { return sqlite3_errmsg(db_); }
    // Read only, a file without the tables (new, or emptied) holds no records yet.
    bool find_tables() {
        Statement table(db_, "SELECT 1 FROM sqlite_master WHERE name = 'serial_ranges'");
        const int found = table.step();
        has_tables_ = found == SQLITE_ROW;
        return found == SQLITE_ROW || found == SQLITE_DONE;
    }

private:
    // IMMEDIATE: the write lock at once, so two jobs' transactions never deadlock.
    bool begin() { return execute("BEGIN IMMEDIATE"); }
    bool commit() { return execute("COMMIT"); }
    void rollback() { execute("ROLLBACK"); }
    std::string write_problem() const {
        return records_problem(RecordsFailure::Write, path_, reason());
    }
    std::string read_problem() const {
        return records_problem(RecordsFailure::Read, path_, reason());
    }
    // The reason is read before the rollback, which would replace it.
    std::string rolled_back() {
        std::string problem = write_problem();
        rollback();
        return problem;
    }

    sqlite3* db_;
    std::string path_;
    bool has_tables_ = true;
    std::mutex mutex_;
};

}  // namespace

OrProblem<std::unique_ptr<Records>> open_sqlite_records(const std::string& path,
                                                        RecordsAccess access) {
    // SQLite would wait for ever on a FIFO, and cannot use a folder or a device.
    platform::InputFailure failure;
    if (!platform::InputFile::open(path, UINT64_MAX, failure)) {
        if (failure.problem != platform::InputProblem::Missing) {
            return records_problem(RecordsFailure::Open, path, input_failure_text(failure, {}));
        }
        if (access == RecordsAccess::Read) {
            return tr_args("A base de registros \"%1\" não existe.", {path});
        }
    }
    // FULLMUTEX: the sockets' threads share the connection.
    const int flags = SQLITE_OPEN_FULLMUTEX |
                      (access == RecordsAccess::Write ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                                      : SQLITE_OPEN_READONLY);
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    auto records = std::make_unique<SqliteRecords>(db, path);
    if (opened != SQLITE_OK) {
        return records_problem(RecordsFailure::Open, path, records->reason());
    }
    sqlite3_busy_timeout(db, kBusyWaitMs);
    // WAL with synchronous commits: durable at COMMIT, and readers never block the job.
    const bool ready =
        records->execute("PRAGMA foreign_keys = ON") &&
        (access == RecordsAccess::Read ? records->find_tables()
                                       : (records->execute("PRAGMA journal_mode = WAL") &&
                                          records->execute("PRAGMA synchronous = FULL") &&
                                          records->execute(schema_sql(kSqliteDialect).c_str())));
    if (!ready) {
        return records_problem(RecordsFailure::Open, path, records->reason());
    }
    return records;
}

}  // namespace vantro::production
