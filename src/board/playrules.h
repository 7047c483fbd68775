#pragma once

#include "board/board.h"
#include "board/boardview.h"

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
};

// Plays the next colour at p, records it and resolves captures. The caller has checked that
// p is empty.
[[nodiscard]] PlayResult playStone(BoardModel& model, Point p, BoardView& view);

// Appends one entry and updates the move counters.
void recordEntry(BoardModel& model, PointCode code, const QString& kind);

// Removes every opponent group next to p that has no liberty left.
void resolveCaptures(BoardModel& model, Point p, BoardView& view);

void removeStone(BoardModel& model, Point p, BoardView& view);

// Undoes the last stone entry and the removals recorded after it.
void takeBack(BoardModel& model, BoardView& view);

// Appends the pause marker (2020, "9"); refused like playStone when the list is full.
[[nodiscard]] PlayResult addPauseMarker(BoardModel& model);

// The number of handicap stones a game name announces (２子 / 二子 … ９子 / 九子), else 0.
int handicapCount(const QString& gameName);
void handicapFromGameName(BoardModel& model, const QString& gameName);
void placeHandicapStones(BoardModel& model, BoardView& view);
// Handicap point i (1..9) for a handicap of count stones.
Point handicapPoint(int i, int count);

// Clears the board and re-applies entries 1..n of the move list, handicap stones of the
// game name first.
void rebuildPosition(BoardModel& model, int n, const QString& gameName, BoardView& view);

// The message a screen shows for PlayResult::MoveListFull.
QString moveListFullMessage();

} // namespace vorleth
