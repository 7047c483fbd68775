#include "recording/tabletestsupport.h"
#include "support/testfiles.h"
#include "support/widgets.h"

#include "app/screens.h"
#include "recording/tableentryscreen.h"
#include "store/workingfiles.h"
#include "ui/screenregistry.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace vorleth {
namespace {

using test::clickCell;
using test::press;
using test::release;
using test::stroke;
using test::typeDigits;

class TableEntryScreenTest : public ::testing::Test, protected test::TableState {
protected:
    // Opens the screen and lets its load timer fill the grid.
    void open(int screenSize = 640) {
        state.geometry = BoardGeometry::forScreenSize(screenSize);
        screen = std::make_unique<TableEntryScreen>(state, navigator, dialogs, &beeper);
        screen->show();
        grid = screen->grid();
        test::fire(test::child<QTimer>(screen.get(), "Timer1"));
    }

    int& at(int column, int row) { return state.table.diagramGrid[column][row]; }
    QString shown(int column, int row) const { return grid->text(row, column); }
    bool red(int column, int row) const {
        return grid->cellForeground(row, column) == QColor(255, 0, 0);
    }
    Point current() const { return {grid->currentGridColumn(), grid->currentGridRow()}; }
    void goTo(int column, int row) { grid->setCurrent(row, column); }
    QString message() const { return test::child<QLineEdit>(screen.get(), "errmsg")->text(); }
    int registered(int number) const { return state.table.tableMoves[number]; }

