#include "store/catalogue.h"

#include "store/recordname.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringView>

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

#if defined(Q_OS_WIN)
#include <windows.h>

#include <cwchar>
#include <string>
#elif defined(Q_OS_UNIX)
#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#endif

namespace vorleth {

namespace {

// Times are stored without a leading zero in the hour (90503), which as text would sort after
// 153012; the sort keys therefore carry them zero-filled to six digits.
QString sortableTime(const QString& time) {
    if (time.isEmpty() || time.size() >= 6)
        return time;
    for (const QChar c : time) {
        if (c < u'0' || c > u'9')
            return time;
    }
    return QString(6 - time.size(), u'0') + time;
}

QString dateTimeKey(const QString& date, const QString& time) {
    const QString paddedTime = sortableTime(time);
    QString key;
    key.reserve(date.size() + 1 + paddedTime.size());
    key.append(date).append(u' ').append(paddedTime);
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
bool startsWithAny(const QString& text, const QStringList& prefixes) {
    for (const QString& prefix : prefixes) {
        if (prefix.isEmpty() ? text.isEmpty() : text.startsWith(prefix))
            return true;
    }
    return false;
}

// A record's extension in any letter case, tested on the name's bytes before it is decoded.
bool hasRecordExtension(const char* name, size_t length) {
    if (length < 4 || name[length - 4] != '.')
        return false;
    const auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
    return lower(name[length - 3]) == 'i' && lower(name[length - 2]) == 'g' &&
           lower(name[length - 1]) == 'o';
}

// The names of the regular files in directory that end in ".IGO" (any case), hidden ones left
// out as QDir::Files leaves them. Read the cheapest way the system offers: the directory's own
// entries, a name decoded only when its extension is a record's, a file examined on its own
// only where the entry does not say what it is (a link, or a file system that keeps no type).
QStringList recordFileNames(const QString& directory) {
    QStringList names;
#if defined(Q_OS_WIN)
    const std::wstring pattern = QDir::toNativeSeparators(directory).toStdWString() + L"\\*";
    WIN32_FIND_DATAW found;
    HANDLE handle = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (handle == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (found.dwFileAttributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        const size_t length = wcslen(found.cFileName);
        if (length < 4 || found.cFileName[length - 4] != L'.' ||
            _wcsicmp(found.cFileName + length - 3, L"igo") != 0)
            continue;
        names.append(QString::fromWCharArray(found.cFileName, static_cast<qsizetype>(length)));
    } while (FindNextFileW(handle, &found));
    FindClose(handle);
#elif defined(Q_OS_UNIX)
    DIR* dir = opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return names;
    const int descriptor = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        const size_t length = strlen(name);
        if (name[0] == '.' || !hasRecordExtension(name, length))
            continue;
        if (entry->d_type != DT_REG) {
            struct stat status;
            if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
                continue;
            if (fstatat(descriptor, name, &status, 0) != 0 || !S_ISREG(status.st_mode))
                continue;
        }
        names.append(QFile::decodeName(QByteArray::fromRawData(name, qsizetype(length))));
    }
    closedir(dir);
#else
    QDirIterator it(directory, QDir::Files);
    while (it.hasNext()) {
        it.next();
        QString name = it.fileName();
        if (name.endsWith(u".igo", Qt::CaseInsensitive))
            names.append(std::move(name));
    }
#endif
    return names;
}

} // namespace

bool scanCatalogue(Catalogue& catalogue, const QString& directory) {
    const QFileInfo info(directory);
    if (directory.isEmpty() || !info.isDir() || !info.isReadable())
        return false;

    const QStringList names = recordFileNames(directory);
    QStringList foldedNames;
    foldedNames.reserve(names.size());
    for (const QString& name : names)
        foldedNames.append(name.toCaseFolded());

    // Sorting small records that point at the text keeps the moves cheap; names equal but for
    // letter case keep a fixed order among themselves.
    struct Listed {
        QStringView folded;
        QStringView name;
        qsizetype index;
    };
    std::vector<Listed> listed;
    listed.reserve(static_cast<size_t>(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        listed.push_back({foldedNames.at(i), names.at(i), i});
    std::sort(listed.begin(), listed.end(), [](const Listed& a, const Listed& b) {
        const int byFolded = a.folded.compare(b.folded);
        return byFolded != 0 ? byFolded < 0 : a.name.compare(b.name) < 0;
    });

    QVector<RecordMetadata> entries;
    entries.reserve(static_cast<qsizetype>(listed.size()));
    for (const Listed& file : listed) {
        // The extension is no part of a value: a last value without its "）" ends with the
        // name, as it does when the record itself is read.
        entries.append(parseRecordName(names.at(file.index).chopped(recordExtension.size())));
    }
    catalogue.entries = std::move(entries);
    return true;
}

void buildGameNameList(Catalogue& catalogue) {
    if (!catalogue.gameNames.isEmpty())
        return;
    QStringList names{kAllNames};
    QSet<QString> present{kAllNames};
    for (const RecordMetadata& entry : std::as_const(catalogue.entries)) {
        if (!present.contains(entry.game.gameName)) {
            present.insert(entry.game.gameName);
            names.append(entry.game.gameName);
        }
    }
    catalogue.gameNames = std::move(names);
}

void buildPlayerNameList(Catalogue& catalogue) {
    QStringList& names = catalogue.playerNames;
    if (names.isEmpty())
        names.append(kAllNames);
    QSet<QString> present(names.cbegin(), names.cend());
    const auto appendNew = [&](const QString& name) {
        if (!present.contains(name)) {
            present.insert(name);
            names.append(name);
        }
    };
    for (const RecordMetadata& entry : std::as_const(catalogue.entries))
        appendNew(entry.game.whitePlayer);
    for (const RecordMetadata& entry : std::as_const(catalogue.entries))
        appendNew(entry.game.blackPlayer);
}

QVector<int> sortIndex(int n, const QStringList& keys) {
    n = std::clamp(n, 0, static_cast<int>(keys.size()));
    // The keys' texts sit beside the positions, so a comparison reaches them in one step; code
    // unit order compared inline, without a call into Qt per pair.
    struct Item {
        std::u16string_view key;
        int position;
    };
    std::vector<Item> items(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const QString& key = keys.at(i);
        items[i] = {{reinterpret_cast<const char16_t*>(key.utf16()), size_t(key.size())}, i + 1};
    }
    std::vector<Item> merged(items.size());
    // Bottom-up merge: runs of 1 into pairs, then 2, 4, 8 ...; a tie takes from the left run,
    // which keeps equal keys in position order.
    for (int width = 1; width < n; width *= 2) {
        for (int low = 0; low < n; low += 2 * width) {
            const int middle = std::min(low + width, n);
            const int high = std::min(low + 2 * width, n);
            int left = low;
            int right = middle;
            int out = low;
            while (left < middle && right < high) {
                if (items[right].key < items[left].key)
                    merged[out++] = items[right++];
                else
                    merged[out++] = items[left++];
            }
            while (left < middle)
                merged[out++] = items[left++];
            while (right < high)
                merged[out++] = items[right++];
        }
        items.swap(merged);
    }
    QVector<int> order;
    order.reserve(n);
    for (const Item& item : items)
        order.append(item.position);
    return order;
}

QStringList sortKeys(const Catalogue& catalogue, int mode) {
    QStringList keys;
    keys.reserve(catalogue.count());
    for (const RecordMetadata& entry : catalogue.entries) {
        switch (mode) {
        case 1:
            keys.append(entry.game.gameName);
            break;
        case 2:
            keys.append(entry.game.whitePlayer);
            break;
        case 3:
            keys.append(entry.game.blackPlayer);
            break;
        case 4:
            keys.append(entry.game.result);
            break;
        case 5:
            keys.append(entryCountSortKey(entry.entryCount));
            break;
        case 6:
            keys.append(dateTimeKey(entry.recordDate, entry.timeOfDay));
            break;
        default: // 0 and 7
            keys.append(dateTimeKey(entry.referenceDate, entry.timeOfDay));
            break;
        }
    }
    return keys;
}

void sortRecordList(const Catalogue& catalogue, RecordListState& state, int mode, bool descending) {
    QVector<int> order = sortIndex(catalogue.count(), sortKeys(catalogue, mode));
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
        if (isCataloguePosition(catalogue, position) && isShown(catalogue.entry(position), state))
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
    const RecordMetadata& entry = catalogue.entry(position);
    switch (column) {
    case 1:
        return entry.game.gameName;
    case 2:
        return entry.game.whitePlayer;
    case 3:
        return entry.game.blackPlayer;
    case 4:
        return entry.game.result;
    case 5:
        return QString::number(entry.entryCount);
    case 6:
        return entry.recordDate;
    case 7:
        return entry.referenceDate;
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
