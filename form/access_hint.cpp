// SPDX-License-Identifier: MIT
#include "form/access_hint.h"

#include "i18n/texts.h"
#include "protocol/report.h"

namespace vantro::form {

std::optional<std::string> AccessHint::device_list_changed() {
    const std::optional<connection::AccessProblem> blocked = backend_.access_problem();
    // An announced programmer's label is OnPlugged's and OnUnplugged's: a blocked
    // one that was just opened arrives as Plugged before this Changed.
    const bool announced =
        backend_.library().GetHandle(protocol::PROG_VID, protocol::PROG_PID) != 0;
    if (!blocked) {
        if (shown_path_) {
            shown_path_.reset();
            if (!announced) {
                display_.set_connection_text(vantro::tr("Estado: Gravador Desconectado"));
            }
        }
        return std::nullopt;
    }
    if (shown_path_ == blocked->path) {
        return std::nullopt;
    }
    shown_path_ = blocked->path;
    if (!announced) {
        display_.set_connection_text(vantro::tr("Estado: Gravador sem permissão de acesso"));
    }
    return blocked->text;
}

}  // namespace vantro::form
