#pragma once

#include "search/pattern.h"
#include "search/searchindex.h"

#include <QString>

#include <functional>
#include <memory>

namespace vorleth {

// The search as the program keeps it between screens: the index of the record directory (kept
// in memory, so that a second search reads nothing), the last pattern and what it found.
struct SearchState {
    std::shared_ptr<SearchIndex> index;
    QString indexDirectory;
    SearchPattern pattern;
    bool swapColours = false; // "白黒反転も含む", kept as the user left it
    // The last search was made from the recording board: replaying a result would leave the
    // game being recorded, so the results list does not.
    bool fromGameBeingRecorded = false;
    SearchResults results;
    // The open results list, told when new results arrive.
    std::function<void()> resultsChanged;

    // The index of directory, made when there is none or it belongs to another directory.
    SearchIndex& indexFor(const QString& directory) {
        if (!index || indexDirectory != directory) {
            index = std::make_shared<SearchIndex>(directory);
            indexDirectory = directory;
        }
        return *index;
    }

    void reset() {
        pattern = SearchPattern{};
        results = SearchResults{};
    }
};

} // namespace vorleth
