#pragma once

#include "board/board.h"
#include "store/outcome.h"
#include "store/recordtypes.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vorleth {

// The game on the recording board, kept in the base directory while the board is open, so
// that a crash or a power cut does not take it along. Leaving the board by one of its buttons
// removes the file; at start-up the main menu offers to restore what is left.
inline const QString recoveryFileName = QStringLiteral("棋譜.REC");

inline const QString cannotWriteRecoveryFileMessage =
    QStringLiteral("記録中の対局を保存できません：");
inline const QString cannotReadRecoveryFileMessage =
    QStringLiteral("前回記録中の対局を読めません：");
inline const QString cannotRemoveRecoveryFileMessage =
    QStringLiteral("記録中の対局のファイルを削除できません：");

QString recoveryFilePath(const QString& baseDirectory);

struct RecoveredGame {
    CurrentRecord record;
    MoveList moves;
};

// Line 1: the record's game information, move count, catalogue position and file name in
// 14-column zones; line 2: the number of entries; then one entry per line (code, kind).
QByteArray encodeRecoveredGame(const CurrentRecord& record, const MoveList& moves);
// Nothing unless the content reads back whole: every field, exactly the entries announced.
std::optional<RecoveredGame> decodeRecoveredGame(const QByteArray& bytes);

bool recoveryFileExists(const QString& baseDirectory);

// Replaces the file whole; a failure keeps the previous content.
Outcome writeRecoveryFile(const QString& baseDirectory, const CurrentRecord& record,
                          const MoveList& moves);

// What the file holds; a file that cannot be read whole is reported. Check recoveryFileExists
// first: a missing file is reported too.
struct RecoveryReadResult {
    std::optional<RecoveredGame> game;
    Outcome outcome;
};
RecoveryReadResult readRecoveryFile(const QString& baseDirectory);

// Removes the file; no file is no failure.
Outcome removeRecoveryFile(const QString& baseDirectory);

} // namespace vorleth
