#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

namespace vorleth {

struct CatalogueEntry {
    QString fileName; // without ".IGO"
    QString gameName;
    QString whitePlayer;
    QString blackPlayer;
    QString result;
    QString recordDate;
    int entryCount = 0;
    QString timeOfDay;
    QString referenceDate;
    QString komi;
};

// The library's index, filled from the file names alone. Positions count from 1.
struct Catalogue {
    QVector<CatalogueEntry> entries;
    // Derived lists, "全て" first; empty means not built yet.
    QStringList gameNames;
    QStringList playerNames;

    int count() const { return static_cast<int>(entries.size()); }
    const CatalogueEntry& entry(int position) const { return entries[position - 1]; }
    CatalogueEntry& entry(int position) { return entries[position - 1]; }
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
