// SPDX-License-Identifier: MIT
// The window as it is created: every control's name, order, geometry (at 96 dpi),
// font, colour, caption, tab order and state.

#include <gtest/gtest.h>

#include <QFontInfo>

#include "app/form_controls.h"
#include "connection/backend.h"
#include "tests/app/form_rig.h"

namespace vantro {
namespace {

using testing::FormRig;

class InitialState : public ::testing::Test {
protected:
    FormRig rig{{}, false};
    QWidget& form = rig.form;

    QWidget& control(const char* name) {
        auto* found = form.findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found != nullptr ? *found : form;
    }
};

TEST_F(InitialState, WindowHasItsCaptionFixedClientAreaAndWhiteBackground) {
    ASSERT_EQ(form.logicalDpiX(), 96);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vantro - Vr 2018_B"));
    EXPECT_EQ(form.size(), QSize(460, 244));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_TRUE(form.autoFillBackground());
}

TEST_F(InitialState, CaptionSaysWhenTheProgrammerIsEmulated) {
    connection::ConnectionOptions options;
    options.emulator = true;
    rig.form.describe_backend(connection::make_backend(options)->description());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Vantro - Vr 2018_B — gravador emulado"));
}

struct Placement {
    const char* name;
    QRect rect;  // px at 96 dpi: twips / 15, relative to the container
};

TEST_F(InitialState, ControlsAreCreatedInTheFormsOrderAtTheirPlaces) {
    const Placement expected[] = {
        {"Command6", {120, 16, 105, 49}},
        {"Command1", {232, 16, 105, 49}},
        {"porcentagem", {208, 144, 241, 25}},
        {"Frame1", {8, 80, 441, 57}},
        {"lb3", {48, 24, 89, 17}},
        {"lb2", {208, 24, 49, 17}},
        {"lb1", {352, 24, 49, 17}},
        {"Command4", {8, 16, 105, 49}},
        {"Command2", {344, 16, 105, 49}},
        {"lblmsg2", {64, 336, 329, 33}},
        {"lblmsg1", {64, 304, 329, 33}},
        {"lblmsg", {64, 272, 329, 33}},
        {"sucesso", {216, 184, 225, 25}},
        {"estado", {216, 216, 233, 17}},
        {"Label1", {8, 208, 217, 25}},
        {"Image1", {8, 144, 177, 65}},
    };
    QStringList created;
    for (QObject* child : form.children()) {
        // cmdlg1 is a window of its own, not drawn in the form.
        const auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && !widget->isWindow()) {
            created << child->objectName();
        }
    }
    EXPECT_EQ(created, (QStringList{"Command6", "Command1", "porcentagem", "Frame1", "Command4",
                                    "Command2", "lblmsg2", "lblmsg1", "lblmsg", "sucesso", "estado",
                                    "Label1", "Image1"}));
    for (const auto& [name, rect] : expected) {
        EXPECT_EQ(control(name).geometry(), rect) << name;
    }
    for (const char* box : {"lb1", "lb2", "lb3"}) {
        EXPECT_EQ(control(box).parent(), &control("Frame1")) << box;
    }
}

TEST_F(InitialState, RecordLabelsLieBelowTheClientArea) {
    for (const char* name : {"lblmsg", "lblmsg1", "lblmsg2"}) {
        EXPECT_GE(control(name).geometry().top(), form.height()) << name;
    }
}

struct Face {
    const char* name;
    double points;  // 0: the window's default font
};

TEST_F(InitialState, FontsAreBoldSansFacesOfTheGivenSizes) {
    const Face faces[] = {{"Command1", 9.75}, {"Command2", 9.75}, {"Command4", 9.75},
                          {"Command6", 9.75}, {"Frame1", 12},     {"lb1", 8.25},
                          {"lb2", 8.25},      {"lb3", 8.25},      {"sucesso", 9.75},
                          {"estado", 9.75},   {"Label1", 12},     {"lblmsg", 0}};
    const QStringList families = app::form_font_families();
    for (const auto& [name, points] : faces) {
        const QFont font = control(name).font();
        if (points == 0) {
            EXPECT_EQ(font, form.font()) << name;
            continue;
        }
        EXPECT_EQ(font.families().value(0), QStringLiteral("MS Sans Serif")) << name;
        // Without "MS Sans Serif", one of the close faces; Qt may append the foundry.
        const QString resolved = QFontInfo(font).family().section(QStringLiteral(" ["), 0, 0);
        EXPECT_TRUE(families.contains(resolved)) << name << ": " << resolved.toStdString();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), points) << name;
        EXPECT_TRUE(font.bold()) << name;
    }
}

