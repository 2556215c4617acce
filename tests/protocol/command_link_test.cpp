// SPDX-License-Identifier: MIT
// The three exchanges: what ends a wait, what the reports carry. The link
// alone, without a session.

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "hid/event_queue.h"
#include "protocol/command_link.h"
#include "tests/support/scripted_hid_library.h"

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
    rig.library.answer_next({0xAA, 0xAA});  // answered twice
    ASSERT_EQ(rig.link.echo_exchange(0xAA), WaitEnd::Answered);
    rig.library.answer_next({0xFF});
    // Without the drain, the stale 0xAA would be judged as the lock-bit answer.
    ASSERT_EQ(rig.link.lock_exchange(0xE0), WaitEnd::Answered);
    EXPECT_EQ(rig.link.resposta(), 0xFF);
}

}  // namespace
}  // namespace vantro
