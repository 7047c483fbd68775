#include "screens/store/recordlistmodel.h"

#include "store/catalogue.h"

#include <array>
#include <utility>

namespace vorleth {

namespace {

struct ColumnLook {
    const char16_t* heading;
    int widthTwips;
};

const std::array<ColumnLook, kRecordListColumns> kColumns = {{
    {u"番号", 500},
    {u"対局名", 2000},
    {u"白番", 1400},
    {u"黒番", 1400},
    {u"勝負", 1400},
    {u"手数", 600},
    {u"対局日", 830},
    {u"参照日", 830},
    {u"番号", 600},
}};

constexpr int kEntryCountColumn = 5;

} // namespace

RecordListModel::RecordListModel(const Catalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), m_catalogue(catalogue) {}

QString RecordListModel::heading(int column) {
    if (column < 0 || column >= kRecordListColumns)
        return QString();
    return QString::fromUtf16(kColumns[column].heading);
}

int RecordListModel::columnWidthTwips(int column) {
    if (column < 0 || column >= kRecordListColumns)
        return 0;
    return kColumns[column].widthTwips;
}

void RecordListModel::setShownPositions(QVector<int> positions) {
    beginResetModel();
    m_shown = std::move(positions);
    endResetModel();
}

int RecordListModel::positionAt(int row) const {
    if (row < 0 || row >= m_shown.size())
        return 0;
    return m_shown[row];
}

int RecordListModel::rowOf(int position) const {
    return static_cast<int>(m_shown.indexOf(position));
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_shown.isEmpty() ? kEmptyListRows : static_cast<int>(m_shown.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kRecordListColumns;
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_shown.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(m_catalogue, index.row(), m_shown[index.row()], index.column());
    case Qt::TextAlignmentRole: {
        const int column = index.column();
        const bool number =
            column == kRowNumberColumn || column == kEntryCountColumn || column == kPositionColumn;
        const Qt::Alignment alignment =
            Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft);
        return static_cast<int>(alignment.toInt());
    }
    default:
        return QVariant();
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    return heading(section);
}

} // namespace vorleth
