#pragma once

#include <QString>

namespace vorleth {

class Dialogs;

// The file the current game was imported from (program-wide): the SGF chooser sets it, the
// game information screen imports it while it is set, and after the game is saved or
// discarded the user may delete it.
struct ImportSource {
    QString importSourcePath;
    bool yahooImportFlag = false; // the current game came from an import

    void reset() { *this = ImportSource{}; }
};

inline const QString sourceDeletionQuestion =
    QStringLiteral("Yahoo 囲碁の元ファイルを削除しますか");
inline const QString cannotDeleteSourceMessage = QStringLiteral("元ファイルを削除できません：");

// After a game that came from an import was saved or discarded: asks whether its source file
// is to be deleted, and deletes it on Yes (then it is no longer the import source). Asks
// nothing for a game that was not imported or whose source is already gone from the state.
void offerSourceDeletion(ImportSource& source, Dialogs& dialogs);

} // namespace vorleth
