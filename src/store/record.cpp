#include "store/record.h"

#include "shell/sharedstate.h"
#include "store/recordname.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <limits>

namespace vorleth {

namespace textfile {

namespace {

const char* const codecName = "Windows-31J";

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView s) {
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && isBlank(s[from]))
        ++from;
    while (to > from && isBlank(s[to - 1]))
        --to;
    return s.mid(from, to - from);
}

// Digits from the start of s (after an optional sign); nothing without a digit or when the
// value does not fit an int. consumed tells how far the number ran.
std::optional<int> numberAt(QStringView s, qsizetype& consumed) {
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    const qsizetype firstDigit = i;
    qint64 value = 0;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        value = value * 10 + (s[i].unicode() - u'0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
        ++i;
    }
    if (i == firstDigit)
        return std::nullopt;
    consumed = i;
    return static_cast<int>(negative ? -value : value);
}

} // namespace

QByteArray encode(const QString& text) {
    QStringEncoder encoder(codecName);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    // Character by character, so that only the characters without a code are replaced.
    bytes.clear();
    const QByteArray replacement = QStringEncoder(codecName).encode(QStringLiteral("？"));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder single(codecName);
        const QByteArray one = single.encode(QStringView(text).mid(i, length));
        bytes += single.hasError() ? replacement : one;
        i += length - 1;
    }
    return bytes;
}

std::optional<QString> decode(const QByteArray& bytes) {
    // Stateless, so that a lead byte at the very end counts as an error instead of being kept
    // for more input.
    QStringDecoder decoder(codecName, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QByteArray numberItem(int value) {
    QByteArray item = QByteArray::number(value);
    if (value >= 0)
        item.prepend(' ');
    item.append(' ');
    return item;
}

QByteArray textItem(const QString& text) {
    QString item;
    item.reserve(text.size());
    for (const QChar c : text) {
        // A double quote could only end the item early, a line end would end the line.
        if (c == u'"')
            item += u'＂';
        else if (c.unicode() >= 0x20 && c.unicode() != 0x7F)
            item += c;
    }
    const bool needsQuotes =
        item.contains(u',') || (!item.isEmpty() && (isBlank(item.front()) || isBlank(item.back())));
    return encode(needsQuotes ? u'"' + item + u'"' : item);
}

QByteArray zonedFields(const QList<QByteArray>& fields) {
    QByteArray line;
    auto put = [&line](const QByteArray& item) {
        if (!line.isEmpty()) {
            const qsizetype nextZone = (line.size() / zoneWidth + 1) * zoneWidth;
            line.append(nextZone - line.size(), ' ');
        }
        line.append(item);
    };
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            put(QByteArrayLiteral(","));
        put(fields[i]);
    }
    return line;
}

QStringList splitLines(const QString& text) {
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    // The line end of the last line does not open another one.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList splitItems(QStringView line) {
    QStringList items;
    qsizetype i = 0;
    const qsizetype n = line.size();
    for (;;) {
        while (i < n && isBlank(line[i]))
            ++i;
        qsizetype comma;
        if (i < n && line[i] == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            items << line.mid(i + 1, end - i - 1).toString();
            comma = close < 0 ? -1 : line.indexOf(u',', close + 1);
        } else {
            comma = line.indexOf(u',', i);
            items << trimBlanks(line.mid(i, (comma < 0 ? n : comma) - i)).toString();
        }
        if (comma < 0)
            return items;
        i = comma + 1;
    }
}

QList<QStringView> splitNumbers(QStringView line) {
    QList<QStringView> numbers;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && (isBlank(line[i]) || line[i] == u','))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && !isBlank(line[i]) && line[i] != u',')
            ++i;
        if (i > start)
            numbers << line.mid(start, i - start);
    }
    return numbers;
}

