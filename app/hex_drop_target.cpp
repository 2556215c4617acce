// SPDX-License-Identifier: MIT
#include "app/hex_drop_target.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include "form/form_table.h"

namespace vantro::app {

std::optional<std::string> dropped_hex_file(const QMimeData& data) {
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return std::nullopt;
    }
    const QFileInfo file(urls.front().toLocalFile());
    if (!form::names_hex_file(file.fileName().toStdString()) || file.isDir()) {
        return std::nullopt;
    }
    return QFile::encodeName(file.filePath()).toStdString();
}

HexDropTarget::HexDropTarget(QPushButton& button, std::function<void(std::string path)> on_drop)
    : QObject(&button), button_(button), on_drop_(std::move(on_drop)) {
    button.setAcceptDrops(true);
    button.installEventFilter(this);
}

bool HexDropTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QObject::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);  // the drag events derive from it
    const std::optional<std::string> path =
        button_.isEnabled() ? dropped_hex_file(*drop->mimeData()) : std::nullopt;
    if (!path) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop) {
        QTimer::singleShot(0, this, [this, file = *path] {
            if (button_.isEnabled()) {  // an unplug may have come first
                on_drop_(file);
            }
        });
    }
    return true;
}

}  // namespace vantro::app
