// The table entry screen: its layout, the keys, and the checks of a cell as the cursor leaves it.

#include "screens/recording/tabletestsupport.h"
#include "support/testfiles.h"
#include "support/widgets.h"

#include "screens/recording/tableentryscreen.h"
#include "store/workingfiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

namespace vorleth {
namespace {

using test::clickCell;
using test::press;
using test::release;
using test::stroke;
using test::TableEntryScreenTest;
using test::typeDigits;

TEST_F(TableEntryScreenTest, LaysOutTheBoardGridAtEitherScreenSize) {
    struct Case {
        int screenSize;
        QSize client;         // pixels of 15 twips
        int columnWidthTwips; // as near as whole pixels come
        int finishLeft, backLeft, messageTop;
    };
    for (const Case c :
         {Case{640, {624, 404}, 380, 88, 448, 376}, Case{800, {755, 539}, 485, 80, 597, 501}}) {
        SCOPED_TRACE(c.screenSize);
        open(c.screenSize);
        EXPECT_EQ(screen->objectName(), QStringLiteral("mapsofuenter"));
        EXPECT_EQ(screen->windowTitle(), QStringLiteral("Vorleth　総譜から入力"));
        EXPECT_EQ(screen->centralWidget()->size(), c.client);
        EXPECT_EQ(test::child<QLabel>(screen.get(), "Label1")->text(),
                  QStringLiteral("Vorleth　 総譜入力画面"));
        EXPECT_EQ(test::child<QPushButton>(screen.get(), "Command1")->x(), c.finishLeft);
        EXPECT_EQ(test::child<QPushButton>(screen.get(), "Command2")->x(), c.backLeft);
        EXPECT_EQ(test::child<QLineEdit>(screen.get(), "errmsg")->y(), c.messageTop);

        ASSERT_EQ(grid->columns(), 20);
        ASSERT_EQ(grid->rows(), 19);
        for (int i = 0; i < 20; ++i) {
            EXPECT_EQ(grid->text(0, i), QString::number(i));
            EXPECT_NEAR(grid->columnWidthTwips(i), c.columnWidthTwips, 15);
        }
        for (int row = 1; row <= 19; ++row)
            EXPECT_EQ(grid->text(row, 0), QString::number(row));
        // The whole board shows without scrolling.
        const QRect lastCell = grid->visualItemRect(grid->item(18, 19));
        EXPECT_TRUE(grid->viewport()->rect().contains(lastCell)) << lastCell.y();
        EXPECT_EQ(current(), (Point{1, 1}));
    }
}

TEST_F(TableEntryScreenTest, StarPointsHaveTheirColourAndNumbersStartBlack) {
    open();
    const QColor star(255, 224, 192);
    int stars = 0;
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            stars += grid->cellBackground(row, column) == star;
            EXPECT_FALSE(red(column, row));
        }
    }
    EXPECT_EQ(stars, 9);
    for (Point p : {Point{4, 4}, Point{10, 4}, Point{16, 16}, Point{10, 10}})
        EXPECT_EQ(grid->cellBackground(p.row, p.column), star);
}

TEST_F(TableEntryScreenTest, MenusCarryTheirCaptionsAndTheBlankItemDoesNothing) {
    open();
    const struct {
        const char* name;
        QString caption;
    } items[] = {
        {"leftshift", QStringLiteral("左にシフト")}, {"rightshift", QStringLiteral("右にシフト")},
        {"upline", QStringLiteral("１行上げる")},    {"downline", QStringLiteral("１行下げる")},
        {"eraselline", QStringLiteral("１行消去")},  {"savepro", QStringLiteral("現状保管")},
        {"F8HELP", QStringLiteral("ヘルプ")},        {"kuhaku", QString(31, QChar(0x3000))},
    };
    for (const auto& item : items)
        EXPECT_EQ(test::child<QAction>(screen.get(), item.name)->text(), item.caption);
    EXPECT_EQ(test::child<QMenu>(screen.get(), "shuseishiji")->title(), QStringLiteral("修正指示"));

    at(5, 5) = 12;
    test::trigger(screen.get(), "kuhaku");
    EXPECT_TRUE(navigator.calls.empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(at(5, 5), 12);
    EXPECT_FALSE(QFile::exists(workingEntryPath(state.baseDirectory)));
}

TEST_F(TableEntryScreenTest, HelpOpensBesideOnTheTableEntryGuide) {
    open();
    test::trigger(screen.get(), "F8HELP");
    EXPECT_EQ(navigator.besides, std::vector<ScreenId>{ScreenId::Help});
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::tableEntry);
    EXPECT_TRUE(navigator.shown.empty());
}

