#pragma once

#include "counting/countingcontroller.h"
#include "import/tableimport.h"
#include "recording/boardrecordingcontroller.h"
#include "recording/endofgamecontroller.h"
#include "recording/gameinfocontroller.h"
#include "recording/repeatedplays.h"
#include "recording/tableentry.h"
#include "replay/replaycontroller.h"

namespace vorleth {

struct SharedState;

// The program-wide values each controller works on, taken from the shared state.
ReplayContext replayContext(SharedState& state);
ImportTarget importTarget(SharedState& state);
GameInfoContext gameInfoContext(SharedState& state);
BoardRecordingContext boardRecordingContext(SharedState& state);
EndOfGameContext endOfGameContext(SharedState& state);
TableEntryContext tableEntryContext(SharedState& state);
RepeatedPlaysContext repeatedPlaysContext(SharedState& state);
CountingContext countingContext(SharedState& state);

} // namespace vorleth
