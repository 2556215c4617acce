// SPDX-License-Identifier: MIT
#include "production/records.h"

#include "i18n/texts.h"
#include "production/records_postgresql.h"
#include "production/records_sqlite.h"

namespace vantro::production {

bool is_records_url(const std::string& source) {
    return source.starts_with("postgresql://") || source.starts_with("postgres://");
}

OrProblem<std::unique_ptr<Records>> open_records(const std::string& source, RecordsAccess access) {
    return is_records_url(source) ? open_postgresql_records(source, access)
                                  : open_sqlite_records(source, access);
}

std::string no_range(const std::string& place, const std::string& job) {
    return tr_args("A base de registros \"%1\" não tem a faixa de números do job \"%2\".",
                   {place, job});
}

std::string records_problem(RecordsFailure failure, const std::string& place,
                            const std::string& reason) {
    switch (failure) {
        case RecordsFailure::Open:
            return tr_args("Não foi possível abrir a base de registros \"%1\": %2",
                           {place, reason});
        case RecordsFailure::Read:
            return tr_args("Não foi possível ler a base de registros \"%1\": %2", {place, reason});
        case RecordsFailure::Write:
            return tr_args("Não foi possível gravar na base de registros \"%1\": %2",
                           {place, reason});
    }
    return {};
}

std::vector<std::string> records_side_files(const std::string& path) {
    return {path + "-wal", path + "-shm", path + "-journal"};
}

}  // namespace vantro::production
