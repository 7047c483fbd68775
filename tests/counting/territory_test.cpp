#include "counting/territory.h"

#include "support/countdiagram.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace vorleth {
namespace {

using test::diagram;
using test::positionOf;

const CountOptions noEyeMend{false};

struct CountCase {
    const char* name;
    CountOptions options;
    const char* count; // the expected marks; the position is its stones
    CountCounters counters;
};

const CountCase countCases[] = {
    {"walls two stones thick split the board",
     {},
     R"(
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)",
     {133, 152, 0, 0}},
    {"stones touching the other side's territory die with their whole chain",
     {},
     R"(
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwxwwww
bbbbbbbXXOOwwwxwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbobbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwxww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)",
     {132, 149, 6, 2}},
    {"a one-point eye the enclosure test misses is still territory",
     {},
     R"(
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwOwwww
bbbbbbbXXOOwwOwOwww
bbbbbbbXXOOwwwOwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)",
     {133, 148, 0, 0}},
    {"without the one-point eye mend that eye stays unassigned",
     noEyeMend,
     R"(
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwOwwww
bbbbbbbXXOOwwO.Owww
bbbbbbbXXOOwwwOwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)",
     {133, 147, 0, 0}},
    {"a position without empty points marks nothing",
     {},
     R"(
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
)",
     {0, 0, 0, 0}},
    {"a three-point eye in the corner is left alone without re-evaluation",
     {},
     R"(
bbbXOOwwwwwwwwwwwww
XXXXOOwwwwwwwwwwwww
OOOOOOwwwwwwwwwwwww
OOOOOOwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
)",
     {3, 337, 0, 0}},
};

TEST(TerritoryDetermination, PositionsCountAsDiagrammed) {
    for (const CountCase& c : countCases) {
        SCOPED_TRACE(c.name);
        const QString expected = diagram(c.count);
        const CountOutcome outcome = countPosition(positionOf(expected), c.options);
        EXPECT_EQ(countDiagram(outcome.grid).toStdString(), expected.toStdString());
        EXPECT_EQ(outcome.counters, c.counters);
        EXPECT_EQ(outcome.counters, countersOf(outcome.grid));
        for (int k = 0; k <= 20; ++k) { // the ring is a wall of the searches, never a mark
            for (const Point p : {Point{k, 0}, Point{0, k}, Point{k, 20}, Point{20, k}}) {
                const CountMark m = outcome.grid.at(p);
                EXPECT_TRUE(m == CountMark::BlackStone || m == CountMark::WhiteStone ||
                            m == CountMark::None);
            }
        }
    }
}

// One search run by hand: the roles of a colour, the wall raised, the region started.
struct SearchCase {
    const char* name;
    const char* position;
    Point start;
    bool black;
    QVector<Point> marked; // cells marked as black territory before the search
    int regionSize;
    bool enclosed;
};

TEST(TerritoryDetermination, EnclosureSearch) {
    const char* thickWalls = R"(
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
.......XXOO........
)";
    const char* thinWalls = R"(
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
........XO.........
)";
    // One empty point; each colour's search takes it with all the other colour's stones.
    const char* oneHole = R"(
XXXXXXXXXXOOOOOOOOO
XXXXXXXXXXOOOOOOOOO
XXXXXXXXXXOOOOOOOOO
XXXXXXXXXXOOOOOOOOO
XXXXXXXXXXOOOOOOOOO
XXXXXXXXXXOOOOOOOOO
XXXXXXXXXXOOOOOOOOO
XXXXXXXXXXOOOOOOOOO
XXXXXXXXXXOOOOOOOOO
XXXXXXXXX.OOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
XXXXXXXXXOOOOOOOOOO
)";
    QVector<Point> blackSide;
    for (int column = 1; column <= 6; ++column) {
        for (int row = 1; row <= 19; ++row)
            blackSide.append({column, row});
    }
    const SearchCase cases[] = {
        {"black behind a thick wall", thickWalls, {1, 1}, true, {}, 7 * 19, true},
        {"white passes the black stones up to its own wall",
         thickWalls,
         {1, 1},
         false,
         {},
         9 * 19,
         true},
        {"a wall one stone thick closes nothing", thinWalls, {1, 1}, true, {}, 8 * 19, false},
        {"marked territory is neither passed nor part of the wall",
         thickWalls,
         {7, 1},
         false,
         blackSide,
         3 * 19,
         true},
        {"black's search of the hole", oneHole, {10, 10}, true, {}, 181, true},
        {"white's search of the hole, the same size", oneHole, {10, 10}, false, {}, 181, true},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        TerritoryDetermination t;
        t.copyBoard(parseBoardDiagram(diagram(c.position)));
        for (const Point& p : c.marked)
            t.grid().set(p, CountMark::BlackTerritory);
        t.setRoles(c.black ? TerritoryDetermination::blackRoles
                           : TerritoryDetermination::whiteRoles);
        t.raiseRingWall();
        t.startRegion(c.start);
        t.searchEnclosure();
        EXPECT_EQ(t.region().size(), c.regionSize);
        EXPECT_EQ(t.enclosed(), c.enclosed);
        for (const Point& p : c.marked) {
            EXPECT_FALSE(t.region().contains(p));
            EXPECT_FALSE(t.enclosingStones().contains(p));
        }
    }

    // Both searches closed and equally large: the point belongs to neither side.
    const CountOutcome hole = countPosition(parseBoardDiagram(diagram(oneHole)));
    EXPECT_EQ(hole.grid.at(10, 10), CountMark::None);
    EXPECT_EQ(hole.counters, CountCounters{});
}

TEST(TerritoryDetermination, EveryCountStartsAfresh) {
    // White's corner point: black's search is not closed, so only a decision left over from
    // before could hand the point to White (the mend for one-point eyes is off to show it).
    const Board corner = parseBoardDiagram(QStringLiteral(".OO\nOO.\n"));
    const Board other = positionOf(diagram(countCases[1].count));
    const auto count = [](TerritoryDetermination& t, const Board& board) {
        t.copyBoard(board);
        t.markTerritory();
        t.markDeadStones();
        t.total();
        return countDiagram(t.grid());
    };

    TerritoryDetermination t(noEyeMend);
    const QString first = count(t, corner);
    EXPECT_TRUE(first.startsWith(QStringLiteral(".OOw"))) << first.toStdString();
    EXPECT_TRUE(t.enclosed()); // what the last search of that count left
    EXPECT_EQ(count(t, corner), first);
    count(t, other);
    EXPECT_EQ(count(t, corner), first);
    EXPECT_EQ(countDiagram(countPosition(corner, noEyeMend).grid), first);
}

TEST(CountGrid, MarksAreDrawnColumnByColumnAndTheRingNever) {
    CountGrid grid = parseCountDiagram(QStringLiteral("b.X\nO.w\n..s\n"));
    for (int k = 0; k <= 20; ++k) {
        grid.set(k, 0, CountMark::BlackStone);
        grid.set(20, k, CountMark::WhiteStone);
    }
    const QVector<MarkAt> expected = {
        {{1, 1}, CountMark::BlackTerritory}, {{1, 2}, CountMark::WhiteStone},
        {{3, 1}, CountMark::BlackStone},     {{3, 2}, CountMark::WhiteTerritory},
        {{3, 3}, CountMark::Seki},
    };
    EXPECT_EQ(marksToDraw(grid), expected);
    const QString all = QStringLiteral("XObwoxs.");
    const QString diagram = countDiagram(parseCountDiagram(all));
    EXPECT_EQ(diagram.left(all.size()), all);
}

} // namespace
} // namespace vorleth
