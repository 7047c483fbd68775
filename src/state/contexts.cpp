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

ImportTarget importTarget(SharedState& state) {
    return {state.record, state.table, state.board, state.import};
}

} // namespace vorleth
