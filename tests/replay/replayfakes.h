#pragma once

#include "replay/replaycontroller.h"
#include "support/asciiboardview.h"
#include "support/printers.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vorleth::test {

// Records what the replay shows: the board as an ASCII picture ('C' the cyan disc) and the
// replay's own boxes.
class FakeReplayView : public AsciiBoardViewOf<ReplayView> {
public:
    void drawMarkerDisc(Point p) override {
        set(p, 'C');
        log << QStringLiteral("disc %1").arg(p.code());
    }
    void showModeCaption(const QString& text) override { caption = text; }
    void showRecordInformation(const QString& text) override { information = text; }
    void setTitle(const QString& text) override { title = text; }
    void beep() override { ++beeps; }

    int beeps = 0;
    QString caption, information, title;
};

// The three timers on a virtual clock: advance() delivers every tick that falls due, in time
// order, the way the event loop would.
class VirtualTimers : public ReplayTimers {
public:
    void startStepTimer(int intervalMs) override {
        stepPeriod = intervalMs;
        stepDue = now + intervalMs;
    }
    void stopStepTimer() override { stepDue.reset(); }
    void startStartTimer() override { startDue = now + ReplayController::startTimerPeriod; }
    void stopStartTimer() override { startDue.reset(); }
    void armPlacementTimer() override { placementDue = now + ReplayController::placementDelay; }
    void cancelPlacementTimer() override { placementDue.reset(); }

    bool stepRunning() const { return stepDue.has_value(); }

    void advance(long long ms) {
        const long long end = now + ms;
        for (;;) {
            std::optional<long long>* next = nullptr;
            for (auto* due : {&startDue, &placementDue, &stepDue}) {
                if (*due && **due <= end && (!next || **due < **next))
                    next = due;
            }
            if (!next) {
                now = end;
                return;
            }
            now = **next;
            if (next == &startDue) {
                startDue = now + ReplayController::startTimerPeriod;
                controller->startTick();
            } else if (next == &placementDue) {
                placementDue.reset();
                controller->placementTick();
            } else {
                stepDue = now + stepPeriod;
                controller->replayStep();
            }
        }
    }

    ReplayController* controller = nullptr;
    long long now = 0;
    int stepPeriod = 0;
    std::optional<long long> stepDue, startDue, placementDue;
};

} // namespace vorleth::test
