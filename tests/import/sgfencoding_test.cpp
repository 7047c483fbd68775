#include "import/sgf.h"
#include "import/sgfencoding.h"
#include "import/sgfimport.h"
#include "import/tableimport.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringEncoder>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

QByteArray encoded(const char* encoding, const QString& text) {
    QStringEncoder encoder(encoding, QStringEncoder::Flag::Stateless);
    EXPECT_TRUE(encoder.isValid()) << encoding;
    const QByteArray bytes = encoder.encode(text);
    return encoder.hasError() ? QByteArray() : bytes;
}

bool refusedForItsEncoding(const Result<SgfFile>& file) {
    return file.encodingRefused &&
           file.error().startsWith(QStringLiteral("文字コードを判定できないため取り込めません")) &&
           file.error().contains(QStringLiteral("CA["));
}

// --- Files of real games, names in each script, in each encoding ----------------------------

struct Names {
    const char* script;
    const char* gameName; // GN
    const char* event;    // EV
    const char* black;
    const char* white;
    const char* place;   // PC, read by nothing but part of a real file's header
    const char* comment; // the result in words, as the files of game sites carry it
    // Enough text to tell the encoding without CA; the header alone may be too little.
    bool telling = true;
};

const Names names[] = {
    {"Japanese", "第77期本因坊戦挑戦手合七番勝負第1局", "本因坊戦", "井山裕太", "一力遼",
     "東京都千代田区「日本棋院」",
     "黒の中押し勝ち。白は左辺の黒を取りに行ったが、うまくいかなかった"},
    {"Simplified Chinese", "第25届LG杯朝鲜日报棋王战决赛第一局", "LG杯", "柯洁", "申真谞",
     "韩国首尔", "黑中盘胜。白棋在左边的攻击没有成功"},
    {"Traditional Chinese", "第十九屆國手戰挑戰賽第一局", "國手戰", "周俊勳", "林立祥", "台北市",
     "黑中盤勝。白棋在左邊的攻擊沒有成功"},
    {"Korean", "제26회 LG배 조선일보 기왕전 결승 제1국", "LG배", "신진서", "박정환", "서울",
     "흑 불계승. 백은 좌변 흑을 잡으러 갔지만 실패했다"},
    {"Japanese", "第1局", "本因坊戦", "井山裕太", "一力遼", "東京", "", false},
    {"Simplified Chinese", "决赛第一局", "LG杯", "柯洁", "申真谞", "首尔", "", false},
    {"Traditional Chinese", "挑戰賽第一局", "國手戰", "周俊勳", "林立祥", "台北", "", false},
    {"Korean", "결승 제1국", "LG배", "신진서", "박정환", "서울", "", false},
};

// The opening of the ear-reddening game (Shusaku–Gennan, 1846).
const char* const moves = ";B[qd];W[dc];B[pq];W[oc];B[cp];W[qo];B[pe];W[eq];B[do];W[hq];B[ld];"
                          "W[qj];B[cf];W[ce];B[bf];W[df];B[dg];W[ef];B[cd];W[de];B[bc]";

QString gameText(const Names& n, const QString& charset) {
    QString text = QStringLiteral("(;GM[1]FF[4]");
    if (!charset.isEmpty())
        text += QStringLiteral("CA[%1]").arg(charset);
    text +=
        QStringLiteral("SZ[19]GN[%1]EV[%2]PB[%3]BR[9d]PW[%4]WR[9d]KM[6.5]RE[B+R]PC[%5]"
                       "DT[2022-05-10]\nC[%6]\n%7)\n")
            .arg(QString::fromUtf8(n.gameName), QString::fromUtf8(n.event),
                 QString::fromUtf8(n.black), QString::fromUtf8(n.white), QString::fromUtf8(n.place),
                 QString::fromUtf8(n.comment), QString::fromLatin1(moves));
    return text;
}

struct Encoding {
    const char* encoder; // the encoder that writes the test file
    const char* charset; // its CA, as files write it
    const char* label;   // the name the reader reports
    QByteArray prefix;   // a byte order mark
    // The scripts it is the usual encoding of: without CA these must read right. Others may
    // also be refused, but never read garbled.
    QStringList usualFor;
};

