#pragma once

#include "board/geometry.h"
#include "board/playrules.h"
#include "counting/countstate.h"
#include "import/importsource.h"
#include "replay/replaysettings.h"
#include "search/searchstate.h"
#include "state/settings.h"
#include "store/cataloguetypes.h"
#include "store/choosertypes.h"
#include "store/recordtypes.h"
#include "store/tabledata.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace vorleth {

// "C:\Vorleth" on Windows, ~/Vorleth elsewhere.
QString defaultBaseDirectory();

// Every program-wide value, grouped by the part of the program that owns it. Screens reach
// each other only through this and by opening one another; an operation below the screens is
// given only the groups or values it reads and changes.
struct SharedState {
    explicit SharedState(QString baseDirectory = defaultBaseDirectory());

    // Holds the settings file and the working files.
    QString baseDirectory;
    // The wall clock; tests set a fixed one.
    std::function<QDateTime()> clock;
    QDateTime now() const { return clock(); }

    // Start-up, settings and main menu
    Settings settings;
    ShellState shell;

    // Record store
    CurrentRecord record;
    Catalogue catalogue;
    RecordListState recordList;
    ChooserState choosers;

    // Board model and its geometry
    BoardModel board;
    BoardGeometry geometry;

    // Game recording: the diagram entry and the board screen's state
    TableEntryData table;

    // Replay
    ReplaySettings replay;

    // Position and pattern search
    SearchState search;

    // Territory counting
    CountState counting;

    // Import
    ImportSource import;
};

} // namespace vorleth
