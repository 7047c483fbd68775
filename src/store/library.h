#pragma once

#include "store/cataloguetypes.h"
#include "store/outcome.h"
#include "store/recordcodec.h"
#include "store/recordtypes.h"

#include <QDateTime>
#include <QString>

namespace vorleth {

// The record files of one directory, and the catalogue entries that stand for them.

// Messages of the library operations; each is followed by the name or path concerned.
inline const QString oldFileDeleteErrorMessage = QStringLiteral("Last Pro. Old File Delete Error=");
inline const QString updateErrorMessage = QStringLiteral("Update Error=");
inline const QString cannotSaveRecordMessage = QStringLiteral("棋譜ファイルを保管できません：");
inline const QString sameNameExistsMessage = QStringLiteral(
    "同じ名前の棋譜ファイルが既にあります。少し待ってからもう一度保管してください：");
inline const QString recordDeletionFailedMessage = QStringLiteral("棋譜ファイルを削除できません：");
// Shown when a move list is longer than a record file can count.
QString recordTooLongMessage();

// Reads and decodes directory/fileName.IGO.
Result<GameRecord> loadRecord(const QString& directory, const QString& fileName);

// Reads the record named by record.fileName into record (names cut to ten characters, komi,
// moveCount := the number of entries) and moves. On failure reports why and changes nothing.
Outcome readRecord(const QString& directory, CurrentRecord& record, MoveList& moves);

// The name saveRecord gives a record of game with entryCount entries saved at now.
QString newRecordName(const GameInfo& game, int entryCount, const QDateTime& now);

// Saves the record with moves under a new name (now, the move list's length) and updates its
// catalogue entry, appending one when it is not in the catalogue yet (selectedIndex 0). A new
// version replaces the previous file only once it is completely written. A failure leaves
// files, record and catalogue as they were.
Outcome saveRecord(const QString& directory, Catalogue& catalogue, CurrentRecord& record,
                   const MoveList& moves, const QDateTime& now);

// Renames the record's file to its name touched with now. A file that cannot be renamed keeps
// its name (the failure is reported); a record without a file is left alone.
Outcome touchRecord(const QString& directory, CurrentRecord& record, const QDateTime& now);

// Deletes the record's file and its catalogue entry, then lists the directory again.
Outcome deleteRecord(const QString& directory, Catalogue& catalogue, const CurrentRecord& record);

} // namespace vorleth
