#pragma once

// What the table-entry and repeated-play screen tests share: a state in a temporary base
// directory, the table screen opened on it, beeps counted instead of sounded, the load timer fired
// without waiting, and keys and clicks sent to a grid as a user gives them.

#include "support/printers.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/widgets.h"

#include "interaction/beeper.h"
#include "screens/recording/tableentryscreen.h"
#include "state/sharedstate.h"
#include "ui/flexgrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vorleth::test {

// Every run of beeps asked for, by its length.
class CountingBeeper : public Beeper {
public:
    void soundBeeps(int count) override { runs.push_back(count); }
    std::vector<int> runs;
};

// Delivers a running timer's next tick at once, as the event loop would when it falls due.
inline void fire(QTimer* timer) {
    ASSERT_NE(timer, nullptr);
    ASSERT_TRUE(timer->isActive()) << timer->objectName().toStdString();
    QTimerEvent tick(timer->timerId());
    QCoreApplication::sendEvent(timer, &tick);
}

// Lets a table screen's load timer tick, unless the event loop let it tick already.
inline void finishLoading(QObject* screen) {
    auto* timer = screen->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    if (timer->isActive())
        fire(timer);
    EXPECT_FALSE(timer->isActive());
}

// A key as the keyboard sends it to the grid: down, then up.
inline void press(FlexGrid* grid, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyPress(grid, key, modifiers);
}
inline void release(FlexGrid* grid, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyRelease(grid, key, modifiers);
}
inline void stroke(FlexGrid* grid, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    press(grid, key, modifiers);
    release(grid, key, modifiers);
}
// The repeats of a held key: the system sends them as releases and presses marked as repeats.
inline void repeat(FlexGrid* grid, Qt::Key key, const QString& text) {
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text, true);
    QApplication::sendEvent(grid, &up);
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text, true);
    QApplication::sendEvent(grid, &down);
}
// Types a number's digits, each pressed and released.
inline void typeDigits(FlexGrid* grid, int number) {
    for (QChar c : QString::number(number))
        stroke(grid, Qt::Key(Qt::Key_0 + c.digitValue()));
}
inline void clickCell(FlexGrid* grid, int row, int column) {
    QTableWidgetItem* item = grid->item(row - 1, column);
    const QRect rect =
        item ? grid->visualItemRect(item) : grid->visualRect(grid->model()->index(row - 1, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

// The program-wide state over a temporary base directory, with the game being entered.
struct TableState {
    TableState() : state(directory.path()) {
        state.record.game =
            GameInfo{QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"),
                     QStringLiteral("白中押勝"), QStringLiteral("6.5")};
        state.record.moveCount = 120;
        state.geometry = BoardGeometry::forScreenSize(640);
    }
    QTemporaryDir directory;
    SharedState state;
    ScriptedDialogs dialogs;
    RecordingNavigator navigator;
};

// The table entry screen over that state, opened and loaded, with helpers that read the grid
// by column and row as the board names points.
class TableEntryScreenTest : public ::testing::Test, protected TableState {
protected:
    // Opens the screen and lets its load timer fill the grid.
    void open(int screenSize = 640) {
        state.geometry = BoardGeometry::forScreenSize(screenSize);
        screen = std::make_unique<TableEntryScreen>(state, navigator, dialogs, &beeper);
        screen->show();
        grid = screen->grid();
        fire(child<QTimer>(screen.get(), "Timer1"));
    }

    int& at(int column, int row) { return state.table.diagramGrid[column][row]; }
    QString shown(int column, int row) const { return grid->text(row, column); }
    bool red(int column, int row) const {
        return grid->cellForeground(row, column) == QColor(255, 0, 0);
    }
    Point current() const { return {grid->currentGridColumn(), grid->currentGridRow()}; }
    void goTo(int column, int row) { grid->setCurrent(row, column); }
    QString message() const { return child<QLineEdit>(screen.get(), "errmsg")->text(); }
    int registered(int number) const { return state.table.tableMoves[number]; }

    CountingBeeper beeper;
    std::unique_ptr<TableEntryScreen> screen;
    FlexGrid* grid = nullptr;
};

} // namespace vorleth::test
