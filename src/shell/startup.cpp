#include "shell/startup.h"

#include "shell/website.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"

#include <QDir>
#include <QFileInfo>

namespace vorleth {

namespace {

// Makes the directory; true only when it did not exist before and now does.
bool createdAnew(const QString& path) {
    if (QFileInfo::exists(path))
        return false;
    return QDir().mkpath(path);
}

bool rescanCatalogue(SharedState& state) {
    const bool listed = scanCatalogue(state.catalogue, state.settings.recordDirectory);
    buildGameNameList(state.catalogue);
    return listed;
}

} // namespace

QStringList programDirectories(const QString& baseDirectory) {
    const QDir base(baseDirectory);
    return {QDir::cleanPath(baseDirectory), base.filePath(sgfDirectoryName),
            base.filePath(defaultRecordDirectoryName), base.filePath(defaultPhotoDirectoryName)};
}

StartUpOutcome startUp(SharedState& state) {
    StartUpOutcome outcome;

    state.recordList.sortDirectionFlags.fill(false);
    // The neighbour offsets are a compile-time table; nothing to fill.
    state.import.reset();

    const QStringList directories = programDirectories(state.baseDirectory);
    bool allCreated = true;
    for (const QString& directory : directories)
        allCreated = createdAnew(directory) && allCreated;
    state.settings.recordDirectory = QDir::toNativeSeparators(directories.at(2));
    state.settings.photoDirectory = QDir::toNativeSeparators(directories.at(3));

    if (allCreated) {
        outcome.firstRun = true;
        outcome.openBrowser = true;
        state.shell.browserStartAddress = installGuideAddress();
    }

    resetCurrentState(state);
    outcome.settingsRead = readSettings(state);
    state.geometry = BoardGeometry::forScreenSize(state.settings.screenSize);
    return outcome;
}

void resetCurrentState(SharedState& state) {
    state.record.reset();
    state.catalogue.reset();
    state.board.play.reset();
    state.table.reset();
    state.replay.reset();
    state.counting.reset();
}

void prepareBrowse(SharedState& state) {
    state.shell.entryMode = browseEntryMode;

    PlayState& play = state.board.play;
    state.board.moves.clear();
    play.appliedCount = 0;
    play.nextMoveNumber = 0;
    play.prisonersWhite = 0;
    play.prisonersBlack = 0;

    state.recordList.gameNameFilter.clear();
    state.recordList.playerFilter.clear();
    state.recordList.sortMode = 0;

    state.shell.slideshowIndex = 0;

    // No scan here: the record list scans the directory itself as it opens, and a second
    // listing would double the wait on a large library.
    resetCurrentState(state);
}

bool prepareTableEntry(SharedState& state) {
    state.shell.entryMode = tableEntryMode;
    state.table.clearDiagramGrid();
    state.table.tableMoves.fill(0);
    resetCurrentState(state);
    return rescanCatalogue(state);
}

bool prepareBoardEntry(SharedState& state) {
    state.shell.entryMode = boardEntryMode;
    resetCurrentState(state);
    return rescanCatalogue(state);
}

} // namespace vorleth
