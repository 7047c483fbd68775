#pragma once

#include "counting/playoutboard.h"

#include <array>

namespace vorleth {

// Unconditional life: the chains of one colour that no sequence of opponent moves can
// capture, even if their owner never answers, and the areas they enclose.
struct UnconditionalLife {
    std::array<bool, PlayoutBoard::points> alive{};  // stones of such chains
    std::array<bool, PlayoutBoard::points> secure{}; // points of the areas they enclose
};

// Each area enclosed by the colour (empty points and opponent stones) is an eye of a chain
// when every empty point in it touches that chain. Chains with fewer than two eyes fall, and
// areas touching a fallen chain are no longer eyes, until nothing changes: what remains
// lives whatever the opponent does, and opponent stones in its eyes cannot live.
UnconditionalLife unconditionalLife(const PlayoutBoard& board, PlayoutBoard::Stone colour);

} // namespace vorleth
