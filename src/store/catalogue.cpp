#include "store/catalogue.h"

#include "store/recordname.h"

#include <QFileInfo>
#include <QHashFunctions>
#include <QStringView>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <numeric>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace vorleth {

namespace {

// Times are stored without a leading zero in the hour (90503), which as text would sort after
// 153012; the sort keys therefore carry them zero-filled to six digits.
bool isDigits(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

int timeZeros(QStringView time) {
    return !time.isEmpty() && time.size() < 6 && isDigits(time) ? int(6 - time.size()) : 0;
}

QString dateTimeKey(QStringView date, QStringView time) {
    const int zeros = timeZeros(time);
    QString key;
    key.reserve(date.size() + 1 + zeros + time.size());
    key.append(date).append(u' ').append(QString(zeros, u'0')).append(time);
    return key;
}

// At least four digits, zero-filled: 7 gives 0007.
QString entryCountSortKey(int count) {
    const QString digits = QString::number(count < 0 ? -qint64(count) : qint64(count));
    QString key = count < 0 ? QStringLiteral("-") : QString();
    if (digits.size() < 4)
        key.append(QString(4 - digits.size(), u'0'));
    return key.append(digits);
}

// An empty prefix is what a chooser offers for games without a name: it picks those games,
// not every game (every text starts with the empty text).
bool startsWithAny(QStringView text, const QStringList& prefixes) {
    for (const QString& prefix : prefixes) {
        if (prefix.isEmpty() ? text.isEmpty() : text.startsWith(prefix))
            return true;
    }
    return false;
}

struct ViewHash {
    size_t operator()(QStringView text) const { return qHash(text); }
};
using ViewSet = std::unordered_set<QStringView, ViewHash>;

template <typename Item, typename Less>
QVector<int> stablyOrdered(std::vector<Item>& items, Less less) {
    std::stable_sort(items.begin(), items.end(), less);
    QVector<int> order;
    order.reserve(static_cast<qsizetype>(items.size()));
    for (const Item& item : items)
        order.append(item.position);
    return order;
}

// Positions 1..n in ascending order of key(position), a number below buckets, equal keys in
// position order: a counting sort, linear in n.
template <typename Key> QVector<int> countedOrder(int n, quint32 buckets, const Key& key) {
    std::vector<quint32> start(size_t(buckets) + 1, 0);
    for (int p = 1; p <= n; ++p)
        ++start[key(p) + 1];
    for (size_t b = 1; b < start.size(); ++b)
        start[b] += start[b - 1];
    QVector<int> order(n);
    for (int p = 1; p <= n; ++p)
        order[start[key(p)]++] = p;
    return order;
}

struct NumberedPosition {
    quint64 number;
    int position;
};

// The date sorts' working arrays: two of sixteen bytes a record, written through at each step.
class WorkArray {
public:
    explicit WorkArray(size_t n)
        : m_data(
              static_cast<NumberedPosition*>(allocateInLargePages(n * sizeof(NumberedPosition)))),
          m_size(n) {
        if (!m_data)
            throw std::bad_alloc();
    }
    WorkArray(const WorkArray&) = delete;
    WorkArray& operator=(const WorkArray&) = delete;
    ~WorkArray() { std::free(m_data); }

    size_t size() const { return m_size; }
    NumberedPosition* begin() { return m_data; }
    NumberedPosition* end() { return m_data + m_size; }
    NumberedPosition& operator[](size_t i) { return m_data[i]; }
    NumberedPosition& front() { return m_data[0]; }
    void swap(WorkArray& other) {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
    }

private:
    NumberedPosition* m_data;
    size_t m_size;
};

// The positions of items (in position order) in ascending order of their numbers, equal
// numbers in position order: eleven bits at a step from the lowest, each step a stable
// counting sort into few enough places for the processor's caches to follow; a step in which
// all numbers agree is left out.
QVector<int> radixOrder(WorkArray& items) {
    constexpr int kBits = 11;
    constexpr int kSteps = (64 + kBits - 1) / kBits;
    constexpr quint64 kMask = (quint64(1) << kBits) - 1;
    const size_t n = items.size();
    std::vector<std::array<quint32, size_t(1) << kBits>> start(kSteps);
    for (const NumberedPosition& item : items) {
        for (int step = 0; step < kSteps; ++step)
            ++start[step][item.number >> (step * kBits) & kMask];
    }
    WorkArray other(n);
    for (int step = 0; step < kSteps && n > 0; ++step) {
        const int shift = step * kBits;
        std::array<quint32, size_t(1) << kBits>& at = start[step];
        if (at[items.front().number >> shift & kMask] == n)
            continue;
        quint32 sum = 0;
        for (quint32& s : at)
            sum += std::exchange(s, sum);
        for (const NumberedPosition& item : items)
            other[at[item.number >> shift & kMask]++] = item;
        items.swap(other);
    }
    QVector<int> order;
    order.reserve(static_cast<qsizetype>(n));
    for (const NumberedPosition& item : items)
        order.append(item.position);
    return order;
}

// Positions by a text column: the texts of the column's classes are put in order once (a
// library has far fewer distinct names than records), then the positions by their class's
// rank.
QVector<int> orderByText(const Catalogue& catalogue, EntryText which) {
    const quint32 classes = catalogue.textClassCount(which);
    std::vector<quint32> byText(classes);
    std::iota(byText.begin(), byText.end(), 0U);
    std::sort(byText.begin(), byText.end(), [&](quint32 a, quint32 b) {
        return catalogue.classText(which, a) < catalogue.classText(which, b);
    });
    std::vector<quint32> rank(classes);
    quint32 ranks = 0;
    for (quint32 i = 0; i < classes; ++i) {
        if (i > 0 &&
            catalogue.classText(which, byText[i]) != catalogue.classText(which, byText[i - 1]))
            ++ranks;
        rank[byText[i]] = ranks;
    }
    return countedOrder(catalogue.count(), ranks + 1,
                        [&](int p) { return rank[catalogue.textClass(p, which)]; });
}

// Positions in ascending order of the key of mode, equal keys in position order. The keys are
// the catalogue's classes of texts or numbers that order as the texts would, with a sort
// linear in the number of records; a text is made only for keys that are no such number.
QVector<int> sortedPositions(const Catalogue& catalogue, int mode) {
    const int n = catalogue.count();
    if (mode >= 1 && mode <= 4) {
        static constexpr EntryText texts[] = {EntryText::GameName, EntryText::WhitePlayer,
                                              EntryText::BlackPlayer, EntryText::Result};
        return orderByText(catalogue, texts[mode - 1]);
    }
    if (mode == kEntryCountMode) {
        // Counts of up to four digits order as their zero-filled texts do.
        constexpr int kFourDigits = 10000;
        const bool allFourDigits = [&] {
            for (int p = 1; p <= n; ++p) {
                const int count = catalogue.entryCount(p);
                if (count < 0 || count >= kFourDigits)
                    return false;
            }
            return true;
        }();
        if (allFourDigits)
            return countedOrder(n, kFourDigits, [&](int p) {
                return static_cast<quint32>(catalogue.entryCount(p));
            });
        std::vector<int> positions(static_cast<size_t>(n));
        std::iota(positions.begin(), positions.end(), 1);
        std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
            return entryCountSortKey(catalogue.entryCount(a)) <
                   entryCountSortKey(catalogue.entryCount(b));
        });
        return QVector<int>(positions.cbegin(), positions.cend());
    }
    const EntryText date =
        mode == kRecordDateMode ? EntryText::RecordDate : EntryText::ReferenceDate;
    WorkArray items(static_cast<size_t>(n));
    bool allNumbers = true;
    for (int p = 1; p <= n; ++p) {
        const qint64 number = catalogue.dateTimeNumber(p, date);
        allNumbers = allNumbers && number >= 0;
        items[p - 1] = {static_cast<quint64>(number), p};
    }
    if (allNumbers)
        return radixOrder(items);
    // Keys that are no number are compared as texts: they are rare, and made once each.
    std::vector<QString> made(static_cast<size_t>(n));
    for (int p = 1; p <= n; ++p) {
        if (catalogue.dateTimeNumber(p, date) < 0)
            made[p - 1] =
                dateTimeKey(catalogue.text(p, date), catalogue.text(p, EntryText::TimeOfDay));
    }
    // A numbered key as its text: eight digits, a blank, the time's six digits if it has one.
    const auto textOf = [&made](const NumberedPosition& item, char16_t(&buffer)[15]) {
        if (static_cast<qint64>(item.number) < 0) {
            const QString& key = made[item.position - 1];
            return std::u16string_view(reinterpret_cast<const char16_t*>(key.utf16()),
                                       size_t(key.size()));
        }
        quint64 day = item.number / 10'000'000ULL;
        const quint64 clock = item.number % 10'000'000ULL;
        for (int i = 7; i >= 0; --i, day /= 10)
            buffer[i] = char16_t(u'0' + day % 10);
        buffer[8] = u' ';
        if (clock == 0)
            return std::u16string_view(buffer, 9);
        quint64 time = clock - 1;
        for (int i = 14; i >= 9; --i, time /= 10)
            buffer[i] = char16_t(u'0' + time % 10);
        return std::u16string_view(buffer, 15);
    };
    std::stable_sort(items.begin(), items.end(),
                     [&](const NumberedPosition& a, const NumberedPosition& b) {
                         const bool exactA = static_cast<qint64>(a.number) >= 0;
                         const bool exactB = static_cast<qint64>(b.number) >= 0;
                         if (exactA && exactB)
                             return a.number < b.number;
                         char16_t bufferA[15];
                         char16_t bufferB[15];
                         return textOf(a, bufferA) < textOf(b, bufferB);
                     });
    QVector<int> order;
    order.reserve(n);
    for (const NumberedPosition& item : items)
        order.append(item.position);
    return order;
}

} // namespace

