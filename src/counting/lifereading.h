#pragma once

#include "counting/playoutboard.h"

#include <vector>

namespace vorleth {

// A short local reading of one group's life: moves only on the points around it (its
// liberties, the empty points next to them, and the liberties of the opponent's short chains
// that touch it), the owner living once its ground gives it two eyes, the group dying once
// its largest chain is taken. A group in open ground, or one whose fate the reading cannot
// settle within its budget, is Unsettled.
enum class LifeReading { Lives, Dies, Unsettled };

// Who moves first in the reading.
enum class FirstMove { Owner, Opponent };

LifeReading readLife(const PlayoutBoard& board, const std::vector<int>& stones, FirstMove first,
                     int budget = 500);

} // namespace vorleth
