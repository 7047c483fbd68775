#include "import/sgfencoding.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <uchardet.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace vorleth {

namespace {

// What a decoded text of each encoding is expected to be made of: a wrong encoding spells
// rare characters, symbols or letters of another script.
enum class Script { Japanese, SimplifiedChinese, TraditionalChinese, Korean, Alphabetic };

struct Legacy {
    const char* label;   // the name the user knows
    const char* decoder; // the name the decoder goes by
    Script script;
};

// The encodings that SGF files come in without saying so, tried in this order.
const Legacy legacyEncodings[] = {
    {"Shift_JIS", "Windows-31J", Script::Japanese},
    {"EUC-JP", "EUC-JP", Script::Japanese},
    {"ISO-2022-JP", "ISO-2022-JP", Script::Japanese},
    {"GB18030", "GB18030", Script::SimplifiedChinese},
    {"Big5", "Big5", Script::TraditionalChinese},
    {"EUC-KR", "CP949", Script::Korean},
    {"Windows-1252", "windows-1252", Script::Alphabetic},
};

QString aliasKey(const QString& name) {
    QString key = name.trimmed().toLower();
    key.remove(u'-').remove(u'_').remove(u' ').remove(u'.');
    return key;
}

struct Decoded {
    QString text;
    bool clean = false; // every byte belonged to a character
};

Decoded decodeWith(const QByteArray& bytes, const QString& decoderName) {
    // Stateless: a lead byte cut off at the end of the file counts as an error.
    QStringDecoder decoder(decoderName.toLatin1().constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return {};
    Decoded d;
    d.text = decoder.decode(bytes);
    d.clean = !decoder.hasError();
    return d;
}

// The label for a decoder name: the legacy table's, else the name itself.
QString labelOf(const QString& decoderName) {
    for (const Legacy& l : legacyEncodings) {
        if (decoderName.compare(QLatin1String(l.decoder), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(l.label);
    }
    return decoderName;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The value of the first CA in the raw bytes. Safe in every ASCII-compatible encoding: the
// name and its value are ASCII, and a false find (in a comment, or "CA" as the second half of
// a double-byte character) is caught by looking again in the decoded text.
QString scannedCharset(const QByteArray& bytes) {
    for (qsizetype at = bytes.indexOf("CA"); at >= 0; at = bytes.indexOf("CA", at + 2)) {
        if (at > 0 && isLetter(bytes.at(at - 1)))
            continue;
        qsizetype p = at + 2;
        while (p < bytes.size() && (bytes.at(p) == ' ' || bytes.at(p) == '\t' ||
                                    bytes.at(p) == '\r' || bytes.at(p) == '\n'))
            ++p;
        if (p >= bytes.size() || bytes.at(p) != '[')
            continue;
        // A name is short: looking no further keeps a file full of "CA[" linear.
        const QByteArrayView window = QByteArrayView(bytes).sliced(p + 1).first(
            std::min<qsizetype>(64, bytes.size() - p - 1));
        const qsizetype length = window.indexOf(']');
        if (length < 0)
            continue;
        const QByteArray value = window.first(length).toByteArray().trimmed();
        const bool plain = !value.isEmpty() && std::all_of(value.begin(), value.end(), [](char c) {
            return isLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
                   c == ':' || c == ' ';
        });
        if (plain)
            return QString::fromLatin1(value);
    }
    return QString();
}

// The value of the first CA property in decoded text, i.e. outside every property value.
QString charsetProperty(QStringView text) {
    bool inValue = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inValue) {
            if (c == u'\\')
                ++i;
            else if (c == u']')
                inValue = false;
            continue;
        }
        if (c == u'[') {
            inValue = true;
            continue;
        }
        if (c != u'C' || i + 1 >= text.size() || text.at(i + 1) != u'A')
            continue;
        if (i > 0 && text.at(i - 1).isLetter() && text.at(i - 1).unicode() < 0x80)
            continue;
        qsizetype p = i + 2;
        while (p < text.size() && text.at(p).isSpace())
            ++p;
        if (p >= text.size() || text.at(p) != u'[')
            continue;
        const qsizetype close = text.indexOf(u']', p + 1);
        return close < 0 ? QString() : text.mid(p + 1, close - p - 1).trimmed().toString();
    }
    return QString();
}

// UTF-16 without a byte order mark shows itself by the zero bytes of its ASCII characters,
// which SGF's brackets and property names are: at even offsets big-endian, odd little-endian.
std::optional<QString> utf16ByPattern(const QByteArray& bytes) {
    if (bytes.size() < 4 || bytes.size() % 2 != 0)
        return std::nullopt;
    const qsizetype sample = std::min<qsizetype>(bytes.size(), 4096);
    int evenZeros = 0;
    int oddZeros = 0;
    for (qsizetype i = 0; i < sample; ++i) {
        if (bytes.at(i) == 0)
            ++(i % 2 == 0 ? evenZeros : oddZeros);
    }
    // Most characters of a file are ASCII; UTF-32 has zeros at both.
    const int pairs = static_cast<int>(sample / 2);
    if (evenZeros * 2 >= pairs && oddZeros * 8 < evenZeros)
        return QStringLiteral("UTF-16BE");
    if (oddZeros * 2 >= pairs && evenZeros * 8 < oddZeros)
        return QStringLiteral("UTF-16LE");
    return std::nullopt;
}

bool isAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString detectorGuess(const QByteArray& bytes) {
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
        uchardet_new(), uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.constData(),
                                          static_cast<size_t>(bytes.size())) != 0)
        return QString();
    uchardet_data_end(detector.get());
    return QString::fromLatin1(uchardet_get_charset(detector.get()));
}

// The game information a record takes from the file, in the order written: the texts that
// must not come out garbled.
QStringList names(QStringView text) {
    static const QRegularExpression property(
        QStringLiteral(R"((?<![A-Za-z])(GN|EV|PB|PW|KM|RE)\s*\[((?:[^\\\]]|\\.){0,500}+)\])"),
        QRegularExpression::DotMatchesEverythingOption);
    QStringList found;
    for (auto it = property.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        found << match.captured(1) + u'=' + match.captured(2);
    }
    return found;
}

// Whether a character is an everyday one of the script: kana and the first level of kanji,
// the common hanzi of GB2312 and of Big5, the Hangul syllables and hanja of KS X 1001, letters
// of the alphabets. The levels are read off each character's place in its national table.
class Everyday {
public:
    bool contains(Script script, QStringView text, qsizetype at) {
        const QChar c = text.at(at);
        const char16_t u = c.unicode();
        if (u < 0x80)
            return true;
        if (script == Script::Alphabetic)
            return alphabetic(text, at);
        // Ideographic punctuation and full-width forms belong to all the East Asian scripts.
        if ((u >= 0x3000 && u <= 0x303F) || (u >= 0xFF01 && u <= 0xFF5E))
            return true;
        if (script == Script::Japanese &&
            ((u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FB ||
             u == 0x30FC))
            return true;
        const bool ideograph = u >= 0x4E00 && u <= 0x9FFF;
        const bool hangul = u >= 0xAC00 && u <= 0xD7A3;
        if (!ideograph && !(script == Script::Korean && hangul))
            return false;
        const int key = static_cast<int>(script) << 16 | u;
        auto cached = m_cache.find(key);
        if (cached == m_cache.end())
            cached = m_cache.insert(key, inFirstLevel(script, c));
        return *cached;
    }

private:
    QHash<int, bool> m_cache; // by script and character

    // Letters beyond ASCII stand inside words: an accented small letter beside an ASCII letter,
    // a capital before a small letter, Greek, Cyrillic, Hebrew or Arabic beside a letter of its
    // own alphabet. East Asian bytes read as one of these code pages give runs of capitals,
    // symbols and letters of mixed case instead.
    static bool alphabetic(QStringView text, qsizetype at) {
        const QChar c = text.at(at);
        const char16_t u = c.unicode();
        if (u < 0xC0 || u >= 0x0700 || !c.isLetter() || c.category() == QChar::Letter_Modifier)
            return false;
        const QChar before = at > 0 ? text.at(at - 1) : QChar(u' ');
        const QChar after = at + 1 < text.size() ? text.at(at + 1) : QChar(u' ');
        auto asciiLetter = [](QChar n) {
            return (n >= u'a' && n <= u'z') || (n >= u'A' && n <= u'Z');
        };
        if (u < 0x0250) {
            if (c.isLower())
                return asciiLetter(before) || asciiLetter(after);
            return after.isLower() && (asciiLetter(after) || after.unicode() < 0x0250);
        }
        auto sameAlphabet = [u](QChar n) { return n.isLetter() && n.unicode() >> 8 == u >> 8; };
        return sameAlphabet(before) || sameAlphabet(after);
    }

    static bool inFirstLevel(Script script, QChar c) {
        const char* table = script == Script::Japanese             ? "EUC-JP"
                            : script == Script::SimplifiedChinese  ? "GB18030"
                            : script == Script::TraditionalChinese ? "Big5"
                                                                   : "CP949";
        // One encoder per table for the thread: opening one costs more than many look-ups.
        // A character the table lacks comes out as a substitute outside the ranges below.
        static thread_local QHash<QByteArray, std::shared_ptr<QStringEncoder>> encoders;
        std::shared_ptr<QStringEncoder>& encoder = encoders[QByteArray(table)];
        if (!encoder)
            encoder = std::make_shared<QStringEncoder>(table, QStringEncoder::Flag::Stateless);
        const QByteArray b = encoder->encode(QStringView(&c, 1));
        if (b.size() != 2)
            return false;
        const int code =
            (static_cast<unsigned char>(b.at(0)) << 8) | static_cast<unsigned char>(b.at(1));
        const int trail = code & 0xFF;
        switch (script) {
        case Script::Japanese:
            return code >= 0xB0A1 && code <= 0xCFD3;
        case Script::SimplifiedChinese:
            return code >= 0xB0A1 && code <= 0xD7F9 && trail >= 0xA1;
        case Script::TraditionalChinese:
            return code >= 0xA440 && code <= 0xC67E;
        case Script::Korean:
            // The Hangul syllables, and the hanja that names were written in.
            return code >= 0xB0A1 && code <= 0xFDFE && (code < 0xC9A1) != (code >= 0xCAA1) &&
                   trail >= 0xA1;
        case Script::Alphabetic:
            break;
        }
        return false;
    }
};

// The share of everyday characters among the text's characters beyond ASCII; the first few
// thousand tell enough.
double everydayShare(QStringView text, Script script, Everyday& everyday) {
    int others = 0;
    int common = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        // Control characters other than line ends and tabs are beyond the text too: an
        // encoding that leaves escape sequences in the text has not read it.
        if (u < 0x20 && u != u'\n' && u != u'\r' && u != u'\t') {
            ++others;
            continue;
        }
        if (u < 0x80)
            continue;
        ++others;
        if (everyday.contains(script, text, i))
            ++common;
        if (others == 4000)
            break;
    }
    return others == 0 ? 1.0 : static_cast<double>(common) / others;
}

// The script a decoder's texts are written in.
Script scriptOf(const QString& decoderName) {
    for (const Legacy& l : legacyEncodings) {
        if (decoderName.compare(QLatin1String(l.decoder), Qt::CaseInsensitive) == 0)
            return l.script;
    }
    return Script::Alphabetic;
}

// Files are converted to UTF-8 and keep their old CA. Bytes that are valid UTF-8 beyond ASCII
// are rarely anything else, but a short text in an EUC encoding can be: UTF-8 wins only when
// it reads as everyday characters of some script, and more so than the named encoding.
bool utf8RatherThan(const Decoded& named, const QString& decoderName, const QByteArray& bytes) {
    if (aliasKey(decoderName).startsWith(u"utf") || isAscii(bytes))
        return false;
    const Decoded utf8 = decodeWith(bytes, QStringLiteral("UTF-8"));
    if (!utf8.clean || utf8.text == named.text)
        return false;
    static thread_local Everyday everyday;
    double utf8Share = 0;
    for (const Script script : {Script::Japanese, Script::SimplifiedChinese,
                                Script::TraditionalChinese, Script::Korean, Script::Alphabetic})
        utf8Share = std::max(utf8Share, everydayShare(utf8.text, script, everyday));
    return utf8Share >= 0.6 &&
           utf8Share > everydayShare(named.text, scriptOf(decoderName), everyday);
}

struct Reading {
    QString label;
    Script script = Script::Alphabetic;
    Decoded decoded;
    double share = 0;
    QStringList names;
};

// Not ASCII, not UTF-8, no usable CA: the encodings that read the bytes without a fault and
// give mostly everyday characters compete. The detector's answer wins among them; without
// one, they must agree on the names.
Result<SgfText> guessLegacy(const QByteArray& bytes, QStringList tried) {
    struct Candidate {
        QString label;
        QString decoder;
        Script script;
    };
    QVector<Candidate> candidates;
    const QString detected = sgfEncodingName(detectorGuess(bytes));
    if (!detected.isEmpty()) {
        Script script = Script::Alphabetic;
        for (const Legacy& l : legacyEncodings) {
            if (detected.compare(QLatin1String(l.decoder), Qt::CaseInsensitive) == 0)
                script = l.script;
        }
        candidates.append({labelOf(detected), detected, script});
    }
    for (const Legacy& l : legacyEncodings) {
        if (candidates.isEmpty() ||
            candidates.first().decoder.compare(QLatin1String(l.decoder), Qt::CaseInsensitive) != 0)
            candidates.append(
                {QString::fromLatin1(l.label), QString::fromLatin1(l.decoder), l.script});
    }

    // A wrong encoding rarely gives more than half everyday characters; a right one may carry a
    // few rare ones, as names do.
    constexpr double plausible = 0.6;
    constexpr double margin = 0.15;
    constexpr double sure = 0.9;

    // The levels of characters do not change: the thread keeps what it has looked up.
    static thread_local Everyday everyday;
    QVector<Reading> readings;
    readings.reserve(candidates.size());
    double best = 0;
    for (const Candidate& c : candidates) {
        if (!tried.contains(c.label))
            tried << c.label;
        Decoded d = decodeWith(bytes, c.decoder);
        if (!d.clean)
            continue;
        Reading r;
        r.label = c.label;
        r.script = c.script;
        r.share = everydayShare(d.text, c.script, everyday);
        r.decoded = std::move(d);
        best = std::max(best, r.share);
        // The detector's East Asian answer with nearly all everyday characters is within the
        // margin of any other reading, so it stands (see below) after this one decoding.
        if (&c == &candidates.first() && !detected.isEmpty() && c.script != Script::Alphabetic &&
            r.share >= 1.0 - margin) {
            Result<SgfText> result;
            result.text = std::move(r.decoded.text);
            result.encoding = c.label;
            result.warnings << guessedEncodingWarning(c.label);
            return result;
        }
        readings.append(std::move(r));
    }
    Result<SgfText> result;
    if (readings.isEmpty()) {
        result.fail(undetectedEncodingMessage(tried));
        return result;
    }
    for (Reading& r : readings)
        r.names = names(r.decoded.text);
    const auto byShare = [](const Reading& a, const Reading& b) { return a.share < b.share; };
    const Reading& top = *std::max_element(readings.begin(), readings.end(), byShare);

    // The detector knows the languages: its answer counts when its text is mostly everyday
    // characters. A code page of an alphabet, though, reads any double-byte text as letters of
    // some kind, so it counts only when no East Asian reading of other names is plausible.
    const auto eastAsianRival = [&](const Reading& pick) {
        return std::any_of(readings.begin(), readings.end(), [&](const Reading& r) {
            return r.script != Script::Alphabetic && r.share >= plausible && r.names != pick.names;
        });
    };
    const auto detectorsPick =
        std::find_if(readings.begin(), readings.end(), [&](const Reading& r) {
            return !detected.isEmpty() && r.label == labelOf(detected) && r.share >= plausible &&
                   r.share >= best - margin &&
                   (r.script != Script::Alphabetic || !eastAsianRival(r));
        });
    // Names that read alike in every encoding that fits the bytes (ASCII names, kana that
    // GB2312 places where EUC-JP does) cannot come out garbled: any reading will do.
    const bool agree = std::all_of(readings.begin(), readings.end(),
                                   [&](const Reading& r) { return r.names == top.names; });
    // Without the detector, one reading must stand out: nearly all everyday characters, and no
    // other reading that gives other names plausible at all.
    const bool alone =
        top.share >= sure && std::all_of(readings.begin(), readings.end(), [&](const Reading& r) {
            return &r == &top || r.share < plausible || r.names == top.names;
        });
    const Reading* chosen = detectorsPick != readings.end() ? &*detectorsPick
                            : agree || alone                ? &top
                                                            : nullptr;
    if (!chosen) {
        result.fail(undetectedEncodingMessage(tried));
        return result;
    }
    result.text = chosen->decoded.text;
    result.encoding = chosen->label;
    result.warnings << guessedEncodingWarning(chosen->label);
    return result;
}

} // namespace

