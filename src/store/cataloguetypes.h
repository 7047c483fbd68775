#pragma once

#include "store/recordtypes.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

namespace vorleth {

// The library's index, filled from the file names alone. Positions count from 1.
struct Catalogue {
    QVector<RecordMetadata> entries;
    // Derived lists, "全て" first; empty means not built yet.
    QStringList gameNames;
    QStringList playerNames;

    int count() const { return static_cast<int>(entries.size()); }
    const RecordMetadata& entry(int position) const { return entries[position - 1]; }
    RecordMetadata& entry(int position) { return entries[position - 1]; }

    // No entries, and both name lists to be built again on next use.
    void reset() {
        entries.clear();
        gameNames.clear();
        playerNames.clear();
    }
};

// What the record list keeps between its screens (program-wide).
struct RecordListState {
    QVector<int> displayOrder; // catalogue positions in the order the grid shows them
    int sortMode = 0;          // 0 default (not applied yet), 1..7 by column
    std::array<bool, 11> sortDirectionFlags{}; // 1..10 used
    QStringList gameNameFilter;                // prefixes
    QStringList playerFilter;                  // prefixes
};

} // namespace vorleth
