#pragma once

#include "board/board.h"

#include <optional>

namespace vorleth {

// Board geometry in twips for the two layouts (screenSize 800, anything else 640).
struct BoardGeometry {
    int screenSize = 640;
    int cellSize = 250;
    int stoneRadius = 100;
    int boardOrigin = 250;

    static BoardGeometry forScreenSize(int screenSize);
    bool large() const { return screenSize == 800; }

    // The client area of the recording and counting screens in twips: the board and the
    // column of boxes beside it.
    double clientWidth() const { return large() ? 11385 : 8538.75; }
    double clientHeight() const { return large() ? 9000 : 6550; }
    // The replay's is a little wider and lower in the 640 layout.
    double replayClientWidth() const { return large() ? clientWidth() : 8638.75; }
    double replayClientHeight() const { return large() ? clientHeight() : 6042.5; }

    // Centre of the points in a column / row (1..19).
    double pointX(int column) const { return double(column + 1) * cellSize + boardOrigin; }
    double pointY(int row) const { return double(row) * cellSize + boardOrigin; }

    // The intersection nearest to a position (within half a cell each way), or none when the
    // position lies outside the lines by more than half a cell.
    std::optional<Point> pointAt(double x, double y) const;
};

} // namespace vorleth
