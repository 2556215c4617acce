// SPDX-License-Identifier: MIT
#pragma once
// Reads a HEX file, checks it, and loads its records into the line table.

#include <string>
#include <string_view>
#include <vector>

#include "hex/hex_image.h"
#include "hex/line_table.h"

namespace vantro::hex {

enum class LoadStatus {
    NotChosen,  // no file was chosen (an empty path); the table is cleared, total_linhas kept
    Loaded,     // the table holds the checked records
    Refused,    // unreadable or invalid file; message says why; the table is cleared
};

struct LoadResult {
    LoadStatus status = LoadStatus::NotChosen;
    std::string message;  // for Refused: one line in the user's language
    std::string path;     // the chosen file
    HexImage image;       // for Loaded: the bytes the checked records give
    int records = 0;      // for Loaded: records stored in the table
    // For Loaded: the line of the first record after the end record (those are
    // ignored, as objcopy ignores them); 0 when there is none.
    int ignored_from_line = 0;
};

// Clears entries 1..20000, then reads, checks and stores the file at `path`.
LoadResult carrega_hex(LineTable& table, const std::string& path);
// The same for a file's bytes already read (`path` names it in messages), so a
// caller can hash exactly the bytes that are checked.
LoadResult carrega_hex_text(LineTable& table, const std::string& path, std::string_view text);

// What a loaded file holds that the user should know before it is sent: records
// after the end record (ignored), or no data at all. One line each.
std::vector<std::string> load_warnings(const LoadResult& result);

// The number of data reports a FLASH or EEPROM run sends for a table of this many records.
int data_reports_for(int records);

}  // namespace vantro::hex
