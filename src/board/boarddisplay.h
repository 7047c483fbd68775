#pragma once

#include "board/board.h"

namespace vorleth {

// What the play rules show while they change the position. Board screens implement it;
// a run without a screen uses NullBoardDisplay.
class BoardDisplay {
public:
    virtual ~BoardDisplay() = default;
    virtual void drawBoard() = 0;
    virtual void drawStone(Point p, const QString& colour) = 0;
    virtual void clearPoint(Point p) = 0;
    virtual void showPoint(Point p) = 0;
    virtual void showMoveNumber(int n) = 0;
    virtual void showSideToMove(const QString& lastMover) = 0;
    virtual void showPrisoners(int prisonersWhite, int prisonersBlack) = 0;
};

class NullBoardDisplay : public BoardDisplay {
public:
    void drawBoard() override {}
    void drawStone(Point, const QString&) override {}
    void clearPoint(Point) override {}
    void showPoint(Point) override {}
    void showMoveNumber(int) override {}
    void showSideToMove(const QString&) override {}
    void showPrisoners(int, int) override {}
};

} // namespace vorleth
