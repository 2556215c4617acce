// SPDX-License-Identifier: MIT
#pragma once
// The window's modal dialogs: the open dialog cmdlg1 and the message boxes.
// Both sit behind interfaces so that tests can script them.

#include <QFileDialog>
#include <QString>
#include <QWidget>
#include <string>

#include "form/window_surface.h"
#include "ops/display.h"

namespace vantro::app {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal box with an OK button only; returns when the user closed it.
    virtual void show_message(QWidget& parent, const QString& text, const QString& title,
                              ops::MessageIcon icon) = 0;
    // A modal yes/no question; true when the user answered yes.
    virtual bool confirm(QWidget& parent, const QString& text, const QString& title) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    void show_message(QWidget& parent, const QString& text, const QString& title,
                      ops::MessageIcon icon) override;
    bool confirm(QWidget& parent, const QString& text, const QString& title) override;
};

// The program keeps no settings, but Qt's own open dialog stores its folders
// and layout in the user's settings, shared by every Qt program, and reads them
// back. Called once, before any dialog exists: Qt's settings then go nowhere.
void store_no_qt_settings();

// cmdlg1: one open dialog for the life of the window, so that its file name
// survives from one use to the next. It opens in the folder of the last file
// chosen, which it keeps in memory only.
class HexFileDialog {
public:
    explicit HexFileDialog(QWidget& parent);

    // The chosen existing file, in the platform's 8-bit file-name encoding;
    // empty when the user cancelled.
    std::string choose_hex_file(const form::OpenDialog& question);
    QFileDialog& cmdlg1() { return *dialog_; }

private:
    QFileDialog* dialog_;  // a child of the window
    QString folder_;       // where it opens next
};

}  // namespace vantro::app
