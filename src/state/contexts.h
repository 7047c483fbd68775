#pragma once

#include "replay/replaycontroller.h"

namespace vorleth {

struct SharedState;

// The program-wide values each controller works on, taken from the shared state.
ReplayContext replayContext(SharedState& state);

} // namespace vorleth
