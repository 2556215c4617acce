// SPDX-License-Identifier: MIT
#pragma once
// A HEX file dropped on a programming button stands in for the file dialog:
// while the button is enabled, one local .hex or .ihx file is taken; anything
// else dropped is refused.

#include <QMimeData>
#include <QObject>
#include <QPushButton>
#include <functional>
#include <optional>
#include <string>

namespace vantro::app {

// The dropped file, in the platform's 8-bit file-name encoding, when the drop is
// exactly one local file named *.hex or *.ihx.
std::optional<std::string> dropped_hex_file(const QMimeData& data);

class HexDropTarget : public QObject {
public:
    // on_drop runs from the event loop once the drop is over, so the drag's
    // source is not kept waiting for the whole operation.
    HexDropTarget(QPushButton& button, std::function<void(std::string path)> on_drop);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton& button_;
    std::function<void(std::string path)> on_drop_;
};

}  // namespace vantro::app
