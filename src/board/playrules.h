#pragma once

#include "board/board.h"
#include "board/boardview.h"

#include <optional>
#include <vector>

namespace vorleth {

// The position, what was played, and the counters beside them: one program-wide group.
struct BoardModel {
    Board board;
    MoveList moves;
    PlayState play;
};

// What became of a play.
enum class PlayResult {
    Played,
    // Refused, the position unchanged: its entries (the stone and its removals) would make the
    // move list longer than a record file can hold. The screen shows moveListFullMessage().
    MoveListFull,
    // Refused, the position unchanged: the stone would leave its own group without a liberty
    // and capture nothing. The screen shows suicideMessage().
    Suicide,
};

// What a rule did to the position, in the order a board shows it. The rules only change the
// model; a screen draws the change with applyToView, a run without a screen ignores it.
struct BoardChange {
    PlayResult result = PlayResult::Played;
    // The board was emptied before the stones below (a rebuild).
    bool cleared = false;
    struct Stone {
        Point point;
        Colour colour; // of the stone put down, or of the stone taken off
        bool placed;   // false: taken off
        friend bool operator==(const Stone&, const Stone&) = default;
    };
    std::vector<Stone> stones;
    // The status boxes, where the rule changed what they show.
    std::optional<Point> shownPoint; // 横 / 縦: the last point touched
    std::optional<int> moveNumber;   // 手目
    std::optional<Colour> lastMover; // the side to move is the other colour
    bool prisonersChanged = false;   // the prisoner counts of PlayState
    int prisonersWhite = 0;
    int prisonersBlack = 0;

    bool played() const { return result == PlayResult::Played; }
};

// Draws a change as the board screens show it.
void applyToView(BoardView& view, const BoardChange& change);

// Plays the next colour at p, records it and resolves captures. The caller has checked that
// p is empty. A refused play changes nothing.
[[nodiscard]] BoardChange playStone(BoardModel& model, Point p);

// Appends one entry and updates the move counters.
void recordEntry(BoardModel& model, PointCode code, const QString& kind);

// Undoes the last stone entry and the removals recorded after it.
BoardChange takeBack(BoardModel& model);

// Appends the pause marker (2020, "9"); refused like playStone when the list is full.
[[nodiscard]] PlayResult addPauseMarker(BoardModel& model);

// The number of handicap stones a game name announces (２子 / 二子 … ９子 / 九子), else 0.
int handicapCount(const QString& gameName);
void handicapFromGameName(BoardModel& model, const QString& gameName);
// Puts the pending handicap stones down; white is to play next.
BoardChange placeHandicapStones(BoardModel& model);
// Handicap point i (1..9) for a handicap of count stones.
Point handicapPoint(int i, int count);

// Clears the board and re-applies entries 1..n of the move list, handicap stones of the
// game name first.
BoardChange rebuildPosition(BoardModel& model, int n, const QString& gameName);

// The message a screen shows for PlayResult::MoveListFull.
QString moveListFullMessage();
// The message a screen shows for PlayResult::Suicide.
QString suicideMessage();
// The message for a refused play, empty for one that was played.
QString refusalMessage(PlayResult result);

} // namespace vorleth
