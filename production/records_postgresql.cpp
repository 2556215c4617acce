// SPDX-License-Identifier: MIT
#include "production/records_postgresql.h"

#include <libpq-fe.h>

#include <mutex>

#include "i18n/texts.h"
#include "production/records_schema.h"

namespace vantro::production {

namespace {

// Any number: the lock that keeps two stations from making the tables at once.
constexpr const char* kSchemaLock = "SELECT pg_advisory_xact_lock(2026120800)";

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

// True when the URL carries a password (libpq would take it from there).
bool names_a_password(const std::string& url) {
    PQconninfoOption* options = PQconninfoParse(url.c_str(), nullptr);
    bool found = false;
    for (PQconninfoOption* option = options; option && option->keyword; ++option) {
        found = found || (std::string_view(option->keyword) == "password" && option->val &&
                          *option->val != '\0');
    }
    PQconninfoFree(options);
    return found;
}

class PostgresqlRecords final : public Records {
public:
    PostgresqlRecords(PGconn* connection, std::string url)
        : connection_(connection), url_(std::move(url)) {}
    ~PostgresqlRecords() override { PQfinish(connection_); }

    const std::string& place() const override { return url_; }
    bool connected() const { return PQstatus(connection_) == CONNECTION_OK; }
    PGconn* connection() const { return connection_; }

    OrProblem<std::optional<std::uint64_t>> next_serial(const std::string& job) override {
        std::lock_guard lock(mutex_);
        if (!has_tables_) {
            return std::optional<std::uint64_t>();
        }
        const Result select = run("SELECT next_serial FROM serial_ranges WHERE job = $1", {job});
        if (!ok(select, PGRES_TUPLES_OK)) {
            return read_problem();
        }
        if (PQntuples(select.get()) == 0) {
            return std::optional<std::uint64_t>();
        }
        return std::optional(number(select, 0, 0));
    }

    OrProblem<std::uint64_t> seed_range(const std::string& job, std::uint64_t next) override {
        std::lock_guard lock(mutex_);
        const Result insert =
            run("INSERT INTO serial_ranges (job, next_serial) VALUES ($1, $2) ON CONFLICT (job) DO "
                "NOTHING",
                {job, std::to_string(next)});
        const Result select = run("SELECT next_serial FROM serial_ranges WHERE job = $1", {job});
        if (!ok(insert, PGRES_COMMAND_OK) || !ok(select, PGRES_TUPLES_OK) ||
            PQntuples(select.get()) != 1) {
            return write_problem();
        }
        return number(select, 0, 0);
    }

    StartedChip start_chip(const ChipRecord& record, std::optional<SerialTake> take) override {
        std::lock_guard lock(mutex_);
        StartedChip started;
        if (!ok(run("BEGIN", {}), PGRES_COMMAND_OK)) {
            started.problem = write_problem();
            return started;
        }
        ChipRecord row_record = record;
        if (take) {
            const std::string& job = record.job->job;
            // FOR UPDATE: another station's take waits for this one's commit.
            const Result select =
                run("SELECT next_serial FROM serial_ranges WHERE job = $1 FOR UPDATE", {job});
            if (!ok(select, PGRES_TUPLES_OK) || PQntuples(select.get()) != 1) {
                started.problem =
                    ok(select, PGRES_TUPLES_OK) ? no_range(url_, job) : write_problem();
                run("ROLLBACK", {});
                return started;
            }
            const std::uint64_t next = number(select, 0, 0);
            if (next > take->last || next > INT64_MAX - take->step) {
                run("ROLLBACK", {});
                started.range_ended = true;
                started.chip_serial = next;
                return started;
            }
            const Result advance = run("UPDATE serial_ranges SET next_serial = $2 WHERE job = $1",
                                       {job, std::to_string(next + take->step)});
            const Result taken =
                run("INSERT INTO serial_numbers (job, chip_serial) VALUES ($1, $2)",
                    {job, std::to_string(next)});
            if (!ok(advance, PGRES_COMMAND_OK) || !ok(taken, PGRES_COMMAND_OK)) {
                started.problem = rolled_back();
                return started;
            }
            row_record.job->chip_serial = next;
            started.chip_serial = next;
        }
        const Result insert = run(insert_attempt_sql(kPostgresqlDialect) + " RETURNING id",
                                  attempt_row(row_record, kStarted).values);
        if (!ok(insert, PGRES_TUPLES_OK) || PQntuples(insert.get()) != 1) {
            started.problem = rolled_back();
            return started;
        }
        started.id = static_cast<std::int64_t>(number(insert, 0, 0));
        if (!ok(run("COMMIT", {}), PGRES_COMMAND_OK)) {
            started = StartedChip{};
            started.problem = rolled_back();
        }
        return started;
    }

