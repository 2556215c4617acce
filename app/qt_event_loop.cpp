// SPDX-License-Identifier: MIT
#include "app/qt_event_loop.h"

#include <QCoreApplication>
#include <QTimer>
#include <utility>

namespace vantro::app {

QEvent::Type HidNotifyEvent::type() {
    static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
    return registered;
}

hid::EventPoster QtEventLoop::poster() {
    return [this](const hid::HidEvent& event) {
        QCoreApplication::postEvent(this, new HidNotifyEvent(event));
    };
}

void QtEventLoop::customEvent(QEvent* event) {
    if (event->type() == HidNotifyEvent::type()) {
        delivery_(static_cast<HidNotifyEvent*>(event)->hid_event());
        wake();
    }
}

void QtEventLoop::process_pending_events(Deadline deadline) {
    woken_ = false;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!woken_) {
        wait_for_wake(deadline);
    }
}

void QtEventLoop::wait_for_wake(Deadline deadline) {
    // Rounded up, so the deadline has passed when the timer fires and the caller
    // does not come back for a sliver of a millisecond.
    const auto remaining =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (remaining.count() <= 0) {
        return;
    }
    QEventLoop loop;
    QTimer deadline_timer;
    deadline_timer.setSingleShot(true);
    deadline_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline_timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline_timer.start(remaining);
    QEventLoop* const outer = std::exchange(blocking_loop_, &loop);
    loop.exec();
    blocking_loop_ = outer;
}

void QtEventLoop::wake() {
    woken_ = true;
    if (blocking_loop_ != nullptr) {
        blocking_loop_->quit();
    }
}

}  // namespace vantro::app
