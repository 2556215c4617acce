// SPDX-License-Identifier: MIT
#include "i18n/system_error.h"

#include <cerrno>

#include "i18n/texts.h"

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

}  // namespace vantro
