// SPDX-License-Identifier: MIT
#include "app/access_hint.h"

#include <QTimer>

#include "app/qt_event_loop.h"
#include "i18n/texts.h"
#include "protocol/report.h"

namespace vantro::app {

bool AccessHint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != HidNotifyEvent::type() ||
        static_cast<HidNotifyEvent*>(event)->hid_event().kind != hid::HidEventKind::Changed) {
        return QObject::eventFilter(watched, event);
    }
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
        return QObject::eventFilter(watched, event);
    }
    if (shown_path_ != blocked->path) {
        shown_path_ = blocked->path;
        if (!announced) {
            display_.set_connection_text(vantro::tr("Estado: Gravador sem permissão de acesso"));
        }
        // Shown from the event loop, not from inside the HID event's delivery.
        QTimer::singleShot(0, this, [this, text = blocked->text] {
            display_.show_message(text, ops::kApplicationTitle, ops::MessageIcon::Warning);
        });
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vantro::app
