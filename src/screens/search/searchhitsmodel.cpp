#include "screens/search/searchhitsmodel.h"

#include "store/recordname.h"

#include <algorithm>
#include <numeric>

namespace vorleth {

void SearchHitsModel::setResults(const SearchResults* results, NextText nextText) {
    beginResetModel();
    m_results = results;
    m_nextText = std::move(nextText);
    m_order.resize(results ? static_cast<size_t>(results->hits.size()) : 0);
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
}

int SearchHitsModel::hitAt(int row) const {
    return row >= 0 && row < static_cast<int>(m_order.size()) ? m_order[row] : -1;
}

int SearchHitsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int SearchHitsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString SearchHitsModel::text(int hit, int column) const {
    if (column == Next)
        return m_nextText ? m_nextText(m_results->hits[hit]) : QString();
    const QString& fileName = m_results->hits[hit].fileName;
    const RecordMetadata m = parseRecordName(fileName.chopped(recordExtension.size()));
    switch (column) {
    case GameName:
        return m.game.gameName;
    case White:
        return m.game.whitePlayer;
    case Black:
        return m.game.blackPlayer;
    case Date:
        return m.recordDate;
    default:
        return QString();
    }
}

QVariant SearchHitsModel::data(const QModelIndex& index, int role) const {
    const int hit = hitAt(index.row());
    if (!index.isValid() || hit < 0 || !m_results)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == Moves)
            return m_results->hits[hit].match.moves; // a number, right-aligned and sorted so
        return text(hit, index.column());
    case Qt::UserRole:
        return hit;
    default:
        return QVariant();
    }
}

QVariant SearchHitsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const QString headings[ColumnCount] = {
        QStringLiteral("対局名"), QStringLiteral("白番"), QStringLiteral("黒番"),
        QStringLiteral("対局日"), QStringLiteral("手数"), QStringLiteral("次の一手")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return QVariant();
    return headings[section];
}

void SearchHitsModel::sort(int column, Qt::SortOrder order) {
    if (!m_results || column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> hitsBefore;
    for (const QModelIndex& index : before)
        hitsBefore.push_back(hitAt(index.row()));

    std::vector<int> sorted(m_order.size());
    std::iota(sorted.begin(), sorted.end(), 0);
    const bool ascending = order == Qt::AscendingOrder;
    if (column == Moves) {
        const QVector<SearchHit>& hits = m_results->hits;
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
            const int ma = hits[a].match.moves;
            const int mb = hits[b].match.moves;
            return ascending ? ma < mb : mb < ma;
        });
    } else {
        // Each name is taken apart once, not at every comparison.
        std::vector<QString> keys(sorted.size());
        for (size_t hit = 0; hit < keys.size(); ++hit)
            keys[hit] = text(static_cast<int>(hit), column);
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
            return ascending ? keys[a] < keys[b] : keys[b] < keys[a];
        });
    }
    m_order = std::move(sorted);

    std::vector<int> rowOfHit(m_order.size());
    for (size_t row = 0; row < m_order.size(); ++row)
        rowOfHit[m_order[row]] = static_cast<int>(row);
    QModelIndexList after;
    for (size_t i = 0; i < static_cast<size_t>(before.size()); ++i)
        after << (hitsBefore[i] < 0 ? QModelIndex()
                                    : index(rowOfHit[hitsBefore[i]], before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace vorleth
