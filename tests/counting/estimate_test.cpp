#include "counting/benson.h"
#include "counting/estimate.h"
#include "counting/grouping.h"
#include "counting/guesschoice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/countdiagram.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::diagram;
using test::positionOf;

struct EstimateCase {
    const char* name;
    const char* count; // the expected marks; the position is its stones
};

const EstimateCase estimateCases[] = {
    {"a lone stone inside walls is dead",
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
bbobbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)"},
    {"walls with a row of open neutral points between them",
     R"(
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
)"},
    {"a seki in the corner counts for nobody",
     R"(
sXsOsOXXXOOwwwwwwww
XXXOOOXXXOOwwwwwwww
OOOOXXXXXOOwwwwwwww
XXXXXbbXXOOwwwwwwww
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
)"},
    {"a chain shut in whose liberties a stone inside shares is dead: the stone throws in",
     R"(
bXboXbbXXOOwwwwwwww
ooooXbbXXOOwwwwwwww
XXXXXbbXXOOwwwwwwww
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
)"},
    {"a group with one eye of two points is dead",
     R"(
obbobbbXXOOwwwwwwww
ooooXbbXXOOwwwwwwww
XXXXXbbXXOOwwwwwwww
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
)"},
    {"a stone left in atari in a ko is connected by its owner, the point counting for nobody",
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
bbbbbbbXO.Owwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)"},
    {"a stone cut off by a neutral point must connect inside its own ground",
     R"(
bbbbbbbX.O.wwwwwwww
bbbbbbbXXXOwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
)"},
    {"a neutral point that joins the stone to its wall costs nothing",
     R"(
bbbbbbbX.Owwwwwwwww
bbbbbbbXX.Owwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
)"},
    {"ground behind a gap in a wall goes to the side nearer to it",
     R"(
bbbbbbb..Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
)"},
    {"a point between two neutral points is nobody's, whichever side fills first",
     R"(
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
XXXXXXXXXXXXXXXXXXX
.......O.X.........
OOOOOOOO..OOOOOOOOO
wwwwwwwwOOwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
)"},
    {"a group whose one eye is a square of four is dead",
     R"(
obbobbbXXOOwwwwwwww
obboXbbXXOOwwwwwwww
ooooXbbXXOOwwwwwwww
XXXXXbbXXOOwwwwwwww
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
)"},
    {"a group whose eye is a straight four lives",
     R"(
OwwwwOXXXOOwwwwwwww
OOOOOOXbXOOwwwwwwww
XXXXXXXbXOOwwwwwwww
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
)"},
    {"shared liberties are no seki when one side can connect first and then fill them",
     R"(
O.OOOOOOOOOwwwwwwww
.OXOOOOOOOOwwwwwwww
XOXXXXXXXOOwwwwwwww
.XXbbbbXXOOwwwwwwww
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
)"},
    {"of two eyeless chains in a race the one with fewer liberties is taken",
     R"(
bbbbbbXboX.Owwwwwww
bbbbbbXboX.Owwwwwww
bbbbbbXXoX.Owwwwwww
bbbbbbXXXOOOwwwwwww
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
)"},
};

class EstimateCaseTest : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(EstimateCaseTest, MarksAndCounters) {
    const QString expected = diagram(GetParam().count);
    const CountOutcome outcome = estimatePosition(positionOf(expected));
    EXPECT_EQ(countDiagram(outcome.grid).toStdString(), expected.toStdString());
    EXPECT_EQ(outcome.counters, countersOf(parseCountDiagram(expected)));
}

