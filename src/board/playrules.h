#pragma once

#include "board/board.h"
#include "board/boarddisplay.h"

namespace vorleth {

class Dialogs;

// The position, what was played, and the counters beside them: one program-wide group.
struct BoardModel {
    Board board;
    MoveList moves;
    PlayState play;
};

// Plays the next colour at p, records it and resolves captures. The caller has checked that
// p is empty. Refuses, with a message and the position unchanged, a play whose entries
// (the stone and its removals) would not fit in a record file; returns whether it played.
bool playStone(BoardModel& model, Point p, BoardDisplay& display, Dialogs& dialogs);

// Appends one entry and updates the move counters.
void recordEntry(BoardModel& model, PointCode code, const QString& kind);

// Removes every opponent group next to p that has no liberty left.
void resolveCaptures(BoardModel& model, Point p, BoardDisplay& display);

void removeStone(BoardModel& model, Point p, BoardDisplay& display);

// Undoes the last stone entry and the removals recorded after it.
void takeBack(BoardModel& model, BoardDisplay& display);

// Appends the pause marker (2020, "9"); refused like playStone when the list is full.
bool addPauseMarker(BoardModel& model, Dialogs& dialogs);

// The number of handicap stones a game name announces (２子 / 二子 … ９子 / 九子), else 0.
int handicapCount(const QString& gameName);
void handicapFromGameName(BoardModel& model, const QString& gameName);
void placeHandicapStones(BoardModel& model, BoardDisplay& display);
// Handicap point i (1..9) for a handicap of count stones.
Point handicapPoint(int i, int count);

// Clears the board and re-applies entries 1..n of the move list, handicap stones of the
// game name first.
void rebuildPosition(BoardModel& model, int n, const QString& gameName, BoardDisplay& display);

// The message shown when a play would overflow what a record file can hold.
QString moveListFullMessage();

} // namespace vorleth
