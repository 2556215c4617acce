// SPDX-License-Identifier: MIT
#pragma once
// The records' tables and statements, as both stores spell them: only the
// placeholders and the id column differ between SQLite and PostgreSQL.

#include <string>

namespace vantro::production {

struct SqlDialect {
    const char* id_column;  // the attempts' own id
    const char* integer;    // a 64-bit integer column
    // The n-th placeholder, from 1.
    std::string (*placeholder)(int n);
};

extern const SqlDialect kSqliteDialect;
extern const SqlDialect kPostgresqlDialect;

// The statements that make the tables when missing, each on its own.
std::string schema_sql(const SqlDialect& dialect);
// INSERT INTO attempts (every column) VALUES (placeholders 1..n).
std::string insert_attempt_sql(const SqlDialect& dialect);
// UPDATE attempts SET every column = its placeholder WHERE id = the last one.
std::string update_attempt_sql(const SqlDialect& dialect);
// SELECT id and every column FROM attempts [WHERE chip_serial = 1] ORDER BY id.
std::string select_attempts_sql(bool one_serial, const SqlDialect& dialect);

}  // namespace vantro::production
