// SPDX-License-Identifier: MIT
#pragma once
// Chooses a HEX file, checks it, and loads its records into the line table.

#include <string>

#include "hex/file_chooser.h"
#include "hex/hex_image.h"
#include "hex/line_table.h"

namespace vantro::hex {

enum class LoadStatus {
    NotChosen,  // the chooser gave no name; the table is cleared, total_linhas kept
    Loaded,     // the table holds the checked records
    Refused,    // unreadable or invalid file; message says why; the table is cleared
};

struct LoadResult {
    LoadStatus status = LoadStatus::NotChosen;
    std::string message;  // for Refused: one line in the user's language
    std::string path;     // the chosen file
    HexImage image;       // for Loaded: the bytes the checked records give
    int records = 0;      // for Loaded: records stored in the table
};

// Clears entries 1..20000, asks the chooser, then reads, checks and stores the file.
LoadResult carrega_hex(LineTable& table, FileChooser& chooser);

// The number of data reports a FLASH or EEPROM run sends for a table of this many records.
int data_reports_for(int records);

}  // namespace vantro::hex
