#pragma once

#include "counting/playoutboard.h"

#include <array>

namespace vorleth {

// Who a point belongs to once the game is over: Black or White for a live stone or territory
// (the points of dead stones included), Empty for a neutral point, Edge for a seki point or
// the ring.
using PointOwners = std::array<PlayoutBoard::Stone, PlayoutBoard::points>;

// Points of a side's own territory it must still fill itself before the game is really over,
// on the board as it stands (dead stones still on it): the saving move of a live chain the
// opponent could take by a short reading, a ko not counting as a rescue (when the saving move
// takes no stones), the one liberty in its own ground of a live chain whose other liberties
// are neutral points (once the opponent fills them the chain is in atari and must connect), or of a
// chain of several stones in atari or a stone in atari that can only be taken as a ko. The side
// spends a move inside its territory and the point is not counted for it. Chains on seki points,
// and chains no live opponent stone touches (nor any of their liberties), are left as they are:
// dead stones threaten nothing.
std::array<bool, PlayoutBoard::points> pointsToDefend(const PlayoutBoard& live,
                                                      const PointOwners& owner);

} // namespace vorleth
