#pragma once

#include "store/outcome.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

namespace vorleth {

// Items of the program's text files: Windows-31J, CR LF line ends, items separated by commas.
// Readers skip the blanks around an item and take a double quote only as an item's delimiter.
namespace textfile {

inline constexpr int zoneWidth = 14;
inline constexpr char lineEnd[] = "\r\n";

// Characters Windows-31J cannot spell become "？" instead of failing the whole text.
QByteArray encode(const QString& text);
// Nothing when a character has no Windows-31J spelling (for texts such as directory names,
// which must not quietly become other names).
std::optional<QByteArray> encodeExactly(const QString& text);
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

// How the content goes into the temporary file: returns whether all of it was written. Tests
// put a writer here that fails partway.
using ContentWriter = std::function<bool(QIODevice& file, const QByteArray& bytes)>;

// Writes the whole file to a temporary file in the same directory, flushes it to disk and
// then renames it over path, so that path holds either its old or its complete new content.
// A failure says why.
Outcome writeFileSafely(const QString& path, const QByteArray& bytes,
                        const ContentWriter& writer = {});

} // namespace textfile

} // namespace vorleth
