#include "shell/recovery.h"

#include "interaction/dialogs.h"
#include "shell/startup.h"
#include "state/sharedstate.h"
#include "store/recoveryfile.h"

#include <algorithm>

namespace vorleth {

std::optional<ContinueGame> offerRecovery(SharedState& state, Dialogs& dialogs) {
    if (state.shell.recoveryOffered)
        return std::nullopt;
    state.shell.recoveryOffered = true;
    if (!recoveryFileExists(state.baseDirectory))
        return std::nullopt;
    Result<RecoveredGame> read = readRecoveryFile(state.baseDirectory);
    // A file that cannot be read is kept for whoever wants to look into it.
    if (!report(dialogs, read))
        return std::nullopt;
    if (dialogs.message(recoveryQuestion, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes) {
        report(dialogs, removeRecoveryFile(state.baseDirectory));
        return std::nullopt;
    }

    prepareBoardEntry(state);
    CurrentRecord& record = state.record;
    record = read.record;
    // A continued record is saved as a new version of its file, which the catalogue of this
    // run lists at its own position.
    record.selectedIndex = 0;
    for (int i = 1; i <= state.catalogue.count() && !record.fileName.isEmpty(); ++i) {
        if (state.catalogue.fileName(i) == record.fileName)
            record.selectedIndex = i;
    }
    state.board.moves = std::move(read.moves);
    state.board.play.appliedCount = state.board.moves.length();
    ContinueGame continued{.entries = state.board.moves.length()};
    // A game being placed from a typed diagram goes on being placed, not as a click-entry game
    // with the rest of the diagram left out.
    if (const std::optional<DiagramPlacement>& placement = read.placement) {
        TableEntryData& table = state.table;
        table.tableMoves.fill(0);
        std::copy(placement->tableMoves.begin(), placement->tableMoves.end(),
                  table.tableMoves.begin() + 1);
        table.repeatedPlays = placement->repeatedPlays;
        continued.placement = placement->stop;
        record.moveCount = static_cast<int>(placement->tableMoves.size());
    }
    return continued;
}

} // namespace vorleth
