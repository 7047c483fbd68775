#pragma once

#include "counting/correction.h"

namespace vorleth {

// The count of the game last counted and the corrections to it (program-wide): the counting
// screen and its palette work on it. Opening the counting screen counts afresh.
struct CountState {
    CountingSession session;

    void reset() { session = CountingSession{}; }
};

} // namespace vorleth
