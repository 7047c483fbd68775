#pragma once

#include "search/searchindex.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

namespace vorleth {

// The games a search found, as the rows of the results list. A search of a large library can
// find most of it, so the rows are read from the results as they are shown: no item is made
// per cell, and a game's name is only taken apart when its row is drawn or sorted.
class SearchHitsModel : public QAbstractTableModel {
public:
    enum Column { GameName, White, Black, Date, Moves, Next, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    using NextText = std::function<QString(const SearchHit&)>;
    // Shows these results (which must outlive the model or the next call) in the order
    // found; nextText gives the text of a hit's "次の一手" cell.
    void setResults(const SearchResults* results, NextText nextText);
    // The hit shown in a row, as an index into the results; -1 for no row.
    int hitAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Text columns in the order of their texts, the move count as a number; rows that compare
    // equal keep their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QString text(int hit, int column) const;

    const SearchResults* m_results = nullptr;
    NextText m_nextText;
    std::vector<int> m_order; // row -> hit
};

} // namespace vorleth
