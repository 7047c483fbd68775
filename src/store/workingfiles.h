#pragma once

#include "recording/tabledata.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

namespace vorleth {

class Dialogs;
struct SharedState;

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
    QString gameName;
    QString whitePlayer;
    QString blackPlayer;
    QString result;
    int moveCount = 0;
    QString komi;
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

// Writes "棋譜.ENT" from the current record and the table points 1..moveCount. Each write
// replaces the file whole; a failure keeps the previous content and is shown.
bool writeWorkingEntry(SharedState& state, Dialogs& dialogs);

// Reads "棋譜.ENT" into the current record and the table points. A missing, unreadable or
// malformed file shows the message and changes nothing; an empty file changes nothing either.
// Returns whether values were read.
bool readWorkingEntry(SharedState& state, Dialogs& dialogs);

// Writes "棋譜.ENT2" from the repeated-play list.
bool writeRepeatedPlays(SharedState& state, Dialogs& dialogs);

// Reads "棋譜.ENT2" into the repeated-play list; a missing file gives an empty list without a
// message. A file that cannot be read shows why and leaves the list as it was.
bool readRepeatedPlays(SharedState& state, Dialogs& dialogs);

// Resets "棋譜.ENT" to the placeholder content.
bool writeWorkingEntryPlaceholder(SharedState& state, Dialogs& dialogs);

} // namespace vorleth
