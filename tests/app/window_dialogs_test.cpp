// SPDX-License-Identifier: MIT
// The real dialogs, driven from a timer while they are open: what cmdlg1 gives
// back, and what the message boxes show.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include "app/window_dialogs.h"
#include "form/window_controller.h"
#include "tests/app/qt_app.h"
#include "tests/support/temp_file.h"

namespace vantro {
namespace {

// Runs action on the modal dialog as soon as it is open.
template <typename Dialog, typename Action>
void when_open(Action action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(*dialog);
    });
}

class WindowDialogs : public ::testing::Test {
protected:
    QApplication& application = testing::qt_app();
    QWidget window;
};

TEST_F(WindowDialogs, OpenDialogGivesTheChosenFileAndKeepsItsFolderInMemoryOnly) {
    const testing::TempFile file("dialog.hex", ":00000001FF\n");
    app::HexFileDialog cmdlg1(window);
    const QString file_folder = QFileInfo(QString::fromStdString(file.path())).absolutePath();
    when_open<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), QDir::homePath());
        dialog.selectFile(QString::fromStdString(file.path()));
        QMetaObject::invokeMethod(&dialog, "accept");  // as the Open button does
    });
    EXPECT_EQ(cmdlg1.choose_hex_file(form::hex_file_dialog()), file.path());

    when_open<QFileDialog>([&](QFileDialog& dialog) {
        // Folder and name survive from one use to the next; cancelling gives none.
        EXPECT_EQ(dialog.directory().absolutePath(), file_folder);
        EXPECT_EQ(dialog.selectedFiles().value(0).toStdString(), file.path());
        dialog.setDirectory(QDir::rootPath());  // browsing without choosing
        dialog.reject();
    });
    EXPECT_EQ(cmdlg1.choose_hex_file(form::hex_file_dialog()), "");
    when_open<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.directory().absolutePath(), file_folder);
        dialog.reject();
    });
    cmdlg1.choose_hex_file(form::hex_file_dialog());

    delete &cmdlg1.cmdlg1();  // as Qt's dialog goes, it stores its state
    const QSettings qt_settings(QSettings::UserScope, QStringLiteral("QtProject"));
    EXPECT_FALSE(QFileInfo::exists(qt_settings.fileName())) << qt_settings.fileName().toStdString();
}

TEST_F(WindowDialogs, OpenDialogShowsTheCoresTitleAndFileTypes) {
    app::HexFileDialog cmdlg1(window);
    when_open<QFileDialog>([](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Procurar arquivo hex"));
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        const auto* filter = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(filter, nullptr);
        ASSERT_EQ(filter->count(), 2);
        EXPECT_EQ(filter->itemText(0), QStringLiteral("Arqs. HEX(*.hex)"));
        EXPECT_EQ(filter->itemText(1), QStringLiteral("Arqs. IHX(*.ihx)"));
        EXPECT_EQ(dialog.nameFilters().value(0), QStringLiteral("Arqs. HEX(*.hex) (*.hex *.ihx)"));
        dialog.reject();
    });
    EXPECT_EQ(cmdlg1.choose_hex_file(form::hex_file_dialog()), "");
}

TEST_F(WindowDialogs, MessageBoxShowsTextTitleAndIconWithOkOnly) {
    app::QtMessageBoxes boxes;
    const struct {
        ops::MessageIcon icon;
        QMessageBox::Icon shown;
    } icons[] = {{ops::MessageIcon::None, QMessageBox::NoIcon},
                 {ops::MessageIcon::Information, QMessageBox::Information},
                 {ops::MessageIcon::Warning, QMessageBox::Warning},
                 {ops::MessageIcon::Critical, QMessageBox::Critical}};
    for (const auto& [icon, shown] : icons) {
        when_open<QMessageBox>([shown](QMessageBox& box) {
            EXPECT_EQ(box.text(), QStringLiteral("Erro na gravação"));
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Vantro"));
            EXPECT_EQ(box.icon(), shown);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
            box.button(QMessageBox::Ok)->click();
        });
        boxes.show_message(window, QStringLiteral("Erro na gravação"), QStringLiteral("Vantro"),
                           icon);
    }
}

TEST_F(WindowDialogs, QuestionAnswersInPortugueseAndDefaultsToNo) {
    app::QtMessageBoxes boxes;
    for (const bool yes : {true, false}) {
        when_open<QMessageBox>([yes](QMessageBox& box) {
            EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("Sim"));
            EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("Não"));
            EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()),
                      box.button(QMessageBox::No));
            box.button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        EXPECT_EQ(boxes.confirm(window, QStringLiteral("Fechar?"), QStringLiteral("Vantro")), yes);
    }
}

}  // namespace
}  // namespace vantro
