// SPDX-License-Identifier: MIT
// The three exchanges: what ends a wait, what the reports carry. The link
// alone, without a session.

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "hid/event_queue.h"
#include "protocol/command_link.h"
#include "tests/support/scripted_hid_library.h"
#include "tests/support/wait_bound.h"

namespace vantro {
namespace {

using protocol::WaitEnd;
using testing::ScriptedHidLibrary;
using testing::Step;

// The link on a scripted programmer; the events reach it as a session's handlers
// pass them on: an answer to take_answer, a removal to programmer_removed.
struct Rig {
    Rig() {
        link.set_timeout(std::chrono::milliseconds(300));
        library.Connect(queue.poster());
    }

    ScriptedHidLibrary library;
    // Runs before the link sees each event, as a front-end's own handling would.
    std::function<void(const hid::HidEvent&)> before_dispatch;
    hid::EventQueue queue{[this](const hid::HidEvent& e) {
        if (before_dispatch) {
            before_dispatch(e);
        }
        if (e.kind == hid::HidEventKind::ReadReady) {
            link.take_answer(e.handle);
        } else if (e.kind == hid::HidEventKind::Unplugged) {
            link.programmer_removed();
        }
    }};
    protocol::CommandLink link{library, queue};
    testing::WaitBound bound{link, queue};
};

struct EchoCase {
    std::uint8_t code;
    std::vector<std::uint8_t> answers;
    WaitEnd end;
    friend void PrintTo(const EchoCase& c, std::ostream* os) { *os << "code " << int(c.code); }
};

class EchoExchange : public ::testing::TestWithParam<EchoCase> {};

TEST_P(EchoExchange, EndsOnlyOnItsOwnCode) {
    Rig rig;
    const EchoCase& c = GetParam();
    rig.library.answer_next(c.answers);
    EXPECT_EQ(rig.link.echo_exchange(c.code), c.end);
    ASSERT_EQ(rig.library.written().size(), 1u);
    EXPECT_EQ(rig.library.written()[0][0], 0x00);
    EXPECT_EQ(rig.library.written()[0][1], c.code);
}

INSTANTIATE_TEST_SUITE_P(Answers, EchoExchange,
                         ::testing::Values(EchoCase{0xAA, {0xAA}, WaitEnd::Answered},
                                           EchoCase{0xAA, {0x00, 0xAA}, WaitEnd::Answered},
                                           EchoCase{0xAA, {0xCC, 0xAA}, WaitEnd::Answered},
                                           EchoCase{0xCC, {0xAA}, WaitEnd::TimedOut},
                                           EchoCase{0xDD, {0xEE}, WaitEnd::TimedOut},
                                           EchoCase{0xDD, {}, WaitEnd::TimedOut}));

TEST(DataExchange, ZeroIsNoAnswerYetAndAnyOtherValueEndsTheWait) {
    Rig rig;
    rig.library.answer_next({0x00, 0xBB});
    EXPECT_EQ(rig.link.data_exchange(), WaitEnd::Answered);
    EXPECT_EQ(rig.link.resposta(), 0xBB);

    rig.library.answer_next({0xAF});
    EXPECT_EQ(rig.link.data_exchange(), WaitEnd::Answered);
    EXPECT_EQ(rig.link.resposta(), 0xAF);
}

TEST(LockExchange, PendingValueKeepsWaitingAndPresetFollowsTheWrite) {
    Rig rig;
    rig.library.answer_next({0x7F, 0xFF});
    EXPECT_EQ(rig.link.lock_exchange(0xE5), WaitEnd::Answered);
    EXPECT_EQ(rig.link.resposta(), 0xFF);
    const auto& report = rig.library.written().at(0);
    EXPECT_EQ(report[0], 0x00);
    EXPECT_EQ(report[1], 0x01);
    EXPECT_EQ(report[2], 0xE5);
}

TEST(Exchanges, StaleBytesStayAndIndex64IsAlwaysZero) {
    Rig rig;
    auto& link = rig.link;
    for (std::size_t i = 2; i < 64; ++i) {
        link.buffer_saida[i] = static_cast<std::uint8_t>(i);
    }
    rig.library.answer_next({0xDD});
    ASSERT_EQ(link.echo_exchange(0xDD), WaitEnd::Answered);
    const auto& report = rig.library.written().at(0);
    for (std::size_t i = 2; i < 64; ++i) {
        EXPECT_EQ(report[i], i) << "index " << i;
    }
    EXPECT_EQ(report[64], 0x00);
}

TEST(Exchanges, RemovalWriteFailureAndCancelEndTheWait) {
    {
        Rig rig;
        rig.library.then(Step{{}, {}, /*unplug=*/true});
        EXPECT_EQ(rig.link.echo_exchange(0xAA), WaitEnd::Removed);
    }
    {
        Rig rig;
        rig.library.then(Step{{}, {}, false, /*write_fails=*/true});
        EXPECT_EQ(rig.link.data_exchange(), WaitEnd::WriteFailed);
    }
    {
        Rig rig;
        rig.link.set_timeout(std::chrono::seconds(30));
        // The cancel comes from an event the wait handles, as a window close does.
        rig.before_dispatch = [&rig](const hid::HidEvent& e) {
            if (e.kind == hid::HidEventKind::Changed) {
                rig.link.cancel();
            }
        };
        std::thread late_event([&rig] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            rig.queue.post({hid::HidEventKind::Changed, 0});
        });
        EXPECT_EQ(rig.link.echo_exchange(0xAA), WaitEnd::Cancelled);
        late_event.join();
    }
}

TEST(Exchanges, AnswerLeftFromAnEarlierCommandIsNotTakenForTheNext) {
    Rig rig;
    rig.library.answer_next({0xAA});
    ASSERT_EQ(rig.link.echo_exchange(0xAA), WaitEnd::Answered);
    // The erase is answered a second time after its wait has ended; the lock-bit
    // command then gets no answer at all.
    rig.library.queue_answer(0xAA);
    rig.library.then(Step{});
    // Without the drain, the stale 0xAA would be judged as the lock-bit answer.
    EXPECT_EQ(rig.link.lock_exchange(0xE0), WaitEnd::TimedOut);
    EXPECT_FALSE(rig.link.answered());
}

// An answer that arrives after its exchange has ended, then silence: the next
// exchange must time out, not take the stale answer for its own.
enum class Exchange { Echo, Data, Lock };

struct LateAnswerCase {
    Exchange exchange;
    std::uint8_t stale;
    friend void PrintTo(const LateAnswerCase& c, std::ostream* os) {
        *os << "exchange " << int(c.exchange) << ", stale " << int(c.stale);
    }
};

class LateAnswer : public ::testing::TestWithParam<LateAnswerCase> {};

TEST_P(LateAnswer, IsNotTakenByTheNextExchange) {
    Rig rig;
    rig.link.set_timeout(std::chrono::milliseconds(150));
    rig.library.queue_answer(GetParam().stale);
    rig.library.then(Step{});
    WaitEnd end = WaitEnd::Answered;
    switch (GetParam().exchange) {
        case Exchange::Echo:
            end = rig.link.echo_exchange(0xAA);
            break;
        case Exchange::Data:
            end = rig.link.data_exchange();
            break;
        case Exchange::Lock:
            end = rig.link.lock_exchange(0xE0);
            break;
    }
    EXPECT_EQ(end, WaitEnd::TimedOut);
    EXPECT_FALSE(rig.link.answered());
}

INSTANTIATE_TEST_SUITE_P(AfterTheEnd, LateAnswer,
                         ::testing::Values(LateAnswerCase{Exchange::Echo, 0xAA},
                                           LateAnswerCase{Exchange::Data, 0xBB},
                                           LateAnswerCase{Exchange::Data, 0xEE},
                                           LateAnswerCase{Exchange::Lock, 0xFF}));

}  // namespace
}  // namespace vantro
