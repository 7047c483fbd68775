#pragma once

#include "board/board.h"

#include <vector>

namespace vorleth {

// The stones of one colour joined along the lines, and the empty points beside them.
struct Group {
    Colour colour = Colour::None;
    // From the start point outwards, breadth first, neighbours taken left, up, right, down:
    // the order in which a capture removes them.
    std::vector<Point> stones;
    // Each empty neighbour once.
    std::vector<Point> liberties;

    bool hasLiberty() const { return !liberties.empty(); }
};

// The group standing on p; one without stones when p is empty or off the board.
Group groupAt(const Board& board, Point p);

// The point next to p in direction 1..4 (left, up, right, down) or 5..8 (the diagonals).
inline Point neighbour(Point p, int direction) {
    const DirectionTable::Offset o = DirectionTable::offset(direction);
    return {p.column + o.dColumn, p.row + o.dRow};
}

// What a stone of `colour` at the empty point p would do: the opponent stones it takes (each
// once, group by group in the order left, up, right, down of p) and whether it would leave
// its own group without a liberty while taking nothing.
struct PlayOutcome {
    std::vector<Point> captured;
    bool suicide = false;
};
PlayOutcome tryPlay(const Board& board, Point p, Colour colour);

} // namespace vorleth
