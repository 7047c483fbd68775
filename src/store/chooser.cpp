#include "store/chooser.h"
#include "store/recordname.h"

#include "store/catalogue.h"

#include <QHash>

#include <algorithm>

namespace vorleth {

namespace {

// Collects groups in the order they first appear; a hash finds an existing group, which for a
// large library with many groups keeps the build linear.
class GroupCollector {
public:
    // text stays valid while the groups are collected.
    void add(QStringView text) {
        const auto found = m_index.constFind(text);
        if (found != m_index.cend()) {
            ++m_groups[*found].count;
            return;
        }
        m_index.insert(text, static_cast<int>(m_groups.size()));
        m_groups.append({text.toString(), 1});
    }

    // The groups ordered by their texts.
    QVector<ChooserGroup> sorted() const {
        QStringList texts;
        texts.reserve(m_groups.size());
        for (const ChooserGroup& group : m_groups)
            texts.append(group.text);
        QVector<ChooserGroup> ordered;
        ordered.reserve(m_groups.size());
        for (const int position : sortIndex(static_cast<int>(texts.size()), texts))
            ordered.append(m_groups[position - 1]);
        return ordered;
    }

private:
    QVector<ChooserGroup> m_groups;
    QHash<QStringView, int> m_index;
};

} // namespace

QString groupText(const QString& name, int prefixLength) {
    return firstCharacters(name, std::max(prefixLength, 0));
}

QVector<ChooserGroup> groupGameNames(const Catalogue& catalogue, int prefixLength) {
    GroupCollector collector;
    for (int position = 1; position <= catalogue.count(); ++position)
        collector.add(firstCharacters(catalogue.text(position, EntryText::GameName),
                                      std::max(prefixLength, 0)));
    return collector.sorted();
}

QVector<ChooserGroup> groupPlayers(const Catalogue& catalogue, int prefixLength) {
    GroupCollector collector;
    for (int position = 1; position <= catalogue.count(); ++position) {
        collector.add(firstCharacters(catalogue.text(position, EntryText::BlackPlayer),
                                      std::max(prefixLength, 0)));
        collector.add(firstCharacters(catalogue.text(position, EntryText::WhitePlayer),
                                      std::max(prefixLength, 0)));
    }
    return collector.sorted();
}

QString lastFiveDigits(int number) {
    return QString::number(number).right(5);
}

Chooser::Chooser(ChooserKind kind, const Catalogue& catalogue, RecordListState& recordList,
                 int& prefixLength)
    : m_kind(kind), m_catalogue(catalogue), m_recordList(recordList), m_prefixLength(prefixLength) {
}

void Chooser::open() {
    if (m_prefixLength == 0)
        m_prefixLength = kDefaultPrefixLength;
    // Out-of-range values cannot come from the menu; a group of no characters would match
    // every name, so such a value is brought back into range.
    m_prefixLength = std::clamp(m_prefixLength, kMinPrefixLength, kMaxPrefixLength);
    m_recordList.gameNameFilter.clear();
    m_recordList.playerFilter.clear();
    rebuild();
}

void Chooser::setPrefixLength(int length) {
    m_prefixLength = std::clamp(length, kMinPrefixLength, kMaxPrefixLength);
    open();
}

bool Chooser::pick(int row) {
    if (row < 1 || row > groupCount())
        return false;
    filter().append(m_groups[row - 1].text);
    m_picked[row - 1] = true;
    return true;
}

bool Chooser::isPicked(int row) const {
    return row >= 1 && row <= groupCount() && m_picked[row - 1];
}

const QStringList& Chooser::filter() const {
    return m_kind == ChooserKind::GameName ? m_recordList.gameNameFilter
                                           : m_recordList.playerFilter;
}

QStringList& Chooser::filter() {
    return m_kind == ChooserKind::GameName ? m_recordList.gameNameFilter
                                           : m_recordList.playerFilter;
}

void Chooser::rebuild() {
    m_groups = m_kind == ChooserKind::GameName ? groupGameNames(m_catalogue, m_prefixLength)
                                               : groupPlayers(m_catalogue, m_prefixLength);
    m_picked = QVector<bool>(m_groups.size(), false);
}

} // namespace vorleth
