#include "store/recordlistcontroller.h"

namespace vorleth {

RecordListController::RecordListController(RecordListContext context, RecordListView& view)
    : m_context(std::move(context)), m_view(view) {}

void RecordListController::enter() {
    enterRecordList(m_context.catalogue, m_context.list, m_context.recordDirectory);
    m_view.showTotal(m_context.catalogue.count());
    showRows();
}

void RecordListController::showRows() {
    const QVector<int> shown = shownPositions(m_context.catalogue, m_context.list);
    m_view.showRows(shown, m_context.record.selectedIndex);
    m_view.showStatus(shownStatusText(static_cast<int>(shown.size())));
}

void RecordListController::clickHeading(int column) {
    if (vorleth::clickHeading(m_context.catalogue, m_context.list, column))
        showRows();
}

void RecordListController::sortBy(MenuSort sort) {
    sortByMenu(m_context.catalogue, m_context.list, sort);
    showRows();
}

void RecordListController::selectAll() {
    if (!selectAllRecords(m_context.catalogue, m_context.list, m_context.recordDirectory))
        return;
    m_view.showTotal(m_context.catalogue.count());
    showRows();
}

void RecordListController::choose(int position) {
    m_context.record.selectedIndex = position;
}

std::optional<int> RecordListController::replayChosen() {
    const int chosen = m_context.record.selectedIndex;
    if (!isCataloguePosition(m_context.catalogue, chosen)) {
        m_view.showStatus(chooseARecordMessage);
        return std::nullopt;
    }
    m_context.replayStepInterval = replayStepInterval;
    return chosen;
}

std::optional<int> RecordListController::chooseAndReplay(int position) {
    choose(position);
    // The double click's request ends in two blanks; the button's has none.
    if (!isCataloguePosition(m_context.catalogue, position)) {
        m_view.showStatus(chooseARecordMessage + QStringLiteral("  "));
        return std::nullopt;
    }
    return replayChosen();
}

} // namespace vorleth
