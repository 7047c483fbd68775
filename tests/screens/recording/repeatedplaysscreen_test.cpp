#include "screens/recording/tabletestsupport.h"
#include "support/testfiles.h"
#include "support/widgets.h"

#include "screens/recording/repeatedplaysscreen.h"
#include "store/workingfiles.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vorleth {
namespace {

using test::stroke;
using test::typeDigits;

// A diagram of 150 moves in which 57, 60, 63 and 66 have no point.
class RepeatedPlaysScreenTest : public ::testing::Test, protected test::TableState {
protected:
    RepeatedPlaysScreenTest() {
        state.record.moveCount = 150;
        for (int n = 1; n <= 150; ++n)
            state.table.tableMoves[n] = Point{(n - 1) % 19 + 1, (n - 1) / 19 + 1}.code();
        for (int n : {57, 60, 63, 66})
            state.table.tableMoves[n] = 0;
    }

    void open() {
        screen = std::make_unique<RepeatedPlaysScreen>(state, navigator, dialogs);
        screen->show();
        grid = screen->grid();
    }
    QStringList column(int c) const {
        QStringList texts;
        for (int row = 1; row <= grid->rows(); ++row)
            texts << grid->text(row, c);
        return texts;
    }
    void type(const QString& keys) {
        for (QChar k : keys) {
            if (k.isDigit())
                stroke(grid, Qt::Key(Qt::Key_0 + k.digitValue()));
            else if (k == u'*')
                stroke(grid, Qt::Key_Asterisk);
            else if (k == u'.')
                stroke(grid, Qt::Key_Period);
            else if (k == u'\b')
                stroke(grid, Qt::Key_Backspace);
            else if (k == u'\r')
                stroke(grid, Qt::Key_Return);
            else
                FAIL() << "no key for " << int(k.unicode());
        }
    }
    int currentRow() const { return grid->currentGridRow(); }