INSTANTIATE_TEST_SUITE_P(Positions, EstimateCaseTest, ::testing::ValuesIn(estimateCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

TEST(EstimateTest, AnEyelessGroupShutInByGroupsWithTwoEyesIsDeadWhateverRandomPlaySays) {
    // Margins no playout share can reach leave the group's fate to its shape alone.
    EstimateOptions shapeOnly;
    shapeOnly.deadMargin = 1.0;
    shapeOnly.weakLife = -1.0;
    const char* rest = R"(
OOOOOOOOOOOOOOOOOOO
XXXXXXXXXXXXXXXXXXX
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
bbbbbbbbbbbbbbbbbbb
)";
    const struct {
        const char* name;
        const char* corner; // rows 1 to 4, above the walls
    } cases[] = {
        {"one eye and one liberty: dead", R"(wxwOwOwwwwwwwwwwwww
xxxOOOwwwwwwwwwwwww
OOOOwOwwwwwwwwwwwww
OOOOOOwwwwwwwwwwwww
)"},
        {"room for a second eye: left to the playouts", R"(bXb..OwOwwwwwwwwwww
XXXXXOOOwwwwwwwwwww
OOOOOOwOwwwwwwwwwww
OOOOOOOOwwwwwwwwwww
)"},
    };
    for (const auto& c : cases) {
        const QString expected = QString::fromUtf8(c.corner) + diagram(rest);
        const CountOutcome outcome = estimatePosition(positionOf(expected), shapeOnly);
        EXPECT_EQ(countDiagram(outcome.grid).toStdString(), expected.toStdString()) << c.name;
    }
}

TEST(EstimateTest, AShortReadingKeepsASekiWhateverRandomPlaySays) {
    // No playout share is enough for a group without two eyes, and no chain is given up on its
    // own share: what the groups' shapes and the reading say decides.
    EstimateOptions shapeOnly;
    shapeOnly.weakLife = 2.0;
    shapeOnly.deadMargin = 1.0;
    shapeOnly.smotheredLife = -1.0;
    const struct {
        const char* name;
        const char* count;
    } cases[] = {
        {"a seki of two groups with one eye each stands", estimateCases[2].count},
        {"a straight three the opponent kills by taking its middle is dead", R"(
bbboXbbXXOOwwwwwwww
ooooXbbXXOOwwwwwwww
XXXXXbbXXOOwwwwwwww
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
)"},
    };
    for (const auto& c : cases) {
        const QString expected = diagram(c.count);
        const CountOutcome outcome = estimatePosition(positionOf(expected), shapeOnly);
        EXPECT_EQ(countDiagram(outcome.grid).toStdString(), expected.toStdString()) << c.name;
    }
}

TEST(EstimateTest, StonesWhoseLibertiesNeitherSideCanFillWaitForTheRaceAroundThem) {
    // No chain is given up on its playout share alone, and every group short of a clear hold
    // is weak, so that the group rules decide: the two black stones on the edge share both
    // liberties of the white chain inside, and the black group around it has more liberties
    // than that chain.
    EstimateOptions groupsOnly;
    groupsOnly.deadMargin = 1.0;
    groupsOnly.weakLife = 0.5;
    const QString expected = diagram(R"(
bbbbbbXOwO.XobXXboX
bbbbbbXOwO.XooooooX
bbbbbbXOwwOXXXXXXXX
bbbbbbXOwwO.O.OOOOO
bbbbbbXOwwwOwOwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
bbbbbbXOwwwwwwwwwww
)");
    const CountOutcome outcome = estimatePosition(positionOf(expected), groupsOnly);
    EXPECT_EQ(countDiagram(outcome.grid).toStdString(), expected.toStdString());
    EXPECT_EQ(outcome.counters, countersOf(parseCountDiagram(expected)));
}

TEST(EstimateTest, AChainTakenWhoeverMovesFirstIsDeadWhateverRandomPlaySays) {
    // No chain or group is given up on its playout share.
    EstimateOptions readingOnly;
    readingOnly.deadMargin = 1.0;
    readingOnly.smotheredLife = -1.0;
    readingOnly.weakLife = -1.0;
    // The white pair in atari on the edge runs into the black stone beside its liberty.
    const QString expected = diagram(R"(
bXoobbbXXOOwwwwwwww
bXXXXbbXXOOwwwwwwww
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
)");
    const CountOutcome outcome = estimatePosition(positionOf(expected), readingOnly);
    EXPECT_EQ(countDiagram(outcome.grid).toStdString(), expected.toStdString());
    EXPECT_EQ(outcome.counters, countersOf(parseCountDiagram(expected)));
}

TEST(EstimateTest, TheSamePositionAlwaysCountsTheSame) {
    const Board contested = positionOf(diagram(estimateCases[0].count));
    const Board seki = positionOf(diagram(estimateCases[2].count));
    const CountOutcome first = estimatePosition(contested);
    const CountOutcome between = estimatePosition(seki);
    const CountOutcome again = estimatePosition(contested);
    EXPECT_EQ(again.grid, first.grid);
    EXPECT_EQ(again.counters, first.counters);
    EXPECT_NE(between.grid, first.grid);
}

TEST(EstimateTest, FirstGuessCountsByTheChosenMethod) {
    // A ko left open: the enclosure searches leave the stone in atari standing.
    const Board board = positionOf(diagram(estimateCases[4].count));
    EXPECT_EQ(firstGuess(board, CountGuess::Estimate).grid, estimatePosition(board).grid);
    EXPECT_EQ(firstGuess(board, CountGuess::Traditional).grid, countPosition(board).grid);
    EXPECT_NE(estimatePosition(board).grid, countPosition(board).grid);
}

// A board whose rows are given from row 1.
PlayoutBoard playoutBoardOf(const char* text) {
    PlayoutBoard board;
    const QStringList rows = QString::fromLatin1(text).split(u'\n', Qt::SkipEmptyParts);
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows.at(row).size(); ++column) {
            const QChar ch = rows.at(row).at(column);
            if (ch == u'X' || ch == u'O')
                board.setStone(PlayoutBoard::at(column + 1, row + 1),
                               ch == u'X' ? PlayoutBoard::Black : PlayoutBoard::White);
        }
    }
    return board;
}

// The groups of a board on which every stone counts as living.
Groups groupsOfAllStones(const PlayoutBoard& board) {
    PointFlags live{};
    for (int p = 0; p < PlayoutBoard::points; ++p)
        live[p] = board.stone(p) == PlayoutBoard::Black || board.stone(p) == PlayoutBoard::White;
    return liveGroups(board, live);
}