const QString ja = QStringLiteral("Japanese");
const QString sc = QStringLiteral("Simplified Chinese");
const QString tc = QStringLiteral("Traditional Chinese");
const QString ko = QStringLiteral("Korean");

const Encoding encodings[] = {
    {"UTF-8", "UTF-8", "UTF-8", {}, {ja, sc, tc, ko}},
    {"UTF-8", "UTF-8", "UTF-8", QByteArray("\xEF\xBB\xBF"), {ja, sc, tc, ko}},
    {"UTF-16LE", "UTF-16", "UTF-16LE", QByteArray("\xFF\xFE"), {ja, sc, tc, ko}},
    {"UTF-16BE", "UTF-16", "UTF-16BE", QByteArray("\xFE\xFF"), {ja, sc, tc, ko}},
    {"UTF-16LE", "UTF-16LE", "UTF-16LE", {}, {ja, sc, tc, ko}},
    {"UTF-16BE", "UTF-16BE", "UTF-16BE", {}, {ja, sc, tc, ko}},
    {"Windows-31J", "Shift_JIS", "Shift_JIS", {}, {ja}},
    {"EUC-JP", "EUC-JP", "EUC-JP", {}, {ja}},
    {"ISO-2022-JP", "ISO-2022-JP", "ISO-2022-JP", {}, {ja}},
    {"GB18030", "GB18030", "GB18030", {}, {sc}},
    {"GBK", "GBK", "GB18030", {}, {sc}},
    {"GB2312", "GB2312", "GB18030", {}, {sc}},
    {"Big5", "Big5", "Big5", {}, {tc}},
    {"EUC-KR", "EUC-KR", "EUC-KR", {}, {ko}},
};

TEST(SgfEncoding, RealGamesInEveryEncodingWithAndWithoutCharset) {
    int written = 0;
    for (const Names& n : names) {
        const QString script = QString::fromUtf8(n.script);
        for (const Encoding& e : encodings) {
            for (const bool withCharset : {true, false}) {
                const QString charset = withCharset ? QString::fromLatin1(e.charset) : QString();
                const QByteArray body = encoded(e.encoder, gameText(n, charset));
                if (body.isEmpty())
                    continue; // the script has no spelling in this encoding
                ++written;
                const QByteArray bytes = e.prefix + body;
                SCOPED_TRACE(QStringLiteral("%1 in %2%3%4")
                                 .arg(script, QString::fromLatin1(e.encoder),
                                      e.prefix.isEmpty() ? QString() : QStringLiteral(" with BOM"),
                                      withCharset ? QStringLiteral(" CA[") + charset + u']'
                                                  : QStringLiteral(" without CA"))
                                 .toStdString());
                const Result<SgfFile> file = readSgfBytes(bytes);
                const bool mustRead = withCharset || !e.prefix.isEmpty() ||
                                      (n.telling && e.usualFor.contains(script)) ||
                                      QLatin1String(e.encoder).startsWith(u"UTF");
                if (!file.ok) {
                    EXPECT_FALSE(mustRead) << file.error();
                    EXPECT_TRUE(refusedForItsEncoding(file)) << file.error();
                    continue;
                }
                ASSERT_FALSE(file.collection.roots.isEmpty());
                const Result<SgfGame> read =
                    sgfGame(file.collection, file.collection.roots.first());
                ASSERT_TRUE(read.ok) << read.error();
                EXPECT_EQ(read.gameName, QString::fromUtf8(n.gameName));
                EXPECT_EQ(read.event, QString::fromUtf8(n.event));
                EXPECT_EQ(read.blackPlayer, QString::fromUtf8(n.black));
                EXPECT_EQ(read.whitePlayer, QString::fromUtf8(n.white));
                EXPECT_EQ(read.moves.size(), 21);
                if (mustRead) {
                    EXPECT_EQ(file.encoding, QString::fromLatin1(e.label));
                }
                // A guess is said; an encoding the file states is not.
                const bool guessed = !withCharset && e.prefix.isEmpty() &&
                                     QLatin1String(e.encoder) != QLatin1String("UTF-8");
                EXPECT_EQ(file.warnings.join(u'|'),
                          guessed ? guessedEncodingWarning(file.encoding) : QString());
            }
        }
    }
    EXPECT_GT(written, 40); // the encoders wrote the files the table is about
}

// --- The character-set samples of another SGF library ----------------------------------------

