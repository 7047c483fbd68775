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

bool refusedForItsEncoding(const SgfFile& file) {
    return file.encodingRefused &&
           file.error.startsWith(QStringLiteral("文字コードを判定できないため取り込めません")) &&
           file.error.contains(QStringLiteral("CA["));
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
                const SgfFile file = readSgfBytes(bytes);
                const bool mustRead = withCharset || !e.prefix.isEmpty() ||
                                      (n.telling && e.usualFor.contains(script)) ||
                                      QLatin1String(e.encoder).startsWith(u"UTF");
                if (!file.ok()) {
                    EXPECT_FALSE(mustRead) << file.error;
                    EXPECT_TRUE(refusedForItsEncoding(file)) << file.error;
                    continue;
                }
                ASSERT_FALSE(file.collection.roots.isEmpty());
                const SgfGameRead read = sgfGame(file.collection, file.collection.roots.first());
                ASSERT_TRUE(read.ok()) << read.error;
                EXPECT_EQ(read.game.gameName, QString::fromUtf8(n.gameName));
                EXPECT_EQ(read.game.event, QString::fromUtf8(n.event));
                EXPECT_EQ(read.game.blackPlayer, QString::fromUtf8(n.black));
                EXPECT_EQ(read.game.whitePlayer, QString::fromUtf8(n.white));
                EXPECT_EQ(read.game.moves.size(), 21);
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

} // namespace
} // namespace vorleth