struct Colour {
    const char* name;
    QPalette::ColorRole role;
    QColor colour;
};

TEST_F(InitialState, ColoursAreTheForms) {
    const QColor white(255, 255, 255);
    const Colour colours[] = {
        {"sucesso", QPalette::WindowText, QColor(0, 192, 0)},
        {"estado", QPalette::WindowText, QColor(255, 0, 0)},
        {"Frame1", QPalette::WindowText, QColor(0, 0, 0)},
        {"Frame1", QPalette::Window, white},
        {"lb1", QPalette::Window, white},
        {"lb2", QPalette::Window, white},
        {"lb3", QPalette::Window, white},
        {"lblmsg", QPalette::Window, white},
        {"lblmsg1", QPalette::Window, white},
        {"lblmsg2", QPalette::Window, white},
    };
    for (const auto& [name, role, colour] : colours) {
        EXPECT_EQ(control(name).palette().color(role), colour) << name << " role " << role;
    }
}

TEST_F(InitialState, CaptionsAndStatesAreTheInitialOnes) {
    const auto& c = rig.form.controls();
    EXPECT_EQ(c.Command6->text(), QStringLiteral("Gravar FLASH"));
    EXPECT_EQ(c.Command1->text(), QStringLiteral("Gravar EEPROM"));
    EXPECT_EQ(c.Command4->text(), QStringLiteral("Apagar Memórias"));
    EXPECT_EQ(c.Command2->text(), QStringLiteral("Gravar LOCK BITS"));
    EXPECT_EQ(c.Frame1->title(), QStringLiteral("Lock Bits"));
    EXPECT_EQ(c.estado->text(), QStringLiteral("Estado: Gravador Desconectado"));
    EXPECT_EQ(c.Label1->text(), QString::fromLatin1(form::kMakerAddress.data()));
    for (const QLabel* empty : {c.sucesso, c.lblmsg, c.lblmsg1, c.lblmsg2}) {
        EXPECT_TRUE(empty->text().isEmpty()) << empty->objectName().toStdString();
    }
    EXPECT_TRUE(rig.buttons_disabled());
    for (const QCheckBox* box : {c.lb1, c.lb2, c.lb3}) {
        EXPECT_EQ(box->checkState(), Qt::Unchecked);
        EXPECT_TRUE(box->isEnabled());
    }
    EXPECT_EQ(c.porcentagem->minimum(), 0);
    EXPECT_EQ(c.porcentagem->maximum(), 100);
    EXPECT_EQ(c.porcentagem->value(), 0);
    EXPECT_EQ(rig.form.controller().progress_min(), 0.0f);
    EXPECT_EQ(rig.form.controller().progress_max(), 100.0f);
    EXPECT_EQ(rig.form.controller().progress_value(), 0.0f);
    ASSERT_FALSE(c.Image1->pixmap().isNull());
    EXPECT_EQ(c.Image1->pixmap().size(), QSize(240, 90));
    EXPECT_TRUE(c.Image1->hasScaledContents());
}

TEST_F(InitialState, TabOrderFollowsTheTabIndices) {
    QStringList chain;
    QWidget* widget = &control("Command2");
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && form.isAncestorOf(widget)) {
            chain << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != &control("Command2"));
    EXPECT_EQ(chain,
              (QStringList{"Command2", "Command4", "lb1", "lb2", "lb3", "Command1", "Command6"}));
}

}  // namespace
}  // namespace vantro
