// SPDX-License-Identifier: MIT
#pragma once
// One QApplication for the whole test binary, on the offscreen platform (96 dpi).

#include <QApplication>
#include <QString>
#include <QtTest/QTest>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace vantro::testing {

// Created at first use; destroyed when the tests end, before Qt's own globals go.
QApplication& qt_app();

// Handles events until the condition holds; false when it did not within the limit.
template <typename Condition>
bool wait_until(Condition condition, int limit_ms = 3000) {
    return QTest::qWaitFor(condition, limit_ms);
}

}  // namespace vantro::testing
