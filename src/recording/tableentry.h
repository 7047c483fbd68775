#pragma once

#include "board/board.h"
#include "interaction/navigator.h"
#include "store/recordtypes.h"
#include "store/tabledata.h"

#include <QString>

#include <optional>

namespace vorleth {

class Beeper;
class Dialogs;

// What the table entry shows: a 19 x 19 grid of move numbers laid out like the board (cell
// (column, row) is the point), and the message line below it.
class TableEntryView {
public:
    virtual ~TableEntryView() = default;
    // Empties every cell and sets the grid up afresh: headings, widths, star points, black
    // numbers; the current cell becomes (1, 1) and the grid takes the focus.
    virtual void resetGrid() = 0;
    virtual void showNumber(Point cell, int number) = 0; // nothing for 0
    virtual void setRed(Point cell, bool red) = 0;       // the number's colour
    // The cell the user works on; not on the board while the grid has none.
    virtual Point currentCell() const = 0;
    // Moves the current cell. The grid reports the change as it reports the user's moves.
    virtual void setCurrentCell(Point cell) = 0;
    virtual void showMessage(const QString& text) = 0; // errmsg
};

// The program-wide values the table entry reads and changes.
struct TableEntryContext {
    TableEntryData& table;
    CurrentRecord& record; // the game information written with the working file; moveCount
    int& beepCount;        // beeps per warning, program-wide
    QString baseDirectory; // holds the working file
};

// Beeps of every warning while the table entry is open (and after, until another screen sets
// its own).
inline constexpr int tableEntryBeepCount = 150;
// The largest move number a cell takes.
inline constexpr int largestTableNumber = TableEntryData::maxMoves;

// Check messages of the message line: the cell is written as its column and row run together.
QString moveNumberOverMessage(int moveCount, Point cell); // 手番ｵｰﾊﾞｰ  手数:120 場所:315
QString duplicateMoveMessage(int number, Point first, Point second); // 重複  手番:45 場所:33 =1716

// mapsofuenter: the user copies a printed complete game diagram into the grid, typing at each
// point the move number printed there. The grid is the program-wide diagram grid; from it the
// table of points by move number (tableMoves) is kept up to date cell by cell, checked on
// leaving a cell, and checked whole by "並べる", which hands the moves to the repeated-play
// screen or the recording board.
class TableEntryController {
public:
    TableEntryController(TableEntryContext context, TableEntryView& view, Beeper& beeper,
                         Dialogs& dialogs, Navigator& navigator);

    // Opening: every warning of this screen becomes a run of 150 beeps. The screen then starts
    // its load timer.
    void open();
    // The load timer's one tick: the grid shows the diagram grid and tableMoves follows it.
    void load();

    // Keys in the grid. A key acts when it is released, and only when it is the one last
    // pressed in the grid, so that a key pressed elsewhere and released here does nothing;
    // Enter acts in any case.
    void keyDown(int key);
    void keyUp(int key);
    // The grid's current cell changed (arrow keys, mouse, or this controller): the number
    // typed into the cell left behind is checked.
    void currentCellChanged();

    // "修正指示", on the current cell's row and column.
    void shiftLeft();  // "左にシフト"
    void shiftRight(); // "右にシフト"
    void lineUp();     // "１行上げる"
    void lineDown();   // "１行下げる"
    void eraseLine();  // "１行消去"

    void saveProgress(); // "現状保管"
    void showHelp();     // "ヘルプ"

    // Buttons; each returns whether it handed over, after which the screen closes.
    bool back();   // "戻る": to the main menu, the diagram kept
    bool finish(); // "並べる" (finishTable)

private:
    void edit(int key);
    void validateCell();
    void failAt(Point cell);
    void restore(Point cell);
    void refreshTable();
    // tableMoves from the grid, row by row (a number standing twice keeps the later cell);
    // shows every cell's number on the way.
    void rebuildTableMoves();
    int& numberAt(Point cell);
    int moveCount() const;
    void writeEntry();
    // A line edit rewrites the grid: the number being typed is checked first, as leaving the
    // cell would check it, so the check never looks at a cell the edit has moved.
    bool beginLineEdit(Point& cell);
    void endLineEdit();

    TableEntryContext m_context;
    TableEntryView& m_view;
    Beeper& m_beeper;
    Dialogs& m_dialogs;
    Navigator& m_navigator;

    QString m_editText; // digits typed into the current cell since it was entered
    Point m_editedCell; // the cell last typed into
    int m_valueBeforeEdit = 0;
    std::optional<Point> m_conflictCell; // the other holder of a duplicate, shown red
    std::optional<Point> m_errorCell;    // the cell that failed its check, shown red
    int m_lastKeyDown = 0;
    bool m_loading = false; // the grid is being refreshed: no checks
};

} // namespace vorleth
