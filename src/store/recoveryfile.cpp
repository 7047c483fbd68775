#include "store/recoveryfile.h"

#include "store/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

namespace {

const QByteArray byteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
const QString placementTag = QStringLiteral("placement");
const QString diagramTag = QStringLiteral("diagram");
const QString repeatedTag = QStringLiteral("repeated");

QByteArray escaped(const QString& text) {
    QByteArray out;
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '%' || c == ',' || byte < 0x20 || byte == 0x7F) {
            out += '%';
            out += QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<QString> unescaped(const QString& item) {
    QByteArray bytes = item.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '%') {
            out += bytes[i];
            continue;
        }
        bool ok = false;
        const int byte = bytes.mid(i + 1, 2).toInt(&ok, 16);
        if (!ok || i + 2 >= bytes.size())
            return std::nullopt;
        out += static_cast<char>(byte);
        i += 2;
    }
    return QString::fromUtf8(out);
}

QByteArray numbers(const QString& tag, const QVector<int>& values) {
    QByteArray line = tag.toLatin1();
    for (const int v : values)
        line += ',' + QByteArray::number(v);
    return line;
}

std::optional<QVector<int>> parseNumbers(const QStringList& items) {
    QVector<int> values;
    for (const QString& item : items) {
        bool ok = false;
        values << item.toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return values;
}

std::optional<DiagramPlacement> decodePlacement(const QStringList& lines) {
    if (lines.size() != 3)
        return std::nullopt;
    const QStringList stop = lines[0].split(u',');
    const QStringList diagram = lines[1].split(u',');
    const QStringList repeated = lines[2].split(u',');
    if (stop.size() != 3 || stop[0] != placementTag || diagram[0] != diagramTag ||
        repeated[0] != repeatedTag || repeated.size() % 2 != 1)
        return std::nullopt;
    const std::optional<QVector<int>> position = parseNumbers(stop.mid(1));
    const std::optional<QVector<int>> points = parseNumbers(diagram.mid(1));
    const std::optional<QVector<int>> pairs = parseNumbers(repeated.mid(1));
    if (!position || !points || !pairs || points->size() > TableEntryData::maxMoves ||
        (*position)[0] < 0 || (*position)[0] > points->size())
        return std::nullopt;
    DiagramPlacement placement;
    placement.stop = {(*position)[0], (*position)[1] != 0};
    placement.tableMoves = *points;
    for (qsizetype i = 0; i + 1 < pairs->size(); i += 2)
        placement.repeatedPlays.append({(*pairs)[i], (*pairs)[i + 1]});
    return placement;
}

std::optional<RecoveredGame> decodeUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    const QStringList lines = textfile::splitLines(text);
    if (lines.size() < 2)
        return std::nullopt;
    const QStringList fields = lines[0].split(u',');
    if (fields.size() != headerFields)
        return std::nullopt;
    QStringList texts;
    for (const int i : {0, 1, 2, 3, 4, 7}) {
        const std::optional<QString> t = unescaped(fields[i]);
        if (!t)
            return std::nullopt;
        texts << *t;
    }
    const std::optional<int> moveCount = textfile::parseNumber(fields[5]);
    const std::optional<int> selectedIndex = textfile::parseNumber(fields[6]);
    const std::optional<int> length = textfile::parseNumber(lines[1]);
    if (!moveCount || !selectedIndex || *selectedIndex < 0 || !length || *length < 0 ||
        *length > MoveList::capacity || lines.size() < *length + 2)
        return std::nullopt;

    RecoveredGame game;
    game.record.game = {texts[0], texts[1], texts[2], texts[3], texts[4]};
    game.record.moveCount = *moveCount;
    game.record.selectedIndex = *selectedIndex;
    game.record.fileName = texts[5];
    for (int i = 0; i < *length; ++i) {
        const QStringList entry = lines[i + 2].split(u',');
        if (entry.size() != 2)
            return std::nullopt;
        const std::optional<int> code = textfile::parseNumber(entry[0]);
        const std::optional<QString> kind = unescaped(entry[1]);
        if (!code || !fitsInt16(*code) || !kind || kind->isEmpty())
            return std::nullopt;
        game.moves.append({static_cast<PointCode>(*code), *kind});
    }
    const QStringList rest = lines.mid(*length + 2);
    if (!rest.isEmpty()) {
        game.placement = decodePlacement(rest);
        if (!game.placement)
            return std::nullopt;
    }
    return game;
}

// What earlier versions wrote: Windows-31J, zoned fields, no placement.
std::optional<RecoveredGame> decodeWindows31J(const QByteArray& bytes) {
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

} // namespace

QByteArray encodeRecoveredGame(const CurrentRecord& record, const MoveList& moves,
                               const std::optional<DiagramPlacement>& placement) {
    const GameInfo& game = record.game;
    QByteArray bytes = byteOrderMark;
    bytes += QList<QByteArray>{escaped(game.gameName),
                               escaped(game.whitePlayer),
                               escaped(game.blackPlayer),
                               escaped(game.result),
                               escaped(game.komi),
                               QByteArray::number(record.moveCount),
                               QByteArray::number(record.selectedIndex),
                               escaped(record.fileName)}
                 .join(',');
    bytes += lineEnd;
    bytes += QByteArray::number(moves.length()) + lineEnd;
    for (const MoveEntry& e : moves.entries())
        bytes += QByteArray::number(e.point) + ',' + escaped(e.kind) + lineEnd;
    if (placement) {
        bytes += numbers(placementTag,
                         {placement->stop.tablePosition, placement->stop.waiting ? 1 : 0}) +
                 lineEnd;
        bytes += numbers(diagramTag, placement->tableMoves) + lineEnd;
        QVector<int> pairs;
        for (const RepeatedPlay& r : placement->repeatedPlays)
            pairs << r.moveNumber << r.earlierMove;
        bytes += numbers(repeatedTag, pairs) + lineEnd;
    }
    return bytes;
}

std::optional<RecoveredGame> decodeRecoveredGame(const QByteArray& bytes) {
    if (bytes.startsWith(byteOrderMark))
        return decodeUtf8(bytes.mid(byteOrderMark.size()));
    return decodeWindows31J(bytes);
}

bool recoveryFileExists(const QString& baseDirectory) {
    return QFileInfo(recoveryFilePath(baseDirectory)).isFile();
}

Outcome writeRecoveryFile(const QString& baseDirectory, const CurrentRecord& record,
                          const MoveList& moves, const std::optional<DiagramPlacement>& placement) {
    const QString path = recoveryFilePath(baseDirectory);
    if (textfile::writeFileSafely(path, encodeRecoveredGame(record, moves, placement)).ok)
        return Outcome::success();
    return Outcome::failure(cannotWriteRecoveryFileMessage + path);
}

Result<RecoveredGame> readRecoveryFile(const QString& baseDirectory) {
    const QString path = recoveryFilePath(baseDirectory);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError) {
            if (std::optional<RecoveredGame> game = decodeRecoveredGame(bytes))
                return Result<RecoveredGame>::success(std::move(*game));
        }
    }
    return Result<RecoveredGame>::failure(cannotReadRecoveryFileMessage + path);
}

Outcome removeRecoveryFile(const QString& baseDirectory) {
    const QString path = recoveryFilePath(baseDirectory);
    if (!QFileInfo::exists(path) || QFile::remove(path))
        return Outcome::success();
    return Outcome::failure(cannotRemoveRecoveryFileMessage + path);
}

} // namespace vorleth