bool scanCatalogue(Catalogue& catalogue, const QString& directory) {
    const QFileInfo info(directory);
    if (directory.isEmpty() || !info.isDir() || !info.isReadable())
        return false;
    // The extension is no part of a value: a last value without its "）" ends with the name, as
    // it does when the record itself is read.
    return catalogue.readDirectory(directory);
}

void buildGameNameList(Catalogue& catalogue) {
    if (!catalogue.gameNames.isEmpty())
        return;
    QStringList names{kAllNames};
    ViewSet present{QStringView(kAllNames)};
    for (int position = 1; position <= catalogue.count(); ++position) {
        const QStringView name = catalogue.text(position, EntryText::GameName);
        if (present.insert(name).second)
            names.append(name.toString());
    }
    catalogue.gameNames = std::move(names);
}

void buildPlayerNameList(Catalogue& catalogue) {
    QStringList& names = catalogue.playerNames;
    if (names.isEmpty())
        names.append(kAllNames);
    // The list's own texts are kept apart from it: appending may move the list's elements.
    const QStringList listed = names;
    ViewSet present(listed.cbegin(), listed.cend());
    const auto appendNew = [&](EntryText which) {
        for (int position = 1; position <= catalogue.count(); ++position) {
            const QStringView name = catalogue.text(position, which);
            if (present.insert(name).second)
                names.append(name.toString());
        }
    };
    appendNew(EntryText::WhitePlayer);
    appendNew(EntryText::BlackPlayer);
}