// Each sample says in one comment which language the next comment is written in; the UTF-8 and
// UTF-16 samples carry every language, the others one or two, so every text is checked against
// the same text read from another file.
TEST(SgfEncoding, LibrarySamplesReadAsTheirCommentsSay) {
    const struct {
        const char* file;
        const char* encoding;
    } samples[] = {
        {"encoding-chinese-gb18030.sgf", "GB18030"},
        {"encoding-chinese-gbk.sgf", "GB18030"},
        {"encoding-cyrillic-windows.sgf", "Windows-1251"},
        {"encoding-japanese-iso2022jp.sgf", "ISO-2022-JP"},
        {"encoding-japanese-macos.sgf", "Shift_JIS"},
        {"encoding-japanese-shiftjis.sgf", "Shift_JIS"},
        {"encoding-korean-macos.sgf", "EUC-KR"},
        {"encoding-simplifiedchinese-gb2312.sgf", "GB18030"},
        {"encoding-simplifiedchinese-macos.sgf", "GB18030"},
        {"encoding-traditionalchinese-big5.sgf", "Big5"},
        {"encoding-traditionalchinese-macos.sgf", "Big5"},
        {"encoding-utf16-nobom.sgf", "UTF-16BE"},
        {"encoding-utf16-withbom.sgf", "UTF-16BE"},
        {"encoding-utf8-nobom.sgf", "UTF-8"},
        {"encoding-utf8-withbom.sgf", "UTF-8"},
        {"encoding-western-isolatin1.sgf", "Windows-1252"},
        {"encoding-western-isolatin9.sgf", "ISO-8859-15"},
        {"encoding-western-macosroman.sgf", "macintosh"},
        {"encoding-western-windowslatin1.sgf", "Windows-1252"},
    };
    const QString announce = QStringLiteral("The comment in the following node ");
    QMap<QString, QMap<QString, QString>> texts; // announcement -> file -> the next comment
    for (const auto& sample : samples) {
        const QString name = QString::fromLatin1(sample.file);
        SCOPED_TRACE(sample.file);
        QFile f(QStringLiteral(VORLETH_TEST_DATA "/sgf/encodings/") + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const Result<SgfFile> file = readSgfBytes(f.readAll());
        ASSERT_TRUE(file.ok) << file.error();
        EXPECT_EQ(file.encoding, QString::fromLatin1(sample.encoding));
        EXPECT_TRUE(file.warnings.isEmpty()) << file.warnings.join(u'|');
        const SgfCollection& c = file.collection;
        int announced = 0;
        for (int i = c.roots.first(); i >= 0;) {
            const SgfNode& node = c.nodes.at(i);
            const int next = node.children.isEmpty() ? -1 : node.children.first();
            const SgfProperty* comment = node.property(u"C");
            if (comment && comment->values.first().startsWith(announce) && next >= 0) {
                const SgfProperty* text = c.nodes.at(next).property(u"C");
                ASSERT_NE(text, nullptr);
                texts[comment->values.first()][name] = text->values.first();
                ++announced;
            }
            i = next;
        }
        EXPECT_GT(announced, 0);
    }
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        ASSERT_GE(it.value().size(), 2);
        const QString expected = it.value().first();
        EXPECT_FALSE(expected.contains(QChar::ReplacementCharacter));
        for (auto file = it.value().cbegin(); file != it.value().cend(); ++file)
            EXPECT_EQ(file.value(), expected) << file.key();
    }
}

// --- Bytes that a byte-wise reader takes for SGF's brackets ----------------------------------

QString whitePlayer(const QByteArray& bytes) {
    const Result<SgfFile> file = readSgfBytes(bytes);
    if (!file.ok)
        return QStringLiteral("refused: ") + file.error();
    const Result<SgfGame> read = sgfGame(file.collection, file.collection.roots.first());
    return read.ok ? read.whitePlayer : QStringLiteral("not read: ") + read.error();
}