QString undetectedEncodingMessage(const QStringList& tried) {
    return QStringLiteral("文字コードを判定できないため取り込めません（試した文字コード：%1）。"
                          "ファイルの先頭に CA[文字コード名]（例：CA[Shift_JIS]）を書き加えて"
                          "ください")
        .arg(tried.join(QStringLiteral("、")));
}

QString guessedEncodingWarning(const QString& encoding) {
    return QStringLiteral("文字コードを %1 と推定して読みました").arg(encoding);
}

QString sgfEncodingName(const QString& charset) {
    const QString key = aliasKey(charset);
    if (key.isEmpty())
        return QString();
    static const QHash<QString, QString> aliases = {
        {QStringLiteral("utf8"), QStringLiteral("UTF-8")},
        {QStringLiteral("shiftjis"), QStringLiteral("Windows-31J")},
        {QStringLiteral("sjis"), QStringLiteral("Windows-31J")},
        {QStringLiteral("xsjis"), QStringLiteral("Windows-31J")},
        {QStringLiteral("mskanji"), QStringLiteral("Windows-31J")},
        {QStringLiteral("cp932"), QStringLiteral("Windows-31J")},
        {QStringLiteral("windows31j"), QStringLiteral("Windows-31J")},
        {QStringLiteral("ms932"), QStringLiteral("Windows-31J")},
        {QStringLiteral("csshiftjis"), QStringLiteral("Windows-31J")},
        {QStringLiteral("gb2312"), QStringLiteral("GB18030")},
        {QStringLiteral("gbk"), QStringLiteral("GB18030")},
        {QStringLiteral("cp936"), QStringLiteral("GB18030")},
        {QStringLiteral("ms936"), QStringLiteral("GB18030")},
        {QStringLiteral("windows936"), QStringLiteral("GB18030")},
        {QStringLiteral("euccn"), QStringLiteral("GB18030")},
        {QStringLiteral("csgb2312"), QStringLiteral("GB18030")},
        {QStringLiteral("gb18030"), QStringLiteral("GB18030")},
        {QStringLiteral("euckr"), QStringLiteral("CP949")},
        {QStringLiteral("cseuckr"), QStringLiteral("CP949")},
        {QStringLiteral("cp949"), QStringLiteral("CP949")},
        {QStringLiteral("uhc"), QStringLiteral("CP949")},
        {QStringLiteral("windows949"), QStringLiteral("CP949")},
        {QStringLiteral("ksc56011987"), QStringLiteral("CP949")},
        {QStringLiteral("big5"), QStringLiteral("Big5")},
        {QStringLiteral("cp950"), QStringLiteral("Big5")},
        {QStringLiteral("eucjp"), QStringLiteral("EUC-JP")},
        {QStringLiteral("iso2022jp"), QStringLiteral("ISO-2022-JP")},
        {QStringLiteral("iso88591"), QStringLiteral("windows-1252")},
        {QStringLiteral("latin1"), QStringLiteral("windows-1252")},
        {QStringLiteral("usascii"), QStringLiteral("windows-1252")},
        {QStringLiteral("ascii"), QStringLiteral("windows-1252")},
        {QStringLiteral("windows1252"), QStringLiteral("windows-1252")},
        {QStringLiteral("cp1252"), QStringLiteral("windows-1252")},
    };
    if (const auto alias = aliases.constFind(key); alias != aliases.cend())
        return *alias;
    const QString name = charset.trimmed();
    return QStringDecoder(name.toLatin1().constData()).isValid() ? name : QString();
}

