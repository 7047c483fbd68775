#pragma once

#include "store/recordtypes.h"

#include <QString>

namespace vorleth {

// The game a screen shows, as a record to write out: the current record and its moves, names
// as whole as its file keeps them (the file may have gone meanwhile; then the name gives what
// it can).
GameRecord recordForExport(const QString& recordDirectory, const CurrentRecord& current,
                           const MoveList& moves);

// directory/<the game name made safe for the file system>.<suffix>; "棋譜" for a game without a
// name.
QString proposedExportPath(const QString& directory, const QString& gameName,
                           const QString& suffix);

} // namespace vorleth