TEST(SgfEncoding, SecondBytesThatAreBracketsOrBackslashes) {
    const struct {
        const char* encoder;
        const char* name; // a name whose last character ends in the byte
        char secondByte;
    } cases[] = {
        {"Windows-31J", "能勢 表", '\\'}, // 表 = 95 5C
        {"Windows-31J", "ソ", '\\'},      // 83 5C
        {"Windows-31J", "ゾ", ']'},       // 83 5D
        {"Windows-31J", "坂田 構", '\\'}, // 構 = 8D 5C
        {"Big5", "許", '\\'},             // B3 5C
        {"Big5", "功", '\\'},             // A5 5C
        {"Big5", "林 設", ']'},           // B3 5D
        {"GBK", "李 乗", '\\'},           // 81 5C
        {"GBK", "张 癩", ']'},            // B0 5D
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        SCOPED_TRACE((QString::fromLatin1(c.encoder) + u' ' + name).toStdString());
        const QByteArray bytes = encoded(c.encoder, name);
        ASSERT_FALSE(bytes.isEmpty());
        ASSERT_TRUE(bytes.size() >= 2 && bytes.at(bytes.size() - 1) == c.secondByte &&
                    static_cast<unsigned char>(bytes.at(bytes.size() - 2)) >= 0x81)
            << bytes.toHex().toStdString();
        for (const bool withCharset : {true, false}) {
            const QString charset = withCharset ? QStringLiteral("CA[%1]").arg(c.encoder) : "";
            // The name comes last before a "]" and another property, as in a real header.
            const QByteArray file =
                encoded(c.encoder, QStringLiteral("(;GM[1]FF[4]%1PW[%2]PB[Lee]KM[6.5];B[pd];W[dp])")
                                       .arg(charset, name));
            const QString read = whitePlayer(file);
            if (!withCharset && read.startsWith(u"refused"))
                continue; // too little text to tell the encoding: refused, not garbled
            EXPECT_EQ(read, name);
        }
    }
}

// --- Too little to tell -----------------------------------------------------------------------

TEST(SgfEncoding, FileTooShortToTellIsRefusedEverywhere) {
    // Two kanji in EUC-JP are also two hanzi in GB18030, two syllables in EUC-KR, and more.
    const QByteArray bytes = encoded("EUC-JP", QStringLiteral("(;PW[井山]B[pd])"));
    const Result<SgfFile> file = readSgfBytes(bytes);
    ASSERT_TRUE(refusedForItsEncoding(file)) << file.error();
    for (const char* tried : {"Shift_JIS", "EUC-JP", "GB18030", "Big5", "EUC-KR"})
        EXPECT_TRUE(file.error().contains(QString::fromLatin1(tried))) << tried;

    const Result<SgfImport> import = importSgfData(bytes, QStringLiteral("fallback"));
    EXPECT_EQ(import.error(), file.error());
    EXPECT_TRUE(import.games.isEmpty());

    const TableImport table = readSgfForTable(bytes);
    EXPECT_FALSE(table.outcome.ok);
    EXPECT_EQ(table.outcome.messages, QStringList{file.error()});
    EXPECT_TRUE(table.moves.isEmpty());

    // With CA it reads.
    EXPECT_EQ(whitePlayer(encoded("EUC-JP", QStringLiteral("(;CA[eucJP]PW[井山]B[pd])"))),
              QStringLiteral("井山"));
}

// --- The line-by-line files ------------------------------------------------------------------

TEST(SgfEncoding, LineByLineFilesDecodeAlike) {
    const QString text =
        QStringLiteral("PB[井山裕太]\r\nPW[表 ゾ]\r\nGN[本因坊戦 第1局]\r\nKM[6.5]\r\n"
                       "C[黒の中押し勝ち。白は左辺の黒を取りに行ったが、うまく"
                       "いかなかった]\r\nB[pd]\r\nW[dp]\r\nB[pp]\r\n");
    for (const char* encoder : {"Windows-31J", "EUC-JP", "ISO-2022-JP", "UTF-8"}) {
        SCOPED_TRACE(encoder);
        const TableImport import = readSgfForTable(encoded(encoder, text));
        ASSERT_TRUE(import.outcome.ok) << import.outcome.messages.join(u'|');
        EXPECT_EQ(import.game.blackPlayer, QStringLiteral("井山裕太"));
        EXPECT_EQ(import.game.whitePlayer, QStringLiteral("表 ゾ"));
        EXPECT_EQ(import.game.gameName, QStringLiteral("本因坊戦 第1局"));
        EXPECT_EQ(import.moves.size(), 3);
        const bool guessed = QLatin1String(encoder) != QLatin1String("UTF-8");
        EXPECT_EQ(import.warnings.size(), guessed ? 1 : 0) << import.warnings.join(u'|');
    }
}

