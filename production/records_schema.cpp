// SPDX-License-Identifier: MIT
#include "production/records_schema.h"

#include "production/records_row.h"

namespace vantro::production {

const SqlDialect kSqliteDialect{"id INTEGER PRIMARY KEY", "INTEGER",
                                [](int n) { return "?" + std::to_string(n); }};
const SqlDialect kPostgresqlDialect{"id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY", "BIGINT",
                                    [](int n) { return "$" + std::to_string(n); }};

std::string schema_sql(const SqlDialect& dialect) {
    const std::string integer = dialect.integer;
    std::string attempts = std::string("CREATE TABLE IF NOT EXISTS attempts (") + dialect.id_column;
    for (const Column& column : kAttemptColumns) {
        attempts += std::string(", ") + column.name + " " + (column.integer ? integer : "TEXT");
        if (std::string_view(column.name) == "job" || std::string_view(column.name) == "state") {
            attempts += " NOT NULL";
        }
    }
    attempts +=
        ", UNIQUE (job, chip_serial, attempt),"
        " FOREIGN KEY (job, chip_serial) REFERENCES serial_numbers (job, chip_serial))";
    // A job's range: the next number it takes. Every number ever taken, once.
    return "CREATE TABLE IF NOT EXISTS serial_ranges (job TEXT PRIMARY KEY, next_serial " +
           integer + " NOT NULL);\n" +
           "CREATE TABLE IF NOT EXISTS serial_numbers (job TEXT NOT NULL, chip_serial " + integer +
           " NOT NULL, PRIMARY KEY (job, chip_serial));\n" + attempts + ";\n" +
           "CREATE INDEX IF NOT EXISTS attempts_by_serial ON attempts (chip_serial);\n";
}

std::string insert_attempt_sql(const SqlDialect& dialect) {
    std::string names;
    std::string values;
    int n = 0;
    for (const Column& column : kAttemptColumns) {
        names += std::string(n == 0 ? "" : ", ") + column.name;
        values += (n == 0 ? "" : ", ") + dialect.placeholder(n + 1);
        ++n;
    }
    return "INSERT INTO attempts (" + names + ") VALUES (" + values + ")";
}

std::string update_attempt_sql(const SqlDialect& dialect) {
    std::string sql = "UPDATE attempts SET ";
    int n = 0;
    for (const Column& column : kAttemptColumns) {
        sql += std::string(n == 0 ? "" : ", ") + column.name + " = " + dialect.placeholder(n + 1);
        ++n;
    }
    return sql + " WHERE id = " + dialect.placeholder(n + 1);
}

std::string select_attempts_sql(bool one_serial, const SqlDialect& dialect) {
    std::string sql = "SELECT id";
    for (const Column& column : kAttemptColumns) {
        sql += std::string(", ") + column.name;
    }
    sql += " FROM attempts";
    if (one_serial) {
        sql += " WHERE chip_serial = " + dialect.placeholder(1);
    }
    return sql + " ORDER BY id";
}

}  // namespace vantro::production
