// SPDX-License-Identifier: MIT
#include "tests/app/qt_app.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/window_dialogs.h"

namespace vantro::testing {
namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void TearDown() override { application.reset(); }

    std::unique_ptr<QApplication> application;
};

auto* const environment = static_cast<QtApplicationEnvironment*>(
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment));

}  // namespace

QApplication& qt_app() {
    if (!environment->application) {
        static int argc = 1;
        static char name[] = "vantro_app_tests";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        environment->application = std::make_unique<QApplication>(argc, argv);
        app::store_no_qt_settings();  // as the program does
    }
    return *environment->application;
}

}  // namespace vantro::testing
