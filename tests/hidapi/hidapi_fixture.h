// SPDX-License-Identifier: MIT
#pragma once
// What the hidapi backend tests share: a fixture that records the events and checks
// every handle is closed and hidapi released once the library is gone.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "hidapi/hidapi_library.h"
#include "tests/hidapi/fake_hidapi.h"
#include "tests/support/event_recorder.h"
#include "tests/support/report_builder.h"

namespace vantro::testing {

inline constexpr const char* kProgrammerPath = "/dev/hidraw0";
inline constexpr const char* kOtherPath = "/dev/hidraw1";

// The devices the backend opens: the programmer's ids, as the programs give them.
inline constexpr hid::ProgrammerIds kProgrammerIds{protocol::PROG_VID, protocol::PROG_PID};

class HidapiBackendTest : public ::testing::Test {
protected:
    hid::HidapiLibrary& connect(std::optional<std::string> device_path = std::nullopt) {
        library_ = std::make_unique<hid::HidapiLibrary>(kProgrammerIds, std::move(device_path));
        EXPECT_TRUE(library_->Connect(recorder_.poster()));
        return *library_;
    }

    void TearDown() override {
        library_.reset();
        EXPECT_EQ(fake_hidapi::open_handle_count(), 0u) << "a handle was left open";
        EXPECT_EQ(fake_hidapi::initialised_count(), 0) << "hid_init without hid_exit";
        fake_hidapi::reset();
    }

    EventRecorder recorder_;
    std::unique_ptr<hid::HidapiLibrary> library_;
};

}  // namespace vantro::testing
