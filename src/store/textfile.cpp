#include "store/textfile.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

std::optional<QByteArray> encodeExactly(const QString& text) {
    QStringEncoder encoder(codecName);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
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

Outcome writeFileSafely(const QString& path, const QByteArray& bytes, const ContentWriter& writer) {
    QSaveFile file(path);
    auto reason = [&file] {
        return file.errorString().isEmpty() ? QStringLiteral("書き込めません") : file.errorString();
    };
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::failure(reason());
    const bool written = writer ? writer(file, bytes) : file.write(bytes) == bytes.size();
    if (!written) {
        const QString why = reason();
        file.cancelWriting();
        return Outcome::failure(why);
    }
    // commit() flushes the temporary file to disk before renaming it over path.
    if (!file.commit())
        return Outcome::failure(reason());
    return Outcome::success();
}

} // namespace textfile

} // namespace vorleth
