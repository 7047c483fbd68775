#pragma once

#include "import/tableimport.h"
#include "replay/replaycontroller.h"

namespace vorleth {

struct SharedState;

// The program-wide values each controller works on, taken from the shared state.
ReplayContext replayContext(SharedState& state);
ImportTarget importTarget(SharedState& state);

} // namespace vorleth
