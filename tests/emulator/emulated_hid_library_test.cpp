// SPDX-License-Identifier: MIT
// The emulated programmer behind the HID library contract: events, handles,
// reads and writes, faults and latency.

#include <gtest/gtest.h>

#include <thread>

#include "emulator/emulated_hid_library.h"
#include "tests/support/event_recorder.h"
#include "tests/support/report_builder.h"

namespace vantro::emulator {
namespace {

using hid::HidEvent;
using hid::HidEventKind;
using Clock = std::chrono::steady_clock;
using testing::command_report;

constexpr HidEvent kChanged{HidEventKind::Changed, 0};
HidEvent plugged(hid::DeviceHandle h) {
    return {HidEventKind::Plugged, h};
}
HidEvent unplugged(hid::DeviceHandle h) {
    return {HidEventKind::Unplugged, h};
}
HidEvent read_ready(hid::DeviceHandle h) {
    return {HidEventKind::ReadReady, h};
}

struct Rig {
    explicit Rig(EmulatorSettings settings = {}, bool plugged = true) : library(settings, plugged) {
        library.Connect(recorder.poster());
    }
    bool write(std::uint8_t command) { return library.WriteEx(0x1234, 1, command_report(command)); }
    std::optional<protocol::Report> read(hid::DeviceHandle handle = 1) {
        protocol::Report report{};
        if (!library.Read(handle, report)) {
            return std::nullopt;
        }
        return report;
    }
    testing::EventRecorder recorder;
    EmulatedHidLibrary library;
};

TEST(EmulatedHidLibrary, ConnectAnnouncesAPresentProgrammerOnly) {
    Rig present;
    EXPECT_EQ(present.recorder.events(), (std::vector{plugged(1), kChanged}));
    EXPECT_FALSE(present.library.Connect(present.recorder.poster()));
    Rig absent({}, false);
    EXPECT_TRUE(absent.recorder.events().empty());
    EXPECT_EQ(absent.library.GetHandle(0x1234, 1), 0u);
}

TEST(EmulatedHidLibrary, EachPlugGivesAFreshHandleAndRemovedIdsStayKnown) {
    Rig rig;
    rig.library.unplug();
    rig.library.unplug();  // already gone: nothing more
    rig.library.plug();
    const hid::DeviceHandle other = rig.library.plug_other(0x1234, 2);
    rig.library.unplug_other(other);
    EXPECT_EQ(rig.recorder.events(),
              (std::vector{plugged(1), kChanged, unplugged(1), kChanged, plugged(2), kChanged,
                           plugged(3), kChanged, unplugged(3), kChanged}));
    EXPECT_EQ(rig.library.GetHandle(0x1234, 1), 2u);
    EXPECT_EQ(rig.library.GetHandle(0x1234, 2), 0u);
    for (const auto& [handle, vendor, product] :
         {std::tuple{1u, 0x1234u, 1u}, {2u, 0x1234u, 1u}, {3u, 0x1234u, 2u}, {9u, 0u, 0u}}) {
        EXPECT_EQ(rig.library.GetVendorID(handle), vendor) << handle;
        EXPECT_EQ(rig.library.GetProductID(handle), product) << handle;
    }
    EXPECT_FALSE(rig.library.SetReadNotify(0, true));
    EXPECT_FALSE(rig.library.SetReadNotify(1, true));
    EXPECT_TRUE(rig.library.SetReadNotify(2, true));
}

TEST(EmulatedHidLibrary, InstantAnswersAreAnnouncedInsideWriteEx) {
    Rig rig;
    rig.recorder.clear();
    ASSERT_TRUE(rig.write(0xAA));  // notify still off: queued, not announced
    EXPECT_TRUE(rig.recorder.events().empty());
    ASSERT_TRUE(rig.library.SetReadNotify(1, true));
    ASSERT_TRUE(rig.write(0xCC));
    EXPECT_EQ(rig.recorder.events(), std::vector{read_ready(1)});
    EXPECT_EQ(rig.library.pending_answers(), 2u);

    protocol::Report expected{};
    expected[1] = 0xAA;
    expected[2] = 0xAA;
    EXPECT_EQ(rig.read(), expected);
    EXPECT_EQ(rig.read().value()[2], 0xCC);
    EXPECT_EQ(rig.read(), std::nullopt);
    EXPECT_FALSE(rig.library.WriteEx(0x1234, 2, command_report(0xAA)));
}

TEST(EmulatedHidLibrary, FaultsAsSeenThroughTheLibrary) {
    Rig twice({.twice = 1});
    twice.library.SetReadNotify(1, true);
    twice.write(0xAA);
    EXPECT_EQ(twice.library.pending_answers(), 2u);

    Rig unplug({.unplug = 2});
    unplug.library.SetReadNotify(1, true);
    EXPECT_TRUE(unplug.write(0xAA));
    EXPECT_TRUE(unplug.write(0xCC));  // sent; the programmer left on receiving it
    EXPECT_FALSE(unplug.write(0xDD));
    EXPECT_EQ(unplug.recorder.events(),
              (std::vector{plugged(1), kChanged, read_ready(1), unplugged(1), kChanged}));
    EXPECT_FALSE(unplug.library.present());
    EXPECT_EQ(unplug.read(), std::nullopt);  // the unread erase answer went with it
    EXPECT_EQ(unplug.library.programmer().reports_received(), 2u);
}

TEST(EmulatedHidLibrary, ReplugForgetsAnOpenBeginButKeepsTheChip) {
    Rig rig;
    rig.write(0x01);  // lock bits 0x00
    rig.write(0xCC);
    rig.library.unplug();
    rig.library.plug();
    ASSERT_TRUE(rig.write(0xBB));
    EXPECT_EQ(rig.read(2).value()[2], 0xEE);
    EXPECT_EQ(rig.library.programmer().lock_bits(), 0x00);
    EXPECT_EQ(rig.library.programmer().reports_received(), 3u);
}

TEST(EmulatedHidLibrary, InjectedInputIsReadLikeAnAnswer) {
    Rig rig;
    rig.library.SetReadNotify(1, true);
    protocol::Report report{};
    report[2] = 0x7F;
    rig.library.inject_input(report);
    EXPECT_EQ(rig.recorder.events().back(), read_ready(1));
    EXPECT_EQ(rig.read(), report);
}

TEST(EmulatedHidLibrary, LatencyAnswersArriveInOrderAndNotBeforeTheLatency) {
    constexpr std::chrono::milliseconds kLatency{15};
    Rig rig({.latency = kLatency});
    rig.library.SetReadNotify(1, true);
    rig.recorder.clear();
    const Clock::time_point sent = Clock::now();
    for (const std::uint8_t command : {0xAA, 0xCC, 0xDD}) {
        ASSERT_TRUE(rig.write(command));
    }
    ASSERT_TRUE(rig.recorder.wait_for_total(3));
    EXPECT_EQ(rig.recorder.events(), (std::vector{read_ready(1), read_ready(1), read_ready(1)}));
    for (const Clock::time_point arrival : rig.recorder.times()) {
        EXPECT_GE(arrival - sent, kLatency);
    }
    for (const std::uint8_t command : {0xAA, 0xCC, 0xDD}) {
        EXPECT_EQ(rig.read().value()[1], command);
    }
}

// The timer thread sleeps past an answer in the hope of the next command: a
// command sent at once, a little later or long after must each still be answered.
TEST(EmulatedHidLibrary, LatencyAnswersComeWhateverTheGapAfterThePreviousAnswer) {
    constexpr std::chrono::milliseconds kLatency{20};
    Rig rig({.latency = kLatency});
    rig.library.SetReadNotify(1, true);
    rig.recorder.clear();
    const std::chrono::microseconds gaps[] = {
        std::chrono::microseconds(0), std::chrono::microseconds(500), std::chrono::milliseconds(3),
        std::chrono::milliseconds(25), std::chrono::microseconds(0)};
    std::size_t answered = 0;
    for (const auto gap : gaps) {
        std::this_thread::sleep_for(gap);
        const Clock::time_point sent = Clock::now();
        ASSERT_TRUE(rig.write(0xAA));
        ASSERT_TRUE(rig.recorder.wait_for_total(++answered))
            << "no answer after a gap of " << gap.count() << " us";
        EXPECT_GE(rig.recorder.times().back() - sent, kLatency);
        EXPECT_EQ(rig.read().value()[1], 0xAA);
    }
}

// Without latency, a late answer still comes from the timer thread, and the
// answers to later reports overtake it.
TEST(EmulatedHidLibrary, ALateAnswerComesALatencyAndASecondAfterItsReport) {
    Rig rig({.late = 1});
    rig.library.SetReadNotify(1, true);
    rig.recorder.clear();
    const Clock::time_point sent = Clock::now();
    ASSERT_TRUE(rig.write(0xAA));
    ASSERT_TRUE(rig.write(0xCC));
    EXPECT_EQ(rig.recorder.events(), (std::vector{read_ready(1)}));
    EXPECT_EQ(rig.read().value()[1], 0xCC);
    ASSERT_TRUE(rig.recorder.wait_for_total(2, kLateBy + std::chrono::seconds(5)));
    EXPECT_GE(rig.recorder.times().back() - sent, kLateBy);
    EXPECT_EQ(rig.read().value()[1], 0xAA);
}

TEST(EmulatedHidLibrary, UnplugAndDisconnectDropAnswersStillDue) {
    // Long enough that no answer can fall due before the unplug or the disconnect,
    // even on a loaded machine under a sanitizer.
    constexpr std::chrono::milliseconds kLatency{1000};
    Rig unplugged_rig({.latency = kLatency});
    unplugged_rig.library.SetReadNotify(1, true);
    unplugged_rig.write(0xAA);
    unplugged_rig.library.unplug();
    EXPECT_EQ(unplugged_rig.library.pending_answers(), 0u);

    Rig disconnected({.latency = kLatency});
    disconnected.library.SetReadNotify(1, true);
    disconnected.write(0xAA);
    EXPECT_TRUE(disconnected.library.Disconnect());
    EXPECT_TRUE(disconnected.library.Disconnect());
    EXPECT_EQ(disconnected.library.pending_answers(), 0u);
    EXPECT_FALSE(disconnected.write(0xCC));

    // By then a dropped answer would have shown up in either rig.
    EXPECT_FALSE(
        unplugged_rig.recorder.wait_for_total(5, kLatency + std::chrono::milliseconds(250)));
    EXPECT_FALSE(disconnected.recorder.wait_for_total(3, std::chrono::milliseconds(0)));
    EXPECT_EQ(unplugged_rig.recorder.events().back(), kChanged);
    EXPECT_EQ(unplugged_rig.read(), std::nullopt);
}

TEST(EmulatedHidLibrary, ReconnectAnnouncesThePresentDevicesAgain) {
    Rig rig;
    rig.library.plug_other(0x0483, 0x5750);
    rig.library.Disconnect();
    rig.recorder.clear();
    ASSERT_TRUE(rig.library.Connect(rig.recorder.poster()));
    EXPECT_EQ(rig.recorder.events(), (std::vector{plugged(1), plugged(2), kChanged}));
}

}  // namespace
}  // namespace vantro::emulator
