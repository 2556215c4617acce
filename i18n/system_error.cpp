// SPDX-License-Identifier: MIT
#include "i18n/system_error.h"

#include <cerrno>

#include "i18n/texts.h"
#include "platform/input_file.h"

namespace vantro {

std::string system_error_text(int error) {
    switch (error) {
        case ENOENT:
            return tr("Arquivo ou pasta inexistente");
        case EACCES:
        case EPERM:
            return tr("Permissão negada");
        case EISDIR:
            return tr("É uma pasta");
        case ENOTDIR:
            return tr("Não é uma pasta");
        case ENOSPC:
            return tr("Não há espaço no dispositivo");
        case EROFS:
            return tr("Sistema de arquivos somente leitura");
        case ENXIO:
            return tr("Dispositivo ou endereço inexistente");
        case EIO:
            return tr("Erro de entrada/saída");
        case EFBIG:
            return tr("Arquivo grande demais");
        case ENAMETOOLONG:
            return tr("Nome de arquivo longo demais");
        case ELOOP:
            return tr("Links simbólicos demais");
        case EMFILE:
        case ENFILE:
            return tr("Arquivos abertos demais");
        case EBUSY:
            return tr("Dispositivo ou recurso ocupado");
        case EPIPE:
            return tr("Canal fechado");
        case EAGAIN:
            return tr("Recurso temporariamente indisponível");
        default:
            return tr_args("erro %1 do sistema", {std::to_string(error)});
    }
}

std::string input_failure_text(const platform::InputFailure& failure,
                               const std::string& too_large) {
    switch (failure.problem) {
        case platform::InputProblem::Missing:
            return tr("o arquivo não existe");
        case platform::InputProblem::NoPermission:
            return tr("sem permissão de leitura");
        case platform::InputProblem::Folder:
            return tr("é uma pasta, não um arquivo");
        case platform::InputProblem::TooLarge:
            return too_large;
        case platform::InputProblem::NotRegular:
            return tr("não é um arquivo comum");
        case platform::InputProblem::Other:
            break;
    }
    return failure.error != 0 ? system_error_text(failure.error) : failure.system_text;
}

}  // namespace vantro
