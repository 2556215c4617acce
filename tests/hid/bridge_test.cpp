// SPDX-License-Identifier: MIT
// The bridge, the event queue and the report trace.

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "hid/event_queue.h"
#include "hid/hid_bridge.h"
#include "hid/tracing_hid_library.h"
#include "tests/support/scripted_hid_library.h"

namespace vantro {
namespace {

using hid::HidEvent;
using hid::HidEventKind;

class RecordingHandler : public hid::HidEventHandler {
public:
    std::vector<std::string> calls;
    void OnPlugged(hid::DeviceHandle h) override {
        calls.push_back("plugged " + std::to_string(h));
    }
    void OnUnplugged(hid::DeviceHandle h) override {
        calls.push_back("unplugged " + std::to_string(h));
    }
    void OnChanged() override { calls.push_back("changed"); }
    void OnRead(hid::DeviceHandle h) override { calls.push_back("read " + std::to_string(h)); }
};

class RefusingLibrary : public testing::ScriptedHidLibrary {
public:
    bool Connect(hid::EventPoster poster) override {
        ScriptedHidLibrary::Connect(std::move(poster));
        return false;
    }
};

TEST(Bridge, EachKindCallsItsHandlerAndUnknownKindsCallNone) {
    testing::ScriptedHidLibrary library(false);
    RecordingHandler handler;
    hid::HidBridge bridge(library, handler);
    ASSERT_TRUE(bridge.HidAttach([](const HidEvent&) {}));
    bridge.HidWindowProc({HidEventKind::Plugged, 5});
    bridge.HidWindowProc({static_cast<HidEventKind>(0), 5});
    bridge.HidWindowProc({HidEventKind::Changed, 99});
    bridge.HidWindowProc({static_cast<HidEventKind>(5), 5});
    bridge.HidWindowProc({HidEventKind::ReadReady, 6});
    bridge.HidWindowProc({HidEventKind::Unplugged, 5});
    EXPECT_EQ(handler.calls,
              (std::vector<std::string>{"plugged 5", "changed", "read 6", "unplugged 5"}));

    bridge.HidDetach();
    bridge.HidWindowProc({HidEventKind::Plugged, 5});
    EXPECT_EQ(handler.calls.size(), 4u);
}

TEST(Bridge, AttachReturnsWhatConnectReturnsAndAttachesAllTheSame) {
    RefusingLibrary library;
    RecordingHandler handler;
    hid::HidBridge bridge(library, handler);
    std::vector<HidEvent> posted;
    EXPECT_FALSE(bridge.HidAttach([&posted](const HidEvent& e) { posted.push_back(e); }));
    EXPECT_TRUE(bridge.attached());
    for (const HidEvent& e : posted) {
        bridge.HidWindowProc(e);
    }
    EXPECT_EQ(handler.calls, (std::vector<std::string>{"plugged 7", "changed"}));
}

TEST(EventQueue, DeliversInOrderAcrossThreadsAndSleepsUntilTheDeadline) {
    std::vector<hid::DeviceHandle> seen;
    hid::EventQueue queue([&seen](const HidEvent& e) { seen.push_back(e.handle); });

    const auto start = std::chrono::steady_clock::now();
    queue.process_pending_events(start + std::chrono::milliseconds(30));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
    EXPECT_TRUE(seen.empty());

    std::thread producer([&queue] {
        for (hid::DeviceHandle h = 1; h <= 1000; ++h) {
            queue.post({HidEventKind::ReadReady, h});
        }
    });
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (seen.size() < 1000 && std::chrono::steady_clock::now() < give_up) {
        queue.process_pending_events(give_up);
    }
    producer.join();
    ASSERT_EQ(seen.size(), 1000u);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        ASSERT_EQ(seen[i], i + 1);
    }
}

TEST(Trace, OneLineOfUpperCaseHexPerReportWrittenBeforeTheWrite) {
    testing::ScriptedHidLibrary library;
    std::ostringstream trace;
    hid::TracingHidLibrary tracing(library, trace);
    protocol::Report report{};
    report[1] = 0xAB;
    report[64] = 0x0C;
    library.set_present(false);  // a failed write is traced all the same
    EXPECT_FALSE(tracing.WriteEx(protocol::PROG_VID, protocol::PROG_PID, report));
    EXPECT_EQ(trace.str(), "00AB" + std::string(124, '0') + "0C\n");
}

}  // namespace
}  // namespace vantro
