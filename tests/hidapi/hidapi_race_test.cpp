// SPDX-License-Identifier: MIT
// Exchanges, hot-plug and listings at the same time. Under ThreadSanitizer this
// fails on any data race; in every build it checks the order of the events.

#include <atomic>
#include <map>
#include <thread>

#include "tests/hidapi/hidapi_fixture.h"

namespace vantro::testing {
namespace {

using hid::HidEventKind;

using HidapiRaceTest = HidapiBackendTest;

TEST_F(HidapiRaceTest, ExchangesDuringHotPlugAndListingsKeepEventsInOrder) {
    fake_hidapi::plug({kProgrammerPath});
    hid::HidapiLibrary& library = connect();

    constexpr std::size_t kReplugs = 6;
    constexpr std::size_t kAnswersPerDevice = 10;
    std::atomic<std::size_t> answers = 0;
    std::atomic<bool> done = false;
    std::size_t devices_answering = 0;
    std::thread user([&] {
        const auto wait_until = [](const auto& condition) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!condition()) {
                if (std::chrono::steady_clock::now() > deadline) {
                    return false;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return true;
        };
        hid::DeviceHandle current = 0;
        for (std::size_t replug = 0; replug <= kReplugs; ++replug) {
            // Each arrival must be found and answer before the next unplug.
            wait_until([&] {
                const hid::DeviceHandle handle =
                    library.GetHandle(protocol::PROG_VID, protocol::PROG_PID);
                return handle != 0 && handle != current ? (current = handle, true) : false;
            });
            const std::size_t before = answers;
            if (wait_until([&] { return answers >= before + kAnswersPerDevice; })) {
                ++devices_answering;
            }
            if (replug == kReplugs) {
                break;
            }
            fake_hidapi::unplug(kProgrammerPath);
            static_cast<void>(hid::list_programmers(kProgrammerIds));
            fake_hidapi::plug({kProgrammerPath});
            static_cast<void>(library.inaccessible_programmer());
        }
        done = true;
    });
    // The owner's part: what the presence handlers and the exchanges do.
    while (!done) {
        const hid::DeviceHandle handle = library.GetHandle(protocol::PROG_VID, protocol::PROG_PID);
        library.SetReadNotify(handle, true);
        library.WriteEx(protocol::PROG_VID, protocol::PROG_PID,
                        command_report(protocol::kCmdErase));
        std::array<std::uint8_t, hid::kHidReportSize> buffer{};
        while (library.Read(handle, buffer)) {
            ++answers;
        }
    }
    user.join();
    EXPECT_EQ(devices_answering, kReplugs + 1) << "exchanges stopped after a replug";

    enum class Seen { Present, Gone };
    std::map<hid::DeviceHandle, Seen> seen;
    for (const hid::HidEvent& event : recorder_.events()) {
        switch (event.kind) {
            case HidEventKind::Plugged:
                EXPECT_FALSE(seen.contains(event.handle)) << "handle " << event.handle << " reused";
                seen[event.handle] = Seen::Present;
                break;
            case HidEventKind::ReadReady:
            case HidEventKind::Unplugged:
                ASSERT_TRUE(seen.contains(event.handle)) << "event before Plugged";
                EXPECT_EQ(seen[event.handle], Seen::Present) << "event after Unplugged";
                if (event.kind == HidEventKind::Unplugged) {
                    seen[event.handle] = Seen::Gone;
                }
                break;
            case HidEventKind::Changed:
                break;
        }
    }
    EXPECT_EQ(seen.size(), kReplugs + 1) << "every replug was seen";
}

}  // namespace
}  // namespace vantro::testing
