#pragma once

#include "replay/replaycontroller.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <stdexcept>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace vorleth {
inline void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.column << ", " << p.row << ")";
}
} // namespace vorleth

namespace vorleth::test {

// Records what the replay shows. The board is kept as the 19 x 19 picture the drawing calls
// leave behind: 'X' black, 'O' white, 'C' the cyan disc, '.' empty.
class FakeReplayView : public ReplayView {
public:
    FakeReplayView() { wipe(); }

    void drawBoard() override {
        ++boardDrawings;
        wipe();
        log << QStringLiteral("board");
    }
    void drawStone(Point p, const QString& colour) override {
        set(p, colour == QStringLiteral("2") ? 'O' : 'X');
        log << QStringLiteral("stone %1 %2").arg(p.code()).arg(colour);
    }
    void clearPoint(Point p) override {
        set(p, '.');
        log << QStringLiteral("clear %1").arg(p.code());
    }
    void drawMarkerDisc(Point p) override {
        set(p, 'C');
        log << QStringLiteral("disc %1").arg(p.code());
    }
    void showPoint(Point p) override { shownPoint = p; }
    void showMoveNumber(const QString& text) override { moveNumber = text; }
    void showSideToMove(const QString& text) override { sideToMove = text; }
    void showPrisoners(const QString& text) override { prisoners = text; }
    void showModeCaption(const QString& text) override { caption = text; }
    void showRecordInformation(const QString& text) override { information = text; }
    void setTitle(const QString& text) override { title = text; }
    void beep() override { ++beeps; }

    char at(int column, int row) const { return m_cells[column][row]; }
    int count(char c) const {
        int n = 0;
        for (int column = 1; column <= 19; ++column)
            for (int row = 1; row <= 19; ++row)
                n += m_cells[column][row] == c;
        return n;
    }
    int stones() const { return count('X') + count('O'); }
    // The picture in the form of boardDiagram.
    QString diagram() const {
        QString text;
        for (int row = 1; row <= 19; ++row) {
            for (int column = 1; column <= 19; ++column) {
                const char c = m_cells[column][row];
                text.append(QLatin1Char(c == 'C' ? '.' : c));
            }
            text.append(u'\n');
        }
        return text;
    }

    QStringList log;
    int boardDrawings = 0;
    int beeps = 0;
    std::optional<Point> shownPoint;
    QString moveNumber, sideToMove, prisoners, caption, information, title;

private:
    void wipe() {
        for (auto& column : m_cells)
            column.fill('.');
    }
    void set(Point p, char c) {
        if (!p.onBoard())
            throw std::logic_error("drawing off the board");
        m_cells[p.column][p.row] = c;
    }

    std::array<std::array<char, 20>, 20> m_cells{};
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
