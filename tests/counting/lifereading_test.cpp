#include "counting/lifereading.h"

#include "support/playoutcorner.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::cornerOf;

// The stones of the chain at a point.
std::vector<int> chainAt(const PlayoutBoard& board, int column, int row) {
    std::vector<int> stones;
    const int head = board.chainOf(PlayoutBoard::at(column, row));
    int q = head;
    do {
        stones.push_back(q);
        q = board.nextInChain(q);
    } while (q != head);
    return stones;
}

const char* nameOf(LifeReading reading) {
    return reading == LifeReading::Lives  ? "lives"
           : reading == LifeReading::Dies ? "dies"
                                          : "unsettled";
}

TEST(LifeReadingTest, WhoMovesFirstAndTheShapeDecide) {
    struct Case {
        const char* name;
        const char* rows; // the group read is the chain at (column, row)
        int column;
        int row;
        const char* opponentFirst;
        const char* ownerFirst;
    };
    const Case cases[] = {
        {"two eyes live whoever moves", ".X.XO\nXXXXO\nOOOOO\n", 2, 1, "lives", "lives"},
        {"a straight three lives only when its owner takes the middle", "...XO\nXXXXO\nOOOOO\n", 4,
         1, "dies", "lives"},
        {"one eye and a false one die whoever moves", ".X..O\nXXXOO\nOOOO.\n", 2, 1, "dies",
         "dies"},
        {"a stone sharing both liberties of the chain around it is a seki",
         ".X.OX.\nOOOOX.\nXXXXX.\n", 2, 1, "lives", "lives"},
        {"an attack that first saves its own short chain is read",
         ".OXX.O.\nOXX.XXO\nOOXXOOO\n.OXXOOO\nOOOOOO.\n", 3, 2, "dies", "lives"},
        {"a chain with room all around is not read", "O.......\n........\n..XXX...\n", 3, 3,
         "unsettled", "unsettled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PlayoutBoard board = cornerOf(c.rows).board;
        const std::vector<int> group = chainAt(board, c.column, c.row);
        EXPECT_STREQ(nameOf(readLife(board, group, FirstMove::Opponent)), c.opponentFirst);
        EXPECT_STREQ(nameOf(readLife(board, group, FirstMove::Owner)), c.ownerFirst);
    }
}

TEST(LifeReadingTest, AReadingOutOfBudgetSettlesNothing) {
    // The straight three needs a few moves read to die; a budget of one position cannot.
    const PlayoutBoard board = cornerOf("...XO\nXXXXO\nOOOOO\n").board;
    EXPECT_EQ(readLife(board, chainAt(board, 4, 1), FirstMove::Opponent, 1),
              LifeReading::Unsettled);
}

} // namespace
} // namespace vorleth