std::optional<int> parseNumber(QStringView item) {
    const QStringView s = trimBlanks(item);
    qsizetype consumed = 0;
    const std::optional<int> value = numberAt(s, consumed);
    if (!value || consumed != s.size())
        return std::nullopt;
    return value;
}

std::optional<int> leadingNumber(QStringView item) {
    qsizetype consumed = 0;
    return numberAt(trimBlanks(item), consumed);
}

bool writeFileSafely(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    // commit() flushes the temporary file to disk before renaming it over path.
    return file.commit();
}

} // namespace textfile

namespace {

using textfile::lineEnd;

bool fitsPointCode(int value) {
    return value >= std::numeric_limits<PointCode>::min() &&
           value <= std::numeric_limits<PointCode>::max();
}

// The first n characters, never splitting a surrogate pair.
QString firstCharacters(const QString& text, int n) {
    qsizetype units = 0;
    for (int count = 0; count < n && units < text.size(); ++count)
        units += text[units].isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return text.left(units);
}

int entryCountOf(const QString& fileName) {
    return textfile::leadingNumber(extractField(fileName, entryCountKey)).value_or(0);
}

// What a scan of the directory would list for the file.
CatalogueEntry catalogueEntryFor(const QString& fileName) {
    CatalogueEntry entry;
    entry.fileName = fileName;
    entry.gameName = extractField(fileName, gameNameKey);
    entry.whitePlayer = extractField(fileName, whitePlayerKey);
    entry.blackPlayer = extractField(fileName, blackPlayerKey);
    entry.result = extractField(fileName, resultKey);
    entry.recordDate = extractField(fileName, recordDateKey);
    entry.entryCount = entryCountOf(fileName);
    entry.timeOfDay = extractField(fileName, timeOfDayKey);
    entry.referenceDate = extractField(fileName, referenceDateKey);
    entry.komi = extractField(fileName, komiKey);
    return entry;
}

RecordReadResult failure(const QString& message, const QString& fileName) {
    RecordReadResult result;
    result.error = message + fileName + recordExtension;
    return result;
}

// Sets the value after key to value, or appends key, value and "）" when the key is missing.
QString withField(const QString& name, const QString& key, const QString& value) {
    const qsizetype start = name.indexOf(key);
    if (start < 0)
        return name + key + value + u'）';
    const qsizetype from = start + key.size();
    const qsizetype close = name.indexOf(u'）', from);
    return name.left(from) + value + (close < 0 ? QStringLiteral("）") : name.mid(close));
}

} // namespace

QString recordTooLongMessage() {
    return QStringLiteral("棋譜ファイルに書けるのは%1項目までです。保管できません")
        .arg(MoveList::recordableEntries);
}

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}
QString timeText(const QTime& time) {
    return time.toString(QStringLiteral("h:mm:ss"));
}
QString nameDate(const QDate& date) {
    return cleanFileName(dateText(date));
}
QString nameTime(const QTime& time) {
    return cleanFileName(timeText(time));
}

QString fileSystemSafe(const QString& text) {
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            safe += u'＼';
            break;
        case u'*':
            safe += u'＊';
            break;
        case u'?':
            safe += u'？';
            break;
        case u'"':
            safe += u'＂';
            break;
        case u'<':
            safe += u'＜';
            break;
        case u'>':
            safe += u'＞';
            break;
        case u'|':
            safe += u'｜';
            break;
        default:
            // C0 and C1 controls and DEL alike: invisible in a list, refused by some systems.
            if (c.category() != QChar::Other_Control)
                safe += c;
        }
    }
    return safe;
}

QString recordFileName(const RecordMetadata& m) {
    const QString name =
        gameNameKey + m.gameName + u'）' + whitePlayerKey + m.whitePlayer + u'）' + blackPlayerKey +
        m.blackPlayer + u'）' + resultKey + m.result + u'）' + recordDateKey + m.recordDate +
        u'）' + entryCountKey + QString::number(m.entryCount) + u'）' + timeOfDayKey + m.timeOfDay +
        u'）' + referenceDateKey + m.referenceDate + u'）' + komiKey + m.komi + u'）';
    return cleanFileName(fileSystemSafe(name));
}