TEST_F(TableEntryScreenTest, LoadShowsTheDiagramGridAndRegistersItsNumbers) {
    at(16, 4) = 1;
    at(4, 16) = 2;
    at(3, 3) = 7;
    at(9, 2) = 7;                      // the later cell in reading order keeps the number
    state.table.tableMoves[99] = 1010; // a stale point is forgotten
    open();
    EXPECT_EQ(shown(16, 4), QStringLiteral("1"));
    EXPECT_EQ(shown(4, 16), QStringLiteral("2"));
    EXPECT_EQ(shown(5, 5), QString());
    EXPECT_EQ(registered(1), 1604);
    EXPECT_EQ(registered(2), 416);
    EXPECT_EQ(registered(7), 303);
    EXPECT_EQ(registered(99), 0);
    EXPECT_EQ(state.replay.beepCount, 150);
}

// The keys of one edit, typed into (5, 5) holding 37 or nothing, and what the cell then shows.
TEST_F(TableEntryScreenTest, KeysEditTheCurrentCell) {
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers = {};
    };
    struct Case {
        const char* name;
        int before;
        std::vector<Key> keys;
        int after;
    };
    const Qt::Key k0 = Qt::Key_0, k1 = Qt::Key_1, k2 = Qt::Key_2, k4 = Qt::Key_4, k5 = Qt::Key_5;
    const Case cases[] = {
        {"two digits", 0, {{k1}, {k2}}, 12},
        {"a leading zero is dropped", 0, {{k0}, {Qt::Key_7}}, 7},
        {"up to 500", 0, {{k5}, {k0}, {k0}}, 500},
        {"a digit beyond 500 is ignored", 0, {{k5}, {k0}, {k0}, {k1}}, 500},
        {"501 stops at 50", 0, {{k5}, {k0}, {k1}}, 50},
        {"typing replaces the number", 37, {{Qt::Key_3}}, 3},
        {"Backspace empties", 37, {{Qt::Key_Backspace}}, 0},
        {"Backspace then digits", 37, {{Qt::Key_Backspace}, {k4}}, 4},
        {"Delete drops the last digit typed", 0, {{k4}, {k5}, {Qt::Key_Delete}}, 4},
        {"Delete of the only digit empties", 0, {{k4}, {Qt::Key_Delete}}, 0},
        {"Delete without an edit keeps the number", 37, {{Qt::Key_Delete}}, 37},
        {"numeric keypad", 0, {{k2, Qt::KeypadModifier}, {k4, Qt::KeypadModifier}}, 24},
        {"other keys do nothing", 37, {{Qt::Key_A}, {Qt::Key_Space}}, 37},
        {"zeros stay empty", 0, {{k0}, {k0}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        at(5, 5) = c.before;
        open();
        goTo(5, 5);
        for (const Key& k : c.keys)
            stroke(grid, k.key, k.modifiers);
        EXPECT_EQ(at(5, 5), c.after);
        EXPECT_EQ(shown(5, 5), c.after ? QString::number(c.after) : QString());
        EXPECT_EQ(current(), (Point{5, 5}));
    }
}

// A key acts when it comes up, and only when it went down last in the grid; Enter always.
TEST_F(TableEntryScreenTest, AKeyActsOnItsReleaseAndOnlyWhenItWasPressedLast) {
    struct Event {
        bool down;
        Qt::Key key;
    };
    struct Case {
        const char* name;
        std::vector<Event> events;
        QString shown;
        Point cursor;
    };
    const Qt::Key k1 = Qt::Key_1, k2 = Qt::Key_2;
    const Case cases[] = {
        {"pressed, not yet released", {{true, k1}}, QString(), {5, 5}},
        {"pressed and released", {{true, k1}, {false, k1}}, QStringLiteral("1"), {5, 5}},
        {"released without a press", {{false, k1}}, QString(), {5, 5}},
        {"rolled over: only the last pressed acts",
         {{true, k1}, {true, k2}, {false, k1}, {false, k2}},
         QStringLiteral("2"),
         {5, 5}},
        {"Enter released without a press", {{false, Qt::Key_Return}}, QString(), {1, 6}},
        {"Enter while another key is down",
         {{true, k1}, {false, k1}, {true, k2}, {true, Qt::Key_Enter}, {false, Qt::Key_Enter}},
         QStringLiteral("1"),
         {1, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        at(5, 5) = 0;
        open();
        goTo(5, 5);
        for (const Event& e : c.events)
            e.down ? press(grid, e.key) : release(grid, e.key);
        EXPECT_EQ(shown(5, 5), c.shown);
        EXPECT_EQ(current(), c.cursor);
    }
}

TEST_F(TableEntryScreenTest, AHeldDigitCountsOnce) {
    open();
    goTo(5, 5);
    press(grid, Qt::Key_3);
    for (int i = 0; i < 5; ++i)
        test::repeat(grid, Qt::Key_3, QStringLiteral("3"));
    release(grid, Qt::Key_3);
    EXPECT_EQ(shown(5, 5), QStringLiteral("3"));
}

TEST_F(TableEntryScreenTest, EnterChecksSavesAndGoesToTheNextRow) {
    open();
    goTo(16, 4);
    typeDigits(grid, 12);
    stroke(grid, Qt::Key_Return);
    EXPECT_EQ(at(16, 4), 12);
    EXPECT_EQ(registered(12), 1604);
    EXPECT_EQ(current(), (Point{1, 5}));

    CurrentRecord record;
    TableEntryData table;
    ASSERT_TRUE(readWorkingEntry(state.baseDirectory, record, table).ok);
    EXPECT_EQ(record.game, state.record.game);
    EXPECT_EQ(record.moveCount, 120);
    EXPECT_EQ(table.tableMoves[12], 1604);
    EXPECT_EQ(table.tableMoves[11], 0);

    goTo(7, 19);
    stroke(grid, Qt::Key_Enter);
    EXPECT_EQ(current(), (Point{1, 19})) << "the last row stays";
}

TEST_F(TableEntryScreenTest, EnterReportsAWorkingFileThatCannotBeWritten) {
    state.baseDirectory = directory.filePath(QStringLiteral("missing/directory"));
    open();
    goTo(3, 3);
    typeDigits(grid, 5);
    stroke(grid, Qt::Key_Return);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(cannotWriteWorkingFileMessage));
    EXPECT_EQ(registered(5), 303) << "the entry goes on in memory";
}

TEST_F(TableEntryScreenTest, LeavingACellRegistersItsNumberAndForgetsTheOneItReplaced) {
    struct Case {
        const char* name;
        int before;
        std::vector<Qt::Key> keys;
        int number;    // registered at (5, 5) afterwards (0: none)
        int forgotten; // no longer registered
    };
    const Case cases[] = {
        {"a new number", 0, {Qt::Key_4, Qt::Key_2}, 42, 0},
        {"typed over another", 25, {Qt::Key_3}, 3, 25},
        {"emptied by Backspace", 37, {Qt::Key_Backspace}, 0, 37},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        at(5, 5) = c.before;
        open();
        goTo(5, 5);
        for (Qt::Key k : c.keys)
            stroke(grid, k);
        stroke(grid, Qt::Key_Right);
        EXPECT_EQ(current(), (Point{6, 5}));
        if (c.number) {
            EXPECT_EQ(registered(c.number), 505);
        }
        if (c.forgotten) {
            EXPECT_EQ(registered(c.forgotten), 0);
        }
        EXPECT_EQ(message(), QString());
        EXPECT_TRUE(beeper.runs.empty());
        at(5, 5) = 0;
    }
}

TEST_F(TableEntryScreenTest, AReplacedNumberCanBeTypedElsewhereWithoutADuplicate) {
    at(5, 5) = 25;
    open();
    goTo(5, 5);
    stroke(grid, Qt::Key_3);
    clickCell(grid, 9, 12); // leaving by the mouse checks too
    typeDigits(grid, 25);
    stroke(grid, Qt::Key_Down);
    EXPECT_EQ(message(), QString());
    EXPECT_EQ(registered(3), 505);
    EXPECT_EQ(registered(25), 1209);
    EXPECT_EQ(current(), (Point{12, 10}));
}

TEST_F(TableEntryScreenTest, ANumberAboveTheMoveCountIsRefusedOnLeavingTheCell) {
    open();
    goTo(3, 15);
    typeDigits(grid, 121);
    stroke(grid, Qt::Key_Right);
    EXPECT_EQ(message(), QStringLiteral("手番ｵｰﾊﾞｰ  手数:120 場所:315"));
    EXPECT_EQ(beeper.runs, std::vector<int>{150});
    EXPECT_TRUE(red(3, 15));
    EXPECT_EQ(current(), (Point{3, 15})) << "the cursor goes back";
    EXPECT_EQ(at(3, 15), 121) << "the number stays";
    EXPECT_EQ(registered(121), 0);

    // Corrected, the cell turns black and the input goes on in the cell after it.
    typeDigits(grid, 12);
    stroke(grid, Qt::Key_Down);
    EXPECT_EQ(message(), QString());
    EXPECT_FALSE(red(3, 15));
    EXPECT_EQ(registered(12), 315);
    EXPECT_EQ(current(), (Point{4, 15}));
    EXPECT_EQ(beeper.runs.size(), 1u);
}

TEST_F(TableEntryScreenTest, ADuplicateShowsBothCellsRedUntilACheckPasses) {
    at(17, 16) = 45;
    open();
    goTo(3, 3);
    typeDigits(grid, 45);
    stroke(grid, Qt::Key_Down);
    EXPECT_EQ(message(), QStringLiteral("重複  手番:45 場所:33 =1716"));
    EXPECT_EQ(beeper.runs, std::vector<int>{150});
    EXPECT_TRUE(red(3, 3));
    EXPECT_TRUE(red(17, 16));
    EXPECT_EQ(shown(3, 3), QStringLiteral("45"));
    EXPECT_EQ(shown(17, 16), QStringLiteral("45"));
    EXPECT_EQ(current(), (Point{3, 3}));
    EXPECT_EQ(registered(45), 1716) << "the earlier cell keeps the number";

    // A check that passes anywhere clears both and moves on after the cell that was wrong.
    goTo(10, 12);
    typeDigits(grid, 46);
    stroke(grid, Qt::Key_Left);
    EXPECT_FALSE(red(3, 3));
    EXPECT_FALSE(red(17, 16));
    EXPECT_EQ(message(), QString());
    EXPECT_EQ(current(), (Point{4, 3}));
    EXPECT_EQ(registered(46), 1012);
}

TEST_F(TableEntryScreenTest, TheCellAfterAnErrorWrapsAtTheEndOfARowAndOfTheBoard) {
    struct Case {
        Point wrong;
        Point next;
    };
    for (const Case c : {Case{{19, 7}, {1, 8}}, Case{{19, 19}, {1, 1}}}) {
        SCOPED_TRACE(c.wrong.code());
        open();
        goTo(c.wrong.column, c.wrong.row);
        typeDigits(grid, 300);
        stroke(grid, Qt::Key_Left);
        ASSERT_EQ(current(), c.wrong);
        stroke(grid, Qt::Key_Backspace);
        stroke(grid, Qt::Key_Left);
        EXPECT_EQ(current(), c.next);
        EXPECT_FALSE(red(c.wrong.column, c.wrong.row));
    }
}

} // namespace
} // namespace vorleth
