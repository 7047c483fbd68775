#include "state/contexts.h"

#include "import/importsource.h"
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

CountingContext countingContext(SharedState& state) {
    return {state.counting,
            state.board,
            state.record,
            state.catalogue,
            state.table,
            [&source = state.import](Dialogs& dialogs) { offerSourceDeletion(source, dialogs); },
            state.shell.entryMode,
            state.settings.recordDirectory,
            state.baseDirectory,
            state.clock};
}

} // namespace vorleth
