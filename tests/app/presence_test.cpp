// SPDX-License-Identifier: MIT
// Plugging and unplugging the emulated programmer, and other HID devices, as the
// window shows it.

#include <gtest/gtest.h>

#include <cerrno>

#include "app/access_hint.h"
#include "tests/app/form_rig.h"
#include "tests/hidapi/fake_hidapi.h"

namespace vantro {
namespace {

using testing::FormRig;
using testing::wait_until;

const QString kConnected = QStringLiteral("Estado: Gravador Conectado");
const QString kDisconnected = QStringLiteral("Estado: Gravador Desconectado");

TEST(Presence, PluggingEnablesTheButtonsAndUnpluggingDisablesThem) {
    FormRig rig({}, false);
    QLabel& estado = *rig.form.controls().estado;
    EXPECT_TRUE(rig.buttons_disabled());

    rig.library.plug();
    ASSERT_TRUE(wait_until([&] { return rig.buttons_enabled(); }));
    EXPECT_EQ(estado.text(), kConnected);
    EXPECT_EQ(estado.palette().color(QPalette::WindowText), QColor(255, 0, 0));

    rig.library.unplug();
    ASSERT_TRUE(wait_until([&] { return rig.buttons_disabled(); }));
    EXPECT_EQ(estado.text(), kDisconnected);
}

TEST(Presence, ProgrammerPresentAtStartIsAnnouncedBeforeAnyClick) {
    FormRig rig;
    EXPECT_TRUE(wait_until([&] { return rig.buttons_enabled(); }));
    EXPECT_EQ(rig.form.controls().estado->text(), kConnected);
}

TEST(Presence, OtherDevicesLeaveTheButtonsAlone) {
    FormRig rig;
    ASSERT_TRUE(wait_until([&] { return rig.buttons_enabled(); }));

    const hid::DeviceHandle other = rig.library.plug_other(0x1234, 0x0002);
    FormRig::settle();
    EXPECT_EQ(rig.form.controls().estado->text(), kConnected);

    rig.library.unplug_other(other);
    ASSERT_TRUE(wait_until([&] { return rig.form.controls().estado->text() == kDisconnected; }));
    EXPECT_TRUE(rig.buttons_enabled());
}

TEST(Presence, EventsAfterCloseReachNoHandler) {
    FormRig rig({}, false);
    rig.form.close();
    EXPECT_FALSE(rig.form.isVisible());
    rig.library.plug();
    FormRig::settle();
    EXPECT_TRUE(rig.buttons_disabled());
    EXPECT_EQ(rig.form.controls().estado->text(), kDisconnected);
}

// A real programmer (hidapi over its test double) this user may not open at first, then may.
TEST(Presence, AccessHintNeverContradictsTheProgrammersArrival) {
    testing::qt_app();
    constexpr const char* kPath = "/dev/hidraw0";
    fake_hidapi::plug({kPath});
    fake_hidapi::refuse_open(kPath, EACCES);
    {
        const auto backend = connection::make_backend(connection::ConnectionOptions{});
        testing::ScriptedMessageBoxes boxes;
        app::MainForm form(backend->library());
        form.replace_message_boxes(boxes);
        app::AccessHint hint(*backend, form);
        form.filter_hid_events(hint);
        EXPECT_TRUE(wait_until([&] { return boxes.shown.size() == 1; }));
        EXPECT_EQ(form.controls().estado->text(),
                  QStringLiteral("Estado: Gravador sem permissão de acesso"));

        fake_hidapi::refuse_open(kPath, 0);  // the udev rule is in place
        EXPECT_TRUE(wait_until([&] { return form.controls().Command6->isEnabled(); }));
        FormRig::settle();  // the Changed events that follow the arrival
        EXPECT_EQ(form.controls().estado->text(), kConnected);
    }
    fake_hidapi::reset();
}

}  // namespace
}  // namespace vantro