Result<SgfText> decodeSgfBytes(const QByteArray& bytes) {
    Result<SgfText> result;

    if (const auto bom = QStringConverter::encodingForData(bytes)) {
        // The decoder drops the mark itself.
        QStringDecoder decoder(*bom, QStringDecoder::Flag::Stateless);
        result.text = decoder.decode(bytes);
        result.encoding = QString::fromLatin1(QStringConverter::nameForEncoding(*bom));
        if (!decoder.hasError())
            return result;
        result.text.clear();
    }
    if (const auto utf16 = utf16ByPattern(bytes)) {
        Decoded d = decodeWith(bytes, *utf16);
        if (d.clean) {
            // The bytes decide; a CA that says UTF-16 only confirms it.
            if (!aliasKey(charsetProperty(d.text)).startsWith(u"utf16"))
                result.warnings << guessedEncodingWarning(*utf16);
            result.text = std::move(d.text);
            result.encoding = *utf16;
            return result;
        }
    }

    // From here on every encoding spells ASCII as ASCII.
    QStringList tried;
    QString charset = scannedCharset(bytes);
    // A few rounds at most: each finds the CA property of the text the last one decoded.
    for (int round = 0; round < 3 && !charset.isEmpty(); ++round) {
        const QString decoderName = sgfEncodingName(charset);
        if (decoderName.isEmpty()) {
            result.warnings
                << QStringLiteral("知らない文字コード CA[%1] は使えません").arg(charset);
            break;
        }
        Decoded d = decodeWith(bytes, decoderName);
        const QString property = charsetProperty(d.text);
        if (property.compare(charset, Qt::CaseInsensitive) != 0) {
            // What was found in the bytes is no CA property: the decoded text tells.
            charset = property;
            continue;
        }
        tried << labelOf(decoderName);
        if (!d.clean) {
            result.warnings
                << QStringLiteral("CA[%1] では読めないバイトがあるため使えません").arg(charset);
            break;
        }
        if (utf8RatherThan(d, decoderName, bytes)) {
            result.warnings << QStringLiteral("CA[%1] は UTF-8 のファイルに合わないため使えません")
                                   .arg(charset);
            break;
        }
        result.text = std::move(d.text);
        result.encoding = labelOf(decoderName);
        return result;
    }

    // UTF-8 needs no word when the file names no encoding; after a CA that could not be used
    // the user learns what was used instead.
    const bool charsetUnused = !result.warnings.isEmpty();
    const auto settle = [&](QString text, const QString& encoding, bool guessed) {
        result.text = std::move(text);
        result.encoding = encoding;
        if (guessed || charsetUnused)
            result.warnings << guessedEncodingWarning(encoding);
        return result;
    };
    // ISO-2022-JP is ASCII bytes too, told apart by its escape sequences.
    const bool escapes = bytes.contains("\x1B$") || bytes.contains("\x1B(");
    if (!escapes && isAscii(bytes))
        return settle(QString::fromLatin1(bytes), QStringLiteral("UTF-8"), false);
    if (bytes.contains("\x1B$B") || bytes.contains("\x1B$@")) {
        if (Decoded jis = decodeWith(bytes, QStringLiteral("ISO-2022-JP")); jis.clean)
            return settle(std::move(jis.text), QStringLiteral("ISO-2022-JP"), true);
    }
    if (!escapes) {
        if (Decoded utf8 = decodeWith(bytes, QStringLiteral("UTF-8")); utf8.clean)
            return settle(std::move(utf8.text), QStringLiteral("UTF-8"), false);
    }
    Result<SgfText> guess = guessLegacy(bytes, tried);
    guess.warnings = result.warnings + guess.warnings;
    return guess;
}

} // namespace vorleth
