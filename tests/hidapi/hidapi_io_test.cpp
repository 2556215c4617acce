// SPDX-License-Identifier: MIT
// Input reports, read notification and writes through the hidapi backend.

#include "tests/hidapi/hidapi_fixture.h"

namespace vantro::testing {
namespace {

using hid::HidEventKind;

class HidapiIoTest : public HidapiBackendTest {
protected:
    // Connects with one programmer present; returns its handle.
    hid::DeviceHandle connect_programmer(const emulator::EmulatorSettings& settings = {}) {
        fake_hidapi::plug({kProgrammerPath}, settings);
        connect();
        return library_->GetHandle(protocol::PROG_VID, protocol::PROG_PID);
    }

    bool write(const protocol::Report& report) {
        return library_->WriteEx(protocol::PROG_VID, protocol::PROG_PID, report);
    }

    protocol::Report read(hid::DeviceHandle handle) {
        protocol::Report buffer;
        buffer.fill(0xA5);
        EXPECT_TRUE(library_->Read(handle, buffer));
        return buffer;
    }
};

TEST_F(HidapiIoTest, AnExchangeWithTheProgrammerIsAnsweredAndAnnounced) {
    const hid::DeviceHandle handle = connect_programmer();
    ASSERT_TRUE(library_->SetReadNotify(handle, true));
    ASSERT_TRUE(write(command_report(protocol::kCmdErase)));

    const auto ready = recorder_.wait_for(HidEventKind::ReadReady);
    ASSERT_TRUE(ready);
    EXPECT_EQ(recorder_.at(*ready).handle, handle);
    const protocol::Report answer = read(handle);
    EXPECT_EQ(answer[0], 0) << "unnumbered reports carry id 0";
    EXPECT_EQ(answer[protocol::kStatusIndex], protocol::kCmdErase);
    EXPECT_EQ(fake_hidapi::reports_received(kProgrammerPath), 1u);
}

TEST_F(HidapiIoTest, ReportsAreReadInTheOrderTheyArrivedWithEveryByte) {
    const hid::DeviceHandle handle = connect_programmer();
    ASSERT_TRUE(library_->SetReadNotify(handle, true));
    constexpr std::size_t kCount = 40;
    for (std::size_t i = 0; i < kCount; ++i) {
        protocol::Report report{};
        report[1] = static_cast<std::uint8_t>(i);
        report[protocol::kReportSize - 1] = static_cast<std::uint8_t>(0xFF - i);
        fake_hidapi::send_input(kProgrammerPath, report);
    }
    ASSERT_TRUE(recorder_.wait_for_count(HidEventKind::ReadReady, kCount));
    for (std::size_t i = 0; i < kCount; ++i) {
        const protocol::Report report = read(handle);
        EXPECT_EQ(report[0], 0);
        EXPECT_EQ(report[1], i);
        EXPECT_EQ(report[2], 0) << "bytes the device sent as 0 stay 0";
        EXPECT_EQ(report[protocol::kReportSize - 1], 0xFF - i);
    }
    std::array<std::uint8_t, hid::kHidReportSize> buffer{};
    EXPECT_FALSE(library_->Read(handle, buffer));
}

TEST_F(HidapiIoTest, ReportsArrivingWhileNotifyIsOffAreDropped) {
    const hid::DeviceHandle handle = connect_programmer();
    protocol::Report unheard{};
    unheard[1] = 1;
    fake_hidapi::send_input(kProgrammerPath, unheard);
    ASSERT_TRUE(fake_hidapi::wait_until_read(kProgrammerPath));

    ASSERT_TRUE(library_->SetReadNotify(handle, true));
    protocol::Report heard{};
    heard[1] = 2;
    fake_hidapi::send_input(kProgrammerPath, heard);
    ASSERT_TRUE(recorder_.wait_for(HidEventKind::ReadReady));
    EXPECT_EQ(read(handle)[1], 2);
    ASSERT_TRUE(fake_hidapi::wait_until_read(kProgrammerPath));
    EXPECT_EQ(recorder_.size(), 3u) << "Plugged, Changed, one ReadReady";
}

TEST_F(HidapiIoTest, UnplugDuringAReadIsAnnouncedAndLaterWritesFail) {
    const hid::DeviceHandle handle = connect_programmer();
    ASSERT_TRUE(library_->SetReadNotify(handle, true));
    protocol::Report last{};
    last[1] = 7;
    fake_hidapi::send_input(kProgrammerPath, last);
    ASSERT_TRUE(recorder_.wait_for(HidEventKind::ReadReady));
    ASSERT_TRUE(fake_hidapi::wait_until_read(kProgrammerPath));

    fake_hidapi::unplug(kProgrammerPath);
    const auto unplugged = recorder_.wait_for(HidEventKind::Unplugged);
    ASSERT_TRUE(unplugged);
    EXPECT_EQ(recorder_.at(*unplugged).handle, handle);
    EXPECT_FALSE(write(command_report(protocol::kCmdErase)));
    EXPECT_EQ(read(handle)[1], 7) << "a report that came before the removal is still read";
}

TEST_F(HidapiIoTest, ProgrammerLeavingInsteadOfAnsweringIsAnnouncedWithoutAnAnswer) {
    emulator::EmulatorSettings settings;
    settings.unplug = 1;
    const hid::DeviceHandle handle = connect_programmer(settings);
    ASSERT_TRUE(library_->SetReadNotify(handle, true));

    write(command_report(protocol::kCmdErase));
    const auto unplugged = recorder_.wait_for(HidEventKind::Unplugged);
    ASSERT_TRUE(unplugged);
    EXPECT_EQ(recorder_.at(*unplugged).handle, handle);
    for (const hid::HidEvent& event : recorder_.events()) {
        EXPECT_NE(event.kind, HidEventKind::ReadReady);
    }
}

TEST_F(HidapiIoTest, AFailedWriteIsReportedAndTheNextOneCanSucceed) {
    connect_programmer();
    fake_hidapi::fail_writes(kProgrammerPath, true);
    EXPECT_FALSE(write(command_report(protocol::kCmdBegin)));
    EXPECT_EQ(fake_hidapi::reports_received(kProgrammerPath), 0u);

    fake_hidapi::fail_writes(kProgrammerPath, false);
    EXPECT_TRUE(write(command_report(protocol::kCmdBegin)));
    EXPECT_EQ(fake_hidapi::reports_received(kProgrammerPath), 1u);
}

TEST_F(HidapiIoTest, WritesReachOnlyAPresentProgrammer) {
    fake_hidapi::plug({kOtherPath, 0x046D, 0xC077});
    hid::HidapiLibrary& library = connect();
    const protocol::Report report = command_report(protocol::kCmdErase);
    EXPECT_FALSE(library.WriteEx(protocol::PROG_VID, protocol::PROG_PID, report));
    EXPECT_FALSE(library.WriteEx(0x046D, 0xC077, report)) << "other devices are not opened";
}

}  // namespace
}  // namespace vantro::testing
