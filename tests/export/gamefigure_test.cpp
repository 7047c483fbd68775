// Games drawn as printed figures, read back from the SVG the way a reader reads the page: the
// number on each point by its place under the column and row labels, the notes of plays on
// points used before, the stones without numbers and the heading.

#include "support/figuresvg.h"

#include "export/figurelayout.h"
#include "export/gamefigure.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

// A record from entries written "B 3,2", "W 2,2" (stones) and "- 3,2" (a stone removed by the
// capture before it), as a record file lists them.
GameRecord game(const QString& gameName, const QStringList& entries) {
    GameRecord record;
    record.metadata.game = {gameName, QStringLiteral("白川"), QStringLiteral("黒田"),
                            QStringLiteral("黒中押勝"), QStringLiteral("6.5")};
    record.metadata.recordDate = QStringLiteral("20240501");
    const QRegularExpression entry(QStringLiteral("^([BW-]) (\\d+),(\\d+)$"));
    for (const QString& e : entries) {
        const auto m = entry.match(e);
        EXPECT_TRUE(m.hasMatch()) << e.toStdString();
        const QString kind = m.captured(1) == u"B"   ? black
                             : m.captured(1) == u"W" ? white
                                                     : QStringLiteral("+");
        record.moves.append({Point{m.captured(2).toInt(), m.captured(3).toInt()}.code(), kind});
    }
    return record;
}

QVector<test::ReadFigure> figuresOf(const GameRecord& record, int movesPerFigure = 0) {
    QVector<test::ReadFigure> read;
    for (const GameFigure& figure : gameFigures(record, movesPerFigure))
        read.append(test::readFigureSvg(
            figureSvg(layoutFigure(figure, figureHeading(record.metadata, figure)))));
    return read;
}

// A ko in the top left corner taken back and forth: black takes at 9, white retakes at 12,
// black at 15.
const QStringList koFight = {
    "B 2,1", "W 3,1",   "B 1,2",  "W 2,2", "B 2,3", "W 4,2",   "B 10,10", "W 3,3", "B 3,2",
    "- 2,2", "W 16,16", "B 4,16", "W 2,2", "- 3,2", "B 10,16", "W 16,10", "B 3,2", "- 2,2",
};

struct Expected {
    int number;
    Point point;
    char stone;
};

