// SPDX-License-Identifier: MIT
#pragma once
// The records in an SQLite file: WAL with synchronous commits, so a committed
// number survives a crash or a power cut; a writer waits for another (several
// jobs may share the file) rather than failing.

#include "production/records.h"

namespace vantro::production {

OrProblem<std::unique_ptr<Records>> open_sqlite_records(const std::string& path,
                                                        RecordsAccess access);

}  // namespace vantro::production