    std::optional<std::string> finish_chip(std::int64_t id, const ChipRecord& record) override {
        std::lock_guard lock(mutex_);
        auto values = attempt_row(record, record.outcome).values;
        values.emplace_back(std::to_string(id));
        if (!ok(run(update_attempt_sql(kPostgresqlDialect), values), PGRES_COMMAND_OK)) {
            return write_problem();
        }
        return std::nullopt;
    }

    std::optional<std::string> mark_paused(std::int64_t id) override {
        std::lock_guard lock(mutex_);
        if (!ok(run("UPDATE attempts SET paused = 1 WHERE id = $1", {std::to_string(id)}),
                PGRES_COMMAND_OK)) {
            return write_problem();
        }
        return std::nullopt;
    }

    OrProblem<std::vector<AttemptRow>> attempts(std::optional<std::uint64_t> chip_serial) override {
        std::lock_guard lock(mutex_);
        if (!has_tables_) {
            return std::vector<AttemptRow>();
        }
        std::vector<std::optional<std::string>> values;
        if (chip_serial) {
            values.emplace_back(std::to_string(*chip_serial));
        }
        const Result select =
            run(select_attempts_sql(chip_serial.has_value(), kPostgresqlDialect), values);
        if (!ok(select, PGRES_TUPLES_OK)) {
            return read_problem();
        }
        std::vector<AttemptRow> rows;
        for (int r = 0; r < PQntuples(select.get()); ++r) {
            AttemptRow row;
            row.id = static_cast<std::int64_t>(number(select, r, 0));
            for (int c = 1; c <= static_cast<int>(kAttemptColumns.size()); ++c) {
                row.values.push_back(
                    PQgetisnull(select.get(), r, c)
                        ? std::nullopt
                        : std::optional<std::string>(PQgetvalue(select.get(), r, c)));
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }

    // Each value bound as a parameter in text form (NULL for nothing); never in the SQL.
    Result run(const std::string& sql, const std::vector<std::optional<std::string>>& values) {
        std::vector<const char*> parameters;
        for (const auto& value : values) {
            parameters.push_back(value ? value->c_str() : nullptr);
        }
        return Result(PQexecParams(connection_, sql.c_str(), static_cast<int>(parameters.size()),
                                   nullptr, parameters.data(), nullptr, nullptr, 0),
                      &PQclear);
    }
    static bool ok(const Result& result, ExecStatusType expected) {
        return result && PQresultStatus(result.get()) == expected;
    }
    std::string reason() const {
        std::string text = PQerrorMessage(connection_);
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
            text.pop_back();
        }
        return text;
    }
    // Read only, a server without the tables (no job has run on it) holds no records yet.
    bool find_tables() {
        const Result found = run("SELECT to_regclass('serial_ranges') IS NOT NULL", {});
        if (!ok(found, PGRES_TUPLES_OK) || PQntuples(found.get()) != 1) {
            return false;
        }
        has_tables_ = std::string_view(PQgetvalue(found.get(), 0, 0)) == "t";
        return true;
    }
    std::string write_problem() const {
        return records_problem(RecordsFailure::Write, url_, reason());
    }
    std::string read_problem() const {
        return records_problem(RecordsFailure::Read, url_, reason());
    }

private:
    static std::uint64_t number(const Result& result, int row, int column) {
        return std::stoull(PQgetvalue(result.get(), row, column));
    }
    std::string rolled_back() {
        std::string problem = write_problem();
        run("ROLLBACK", {});
        return problem;
    }

    PGconn* connection_;
    std::string url_;
    bool has_tables_ = true;
    std::mutex mutex_;
};

}  // namespace

OrProblem<std::unique_ptr<Records>> open_postgresql_records(const std::string& url,
                                                            RecordsAccess access) {
    if (names_a_password(url)) {
        return tr(
            "O endereço da base de registros não pode conter uma senha: use o arquivo de senhas "
            "do PostgreSQL (~/.pgpass), um arquivo de serviço ou PGPASSWORD.");
    }
    auto records = std::make_unique<PostgresqlRecords>(PQconnectdb(url.c_str()), url);
    if (!records->connected()) {
        return records_problem(RecordsFailure::Open, url, records->reason());
    }
    // The server's notices ("already exists, skipping") are not the user's business.
    PQsetNoticeProcessor(
        records->connection(), [](void*, const char*) {}, nullptr);
    if (access == RecordsAccess::Read && !records->find_tables()) {
        return records->read_problem();
    }
    if (access == RecordsAccess::Write) {
        const std::string make = std::string("BEGIN; ") + kSchemaLock + "; " +
                                 schema_sql(kPostgresqlDialect) + "COMMIT;";
        const Result made(PQexec(records->connection(), make.c_str()), &PQclear);
        if (!PostgresqlRecords::ok(made, PGRES_COMMAND_OK)) {
            return records_problem(RecordsFailure::Open, url, records->reason());
        }
    }
    return records;
}

}  // namespace vantro::production
