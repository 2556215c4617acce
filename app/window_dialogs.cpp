// SPDX-License-Identifier: MIT
#include "app/window_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>

#include "app/qt_text.h"

namespace vantro::app {
namespace {

QMessageBox::Icon box_icon(ops::MessageIcon icon) {
    switch (icon) {
        case ops::MessageIcon::Information:
            return QMessageBox::Information;
        case ops::MessageIcon::Warning:
            return QMessageBox::Warning;
        case ops::MessageIcon::Critical:
            return QMessageBox::Critical;
        case ops::MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QString initial_folder() {
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    return QDir::homePath();
#endif
}

// Window managers shorten a title that does not fit beside the title bar's
// buttons, and a box with a short text is narrow: "Vantro" became "Va…o".
void make_room_for_title(QMessageBox& box) {
    constexpr int kTitleBarButtons = 160;  // icon, minimize, maximize, close and margins
    QFont title_font = box.font();
    title_font.setBold(true);  // the usual face of a title bar
    const int width =
        QFontMetrics(title_font).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid != nullptr) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

}  // namespace

void store_no_qt_settings() {
    // Inside the null device no settings file can be made, nor read back. (The
    // Windows registry, the native format there, takes no path.)
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, QProcess::nullDevice());
    }
}

void QtMessageBoxes::show_message(QWidget& parent, const QString& text, const QString& title,
                                  ops::MessageIcon icon) {
    QMessageBox box(box_icon(icon), title, text, QMessageBox::Ok, &parent);
    make_room_for_title(box);
    box.exec();
}

bool QtMessageBoxes::confirm(QWidget& parent, const QString& question, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Yes | QMessageBox::No,
                    &parent);
    box.button(QMessageBox::Yes)->setText(qtr("Sim"));
    box.button(QMessageBox::No)->setText(qtr("Não"));
    box.setDefaultButton(QMessageBox::No);
    make_room_for_title(box);
    return box.exec() == QMessageBox::Yes;
}

HexFileDialog::HexFileDialog(QWidget& parent)
    : dialog_(new QFileDialog(&parent)), folder_(initial_folder()) {
    dialog_->setObjectName(QStringLiteral("cmdlg1"));
    dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    dialog_->setFileMode(QFileDialog::ExistingFile);
    // Qt's own dialog, so that an entry reads as its caption alone ("Arqs.
    // HEX(*.hex)") whatever patterns it shows.
    dialog_->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
}

std::string HexFileDialog::choose_hex_file(const form::OpenDialog& question) {
    dialog_->setWindowTitle(to_qstring(question.title));
    QStringList filters;
    for (const form::FileFilter& filter : question.filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns) {
            patterns << to_qstring(pattern);
        }
        filters << to_qstring(filter.caption) + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    dialog_->setNameFilters(filters);
    // Set at every use: Qt's dialog would otherwise open where its last use in any
    // program left it, as its own settings remember.
    dialog_->setDirectory(folder_);
    if (dialog_->exec() != QDialog::Accepted || dialog_->selectedFiles().isEmpty()) {
        return {};
    }
    const QString chosen = dialog_->selectedFiles().constFirst();
    folder_ = QFileInfo(chosen).absolutePath();
    return QFile::encodeName(chosen).toStdString();
}

}  // namespace vantro::app