QVector<int> sortIndex(int n, const QStringList& keys) {
    n = std::clamp(n, 0, static_cast<int>(keys.size()));
    struct Item {
        std::u16string_view key;
        int position;
    };
    std::vector<Item> items(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const QString& key = keys.at(i);
        items[i] = {{reinterpret_cast<const char16_t*>(key.utf16()), size_t(key.size())}, i + 1};
    }
    return stablyOrdered(items, [](const Item& a, const Item& b) { return a.key < b.key; });
}

QStringList sortKeys(const Catalogue& catalogue, int mode) {
    QStringList keys;
    keys.reserve(catalogue.count());
    for (int p = 1; p <= catalogue.count(); ++p) {
        switch (mode) {
        case 1:
            keys.append(catalogue.text(p, EntryText::GameName).toString());
            break;
        case 2:
            keys.append(catalogue.text(p, EntryText::WhitePlayer).toString());
            break;
        case 3:
            keys.append(catalogue.text(p, EntryText::BlackPlayer).toString());
            break;
        case 4:
            keys.append(catalogue.text(p, EntryText::Result).toString());
            break;
        case 5:
            keys.append(entryCountSortKey(catalogue.entryCount(p)));
            break;
        case 6:
            keys.append(dateTimeKey(catalogue.text(p, EntryText::RecordDate),
                                    catalogue.text(p, EntryText::TimeOfDay)));
            break;
        default: // 0 and 7
            keys.append(dateTimeKey(catalogue.text(p, EntryText::ReferenceDate),
                                    catalogue.text(p, EntryText::TimeOfDay)));
            break;
        }
    }
    return keys;
}

void sortRecordList(const Catalogue& catalogue, RecordListState& state, int mode, bool descending) {
    QVector<int> order =
        sortedPositions(catalogue, mode == kUnsortedMode ? kReferenceDateMode : mode);
    if (descending)
        std::reverse(order.begin(), order.end());
    state.displayOrder = std::move(order);
    state.sortMode = mode;
}

void applyDefaultOrder(const Catalogue& catalogue, RecordListState& state) {
    if (state.sortMode == kUnsortedMode)
        sortRecordList(catalogue, state, kReferenceDateMode, true);
}

bool enterRecordList(Catalogue& catalogue, RecordListState& state, const QString& directory) {
    state.sortMode = kUnsortedMode;
    const bool scanned = scanCatalogue(catalogue, directory);
    buildGameNameList(catalogue);
    applyDefaultOrder(catalogue, state);
    return scanned;
}

