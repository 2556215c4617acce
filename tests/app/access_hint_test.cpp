// The access hint on the hidapi backend over its test double: a programmer this
// user may not open at first, then may.

#include <gtest/gtest.h>

#include <cerrno>

#include "app/access_hint.h"
#include "tests/app/form_rig.h"
#include "tests/hidapi/fake_hidapi.h"

namespace vantro {
namespace {

TEST(AccessHint, NeverContradictsTheProgrammersArrival) {
    testing::qt_app();
    constexpr const char* kPath = "/dev/hidraw0";
    fake_hidapi::plug({kPath});
    fake_hidapi::refuse_open(kPath, EACCES);
    {
        hid::HidapiLibrary library;
        testing::ScriptedMessageBoxes boxes;
        app::MainForm form(library);
        form.replace_message_boxes(boxes);
        app::AccessHint hint(library, form);
        form.installEventFilter(&hint);
        const QLabel& estado = *form.controls().estado;
        EXPECT_TRUE(testing::wait_until([&] { return boxes.shown.size() == 1; }));
        EXPECT_EQ(estado.text(), QStringLiteral("Estado: Gravador sem permissão de acesso"));

        fake_hidapi::refuse_open(kPath, 0);  // the udev rule is in place
        EXPECT_TRUE(testing::wait_until([&] { return form.controls().Command6->isEnabled(); }));
        testing::FormRig::settle();  // the Changed events that follow the arrival
        EXPECT_EQ(estado.text(), QStringLiteral("Estado: Gravador Conectado"));
    }
    fake_hidapi::reset();
}

}  // namespace
}  // namespace vantro
