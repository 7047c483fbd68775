#include "ui/flexgrid.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace vorleth {

namespace {
constexpr double twipsPerPixel = 15.0;
constexpr Qt::Alignment defaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);

    connect(this, &QTableWidget::cellClicked, this,
            [this](int row, int column) { emit cellClicked(row + 1, column); });
    connect(this, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { emit cellDoubleClicked(row + 1, column); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { emit headingClicked(column); });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        if (row >= 0 && column >= 0)
            emit currentCellMoved(row + 1, column);
    });
}

void FlexGrid::setRows(int dataRows) {
    setRowCount(std::max(0, dataRows));
    refreshFixedColumns();
}

int FlexGrid::rows() const {
    return rowCount();
}

void FlexGrid::setColumns(int columns) {
    const int previous = columnCount();
    columns = std::max(0, columns);
    setColumnCount(columns);
    m_alignments.resize(columns);
    for (int c = previous; c < columns; ++c) {
        m_alignments[c] = defaultAlignment;
        setHorizontalHeaderItem(c, new QTableWidgetItem);
    }
    refreshFixedColumns();
}

int FlexGrid::columns() const {
    return columnCount();
}

void FlexGrid::setFixedColumns(int columns) {
    m_fixedColumns = std::max(0, columns);
    refreshFixedColumns();
}

void FlexGrid::refreshFixedColumns() {
    for (int c = 0; c < std::min(m_fixedColumns, columnCount()); ++c) {
        for (int r = 0; r < rowCount(); ++r) {
            QTableWidgetItem* item = cell(r + 1, c, true);
            // Not enabled, so that neither the keys nor the mouse make it current; the colours
            // are set explicitly so it does not look greyed out.
            item->setFlags(Qt::NoItemFlags);
            if (!item->data(Qt::BackgroundRole).isValid())
                item->setBackground(palette().brush(QPalette::Button));
            if (!item->data(Qt::ForegroundRole).isValid())
                item->setForeground(palette().brush(QPalette::ButtonText));
        }
    }
}

void FlexGrid::setColumnWidthTwips(int column, double twips) {
    setColumnWidth(column, qRound(twips / twipsPerPixel));
}

double FlexGrid::columnWidthTwips(int column) const {
    return columnWidth(column) * twipsPerPixel;
}

void FlexGrid::setColumnAlignment(int column, Qt::Alignment alignment) {
    if (column < 0 || column >= columnCount())
        return;
    m_alignments[column] = alignment;
    for (int r = 0; r <= rowCount(); ++r) {
        if (QTableWidgetItem* item = cell(r, column, false))
            item->setTextAlignment(alignment);
    }
}

QTableWidgetItem* FlexGrid::newItem(int column) const {
    auto* item = new QTableWidgetItem;
    item->setTextAlignment(m_alignments.value(column, defaultAlignment));
    item->setFlags(column < m_fixedColumns ? Qt::NoItemFlags
                                           : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidgetItem* FlexGrid::cell(int row, int column, bool create) {
    if (row < 0 || row > rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    if (row == 0) {
        QTableWidgetItem* heading = horizontalHeaderItem(column);
        if (!heading && create) {
            heading = new QTableWidgetItem;
            setHorizontalHeaderItem(column, heading);
        }
        return heading;
    }
    QTableWidgetItem* it = item(row - 1, column);
    if (!it && create) {
        it = newItem(column);
        setItem(row - 1, column, it);
    }
    return it;
}

void FlexGrid::setText(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = cell(row, column, true))
        item->setText(text);
}

QString FlexGrid::text(int row, int column) const {
    auto* self = const_cast<FlexGrid*>(this);
    const QTableWidgetItem* item = self->cell(row, column, false);
    return item ? item->text() : QString();
}

void FlexGrid::setCellBackground(int row, int column, const QColor& colour) {
    if (QTableWidgetItem* item = cell(row, column, true))
        item->setBackground(colour);
}

QColor FlexGrid::cellBackground(int row, int column) const {
    auto* self = const_cast<FlexGrid*>(this);
    const QTableWidgetItem* item = self->cell(row, column, false);
    const QVariant brush = item ? item->data(Qt::BackgroundRole) : QVariant();
    return brush.isValid() ? brush.value<QBrush>().color() : palette().color(QPalette::Base);
}

void FlexGrid::setCellForeground(int row, int column, const QColor& colour) {
    if (QTableWidgetItem* item = cell(row, column, true))
        item->setForeground(colour);
}

QColor FlexGrid::cellForeground(int row, int column) const {
    auto* self = const_cast<FlexGrid*>(this);
    const QTableWidgetItem* item = self->cell(row, column, false);
    const QVariant brush = item ? item->data(Qt::ForegroundRole) : QVariant();
    return brush.isValid() ? brush.value<QBrush>().color() : palette().color(QPalette::Text);
}

void FlexGrid::clearCells() {
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c)
            delete takeItem(r, c);
    }
    refreshFixedColumns();
}

void FlexGrid::setCurrent(int row, int column) {
    if (row < 1 || row > rowCount() || column < m_fixedColumns || column >= columnCount())
        return;
    setCurrentCell(row - 1, column);
}

int FlexGrid::currentGridRow() const {
    const int row = currentRow();
    return row < 0 ? 0 : row + 1;
}

int FlexGrid::currentGridColumn() const {
    return currentColumn();
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    // Escape is no entry: it goes on to the screen, which leaves as its return button does.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    emit keyPressed(event->key());
    const QString typed = event->text();
    // Delete produces a character but is no typed key.
    if (!typed.isEmpty() && typed != QStringLiteral("\x7f"))
        emit keyTyped(typed);
    // The grid moves its current cell by the arrow keys itself; the rest is the screen's.
    QTableWidget::keyPressEvent(event);
    event->accept();
}

void FlexGrid::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its presses; it counts as released once, when it comes up.
    if (!event->isAutoRepeat())
        emit keyReleased(event->key());
    QTableWidget::keyReleaseEvent(event);
}

} // namespace vorleth
