// SPDX-License-Identifier: MIT
#pragma once
// What a job's records file holds, read with SQLite itself.

#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vantro::testing {

// The first column of every row the query gives, as text.
inline std::vector<std::string> query(const std::filesystem::path& database,
                                      const std::string& sql) {
    sqlite3* db = nullptr;
    std::vector<std::string> rows;
    if (sqlite3_open_v2(database.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            const auto* text = sqlite3_column_text(statement, 0);
            rows.emplace_back(text ? reinterpret_cast<const char*>(text) : "NULL");
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return rows;
}

}  // namespace vantro::testing
