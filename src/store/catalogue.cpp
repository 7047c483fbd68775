#include "store/catalogue.h"

#include "store/recordname.h"

#include <QFileInfo>
#include <QHashFunctions>
#include <QStringView>

#include <algorithm>
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

// The key as one number where the texts are what the program writes (eight-digit dates, times
// of up to six digits): then the keys compare as their numbers do. A time left out sorts before
// any time of the same day, as the shorter text does.
std::optional<quint64> dateTimeNumber(QStringView date, QStringView time) {
    if (date.size() != 8 || time.size() > 6)
        return std::nullopt;
    const auto number = [](QStringView digits) -> std::optional<quint64> {
        quint64 value = 0;
        for (const QChar c : digits) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            value = value * 10 + (c.unicode() - u'0');
        }
        return value;
    };
    const std::optional<quint64> day = number(date);
    const std::optional<quint64> clock = number(time);
    if (!day || !clock)
        return std::nullopt;
    return *day * 10'000'000ULL + (time.isEmpty() ? 0 : 1 + *clock);
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

bool isShownAt(const Catalogue& catalogue, int position, const RecordListState& state) {
    if (!state.gameNameFilter.isEmpty())
        return startsWithAny(catalogue.text(position, EntryText::GameName), state.gameNameFilter);
    if (!state.playerFilter.isEmpty())
        return startsWithAny(catalogue.text(position, EntryText::BlackPlayer),
                             state.playerFilter) ||
               startsWithAny(catalogue.text(position, EntryText::WhitePlayer), state.playerFilter);
    return true;
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

// Positions in ascending order of the key of mode, equal keys in position order. The keys are
// views of the catalogue's texts or numbers that order as the texts would; a text is made
// only for the rare pair whose numbers cannot tell.
QVector<int> sortedPositions(const Catalogue& catalogue, int mode) {
    const int n = catalogue.count();
    if (mode >= 1 && mode <= 4) {
        static constexpr EntryText texts[] = {EntryText::GameName, EntryText::WhitePlayer,
                                              EntryText::BlackPlayer, EntryText::Result};
        const EntryText which = texts[mode - 1];
        // The first four units packed into a number decide most comparisons in one step.
        struct Item {
            quint64 head;
            std::u16string_view key;
            int position;
        };
        std::vector<Item> items(static_cast<size_t>(n));
        for (int p = 1; p <= n; ++p) {
            const QStringView text = catalogue.text(p, which);
            quint64 head = 0;
            for (qsizetype i = 0; i < 4; ++i)
                head = head << 16 | (i < text.size() ? text[i].unicode() : 0);
            items[p - 1] = {head, {text.utf16(), size_t(text.size())}, p};
        }
        return stablyOrdered(items, [](const Item& a, const Item& b) {
            return a.head != b.head ? a.head < b.head : a.key < b.key;
        });
    }
    struct Item {
        quint64 number;
        int position;
        bool exact;
    };
    std::vector<Item> items(static_cast<size_t>(n));
    if (mode == kEntryCountMode) {
        // Counts of up to four digits order as their zero-filled texts do.
        for (int p = 1; p <= n; ++p) {
            const int count = catalogue.entryCount(p);
            const bool exact = count >= 0 && count <= 9999;
            items[p - 1] = {exact ? quint64(count) : 0, p, exact};
        }
        return stablyOrdered(items, [&](const Item& a, const Item& b) {
            if (a.exact && b.exact)
                return a.number < b.number;
            return entryCountSortKey(catalogue.entryCount(a.position)) <
                   entryCountSortKey(catalogue.entryCount(b.position));
        });
    }
    const EntryText date =
        mode == kRecordDateMode ? EntryText::RecordDate : EntryText::ReferenceDate;
    // Keys that are no number are made as texts, once, into one buffer; number holds where.
    std::u16string made;
    for (int p = 1; p <= n; ++p) {
        const QStringView day = catalogue.text(p, date);
        const QStringView time = catalogue.text(p, EntryText::TimeOfDay);
        const std::optional<quint64> number = dateTimeNumber(day, time);
        if (number) {
            items[p - 1] = {*number, p, true};
            continue;
        }
        const QString key = dateTimeKey(day, time);
        items[p - 1] = {quint64(made.size()) << 32 | quint64(key.size()), p, false};
        made.append(reinterpret_cast<const char16_t*>(key.utf16()), size_t(key.size()));
    }
    // A numbered key as its text: eight digits, a blank, the time's six digits if it has one.
    const auto textOf = [&made](const Item& item, char16_t(&buffer)[15]) {
        if (!item.exact)
            return std::u16string_view(made).substr(item.number >> 32, item.number & 0xFFFFFFFF);
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
    return stablyOrdered(items, [&](const Item& a, const Item& b) {
        if (a.exact && b.exact)
            return a.number < b.number;
        char16_t bufferA[15];
        char16_t bufferB[15];
        return textOf(a, bufferA) < textOf(b, bufferB);
    });
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
    QVector<int> shown;
    shown.reserve(state.displayOrder.size());
    for (const int position : state.displayOrder) {
        if (isCataloguePosition(catalogue, position) && isShownAt(catalogue, position, state))
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
