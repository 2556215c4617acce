// SPDX-License-Identifier: MIT
// Builds without libpq (the Windows one): a server's records are refused by name.
#include "i18n/texts.h"
#include "production/records_postgresql.h"

namespace vantro::production {

// The URL is not repeated: it may hold a password.
OrProblem<std::unique_ptr<Records>> open_postgresql_records(const std::string&, RecordsAccess) {
    return tr(
        "Bases de registros em servidor PostgreSQL não são suportadas na versão para "
        "Windows: "
        "use um arquivo SQLite em `records`.");
}

}  // namespace vantro::production
