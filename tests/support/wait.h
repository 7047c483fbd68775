#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

namespace vorleth::test {

// Runs the event loop until the condition holds. The limit only ends a wait for something that
// never comes; on a loaded machine real timers may fire late, so it is generous and nothing is
// concluded from how long the wait took.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 60000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

} // namespace vorleth::test