    test::CountingBeeper beeper;
    std::unique_ptr<TableEntryScreen> screen;
    FlexGrid* grid = nullptr;
};

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

// Each line edit on a row (or the rows around it) of distinct numbers, with the cursor at
// (5, 10): the grid, what it shows and the registered points all follow.
TEST_F(TableEntryScreenTest, LineEditsMoveNumbersAndTheirPoints) {
    struct Case {
        const char* action;
        Point cursor;
        std::vector<std::pair<Point, int>> expected; // the cells that hold a number afterwards
    };
    // Row 10 holds 1..19 in columns 1..19; rows 1, 9, 11 and 19 hold one number each.
    auto fill = [this] {
        state.table.clearDiagramGrid();
        for (int column = 1; column <= 19; ++column)
            at(column, 10) = column;
        at(2, 1) = 101;
        at(2, 9) = 109;
        at(2, 11) = 111;
        at(2, 19) = 119;
    };
    auto row10 = [](std::vector<int> numbers) {
        std::vector<std::pair<Point, int>> cells;
        for (int column = 1; column <= 19; ++column) {
            if (numbers[column - 1])
                cells.push_back({{column, 10}, numbers[column - 1]});
        }
        return cells;
    };
    auto with = [](std::vector<std::pair<Point, int>> a, std::vector<std::pair<Point, int>> b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<std::pair<Point, int>> others{
        {{2, 1}, 101}, {{2, 9}, 109}, {{2, 11}, 111}, {{2, 19}, 119}};
    const Case cases[] = {
        {"rightshift", {5, 10},
         with(others, row10({1, 2, 3, 4, 0, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}))},
        {"leftshift", {5, 10},
         with(others, row10({1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0}))},
        {"leftshift", {1, 10},
         with(others, row10({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0}))},
        {"eraselline", {5, 10}, others},
        {"upline", {5, 1},
         with({{{2, 9}, 109}, {{2, 11}, 111}, {{2, 19}, 119}},
              row10({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}))},
        {"upline", {5, 11},
         [] {
             std::vector<std::pair<Point, int>> cells{{{2, 8}, 109}, {{2, 10}, 111},
                                                      {{2, 19}, 119}};
             for (int column = 1; column <= 19; ++column)
                 cells.push_back({{column, 9}, column});
             return cells;
         }()},
        {"downline", {5, 9},
         [] {
             std::vector<std::pair<Point, int>> cells{{{2, 1}, 101}, {{2, 10}, 109},
                                                      {{2, 12}, 111}};
             for (int column = 1; column <= 19; ++column)
                 cells.push_back({{column, 11}, column});
             return cells;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " at " + std::to_string(c.cursor.code()));
        fill();
        open();
        goTo(c.cursor.column, c.cursor.row);
        test::trigger(screen.get(), c.action);

        std::array<std::array<int, 20>, 20> expected{};
        for (const auto& [cell, number] : c.expected)
            expected[cell.column][cell.row] = number;
        for (int column = 1; column <= 19; ++column) {
            for (int row = 1; row <= 19; ++row) {
                const int n = expected[column][row];
                ASSERT_EQ(at(column, row), n) << column << "," << row;
                EXPECT_EQ(shown(column, row), n ? QString::number(n) : QString());
                if (n) {
                    EXPECT_EQ(registered(n), column * 100 + row);
                }
            }
        }
        // Numbers the edit pushed off the board are no longer registered anywhere.
        for (int n : {1, 19, 101, 119}) {
            if (std::none_of(c.expected.begin(), c.expected.end(),
                             [n](const auto& cell) { return cell.second == n; })) {
                EXPECT_EQ(registered(n), 0) << n;
            }
        }
        EXPECT_EQ(current(), c.cursor);
    }
}

TEST_F(TableEntryScreenTest, ALineEditChecksTheNumberBeingTypedFirst) {
    at(17, 16) = 45;
    open();
    goTo(5, 10);
    typeDigits(grid, 45);
    test::trigger(screen.get(), "rightshift");
    // The duplicate is reported on the cell it was typed in, before the row moved.
    EXPECT_EQ(message(), QStringLiteral("重複  手番:45 場所:510 =1716"));
    EXPECT_EQ(at(6, 10), 45);
    EXPECT_EQ(at(5, 10), 0);

    // Leaving the cell later checks nothing more: the edit is over.
    beeper.runs.clear();
    stroke(grid, Qt::Key_Down);
    EXPECT_TRUE(beeper.runs.empty());
}

TEST_F(TableEntryScreenTest, SavingTheStateKeepsTheNumberBeingTyped) {
    at(16, 4) = 1;
    open();
    goTo(5, 10);
    typeDigits(grid, 7);
    test::trigger(screen.get(), "savepro");
    CurrentRecord record;
    TableEntryData table;
    ASSERT_TRUE(readWorkingEntry(state.baseDirectory, record, table).ok);
    EXPECT_EQ(table.tableMoves[1], 1604);
    EXPECT_EQ(table.tableMoves[7], 510);
    EXPECT_TRUE(navigator.calls.empty());
}

// "並べる" on the whole grid: where it leads, or why it stays.
TEST_F(TableEntryScreenTest, FinishingTheTableHandsOverOrReportsTheLastError) {
    struct Case {
        const char* name;
        std::vector<std::pair<Point, int>> extra; // put on a grid holding 1..120 in order
        std::vector<int> missing;                 // numbers left out of that grid
        std::optional<ScreenId> next;
        QString message;
        size_t beepRuns;
    };
    const Case cases[] = {
        {"every move on the grid", {}, {}, ScreenId::BoardRecording, QString(), 0},
        {"moves without a point", {}, {57, 88}, ScreenId::RepeatedPlays, QString(), 0},
        {"a duplicate",
         {{{19, 19}, 30}},
         {},
         std::nullopt,
         QStringLiteral("重複  手番:30 場所:112 =1919"),
         1},
        {"a number above the move count",
         {{{19, 19}, 121}},
         {},
         std::nullopt,
         QStringLiteral("手番ｵｰﾊﾞｰ  手数:120 場所:1919"),
         1},
        {"two errors: the last one is shown",
         {{{18, 19}, 121}, {{19, 19}, 30}},
         {},
         std::nullopt,
         QStringLiteral("重複  手番:30 場所:112 =1919"),
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.table.clearDiagramGrid();
        for (int n = 1; n <= 120; ++n) {
            if (std::find(c.missing.begin(), c.missing.end(), n) == c.missing.end())
                at((n - 1) % 19 + 1, (n - 1) / 19 + 1) = n;
        }
        for (const auto& [cell, number] : c.extra)
            at(cell.column, cell.row) = number;
        state.table.tablePrefilled = true;
        navigator.clear();
        beeper.runs.clear();
        open();
        test::click(screen.get(), "Command1");
        test::settle();

        EXPECT_EQ(state.table.boardScreenState, 1);
        EXPECT_EQ(beeper.runs, std::vector<int>(c.beepRuns, 150));
        if (c.next) {
            EXPECT_EQ(navigator.shown, std::vector<ScreenId>{*c.next});
            EXPECT_FALSE(screen->isVisible());
            EXPECT_FALSE(state.table.tablePrefilled);
            for (int n = 1; n <= 120; ++n) {
                const bool missing =
                    std::find(c.missing.begin(), c.missing.end(), n) != c.missing.end();
                EXPECT_EQ(registered(n) == 0, missing) << n;
            }
            CurrentRecord record;
            TableEntryData table;
            ASSERT_TRUE(readWorkingEntry(state.baseDirectory, record, table).ok);
            EXPECT_EQ(table.tableMoves, state.table.tableMoves);
        } else {
            EXPECT_TRUE(navigator.shown.empty());
            EXPECT_TRUE(screen->isVisible());
            EXPECT_EQ(message(), c.message);
        }
    }
}

TEST_F(TableEntryScreenTest, BackLeavesForTheMainMenuAndTheDiagramStays) {
    at(16, 4) = 1;
    open();
    goTo(4, 16);
    typeDigits(grid, 2);
    stroke(grid, Qt::Key_Return);
    const auto diagram = state.table.diagramGrid;
    const auto moves = state.table.tableMoves;
    test::click(screen.get(), "Command2");
    test::settle();
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(state.table.diagramGrid, diagram);
    EXPECT_EQ(state.table.tableMoves, moves);
    EXPECT_EQ(state.replay.beepCount, 150) << "until another screen sets its own";

    // Coming back shows what was typed.
    open();
    EXPECT_EQ(shown(16, 4), QStringLiteral("1"));
    EXPECT_EQ(shown(4, 16), QStringLiteral("2"));
}

TEST_F(TableEntryScreenTest, ARightClickOutsideTheGridDoesNothing) {
    at(1, 1) = 5;
    open();
    QWidget* client = screen->centralWidget();
    const QPoint outside(5, client->height() - 5);
    ASSERT_FALSE(grid->geometry().contains(outside));
    QTest::mouseClick(client, Qt::RightButton, {}, outside);
    EXPECT_EQ(at(1, 1), 5);
    EXPECT_EQ(shown(1, 1), QStringLiteral("5"));
    EXPECT_TRUE(navigator.calls.empty());
    EXPECT_TRUE(dialogs.shown.empty());
}

// Through the program's own wiring: "並べる" with a move left without a point opens the
// repeated-play screen in place of the table, and its "戻る" the table again, as it was.
TEST(TableEntryWiring, TableAndRepeatedPlaysHandOverToEachOther) {
    test::TableState t;
    t.state.record.moveCount = 3;
    t.state.table.diagramGrid[4][4] = 1;
    t.state.table.diagramGrid[16][16] = 3;
    ScreenRegistry registry;
    registerScreens(registry, t.state, t.dialogs);

    registry.show(ScreenId::TableEntry);
    QPointer<QWidget> table = registry.current();
    ASSERT_FALSE(table.isNull());
    EXPECT_EQ(table->objectName(), QStringLiteral("mapsofuenter"));
    test::finishLoading(table);

    test::click(table, "Command1");
    test::settle();
    EXPECT_TRUE(table.isNull()) << "the table closed as it handed over";
    QPointer<QWidget> repeated = registry.current();
    ASSERT_FALSE(repeated.isNull());
    EXPECT_EQ(repeated->objectName(), QStringLiteral("nidouchienter"));
    EXPECT_EQ(test::child<FlexGrid>(repeated, "Grid1")->text(1, 0), QStringLiteral("2"));

    test::click(repeated, "Command2");
    test::settle();
    EXPECT_TRUE(repeated.isNull());
    ASSERT_NE(registry.current(), nullptr);
    EXPECT_EQ(registry.current()->objectName(), QStringLiteral("mapsofuenter"));
    test::finishLoading(registry.current());
    const FlexGrid* grid = test::child<FlexGrid>(registry.current(), "Grid1");
    EXPECT_EQ(grid->text(4, 4), QStringLiteral("1"));
    EXPECT_EQ(grid->text(16, 16), QStringLiteral("3"));
    EXPECT_TRUE(t.dialogs.shown.empty());
    registry.current()->close();
    test::settle();
}

} // namespace
} // namespace vorleth
