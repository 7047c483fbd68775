#include "import/sgf.h"
#include "support/printers.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

// The collection written back in a normal form: no blanks, one "(" per branch point, values
// as read (escapes already resolved).
QString dumpSequence(const SgfCollection& c, int index) {
    QString text;
    while (true) {
        const SgfNode& node = c.nodes.at(index);
        text += u';';
        for (const SgfProperty& p : node.properties) {
            text += p.id;
            for (const QString& v : p.values)
                text += u'[' + v + u']';
        }
        if (node.children.size() == 1) {
            index = node.children.first();
            continue;
        }
        for (int child : node.children)
            text += u'(' + dumpSequence(c, child) + u')';
        return text;
    }
}

QString dump(const SgfCollection& c) {
    QString text;
    for (int root : c.roots)
        text += u'(' + dumpSequence(c, root) + u')';
    return text;
}

struct ParseCase {
    const char* name;
    const char* sgf;
    const char* expected; // the dump, or the error when it starts with "!"
    const char* warning = "";
};

TEST(SgfTrees, TextToTree) {
    const ParseCase cases[] = {
        {"several properties and values, blanks between tokens",
         "(;GM[1]FF[4]AB[dd][pp]\n  PW [甲] ;B[pd])", "(;GM[1]FF[4]AB[dd][pp]PW[甲];B[pd])"},
        {"escaped bracket and backslash", R"((;C[a\]b\\c\d]))", R"((;C[a]b\cd]))"},
        {"soft line breaks vanish, hard ones become LF", "(;C[ab\\\ncd\\\r\nef\r\ngh\rij])",
         "(;C[abcdef\ngh\nij])"},
        {"lower-case letters of old identifiers", "(;CoPyright[x]White[aa])", "(;CP[x]W[aa])"},
        {"variations", "(;B[aa](;W[bb];B[cc])(;W[dd](;B[ee])(;B[ff])))",
         "(;B[aa](;W[bb];B[cc])(;W[dd](;B[ee])(;B[ff])))"},
        {"a single variation continues the sequence", "(;B[aa](;W[bb]))", "(;B[aa];W[bb])"},
        {"collection of game trees", "(;GN[1])\n(;GN[2];B[aa])", "(;GN[1])(;GN[2];B[aa])"},
        {"text around the trees", "From: x\n(1) see below\n(;B[aa])\n-- \nend", "(;B[aa])",
         "text after a game tree ignored at line 4"},
        {"empty value", "(;B[])", "(;B[])"},
        {"repeated property in a node", "(;AB[aa]AB[bb])", "(;AB[aa][bb])",
         "property AB repeated in one node at line 1"},
        {"all lower-case identifier", "(;foo[x]B[aa])", "(;B[aa])", "property foo ignored"},
        {"empty file", "", "!no SGF game tree found"},
        {"not SGF", "hello (world)", "!no SGF game tree found"},
        {"unclosed tree", "(;B[aa];W[bb]", "!game tree not closed: ')' missing"},
        {"unclosed value", "(;B[aa]\nC[abc)", "!value of C not closed, opened at line 2"},
        {"empty variation", "(;B[aa]\n();W[bb])", "!game tree without a node at line 2"},
        {"node after a variation", "(;B[aa](;W[bb]);B[cc])", "!node after a variation at line 1"},
        {"property without a value", "(;B)", "!property B without a value at line 1"},
        {"stray character", "(;B[aa]\n\n 1)", "!unexpected character '1' at line 3"},
        {"property before the first node of a variation", "(;B[aa]\n(B[bb]))",
         "!property outside a node at line 2"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<SgfTrees> parse = parseSgfText(QString::fromUtf8(c.sgf));
        const QString expected = QString::fromUtf8(c.expected);
        if (expected.startsWith(u'!')) {
            EXPECT_TRUE(parse.error().startsWith(expected.mid(1))) << parse.error().toStdString();
            EXPECT_TRUE(parse.collection.roots.isEmpty());
        } else {
            ASSERT_TRUE(parse.ok) << parse.error().toStdString();
            EXPECT_EQ(dump(parse.collection), expected);
        }
        if (*c.warning) {
            EXPECT_TRUE(parse.warnings.join(u'|').contains(QString::fromUtf8(c.warning)))
                << parse.warnings.join(u'|').toStdString();
        }
    }
}

QString sgfPoint(Point p) {
    return QString(QChar(u'a' + p.column - 1)) + QChar(u'a' + p.row - 1);
}

QString summary(const SgfGame& g) {
    QStringList parts;
    parts << QStringLiteral("FF%1 %2x%3").arg(g.format).arg(g.columns).arg(g.rows);
    const std::pair<const char*, QString> info[] = {{"GN", g.gameName},    {"EV", g.event},
                                                    {"PW", g.whitePlayer}, {"PB", g.blackPlayer},
                                                    {"KM", g.komi},        {"RE", g.result}};
    for (const auto& [id, value] : info) {
        if (!value.isEmpty())
            parts << QString::fromLatin1(id) + u'=' + value;
    }
    if (g.handicap)
        parts << QStringLiteral("HA=%1").arg(g.handicap);
    QStringList moves;
    for (const SgfMove& m : g.moves)
        moves << (m.colour == black ? u'B' : u'W') +
                     (m.pass ? QStringLiteral("pass") : sgfPoint(m.point));
    if (!moves.isEmpty())
        parts << moves.join(u' ');
    for (const SgfSetup& s : g.setups) {
        const std::pair<const char*, QVector<Point>> lists[] = {
            {"AB", s.black}, {"AW", s.white}, {"AE", s.empty}};
        for (const auto& [id, points] : lists) {
            QStringList ps;
            for (const Point& p : points)
                ps << sgfPoint(p);
            if (!ps.isEmpty())
                parts << QStringLiteral("%1@%2:%3")
                             .arg(QString::fromLatin1(id))
                             .arg(s.afterMoves)
                             .arg(ps.join(u','));
        }
    }
    return parts.join(u" | ");
}

TEST(SgfGame, MainLineToGame) {
    const ParseCase cases[] = {
        {"main line through variations",
         "(;FF[4]GN[x];B[pd](;W[dd];B[pp](;W[dp])(;W[qq]))(;W[aa]))",
         "FF4 19x19 | GN=x | Bpd Wdd Bpp Wdp", "2 variation(s) beside the main line ignored"},
        {"game information in a later node, blanks folded",
         "(;FF[3];GN[ a\n  b ]EV[杯]PW[白\t太郎]PB[黒]KM[6.5]RE[W+R]HA[2];GN[later])",
         "FF3 19x19 | GN=a b | EV=杯 | PW=白 太郎 | PB=黒 | KM=6.5 | RE=W+R | HA=2"},
        {"an ideographic space is part of a name", "(;GN[三子局　研究会]PW[ 白　 ];B[aa])",
         "FF1 19x19 | GN=三子局　研究会 | PW=白　 | Baa"},
        {"passes", "(;SZ[19];B[];W[tt];B[aa])", "FF1 19x19 | Bpass Wpass Baa"},
        {"tt is a point on a larger board", "(;SZ[21];B[tt])", "FF1 21x21 | Btt"},
        {"rectangular size", "(;SZ[13:9];W[mi])", "FF1 13x9 | Wmi"},
        {"compressed point lists", "(;AB[dd:ee][pp]AE[aa])",
         "FF1 19x19 | AB@0:dd,de,ed,ee,pp | AE@0:aa"},
        {"setup after a move", "(;B[aa];AW[bb])", "FF1 19x19 | Baa | AW@1:bb"},
        {"blanks around the letters of a point", "(;AB[dd ][ pp : qq]AE[ ];W[oq ];B[\n dp ];W[ ])",
         "FF1 19x19 | Woq Bdp Wpass | AB@0:dd,pp,pq,qp,qq", "empty AE value ignored"},
        {"blanks around tt", "(;B[tt ])", "FF1 19x19 | Bpass"},
        {"unknown format", "(;FF[7])", "FF4 19x19", "unknown format FF[7]"},
        {"not Go", "(;GM[2])", "!not a game of Go (GM[2])"},
        {"bad size", "(;SZ[abc])", "!invalid board size SZ[abc]"},
        {"both colours in one node", "(;B[aa]W[bb])",
         "!node with a black and a white move at line 1"},
        {"point off the alphabet", "(;B[aa]\n;W[zZ])",
         "!move 2 has the invalid point W[zZ] at line 2"},
        {"point off a small board", "(;SZ[9];B[jj])", "!move 1 has the invalid point B[jj]"},
        {"move with two points", "(;B[aa][bb])", "!move 1 has several points"},
        {"blank between the letters", "(;B[o q])", "!move 1 has the invalid point B[o q]"},
        {"bad setup point", "(;AB[a])", "!invalid point AB[a] at line 1"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<SgfTrees> parse = parseSgfText(QString::fromUtf8(c.sgf));
        ASSERT_TRUE(parse.ok) << parse.error().toStdString();
        const Result<SgfGame> read = sgfGame(parse.collection, parse.collection.roots.first());
        const QString expected = QString::fromUtf8(c.expected);
        if (expected.startsWith(u'!')) {
            EXPECT_TRUE(read.error().startsWith(expected.mid(1))) << read.error().toStdString();
        } else {
            ASSERT_TRUE(read.ok) << read.error().toStdString();
            EXPECT_EQ(summary(read.value()), expected);
        }
        if (*c.warning) {
            EXPECT_TRUE(read.warnings.join(u'|').contains(QString::fromUtf8(c.warning)))
                << read.warnings.join(u'|').toStdString();
        }
    }
}

QByteArray encoded(const char* encoding, const QString& text) {
    QStringEncoder encoder(encoding);
    EXPECT_TRUE(encoder.isValid()) << encoding;
    return encoder.encode(text);
}

TEST(SgfEncoding, CharsetPropertyAndGuess) {
    // 表, ソ and 能 end in the byte of "\" in Shift_JIS: read byte by byte they would escape
    // the closing bracket.
    const QString names = QStringLiteral("能勢 表");
    const QString latin = QStringLiteral("Müller");
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* encoding;
        QString whitePlayer;
        const char* warning;
    };
    const Case cases[] = {
        {"CA[UTF-8]", QStringLiteral("(;CA[UTF-8]PW[%1])").arg(names).toUtf8(), "UTF-8", names, ""},
        {"CA[Shift_JIS]",
         encoded("Windows-31J", QStringLiteral("(;CA[Shift_JIS]PW[%1])").arg(names)), "Shift_JIS",
         names, ""},
        {"CA[SJIS] after the names",
         encoded("Windows-31J", QStringLiteral("(;PW[%1]CA[sjis])").arg(names)), "Shift_JIS", names,
         ""},
        {"no CA, UTF-8 bytes", QStringLiteral("(;PW[%1])").arg(names).toUtf8(), "UTF-8", names, ""},
        {"no CA, UTF-8 with a byte order mark",
         QByteArray("\xEF\xBB\xBF") + QStringLiteral("(;PW[%1])").arg(names).toUtf8(), "UTF-8",
         names, ""},
        {"no CA, Shift_JIS bytes", encoded("Windows-31J", QStringLiteral("(;PW[%1])").arg(names)),
         "Shift_JIS", names, "文字コードを Shift_JIS と推定して読みました"},
        {"CA[EUC-JP]", encoded("EUC-JP", QStringLiteral("(;CA[EUC-JP]PW[%1])").arg(names)),
         "EUC-JP", names, ""},
        {"CA[ISO-8859-1]", QStringLiteral("(;CA[ISO-8859-1]PW[%1])").arg(latin).toLatin1(),
         "Windows-1252", latin, ""},
        {"CA[UTF-8] on Shift_JIS bytes",
         encoded("Windows-31J", QStringLiteral("(;CA[UTF-8]PW[%1])").arg(names)), "Shift_JIS",
         names, "CA[UTF-8] では読めないバイトがあるため使えません|文字コードを Shift_JIS と推定"},
        {"unknown CA", QStringLiteral("(;CA[x-klingon]PW[%1])").arg(names).toUtf8(), "UTF-8", names,
         "知らない文字コード CA[x-klingon] は使えません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<SgfFile> file = readSgfBytes(c.bytes);
        ASSERT_TRUE(file.ok) << file.error().toStdString();
        EXPECT_EQ(file.encoding, QString::fromLatin1(c.encoding));
        const Result<SgfGame> read = sgfGame(file.collection, file.collection.roots.first());
        EXPECT_EQ(read.whitePlayer, c.whitePlayer);
        if (*c.warning)
            EXPECT_TRUE(file.warnings.join(u'|').contains(QString::fromUtf8(c.warning)))
                << file.warnings.join(u'|').toStdString();
        else
            EXPECT_TRUE(file.warnings.isEmpty()) << file.warnings.join(u'|').toStdString();
    }
}

} // namespace
} // namespace vorleth