// Unconditional life on a board whose top left holds the shapes; the rest is empty.
TEST(EstimateTest, UnconditionalLifeNeedsTwoEyesOfTheChain) {
    struct Case {
        const char* name;
        const char* rows; // the top left corner, row 1 first
        bool alive;       // the black chain at (1, 3)
    };
    const Case cases[] = {
        {"two one-point eyes", ".X.X\nXXXX\n", true},
        {"one eye of two points", "..X\nXXX\n", false},
        {"an eye with an opponent stone inside", "O.X.X\nXXXXX\n", true},
        {"one eye and an open side", ".X.O\nXXOO\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PlayoutBoard board = playoutBoardOf(c.rows);
        const UnconditionalLife life = unconditionalLife(board, PlayoutBoard::Black);
        EXPECT_EQ(life.alive[PlayoutBoard::at(1, 2)], c.alive);
        EXPECT_EQ(life.secure[PlayoutBoard::at(1, 1)], c.alive);
        EXPECT_FALSE(life.secure[PlayoutBoard::at(10, 10)]);
    }
}

TEST(EstimateTest, EyelessGroupsAroundOpponentStonesTheyCanTake) {
    struct Case {
        const char* name;
        const char* rows;
        int column, row; // a stone of the group judged
        bool eyeless;
        bool wall = false; // the rows stand beside a black and white wall down columns 7 and 8
    };
    const Case cases[] = {
        {"a black pair inside the ground of White's wall", R"(
...................
...................
...................
...................
...................
.............XX....
)",
         8, 10, false, true},
        {"black stones too many beside the wall around them", R"(
...................
...................
...................
...................
...................
............XXXX...
............XXXX...
)",
         8, 10, true, true},
        {"black stones that live whatever White does", R"(
...............X.X.
...............XXXX
)",
         8, 10, true, true},
        {"a black pair whose liberties are all the room there is: a race", R"(
.............XO.XX.
.............XOOOOO
.............XXXXXX
)",
         15, 2, true},
        {"a black chain joined to the corner's eyes by white stones taken whoever moves first, "
         "a white wall beyond",
         R"(
.X.XO.X..O
XXXXOXX..O
XXXXXO...O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
.........O
)",
         7, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayoutBoard board = playoutBoardOf(c.rows);
        for (int row = 1; c.wall && row <= 19; ++row) {
            board.setStone(PlayoutBoard::at(7, row), PlayoutBoard::Black);
            board.setStone(PlayoutBoard::at(8, row), PlayoutBoard::White);
        }
        const Groups groups = groupsOfAllStones(board);
        const int group = groups.groupOf[board.chainOf(PlayoutBoard::at(c.column, c.row))];
        ASSERT_GE(group, 0);
        EXPECT_EQ(groups.eyeless[group], c.eyeless);
    }
}

TEST(EstimateTest, AnEyeTheOpponentMakesFalseInOneMoveIsNoEye) {
    struct Case {
        const char* name;
        const char* rows;
        bool eyeless;
    };
    const Case cases[] = {
        {"two eyes, one with a white stone on a diagonal and another diagonal open", R"(
.......
.XXXXO.
.X.X.X.
.XXXX..
)",
         true},
        {"two eyes, the diagonals of the second open but no white stone on any", R"(
.......
.XXXX..
.X.X.X.
.XXXX..
)",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A white wall down column 9, so that White's stones are no few stones lost in
        // Black's ground.
        PlayoutBoard board = playoutBoardOf(c.rows);
        for (int row = 1; row <= 19; ++row)
            board.setStone(PlayoutBoard::at(9, row), PlayoutBoard::White);
        const Groups groups = groupsOfAllStones(board);
        const int group = groups.groupOf[board.chainOf(PlayoutBoard::at(2, 2))];
        ASSERT_GE(group, 0);
        EXPECT_EQ(groups.eyeless[group], c.eyeless);
    }
}

TEST(EstimateTest, TheChoiceOfGuessIsKeptInItsOwnFile) {
    QTemporaryDir base;
    ASSERT_TRUE(base.isValid());
    EXPECT_EQ(readCountGuess(base.path()), CountGuess::Estimate); // nothing kept yet
    ASSERT_TRUE(writeCountGuess(base.path(), CountGuess::Traditional).ok);
    EXPECT_EQ(readCountGuess(base.path()), CountGuess::Traditional);
    QFile file(QDir(base.path()).filePath(countGuessFileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), textfile::encode(QStringLiteral("従来")) + "\r\n");
    file.close();
    ASSERT_TRUE(writeCountGuess(base.path(), CountGuess::Estimate).ok);
    EXPECT_EQ(readCountGuess(base.path()), CountGuess::Estimate);

    // A file that says anything else, or is not Windows-31J, means the estimate.
    for (const QByteArray& bytes : {QByteArray("\x82\r\n"), QByteArray("design\r\n")}) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        EXPECT_EQ(readCountGuess(base.path()), CountGuess::Estimate);
    }
}

} // namespace
} // namespace vorleth
