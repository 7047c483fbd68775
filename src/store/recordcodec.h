#pragma once

#include "store/outcome.h"
#include "store/recordtypes.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace vorleth {

// The body of a record file: a header line, then the move list in row pairs of 18 entries
// (a line of point codes, a line of kinds), padded after the last entry.
inline constexpr int entriesPerRow = 18;
inline constexpr PointCode paddingCode = 999;
inline const QString paddingKind = QStringLiteral("999");

// Why a record could not be read; each is followed by the file's name.
inline const QString cannotReadRecordMessage = QStringLiteral("棋譜ファイルを読めません：");
inline const QString badCharactersMessage =
    QStringLiteral("棋譜ファイルに読めない文字があります：");
inline const QString malformedRecordMessage =
    QStringLiteral("棋譜ファイルの内容が正しくありません：");
inline const QString truncatedRecordMessage =
    QStringLiteral("棋譜ファイルが途中で終わっています：");
inline const QString entryCountMismatchMessage =
    QStringLiteral("棋譜ファイルの手数が内容と合いません：");

// The record stored as body under fileName (without ".IGO"). Names (cut to ten characters),
// komi, dates and the entry count come from the name; the body gives the moves. Any fault of
// the body is an error: a record is read whole or not at all.
Result<GameRecord> decodeRecord(const QString& fileName, const QByteArray& body);

// The body of a record: the header line written on writtenOn (moveCount is its third field),
// then the row pairs of record.moves with their padding.
QByteArray encodeRecordBody(const GameRecord& record, int moveCount, const QDate& writtenOn);

} // namespace vorleth
