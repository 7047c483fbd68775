#pragma once

#include "counting/countingcontroller.h"
#include "replay/replaycontroller.h"

namespace vorleth {

struct SharedState;

// The program-wide values each controller works on, taken from the shared state.
ReplayContext replayContext(SharedState& state);
CountingContext countingContext(SharedState& state);

} // namespace vorleth
