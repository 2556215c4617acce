// SPDX-License-Identifier: MIT
// Arrival, removal, handles and the choice of one programmer by path.

#include <cerrno>
#include <fstream>
#ifdef _WIN32
#include <windows.h>
#endif

#include "tests/hidapi/hidapi_fixture.h"

namespace vantro::testing {
namespace {

using fake_hidapi::FakeDevice;
using hid::HidEvent;
using hid::HidEventKind;

constexpr std::uint16_t kMouseVid = 0x046D;
constexpr std::uint16_t kMousePid = 0xC077;

using HidapiPresenceTest = HidapiBackendTest;

TEST_F(HidapiPresenceTest, ProgrammersPresentAtConnectAreAnnouncedBeforeItReturns) {
    fake_hidapi::plug({kProgrammerPath});
    fake_hidapi::plug({kOtherPath, kMouseVid, kMousePid});
    hid::HidapiLibrary& library = connect();

    // Other devices are not even listed: asking each for its strings can take seconds.
    const auto events = recorder_.events();
    ASSERT_EQ(events.size(), 2u);
    const hid::DeviceHandle programmer = events[0].handle;
    EXPECT_EQ(events, (std::vector<HidEvent>{{HidEventKind::Plugged, programmer},
                                             {HidEventKind::Changed}}));
    EXPECT_NE(programmer, 0u);
    EXPECT_EQ(library.GetVendorID(programmer), protocol::PROG_VID);
    EXPECT_EQ(library.GetProductID(programmer), protocol::PROG_PID);
    EXPECT_EQ(library.GetHandle(protocol::PROG_VID, protocol::PROG_PID), programmer);
    EXPECT_EQ(library.GetHandle(kMouseVid, kMousePid), 0u);
    EXPECT_EQ(library.GetHandle(protocol::PROG_VID, 2), 0u);
}

TEST_F(HidapiPresenceTest, RemovedHandleKeepsItsIdsAndReplugGetsAFreshOne) {
    hid::HidapiLibrary& library = connect();
    EXPECT_EQ(recorder_.size(), 0u);

    fake_hidapi::plug({kProgrammerPath});
    const auto plugged = recorder_.wait_for(HidEventKind::Plugged);
    ASSERT_TRUE(plugged);
    const hid::DeviceHandle first = recorder_.at(*plugged).handle;
    ASSERT_TRUE(recorder_.wait_for(HidEventKind::Changed, *plugged + 1));

    fake_hidapi::unplug(kProgrammerPath);
    const auto unplugged = recorder_.wait_for(HidEventKind::Unplugged);
    ASSERT_TRUE(unplugged);
    EXPECT_EQ(recorder_.at(*unplugged), (HidEvent{HidEventKind::Unplugged, first}));
    ASSERT_TRUE(recorder_.wait_for(HidEventKind::Changed, *unplugged + 1));
    EXPECT_EQ(library.GetVendorID(first), protocol::PROG_VID);
    EXPECT_EQ(library.GetProductID(first), protocol::PROG_PID);
    EXPECT_EQ(library.GetHandle(protocol::PROG_VID, protocol::PROG_PID), 0u);
    EXPECT_FALSE(library.SetReadNotify(first, true));

    fake_hidapi::plug({kProgrammerPath});
    const auto replugged = recorder_.wait_for(HidEventKind::Plugged, *unplugged);
    ASSERT_TRUE(replugged);
    const hid::DeviceHandle second = recorder_.at(*replugged).handle;
    EXPECT_NE(second, 0u);
    EXPECT_NE(second, first);
    EXPECT_EQ(library.GetHandle(protocol::PROG_VID, protocol::PROG_PID), second);
}

TEST_F(HidapiPresenceTest, ReplugOnTheSamePathBetweenListingsIsSeenAsRemovalAndArrival) {
    fake_hidapi::plug({kProgrammerPath});
    connect();
    const hid::DeviceHandle first = recorder_.at(0).handle;

    // The reader's failure, not the listing, reveals that the node is another device.
    fake_hidapi::unplug(kProgrammerPath);
    fake_hidapi::plug({kProgrammerPath});

    const auto unplugged = recorder_.wait_for(HidEventKind::Unplugged);
    ASSERT_TRUE(unplugged);
    EXPECT_EQ(recorder_.at(*unplugged).handle, first);
    const auto replugged = recorder_.wait_for(HidEventKind::Plugged, *unplugged);
    ASSERT_TRUE(replugged);
    EXPECT_NE(recorder_.at(*replugged).handle, first);
}

class NeverIssuedHandleTest : public HidapiBackendTest,
                              public ::testing::WithParamInterface<hid::DeviceHandle> {};

TEST_P(NeverIssuedHandleTest, GivesNoIdsAndRefusesNotifyAndRead) {
    fake_hidapi::plug({kProgrammerPath});
    hid::HidapiLibrary& library = connect();
    std::array<std::uint8_t, hid::kHidReportSize> buffer{};
    EXPECT_EQ(library.GetVendorID(GetParam()), 0u);
    EXPECT_EQ(library.GetProductID(GetParam()), 0u);
    EXPECT_FALSE(library.SetReadNotify(GetParam(), true));
    EXPECT_FALSE(library.Read(GetParam(), buffer));
}

INSTANTIATE_TEST_SUITE_P(ZeroAndUnknown, NeverIssuedHandleTest, ::testing::Values(0u, 12345u));

TEST_F(HidapiPresenceTest, WithAPathOnlyThatProgrammerCounts) {
    fake_hidapi::plug({kProgrammerPath});
    fake_hidapi::plug({kOtherPath});
    hid::HidapiLibrary& library = connect(kOtherPath);

    ASSERT_EQ(recorder_.size(), 2u);
    EXPECT_EQ(library.GetHandle(protocol::PROG_VID, protocol::PROG_PID), recorder_.at(0).handle);
    EXPECT_TRUE(library.WriteEx(protocol::PROG_VID, protocol::PROG_PID,
                                command_report(protocol::kCmdErase)));
    EXPECT_EQ(fake_hidapi::reports_received(kOtherPath), 1u);
    EXPECT_EQ(fake_hidapi::reports_received(kProgrammerPath), 0u);
}

TEST_F(HidapiPresenceTest, ProgrammerWithoutPermissionIsListedAndReportedNotAnnounced) {
    fake_hidapi::plug({kProgrammerPath});
    fake_hidapi::plug({kOtherPath, kMouseVid, kMousePid});
    fake_hidapi::refuse_open(kProgrammerPath, EACCES);

    const auto programmers = hid::list_programmers(kProgrammerIds);
    ASSERT_EQ(programmers.size(), 1u);
    EXPECT_EQ(programmers[0].device,
              (hid::HidDeviceListing{kProgrammerPath, protocol::PROG_VID, protocol::PROG_PID,
                                     "0001", "Gravador"}));
    ASSERT_TRUE(programmers[0].failure);
    EXPECT_EQ(programmers[0].failure->error_number, EACCES);
    EXPECT_TRUE(programmers[0].failure->permission_denied());
    EXPECT_NE(programmers[0].failure->message.find(kProgrammerPath), std::string::npos);

    hid::HidapiLibrary& library = connect();
    EXPECT_EQ(library.GetHandle(protocol::PROG_VID, protocol::PROG_PID), 0u);
    ASSERT_TRUE(library.inaccessible_programmer());
    EXPECT_EQ(library.inaccessible_programmer()->device.path, kProgrammerPath);

    // Permission granted (udev rule installed): the next listing opens it.
    const std::size_t before = recorder_.size();
    fake_hidapi::refuse_open(kProgrammerPath, 0);
    const auto plugged = recorder_.wait_for(HidEventKind::Plugged, before);
    ASSERT_TRUE(plugged);
    EXPECT_EQ(library.GetVendorID(recorder_.at(*plugged).handle), protocol::PROG_VID);
    EXPECT_FALSE(library.inaccessible_programmer());
    EXPECT_FALSE(hid::list_programmers(kProgrammerIds).at(0).failure);
}

// A run that found no programmer it may open asks why after it has disconnected:
// the answer must still be the permission, never "no programmer".
TEST_F(HidapiPresenceTest, AProgrammerWithoutPermissionIsStillReportedAfterDisconnect) {
    fake_hidapi::plug({kProgrammerPath});
    fake_hidapi::refuse_open(kProgrammerPath, EACCES);
    hid::HidapiLibrary& library = connect();
    ASSERT_TRUE(library.Disconnect());
    const auto blocked = library.inaccessible_programmer();
    ASSERT_TRUE(blocked);
    EXPECT_TRUE(blocked->failure->permission_denied());
}

TEST_F(HidapiPresenceTest, AProgrammerHeldByAnotherProgramIsReportedSoNeverAnnounced) {
#ifndef _WIN32
    GTEST_SKIP() << "hidapi opens a device held elsewhere without access only on Windows";
#else
    // A file held without sharing stands for the node: the same rules apply.
    const std::string path = std::string(VANTRO_TEST_TMP) + "/held-programmer";
    std::ofstream(path) << "node";
    const HANDLE holder =
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    fake_hidapi::plug({path});
    hid::HidapiLibrary& library = connect();
    EXPECT_EQ(library.GetHandle(protocol::PROG_VID, protocol::PROG_PID), 0u);
    const auto blocked = library.inaccessible_programmer();
    CloseHandle(holder);
    ASSERT_TRUE(blocked);
    EXPECT_TRUE(blocked->failure->held_by_another_program);
#endif
}

TEST_F(HidapiPresenceTest, DisconnectStopsEverythingAndConnectStartsAfresh) {
    fake_hidapi::plug({kProgrammerPath});
    hid::HidapiLibrary& library = connect();
    const hid::DeviceHandle first = recorder_.at(0).handle;
    EXPECT_FALSE(library.Connect(recorder_.poster()));

    ASSERT_TRUE(library.Disconnect());
    EXPECT_FALSE(library.Disconnect());
    EXPECT_EQ(fake_hidapi::open_handle_count(), 0u);
    EXPECT_EQ(library.GetHandle(protocol::PROG_VID, protocol::PROG_PID), 0u);
    const std::size_t after_disconnect = recorder_.size();

    ASSERT_TRUE(library.Connect(recorder_.poster()));
    ASSERT_EQ(recorder_.size(), after_disconnect + 2);
    EXPECT_NE(recorder_.at(after_disconnect).handle, first);
}

}  // namespace
}  // namespace vantro::testing
