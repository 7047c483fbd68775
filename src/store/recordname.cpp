#include "store/recordname.h"

#include <QDir>
#include <QStringView>

#include <algorithm>
#include <array>
#include <limits>

namespace vorleth {

namespace {

constexpr char16_t kOpenBracket = u'（';
constexpr char16_t kCloseBracket = u'）';

// The keys in the order of NameField.
const std::array<QStringView, nameFieldCount> kFieldKeys = {
    u"対局名", u"白番", u"黒番", u"勝敗", u"記録日", u"手数", u"時間", u"参照", u"コミ",
};

QString valueText(QStringView name, NameFieldSpan span) {
    QString value = name.mid(span.from, span.length).toString();
    value.replace(u'＝', u'\u3000');
    return value;
}

RecordMetadata parseName(const QString& fileName) {
    const NameFieldSpans spans = nameFieldSpans(fileName);
    const auto value = [&](NameField field) {
        return valueText(fileName, spans[static_cast<int>(field)]);
    };
    RecordMetadata entry;
    entry.fileName = fileName;
    entry.game.gameName = value(NameField::GameName);
    entry.game.whitePlayer = value(NameField::WhitePlayer);
    entry.game.blackPlayer = value(NameField::BlackPlayer);
    entry.game.result = value(NameField::Result);
    entry.recordDate = value(NameField::RecordDate);
    const NameFieldSpan count = spans[static_cast<int>(NameField::EntryCount)];
    entry.entryCount = entryCountValue(QStringView(fileName).mid(count.from, count.length));
    entry.timeOfDay = value(NameField::TimeOfDay);
    entry.referenceDate = value(NameField::ReferenceDate);
    entry.game.komi = value(NameField::Komi);
    return entry;
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

QString cleanFileName(const QString& text) {
    QString cleaned;
    cleaned.reserve(text.size());
    for (const QChar c : text) {
        if (c != u' ' && c != u'/' && c != u':' && c != u'-')
            cleaned.append(c);
    }
    return cleaned;
}

QString extractField(const QString& name, const QString& key) {
    const qsizetype start = name.indexOf(key);
    if (start < 0)
        return QString();
    const qsizetype from = start + key.size();
    const qsizetype close = name.indexOf(u'）', from);
    QString value = name.mid(from, close < 0 ? -1 : close - from);
    value.replace(u'＝', u'\u3000');
    return value;
}

// A key's first occurrence is the first "（" whose preceding text is the key, which is what
// looking the key up on its own would find.
NameFieldSpans nameFieldSpans(QStringView text) {
    NameFieldSpans spans{};
    std::array<bool, nameFieldCount> found{};
    int remaining = nameFieldCount;
    for (qsizetype open = text.indexOf(kOpenBracket); open >= 0 && remaining > 0;
         open = text.indexOf(kOpenBracket, open + 1)) {
        if (open == 0)
            continue;
        const QStringView before = text.first(open);
        const QChar last = before.back();
        for (int field = 0; field < nameFieldCount; ++field) {
            // The last character rules out all keys but one or two before any longer test.
            if (found[field] || kFieldKeys[field].back() != last ||
                !before.endsWith(kFieldKeys[field]))
                continue;
            found[field] = true;
            --remaining;
            const qsizetype from = open + 1;
            const qsizetype close = text.indexOf(kCloseBracket, from);
            spans[field] = {from, (close < 0 ? text.size() : close) - from};
            break;
        }
    }
    return spans;
}

// Too large a number is held at the largest the count can carry instead of wrapping round.
int entryCountValue(QStringView value) {
    constexpr int limit = std::numeric_limits<qint16>::max();
    int number = 0;
    for (const QChar c : value) {
        if (c < u'0' || c > u'9')
            break;
        number = std::min(limit, number * 10 + (c.unicode() - u'0'));
    }
    return number;
}

RecordMetadata parseRecordName(const QString& fileName) {
    return parseName(fileName);
}

QStringView firstCharacters(QStringView text, int n) {
    qsizetype units = 0;
    for (int count = 0; count < n && units < text.size(); ++count)
        units += text[units].isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return text.first(units);
}

QString firstCharacters(const QString& text, int n) {
    return firstCharacters(QStringView(text), n).toString();
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

bool recordNameFits(const QString& fileName) {
    const QString full = fileName + recordExtension;
    return full.size() <= maxRecordNameLength && full.toUtf8().size() <= maxRecordNameLength;
}

QString fittedRecordName(QString name) {
    static const QString* const freeKeys[] = {&gameNameKey, &whitePlayerKey, &blackPlayerKey,
                                              &resultKey};
    static const QString* const allKeys[] = {&gameNameKey,  &whitePlayerKey,   &blackPlayerKey,
                                             &resultKey,    &recordDateKey,    &entryCountKey,
                                             &timeOfDayKey, &referenceDateKey, &komiKey};
    while (!recordNameFits(name)) {
        // The free text with the most characters; the first of equals in the name's order.
        qsizetype cutAt = -1;
        qsizetype cutLength = 0;
        qsizetype longest = 0;
        for (const QString* key : freeKeys) {
            const qsizetype start = name.indexOf(*key);
            if (start < 0)
                continue;
            const qsizetype from = start + key->size();
            qsizetype to = name.indexOf(u'）', from);
            if (to < 0)
                to = name.size();
            // A text that runs into another key (its "）" is missing, or it holds the key's
            // words) is cut only before that key, so that the key's value stays as it is.
            for (const QString* other : allKeys) {
                const qsizetype next = name.indexOf(*other, from);
                if (next >= 0 && next < to)
                    to = next;
            }
            const QStringView value = QStringView(name).mid(from, to - from);
            const qsizetype characters = value.toUcs4().size();
            if (characters > longest) {
                longest = characters;
                // The value's last character, both halves of a surrogate pair.
                cutLength = to - from >= 2 && value.back().isLowSurrogate() ? 2 : 1;
                cutAt = to - cutLength;
            }
        }
        if (cutAt < 0)
            break; // nothing left to shorten; the save says why the name is refused
        name.remove(cutAt, cutLength);
    }
    return name;
}

QString recordFileName(const RecordMetadata& m) {
    const GameInfo& g = m.game;
    const QString name =
        gameNameKey + g.gameName + u'）' + whitePlayerKey + g.whitePlayer + u'）' + blackPlayerKey +
        g.blackPlayer + u'）' + resultKey + g.result + u'）' + recordDateKey + m.recordDate +
        u'）' + entryCountKey + QString::number(m.entryCount) + u'）' + timeOfDayKey + m.timeOfDay +
        u'）' + referenceDateKey + m.referenceDate + u'）' + komiKey + g.komi + u'）';
    return fittedRecordName(cleanFileName(fileSystemSafe(name)));
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
    // A time of six digits in place of five must not take the name over the length.
    return fittedRecordName(name);
}

QString recordPath(const QString& directory, const QString& fileName) {
    return QDir(directory).filePath(fileName + recordExtension);
}

} // namespace vorleth
