#include "ui/flexgrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

// A grid of headings and three data rows, shown so that clicks and keys reach it.
class FlexGridTest : public testing::Test {
protected:
    FlexGridTest() {
        grid.setColumns(3);
        grid.setRows(3);
        grid.setText(0, 0, QStringLiteral("番号"));
        grid.setText(0, 1, QStringLiteral("対局名"));
        grid.setText(0, 2, QStringLiteral("白番"));
        for (int row = 1; row <= 3; ++row) {
            for (int column = 0; column < 3; ++column)
                grid.setText(row, column, QStringLiteral("%1-%2").arg(row).arg(column));
        }
        grid.resize(400, 200);
        grid.show();
    }

    QPoint centreOf(int row, int column) const {
        return grid.visualItemRect(grid.item(row - 1, column)).center();
    }

    FlexGrid grid;
};

TEST_F(FlexGridTest, RowZeroIsTheHeadingAndDataRowsCountFromOne) {
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.columns(), 3);
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("対局名"));
    EXPECT_EQ(grid.text(0, 2), QStringLiteral("白番"));
    EXPECT_EQ(grid.item(0, 1)->text(), QStringLiteral("1-1"));
    EXPECT_EQ(grid.text(3, 2), QStringLiteral("3-2"));
    // Out of range reads nothing and writes nowhere.
    EXPECT_EQ(grid.text(4, 0), QString());
    EXPECT_EQ(grid.text(1, 3), QString());
    grid.setText(4, 0, QStringLiteral("x"));
    grid.setText(-1, 0, QStringLiteral("x"));
    EXPECT_EQ(grid.rowCount(), 3);
}

TEST_F(FlexGridTest, ColumnWidthsAreGivenInTwips) {
    grid.setColumnWidthTwips(0, 500);
    grid.setColumnWidthTwips(1, 2000);
    EXPECT_EQ(grid.columnWidth(0), 33);
    EXPECT_EQ(grid.columnWidth(1), 133);
    EXPECT_EQ(grid.columnWidthTwips(1), 1995);
}

TEST_F(FlexGridTest, CellColoursAndAlignment) {
    const QColor lightCyan(192, 255, 255);
    grid.setCellBackground(2, 1, lightCyan);
    grid.setCellForeground(2, 1, Qt::red);
    EXPECT_EQ(grid.cellBackground(2, 1), lightCyan);
    EXPECT_EQ(grid.cellForeground(2, 1), QColor(Qt::red));
    EXPECT_EQ(grid.item(1, 1)->background().color(), lightCyan);
    EXPECT_EQ(grid.cellBackground(1, 1), grid.palette().color(QPalette::Base));

    grid.setColumnAlignment(2, Qt::AlignCenter);
    grid.setRows(4);
    grid.setText(4, 2, QStringLiteral("new"));
    EXPECT_EQ(grid.item(0, 2)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_EQ(grid.item(3, 2)->textAlignment(), int(Qt::AlignCenter));
}

TEST_F(FlexGridTest, ClearCellsEmptiesDataButKeepsHeadings) {
    grid.setCellBackground(1, 1, Qt::red);
    grid.clearCells();
    EXPECT_EQ(grid.text(1, 1), QString());
    EXPECT_EQ(grid.cellBackground(1, 1), grid.palette().color(QPalette::Base));
    EXPECT_EQ(grid.text(0, 1), QStringLiteral("対局名"));
    EXPECT_EQ(grid.rows(), 3);
}

TEST_F(FlexGridTest, ClicksAndDoubleClicksUseGridNumbering) {
    QSignalSpy clicked(&grid, &FlexGrid::cellClicked);
    QSignalSpy doubleClicked(&grid, &FlexGrid::cellDoubleClicked);
    QSignalSpy heading(&grid, &FlexGrid::headingClicked);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf(2, 1));
    ASSERT_GE(clicked.size(), 1);
    EXPECT_EQ(clicked[0], (QVariantList{2, 1}));
    EXPECT_EQ(grid.currentGridRow(), 2);
    EXPECT_EQ(grid.currentGridColumn(), 1);

    // A real double click starts with a click on the same cell.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf(3, 2));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centreOf(3, 2));
    ASSERT_EQ(doubleClicked.size(), 1);
    EXPECT_EQ(doubleClicked[0], (QVariantList{3, 2}));

    QHeaderView* header = grid.horizontalHeader();
    const QPoint headingCentre(header->sectionViewportPosition(2) + header->sectionSize(2) / 2,
                               header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, headingCentre);
    ASSERT_EQ(heading.size(), 1);
    EXPECT_EQ(heading[0], (QVariantList{2}));
}

