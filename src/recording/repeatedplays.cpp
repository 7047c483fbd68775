#include "recording/repeatedplays.h"

#include "interaction/dialogs.h"
#include "store/textfile.h"
#include "store/workingfiles.h"

#include <algorithm>

namespace vorleth {

namespace {

constexpr int moveColumn = 0;
constexpr int earlierColumn = 1;

// A cell's number: the number its text begins with, 0 for none.
int numberOf(const QString& text) {
    return textfile::leadingNumber(text).value_or(0);
}

} // namespace

RepeatedPlaysController::RepeatedPlaysController(RepeatedPlaysContext context,
                                                 RepeatedPlaysView& view, Dialogs& dialogs,
                                                 Navigator& navigator)
    : m_context(std::move(context)), m_view(view), m_dialogs(dialogs), m_navigator(navigator) {}

void RepeatedPlaysController::open() {
    TableEntryData& table = m_context.table;
    if (!m_context.importedEntry)
        report(m_dialogs, readRepeatedPlays(m_context.baseDirectory, table));

    // The list itself stays as it is until "並べる" replaces it: trimming it to the rows shown
    // would lose pairs an import gave for moves that get a point later.
    const int moveCount = std::clamp(m_context.record.moveCount, 0, TableEntryData::maxMoves);
    int rows = 0;
    m_view.setRows(0);
    for (int n = 1; n <= moveCount; ++n) {
        if (table.tableMoves[n] != 0)
            continue;
        m_view.setRows(++rows);
        m_view.setText(rows, moveColumn, QString::number(n));
        const auto pair = std::find_if(table.repeatedPlays.cbegin(), table.repeatedPlays.cend(),
                                       [n](const RepeatedPlay& p) { return p.moveNumber == n; });
        if (pair != table.repeatedPlays.cend())
            m_view.setText(rows, earlierColumn, QString::number(pair->earlierMove));
    }
    m_lastTyped.clear();
    m_view.setCurrent(1, earlierColumn);
}

void RepeatedPlaysController::typed(QChar key) {
    const int row = m_view.currentRow();
    const int column = m_view.currentColumn();
    if (row < 1 || column < 0)
        return;
    if (key == u'\r') {
        if (row < m_view.rows())
            m_view.setCurrent(row + 1, column);
    } else if (key == u'.' || key == u'\b') {
        m_view.setText(row, column, QString());
        m_lastTyped.clear();
    } else if (key.isDigit() && key.unicode() < 0x80) {
        const QString text = m_view.text(row, column) + key;
        // No move number goes beyond the table's; a longer number could not be a move.
        if (numberOf(text) > TableEntryData::maxMoves)
            return;
        m_view.setText(row, column, text);
        m_lastTyped = text;
    } else if (key == u'*' && row >= 3) {
        // A ko's recaptures alternate between two points: the earlier move is usually the one
        // two rows above. Nothing to repeat when that cell is empty.
        const QString above = m_view.text(row - 2, column);
        if (!above.isEmpty())
            m_view.setText(row, column, QString::number(numberOf(above)));
    }
}

void RepeatedPlaysController::currentCellChanged() {
    if (m_lastTyped.isEmpty())
        return;
    // A move of the diagram has a point; a number beyond the diagram's moves names none.
    const int v = numberOf(m_lastTyped);
    const bool onDiagram = v >= 1 && v <= m_context.record.moveCount &&
                           v <= TableEntryData::maxMoves && m_context.table.tableMoves[v] != 0;
    if (!onDiagram)
        m_dialogs.message(m_lastTyped + noSuchMoveSuffix);
}

bool RepeatedPlaysController::finish() {
    QVector<RepeatedPlay> plays;
    for (int row = 1; row <= m_view.rows(); ++row)
        plays.append(
            {numberOf(m_view.text(row, moveColumn)), numberOf(m_view.text(row, earlierColumn))});
    m_context.table.repeatedPlays = plays;
    report(m_dialogs, writeRepeatedPlays(m_context.baseDirectory, m_context.table));
    m_navigator.show(ScreenId::BoardRecording, PlaceDiagram{});
    return true;
}

bool RepeatedPlaysController::back() {
    m_navigator.show(ScreenId::TableEntry);
    return true;
}

} // namespace vorleth