    std::unique_ptr<RepeatedPlaysScreen> screen;
    FlexGrid* grid = nullptr;
};

TEST_F(RepeatedPlaysScreenTest, ListsTheMovesWithoutAPointInOrder) {
    open();
    EXPECT_EQ(screen->objectName(), QStringLiteral("nidouchienter"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("二度打入力"));
    EXPECT_EQ(screen->centralWidget()->size(), QSize(451, 424));
    EXPECT_EQ(test::child<QLabel>(screen.get(), "Label1")->text(),
              QStringLiteral("コウなどの入力画面"));
    EXPECT_EQ(test::child<QLabel>(screen.get(), "Label2")->text(),
              QStringLiteral("直前のコウが繰り返されるときは * をいれると自動で判断します"));
    EXPECT_EQ(test::child<QPushButton>(screen.get(), "Command1")->text(), QStringLiteral("並べる"));
    EXPECT_EQ(test::child<QPushButton>(screen.get(), "Command2")->text(), QStringLiteral("戻る"));
    EXPECT_EQ(grid->text(0, 0), QStringLiteral("手番"));
    EXPECT_EQ(grid->text(0, 1), QStringLiteral("元の手番"));
    EXPECT_EQ(column(0), (QStringList{"57", "60", "63", "66"}));
    EXPECT_EQ(column(1), (QStringList{"", "", "", ""}));
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(grid->currentGridColumn(), 1);
    EXPECT_TRUE(dialogs.shown.empty()) << "no list confirmed yet: nothing to say";
}

// What the keys typed on each row leave in the column of earlier moves.
TEST_F(RepeatedPlaysScreenTest, KeysFillTheCurrentCell) {
    struct Case {
        const char* name;
        QVector<RepeatedPlay> lastList; // confirmed before, read back as the screen opens
        QString keys;                   // typed from row 1, "\r" moving down a row
        QStringList earlier;
    };
    const Case cases[] = {
        {"digits, Enter to the next row", {}, "51\r54", {"51", "54", "", ""}},
        {"a star repeats the number two rows above", {}, "51\r54\r*\r*", {"51", "54", "51", "54"}},
        {"a star on the first two rows does nothing", {}, "*\r*\r7", {"", "", "7", ""}},
        {"a star under an empty cell does nothing", {}, "\r\r5*", {"", "", "5", ""}},
        {"digits extend a filled cell", {{66, 2}}, "\r\r\r3", {"", "", "", "23"}},
        {"Backspace and the period clear", {}, "23\b4\r18.", {"4", "", "", ""}},
        {"no number beyond the table's moves", {}, "5012", {"50", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TableEntryData last;
        last.repeatedPlays = c.lastList;
        ASSERT_TRUE(writeRepeatedPlays(state.baseDirectory, last).ok);
        open();
        type(c.keys);
        EXPECT_EQ(column(1), c.earlier);
    }
}

TEST_F(RepeatedPlaysScreenTest, EnterStopsAtTheLastRow) {
    open();
    type(QStringLiteral("\r\r\r\r\r"));
    EXPECT_EQ(currentRow(), 4);
}

// A number just typed that names no move of the diagram is reported at every change of the
// current cell, until another number is typed or the cell is cleared.
TEST_F(RepeatedPlaysScreenTest, ANumberThatNamesNoMoveIsReportedOnEveryMove) {
    struct Case {
        const char* name;
        QString keys;
        QStringList messages;
    };
    const Case cases[] = {
        {"beyond the diagram", "400\r\r", {"400手目はありません", "400手目はありません"}},
        {"a repeated play itself", "57\r", {"57手目はありません"}},
        {"zero", "0\r", {"0手目はありません"}},
        {"a move on the diagram", "23\r\r", {}},
        {"corrected by another number", "400\r23\r", {"400手目はありません"}},
        {"cleared", "400\b\r\r", {}},
        {"the star changes nothing", "400\r*\r", {"400手目はありません", "400手目はありません"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        open();
        type(c.keys);
        EXPECT_EQ(dialogs.messages(), c.messages);
    }
}

TEST_F(RepeatedPlaysScreenTest, FinishingKeepsAndWritesTheListAndOpensTheBoard) {
    open();
    type(QStringLiteral("23\r41\r*\r")); // row 4 left empty
    test::click(screen.get(), "Command1");
    test::settle();
    const QVector<RepeatedPlay> expected{{57, 23}, {60, 41}, {63, 23}, {66, 0}};
    EXPECT_EQ(state.table.repeatedPlays, expected);
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::BoardRecording});
    EXPECT_FALSE(screen->isVisible());

    TableEntryData readBack;
    ASSERT_TRUE(readRepeatedPlays(state.baseDirectory, readBack).ok);
    EXPECT_EQ(readBack.repeatedPlays, expected);
}

TEST_F(RepeatedPlaysScreenTest, BackReturnsToTheTableWithoutKeepingTheList) {
    state.table.repeatedPlays = {{57, 23}};
    open();
    type(QStringLiteral("\b31"));
    test::click(screen.get(), "Command2");
    test::settle();
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::TableEntry});
    EXPECT_FALSE(screen->isVisible());
    EXPECT_FALSE(QFile::exists(repeatedPlaysPath(state.baseDirectory)));
}

// The earlier moves of the last confirmed list come back beside the same move numbers; an
// entry that came from an import keeps the list the import gave.
TEST_F(RepeatedPlaysScreenTest, ReopeningShowsTheLastConfirmedList) {
    struct Case {
        const char* name;
        bool imported;
        QStringList earlier;
    };
    const Case cases[] = {
        {"from 棋譜.ENT2", false, {"23", "", "", "41"}},
        {"from the import", true, {"", "31", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TableEntryData saved;
        saved.repeatedPlays = {{57, 23}, {99, 5}, {66, 41}};
        ASSERT_TRUE(writeRepeatedPlays(state.baseDirectory, saved).ok);
        state.table.repeatedPlays = {{60, 31}, {70, 1}};
        state.import.yahooImportFlag = c.imported;
        open();
        EXPECT_EQ(column(0), (QStringList{"57", "60", "63", "66"}));
        EXPECT_EQ(column(1), c.earlier);
        // Opening leaves the list whole: pairs of moves that have a point now are kept.
        EXPECT_EQ(state.table.repeatedPlays.size(), c.imported ? 2 : 3);
    }
}

TEST_F(RepeatedPlaysScreenTest, AnUnreadableListIsReportedAndStartsEmpty) {
    test::writeBytes(repeatedPlaysPath(state.baseDirectory), "57 , x\r\n");
    state.table.repeatedPlays = {{57, 23}};
    open();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(cannotReadWorkingFileMessage));
    EXPECT_EQ(column(1), (QStringList{"", "", "", ""}));
}

} // namespace
} // namespace vorleth