TEST_F(FlexGridTest, CurrentCellSetByProgramAndMovedByArrows) {
    QSignalSpy moved(&grid, &FlexGrid::currentCellMoved);
    grid.setCurrent(1, 1);
    EXPECT_EQ(grid.currentGridRow(), 1);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.currentGridRow(), 2);
    EXPECT_EQ(grid.currentGridColumn(), 2);
    ASSERT_GE(moved.size(), 3);
    EXPECT_EQ(moved.last(), (QVariantList{2, 2}));

    grid.setCurrent(0, 1); // the heading row never becomes current
    grid.setCurrent(4, 1);
    EXPECT_EQ(grid.currentGridRow(), 2);
}

TEST_F(FlexGridTest, KeysAreReportedAndTypingDoesNotJumpToMatchingCells) {
    QSignalSpy pressed(&grid, &FlexGrid::keyPressed);
    QSignalSpy released(&grid, &FlexGrid::keyReleased);
    QSignalSpy typed(&grid, &FlexGrid::keyTyped);
    grid.setText(3, 0, QStringLiteral("5 in row three"));
    grid.setCurrent(1, 0);

    QTest::keyClick(&grid, Qt::Key_5, Qt::NoModifier);
    QTest::keyClick(&grid, Qt::Key_Backspace);
    QTest::keyClick(&grid, Qt::Key_Delete);
    QTest::keyClick(&grid, Qt::Key_Return);

    EXPECT_EQ(grid.currentGridRow(), 1);
    ASSERT_EQ(pressed.size(), 4);
    EXPECT_EQ(pressed[0][0].toInt(), Qt::Key_5);
    EXPECT_EQ(pressed[1][0].toInt(), Qt::Key_Backspace);
    EXPECT_EQ(pressed[2][0].toInt(), Qt::Key_Delete);
    EXPECT_EQ(released.size(), 4);
    EXPECT_EQ(released[3][0].toInt(), Qt::Key_Return);
    // Characters as typed: the digit, Backspace and Enter, but no Delete.
    ASSERT_EQ(typed.size(), 3);
    EXPECT_EQ(typed[0][0].toString(), QStringLiteral("5"));
    EXPECT_EQ(typed[1][0].toString(), QStringLiteral("\b"));
    EXPECT_EQ(typed[2][0].toString(), QStringLiteral("\r"));
}

TEST_F(FlexGridTest, AHeldKeyIsReleasedOnce) {
    QSignalSpy pressed(&grid, &FlexGrid::keyPressed);
    QSignalSpy released(&grid, &FlexGrid::keyReleased);
    QTest::keyPress(&grid, Qt::Key_7);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"), true);
        QApplication::sendEvent(&grid, &up);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"), true);
        QApplication::sendEvent(&grid, &down);
    }
    QTest::keyRelease(&grid, Qt::Key_7);
    EXPECT_EQ(pressed.size(), 4);
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released[0][0].toInt(), Qt::Key_7);
}

TEST_F(FlexGridTest, FixedColumnLooksLikeAHeadingAndIsNeverCurrent) {
    grid.setFixedColumns(1);
    EXPECT_EQ(grid.cellBackground(2, 0), grid.palette().color(QPalette::Button));
    EXPECT_EQ(grid.cellForeground(2, 0), grid.palette().color(QPalette::ButtonText));
    EXPECT_EQ(grid.text(2, 0), QStringLiteral("2-0"));

    grid.setCurrent(2, 1);
    QTest::keyClick(&grid, Qt::Key_Left);
    EXPECT_EQ(grid.currentGridColumn(), 1);
    grid.setCurrent(3, 0);
    EXPECT_EQ(grid.currentGridRow(), 2);

    // Rows added later and cleared cells keep the look.
    grid.setRows(5);
    EXPECT_EQ(grid.cellBackground(5, 0), grid.palette().color(QPalette::Button));
    grid.clearCells();
    EXPECT_EQ(grid.cellBackground(1, 0), grid.palette().color(QPalette::Button));
    EXPECT_FALSE(grid.item(0, 0)->flags() & Qt::ItemIsEnabled);
}

} // namespace
} // namespace vorleth
