#pragma once

#include "counting/countgrid.h"
#include "counting/countresult.h"
#include "counting/territory.h"

#include <QString>
#include <QVector>

#include <array>
#include <optional>

namespace vorleth {

// One step of redrawing a corrected point: clear it to the bare board, or draw a mark.
struct RedrawStep {
    enum class Kind { Clear, Draw };
    Kind kind = Kind::Draw;
    Point point;
    CountMark mark = CountMark::None; // for Draw
    friend bool operator==(const RedrawStep&, const RedrawStep&) = default;
};

// A correction as applied: the region it re-marked (breadth-first from the clicked point),
// the marks before and after, and how to redraw it.
struct Correction {
    QVector<Point> region;
    CountMark before = CountMark::None;
    CountMark after = CountMark::None;
    QVector<RedrawStep> redraw;
};

// Re-marks the four-connected area of clickedMark around clickedPoint as chosenMark and moves
// the counters with it. A point whose old drawing the new one would not cover (a seki disc, a
// stone turned into territory) is cleared before it is drawn.
Correction applyCorrection(CountGrid& grid, CountCounters& counters, Point clickedPoint,
                           CountMark clickedMark, CountMark chosenMark);

// Puts the region of a correction back to its old mark; returns how to redraw it.
QVector<RedrawStep> revertCorrection(CountGrid& grid, CountCounters& counters,
                                     const Correction& correction);

// The name the palette gives the clicked point's mark: 黒石, 白石, 黒地, 白地, 黒の上蛤,
// 白の上蛤, and 堰・ダメ for any other.
QString currentMarkName(CountMark mark);

// The palette's buttons that pick a mark, in the order of its layout, and 戻る, which picks
// nothing. The last one makes an area neutral: nobody's territory.
struct PaletteButton {
    const char* control;
    QString caption;
    CountMark mark;
};
const std::array<PaletteButton, 10>& paletteMarkButtons();
inline const QString neutralCaption = QStringLiteral("ダメ（どちらの地でもない）");
inline const QString paletteBackCaption = QStringLiteral("戻る");

// The count of one final position and the user's corrections to it: what the counting
// screen and its palette forward their clicks to. The screen draws what comes back and shows
// result(); the record's result is result().result.
class CountingSession {
public:
    // Counts the position; prisoners are those taken during the game.
    void start(const Board& board, int prisonersWhite, int prisonersBlack, const QString& komiText,
               const CountOptions& options = {});
    // Starts from a count made elsewhere (the estimate); corrections work on it the same way.
    void start(const CountOutcome& outcome, int prisonersWhite, int prisonersBlack,
               const QString& komiText);

    const CountGrid& grid() const { return m_grid; }
    const CountCounters& counters() const { return m_counters; }
    const CountResult& result() const { return m_result; }

    // Left button down: the point hit, or none off the board.
    void leftButtonDown(std::optional<Point> point);

    struct Release {
        enum class Action { Nothing, OpenPalette, Corrected };
        Action action = Action::Nothing;
        QString currentMarkName;    // for OpenPalette
        QVector<RedrawStep> redraw; // for Corrected
    };
    // Left button up on a point: opens the palette, or applies a pending correction.
    Release leftButtonUp();

    // A palette button that picks a mark.
    void pickMark(CountMark mark);
    // 戻る, or the palette closed any other way: nothing is to be corrected.
    void leavePalette();
    // The counting screen became active again: applies a picked correction.
    QVector<RedrawStep> activated();
    // Right button up: undoes the last correction, once.
    QVector<RedrawStep> undo();

    std::optional<Point> clickedPoint() const { return m_clickedPoint; }
    CountMark clickedMark() const { return m_clickedMark; }
    CountMark chosenMark() const { return m_chosenMark; }
    bool correctionPending() const { return m_correctionPending; }
    bool canUndo() const { return m_undoPossible; }

private:
    QVector<RedrawStep> correct();

    CountGrid m_grid;
    CountCounters m_counters;
    CountResult m_result;
    int m_prisonersWhite = 0;
    int m_prisonersBlack = 0;
    QString m_komiText;

    std::optional<Point> m_clickedPoint;
    CountMark m_clickedMark = CountMark::None;
    CountMark m_chosenMark = CountMark::None;
    bool m_correctionPending = false;
    Correction m_lastCorrection;
    bool m_undoPossible = false;
};

} // namespace vorleth
