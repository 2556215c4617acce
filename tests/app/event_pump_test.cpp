// SPDX-License-Identifier: MIT
// The waits on the Qt event loop: HID events posted from other threads arrive in
// order and end a wait at once; without them a wait sleeps to its deadline.

#include <gtest/gtest.h>

#include <QTimer>
#include <ctime>
#include <thread>

#include "app/qt_event_loop.h"
#include "emulator/emulated_hid_library.h"
#include "hid/hid_bridge.h"
#include "tests/app/qt_app.h"

namespace vantro {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class RecordingHandler : public hid::HidEventHandler {
public:
    std::vector<hid::HidEvent> events;
    void OnPlugged(hid::DeviceHandle h) override {
        events.push_back({hid::HidEventKind::Plugged, h});
    }
    void OnUnplugged(hid::DeviceHandle h) override {
        events.push_back({hid::HidEventKind::Unplugged, h});
    }
    void OnChanged() override { events.push_back({hid::HidEventKind::Changed, 0}); }
    void OnRead(hid::DeviceHandle h) override {
        events.push_back({hid::HidEventKind::ReadReady, h});
    }
};

class EventPump : public ::testing::Test {
protected:
    EventPump() {
        testing::qt_app();
        pump.deliver_to([this](const hid::HidEvent& e) { bridge.HidWindowProc(e); });
        bridge.HidAttach(pump.poster());
    }
    ~EventPump() override { bridge.HidDetach(); }

    emulator::EmulatedHidLibrary library{{}, false};
    RecordingHandler handler;
    hid::HidBridge bridge{library, handler};
    app::QtEventLoop pump;
    hid::EventPoster post = pump.poster();
};

double cpu_seconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

TEST_F(EventPump, WithNothingPendingSleepsUntilTheDeadline) {
    const auto start = Clock::now();
    const double cpu_start = cpu_seconds();
    pump.process_pending_events(start + milliseconds(150));
    EXPECT_GE(Clock::now() - start, milliseconds(150));
    EXPECT_LT(cpu_seconds() - cpu_start, 0.05);  // slept, did not spin
    EXPECT_TRUE(handler.events.empty());
}

TEST_F(EventPump, EventFromAnotherThreadEndsTheWaitAtOnce) {
    const auto start = Clock::now();
    std::thread device([this] {
        std::this_thread::sleep_for(milliseconds(30));
        post({hid::HidEventKind::ReadReady, 7});
    });
    // A missed wake would sleep to the far deadline; the bound leaves room for a loaded machine.
    pump.process_pending_events(start + milliseconds(30000));
    const auto waited = Clock::now() - start;
    device.join();
    EXPECT_LT(waited, milliseconds(10000));
    EXPECT_EQ(handler.events, (std::vector<hid::HidEvent>{{hid::HidEventKind::ReadReady, 7}}));
}

TEST_F(EventPump, PastDeadlineHandlesWhatIsPendingInOrder) {
    std::thread device([this] {
        for (hid::DeviceHandle h = 1; h <= 200; ++h) {
            post({h % 2 == 0 ? hid::HidEventKind::ReadReady : hid::HidEventKind::Plugged, h});
        }
    });
    device.join();
    pump.process_pending_events(Clock::now());
    ASSERT_EQ(handler.events.size(), 200u);
    for (hid::DeviceHandle h = 1; h <= 200; ++h) {
        EXPECT_EQ(handler.events[h - 1].handle, h);
    }
}

TEST_F(EventPump, WakeEndsABlockedWait) {
    QTimer::singleShot(20, &pump, [this] { pump.wake(); });
    const auto start = Clock::now();
    pump.process_pending_events(start + milliseconds(30000));
    EXPECT_LT(Clock::now() - start, milliseconds(10000));
}

}  // namespace
}  // namespace vantro