QString recordPath(const QString& directory, const QString& fileName) {
    return QDir(directory).filePath(fileName + recordExtension);
}

RecordReadResult decodeRecord(const QString& fileName, const QByteArray& body) {
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
        RecordReadResult result = failure(malformedRecordMessage, fileName);
        result.error += QStringLiteral("（%1 行目）").arg(next);
        return result;
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

    const qsizetype length = entryCountOf(fileName);
    if (length < 0 || length > entries.size())
        return failure(entryCountMismatchMessage, fileName);

    RecordReadResult result;
    RecordMetadata& m = result.record.metadata;
    m.fileName = fileName;
    m.gameName = firstCharacters(extractField(fileName, gameNameKey), recordNameLength);
    m.whitePlayer = firstCharacters(extractField(fileName, whitePlayerKey), recordNameLength);
    m.blackPlayer = firstCharacters(extractField(fileName, blackPlayerKey), recordNameLength);
    m.result = firstCharacters(extractField(fileName, resultKey), recordNameLength);
    m.recordDate = extractField(fileName, recordDateKey);
    m.entryCount = static_cast<int>(length);
    m.timeOfDay = extractField(fileName, timeOfDayKey);
    m.referenceDate = extractField(fileName, referenceDateKey);
    m.komi = extractField(fileName, komiKey);
    for (qsizetype i = 0; i < length; ++i)
        result.record.moves.append(entries[i]);
    return result;
}

