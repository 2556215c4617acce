// SPDX-License-Identifier: MIT
// The session under any input reports and events while it erases, writes the
// lock bits and runs a small FLASH image: every operation must end, in time,
// with the buttons given back, and send nothing after the exchange that stopped it.

#include <chrono>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_expect.h"
#include "fuzz/fuzzed_hid.h"
#include "fuzz/memory_file.h"
#include "ops/attached_session.h"
#include "tests/support/recording_display.h"

namespace vantro::fuzz {
namespace {

using ops::Outcome;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kLimit{2000};
constexpr std::string_view kWorkedExample =
    ":10010000000102030405060708090A0B0C0D0E0F77\n"
    ":03011000E4F5A073\n"
    ":00000001FF\n";
// Erase, begin, two data reports (three records), end.
constexpr std::size_t kFlashReports = 5;

const std::string& worked_example_path() {
    static MemoryFile file("worked.hex");
    static const bool written = [] {
        file.write(
            {reinterpret_cast<const std::uint8_t*>(kWorkedExample.data()), kWorkedExample.size()});
        return true;
    }();
    expect(written);
    return file.path();
}

// Built once: a session's line table is large, and making one per input would
// cost most of each run. Every input starts it afresh.
struct Rig {
    Rig() {
        hid.set_give_up([this] { session.cancel_operation(); });
        session.set_timeout(kLimit);
    }

    void start(FuzzedDataProvider& input) {
        hid.start(input);
        display = testing::RecordingDisplay{};
        session.link().buffer_saida = {};
        wired.attach();
        wired.pump();
    }
    void stop() { wired.detach(); }

    FuzzedHid hid;
    testing::RecordingDisplay display;
    ops::AttachedSession wired{hid, hid, display};
    ops::ProgrammerSession& session = wired.session();
};

// What every operation that got as far as the programmer owes, whatever happened.
template <class Operation>
Outcome run_checked(Rig& rig, Operation operation) {
    const std::size_t writes_before = rig.hid.writes().size();
    const std::size_t messages_before = rig.display.messages.size();
    const auto start = Clock::now();
    const Outcome outcome = operation();
    expect(Clock::now() - start < kLimit + std::chrono::seconds(1));
    expect(!rig.session.operation_running());
    expect(outcome != Outcome::Busy && outcome != Outcome::NotChosen &&
           outcome != Outcome::FileRefused);
    // Every end sets the buttons; they stay off while the programmer is away.
    expect(!rig.display.button_changes.empty() &&
           rig.display.button_changes.back() == rig.display.buttons_enabled);
    expect(rig.display.messages.size() <= messages_before + 1);
    const auto& writes = rig.hid.writes();
    for (std::size_t k = writes_before; k < writes.size(); ++k) {
        expect(writes[k].report[0] == 0x00 && writes[k].report[64] == 0x00);
        // Only the last attempt of an operation may have failed: it stops the operation.
        expect(writes[k].written || (k + 1 == writes.size() && outcome == Outcome::WriteFailed));
    }
    expect(outcome != Outcome::WriteFailed ||
           (writes.size() > writes_before && !writes.back().written));
    return outcome;
}

std::size_t writes_since(const Rig& rig, std::size_t before) {
    return rig.hid.writes().size() - before;
}

void erase(Rig& rig) {
    const std::size_t before = rig.hid.writes().size();
    const Outcome outcome = run_checked(rig, [&] { return rig.session.Command4_Click(); });
    expect(writes_since(rig, before) <= 1);
    if (outcome == Outcome::Success) {
        expect(rig.display.statuses.back() == "Apagou com sucesso!");
    }
}

void lock_bits(Rig& rig, FuzzedDataProvider& input) {
    const ops::LockBits bits{input.ConsumeBool(), input.ConsumeBool(), input.ConsumeBool()};
    const std::size_t before = rig.hid.writes().size();
    const std::size_t messages_before = rig.display.messages.size();
    const Outcome outcome = run_checked(rig, [&] { return rig.session.Command2_Click(bits); });
    expect(writes_since(rig, before) <= 1);
    if (outcome == Outcome::Success || outcome == Outcome::Refused) {
        expect(rig.display.messages.size() == messages_before + 1);
    }
}

void flash(Rig& rig) {
    const std::size_t before = rig.hid.writes().size();
    const Outcome outcome =
        run_checked(rig, [&] { return rig.session.Command6_Click(worked_example_path()); });
    const std::size_t sent = writes_since(rig, before);
    expect(sent <= kFlashReports);
    expect(rig.display.value <= rig.display.max);
    if (outcome == Outcome::Success) {
        expect(sent == kFlashReports && rig.hid.writes().back().report[1] == protocol::kCmdEnd);
        expect(rig.display.statuses.back() == "Gravou com sucesso!");
    }
    if (outcome == Outcome::Refused) {
        expect(rig.hid.writes().back().report[1] == protocol::kCmdFlashData);
    }
}

}  // namespace
}  // namespace vantro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantro::fuzz;
    static Rig rig;
    FuzzedDataProvider input(data, size);
    rig.start(input);
    erase(rig);
    lock_bits(rig, input);
    flash(rig);
    rig.stop();
    return 0;
}
