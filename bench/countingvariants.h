#pragma once

// The group re-evaluation that the territory count once ran after its dead-stone pass: a
// group with at most one eye area of at most five points dies. The program never uses it
// (against GNU Go's judgement it made counts worse, see counting_compare); it is kept here so
// that the comparison can still be run.

#include "counting/territory.h"

namespace vorleth::bench {

enum class GroupReevaluation {
    None,        // no group: stones keep what the territory and chain passes gave them
    FixedPoints, // only the group first offered at (19, 14) or (18, 6)
    EveryGroup,  // every group of live stones
};

struct VariantOptions {
    GroupReevaluation reevaluation = GroupReevaluation::None;
    bool onePointEyes = true;
};

// countPosition with the re-evaluation run between the dead stones and the total.
CountOutcome countWithVariant(const Board& board, const VariantOptions& options);

} // namespace vorleth::bench
