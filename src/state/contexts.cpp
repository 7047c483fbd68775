#include "state/contexts.h"

#include "state/sharedstate.h"

namespace vorleth {

ReplayContext replayContext(SharedState& state) {
    return {state.replay,
            state.board,
            state.record,
            state.catalogue,
            state.table.boardScreenState,
            state.settings.recordDirectory,
            state.clock};
}

TableEntryContext tableEntryContext(SharedState& state) {
    return {state.table, state.record, state.replay.beepCount, state.baseDirectory};
}

RepeatedPlaysContext repeatedPlaysContext(SharedState& state) {
    return {state.table, state.record, state.import.yahooImportFlag, state.baseDirectory};
}

} // namespace vorleth
