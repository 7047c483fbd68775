#include "board/geometry.h"

#include <cmath>

namespace vorleth {

namespace {
double roundHalfToEven(double v) {
    const double nearest = std::round(v);
    if (std::fabs(v - std::trunc(v)) == 0.5)
        return 2.0 * std::round(v / 2.0);
    return nearest;
}
} // namespace

BoardGeometry BoardGeometry::forScreenSize(int screenSize) {
    BoardGeometry g;
    g.screenSize = screenSize;
    if (screenSize != 800) {
        g.cellSize = 250;
        g.boardOrigin = 250;
        g.stoneRadius = (250 - 50) / 2;
        return g;
    }
    // The small layout's cell scaled by the screen heights (800 x 600 against 640 x 480),
    // less a margin: 376.67 rounds to 377.
    const int cell = static_cast<int>(std::lround(250.0 * 800.0 / 480.0 - 40.0));
    g.cellSize = cell;
    g.boardOrigin = cell;
    // (377 - 50) / 2 = 163.5: halves go to the even neighbour, 164.
    g.stoneRadius = static_cast<int>(roundHalfToEven((cell - 50) / 2.0));
    return g;
}

std::optional<Point> BoardGeometry::pointAt(double x, double y) const {
    // Single precision, adding a half before the floor: a position exactly between two lines
    // belongs to the line with the higher number.
    const float c = static_cast<float>(cellSize);
    const float o = static_cast<float>(boardOrigin);
    const float column = std::floor((static_cast<float>(x) - o - c) / c + 0.5f);
    const float row = std::floor((static_cast<float>(y) - o) / c + 0.5f);
    // Written so that NaN fails too.
    if (!(column >= 1.0f && column <= 19.0f && row >= 1.0f && row <= 19.0f))
        return std::nullopt;
    return Point{static_cast<int>(column), static_cast<int>(row)};
}

} // namespace vorleth
