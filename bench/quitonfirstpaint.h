#pragma once

// Ends the event loop once the watched window has painted for the first time: the end of a
// start-up, for the programs the start-up benchmarks time.

#include <QApplication>
#include <QEvent>
#include <QObject>

class QuitOnFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};
