#pragma once

#include "store/recordtypes.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace vorleth {

class Dialogs;
struct SharedState;

// Items of the program's text files: Windows-31J, CR LF line ends, items separated by commas.
// Readers skip the blanks around an item and take a double quote only as an item's delimiter.
namespace textfile {

inline constexpr int zoneWidth = 14;
inline constexpr char lineEnd[] = "\r\n";

// Characters Windows-31J cannot spell become "？" instead of failing the whole text.
QByteArray encode(const QString& text);
// Nothing when the bytes are not valid Windows-31J.
std::optional<QString> decode(const QByteArray& bytes);

// " 3 ", " 1604 ", "-5 ": the sign position (a blank for a positive number), the digits, a blank.
QByteArray numberItem(int value);
// A text as one item. A text a reader would change (a comma inside, blanks around it) is
// enclosed in double quotes; a double quote inside it becomes "＂" and control characters
// (line ends among them) are dropped.
QByteArray textItem(const QString& text);
// The fields joined by "," items, every item starting at the beginning of the next 14-column
// print zone, the gap filled with blanks. A column is a byte of Windows-31J, so a double-byte
// character takes two. The next zone is the one after the zone the previous item ended in:
// an item that exactly fills its zone, or runs into the next one, is followed by blanks up to
// the zone after that, so two items never touch. No line end and no trailing blanks.
QByteArray zonedFields(const QList<QByteArray>& fields);

// Lines without their CR LF (or bare LF) ends.
QStringList splitLines(const QString& text);
// The comma-separated items of a line, blanks around them removed, double quotes honoured.
// An empty line gives one empty item; a line ending in "," gives an empty last item.
QStringList splitItems(QStringView line);
// Numbers of a line separated by blanks and commas (" 1604  1717 "), as views into it.
QList<QStringView> splitNumbers(QStringView line);
// The whole item as a decimal number (blanks around it allowed), or nothing.
std::optional<int> parseNumber(QStringView item);
// The decimal number an item starts with (after blanks, an optional sign), or nothing.
std::optional<int> leadingNumber(QStringView item);

// Writes the whole file to a temporary file in the same directory, flushes it to disk and
// then renames it over path, so that path holds either its old or its complete new content.
bool writeFileSafely(const QString& path, const QByteArray& bytes);

} // namespace textfile

// ---- Record files -------------------------------------------------------------------------

inline const QString recordExtension = QStringLiteral(".IGO");

// The keys of the file name, in the order a name is written.
inline const QString gameNameKey = QStringLiteral("対局名（");
inline const QString whitePlayerKey = QStringLiteral("白番（");
inline const QString blackPlayerKey = QStringLiteral("黒番（");
inline const QString resultKey = QStringLiteral("勝敗（");
inline const QString recordDateKey = QStringLiteral("記録日（");
inline const QString entryCountKey = QStringLiteral("手数（");
inline const QString timeOfDayKey = QStringLiteral("時間（");
inline const QString referenceDateKey = QStringLiteral("参照（");
inline const QString komiKey = QStringLiteral("コミ（");

// Names read back from a file name keep this many characters.
inline constexpr int recordNameLength = 10;
// A row pair of the body holds this many entries.
inline constexpr int entriesPerRow = 18;
// What fills a row after the last entry.
inline constexpr PointCode paddingCode = 999;
inline const QString paddingKind = QStringLiteral("999");

// Messages of the record operations.
inline const QString oldFileDeleteErrorMessage = QStringLiteral("Last Pro. Old File Delete Error=");
inline const QString updateErrorMessage = QStringLiteral("Update Error=");
inline const QString sourceDeletionQuestion =
    QStringLiteral("Yahoo 囲碁の元ファイルを削除しますか");
inline const QString cannotReadRecordMessage = QStringLiteral("棋譜ファイルを読めません：");
inline const QString badCharactersMessage =
    QStringLiteral("棋譜ファイルに読めない文字があります：");
inline const QString malformedRecordMessage =
    QStringLiteral("棋譜ファイルの内容が正しくありません：");
inline const QString truncatedRecordMessage =
    QStringLiteral("棋譜ファイルが途中で終わっています：");
inline const QString entryCountMismatchMessage =
    QStringLiteral("棋譜ファイルの手数が内容と合いません：");
inline const QString cannotSaveRecordMessage = QStringLiteral("棋譜ファイルを保管できません：");
inline const QString sameNameExistsMessage = QStringLiteral(
    "同じ名前の棋譜ファイルが既にあります。少し待ってからもう一度保管してください：");
inline const QString cannotDeleteSourceMessage = QStringLiteral("元ファイルを削除できません：");
// Shown when a move list is longer than a record file can count.
QString recordTooLongMessage();

// Dates and times as the files write them: 2007/11/05 and 9:05:03.
QString dateText(const QDate& date);
QString timeText(const QTime& time);
// As a file name carries them: 20071105 and 90503.
QString nameDate(const QDate& date);
QString nameTime(const QTime& time);

// \ * ? " < > | become their full-width forms, control characters are dropped: file systems
// refuse them in a name.
QString fileSystemSafe(const QString& text);

// The file name (without ".IGO") of the nine fields under their keys, made safe for the file
// system and cleaned.
QString recordFileName(const RecordMetadata& metadata);

// directory/fileName.IGO
QString recordPath(const QString& directory, const QString& fileName);

// Either the record or the message to show instead.
struct RecordReadResult {
    GameRecord record;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// The record stored as body under fileName (without ".IGO"). Names, komi, dates and the entry
// count come from the name; the body gives the moves. Any fault of the body is an error: a
// record is read whole or not at all.
RecordReadResult decodeRecord(const QString& fileName, const QByteArray& body);

// The body of a record: the header line written on writtenOn (moveCount is its third field),
// then the row pairs of record.moves with their padding.
QByteArray encodeRecordBody(const GameRecord& record, int moveCount, const QDate& writtenOn);

// Reads and decodes directory/fileName.IGO.
RecordReadResult loadRecord(const QString& directory, const QString& fileName);

// Reads the record named by state.record.fileName into the current record (names cut to ten
// characters, komi, moveCount := the number of entries) and state.board.moves. On failure
// returns false with the message to show in error, and changes nothing.
[[nodiscard]] bool readRecord(SharedState& state, QString& error);

// Writes the body of the current record and move list to fileName in the record directory.
// The previous content of that file survives any failure.
[[nodiscard]] bool writeRecordBody(const SharedState& state, const QString& fileName);

// Saves the current record under a new name (today, now, the move list's length) and updates
// its catalogue entry, appending one when it is not in the catalogue yet. A new version
// replaces the previous file only once it is completely written. On failure shows why, returns
// false and leaves files, record and catalogue as they were.
bool saveRecord(SharedState& state, Dialogs& dialogs);

// The name with its reference date and time set to now (keys missing from it are appended).
QString touchedFileName(const QString& fileName, const QDateTime& now);

// Renames the current record's file to its touched name. Returns whether it was renamed; a
// file that cannot be renamed keeps its name and the reason is shown.
bool touchRecord(SharedState& state, Dialogs& dialogs);

// After a game that came from an import: asks whether its source file is to be deleted.
void offerSourceDeletion(SharedState& state, Dialogs& dialogs);

} // namespace vorleth
