#include "store/workingfiles.h"

#include "shell/sharedstate.h"
#include "store/record.h"
#include "ui/dialogs.h"

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

bool writeWorkingFile(const QString& path, const QByteArray& bytes, Dialogs& dialogs) {
    if (textfile::writeFileSafely(path, bytes))
        return true;
    dialogs.message(cannotWriteWorkingFileMessage + path);
    return false;
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
        textfile::textItem(entry.gameName),
        textfile::textItem(entry.whitePlayer),
        textfile::textItem(entry.blackPlayer),
        textfile::textItem(entry.result),
        textfile::numberItem(entry.moveCount),
        textfile::textItem(entry.komi),
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
    entry.gameName = fields[0];
    entry.whitePlayer = fields[1];
    entry.blackPlayer = fields[2];
    entry.result = fields[3];
    // A field without any digit (the setup screen's placeholder holds the heading "手数" here)
    // means no moves; digits must make a count the file can hold.
    const bool hasDigit = std::any_of(fields[4].cbegin(), fields[4].cend(),
                                      [](QChar c) { return c >= u'0' && c <= u'9'; });
    const std::optional<int> moveCount = textfile::leadingNumber(fields[4]);
    if (hasDigit && (!moveCount || *moveCount < 0))
        return std::nullopt;
    entry.moveCount = hasDigit ? *moveCount : 0;
    entry.komi = fields[5];

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

bool writeWorkingEntry(SharedState& state, Dialogs& dialogs) {
    const CurrentRecord& record = state.record;
    WorkingEntry entry;
    entry.gameName = record.gameName;
    entry.whitePlayer = record.whitePlayer;
    entry.blackPlayer = record.blackPlayer;
    entry.result = record.result;
    entry.moveCount = record.moveCount;
    entry.komi = record.komi;
    for (int i = 1; i <= pointsFor(record.moveCount); ++i)
        entry.points << state.table.tableMoves[i];
    return writeWorkingFile(workingEntryPath(state.baseDirectory), encodeWorkingEntry(entry),
                            dialogs);
}

bool readWorkingEntry(SharedState& state, Dialogs& dialogs) {
    QByteArray bytes;
    if (readWholeFile(workingEntryPath(state.baseDirectory), bytes) != ReadStatus::Read) {
        dialogs.message(noWorkingEntryMessage);
        return false;
    }
    if (bytes.isEmpty())
        return false;
    const std::optional<WorkingEntry> entry = decodeWorkingEntry(bytes);
    if (!entry) {
        dialogs.message(noWorkingEntryMessage);
        return false;
    }
    CurrentRecord& record = state.record;
    record.gameName = entry->gameName;
    record.whitePlayer = entry->whitePlayer;
    record.blackPlayer = entry->blackPlayer;
    record.result = entry->result;
    record.moveCount = entry->moveCount;
    record.komi = entry->komi;
    for (qsizetype i = 0; i < entry->points.size(); ++i)
        state.table.tableMoves[i + 1] = entry->points[i];
    return true;
}

bool writeRepeatedPlays(SharedState& state, Dialogs& dialogs) {
    return writeWorkingFile(repeatedPlaysPath(state.baseDirectory),
                            encodeRepeatedPlays(state.table.repeatedPlays), dialogs);
}

bool readRepeatedPlays(SharedState& state, Dialogs& dialogs) {
    const QString path = repeatedPlaysPath(state.baseDirectory);
    QByteArray bytes;
    const ReadStatus status = readWholeFile(path, bytes);
    if (status == ReadStatus::Missing) {
        state.table.repeatedPlays.clear();
        return true;
    }
    std::optional<QVector<RepeatedPlay>> plays;
    if (status == ReadStatus::Read)
        plays = decodeRepeatedPlays(bytes);
    if (!plays) {
        dialogs.message(cannotReadWorkingFileMessage + path);
        return false;
    }
    state.table.repeatedPlays = std::move(*plays);
    return true;
}

bool writeWorkingEntryPlaceholder(SharedState& state, Dialogs& dialogs) {
    return writeWorkingFile(workingEntryPath(state.baseDirectory), workingEntryPlaceholder(),
                            dialogs);
}

} // namespace vorleth
