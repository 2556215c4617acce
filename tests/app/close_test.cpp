// SPDX-License-Identifier: MIT
// Closing the window while an operation waits for the programmer.

#include <gtest/gtest.h>

#include <QTimer>

#include "tests/app/form_rig.h"
#include "tests/support/temp_file.h"

namespace vantro {
namespace {

using ops::Outcome;
using testing::FormRig;
using testing::TempFile;
using testing::wait_until;

constexpr const char* kImage =
    ":10010000000102030405060708090A0B0C0D0E0F77\n"
    ":00000001FF\n";

emulator::EmulatorSettings slow_programmer(int latency_ms) {
    emulator::EmulatorSettings settings;
    settings.latency = std::chrono::milliseconds(latency_ms);
    return settings;
}

class CloseDuringRun : public ::testing::Test {
protected:
    // Clicks the button from the event loop, and asks to close the window while
    // the first answer is still on its way.
    void run_and_close(QPushButton* button) {
        ASSERT_TRUE(wait_until([this] { return rig.buttons_enabled(); }));
        QTimer::singleShot(0, button, &QPushButton::click);
        QTimer::singleShot(100, &rig.form, &QWidget::close);
        EXPECT_TRUE(wait_until([this] { return rig.form.last_outcome().has_value(); }, 10000));
    }
    std::uint64_t reports_sent() {
        EXPECT_TRUE(wait_until([this] { return rig.library.pending_answers() == 0; }));
        return rig.library.programmer().reports_received();
    }

    // Slow enough that the close comes first even on a loaded machine.
    static constexpr int kLatencyMs = 1000;
    FormRig rig{slow_programmer(kLatencyMs)};
    TempFile file{"app-close.hex", kImage};
};

TEST_F(CloseDuringRun, ConfirmedCloseCancelsTheRunAndClosesTheWindow) {
    run_and_close(rig.form.controls().Command4);
    EXPECT_EQ(rig.boxes.questions,
              std::vector<std::string>{"Uma operação está em andamento e fechar a interrompe. O "
                                       "apagamento pode não ter terminado: apague de novo. Fechar "
                                       "mesmo assim?"});
    EXPECT_EQ(rig.form.last_outcome(), Outcome::Cancelled);
    EXPECT_FALSE(rig.form.isVisible());
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_EQ(reports_sent(), 1u);
}

TEST_F(CloseDuringRun, DeclinedCloseLetsTheRunFinish) {
    rig.boxes.answer = false;
    run_and_close(rig.form.controls().Command4);
    EXPECT_EQ(rig.boxes.questions.size(), 1u);
    EXPECT_EQ(rig.form.last_outcome(), Outcome::Success);
    EXPECT_TRUE(rig.form.isVisible());
}

TEST_F(CloseDuringRun, AnswerArrivingWhileTheUserDecidesSendsNothingMore) {
    // The erase answer comes while the question is open; the run must still stop
    // before its next report.
    rig.boxes.while_asking = [] { QTest::qWait(kLatencyMs + 300); };
    rig.files.choices.push_back(file.path());
    run_and_close(rig.form.controls().Command6);
    EXPECT_EQ(rig.form.last_outcome(), Outcome::Cancelled);
    EXPECT_FALSE(rig.form.isVisible());
    EXPECT_EQ(reports_sent(), 1u);
}

TEST_F(CloseDuringRun, CloseWhileIdleNeedsNoConfirmation) {
    ASSERT_TRUE(wait_until([this] { return rig.buttons_enabled(); }));
    rig.form.close();
    EXPECT_TRUE(rig.boxes.questions.empty());
    EXPECT_FALSE(rig.form.isVisible());
}

}  // namespace
}  // namespace vantro
