#include "store/workingfiles.h"

#include "store/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace vorleth {

namespace {

using textfile::lineEnd;

bool fitsInt16(int value) {
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

// How many points a move count stands for: the table holds no more than its 500 moves.
int pointsFor(int moveCount) {
    return std::clamp(moveCount, 0, TableEntryData::maxMoves);
}

Outcome writeWorkingFile(const QString& path, const QByteArray& bytes) {
    if (textfile::writeFileSafely(path, bytes).ok)
        return Outcome::success();
    return Outcome::failure(cannotWriteWorkingFileMessage + path);
}

enum class ReadStatus { Read, Missing, Failed };

ReadStatus readWholeFile(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.exists())
        return ReadStatus::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return ReadStatus::Failed;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? ReadStatus::Read : ReadStatus::Failed;
}

} // namespace

QString workingEntryPath(const QString& baseDirectory) {
    return QDir(baseDirectory).filePath(workingEntryFileName);
}

QString repeatedPlaysPath(const QString& baseDirectory) {
    return QDir(baseDirectory).filePath(repeatedPlaysFileName);
}

QByteArray encodeWorkingEntry(const WorkingEntry& entry) {
    QByteArray bytes = textfile::zonedFields({
        textfile::textItem(entry.game.gameName),
        textfile::textItem(entry.game.whitePlayer),
        textfile::textItem(entry.game.blackPlayer),
        textfile::textItem(entry.game.result),
        textfile::numberItem(entry.moveCount),
        textfile::textItem(entry.game.komi),
    });
    bytes += lineEnd;
    for (const int point : entry.points)
        bytes += textfile::numberItem(point) + lineEnd;
    return bytes;
}

std::optional<WorkingEntry> decodeWorkingEntry(const QByteArray& bytes) {
    const std::optional<QString> text = textfile::decode(bytes);
    if (!text)
        return std::nullopt;
    const QStringList lines = textfile::splitLines(*text);
    if (lines.isEmpty())
        return std::nullopt;
    const QStringList fields = textfile::splitItems(lines.front());
    if (fields.size() != 6)
        return std::nullopt;

    WorkingEntry entry;
    entry.game.gameName = fields[0];
    entry.game.whitePlayer = fields[1];
    entry.game.blackPlayer = fields[2];
    entry.game.result = fields[3];
    // A field without any digit (the setup screen's placeholder holds the heading "手数" here)
    // means no moves; digits must make a count the file can hold.
    const bool hasDigit = std::any_of(fields[4].cbegin(), fields[4].cend(),
                                      [](QChar c) { return c >= u'0' && c <= u'9'; });
    const std::optional<int> moveCount = textfile::leadingNumber(fields[4]);
    if (hasDigit && (!moveCount || *moveCount < 0))
        return std::nullopt;
    entry.moveCount = hasDigit ? *moveCount : 0;
    entry.game.komi = fields[5];

    QList<QStringView> numbers;
    for (qsizetype i = 1; i < lines.size(); ++i)
        numbers << textfile::splitNumbers(lines[i]);
    const int wanted = pointsFor(entry.moveCount);
    if (numbers.size() < wanted)
        return std::nullopt;
    for (int i = 0; i < wanted; ++i) {
        const std::optional<int> point = textfile::parseNumber(numbers[i]);
        if (!point || !fitsInt16(*point))
            return std::nullopt;
        entry.points << *point;
    }
    return entry;
}

QByteArray encodeRepeatedPlays(const QVector<RepeatedPlay>& plays) {
    QByteArray bytes;
    for (const RepeatedPlay& play : plays) {
        bytes += textfile::zonedFields({textfile::numberItem(play.moveNumber),
                                        textfile::numberItem(play.earlierMove)}) +
                 lineEnd;
    }
    return bytes;
}

std::optional<QVector<RepeatedPlay>> decodeRepeatedPlays(const QByteArray& bytes) {
    const std::optional<QString> text = textfile::decode(bytes);
    if (!text)
        return std::nullopt;
    QVector<int> numbers;
    for (const QString& line : textfile::splitLines(*text)) {
        if (QStringView(line).trimmed().isEmpty())
            continue;
        for (const QString& field : textfile::splitItems(line)) {
            const std::optional<int> number = textfile::leadingNumber(field);
            if (!number || !fitsInt16(*number))
                return std::nullopt;
            numbers << *number;
        }
    }
    if (numbers.size() % 2 != 0)
        return std::nullopt;
    QVector<RepeatedPlay> plays;
    for (qsizetype i = 0; i < numbers.size(); i += 2)
        plays.append({numbers[i], numbers[i + 1]});
    return plays;
}

QByteArray workingEntryPlaceholder() {
    QByteArray bytes = textfile::zonedFields({
        textfile::encode(QStringLiteral("対局名")),
        textfile::encode(QStringLiteral("白番")),
        textfile::encode(QStringLiteral("黒番")),
        textfile::encode(QStringLiteral("勝敗")),
        textfile::encode(QStringLiteral("手数")),
    });
    bytes += ",";
    bytes += lineEnd;
    bytes += "0";
    bytes += lineEnd;
    return bytes;
}

Outcome writeWorkingEntry(const QString& baseDirectory, const CurrentRecord& record,
                          const TableEntryData& table) {
    WorkingEntry entry;
    entry.game = record.game;
    entry.moveCount = record.moveCount;
    for (int i = 1; i <= pointsFor(record.moveCount); ++i)
        entry.points << table.tableMoves[i];
    return writeWorkingFile(workingEntryPath(baseDirectory), encodeWorkingEntry(entry));
}

Outcome readWorkingEntry(const QString& baseDirectory, CurrentRecord& record,
                         TableEntryData& table) {
    QByteArray bytes;
    if (readWholeFile(workingEntryPath(baseDirectory), bytes) != ReadStatus::Read)
        return Outcome::failure(noWorkingEntryMessage);
    if (bytes.isEmpty())
        return Outcome::success();
    const std::optional<WorkingEntry> entry = decodeWorkingEntry(bytes);
    if (!entry)
        return Outcome::failure(noWorkingEntryMessage);
    record.game = entry->game;
    record.moveCount = entry->moveCount;
    for (qsizetype i = 0; i < entry->points.size(); ++i)
        table.tableMoves[i + 1] = entry->points[i];
    return Outcome::success();
}

Outcome writeRepeatedPlays(const QString& baseDirectory, const TableEntryData& table) {
    return writeWorkingFile(repeatedPlaysPath(baseDirectory),
                            encodeRepeatedPlays(table.repeatedPlays));
}

Outcome readRepeatedPlays(const QString& baseDirectory, TableEntryData& table) {
    table.repeatedPlays.clear();
    const QString path = repeatedPlaysPath(baseDirectory);
    QByteArray bytes;
    const ReadStatus status = readWholeFile(path, bytes);
    if (status == ReadStatus::Missing)
        return Outcome::success();
    std::optional<QVector<RepeatedPlay>> plays;
    if (status == ReadStatus::Read)
        plays = decodeRepeatedPlays(bytes);
    if (!plays)
        return Outcome::failure(cannotReadWorkingFileMessage + path);
    table.repeatedPlays = std::move(*plays);
    return Outcome::success();
}

Outcome writeWorkingEntryPlaceholder(const QString& baseDirectory) {
    return writeWorkingFile(workingEntryPath(baseDirectory), workingEntryPlaceholder());
}

} // namespace vorleth
