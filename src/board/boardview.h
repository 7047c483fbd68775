#pragma once

#include "board/board.h"

#include <QString>

namespace vorleth {

// What a board screen shows: the board and its stones, and the status boxes beside it. The
// replay and the counting draw through it, the recording board draws what the play rules
// changed (applyToView); the board screens implement it over their drawing surfaces, tests
// with a text picture.
class BoardView {
public:
    virtual ~BoardView() = default;
    virtual void drawBoard() = 0;                               // the empty board
    virtual void drawStone(Point p, const QString& colour) = 0; // "1" black, "2" white
    virtual void clearPoint(Point p) = 0;                       // the empty point again
    virtual void showPoint(Point p) = 0;                        // YOKO, TATE
    virtual void showMoveNumber(const QString& text) = 0;       // teme
    virtual void showSideToMove(const QString& text) = 0;       // teban
    virtual void showPrisoners(const QString& text) = 0;        // ageishi
};

// Status texts of the board screens.
QString moveNumberText(int n);                                 // 12 -> "12手目"
QString sideToMoveText(const QString& lastMover);              // "白番" after "1", else "黒番"
QString prisonersText(int prisonersWhite, int prisonersBlack); // "上蛤\r\n白：W\r\n黒：B"

} // namespace vorleth
