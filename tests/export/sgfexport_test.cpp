#include "export/sgfexport.h"
#include "support/printers.h"

#include "board/playrules.h"
#include "import/sgf.h"
#include "import/sgfimport.h"
#include "store/recordcodec.h"
#include "store/recordname.h"
#include "support/testfiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vorleth {
namespace {

MoveList movesOf(std::initializer_list<std::pair<int, const char*>> entries) {
    MoveList moves;
    for (const auto& [code, kind] : entries)
        moves.append({static_cast<PointCode>(code), QString::fromUtf8(kind)});
    return moves;
}

GameRecord recordOf(const QString& gameName, const MoveList& moves) {
    GameRecord record;
    RecordMetadata& m = record.metadata;
    m.game.gameName = gameName;
    m.game.whitePlayer = QStringLiteral("山田");
    m.game.blackPlayer = QStringLiteral("佐藤");
    m.game.result = QStringLiteral("白中押勝");
    m.recordDate = QStringLiteral("20240101");
    m.entryCount = moves.length();
    m.game.komi = QStringLiteral("6.5");
    record.moves = moves;
    return record;
}

// The exported text read back with the program's own SGF reader: the file is well-formed.
struct Parsed {
    std::map<QString, QStringList> root; // properties of the root node
    QStringList nodes;                   // every later node, its properties as "B[pd]AE[aa]"
};

Parsed parse(const QByteArray& text) {
    Parsed parsed;
    const Result<SgfTrees> p = parseSgfText(QString::fromUtf8(text));
    EXPECT_TRUE(p.ok) << p.error().toStdString();
    EXPECT_TRUE(p.warnings.isEmpty()) << p.warnings.join(u'\n').toStdString();
    if (!p.ok)
        return parsed;
    EXPECT_EQ(p.collection.roots.size(), 1);
    int index = p.collection.roots.first();
    for (const SgfProperty& prop : p.collection.nodes.at(index).properties)
        parsed.root[prop.id] = prop.values;
    for (;;) {
        const SgfNode& node = p.collection.nodes.at(index);
        EXPECT_LE(node.children.size(), 1);
        if (node.children.isEmpty())
            break;
        index = node.children.first();
        QString text;
        for (const SgfProperty& prop : p.collection.nodes.at(index).properties)
            text += prop.id + u'[' + prop.values.join(QStringLiteral("][")) + u']';
        parsed.nodes << text;
    }
    return parsed;
}

QString value(const Parsed& parsed, const char* id) {
    const auto it = parsed.root.find(QString::fromLatin1(id));
    return it == parsed.root.end() ? QStringLiteral("<none>") : it->second.join(u'|');
}

std::set<QString> valueSet(const Parsed& parsed, const char* id) {
    const auto it = parsed.root.find(QString::fromLatin1(id));
    if (it == parsed.root.end())
        return {};
    return {it->second.begin(), it->second.end()};
}

QString sgfPoint(Point p) {
    return QString(QChar(u'a' + p.column - 1)) + QChar(u'a' + p.row - 1);
}

TEST(SgfResult, ProgramWordsAndBack) {
    const struct {
        const char* words;
        const char* re;   // empty: no SGF form
        const char* back; // what the import makes of re
    } cases[] = {
        {"黒中押勝", "B+R", "黒中押勝"},
        {"白中押勝", "W+R", "白中押勝"},
        {"黒中押し勝ち", "B+R", "黒中押勝"},
        {"白6目半勝", "W+6.5", "白6目半勝"},
        {"白６目半勝", "W+6.5", "白6目半勝"},
        {"黒12目半勝", "B+12.5", "黒12目半勝"},
        {"白3目勝", "W+3", "白3目勝"},
        {"白03目勝", "W+3", "白3目勝"},
        {"白0目勝", "W+0", "白0目勝"},
        {"黒半目勝", "B+0.5", "黒半目勝"},
        {"黒0目半勝", "B+0.5", "黒半目勝"},
        {"黒勝", "B+", "黒勝"},
        {"白勝", "W+", "白勝"},
        {" 黒中押勝 ", "B+R", "黒中押勝"},
        {"持碁", "0", "持碁"},
        {"打掛", "Void", "打掛"},
        {"黒時間勝", "", ""},
        {"白反則勝", "", ""},
        {"定石", "", ""},
        {"黒先白死", "", ""},
        {"白先劫", "", ""},
        {"時間勝", "", ""},
        {"黒六目半勝", "", ""},
        {"白1234目勝", "", ""},
        {"黒中押勝です", "", ""},
        {"白1.5目勝", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        const std::optional<QString> re = sgfResult(QString::fromUtf8(c.words));
        if (*c.re == '\0') {
            EXPECT_FALSE(re.has_value()) << re->toStdString();
            continue;
        }
        ASSERT_TRUE(re.has_value());
        EXPECT_EQ(*re, QString::fromLatin1(c.re));
        EXPECT_EQ(resultFromSgf(*re), QString::fromUtf8(c.back));
    }
}

TEST(SgfExport, RootAndMoves) {
    // Black takes white's corner stone; a pause marker between the moves.
    GameRecord record = recordOf(QStringLiteral("名人戦 [第1局]"), movesOf({{201, "1"},
                                                                            {101, "2"},
                                                                            {102, "1"},
                                                                            {101, "+"},
                                                                            {2020, "9"},
                                                                            {303, "2"},
                                                                            {1604, "1"}}));
    record.metadata.game.whitePlayer = QStringLiteral(R"(山田\太郎)");
    const SgfExport sgf = exportSgf(record);
    EXPECT_TRUE(sgf.issues.isEmpty());

    const QString text = QString::fromUtf8(sgf.text);
    EXPECT_TRUE(text.startsWith(QStringLiteral("(;FF[4]CA[UTF-8]GM[1]SZ[19]AP[Vorleth:")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(R"(GN[名人戦 [第1局\]]PW[山田\\太郎]PB[佐藤])")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral(";B[ba];W[aa];B[ab];W[cc];B[pd]\n)\n")))
        << text.toStdString();

    const Parsed parsed = parse(sgf.text);
    EXPECT_EQ(value(parsed, "GN"), QStringLiteral("名人戦 [第1局]"));
    EXPECT_EQ(value(parsed, "PW"), QStringLiteral(R"(山田\太郎)"));
    EXPECT_EQ(value(parsed, "PB"), QStringLiteral("佐藤"));
    EXPECT_EQ(value(parsed, "KM"), QStringLiteral("6.5"));
    EXPECT_EQ(value(parsed, "DT"), QStringLiteral("2024-01-01"));
    EXPECT_EQ(value(parsed, "RE"), QStringLiteral("W+R"));
    EXPECT_EQ(value(parsed, "GC"), QStringLiteral("<none>"));
    EXPECT_EQ(value(parsed, "HA"), QStringLiteral("<none>"));
    EXPECT_TRUE(value(parsed, "AP").startsWith(QStringLiteral("Vorleth:")));
    EXPECT_EQ(parsed.nodes, (QStringList{"B[ba]", "W[aa]", "B[ab]", "W[cc]", "B[pd]"}));
}

// A result without a standard form stays in RE as written, so that a round trip keeps it; a
// komi that is not a number goes to the comment, since KM must be one.
TEST(SgfExport, InformationWithoutAnSgfForm) {
    const struct {
        const char* name;
        const char* result;
        const char* komi;
        const char* recordDate;
        const char *re, *km, *gc, *dt;
    } cases[] = {
        {"suspended", "打掛", "6.5", "20071105", "Void", "6.5", "<none>", "2007-11-05"},
        {"komi in words", "白中押勝", "６目半", "20071105", "W+R", "<none>", "コミ：６目半",
         "2007-11-05"},
        {"both", "黒先白死", "互先", "20071105", "黒先白死", "<none>", "コミ：互先", "2007-11-05"},
        {"result of another program", "B+R (199 moves)", "6.5", "20071105", "B+R (199 moves)",
         "6.5", "<none>", "2007-11-05"},
        {"result in English", "White wins by resignation", "6.5", "20071105",
         "White wins by resignation", "6.5", "<none>", "2007-11-05"},
        {"full-width komi", "黒勝", "６．５", "20071105", "B+", "6.5", "<none>", "2007-11-05"},
        {"whole komi", "持碁", "0", "20071105", "0", "0", "<none>", "2007-11-05"},
        {"nothing known", "", "", "", "<none>", "<none>", "<none>", "<none>"},
        {"no such date", "", "", "20071305", "<none>", "<none>", "<none>", "<none>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GameRecord record = recordOf(QStringLiteral("g"), movesOf({{1604, "1"}}));
        record.metadata.game.result = QString::fromUtf8(c.result);
        record.metadata.game.komi = QString::fromUtf8(c.komi);
        record.metadata.recordDate = QString::fromUtf8(c.recordDate);
        const Parsed parsed = parse(exportSgf(record).text);
        EXPECT_EQ(value(parsed, "RE"), QString::fromUtf8(c.re));
        EXPECT_EQ(value(parsed, "KM"), QString::fromUtf8(c.km));
        EXPECT_EQ(value(parsed, "GC"), QString::fromUtf8(c.gc));
        EXPECT_EQ(value(parsed, "DT"), QString::fromUtf8(c.dt));
    }
}

TEST(SgfExport, HandicapStonesOfTheGameName) {
    const struct {
        const char* gameName;
        int handicap;
    } cases[] = {{"二子局", 2},     {"２子局", 2}, {"五子", 5}, {"８子", 8},
                 {"九子の研究", 9}, {"2子局", 0},  {"互先", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gameName);
        const GameRecord record =
            recordOf(QString::fromUtf8(c.gameName), movesOf({{1703, "2"}, {1704, "1"}}));
        const Parsed parsed = parse(exportSgf(record).text);
        std::set<QString> expected;
        for (int i = 1; i <= c.handicap; ++i)
            expected.insert(sgfPoint(handicapPoint(i, c.handicap)));
        EXPECT_EQ(valueSet(parsed, "AB"), expected);
        EXPECT_EQ(value(parsed, "HA"),
                  c.handicap ? QString::number(c.handicap) : QStringLiteral("<none>"));
        EXPECT_EQ(value(parsed, "AW"), QStringLiteral("<none>"));
        EXPECT_EQ(parsed.nodes, (QStringList{"W[qc]", "B[qd]"}));
    }
}

TEST(SgfExport, ProblemRecordSetsUpThePositionBeforeItsFirstMarker) {
    // Set-up: black ba and ab take white's aa, white cb. Then black surrounds cb with ca, db,
    // bb and cc, which takes it; a second marker on the way.
    const MoveList moves = movesOf({{201, "1"},
                                    {101, "2"},
                                    {102, "1"},
                                    {101, "+"},
                                    {302, "2"},
                                    {2020, "9"},
                                    {301, "1"},
                                    {404, "2"},
                                    {402, "1"},
                                    {2020, "9"},
                                    {505, "2"},
                                    {202, "1"},
                                    {606, "2"},
                                    {303, "1"},
                                    {302, "+"}});
    const QStringList played{"B[ca]", "W[dd]", "B[db]", "W[ee]", "B[bb]", "W[ff]", "B[cc]"};
    const struct {
        const char* gameName;
        std::set<QString> ab, aw;
        const char* pl;
        QStringList nodes;
    } cases[] = {
        {"詰め碁 一", {"ba", "ab"}, {"cb"}, "B", played},
        {"定石の研究", {"ba", "ab"}, {"cb"}, "B", played},
        {"練習碁", {}, {}, "<none>", QStringList{"B[ba]", "W[aa]", "B[ab]", "W[cb]"} + played},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gameName);
        const SgfExport sgf = exportSgf(recordOf(QString::fromUtf8(c.gameName), moves));
        EXPECT_TRUE(sgf.issues.isEmpty());
        const Parsed parsed = parse(sgf.text);
        EXPECT_EQ(valueSet(parsed, "AB"), c.ab);
        EXPECT_EQ(valueSet(parsed, "AW"), c.aw);
        EXPECT_EQ(value(parsed, "PL"), QString::fromLatin1(c.pl));
        EXPECT_EQ(value(parsed, "HA"), QStringLiteral("<none>"));
        EXPECT_EQ(parsed.nodes, c.nodes);
    }

    // Without a marker a problem record is played from the empty board.
    const MoveList plain = movesOf({{201, "1"}, {303, "1"}, {404, "2"}});
    const Parsed parsed = parse(exportSgf(recordOf(QStringLiteral("詰め碁"), plain)).text);
    EXPECT_TRUE(valueSet(parsed, "AB").empty());
    EXPECT_EQ(parsed.nodes, (QStringList{"B[ba]", "B[cc]", "W[dd]"}));
}

// The position an SGF reader reaches by the usual rules: set-up properties overwrite points;
// a move removes the opponent's groups without liberties, then its own when it has none.
Board readerPosition(const QByteArray& text) {
    Board board;
    const Result<SgfTrees> p = parseSgfText(QString::fromUtf8(text));
    EXPECT_TRUE(p.ok);
    if (!p.ok)
        return board;
    auto point = [](const QString& v) {
        return Point{v.at(0).unicode() - u'a' + 1, v.at(1).unicode() - u'a' + 1};
    };
    auto removeIfDead = [&board](Point start) {
        const Board::Cell colour = board.cell(start);
        std::vector<Point> group{start};
        std::set<int> seen{start.code()};
        for (size_t i = 0; i < group.size(); ++i) {
            for (int d = 1; d <= 4; ++d) {
                const auto o = DirectionTable::offset(d);
                const Point n{group[i].column + o.dColumn, group[i].row + o.dRow};
                if (!n.onBoard() || seen.count(n.code()))
                    continue;
                seen.insert(n.code());
                if (board.cell(n) == Board::Empty)
                    return;
                if (board.cell(n) == colour)
                    group.push_back(n);
            }
        }
        for (const Point& q : group)
            board.setCell(q, Board::Empty);
    };
    for (int index = p.collection.roots.first(); index >= 0;) {
        const SgfNode& node = p.collection.nodes.at(index);
        for (const SgfProperty& prop : node.properties) {
            const Board::Cell cell = prop.id == u"AB" || prop.id == u"B"   ? Board::Black
                                     : prop.id == u"AW" || prop.id == u"W" ? Board::White
                                                                           : Board::Empty;
            if (prop.id == u"AB" || prop.id == u"AW" || prop.id == u"AE") {
                for (const QString& v : prop.values)
                    board.setCell(point(v), cell);
            } else if (prop.id == u"B" || prop.id == u"W") {
                const Point at = point(prop.values.first());
                EXPECT_EQ(board.cell(at), Board::Empty) << "a move on an occupied point";
                board.setCell(at, cell);
                for (int d = 1; d <= 4; ++d) {
                    const auto o = DirectionTable::offset(d);
                    const Point n{at.column + o.dColumn, at.row + o.dRow};
                    if (n.onBoard() && board.cell(n) != Board::Empty && board.cell(n) != cell)
                        removeIfDead(n);
                }
                removeIfDead(at);
            }
        }
        index = node.children.isEmpty() ? -1 : node.children.first();
    }
    return board;
}

QString recordedPosition(const GameRecord& record) {
    BoardModel model;
    model.moves = record.moves;
    rebuildPosition(model, model.moves.length(), record.metadata.game.gameName);
    return boardDiagram(model.board);
}

TEST(SgfExport, PositionsTheRulesDoNotReachAreSetUpAgain) {
    using Kind = SgfExportIssue::Kind;
    struct Issue {
        Kind kind;
        int entry, moveNumber;
    };
    const struct {
        const char* name;
        MoveList moves;
        QStringList nodes;
        std::vector<Issue> issues;
        const char* gameName = "練習碁";
    } cases[] = {
        {"a stone without liberties stays",
         movesOf({{201, "2"}, {1616, "1"}, {102, "2"}, {101, "1"}, {303, "2"}}),
         {"W[ba]", "B[pp]", "W[ab]", "B[aa]", "AB[aa]", "W[cc]"},
         {{Kind::Suicide, 4, 4}}},
        {"a stone on an occupied point",
         movesOf({{1604, "1"}, {1604, "2"}, {404, "1"}}),
         {"B[pd]", "AE[pd]", "W[pd]", "B[dd]"},
         {{Kind::OccupiedPoint, 2, 2}}},
        {"a capture without its removal entry",
         movesOf({{101, "2"}, {201, "1"}, {1616, "2"}, {102, "1"}, {303, "2"}}),
         {"W[aa]", "B[ba]", "W[pp]", "B[ab]", "AW[aa]", "W[cc]"},
         {{Kind::RemovalsDiffer, 4, 4}}},
        {"a removal the rules do not make, at the end",
         movesOf({{1604, "1"}, {404, "2"}, {1604, "+"}}),
         {"B[pd]", "W[dd]", "AE[pd]"},
         {{Kind::RemovalsDiffer, 2, 2}}},
        {"a handicap stone removed before the first move",
         movesOf({{1616, "+"}, {1703, "2"}}),
         {"AE[pp]", "W[qc]"},
         {{Kind::RemovalsDiffer, 1, 0}},
         "二子局"},
        {"stones off the board",
         movesOf({{2525, "1"}, {0, "2"}, {404, "1"}, {1616, "2"}}),
         {"B[dd]", "W[pp]"},
         {{Kind::OffBoard, 1, 0}, {Kind::OffBoard, 2, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GameRecord record = recordOf(QString::fromUtf8(c.gameName), c.moves);
        const SgfExport sgf = exportSgf(record);
        EXPECT_EQ(parse(sgf.text).nodes, c.nodes);
        EXPECT_EQ(boardDiagram(readerPosition(sgf.text)), recordedPosition(record));
        ASSERT_EQ(sgf.issues.size(), qsizetype(c.issues.size()));
        for (size_t i = 0; i < c.issues.size(); ++i) {
            EXPECT_EQ(sgf.issues[i].kind, c.issues[i].kind);
            EXPECT_EQ(sgf.issues[i].entry, c.issues[i].entry);
            EXPECT_EQ(sgf.issues[i].moveNumber, c.issues[i].moveNumber);
            EXPECT_FALSE(sgf.issues[i].description().isEmpty());
        }
    }
}

TEST(RestoreFullNames, TheFullestTextThatAgreesWithTheFileName) {
    GameRecord typed = recordOf(QStringLiteral("第12回 囲碁まつり 決勝戦"), movesOf({{1604, "1"}}));
    typed.metadata.game.whitePlayer = QStringLiteral("山田 太郎 (アマ六段)");
    typed.metadata.game.blackPlayer = QStringLiteral("2024/01 春-1 組");
    typed.metadata.game.result = QStringLiteral("黒中押勝");
    typed.metadata.timeOfDay = QStringLiteral("90503");
    typed.metadata.referenceDate = QStringLiteral("20240101");
    const QString fileName = recordFileName(typed.metadata);
    const QByteArray body = encodeRecordBody(typed, 1, QDate(2024, 1, 1));
    const QString renamed = QString(fileName).replace(QStringLiteral("白番（山田太郎(アマ六段)）"),
                                                      QStringLiteral("白番（鈴木一郎）"));
    ASSERT_NE(renamed, fileName);

    const struct {
        const char* name;
        QString fileName;
        QByteArray body;
        const char *gameName, *white, *black, *result;
    } cases[] = {
        {"as typed", fileName, body, "第12回 囲碁まつり 決勝戦", "山田 太郎 (アマ六段)",
         "2024/01 春-1 組", "黒中押勝"},
        {"renamed by hand", renamed, body, "第12回 囲碁まつり 決勝戦", "鈴木一郎",
         "2024/01 春-1 組", "黒中押勝"},
        {"no body", fileName, QByteArray(), "第12回囲碁まつり決勝戦", "山田太郎(アマ六段)",
         "202401春1組", "黒中押勝"},
        {"unreadable body", fileName, QByteArray("\x82"), "第12回囲碁まつり決勝戦",
         "山田太郎(アマ六段)", "202401春1組", "黒中押勝"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<GameRecord> read = decodeRecord(c.fileName, body);
        ASSERT_TRUE(read.ok) << read.error().toStdString();
        RecordMetadata m = read.metadata;
        EXPECT_EQ(m.game.gameName.size(), 10); // what reading a record keeps
        restoreFullNames(m, c.body);
        EXPECT_EQ(m.game.gameName, QString::fromUtf8(c.gameName));
        EXPECT_EQ(m.game.whitePlayer, QString::fromUtf8(c.white));
        EXPECT_EQ(m.game.blackPlayer, QString::fromUtf8(c.black));
        EXPECT_EQ(m.game.result, QString::fromUtf8(c.result));
    }

    // A field that does not come from the name is left as it is.
    RecordMetadata own = decodeRecord(fileName, body).metadata;
    own.game.blackPlayer = QStringLiteral("別人");
    restoreFullNames(own, body);
    EXPECT_EQ(own.game.blackPlayer, QStringLiteral("別人"));
    EXPECT_EQ(own.game.whitePlayer, QStringLiteral("山田 太郎 (アマ六段)"));
}

TEST(WriteSgfFile, ReplacesWholeOrReportsWhy) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString path = temp.filePath(QStringLiteral("g.sgf"));
    EXPECT_TRUE(writeSgfFile(path, "(;GN[a])").ok);
    EXPECT_TRUE(writeSgfFile(path, "(;GN[b])").ok);
    EXPECT_EQ(test::readBytes(path), QByteArray("(;GN[b])"));

    const Outcome missingFolder =
        writeSgfFile(temp.filePath(QStringLiteral("no/such/g.sgf")), "(;)");
    ASSERT_FALSE(missingFolder.ok);
    EXPECT_FALSE(missingFolder.error().isEmpty());
    const Outcome aFolder = writeSgfFile(temp.path(), "(;)");
    ASSERT_FALSE(aFolder.ok);
    EXPECT_FALSE(aFolder.error().isEmpty());
}

} // namespace
} // namespace vorleth
