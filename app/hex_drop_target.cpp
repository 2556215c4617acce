// SPDX-License-Identifier: MIT
#include "app/hex_drop_target.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace vantro::app {

std::vector<form::DroppedFile> dropped_files(const QMimeData& data) {
    std::vector<form::DroppedFile> files;
    for (const QUrl& url : data.urls()) {
        const QFileInfo file(url.toLocalFile());
        files.push_back(
            {QFile::encodeName(file.filePath()).toStdString(), url.isLocalFile() && !file.isDir()});
    }
    return files;
}

HexDropTarget::HexDropTarget(QPushButton& button, form::WindowController& controller)
    : QObject(&button), button_(button), controller_(controller) {
    button.setAcceptDrops(true);
    button.installEventFilter(this);
}

bool HexDropTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QObject::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);  // the drag events derive from it
    const std::string name = button_.objectName().toStdString();
    const std::vector<form::DroppedFile> files = dropped_files(*drop->mimeData());
    const bool taken =
        type == QEvent::Drop ? controller_.drop(name, files) : controller_.takes_drop(name, files);
    if (taken) {
        drop->acceptProposedAction();
    } else {
        drop->ignore();
    }
    return true;
}

}  // namespace vantro::app
