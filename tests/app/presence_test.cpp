// Plugging and unplugging the emulated programmer, and other HID devices, as the
// window shows it.

#include <gtest/gtest.h>

#include "tests/app/form_rig.h"

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

}  // namespace
}  // namespace vantro
