#include "search/searchindex.h"

#include "search/recordfiles.h"

#include "board/playrules.h"
#include "store/recordcodec.h"
#include "store/recordname.h"
#include "store/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <unordered_map>

namespace vorleth {

namespace {

// Bump the version whenever the layout of a chunk changes: an index of another version is
// simply rebuilt.
constexpr char fileMagic[8] = {'V', 'L', 'S', 'I', 'D', 'X', '0', '3'};
constexpr std::uint32_t gameTag = 0x454d4147;    // "GAME"
constexpr std::uint32_t removalTag = 0x4c4d4552; // "REML"
constexpr int chunkHeaderSize = 16;              // tag, length, checksum
constexpr int gameHeaderSize = 24;               // size, time, handicap, flags, lengths

// A cheap checksum, eight bytes at a time, that any torn or overwritten part changes.
std::uint64_t checksum(const char* data, qsizetype length) {
    std::uint64_t h = 0x9e3779b97f4a7c15ull ^ static_cast<std::uint64_t>(length);
    qsizetype i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        h = (h ^ word) * 0x100000001b3ull;
        h ^= h >> 29;
    }
    for (; i < length; ++i)
        h = (h ^ static_cast<unsigned char>(data[i])) * 0x100000001b3ull;
    return h ^ (h >> 32);
}

template <typename T> void put(QByteArray& bytes, T value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}
template <typename T> T take(const char* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

QByteArray chunk(std::uint32_t tag, const QByteArray& payload) {
    QByteArray bytes;
    bytes.reserve(chunkHeaderSize + payload.size());
    put(bytes, tag);
    put(bytes, static_cast<std::uint32_t>(payload.size()));
    put(bytes, checksum(payload.constData(), payload.size()));
    return bytes + payload;
}

std::u16string_view viewOf(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

// UTF-16 text stored in a chunk, which need not be aligned for it.
std::u16string namesOf(const char* bytes, size_t units) {
    std::u16string text(units, u'\0');
    std::memcpy(text.data(), bytes, 2 * units);
    return text;
}

// Games by name, in one array probed in turn from the name's hash: a node-based map of 100,000
// names would be 100,000 allocations, and its lookups jumps over memory. The names themselves
// stay in the index (nameOf gives a game's), and the table is sized once for all the games.
class NameTable {
public:
    explicit NameTable(size_t games)
        : m_slots(std::bit_ceil(std::max<size_t>(16, 2 * games)), -1) {}

    // The slot of name: its game, or -1 where it goes.
    template <typename NameOf> int& slot(std::u16string_view name, const NameOf& nameOf) {
        const size_t mask = m_slots.size() - 1;
        size_t i = std::hash<std::u16string_view>{}(name)&mask;
        while (m_slots[i] >= 0 && nameOf(m_slots[i]) != name)
            i = (i + 1) & mask;
        return m_slots[i];
    }

private:
    std::vector<int> m_slots;
};

// The largest chunk a writer makes: a game header, a name and 65,535 events.
constexpr std::uint32_t largestChunk = gameHeaderSize + 2 * 0xffff + 2 * 0xffff;

// The chunks of an index file one after the other, through a buffer of a fixed size: reading
// the whole file at once would hold all of it beside what is made of it.
class ChunkReader {
public:
    explicit ChunkReader(QFile& file) : m_file(file), m_buffer(1 << 20) {}

    struct Chunk {
        std::uint32_t tag = 0;
        std::uint32_t length = 0;
        std::uint64_t sum = 0;
        const char* payload = nullptr;
    };
    enum class Step { Chunk, End, Torn };

    Step next(Chunk& chunk) {
        if (!fill(chunkHeaderSize))
            return m_begin == m_end ? Step::End : Step::Torn;
        const char* header = m_buffer.data() + m_begin;
        chunk.tag = take<std::uint32_t>(header);
        chunk.length = take<std::uint32_t>(header + 4);
        chunk.sum = take<std::uint64_t>(header + 8);
        if (chunk.length > largestChunk || !fill(chunkHeaderSize + chunk.length))
            return Step::Torn;
        chunk.payload = m_buffer.data() + m_begin + chunkHeaderSize;
        m_begin += chunkHeaderSize + chunk.length;
        return Step::Chunk;
    }

private:
    // At least count bytes from m_begin in the buffer, unless the file ends before.
    bool fill(size_t count) {
        if (m_end - m_begin >= count)
            return true;
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
        while (m_end < count) {
            const qint64 got =
                m_file.read(m_buffer.data() + m_end, qint64(m_buffer.size() - m_end));
            if (got <= 0)
                return false;
            m_end += static_cast<size_t>(got);
        }
        return true;
    }

    QFile& m_file;
    std::vector<char> m_buffer; // larger than any chunk
    size_t m_begin = 0;
    size_t m_end = 0;
};

} // namespace

SearchIndex::SearchIndex(QString directory) : m_directory(std::move(directory)) {}

QString SearchIndex::filePath() const {
    return QDir(m_directory).filePath(searchIndexFileName);
}

std::u16string_view SearchIndex::gameName(int game) const {
    return viewOf(m_names[game]);
}

int SearchIndex::appendGame(QString name, std::int64_t size, std::int64_t modified,
                            std::uint8_t handicap, bool unreadable, int eventCount) {
    Game game;
    game.size = size;
    game.modified = modified;
    game.eventOffset = static_cast<std::uint32_t>(m_events.size() - eventCount);
    game.eventCount = static_cast<std::uint16_t>(eventCount);
    game.handicap = handicap;
    game.unreadable = unreadable;
    m_names.push_back(std::move(name));
    m_games.push_back(game);
    m_footprints.push_back(gameFootprint(m_events.data() + game.eventOffset, eventCount, handicap));
    ++m_liveCount;
    m_rank.clear();
    return static_cast<int>(m_games.size()) - 1;
}

void SearchIndex::markDead(int game) {
    if (!m_games[game].dead) {
        m_games[game].dead = true;
        --m_liveCount;
        ++m_deadCount;
    }
}

void SearchIndex::load() {
    m_loaded = true;
    m_needsRewrite = true;
    QFile file(filePath());
    char magic[sizeof fileMagic];
    if (!file.open(QIODevice::ReadOnly) || file.read(magic, sizeof magic) != qint64(sizeof magic) ||
        std::memcmp(magic, fileMagic, sizeof fileMagic) != 0)
        return;

    // A first pass over the chunk headers sizes the arrays once: growing them by doubling would
    // hold the old and the new array at the same time, and leave up to half of each unused.
    size_t games = 0;
    size_t events = 0;
    {
        ChunkReader reader(file);
        ChunkReader::Chunk c;
        while (reader.next(c) == ChunkReader::Step::Chunk) {
            if (c.tag != gameTag || c.length < std::uint32_t(gameHeaderSize))
                continue;
            ++games;
            events += take<std::uint16_t>(c.payload + 20);
        }
    }
    if (!file.seek(sizeof fileMagic))
        return;
    m_games.reserve(games);
    m_footprints.reserve(games);
    m_events.reserve(events);
    m_names.reserve(games);

    NameTable byName(games);
    auto nameOf = [this](int game) { return gameName(game); };
    ChunkReader reader(file);
    for (;;) {
        ChunkReader::Chunk c;
        const ChunkReader::Step step = reader.next(c);
        if (step == ChunkReader::Step::End)
            break;
        if (step == ChunkReader::Step::Torn || checksum(c.payload, c.length) != c.sum)
            return; // rewritten on the next update
        const char* payload = c.payload;
        const std::uint32_t length = c.length;

        if (c.tag == removalTag) {
            // The slot keeps the dead game: a later chunk of that name takes it over.
            if (const int found = byName.slot(namesOf(payload, length / 2), nameOf); found >= 0)
                markDead(found);
            ++m_deadCount;
            continue;
        }
        if (c.tag != gameTag || length < std::uint32_t(gameHeaderSize))
            return;
        const auto size = take<std::int64_t>(payload);
        const auto modified = take<std::int64_t>(payload + 8);
        const auto handicap = take<std::uint8_t>(payload + 16);
        const auto flags = take<std::uint8_t>(payload + 17);
        const auto nameLength = take<std::uint16_t>(payload + 18);
        const auto eventCount = take<std::uint16_t>(payload + 20);
        if (length != std::uint32_t(gameHeaderSize + 2 * nameLength + 2 * eventCount) ||
            handicap > 9)
            return;
        QString name(nameLength, Qt::Uninitialized);
        std::memcpy(name.data(), payload + gameHeaderSize, 2 * size_t(nameLength));
        const char* eventBytes = payload + gameHeaderSize + 2 * nameLength;
        // Events that no writer makes are damage the checksum missed. The payload need not be
        // aligned for 16-bit words: the events are copied to their place first, then checked.
        const size_t firstEvent = m_events.size();
        m_events.resize(firstEvent + eventCount);
        std::memcpy(m_events.data() + firstEvent, eventBytes, 2 * size_t(eventCount));
        const std::uint16_t* read = m_events.data() + firstEvent;
        for (int i = 0; i < eventCount; ++i) {
            if ((read[i] & searchevent::pointMask) > searchevent::offBoard ||
                (read[i] & searchevent::kindMask) == searchevent::kindMask || (read[i] & ~0x7ff)) {
                m_events.resize(firstEvent);
                return;
            }
        }
        int& slot = byName.slot(viewOf(name), nameOf);
        if (slot >= 0)
            markDead(slot);
        const int game =
            appendGame(std::move(name), size, modified, handicap, flags & 1, eventCount);
        slot = game;
    }
    m_needsRewrite = false;
}

int SearchIndex::readRecord(const QString& fileName, std::int64_t size, std::int64_t modified) {
    QFile file(QDir(m_directory).filePath(fileName));
    bool unreadable = true;
    std::vector<std::uint16_t> events;
    std::uint8_t handicap = 0;
    if (file.open(QIODevice::ReadOnly)) {
        const Result<GameRecord> read =
            decodeRecord(fileName.chopped(recordExtension.size()), file.readAll());
        if (read.ok) {
            unreadable = false;
            events = searchEvents(read.moves);
            handicap = static_cast<std::uint8_t>(handicapCount(read.metadata.game.gameName));
        }
    }
    m_events.insert(m_events.end(), events.begin(), events.end());
    return appendGame(fileName, size, modified, handicap, unreadable,
                      static_cast<int>(events.size()));
}

QByteArray SearchIndex::gameChunk(int index) const {
    const Game& game = m_games[index];
    QByteArray payload;
    const QString& name = m_names[index];
    const auto nameLength = static_cast<std::uint16_t>(name.size());
    payload.reserve(gameHeaderSize + 2 * nameLength + 2 * game.eventCount);
    put(payload, game.size);
    put(payload, game.modified);
    put(payload, game.handicap);
    put(payload, static_cast<std::uint8_t>(game.unreadable ? 1 : 0));
    put(payload, nameLength);
    put(payload, game.eventCount);
    put(payload, std::uint16_t(0)); // reserved
    payload.append(reinterpret_cast<const char*>(name.utf16()), 2 * qsizetype(nameLength));
    payload.append(reinterpret_cast<const char*>(m_events.data() + game.eventOffset),
                   2 * game.eventCount);
    return chunk(gameTag, payload);
}

bool SearchIndex::rewrite() {
    // Compacting first, in place (a game only ever moves towards the front): the file and the
    // memory then hold the live games only.
    size_t kept = 0;
    size_t events = 0;
    for (size_t i = 0; i < m_games.size(); ++i) {
        Game game = m_games[i];
        if (game.dead)
            continue;
        std::memmove(m_events.data() + events, m_events.data() + game.eventOffset,
                     2 * size_t(game.eventCount));
        game.eventOffset = static_cast<std::uint32_t>(events);
        events += game.eventCount;
        m_footprints[kept] = m_footprints[i];
        if (kept != i)
            m_names[kept] = std::move(m_names[i]);
        m_games[kept++] = game;
    }
    m_games.resize(kept);
    m_footprints.resize(kept);
    m_events.resize(events);
    m_names.resize(kept);
    m_deadCount = 0;
    m_rank.clear();

    // Chunk by chunk into the temporary file, rather than the whole file made in memory first.
    m_rewrote = true;
    const auto written =
        textfile::writeFileSafely(filePath(), QByteArray(fileMagic, sizeof fileMagic),
                                  [this](QIODevice& file, const QByteArray& magic) {
                                      if (file.write(magic) != magic.size())
                                          return false;
                                      for (int i = 0; i < static_cast<int>(m_games.size()); ++i) {
                                          const QByteArray bytes = gameChunk(i);
                                          if (file.write(bytes) != bytes.size())
                                              return false;
                                      }
                                      return true;
                                  });
    m_needsRewrite = !written.ok;
    return !m_needsRewrite;
}

bool SearchIndex::append(const QByteArray& chunks) {
    if (chunks.isEmpty())
        return true;
    QFile file(filePath());
    if (!file.exists() || !file.open(QIODevice::WriteOnly | QIODevice::Append) ||
        file.write(chunks) != chunks.size()) {
        m_needsRewrite = true;
        return false;
    }
    return true;
}

bool SearchIndex::update(const IndexProgress& progress) {
    m_rewrote = false;
    if (!m_loaded)
        load();
    const QFileInfo directoryInfo(m_directory);
    if (m_directory.isEmpty() || !directoryInfo.isDir())
        return false;

    NameTable byName(m_games.size());
    auto nameOf = [this](int game) { return gameName(game); };
    for (int i = 0; i < static_cast<int>(m_games.size()); ++i)
        if (!m_games[i].dead)
            byName.slot(gameName(i), nameOf) = i;

    struct Listed {
        QString name;
        std::int64_t size;
        std::int64_t modified;
    };
    std::vector<Listed> toRead;
    std::vector<bool> seen(m_games.size(), false);
    const bool listed = listRecords(m_directory, [&](const QString& name, FileStamp stamp) {
        const int found = byName.slot(viewOf(name), nameOf);
        if (found >= 0 && m_games[found].size == stamp.size &&
            m_games[found].modified == stamp.modified) {
            seen[found] = true;
            return;
        }
        toRead.push_back({name, stamp.size, stamp.modified});
    });
    if (!listed)
        return false;

    std::unordered_map<std::u16string_view, int> rereading;
    for (const Listed& listed : toRead)
        rereading.emplace(viewOf(listed.name), 0);
    QByteArray chunks;
    for (int i = 0; i < static_cast<int>(seen.size()); ++i) {
        if (seen[i] || m_games[i].dead)
            continue;
        const std::u16string_view name = gameName(i);
        markDead(i);
        // A changed record's new chunk replaces it when read back; only a record that is gone
        // needs a removal of its own.
        if (!rereading.contains(name))
            chunks += chunk(removalTag, QByteArray(reinterpret_cast<const char*>(name.data()),
                                                   2 * qsizetype(name.size())));
    }

    bool complete = true;
    const int total = static_cast<int>(toRead.size());
    // The arrays grow once for all the records to read, not by doubling.
    m_games.reserve(m_games.size() + toRead.size());
    m_footprints.reserve(m_games.capacity());
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) {
            complete = false;
            break;
        }
        const int game = readRecord(toRead[i].name, toRead[i].size, toRead[i].modified);
        // A file written anew is made from the games themselves.
        if (!m_needsRewrite)
            chunks += gameChunk(game);
    }
    if (progress && complete)
        progress(total, total);

