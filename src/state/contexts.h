#pragma once

#include "recording/repeatedplays.h"
#include "recording/tableentry.h"
#include "replay/replaycontroller.h"

namespace vorleth {

struct SharedState;

// The program-wide values each controller works on, taken from the shared state.
ReplayContext replayContext(SharedState& state);
TableEntryContext tableEntryContext(SharedState& state);
RepeatedPlaysContext repeatedPlaysContext(SharedState& state);

} // namespace vorleth
