#pragma once

#include "shell/settingsfile.h"

#include <QString>
#include <QStringList>

namespace vorleth {

struct SharedState;

// The program's directories under the base directory, in the order start-up creates them.
inline const QString sgfDirectoryName = QStringLiteral("SGF");
inline const QString defaultRecordDirectoryName = QStringLiteral("Pelloq");
inline const QString defaultPhotoDirectoryName = QStringLiteral("Pelloq写真");

// The base directory and its three sub-directories, as full paths in creation order.
QStringList programDirectories(const QString& baseDirectory);

// What the main menu has to do after the start-up sequence.
struct StartUpOutcome {
    // Every program directory was made anew: the installation guide has been chosen as the
    // browser's start address and the browser should open beside the main menu.
    bool firstRun = false;
    bool openBrowser = false;
    ReadResult settingsRead;
};

// The sequence that runs at every creation of the main menu: record-list sort directions
// cleared, import state reset, directories created (first-run detection), the current state
// reset, the settings read (rewritten when unreadable) and the board geometry derived from the
// screen size. Nothing is reported to the user.
StartUpOutcome startUp(SharedState& state);

// Clears the current record, the catalogue (its name lists are built again on next use), the
// side to move and problem-setting mode, the working flags of the recording screens and the
// replay options and the count. Settings, entryMode and the move list are left alone.
void resetCurrentState(SharedState& state);

// The main menu's three main actions, minus the screen change. Browsing leaves the scan to the
// record list, which makes one as it opens; the two entry actions rescan the catalogue for the
// game information screen and return whether the record directory could be listed.
void prepareBrowse(SharedState& state);     // 登録棋譜を閲覧
bool prepareTableEntry(SharedState& state); // 総譜から表形式で登録
bool prepareBoardEntry(SharedState& state); // 碁盤で並べて登録

// Entry modes as the main menu sets them.
constexpr int browseEntryMode = 1;
constexpr int tableEntryMode = 2;
constexpr int boardEntryMode = 3;

} // namespace vorleth
