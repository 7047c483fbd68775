#pragma once

#include "search/gamescan.h"
#include "search/pattern.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorleth {

// The cache file beside the records. It is never the truth: a missing, stale or damaged one is
// rebuilt from the records.
inline const QString searchIndexFileName = QStringLiteral("vorleth-search.idx");

// A game that shows the pattern: its file name (".IGO" included) and where it matched.
struct SearchHit {
    QString fileName;
    GameMatch match;
};

struct SearchResults {
    QVector<SearchHit> hits; // in file-name order, letter case ignored
    int searched = 0;        // readable games looked at
    int unreadable = 0;      // records that could not be read, skipped
};

// Called while records are read: done of total; returning false cancels.
using IndexProgress = std::function<bool(int done, int total)>;

// The search index of one record directory: per game its size and time, its events (stones
// and removals, 16 bits each) and, worked out on loading, its footprint for the filters. The
// file is a series of checksummed chunks, one per game, so that a new or changed record is
// one chunk appended and a torn end loses only what it tore; a rewrite through a temporary
// file compacts it when replaced and removed games pile up.
// In memory the games are a few flat arrays (the events of all games in one) sized once from
// the file, so that 100,000 games take little more than the file.
class SearchIndex {
public:
    explicit SearchIndex(QString directory);

    // Reads the index file when it has not been read, then brings it up to date with the
    // directory: records added, changed (size or time) or removed since. Returns false when
    // the directory cannot be listed or progress cancelled; what was read until then is kept.
    bool update(const IndexProgress& progress = {});

    // One record written under fileName (".IGO" included), without looking at the rest of the
    // directory: what the program calls after it saves a record.
    bool addRecord(const QString& fileName);

    SearchResults search(const SearchPattern& pattern, bool swap) const;

    int gameCount() const { return m_liveCount; }
    // Whether the last update wrote the whole file anew (rather than appending or nothing).
    bool rewroteFile() const { return m_rewrote; }
    QString filePath() const;

private:
    struct Game {
        std::int64_t size = 0;
        std::int64_t modified = 0; // the file time's own count
        std::uint32_t eventOffset = 0;
        std::uint16_t eventCount = 0;
        std::uint8_t handicap = 0;
        bool unreadable = false;
        bool dead = false; // replaced or removed; dropped at the next rewrite
    };

    void load();
    // A game whose events are the last eventCount of m_events.
    int appendGame(QString name, std::int64_t size, std::int64_t modified, std::uint8_t handicap,
                   bool unreadable, int eventCount);
    int readRecord(const QString& fileName, std::int64_t size, std::int64_t modified);
    std::u16string_view gameName(int game) const;
    void markDead(int game);
    QByteArray gameChunk(int game) const;
    bool rewrite();
    bool append(const QByteArray& chunks);

    QString m_directory;
    bool m_loaded = false;
    bool m_needsRewrite = false;
    bool m_rewrote = false;
    int m_liveCount = 0;
    int m_deadCount = 0;
    std::vector<Game> m_games;
    // Apart from the games, so that the filter runs through them alone.
    std::vector<GameFootprint> m_footprints;
    std::vector<std::uint16_t> m_events;
    // One per game: a hit shares its game's name instead of copying it, which counts when a
    // pattern is found in most of 100,000 games.
    std::vector<QString> m_names;
    // Each game's place in file-name order, letter case ignored; worked out again on the first
    // search after the games changed.
    mutable std::vector<int> m_rank;
};

} // namespace vorleth
