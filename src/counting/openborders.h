#pragma once

#include "counting/playoutboard.h"

#include <array>
#include <vector>

namespace vorleth {

// Who gets each point of ground that live stones of both sides border, as it is when the
// game ended with neutral points still open: a point goes to the side whose live stones are
// nearer (counted in steps through empty points and dead stones), and is neutral when both
// are as near or when it touches the other side's stones or ground. The border between the
// two sides is thus left as the neutral points the players would fill, and the ground behind
// it goes to the side that closes it. A point with neutral points on two sides, one of them
// next to the opponent's stones, is neutral too: the opponent fills there and its side has
// to block on the point itself. Empty for a neutral point, Edge for live stones and the ring.
std::array<PlayoutBoard::Stone, PlayoutBoard::points>
nearerSide(const PlayoutBoard& board, const std::array<bool, PlayoutBoard::points>& live);

// Empty points whose side depends on which side fills first: those nearerSide leaves to
// neither side, and those next to a neutral point (one touching live stones of both sides),
// which either side may fill, the point then being its own ground or touching the other's
// stone. A game that ended with such points open counts them for nobody.
std::array<bool, PlayoutBoard::points>
undecidedPoints(const PlayoutBoard& board, const std::array<bool, PlayoutBoard::points>& live);

// The moves that close the open borders as players do before they count: each side in turn
// fills a neutral point between live stones of both sides (one that does not put its own
// chain into atari and takes nothing); a chain a fill leaves in atari is saved by its owner at
// once, a chain a fill leaves two liberties, one neutral and one of its own ground, fills the
// neutral one before the opponent can, and a fill that reaches into the opponent's ground is
// blocked there, until no such point is left. The moves are in the order played, Black's
// first.
struct SettleMove {
    int point;
    PlayoutBoard::Stone stone;
};
std::vector<SettleMove> closeBorders(const PlayoutBoard& board,
                                     const std::array<bool, PlayoutBoard::points>& live);

} // namespace vorleth
