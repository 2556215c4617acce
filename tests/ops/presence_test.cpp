// SPDX-License-Identifier: MIT
// The connection label, the buttons and the response byte follow the HID events.

#include <gtest/gtest.h>

#include "tests/support/scripted_hid_library.h"
#include "tests/support/session_rig.h"

namespace vantro {
namespace {

using hid::HidEventKind;
using testing::ScriptedHidLibrary;
using Rig = testing::SessionRig<ScriptedHidLibrary>;

constexpr const char* kConnected = "Estado: Gravador Conectado";
constexpr const char* kDisconnected = "Estado: Gravador Desconectado";
constexpr hid::DeviceHandle kOther = 42;

TEST(Presence, ProgrammerPresentAtStartEnablesTheButtonsAndReadNotify) {
    Rig rig;
    ASSERT_EQ(rig.display.connection_texts, std::vector<std::string>{kConnected});
    EXPECT_TRUE(rig.display.buttons_enabled);
    EXPECT_EQ(rig.library.notify_calls(),
              std::vector<hid::DeviceHandle>{ScriptedHidLibrary::kProgrammer});
}

TEST(Presence, NoProgrammerLeavesTheWindowAsCreated) {
    Rig rig(false);
    EXPECT_TRUE(rig.display.connection_texts.empty());
    EXPECT_TRUE(rig.display.button_changes.empty());
}

TEST(Presence, OtherDevicesChangeTheLabelButNotTheButtons) {
    Rig rig;
    rig.library.set_ids(kOther, 0x1234, 0x0002);
    rig.library.post(HidEventKind::Plugged, kOther);
    rig.pump();
    EXPECT_EQ(rig.display.connection_texts.size(), 1u);
    EXPECT_EQ(rig.display.button_changes.size(), 1u);

    rig.library.post(HidEventKind::Unplugged, kOther);
    rig.pump();
    EXPECT_EQ(rig.display.connection_texts.back(), kDisconnected);
    EXPECT_TRUE(rig.display.buttons_enabled);
    EXPECT_EQ(rig.display.button_changes.size(), 1u);
}

TEST(Presence, ProgrammerRemovedDisablesTheButtonsAndComesBack) {
    Rig rig;
    rig.library.post(HidEventKind::Unplugged, ScriptedHidLibrary::kProgrammer);
    rig.pump();
    EXPECT_EQ(rig.display.connection_texts,
              (std::vector<std::string>{kConnected, kDisconnected, kDisconnected}));
    EXPECT_FALSE(rig.display.buttons_enabled);

    rig.library.post(HidEventKind::Plugged, ScriptedHidLibrary::kProgrammer);
    rig.library.post(HidEventKind::Plugged, ScriptedHidLibrary::kProgrammer);
    rig.pump();
    EXPECT_EQ(rig.display.connection_texts.back(), kConnected);
    EXPECT_TRUE(rig.display.buttons_enabled);
}

TEST(Presence, ReadCopiesTheStatusByteOnlyWhenAReportWasRead) {
    Rig rig;
    auto& link = rig.session.link();
    rig.library.queue_answer(0x55);
    rig.pump();
    rig.library.post(HidEventKind::ReadReady, ScriptedHidLibrary::kProgrammer);  // nothing queued
    rig.pump();
    EXPECT_EQ(link.resposta(), 0x55);

    rig.library.queue_answer(0x00);
    rig.pump();
    EXPECT_EQ(link.resposta(), 0x00);
}

TEST(Presence, EventsAfterDetachCallNoHandler) {
    Rig rig;
    rig.library.post(HidEventKind::Unplugged, ScriptedHidLibrary::kProgrammer);
    rig.wired.detach();
    rig.pump();
    EXPECT_TRUE(rig.display.buttons_enabled);
}

}  // namespace
}  // namespace vantro
