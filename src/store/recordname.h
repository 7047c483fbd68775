#pragma once

#include "store/recordtypes.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QTime>

#include <array>

namespace vorleth {

// A record's file name carries its metadata: the nine values under their keys, each key
// followed by "（" and the value closed by "）", then ".IGO".
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

// Names read back from a record keep this many characters.
inline constexpr int recordNameLength = 10;

// Removes half-width blanks, slashes, colons and hyphens: how dates, times and names are
// stored in a record's file name.
QString cleanFileName(const QString& text);

// The value after key (such as "白番（") up to the next "）" or the end of the name;
// empty when the key is absent. "＝" in the value reads as an ideographic space.
QString extractField(const QString& name, const QString& key);

// The fields of a record's file name, in the order a name is written.
enum class NameField {
    GameName,
    WhitePlayer,
    BlackPlayer,
    Result,
    RecordDate,
    EntryCount,
    TimeOfDay,
    ReferenceDate,
    Komi,
};
inline constexpr int nameFieldCount = 9;

// Where a field's value lies in a name (units from the name's start). An absent key gives an
// empty span.
struct NameFieldSpan {
    qsizetype from = 0;
    qsizetype length = 0;
};
using NameFieldSpans = std::array<NameFieldSpan, nameFieldCount>;

// Every field's value as extractField finds it, in one walk over the name, without copying
// the name: the value still holds any "＝", which reads as an ideographic space.
NameFieldSpans nameFieldSpans(QStringView name);

// The value of an entry count field: its leading number, 0 when there is none, held at 32767
// when larger.
int entryCountValue(QStringView value);

// Every field of a record's file name, read as extractField reads each one, in one walk over
// the name; the entry count is the leading number of its value (0 when there is none, held at
// 32767 when larger). fileName is the name given.
RecordMetadata parseRecordName(const QString& fileName);

// The first n characters (not UTF-16 units: a character outside the Basic Multilingual Plane
// stays whole).
QString firstCharacters(const QString& text, int n);
QStringView firstCharacters(QStringView text, int n);

// Dates and times as the files write them: 2007/11/05 and 9:05:03.
QString dateText(const QDate& date);
QString timeText(const QTime& time);
// As a file name carries them: 20071105 and 90503.
QString nameDate(const QDate& date);
QString nameTime(const QTime& time);

// \ * ? " < > | become their full-width forms, control characters are dropped: file systems
// refuse them in a name.
QString fileSystemSafe(const QString& text);

// The longest record file name, ".IGO" included, that every file system the program runs on
// takes: ext4 allows 255 bytes of UTF-8 in a name and Windows 255 UTF-16 units, and the safe
// write's temporary file adds up to seven characters (".XXXXXX") to the name.
inline constexpr int maxRecordNameLength = 255 - 7;

// Whether fileName (without ".IGO") is within that length in both measures.
bool recordNameFits(const QString& fileName);

// The name with its free texts (game name, players, result) shortened until it fits: one
// character at a time off the end of the longest of them, never a key, date, count or komi. A
// name that fits is returned as it is.
QString fittedRecordName(QString fileName);

// The file name (without ".IGO") of the nine fields under their keys, made safe for the file
// system, cleaned and fitted. The body's header keeps the full texts.
QString recordFileName(const RecordMetadata& metadata);

// The name with its reference date and time set to now (keys missing from it are appended),
// fitted.
QString touchedFileName(const QString& fileName, const QDateTime& now);

// directory/fileName.IGO
QString recordPath(const QString& directory, const QString& fileName);

} // namespace vorleth
