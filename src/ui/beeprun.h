#pragma once

#include "interaction/beeper.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace vorleth {

// Sounds a run of system beeps one by one from the event loop, so that even a run of 150 never
// holds up the screen. A run asked for while another still sounds does not queue behind it:
// the longer of the two goes on, so that many warnings at once give one alarm, not minutes of
// beeping.
class BeepRun : public QObject, public Beeper {
    Q_OBJECT
public:
    static constexpr int spacingMs = 10;

    // beep sounds one beep; the system's by default.
    explicit BeepRun(QObject* parent = nullptr, std::function<void()> beep = {});

    void soundBeeps(int count) override;

    int pending() const { return m_pending; }
    // Sounds the next beep of the run; the timer calls it.
    void tick();

private:
    std::function<void()> m_beep;
    QTimer m_timer;
    int m_pending = 0;
};

} // namespace vorleth