bool clickHeading(const Catalogue& catalogue, RecordListState& state, int column) {
    if (column == kRowNumberColumn || column == kPositionColumn) {
        state.sortMode = kUnsortedMode;
        return false;
    }
    if (column < 1 || column > 7)
        return false;
    bool& lastWasDescending = state.sortDirectionFlags[column];
    const bool descending = !lastWasDescending;
    lastWasDescending = descending;
    sortRecordList(catalogue, state, column, descending);
    return true;
}

void sortByMenu(const Catalogue& catalogue, RecordListState& state, MenuSort sort) {
    switch (sort) {
    case MenuSort::GameName:
        sortRecordList(catalogue, state, kGameNameMode, false);
        break;
    case MenuSort::RecordDate:
        sortRecordList(catalogue, state, kRecordDateMode, true);
        break;
    case MenuSort::ReferenceDate:
        sortRecordList(catalogue, state, kReferenceDateMode, true);
        break;
    }
}

bool isShown(const RecordMetadata& entry, const RecordListState& state) {
    if (!state.gameNameFilter.isEmpty())
        return startsWithAny(entry.game.gameName, state.gameNameFilter);
    if (!state.playerFilter.isEmpty())
        return startsWithAny(entry.game.blackPlayer, state.playerFilter) ||
               startsWithAny(entry.game.whitePlayer, state.playerFilter);
    return true;
}

QVector<int> shownPositions(const Catalogue& catalogue, const RecordListState& state) {
    const int n = catalogue.count();
    const bool byGameName = !state.gameNameFilter.isEmpty();
    const bool byPlayer = !byGameName && !state.playerFilter.isEmpty();
    // A prefix is tried on each class's text once; the positions that pass are marked in
    // catalogue order, the order of the catalogue's storage, and then read in display order.
    std::vector<bool> passes;
    if (byGameName || byPlayer) {
        const auto classesPassing = [&](EntryText which, const QStringList& prefixes) {
            std::vector<bool> passing(catalogue.textClassCount(which));
            for (quint32 c = 0; c < passing.size(); ++c)
                passing[c] = startsWithAny(catalogue.classText(which, c), prefixes);
            return passing;
        };
        passes.resize(static_cast<size_t>(n) + 1);
        if (byGameName) {
            const std::vector<bool> game =
                classesPassing(EntryText::GameName, state.gameNameFilter);
            for (int p = 1; p <= n; ++p)
                passes[p] = game[catalogue.textClass(p, EntryText::GameName)];
        } else {
            const std::vector<bool> black =
                classesPassing(EntryText::BlackPlayer, state.playerFilter);
            const std::vector<bool> white =
                classesPassing(EntryText::WhitePlayer, state.playerFilter);
            for (int p = 1; p <= n; ++p)
                passes[p] = black[catalogue.textClass(p, EntryText::BlackPlayer)] ||
                            white[catalogue.textClass(p, EntryText::WhitePlayer)];
        }
    }
    QVector<int> shown;
    shown.reserve(state.displayOrder.size());
    for (const int position : state.displayOrder) {
        if (isCataloguePosition(catalogue, position) && (passes.empty() || passes[position]))
            shown.append(position);
    }
    return shown;
}

QString shownStatusText(int shownCount) {
    if (shownCount <= 0)
        return kNoRecordsFound;
    return QString::number(shownCount) + kRecordsSelectedSuffix;
}

QString cellText(const Catalogue& catalogue, int row, int position, int column) {
    if (column == kRowNumberColumn)
        return QString::number(row + 1);
    if (!isCataloguePosition(catalogue, position))
        return QString();
    switch (column) {
    case 1:
        return catalogue.text(position, EntryText::GameName).toString();
    case 2:
        return catalogue.text(position, EntryText::WhitePlayer).toString();
    case 3:
        return catalogue.text(position, EntryText::BlackPlayer).toString();
    case 4:
        return catalogue.text(position, EntryText::Result).toString();
    case 5:
        return QString::number(catalogue.entryCount(position));
    case 6:
        return catalogue.text(position, EntryText::RecordDate).toString();
    case 7:
        return catalogue.text(position, EntryText::ReferenceDate).toString();
    case kPositionColumn:
        return QString::number(position);
    default:
        return QString();
    }
}

std::array<QString, kRecordListColumns> rowCells(const Catalogue& catalogue, int row,
                                                 int position) {
    std::array<QString, kRecordListColumns> cells;
    for (int column = 0; column < kRecordListColumns; ++column)
        cells[column] = cellText(catalogue, row, position, column);
    return cells;
}

bool selectAllRecords(Catalogue& catalogue, RecordListState& state, const QString& directory) {
    if (state.gameNameFilter.isEmpty() && state.playerFilter.isEmpty())
        return false;
    state.gameNameFilter.clear();
    state.playerFilter.clear();
    enterRecordList(catalogue, state, directory);
    return true;
}

} // namespace vorleth
