#include "store/recoveryfile.h"

#include "store/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace vorleth {

namespace {

using textfile::lineEnd;

constexpr int headerFields = 8;

bool fitsInt16(int value) {
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

QString recoveryFilePath(const QString& baseDirectory) {
    return QDir(baseDirectory).filePath(recoveryFileName);
}

QByteArray encodeRecoveredGame(const CurrentRecord& record, const MoveList& moves) {
    const GameInfo& game = record.game;
    QByteArray bytes = textfile::zonedFields({
        textfile::textItem(game.gameName),
        textfile::textItem(game.whitePlayer),
        textfile::textItem(game.blackPlayer),
        textfile::textItem(game.result),
        textfile::textItem(game.komi),
        textfile::numberItem(record.moveCount),
        textfile::numberItem(record.selectedIndex),
        textfile::textItem(record.fileName),
    });
    bytes += lineEnd;
    bytes += textfile::numberItem(moves.length()) + lineEnd;
    for (const MoveEntry& e : moves.entries())
        bytes += textfile::numberItem(e.point) + "," + textfile::textItem(e.kind) + lineEnd;
    return bytes;
}

std::optional<RecoveredGame> decodeRecoveredGame(const QByteArray& bytes) {
    const std::optional<QString> text = textfile::decode(bytes);
    if (!text)
        return std::nullopt;
    const QStringList lines = textfile::splitLines(*text);
    if (lines.size() < 2)
        return std::nullopt;
    const QStringList fields = textfile::splitItems(lines[0]);
    if (fields.size() != headerFields)
        return std::nullopt;
    const std::optional<int> moveCount = textfile::parseNumber(fields[5]);
    const std::optional<int> selectedIndex = textfile::parseNumber(fields[6]);
    const std::optional<int> length = textfile::parseNumber(lines[1]);
    if (!moveCount || !selectedIndex || *selectedIndex < 0 || !length || *length < 0 ||
        *length > MoveList::capacity || lines.size() != *length + 2)
        return std::nullopt;

    RecoveredGame game;
    game.record.game = {fields[0], fields[1], fields[2], fields[3], fields[4]};
    game.record.moveCount = *moveCount;
    game.record.selectedIndex = *selectedIndex;
    game.record.fileName = fields[7];
    for (int i = 0; i < *length; ++i) {
        const QStringList entry = textfile::splitItems(lines[i + 2]);
        if (entry.size() != 2 || entry[1].isEmpty())
            return std::nullopt;
        const std::optional<int> code = textfile::parseNumber(entry[0]);
        if (!code || !fitsInt16(*code))
            return std::nullopt;
        game.moves.append({static_cast<PointCode>(*code), entry[1]});
    }
    return game;
}

bool recoveryFileExists(const QString& baseDirectory) {
    return QFileInfo(recoveryFilePath(baseDirectory)).isFile();
}

Outcome writeRecoveryFile(const QString& baseDirectory, const CurrentRecord& record,
                          const MoveList& moves) {
    const QString path = recoveryFilePath(baseDirectory);
    if (textfile::writeFileSafely(path, encodeRecoveredGame(record, moves)).ok())
        return Outcome::success();
    return Outcome::failure(cannotWriteRecoveryFileMessage + path);
}

RecoveryReadResult readRecoveryFile(const QString& baseDirectory) {
    const QString path = recoveryFilePath(baseDirectory);
    RecoveryReadResult result;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError)
            result.game = decodeRecoveredGame(bytes);
    }
    if (!result.game)
        result.outcome = Outcome::failure(cannotReadRecoveryFileMessage + path);
    return result;
}

Outcome removeRecoveryFile(const QString& baseDirectory) {
    const QString path = recoveryFilePath(baseDirectory);
    if (!QFileInfo::exists(path) || QFile::remove(path))
        return Outcome::success();
    return Outcome::failure(cannotRemoveRecoveryFileMessage + path);
}

} // namespace vorleth