// --- CA names and their aliases ---------------------------------------------------------------

TEST(SgfEncoding, CharsetNamesAndAliases) {
    const struct {
        const char* charset;
        const char* decoder; // empty: unknown
    } cases[] = {
        {"Shift_JIS", "Windows-31J"},
        {"sjis", "Windows-31J"},
        {"CP932", "Windows-31J"},
        {"Windows-31J", "Windows-31J"},
        {"MS_Kanji", "Windows-31J"},
        {"EUC-JP", "EUC-JP"},
        {"eucJP", "EUC-JP"},
        {"ISO-2022-JP", "ISO-2022-JP"},
        {"GB18030", "GB18030"},
        {"GBK", "GB18030"},
        {"GB2312", "GB18030"},
        {"EUC-CN", "GB18030"},
        {"Big5", "Big5"},
        {"EUC-KR", "CP949"},
        {"UTF-8", "UTF-8"},
        {" utf8 ", "UTF-8"},
        {"UTF-16", "UTF-16"},
        {"ISO-8859-1", "windows-1252"},
        {"latin1", "windows-1252"},
        {"ISO-8859-2", "ISO-8859-2"},
        {"ISO-8859-15", "ISO-8859-15"},
        {"Windows-1250", "Windows-1250"},
        {"windows-1251", "windows-1251"},
        {"KOI8-R", "KOI8-R"},
        {"x-klingon", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.charset);
        EXPECT_EQ(sgfEncodingName(QString::fromLatin1(c.charset)), QString::fromLatin1(c.decoder));
    }

    // Every known name decodes the file it names, the Cyrillic of Windows-1251 and the Polish
    // of ISO-8859-2 included; an unknown one is a warning and the bytes decide.
    const struct {
        const char* encoder;
        const char* charset;
        const char* name;
        const char* warning;
    } files[] = {
        {"windows-1251", "Windows-1251", "Иванов", ""},
        {"ISO-8859-2", "ISO-8859-2", "Łukasz Wójcik", ""},
        {"KOI8-R", "KOI8-R", "Иванов", ""},
        // Converted to UTF-8, the old CA kept: the Shift_JIS reading has no faulty byte but
        // reads as half-width katakana and rare kanji; the EUC-KR one has faulty bytes.
        {"UTF-8", "Shift_JIS", "井山裕太",
         "CA[Shift_JIS] は UTF-8 のファイルに合わないため使えません|"
         "文字コードを UTF-8 と推定して読みました"},
        {"UTF-8", "EUC-KR", "신진서",
         "CA[EUC-KR] では読めないバイトがあるため使えません|文字コードを UTF-8 "
         "と推定して読みました"},
        {"UTF-8", "x-klingon", "Иванов",
         "知らない文字コード CA[x-klingon] は使えません|文字コードを UTF-8 と推定して読みました"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.charset);
        const QByteArray bytes =
            encoded(f.encoder, QStringLiteral("(;CA[%1]PW[%2];B[pd])")
                                   .arg(QString::fromLatin1(f.charset), QString::fromUtf8(f.name)));
        const Result<SgfFile> file = readSgfBytes(bytes);
        ASSERT_TRUE(file.ok) << file.error();
        EXPECT_EQ(whitePlayer(bytes), QString::fromUtf8(f.name));
        EXPECT_EQ(file.warnings.join(u'|'), QString::fromUtf8(f.warning));
    }
}

// A CA inside a comment is not the file's: the property that follows decides.
TEST(SgfEncoding, CharsetInsideACommentIsNotTheFilesCharset) {
    const QString text =
        QStringLiteral("(;C[write CA[UTF-8\\] in new files]CA[EUC-JP]PW[井山裕太];B[pd])");
    const Result<SgfFile> file = readSgfBytes(encoded("EUC-JP", text));
    ASSERT_TRUE(file.ok) << file.error() << file.warnings.join(u'|');
    EXPECT_EQ(file.encoding, QStringLiteral("EUC-JP"));
    EXPECT_TRUE(file.warnings.isEmpty()) << file.warnings.join(u'|');
    EXPECT_EQ(whitePlayer(encoded("EUC-JP", text)), QStringLiteral("井山裕太"));
}

} // namespace
} // namespace vorleth