TEST(GameFigure, EachPointShowsTheFirstMovePlayedThereAndTheRestAreNotes) {
    struct Case {
        const char* name;
        QString gameName;
        QStringList entries;
        std::vector<Expected> numbers;
        QVector<std::pair<int, int>> notes;
        std::vector<Point> plainBlack; // stones without numbers
    };
    const std::vector<Case> cases = {
        {"ko recaptures give a note each time",
         QStringLiteral("研究会"),
         koFight,
         {{4, {2, 2}, 'O'}, {9, {3, 2}, 'X'}, {1, {2, 1}, 'X'}, {14, {16, 10}, 'O'}},
         {{12, 4}, {15, 9}},
         {}},
        {"a stone captured inside territory and the point filled later",
         QStringLiteral("研究会"),
         {"B 1,1", "W 2,1", "B 10,10", "W 1,2", "- 1,1", "B 10,11", "W 1,1"},
         {{1, {1, 1}, 'X'}, {4, {1, 2}, 'O'}},
         {{6, 1}},
         {}},
        {"handicap stones stand unnumbered and white plays first",
         QStringLiteral("二子局"),
         {"W 17,3", "B 16,3", "W 3,16"},
         {{1, {17, 3}, 'O'}, {2, {16, 3}, 'X'}, {3, {3, 16}, 'O'}},
         {},
         {{16, 16}, {4, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QVector<test::ReadFigure> figures = figuresOf(game(c.gameName, c.entries));
        ASSERT_EQ(figures.size(), 1);
        const test::ReadFigure& f = figures.front();
        EXPECT_EQ(f.numbersOutsidePoints, 0);
        for (const Expected& e : c.numbers) {
            EXPECT_EQ(f.numbers[e.point.column][e.point.row], e.number) << e.number;
            EXPECT_EQ(f.stones[e.point.column][e.point.row], e.stone) << e.number;
        }
        EXPECT_EQ(f.notes, c.notes);
        for (const Point& p : c.plainBlack) {
            EXPECT_EQ(f.stones[p.column][p.row], 'X');
            EXPECT_EQ(f.numbers[p.column][p.row], 0);
        }
        // Every move is either on the board or in a note, once.
        int shown = 0;
        for (int column = 1; column <= 19; ++column)
            for (int row = 1; row <= 19; ++row)
                shown += f.numbers[column][row] > 0;
        const int stones = int(std::count_if(c.entries.cbegin(), c.entries.cend(),
                                             [](const QString& e) { return !e.startsWith(u'-'); }));
        EXPECT_EQ(shown + f.notes.size(), stones);
    }
}

TEST(GameFigure, SplitFiguresStartFromThePositionTheBoardHasThen) {
    const GameRecord record = game(QStringLiteral("研究会"), koFight);
    const QVector<test::ReadFigure> figures = figuresOf(record, 5);
    ASSERT_EQ(figures.size(), 3);
    EXPECT_EQ(figures[0].heading.last(), QStringLiteral("第1譜（1〜5）"));
    EXPECT_EQ(figures[2].heading.last(), QStringLiteral("第3譜（11〜15）"));

    // Figure 2 (6 to 10): moves 1 to 5 unnumbered; black's 9 takes the ko and white's 4 stays
    // drawn where the figure started.
    const test::ReadFigure& second = figures[1];
    EXPECT_EQ(second.stones[2][2], 'O');
    EXPECT_EQ(second.numbers[2][2], 0);
    EXPECT_EQ(second.numbers[3][2], 9);
    EXPECT_EQ(second.numbers[2][1], 0);
    EXPECT_EQ(second.stones[2][1], 'X');
    EXPECT_TRUE(second.notes.isEmpty());

    // Figure 3 (11 to 15): white's 12 retakes on an empty point and is numbered; black's 15
    // retakes where 9 stood when the figure started, and takes the point with its number.
    const test::ReadFigure& third = figures[2];
    EXPECT_EQ(third.numbers[2][2], 12);
    EXPECT_EQ(third.stones[2][2], 'O');
    EXPECT_EQ(third.numbers[3][2], 15);
    EXPECT_EQ(third.stones[3][2], 'X');
    EXPECT_TRUE(third.notes.isEmpty());
    EXPECT_EQ(third.numbers[10][10], 0);
    EXPECT_EQ(third.stones[10][10], 'X');
}

TEST(GameFigure, HeadingCarriesTheGameInformation) {
    const QVector<test::ReadFigure> figures =
        figuresOf(game(QStringLiteral("第1期名人戦"), {"B 16,4"}));
    ASSERT_EQ(figures.size(), 1);
    EXPECT_EQ(figures[0].heading,
              (QStringList{QStringLiteral("第1期名人戦"), QStringLiteral("白　白川　　黒　黒田"),
                           QStringLiteral("黒中押勝　コミ6.5　2024/05/01")}));
}

TEST(GameFigure, LongNumbersAndHeadingsAreHeldInTheirPlace) {
    // 360 moves along the board and back, so that three-digit numbers stand on stones.
    QStringList entries;
    for (int i = 0; i < 361; ++i)
        entries << QStringLiteral("%1 %2,%3")
                       .arg(i % 2 ? QLatin1Char('W') : QLatin1Char('B'))
                       .arg(i % 19 + 1)
                       .arg(i / 19 + 1);
    const GameRecord record = game(QString(60, u'碁'), entries);
    const QByteArray svg =
        figureSvg(layoutFigure(gameFigures(record).front(), figureHeading(record.metadata, {})));
    QXmlStreamReader xml(svg);
    double stoneRadius = 0;
    int held = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("circle") && a.value(QLatin1String("r")).toDouble() > 3)
            stoneRadius = a.value(QLatin1String("r")).toDouble();
        if (xml.name() != QLatin1String("text"))
            continue;
        const QString role = a.value(QLatin1String("class")).toString();
        const double length = a.value(QLatin1String("textLength")).toDouble();
        const QString text = xml.readElementText();
        if (role == QLatin1String("move") && text.size() == 3) {
            ASSERT_GT(length, 0) << text.toStdString();
            EXPECT_LE(length, 2 * stoneRadius);
            ++held;
        }
        if (role == QLatin1String("heading") && text.size() == 60) {
            ASSERT_GT(length, 0);
            EXPECT_LT(length, 60 * 12.0); // narrower than the heading's full width
        }
    }
    EXPECT_EQ(held, 361 - 99);
}

} // namespace
} // namespace vorleth
