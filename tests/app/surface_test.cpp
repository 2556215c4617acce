// SPDX-License-Identifier: MIT
// The Qt window as the controller's surface: each call does to the widgets what
// the interface says, and clicks, drops and closes reach the controller.

#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "tests/app/form_rig.h"
#include "tests/support/temp_file.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

using testing::FormRig;
using testing::wait_until;

TEST(QtSurface, SetsTextsStatesAndTheBarReadsTheBoxes) {
    FormRig rig({}, false);
    app::MainForm& form = rig.form;
    const auto& c = form.controls();
    form.set_text("sucesso", "Gravou com sucesso!");
    form.set_text("Command6", "Gravar");
    form.set_text("Frame1", "Bits");
    EXPECT_EQ(c.sucesso->text(), QStringLiteral("Gravou com sucesso!"));
    EXPECT_EQ(c.Command6->text(), QStringLiteral("Gravar"));
    EXPECT_EQ(c.Frame1->title(), QStringLiteral("Bits"));
    form.enable("Command4", true);
    EXPECT_TRUE(c.Command4->isEnabled());
    form.set_bar(7, 3);
    EXPECT_EQ(c.porcentagem->maximum(), 7);
    EXPECT_EQ(c.porcentagem->value(), 3);
    c.lb2->setChecked(true);
    c.lb3->setTristate(true);
    c.lb3->setCheckState(Qt::PartiallyChecked);  // grayed: not checked
    EXPECT_FALSE(form.checked("lb1"));
    EXPECT_TRUE(form.checked("lb2"));
    EXPECT_FALSE(form.checked("lb3"));

    std::vector<int> ran;
    form.later([&] { ran.push_back(1); });
    form.later([&] { ran.push_back(2); });
    EXPECT_TRUE(ran.empty());  // not inside the caller
    EXPECT_TRUE(wait_until([&] { return ran.size() == 2; }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));

    form.show_message("Erro na gravação", "Vantro", ops::MessageIcon::None);
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, "Erro na gravação");
    EXPECT_TRUE(form.ask("Fechar?", "Vantro"));
    EXPECT_EQ(rig.boxes.questions, std::vector<std::string>{"Fechar?"});
}

// Whether files dragged onto a button and dropped there were taken.
bool drop(QWidget& target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    return QApplication::sendEvent(&target, &enter) && QApplication::sendEvent(&target, &drop) &&
           enter.isAccepted() && drop.isAccepted();
}

TEST(QtSurface, ClicksAndDropsReachTheController) {
    FormRig rig;
    ASSERT_TRUE(wait_until([&] { return rig.buttons_enabled(); }));
    const auto& c = rig.form.controls();
    c.Command4->click();
    EXPECT_EQ(c.sucesso->text(), QStringLiteral("Apagou com sucesso!"));

    const testing::TempFile ihx{"app-dropped.IHX", testing::kWorkedExample};
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(ihx.path()));
    EXPECT_FALSE(drop(*c.Command1, {url, url}));
    EXPECT_FALSE(drop(*c.Command1, {QUrl(QStringLiteral("https://example.com/a.hex"))}));
    EXPECT_FALSE(drop(*c.Command4, {url}));
    EXPECT_TRUE(drop(*c.Command1, {url}));
    EXPECT_TRUE(
        wait_until([&] { return c.sucesso->text() == QStringLiteral("Gravou com sucesso!"); }));
    EXPECT_EQ(rig.library.programmer().eeprom()[0x111], 0xF5);
}

// The close event waits for the controller; a confirmed close wakes the wait.
TEST(QtSurface, ConfirmedCloseDuringAWaitClosesTheWindowOnceTheRunStops) {
    emulator::EmulatorSettings slow;
    slow.latency = std::chrono::milliseconds(1000);
    FormRig rig(slow);
    ASSERT_TRUE(wait_until([&] { return rig.buttons_enabled(); }));
    QTimer::singleShot(0, rig.form.controls().Command4, &QPushButton::click);
    QTimer::singleShot(100, &rig.form, &QWidget::close);
    EXPECT_TRUE(
        wait_until([&] { return rig.form.controller().last_outcome().has_value(); }, 10000));
    EXPECT_EQ(rig.boxes.questions.size(), 1u);
    EXPECT_EQ(rig.form.controller().last_outcome(), ops::Outcome::Cancelled);
    EXPECT_FALSE(rig.form.isVisible());
}

}  // namespace
}  // namespace vantro
