#include "state/contexts.h"

#include "import/importsource.h"
#include "state/sharedstate.h"

namespace vorleth {

ReplayContext replayContext(SharedState& state) {
    return {
        state.replay, state.board, state.record, state.catalogue, state.settings.recordDirectory,
        state.clock};
}

ImportTarget importTarget(SharedState& state) {
    return {state.record, state.table, state.board, state.import};
}

GameInfoContext gameInfoContext(SharedState& state) {
    return {state.record,
            state.catalogue,
            state.board,
            state.table,
            state.import,
            state.shell.entryMode,
            state.settings.recordDirectory,
            state.baseDirectory};
}

BoardRecordingContext boardRecordingContext(SharedState& state) {
    return {state.board,         state.record,
            state.catalogue,     state.table,
            state.import,        state.shell.entryMode,
            state.geometry,      state.settings.recordDirectory,
            state.baseDirectory, state.clock};
}

EndOfGameContext endOfGameContext(SharedState& state) {
    return {state.board,
            state.record,
            state.catalogue,
            state.import,
            state.settings.recordDirectory,
            state.baseDirectory,
            state.clock};
}

TableEntryContext tableEntryContext(SharedState& state) {
    return {state.table, state.record, state.replay.beepCount, state.baseDirectory};
}

RepeatedPlaysContext repeatedPlaysContext(SharedState& state) {
    return {state.table, state.record, state.import.yahooImportFlag, state.baseDirectory};
}

CountingContext countingContext(SharedState& state) {
    return {
        state.counting,      state.board,  state.record,          state.catalogue,
        state.table,         state.import, state.shell.entryMode, state.settings.recordDirectory,
        state.baseDirectory, state.clock};
}

} // namespace vorleth
