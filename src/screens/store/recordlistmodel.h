#pragma once

#include "store/cataloguetypes.h"

#include <QAbstractTableModel>
#include <QVector>

namespace vorleth {

// The record list's grid: one row per shown catalogue position, cells from the catalogue on
// demand, so a library of any size costs only the rows on screen. With nothing shown the grid
// keeps a few empty rows below its headings.
class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordListModel(const Catalogue& catalogue, QObject* parent = nullptr);

    // Heading and width (twips) of a column of the grid.
    static QString heading(int column);
    static int columnWidthTwips(int column);

    // Replaces the rows: catalogue positions in display order.
    void setShownPositions(QVector<int> positions);
    const QVector<int>& shownPositions() const { return m_shown; }

    // The catalogue position a row stands for (its number in the last column); 0 for an empty
    // row or a row outside the grid.
    int positionAt(int row) const;
    // The row showing a catalogue position, -1 when it is not shown.
    int rowOf(int position) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const Catalogue& m_catalogue;
    QVector<int> m_shown;
};

} // namespace vorleth
