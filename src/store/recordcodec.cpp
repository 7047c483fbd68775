#include "store/recordcodec.h"

#include "store/recordname.h"
#include "store/textfile.h"

#include <algorithm>
#include <array>
#include <limits>

namespace vorleth {

namespace {

using textfile::lineEnd;

bool fitsPointCode(int value) {
    return value >= std::numeric_limits<PointCode>::min() &&
           value <= std::numeric_limits<PointCode>::max();
}

Result<GameRecord> failure(const QString& message, const QString& fileName) {
    return Result<GameRecord>::failure(message + fileName + recordExtension);
}

} // namespace

Result<GameRecord> decodeRecord(const QString& fileName, const QByteArray& body) {
    const std::optional<QString> text = textfile::decode(body);
    if (!text)
        return failure(badCharactersMessage, fileName);
    const QStringList lines = textfile::splitLines(*text);

    // Blank lines carry nothing; the row pairs are read from the lines that do.
    qsizetype next = 0;
    auto nextLine = [&]() -> std::optional<QStringView> {
        while (next < lines.size()) {
            const QString& line = lines[next++];
            if (!QStringView(line).trimmed().isEmpty())
                return QStringView(line);
        }
        return std::nullopt;
    };
    auto malformed = [&]() {
        return Result<GameRecord>::failure(malformedRecordMessage + fileName + recordExtension +
                                           QStringLiteral("（%1 行目）").arg(next));
    };

    const std::optional<QStringView> headerLine = nextLine();
    if (!headerLine)
        return failure(truncatedRecordMessage, fileName);
    const QStringList header = textfile::splitItems(*headerLine);
    if (header.size() != 7)
        return malformed();
    const std::optional<int> rowPairs = textfile::parseNumber(header[3]);
    if (!rowPairs || *rowPairs < 0)
        return malformed();
    // Files written with a two-digit year store each code with its halves swapped.
    const bool olderLayout = header[0].size() >= 3 && header[0][2] == u'/';

    QVector<MoveEntry> entries;
    entries.reserve(std::min<qsizetype>(qsizetype(*rowPairs) * entriesPerRow, MoveList::capacity));
    for (int r = 0; r < *rowPairs; ++r) {
        const std::optional<QStringView> codesLine = nextLine();
        if (!codesLine)
            return failure(truncatedRecordMessage, fileName);
        const QList<QStringView> codes = textfile::splitNumbers(*codesLine);
        if (codes.size() != entriesPerRow)
            return malformed();
        std::array<PointCode, entriesPerRow> points{};
        for (int i = 0; i < entriesPerRow; ++i) {
            const std::optional<int> code = textfile::parseNumber(codes[i]);
            if (!code || !fitsPointCode(*code))
                return malformed();
            const int c = *code;
            points[i] = static_cast<PointCode>(olderLayout ? (c % 100) * 100 + c / 100 : c);
        }

        const std::optional<QStringView> kindsLine = nextLine();
        if (!kindsLine)
            return failure(truncatedRecordMessage, fileName);
        const QStringList kinds = textfile::splitItems(*kindsLine);
        if (kinds.size() != entriesPerRow)
            return malformed();
        for (int i = 0; i < entriesPerRow; ++i) {
            // Entries past the capacity are read and dropped.
            if (entries.size() < MoveList::capacity)
                entries.append({points[i], kinds[i]});
        }
    }

    const RecordMetadata name = parseRecordName(fileName);
    const qsizetype length = name.entryCount;
    if (length < 0 || length > entries.size())
        return failure(entryCountMismatchMessage, fileName);

    Result<GameRecord> result;
    RecordMetadata& m = result.metadata;
    m = name;
    for (QString* text :
         {&m.game.gameName, &m.game.whitePlayer, &m.game.blackPlayer, &m.game.result})
        *text = firstCharacters(*text, recordNameLength);
    for (qsizetype i = 0; i < length; ++i)
        result.moves.append(entries[i]);
    return result;
}

QByteArray encodeRecordBody(const GameRecord& record, int moveCount, const QDate& writtenOn) {
    const MoveList& moves = record.moves;
    const int length = moves.length();
    const int rowPairs = length / entriesPerRow + 1;
    const RecordMetadata& m = record.metadata;

    QByteArray body = textfile::zonedFields({
        textfile::encode(dateText(writtenOn)),
        textfile::textItem(m.game.gameName),
        textfile::numberItem(moveCount),
        textfile::numberItem(rowPairs),
        textfile::textItem(m.game.whitePlayer),
        textfile::textItem(m.game.blackPlayer),
        textfile::textItem(m.game.result),
    });
    body += lineEnd;

    for (int r = 0; r < rowPairs; ++r) {
        QByteArray codes;
        QList<QByteArray> kinds;
        for (int i = 1; i <= entriesPerRow; ++i) {
            const int position = r * entriesPerRow + i;
            const bool padding = position > length;
            codes += textfile::numberItem(padding ? paddingCode : moves.entry(position).point);
            kinds << textfile::textItem(padding ? paddingKind : moves.entry(position).kind);
        }
        body += codes + lineEnd + kinds.join(',') + lineEnd;
    }
    return body;
}

} // namespace vorleth
