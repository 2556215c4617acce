// SPDX-License-Identifier: MIT
// Every fault of the programmer at every phase of every operation, on the
// emulated programmer: the message, the outcome and its exit code, the buttons,
// what reached the programmer, and that no wait outlives its limit.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "hex/hex_image.h"
#include "i18n/texts.h"
#include "ops/exit_codes.h"
#include "tests/ops/faulty_hid_library.h"
#include "tests/support/session_rig.h"
#include "tests/support/temp_file.h"
#include "tests/support/worked_example.h"

namespace vantro {
namespace {

using ops::Outcome;
using Clock = std::chrono::steady_clock;
using Rig = testing::SessionRig<testing::FaultyHidLibrary>;

constexpr std::chrono::milliseconds kLimit{250};
// Late answers: well under a generous limit, and well over the usual one.
constexpr std::chrono::milliseconds kUnderLimit{100};
constexpr std::chrono::milliseconds kGenerousLimit{2000};
constexpr std::chrono::milliseconds kOverLimit{700};

using testing::kWorkedExample;

enum class Op { Erase, Lock, Flash, Eeprom };
enum class Wait { Echo, Data, Lock };  // how the phase's answer is awaited

struct Phase {
    Op op;
    const char* name;
    std::uint64_t report;  // the phase's output report, counted from 1
    Wait wait;
    std::uint8_t command;  // the command the phase sends, and whose echo an echo awaits
};

void PrintTo(const Phase& phase, std::ostream* os) {
    *os << phase.name;
}

// The worked example: three records, so two data reports.
const std::vector<Phase> kPhases = {
    {Op::Erase, "erase", 1, Wait::Echo, 0xAA},
    {Op::Lock, "lock", 1, Wait::Lock, 0x01},
    {Op::Flash, "flash_erase", 1, Wait::Echo, 0xAA},
    {Op::Flash, "flash_begin", 2, Wait::Echo, 0xCC},
    {Op::Flash, "flash_data1", 3, Wait::Data, 0xBB},
    {Op::Flash, "flash_data2", 4, Wait::Data, 0xBB},
    {Op::Flash, "flash_end", 5, Wait::Echo, 0xDD},
    {Op::Eeprom, "eeprom_begin", 1, Wait::Echo, 0xCC},
    {Op::Eeprom, "eeprom_data1", 2, Wait::Data, 0xAF},
    {Op::Eeprom, "eeprom_data2", 3, Wait::Data, 0xAF},
    {Op::Eeprom, "eeprom_end", 4, Wait::Echo, 0xDD},
};

std::uint64_t reports_of(Op op) {
    switch (op) {
        case Op::Erase:
        case Op::Lock:
            return 1;
        case Op::Flash:
            return 5;
        case Op::Eeprom:
            return 4;
    }
    return 0;
}

enum class Fault { Silent, Unplugged, Refused, Twice, WriteFails, Flood, Short, Long };

struct Verdict {
    Outcome outcome;
    int exit_code;
    const char* message;  // nullptr: no message box; %1 is the phase's command
};

const Verdict kSuccess{Outcome::Success, 0, nullptr};
const Verdict kTimedOut{Outcome::TimedOut, 3, "O gravador não respondeu em 0,25 s."};
const Verdict kRemoved{Outcome::Removed, 3, "O gravador foi desconectado durante a operação."};
const Verdict kWriteFailed{
    Outcome::WriteFailed, 3,
    "Não foi possível enviar o comando ao gravador. Verifique se ele está conectado."};
const Verdict kDataRefused{Outcome::Refused, 1, "Erro na gravação"};
// The wait ran out, but the programmer had answered something else.
const Verdict kRefusedEcho{Outcome::WrongAnswer, 3, "O gravador respondeu 0xEE em vez de %1."};
const Verdict kStatusZero{Outcome::WrongAnswer, 3, "O gravador respondeu 0x00 em vez de %1."};

struct FaultRow {
    Fault fault;
    const char* name;
    Verdict echo, data, lock;  // by how the struck phase is awaited
};

// A wrong echo has no verdict of its own: the wait goes on to its limit, and the
// message says what came instead. An answer too short to hold the status byte reads
// as status 0: not the answer for an echo or a data report, a failure code for the
// lock bits.
const std::vector<FaultRow> kFaults = {
    {Fault::Silent, "silent", kTimedOut, kTimedOut, kTimedOut},
    {Fault::Unplugged, "unplugged", kRemoved, kRemoved, kRemoved},
    {Fault::Refused,
     "refused",
     kRefusedEcho,
     kDataRefused,
     {Outcome::Refused, 1, "Falha na gravação de Lock bits 238"}},
    {Fault::Twice, "answered_twice", kSuccess, kSuccess, kSuccess},
    {Fault::WriteFails, "write_fails", kWriteFailed, kWriteFailed, kWriteFailed},
    {Fault::Flood, "flood_before_the_answer", kSuccess, kSuccess, kSuccess},
    {Fault::Short,
     "short_answer",
     kStatusZero,
     kStatusZero,
     {Outcome::Refused, 1, "Falha na gravação de Lock bits 0"}},
    {Fault::Long, "long_answer", kSuccess, kSuccess, kSuccess},
};

struct Case {
    std::string name;
    Op op;
    std::uint64_t report;  // the struck report
    emulator::EmulatorSettings settings;
    testing::ExtraFaults extra;
    Verdict verdict;
    std::uint64_t reached;   // reports that reached the programmer
    std::uint64_t attempts;  // report writes the session tried
    std::chrono::milliseconds limit = kLimit;
    std::uint8_t command = 0;  // of the struck phase
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

Case phase_case(const Phase& phase, const FaultRow& row) {
    Case c{std::string(phase.name) + "_" + row.name, phase.op, phase.report, {}, {}, {}, 0, 0};
    const std::uint64_t n = phase.report;
    switch (row.fault) {
        case Fault::Silent:
            c.settings.silent = n;
            break;
        case Fault::Unplugged:
            c.settings.unplug = n;
            break;
        case Fault::Refused:
            c.settings.refuse = n;
            break;
        case Fault::Twice:
            c.settings.twice = n;
            break;
        case Fault::WriteFails:
            c.extra.fail_write = n;
            break;
        case Fault::Flood:
            c.extra.flood = n;
            // 0x7F is what the lock-bit wait takes for "no answer yet"; 0 for the others.
            c.extra.flood_status = phase.wait == Wait::Lock ? protocol::kLockPending : 0x00;
            break;
        case Fault::Short:
            c.extra.odd_length = n;
            c.extra.answer_length = 2;  // report id and command, no status
            break;
        case Fault::Long:
            c.extra.odd_length = n;
            c.extra.answer_length = 100;
            break;
    }
    c.command = phase.command;
    c.verdict = phase.wait == Wait::Echo   ? row.echo
                : phase.wait == Wait::Data ? row.data
                                           : row.lock;
    const bool stopped = c.verdict.outcome != Outcome::Success;
    c.attempts = stopped ? n : reports_of(phase.op);
    c.reached = row.fault == Fault::WriteFails ? n - 1 : c.attempts;
    return c;
}

std::vector<Case> all_cases() {
    std::vector<Case> cases;
    for (const Phase& phase : kPhases) {
        for (const FaultRow& row : kFaults) {
            cases.push_back(phase_case(phase, row));
        }
    }
    // Lateness strikes every answer: the first wait decides.
    const char* op_names[] = {"erase", "lock", "flash", "eeprom"};
    for (const Op op : {Op::Erase, Op::Lock, Op::Flash, Op::Eeprom}) {
        const std::string name = op_names[static_cast<int>(op)];
        Case under{name + "_late_under_the_limit",
                   op,
                   1,
                   {},
                   {},
                   kSuccess,
                   reports_of(op),
                   reports_of(op)};
        under.settings.latency = kUnderLimit;
        under.limit =
            kGenerousLimit;  // no time-out message to match, and a loaded machine's margin
        cases.push_back(under);
        Case over{name + "_late_over_the_limit", op, 1, {}, {}, kTimedOut, 1, 1};
        over.settings.latency = kOverLimit;
        cases.push_back(over);
    }
    return cases;
}

Outcome run(Rig& rig, Op op, const std::string& hex_path) {
    switch (op) {
        case Op::Erase:
            return rig.session.Command4_Click();
        case Op::Lock:
            return rig.session.Command2_Click(ops::LockBits{true, false, false});
        case Op::Flash:
            return rig.session.Command6_Click(hex_path);
        case Op::Eeprom:
            return rig.session.Command1_Click(hex_path);
    }
    return Outcome::Busy;
}

// The status text an operation leaves, and whether it shows one at all.
std::vector<std::string> final_status(Op op, Outcome outcome) {
    const bool ok = outcome == Outcome::Success;
    switch (op) {
        case Op::Erase:
            return {ok ? "Apagou com sucesso!" : "Erro ao apagar!"};
        case Op::Lock:
            if (outcome == Outcome::Success || outcome == Outcome::Refused) {
                return {};  // the lock bits answer in a message box only
            }
            return {"Erro na gravação de Lock bits!"};
        case Op::Flash:
        case Op::Eeprom:
            return {ok ? "Gravou com sucesso!" : "Erro na gravação!"};
    }
    return {};
}

class FaultMatrix : public ::testing::TestWithParam<Case> {};

TEST_P(FaultMatrix, EndsWithTheRightVerdictAndSendsNothingAfterTheStop) {
    const Case& c = GetParam();
    testing::TempFile file("fault-matrix.hex", kWorkedExample);
    Rig rig(c.settings, c.extra);
    rig.session.set_timeout(c.limit);

    const auto start = Clock::now();
    const Outcome outcome = run(rig, c.op, file.path());
    // A time-out ends the run soon after the limit; late answers take their latency.
    const std::chrono::milliseconds expected =
        c.verdict.outcome == Outcome::TimedOut || c.verdict.outcome == Outcome::WrongAnswer
            ? c.limit
            : static_cast<long>(c.attempts) * c.settings.latency;
    EXPECT_LT(Clock::now() - start, expected + std::chrono::seconds(1));

    EXPECT_EQ(outcome, c.verdict.outcome);
    EXPECT_EQ(ops::exit_code_for(outcome), c.verdict.exit_code);
    std::vector<std::string> messages;
    for (const auto& m : rig.display.messages) {
        messages.push_back(m.text);
    }
    std::vector<std::string> expected_messages;
    if (c.verdict.message != nullptr) {
        expected_messages.push_back(tr_args(c.verdict.message, {hex::byte_text(c.command)}));
    } else if (c.op == Op::Lock) {
        expected_messages.emplace_back("Lock bits gravados com sucesso!!!");
    }
    EXPECT_EQ(messages, expected_messages);
    const std::vector<std::string> status = final_status(c.op, outcome);
    if (status.empty()) {
        EXPECT_TRUE(rig.display.statuses.empty());
    } else {
        ASSERT_FALSE(rig.display.statuses.empty());
        EXPECT_EQ(rig.display.statuses.back(), status.front());
    }
    // A removed programmer takes the buttons with it until it comes back.
    EXPECT_EQ(rig.display.buttons_enabled, outcome != Outcome::Removed);
    EXPECT_FALSE(rig.session.operation_running());

    EXPECT_EQ(rig.library.write_attempts(), c.attempts);
    EXPECT_EQ(rig.library.programmer().reports_received(), c.reached);
    if (outcome == Outcome::Success && (c.op == Op::Flash || c.op == Op::Eeprom)) {
        const auto& memory = c.op == Op::Flash ? rig.library.programmer().flash()
                                               : rig.library.programmer().eeprom();
        EXPECT_EQ(rig.session.last_load().image.first_difference(memory), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPhase, FaultMatrix, ::testing::ValuesIn(all_cases()),
                         [](const auto& info) { return info.param.name; });

// An answer that comes after its wait gave up, while the owner handled no event
// (the session handles events only inside its waits), is not taken by the next
// operation's exchange: the lock bits that follow are judged on their own answer. With a
// latency, their answer comes after the stale one, not in the same batch.
class LateAnswer : public ::testing::TestWithParam<Phase> {};

TEST_P(LateAnswer, IsNotTakenByTheNextOperation) {
    const Phase& phase = GetParam();
    constexpr std::chrono::milliseconds kLatency{50};
    testing::TempFile file("late-answer.hex", kWorkedExample);
    Rig rig(emulator::EmulatorSettings{.latency = kLatency, .late = phase.report},
            testing::ExtraFaults{});
    rig.session.set_timeout(kLimit);
    ASSERT_EQ(run(rig, phase.op, file.path()), Outcome::TimedOut);
    // The late answer was due a latency and kLateBy after its report, at least the
    // limit before now: it has come, with room for a loaded machine.
    std::this_thread::sleep_for(emulator::kLateBy + kLatency + std::chrono::milliseconds(250));

    EXPECT_EQ(rig.session.Command2_Click(ops::LockBits{true, false, false}), Outcome::Success);
    ASSERT_FALSE(rig.display.messages.empty());
    EXPECT_EQ(rig.display.messages.back().text, "Lock bits gravados com sucesso!!!");
    EXPECT_EQ(rig.library.programmer().lock_bits(), 0xE1);
}

INSTANTIATE_TEST_SUITE_P(AfterItsWait, LateAnswer, ::testing::ValuesIn(kPhases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantro
