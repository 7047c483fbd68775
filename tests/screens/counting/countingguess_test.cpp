#include "screens/counting/countingscreentest.h"

#include "counting/estimate.h"
#include "counting/guesschoice.h"

namespace vorleth::countingtest {
namespace {

// Walls with neutral points left open between them and a gap in Black's wall: the enclosure
// searches see no closed area, the estimate sees the territories.
const QString openBorder = [] {
    QStringList rows;
    for (int row = 1; row <= 19; ++row)
        rows << (row == 10 ? QStringLiteral("...........O.......")
                           : QStringLiteral("..........XO......."));
    return rows.join(u'\n');
}();

class CountingGuessTest : public CountingScreenTest {
protected:
    QAction* item(const char* name) const { return child<QAction>(screen.get(), name); }
};

TEST_F(CountingGuessTest, TheMenuSwitchesTheFirstGuessAndTheChoiceIsKept) {
    setPosition(openBorder, 0, 0);
    const Board& board = state->board.board;
    const CountOutcome estimate = estimatePosition(board);
    const CountOutcome traditional = countPosition(board);
    ASSERT_NE(estimate.grid, traditional.grid) << "the position does not tell the guesses apart";

    open();
    EXPECT_EQ(item("estimateGuess")->text(), QStringLiteral("推定による判定"));
    EXPECT_EQ(item("traditionalGuess")->text(), QStringLiteral("従来の判定"));
    EXPECT_TRUE(item("estimateGuess")->isChecked());
    EXPECT_EQ(state->counting.session.grid(), estimate.grid);
    const QString estimateText = countText();

    item("traditionalGuess")->trigger();
    EXPECT_TRUE(item("traditionalGuess")->isChecked());
    EXPECT_FALSE(item("estimateGuess")->isChecked());
    EXPECT_EQ(state->counting.session.grid(), traditional.grid);
    EXPECT_NE(countText(), estimateText);
    EXPECT_EQ(readCountGuess(temp.path()), CountGuess::Traditional);

    // The next count starts from the kept choice, and corrections work on it.
    screen.reset();
    open();
    EXPECT_TRUE(item("traditionalGuess")->isChecked());
    EXPECT_EQ(state->counting.session.grid(), traditional.grid);
    const Point stone{12, 1};
    ASSERT_EQ(state->counting.session.grid().at(stone), CountMark::WhiteStone);
    correct(stone, "Command7"); // 黒の上蛤: the whole chain of the stone
    EXPECT_EQ(state->counting.session.grid().at(12, 19), CountMark::DeadWhite);

    item("estimateGuess")->trigger();
    EXPECT_EQ(state->counting.session.grid(), estimate.grid);
    EXPECT_EQ(countText(), estimateText);
    EXPECT_EQ(readCountGuess(temp.path()), CountGuess::Estimate);
}

} // namespace
} // namespace vorleth::countingtest
