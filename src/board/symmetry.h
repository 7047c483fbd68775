#pragma once

#include "board/board.h"

#include <QString>
#include <QVector>

#include <array>
#include <optional>

namespace vorleth {

// The eight ways the square board maps onto itself. A game turned or mirrored by one of them
// is the same game: every capture and every count comes out the same.
enum class BoardSymmetry {
    Identity,
    QuarterTurnRight, // clockwise as the board is shown: the top left corner goes top right
    HalfTurn,
    QuarterTurnLeft,
    MirrorLeftRight, // columns reversed
    MirrorTopBottom, // rows reversed
    MirrorDiagonal,  // columns and rows exchanged: the top right corner goes bottom left
    MirrorOtherDiagonal,
};

// In the order symmetryMapping tries them: turns before mirrors, so that a game keeps the
// handedness it was played with whenever a turn is enough.
inline constexpr std::array<BoardSymmetry, 8> boardSymmetries{
    BoardSymmetry::Identity,        BoardSymmetry::QuarterTurnRight,
    BoardSymmetry::HalfTurn,        BoardSymmetry::QuarterTurnLeft,
    BoardSymmetry::MirrorLeftRight, BoardSymmetry::MirrorTopBottom,
    BoardSymmetry::MirrorDiagonal,  BoardSymmetry::MirrorOtherDiagonal,
};

// The image of a point of the 19 x 19 board.
Point applySymmetry(BoardSymmetry symmetry, Point p);

// The symmetry that undoes this one.
BoardSymmetry inverseSymmetry(BoardSymmetry symmetry);

// How the symmetry moved the board, in words for a report: "turned a quarter to the right".
QString symmetryDescription(BoardSymmetry symmetry);

// The first symmetry of boardSymmetries that maps the points of from onto exactly the points
// of to (as sets: order and repeats do not matter), or nothing when none does.
std::optional<BoardSymmetry> symmetryMapping(const QVector<Point>& from, const QVector<Point>& to);

} // namespace vorleth
