#pragma once

#include "board/board.h"
#include "store/outcome.h"
#include "store/recordtypes.h"
#include "store/tabledata.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vorleth {

// The game on the recording board, kept in the base directory while the board or the count has
// it, so that a crash or a power cut does not take it along. Saving or discarding the game
// removes the file; at start-up the main menu offers to restore what is left.
inline const QString recoveryFileName = QStringLiteral("棋譜.REC");

inline const QString cannotWriteRecoveryFileMessage =
    QStringLiteral("記録中の対局を保存できません：");
inline const QString cannotReadRecoveryFileMessage =
    QStringLiteral("前回記録中の対局を読めません：");
inline const QString cannotRemoveRecoveryFileMessage =
    QStringLiteral("記録中の対局のファイルを削除できません：");

QString recoveryFilePath(const QString& baseDirectory);

// A typed diagram whose placement on the board had not ended.
struct DiagramPlacement {
    QVector<int> tableMoves; // the point codes of moves 1..n (0: given by an earlier move)
    QVector<RepeatedPlay> repeatedPlays;
    PlacementStop stop;
    friend bool operator==(const DiagramPlacement&, const DiagramPlacement&) = default;
};

struct RecoveredGame {
    CurrentRecord record;
    MoveList moves;
    std::optional<DiagramPlacement> placement;
};

// The program's own file, so nothing has to fit another program's code page: UTF-8 behind a
// byte-order mark, CR LF. Line 1: the record's game information, move count, catalogue
// position and file name; line 2: the number of entries; then one entry per line (code, kind);
// then, while a diagram is being placed, "placement", "diagram" and "repeated" lines. Texts
// keep every character: "%", "," and control characters are written as %XX of their bytes.
QByteArray encodeRecoveredGame(const CurrentRecord& record, const MoveList& moves,
                               const std::optional<DiagramPlacement>& placement = {});
// Nothing unless the content reads back whole: every field, exactly the entries announced.
// A file without the byte-order mark was written by an earlier version in Windows-31J.
std::optional<RecoveredGame> decodeRecoveredGame(const QByteArray& bytes);

bool recoveryFileExists(const QString& baseDirectory);

// Replaces the file whole; a failure keeps the previous content.
Outcome writeRecoveryFile(const QString& baseDirectory, const CurrentRecord& record,
                          const MoveList& moves,
                          const std::optional<DiagramPlacement>& placement = {});

// What the file holds; a file that cannot be read whole is reported. Check recoveryFileExists
// first: a missing file is reported too.
Result<RecoveredGame> readRecoveryFile(const QString& baseDirectory);

// Removes the file; no file is no failure.
Outcome removeRecoveryFile(const QString& baseDirectory);

} // namespace vorleth