QByteArray encodeRecordBody(const GameRecord& record, int moveCount, const QDate& writtenOn) {
    const MoveList& moves = record.moves;
    const int length = moves.length();
    const int rowPairs = length / entriesPerRow + 1;
    const RecordMetadata& m = record.metadata;

    QByteArray body = textfile::zonedFields({
        textfile::encode(dateText(writtenOn)),
        textfile::textItem(m.gameName),
        textfile::numberItem(moveCount),
        textfile::numberItem(rowPairs),
        textfile::textItem(m.whitePlayer),
        textfile::textItem(m.blackPlayer),
        textfile::textItem(m.result),
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

RecordReadResult loadRecord(const QString& directory, const QString& fileName) {
    QFile file(recordPath(directory, fileName));
    if (!file.open(QIODevice::ReadOnly))
        return failure(cannotReadRecordMessage, fileName);
    const QByteArray body = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(cannotReadRecordMessage, fileName);
    return decodeRecord(fileName, body);
}

bool readRecord(SharedState& state, QString& error) {
    RecordReadResult read = loadRecord(state.settings.recordDirectory, state.record.fileName);
    if (!read.ok()) {
        error = read.error;
        return false;
    }
    const RecordMetadata& m = read.record.metadata;
    CurrentRecord& record = state.record;
    record.gameName = m.gameName;
    record.whitePlayer = m.whitePlayer;
    record.blackPlayer = m.blackPlayer;
    record.result = m.result;
    record.komi = m.komi;
    record.moveCount = m.entryCount;
    state.board.moves = std::move(read.record.moves);
    return true;
}

bool writeRecordBody(const SharedState& state, const QString& fileName) {
    GameRecord record;
    record.metadata.gameName = state.record.gameName;
    record.metadata.whitePlayer = state.record.whitePlayer;
    record.metadata.blackPlayer = state.record.blackPlayer;
    record.metadata.result = state.record.result;
    record.moves = state.board.moves;
    const QByteArray body = encodeRecordBody(record, state.record.moveCount, state.now().date());
    return textfile::writeFileSafely(recordPath(state.settings.recordDirectory, fileName), body);
}

bool saveRecord(SharedState& state, Dialogs& dialogs) {
    CurrentRecord& record = state.record;
    const int length = state.board.moves.length();
    if (length > MoveList::recordableEntries) {
        dialogs.message(recordTooLongMessage());
        return false;
    }

    const QDateTime now = state.now();
    RecordMetadata m;
    m.gameName = record.gameName;
    m.whitePlayer = record.whitePlayer;
    m.blackPlayer = record.blackPlayer;
    m.result = record.result;
    m.recordDate = nameDate(now.date());
    m.entryCount = length;
    m.timeOfDay = nameTime(now.time());
    m.referenceDate = m.recordDate;
    m.komi = record.komi;
    const QString newName = recordFileName(m);

    const QString& directory = state.settings.recordDirectory;
    const QString previousName = record.fileName;
    const bool newVersion = record.selectedIndex != 0;
    // Another record can carry the same name (same names, result and length, saved within the
    // same second); overwriting it would lose that record.
    const bool ownFile = newVersion && previousName == newName;
    if (!ownFile && QFileInfo(recordPath(directory, newName)).isFile()) {
        dialogs.message(sameNameExistsMessage + newName + recordExtension);
        return false;
    }
    if (!writeRecordBody(state, newName)) {
        dialogs.message(cannotSaveRecordMessage + newName + recordExtension);
        return false;
    }

    // Only now that the new version is complete may the old one go.
    if (newVersion && !previousName.isEmpty() && previousName != newName) {
        const QString oldPath = recordPath(directory, previousName);
        if (QFileInfo::exists(oldPath) && !QFile::remove(oldPath))
            dialogs.message(oldFileDeleteErrorMessage + previousName);
    }

    Catalogue& catalogue = state.catalogue;
    if (record.selectedIndex < 1 || record.selectedIndex > catalogue.count()) {
        catalogue.entries.append(CatalogueEntry{});
        record.selectedIndex = catalogue.count();
    }
    catalogue.entry(record.selectedIndex) = catalogueEntryFor(newName);
    record.fileName = newName;
    return true;
}

QString touchedFileName(const QString& fileName, const QDateTime& now) {
    // Cleaned first: blanks removed afterwards could join text into a key in front of the new
    // values, which would then no longer be the ones read.
    QString name = cleanFileName(fileName);
    // A last value that runs to the end of the name is closed first, so that an appended key
    // does not become part of it.
    if (name.lastIndexOf(u'（') > name.lastIndexOf(u'）'))
        name += u'）';
    // When a value runs over the other key (its "）" is missing), setting it swallows that
    // key; the second round finds the key further on or appends it, and changes nothing else.
    for (int round = 0; round < 2; ++round) {
        name = withField(name, referenceDateKey, nameDate(now.date()));
        name = withField(name, timeOfDayKey, nameTime(now.time()));
    }
    return name;
}

bool touchRecord(SharedState& state, Dialogs& dialogs) {
    CurrentRecord& record = state.record;
    if (record.fileName.isEmpty())
        return false;
    const QString newName = touchedFileName(record.fileName, state.now());
    if (newName == record.fileName)
        return true;
    const QString& directory = state.settings.recordDirectory;
    // QFile::rename never replaces an existing file: a record already under the new name stays.
    if (!QFile::rename(recordPath(directory, record.fileName), recordPath(directory, newName))) {
        dialogs.message(updateErrorMessage + newName);
        return false;
    }
    record.fileName = newName;
    return true;
}

void offerSourceDeletion(SharedState& state, Dialogs& dialogs) {
    ShellState& shell = state.shell;
    if (!shell.yahooImportFlag || shell.importSourcePath.isEmpty())
        return;
    if (dialogs.message(sourceDeletionQuestion, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    const QString path = shell.importSourcePath;
    if (QFileInfo::exists(path) && !QFile::remove(path))
        dialogs.message(cannotDeleteSourceMessage + path);
    shell.importSourcePath.clear();
}

} // namespace vorleth
