#include "counting/capture.h"
#include "counting/defence.h"
#include "counting/openborders.h"

#include <QStringList>

#include "support/playoutcorner.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::Corner;
using test::cornerOf;

// The sides of the corner's points as text: 'b', 'w', '.' neutral, stones as they are.
QString sidesOf(const Corner& c, int columns, int rows) {
    const std::array<PlayoutBoard::Stone, PlayoutBoard::points> side = nearerSide(c.board, c.live);
    QString text;
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            const int p = PlayoutBoard::at(column, row);
            const PlayoutBoard::Stone s = c.board.stone(p);
            if (s == PlayoutBoard::Black || s == PlayoutBoard::White)
                text += s == PlayoutBoard::Black ? u'X' : u'O';
            else
                text += side[p] == PlayoutBoard::Black   ? u'b'
                        : side[p] == PlayoutBoard::White ? u'w'
                                                         : u'.';
        }
        text += u'\n';
    }
    return text;
}

TEST(OpenBordersTest, GroundGoesToTheNearerSideAndTheBorderIsNeutral) {
    struct Case {
        const char* name;
        const char* rows;
        const char* sides;
    };
    const Case cases[] = {
        {"one open point between walls", "..X.O..\n..X.O..\n", "bbX.Oww\nbbX.Oww\n"},
        {"two open points between walls: each touches the other side's ground",
         "..X..O..\n..X..O..\n", "bbX..Oww\nbbX..Oww\n"},
        {"three open points: the middle one is as near to both", "X...O\nX...O\n",
         "Xb.wO\nXb.wO\n"},
        {"a point between two neutral points, one next to the opponent, is blocked (5, 1)",
         "......XO\n..XOOOXO\n", "bb....XO\nbbXOOOXO\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString expected = QString::fromLatin1(c.sides);
        const QStringList lines = expected.split(u'\n', Qt::SkipEmptyParts);
        EXPECT_EQ(
            sidesOf(cornerOf(c.rows), int(lines.first().size()), int(lines.size())).toStdString(),
            expected.toStdString());
    }
}

TEST(CaptureTest, AChainInAtariIsLostWhenItsOwnerCannotSaveItAndItIsTakenCleanly) {
    struct Case {
        const char* name;
        const char* rows; // the chain looked at holds the corner point
        bool lost;
    };
    const Case cases[] = {
        {"stepping out is suicide, the taking stone joins its wall", "XO..\n.O..\nO...\n", true},
        {"stepping out gives two liberties", "XO..\n....\n", false},
        {"not in atari", "X...\nO...\n", false},
        {"it can take the stone beside it that is in atari", "XO..\nXXO.\n.O..\nO...\n", false},
        {"taking it is a ko: the taking stone is left with one liberty", ".XO.\nXO..\n....\n",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Corner corner = cornerOf(c.rows);
        // The looked-at chain is the first stone of the top row.
        int column = 1;
        while (corner.board.stone(PlayoutBoard::at(column, 1)) == PlayoutBoard::Empty)
            ++column;
        const int chain = corner.board.chainOf(PlayoutBoard::at(column, 1));
        EXPECT_EQ(lostInAtari(corner.board, chain), c.lost);
    }
}

TEST(DefenceTest, ThePointAChainMustFillItself) {
    struct Case {
        const char* name;
        const char* rows; // stones ('x' a dead black one); '+' marks White's territory, other
                          // points are neutral
        int column;       // the point White must fill, 0 for none
        int row;
    };
    const Case cases[] = {
        {"a stone whose other liberty is neutral connects in its ground", "X.O++\nXXXO+\n", 4, 1},
        {"filling the neutral point itself joins it to a wall: nothing to defend", "X.O++\nXX.O+\n",
         0, 0},
        {"a chain of two in atari connects", "XOO++\nXXXO+\n", 4, 1},
        {"a single stone in atari next to its wall connects", "XO+O++\nXXXO++\n", 3, 1},
        {"a stone that running out cannot save is left", "XO+X++\nXXXX++\n", 0, 0},
        {"a stone taking which starts a ko connects", "+XOO++\nXO+O++\n+XOO++\n++++++\n", 3, 2},
        {"a ko only dead stones could take needs no connection", "xO+O++\nxxO+++\n++++++\n", 0, 0},
        {"a stone only dead stones could attack needs no defence", "+O++++\nxxxO++\nOOO+++\n", 0,
         0},
        {"a stone the opponent would take in a ladder is saved inside its ground",
         "O+++\n+X++\n++++\n", 2, 1},
        {"a chain whose only rescue is taking a stone as a ko connects before the end",
         "++OOX.\n++OXX.\nOOX.X.\n..OX..\n", 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Corner corner = cornerOf(c.rows);
        PointOwners owner;
        owner.fill(PlayoutBoard::Empty);
        const QStringList lines = QString::fromLatin1(c.rows).split(u'\n', Qt::SkipEmptyParts);
        for (int row = 0; row < lines.size(); ++row) {
            for (int column = 0; column < lines.at(row).size(); ++column) {
                const int p = PlayoutBoard::at(column + 1, row + 1);
                const QChar ch = lines.at(row).at(column);
                owner[p] = ch == u'X'                 ? PlayoutBoard::Black
                           : ch == u'O' || ch == u'x' ? PlayoutBoard::White
                           : ch == u'+'               ? PlayoutBoard::White
                                                      : PlayoutBoard::Empty;
            }
        }
        const std::array<bool, PlayoutBoard::points> defend = pointsToDefend(corner.board, owner);
        for (int p = 0; p < PlayoutBoard::points; ++p) {
            const bool expected = c.column > 0 && p == PlayoutBoard::at(c.column, c.row);
            EXPECT_EQ(defend[p], expected)
                << PlayoutBoard::columnOf(p) << "," << PlayoutBoard::rowOf(p);
        }
    }
}

TEST(OpenBordersTest, APointIsUndecidedWhenItsSideDependsOnWhoFillsFirst) {
    struct Case {
        const char* name;
        const char* rows;
        const char* undecided; // '?' an undecided point, '.' any other empty point
    };
    const Case cases[] = {
        {"next to a neutral point: either side may fill there first", "X..O\nXXXO\n",
         "X?.O\nXXXO\n"},
        {"ground behind a wall, the neutral points themselves: decided", "..X.O..\n..X.O..\n",
         "..X.O..\n..X.O..\n"},
        {"as near to both sides", "X...O\nX...O\n", "X.?.O\nX.?.O\n"},
        {"next to two neutral points", "XXXXX\n.O.X.\nOO..O\nOOOOO\n",
         "XXXXX\n.O.X.\nOO?.O\nOOOOO\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Corner corner = cornerOf(c.rows);
        const std::array<bool, PlayoutBoard::points> undecided =
            undecidedPoints(corner.board, corner.live);
        const QStringList lines = QString::fromLatin1(c.rows).split(u'\n', Qt::SkipEmptyParts);
        QString text;
        for (int row = 1; row <= lines.size(); ++row) {
            for (int column = 1; column <= lines.first().size(); ++column) {
                const int p = PlayoutBoard::at(column, row);
                const PlayoutBoard::Stone s = corner.board.stone(p);
                text += s == PlayoutBoard::Black   ? u'X'
                        : s == PlayoutBoard::White ? u'O'
                        : undecided[p]             ? u'?'
                                                   : u'.';
            }
            text += u'\n';
        }
        EXPECT_EQ(text.toStdString(), std::string(c.undecided));
    }
}

TEST(OpenBordersTest, ClosingTheBordersFillsTheNeutralPointsAndSavesWhatAFillAttacks) {
    struct Case {
        const char* name;
        const char* rows;
        const char* moves; // "B c,r W c,r ..." in order
    };
    const Case cases[] = {
        {"each side in turn fills a point between both", "XX.OO\nXX.OO\n", "B 3,1 W 3,2"},
        {"a stone put in atari by a fill runs out at once", "XXO.\nXX.O\n", "B 3,2 W 4,1"},
        {"a fill reaching into the opponent's ground is blocked", "XX.O.X\nXO.O..\nXOOO..\n",
         "B 3,1 W 3,2 B 5,1 W 5,2 B 6,2"},
        {"a chain a fill leaves two liberties fills the neutral one before it must connect",
         ".O.X.O\n..OXXO\n.O.XXO\nOOOXXO\n", "B 3,1 W 3,3 B 5,1"},
        {"nothing between both sides: nothing to fill", "X..O\nX..O\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Corner corner = cornerOf(c.rows);
        QStringList played;
        for (const SettleMove& m : closeBorders(corner.board, corner.live))
            played << QStringLiteral("%1 %2,%3")
                          .arg(QChar(m.stone == PlayoutBoard::Black ? u'B' : u'W'))
                          .arg(PlayoutBoard::columnOf(m.point))
                          .arg(PlayoutBoard::rowOf(m.point));
        EXPECT_EQ(played.join(u' ').toStdString(), std::string(c.moves));
    }
}

} // namespace
} // namespace vorleth