    if (m_needsRewrite || m_deadCount > m_liveCount / 4)
        rewrite();
    else
        append(chunks);
    return complete;
}

bool SearchIndex::addRecord(const QString& fileName) {
    m_rewrote = false;
    if (!m_loaded)
        load();
    const FileStamp stamp = stampOfFile(m_directory, fileName);
    if (stamp.size < 0)
        return false;
    const std::u16string_view name = viewOf(fileName);
    for (int i = 0; i < static_cast<int>(m_games.size()); ++i)
        if (!m_games[i].dead && gameName(i) == name)
            markDead(i);
    const int game = readRecord(fileName, stamp.size, stamp.modified);
    if (m_needsRewrite || m_deadCount > m_liveCount / 4)
        return rewrite();
    return append(gameChunk(game));
}

namespace {

void prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

char16_t folded(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// Code order with ASCII letters folded: names differ in ASCII letters only where case matters,
// as the catalogue sorts them; the names as they are settle a tie.
bool nameBefore(std::u16string_view a, std::u16string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = folded(a[i]);
        const char16_t y = folded(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// The first twelve code units of a name, folded, as three numbers in the same order: most
// names differ there (after the common "対局名（"), and comparing these keeps the sort in one
// small array instead of reaching into the names scattered over memory.
struct SortKey {
    std::array<std::uint64_t, 3> prefix{};
    int game = 0;
};
SortKey sortKey(std::u16string_view name, int game) {
    SortKey key;
    key.game = game;
    for (size_t i = 0; i < 12; ++i) {
        const std::uint64_t unit = i < name.size() ? folded(name[i]) : 0;
        key.prefix[i / 4] |= unit << (48 - 16 * (i % 4));
    }
    return key;
}

} // namespace

SearchResults SearchIndex::search(const SearchPattern& pattern, bool swap) const {
    if (m_rank.size() != m_games.size()) {
        std::vector<SortKey> keys(m_games.size());
        for (size_t i = 0; i < keys.size(); ++i)
            keys[i] = sortKey(gameName(i), static_cast<int>(i));
        std::sort(keys.begin(), keys.end(), [this](const SortKey& a, const SortKey& b) {
            if (a.prefix != b.prefix)
                return a.prefix < b.prefix;
            return nameBefore(gameName(a.game), gameName(b.game));
        });
        m_rank.assign(m_games.size(), 0);
        for (size_t i = 0; i < keys.size(); ++i)
            m_rank[keys[i].game] = static_cast<int>(i);
    }

    const SearchPlan plan(pattern, swap);
    SearchResults results;
    // The footprints first, all in a row; then the games they leave, each one's events fetched
    // from memory while the one before is replayed: waiting for them is most of a replay.
    std::vector<std::pair<int, std::uint32_t>> candidates;
    candidates.reserve(m_games.size());
    for (size_t i = 0; i < m_games.size(); ++i) {
        const Game& game = m_games[i];
        if (game.dead)
            continue;
        if (game.unreadable) {
            ++results.unreadable;
            continue;
        }
        ++results.searched;
        if (const std::uint32_t active = possibleVariants(plan, m_footprints[i]))
            candidates.emplace_back(static_cast<int>(i), active);
    }
    std::vector<std::pair<int, GameMatch>> found;
    found.reserve(candidates.size());
    constexpr size_t ahead = 4;
    for (size_t k = 0; k < candidates.size(); ++k) {
        if (k + ahead < candidates.size()) {
            const std::uint16_t* next =
                m_events.data() + m_games[candidates[k + ahead].first].eventOffset;
            prefetch(next);
            prefetch(next + 32);
        }
        const auto [i, active] = candidates[k];
        const Game& game = m_games[i];
        if (const auto match = matchGame(plan, m_events.data() + game.eventOffset, game.eventCount,
                                         game.handicap, m_footprints[i], active))
            found.emplace_back(i, *match);
    }
    // Into name order through the ranks: one pass however many games were found.
    std::vector<int> byRank(m_games.size(), -1);
    for (size_t k = 0; k < found.size(); ++k)
        byRank[m_rank[found[k].first]] = static_cast<int>(k);
    results.hits.reserve(static_cast<qsizetype>(found.size()));
    for (const int k : byRank) {
        if (k < 0)
            continue;
        results.hits.append({m_names[found[k].first], found[k].second});
    }
    return results;
}

} // namespace vorleth
