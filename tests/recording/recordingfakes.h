#pragma once

#include "recording/boardrecordingcontroller.h"
#include "support/asciiboardview.h"
#include "support/printers.h"

#include <QString>

#include <optional>
#include <stdexcept>

namespace vorleth::test {

// What the recording board shows: the board as an ASCII picture, the status boxes, the game
// information box and the title.
class FakeRecordingView : public AsciiBoardViewOf<BoardRecordingView> {
public:
    void showGameInformation(const QString& text) override { information = text; }
    void setTitle(const QString& text) override { title = text; }

    QString information, title;
};

// The board's tick and recovery timer on a virtual clock: advance() delivers every shot that
// falls due, in time order, the way the event loop would.
class VirtualRecordingTimers : public BoardRecordingTimers {
public:
    void startTick(int periodMs) override {
        tickPeriod = periodMs;
        tickDue = now + periodMs;
    }
    void stopTick() override { tickDue.reset(); }
    bool tickRunning() const override { return tickDue.has_value(); }
    void armRecoveryWrite() override {
        if (!recoveryDue)
            recoveryDue = now + BoardRecordingController::recoveryWriteDelay;
    }
    void cancelRecoveryWrite() override { recoveryDue.reset(); }

    void advance(long long ms) {
        const long long end = now + ms;
        // A 1 ms tick delivers at most one shot per millisecond; more means a runaway loop.
        for (long long shots = 0;; ++shots) {
            if (shots > 2 * ms + 10)
                throw std::logic_error("the timers keep firing without time passing");
            const bool tickFirst = tickDue && (!recoveryDue || *tickDue <= *recoveryDue);
            std::optional<long long>& next = tickFirst ? tickDue : recoveryDue;
            if (!next || *next > end) {
                now = end;
                return;
            }
            now = *next;
            if (tickFirst) {
                tickDue = now + tickPeriod;
                controller->tick();
            } else {
                recoveryDue.reset();
                controller->writeRecovery();
            }
        }
    }

    BoardRecordingController* controller = nullptr;
    long long now = 0;
    int tickPeriod = 0;
    std::optional<long long> tickDue, recoveryDue;
};

} // namespace vorleth::test
