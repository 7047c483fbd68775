#pragma once

#include "store/outcome.h"
#include "store/recordtypes.h"
#include "store/tabledata.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

namespace vorleth {

// The diagram entry in progress and its repeated plays, kept in the base directory so that a
// long entry survives leaving it unsaved.
inline const QString workingEntryFileName = QStringLiteral("棋譜.ENT");
inline const QString repeatedPlaysFileName = QStringLiteral("棋譜.ENT2");

inline const QString noWorkingEntryMessage = QStringLiteral(
    "前回登録したファイルがありません。通常の登録をするかサンプルをダウンロードしてください");
inline const QString cannotWriteWorkingFileMessage =
    QStringLiteral("作業ファイルを書き込めません：");
inline const QString cannotReadWorkingFileMessage = QStringLiteral("作業ファイルを読めません：");

QString workingEntryPath(const QString& baseDirectory);
QString repeatedPlaysPath(const QString& baseDirectory);

// What "棋譜.ENT" holds.
struct WorkingEntry {
    GameInfo game;
    int moveCount = 0;
    // The table points of moves 1.. (at most the table's 500), 0 for a repeated play whose
    // point is not known yet.
    QVector<int> points;
};

// Line 1: the six fields in 14-column zones; then one point per line.
QByteArray encodeWorkingEntry(const WorkingEntry& entry);
// Nothing when the content cannot be read. A move count field without a number (the
// placeholder's "手数") reads as 0 moves.
std::optional<WorkingEntry> decodeWorkingEntry(const QByteArray& bytes);

QByteArray encodeRepeatedPlays(const QVector<RepeatedPlay>& plays);
// Nothing when the content cannot be read (an odd number of fields, a field without a number).
std::optional<QVector<RepeatedPlay>> decodeRepeatedPlays(const QByteArray& bytes);

// The content the setup screen resets "棋譜.ENT" to: the placeholder headings, no moves.
QByteArray workingEntryPlaceholder();

// Writes "棋譜.ENT" of baseDirectory from the record's game information and move count and
// the table points 1..moveCount. Each write replaces the file whole; a failure keeps the
// previous content.
Outcome writeWorkingEntry(const QString& baseDirectory, const CurrentRecord& record,
                          const TableEntryData& table);

// Reads "棋譜.ENT" into the record's game information and move count and the table points.
// A missing, unreadable or malformed file is reported and changes nothing; an empty file
// changes nothing either (and is no failure).
Outcome readWorkingEntry(const QString& baseDirectory, CurrentRecord& record,
                         TableEntryData& table);

// Writes "棋譜.ENT2" from the repeated-play list.
Outcome writeRepeatedPlays(const QString& baseDirectory, const TableEntryData& table);

// Reads "棋譜.ENT2" into the repeated-play list. The list starts empty, so a missing file
// leaves it empty without a word, and a file that cannot be read leaves it empty too (pairs
// of another entry could place this diagram's moves on wrong points) and is reported.
Outcome readRepeatedPlays(const QString& baseDirectory, TableEntryData& table);

// Resets "棋譜.ENT" to the placeholder content.
Outcome writeWorkingEntryPlaceholder(const QString& baseDirectory);

} // namespace vorleth
