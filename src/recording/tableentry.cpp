#include "recording/tableentry.h"

#include "interaction/beeper.h"
#include "interaction/dialogs.h"
#include "store/workingfiles.h"

#include <QtCore/qnamespace.h>

#include <algorithm>

namespace vorleth {

namespace {

constexpr int firstPoint = 1;
constexpr int lastPoint = 19;

QString cellText(Point cell) {
    return QString::number(cell.column) + QString::number(cell.row);
}

// The cell after this one in reading order: along the row, then the next row's first cell,
// and from the last cell back to the first.
Point following(Point cell) {
    if (cell.column < lastPoint)
        return {cell.column + 1, cell.row};
    return {firstPoint, cell.row < lastPoint ? cell.row + 1 : firstPoint};
}

bool isDigitKey(int key) {
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

bool isEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

QString moveNumberOverMessage(int moveCount, Point cell) {
    return QStringLiteral("手番ｵｰﾊﾞｰ  手数:") + QString::number(moveCount) +
           QStringLiteral(" 場所:") + cellText(cell);
}

QString duplicateMoveMessage(int number, Point first, Point second) {
    return QStringLiteral("重複  手番:") + QString::number(number) + QStringLiteral(" 場所:") +
           cellText(first) + QStringLiteral(" =") + cellText(second);
}

TableEntryController::TableEntryController(TableEntryContext context, TableEntryView& view,
                                           Beeper& beeper, Dialogs& dialogs, Navigator& navigator)
    : m_context(std::move(context)), m_view(view), m_beeper(beeper), m_dialogs(dialogs),
      m_navigator(navigator) {}

void TableEntryController::open() {
    m_context.beepCount = tableEntryBeepCount;
}

void TableEntryController::load() {
    m_loading = true;
    refreshTable();
    m_loading = false;
}

int& TableEntryController::numberAt(Point cell) {
    return m_context.table.diagramGrid[cell.column][cell.row];
}

int TableEntryController::moveCount() const {
    return std::clamp(m_context.record.moveCount, 0, TableEntryData::maxMoves);
}

void TableEntryController::refreshTable() {
    const Point remembered = m_view.currentCell();
    m_view.resetGrid();
    rebuildTableMoves();
    if (remembered.onBoard())
        m_view.setCurrentCell(remembered);
}

void TableEntryController::rebuildTableMoves() {
    auto& moves = m_context.table.tableMoves;
    moves.fill(0);
    for (int row = firstPoint; row <= lastPoint; ++row) {
        for (int column = firstPoint; column <= lastPoint; ++column) {
            const Point cell{column, row};
            const int v = numberAt(cell);
            m_view.showNumber(cell, v);
            if (v >= 1 && v <= TableEntryData::maxMoves)
                moves[v] = cell.code();
        }
    }
}

void TableEntryController::keyDown(int key) {
    m_lastKeyDown = key;
}

void TableEntryController::keyUp(int key) {
    if (isEnterKey(key)) {
        validateCell();
        writeEntry();
        const Point cell = m_view.currentCell();
        m_view.setCurrentCell({firstPoint, std::min(cell.row + 1, lastPoint)});
        return;
    }
    if (key != m_lastKeyDown)
        return;
    edit(key);
}

void TableEntryController::edit(int key) {
    const Point cell = m_view.currentCell();
    if (!cell.onBoard())
        return;
    const bool firstKey = m_editText.isEmpty();
    QString text = m_editText;
    if (isDigitKey(key)) {
        const QString longer = text + QChar(u'0' + (key - Qt::Key_0));
        if (longer.toInt() > largestTableNumber)
            return;
        text = longer;
    } else if (key == Qt::Key_Delete) {
        if (text.isEmpty())
            return;
        text.chop(1);
        if (text.isEmpty())
            text = QStringLiteral("0");
    } else if (key == Qt::Key_Backspace) {
        text = QStringLiteral("0");
    } else {
        return;
    }
    if (text.size() > 1 && text.startsWith(u'0'))
        text.remove(0, 1);
    m_editText = text;

    const int v = text.toInt();
    m_view.setRed(cell, false);
    m_view.showNumber(cell, v);
    if (firstKey)
        m_valueBeforeEdit = numberAt(cell);
    numberAt(cell) = v;
    m_editedCell = cell;
}

void TableEntryController::currentCellChanged() {
    validateCell();
}

void TableEntryController::validateCell() {
    if (m_loading || m_editText.isEmpty())
        return;
    m_editText.clear();
    m_view.showMessage(QString());

    auto& moves = m_context.table.tableMoves;
    const Point cell = m_editedCell;
    const PointCode code = cell.code();
    const int v = numberAt(cell);
    const int old = m_valueBeforeEdit;

    // The number the cell held before no longer stands there.
    if (old >= 1 && old <= TableEntryData::maxMoves && old != v && moves[old] == code)
        moves[old] = 0;

    if (v != 0) {
        if (v > m_context.record.moveCount) {
            m_view.showMessage(moveNumberOverMessage(m_context.record.moveCount, cell));
            failAt(cell);
            return;
        }
        if (moves[v] != 0 && moves[v] != code) {
            const Point other = Point::fromCode(moves[v]);
            m_view.showMessage(duplicateMoveMessage(v, cell, other));
            m_conflictCell = other;
            m_view.setCurrentCell(other);
            m_view.setRed(other, true);
            m_view.showNumber(other, v);
            failAt(cell);
            return;
        }
        moves[v] = code;
    }

    // A check that passes clears the red of an earlier failure, and the input goes on in the
    // cell after the one that was wrong.
    if (m_conflictCell) {
        restore(*m_conflictCell);
        m_conflictCell.reset();
    }
    if (m_errorCell) {
        restore(*m_errorCell);
        const Point next = following(*m_errorCell);
        m_errorCell.reset();
        m_view.setCurrentCell(next);
    }
    m_valueBeforeEdit = 0;
}

void TableEntryController::failAt(Point cell) {
    m_beeper.soundBeeps(m_context.beepCount);
    m_view.setCurrentCell(cell);
    m_view.setRed(cell, true);
    m_view.showNumber(cell, numberAt(cell));
    m_errorCell = cell;
}

void TableEntryController::restore(Point cell) {
    m_view.setCurrentCell(cell);
    m_view.setRed(cell, false);
    m_view.showNumber(cell, numberAt(cell));
}

bool TableEntryController::beginLineEdit(Point& cell) {
    // The row the user chose: a check that clears an earlier error moves the cursor to the
    // cell after that error, which may be on another row.
    cell = m_view.currentCell();
    validateCell();
    if (!cell.onBoard())
        return false;
    // A number that fails its check keeps the cursor on its own cell, which is the chosen one.
    m_view.setCurrentCell(cell);
    return true;
}

void TableEntryController::endLineEdit() {
    rebuildTableMoves();
}

void TableEntryController::shiftLeft() {
    Point cell;
    if (!beginLineEdit(cell))
        return;
    auto& grid = m_context.table.diagramGrid;
    for (int k = std::max(cell.column - 1, firstPoint); k < lastPoint; ++k)
        grid[k][cell.row] = grid[k + 1][cell.row];
    grid[lastPoint][cell.row] = 0;
    endLineEdit();
}

void TableEntryController::shiftRight() {
    Point cell;
    if (!beginLineEdit(cell))
        return;
    auto& grid = m_context.table.diagramGrid;
    for (int k = lastPoint; k > cell.column; --k)
        grid[k][cell.row] = grid[k - 1][cell.row];
    grid[cell.column][cell.row] = 0;
    endLineEdit();
}

void TableEntryController::lineUp() {
    Point cell;
    if (!beginLineEdit(cell))
        return;
    auto& grid = m_context.table.diagramGrid;
    for (int column = firstPoint; column <= lastPoint; ++column) {
        for (int row = firstPoint; row < cell.row; ++row)
            grid[column][row] = grid[column][row + 1];
        grid[column][cell.row] = 0;
    }
    endLineEdit();
}

void TableEntryController::lineDown() {
    Point cell;
    if (!beginLineEdit(cell))
        return;
    auto& grid = m_context.table.diagramGrid;
    for (int column = firstPoint; column <= lastPoint; ++column) {
        for (int row = lastPoint - 1; row >= cell.row; --row)
            grid[column][row + 1] = grid[column][row];
        grid[column][cell.row] = 0;
    }
    endLineEdit();
}

void TableEntryController::eraseLine() {
    Point cell;
    if (!beginLineEdit(cell))
        return;
    for (auto& column : m_context.table.diagramGrid)
        column[cell.row] = 0;
    refreshTable();
}

void TableEntryController::saveProgress() {
    // The number being typed is registered first, as Enter would, so that it is saved too.
    validateCell();
    writeEntry();
}

void TableEntryController::showHelp() {
    m_navigator.showHelp(helpcode::tableEntry);
}

void TableEntryController::writeEntry() {
    report(m_dialogs,
           writeWorkingEntry(m_context.baseDirectory, m_context.record, m_context.table));
}

bool TableEntryController::back() {
    m_navigator.show(ScreenId::Start);
    return true;
}

bool TableEntryController::finish() {
    TableEntryData& table = m_context.table;
    auto& moves = table.tableMoves;
    moves.fill(0);

    // Column by column; every cell is examined and the message shows the last error found.
    bool failed = false;
    for (int column = firstPoint; column <= lastPoint; ++column) {
        for (int row = firstPoint; row <= lastPoint; ++row) {
            const Point cell{column, row};
            const int v = numberAt(cell);
            if (v == 0)
                continue;
            const bool inTable = v >= 1 && v <= TableEntryData::maxMoves;
            if (inTable && moves[v] == 0) {
                moves[v] = cell.code();
            } else if (inTable) {
                m_beeper.soundBeeps(m_context.beepCount);
                m_view.showMessage(duplicateMoveMessage(v, Point::fromCode(moves[v]), cell));
                failed = true;
            }
            if (v > m_context.record.moveCount || !inTable) {
                m_beeper.soundBeeps(m_context.beepCount);
                m_view.showMessage(moveNumberOverMessage(m_context.record.moveCount, cell));
                failed = true;
            }
        }
    }
    if (failed)
        return false;

    writeEntry();
    table.tablePrefilled = false;
    bool pointMissing = false;
    for (int n = 1; n <= moveCount(); ++n)
        pointMissing = pointMissing || moves[n] == 0;
    if (pointMissing)
        m_navigator.show(ScreenId::RepeatedPlays);
    else
        m_navigator.show(ScreenId::BoardRecording, PlaceDiagram{});
    return true;
}

} // namespace vorleth
