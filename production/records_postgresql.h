// SPDX-License-Identifier: MIT
#pragma once
// The records on a PostgreSQL server, shared by the stations of a line. The URL
// names the server, the database and the user; a password in it is refused:
// libpq's password file, service file or environment supply it.

#include "production/records.h"

namespace vantro::production {

OrProblem<std::unique_ptr<Records>> open_postgresql_records(const std::string& url,
                                                            RecordsAccess access);

}  // namespace vantro::production
