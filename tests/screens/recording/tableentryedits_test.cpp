// The table entry screen: the line edits, saving, and the ways out of it.

#include "screens/recording/tabletestsupport.h"
#include "support/testfiles.h"
#include "support/widgets.h"

#include "app/screens.h"
#include "screens/recording/tableentryscreen.h"
#include "store/workingfiles.h"
#include "ui/screenregistry.h"

#include <QPointer>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace vorleth {
namespace {

using test::stroke;
using test::TableEntryScreenTest;
using test::typeDigits;

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

// While an earlier cell is still red, the user types into another row and picks a line edit:
// the edit acts on that row, exactly as it does when no error is pending.
TEST_F(TableEntryScreenTest, ALineEditWhileACellIsRedActsOnTheChosenRow) {
    using Grid = std::array<std::array<int, 20>, 20>;
    for (const char* action : {"eraselline", "leftshift", "rightshift", "upline", "downline"}) {
        SCOPED_TRACE(action);
        auto fillRow10 = [this] {
            state.table.clearDiagramGrid();
            for (int column = 1; column <= 19; ++column)
                at(column, 10) = column;
        };
        auto typeAtAndEdit = [&] {
            goTo(5, 10);
            typeDigits(grid, 100);
            test::trigger(screen.get(), action);
        };

        // Without a pending error.
        fillRow10();
        at(3, 15) = 121;
        open();
        typeAtAndEdit();
        const Grid expected = state.table.diagramGrid;
        const Point expectedCursor = current();

        // 121 typed at (3, 15) is over the move count of 120: red, the cursor kept there.
        fillRow10();
        open();
        goTo(3, 15);
        typeDigits(grid, 121);
        stroke(grid, Qt::Key_Down);
        ASSERT_TRUE(red(3, 15));
        ASSERT_EQ(current(), (Point{3, 15}));
        typeAtAndEdit();
        EXPECT_EQ(state.table.diagramGrid, expected);
        EXPECT_EQ(current(), expectedCursor);
        EXPECT_EQ(current().row, 10);
    }
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

        if (c.next == ScreenId::BoardRecording) {
            EXPECT_EQ(navigator.calls.back().handover, Handover{PlaceDiagram{}});
        }
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
