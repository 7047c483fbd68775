#include "search/searchindex.h"

#include "board/playrules.h"
#include "store/recordcodec.h"
#include "store/recordname.h"
#include "store/textfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <unordered_map>

namespace vorleth {

namespace {

// Bump the version whenever the layout of a chunk changes: an index of another version is
// simply rebuilt.
constexpr char fileMagic[8] = {'V', 'L', 'S', 'I', 'D', 'X', '0', '2'};
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

namespace fs = std::filesystem;

fs::path nativePath(const QString& path) {
    return fs::path(path.toStdU16String());
}

QString fileNameOf(const fs::path& path) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.filename().native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.filename().native()));
#endif
}

// A file's size and time as the index keeps them; the standard library reads them without
// the time-zone work of QDateTime, which counts for a listing of 100,000 records.
struct FileStamp {
    std::int64_t size = -1;
    std::int64_t modified = 0;
};
FileStamp stampOf(const fs::directory_entry& entry) {
    std::error_code error;
    FileStamp stamp;
    stamp.size = static_cast<std::int64_t>(entry.file_size(error));
    if (error)
        return {};
    stamp.modified = entry.last_write_time(error).time_since_epoch().count();
    return error ? FileStamp{} : stamp;
}

bool isRecordName(const QString& name) {
    return name.endsWith(u".igo", Qt::CaseInsensitive);
}

} // namespace

SearchIndex::SearchIndex(QString directory) : m_directory(std::move(directory)) {}

QString SearchIndex::filePath() const {
    return QDir(m_directory).filePath(searchIndexFileName);
}

std::string SearchIndex::gameName(const Game& game) const {
    return m_names.substr(game.nameOffset, game.nameLength);
}

int SearchIndex::appendGame(const std::string& name, std::int64_t size, std::int64_t modified,
                            std::uint8_t handicap, bool unreadable, const std::uint16_t* events,
                            int eventCount) {
    Game game;
    game.size = size;
    game.modified = modified;
    game.nameOffset = static_cast<std::uint32_t>(m_names.size());
    game.nameLength = static_cast<std::uint16_t>(name.size());
    game.eventOffset = static_cast<std::uint32_t>(m_events.size());
    game.eventCount = static_cast<std::uint16_t>(eventCount);
    game.handicap = handicap;
    game.unreadable = unreadable;
    game.footprint = gameFootprint(events, eventCount, handicap);
    m_names += name;
    m_events.insert(m_events.end(), events, events + eventCount);
    m_games.push_back(game);
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
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < qsizetype(sizeof fileMagic) ||
        std::memcmp(bytes.constData(), fileMagic, sizeof fileMagic) != 0)
        return;

    // Most of the file is events; reserving keeps the vector from doubling past it.
    m_events.reserve(static_cast<size_t>(bytes.size() / 2));
    std::unordered_map<std::string, int> byName;
    const char* data = bytes.constData();
    qsizetype at = sizeof fileMagic;
    while (at < bytes.size()) {
        if (bytes.size() - at < chunkHeaderSize)
            return; // torn: rewritten on the next update
        const auto tag = take<std::uint32_t>(data + at);
        const auto length = take<std::uint32_t>(data + at + 4);
        const auto sum = take<std::uint64_t>(data + at + 8);
        const char* payload = data + at + chunkHeaderSize;
        if (qsizetype(length) > bytes.size() - at - chunkHeaderSize ||
            checksum(payload, length) != sum)
            return;
        at += chunkHeaderSize + length;

        if (tag == removalTag) {
            const auto found = byName.find(std::string(payload, length));
            if (found != byName.end()) {
                markDead(found->second);
                byName.erase(found);
            }
            ++m_deadCount;
            continue;
        }
        if (tag != gameTag || length < std::uint32_t(gameHeaderSize))
            return;
        const auto size = take<std::int64_t>(payload);
        const auto modified = take<std::int64_t>(payload + 8);
        const auto handicap = take<std::uint8_t>(payload + 16);
        const auto flags = take<std::uint8_t>(payload + 17);
        const auto nameLength = take<std::uint16_t>(payload + 18);
        const auto eventCount = take<std::uint16_t>(payload + 20);
        if (length != std::uint32_t(gameHeaderSize + nameLength + 2 * eventCount) || handicap > 9)
            return;
        std::string name(payload + gameHeaderSize, nameLength);
        std::vector<std::uint16_t> events(eventCount);
        std::memcpy(events.data(), payload + gameHeaderSize + nameLength, 2 * eventCount);
        // Events that no writer makes are damage the checksum missed.
        for (const std::uint16_t e : events)
            if ((e & searchevent::pointMask) > searchevent::offBoard ||
                (e & searchevent::kindMask) == searchevent::kindMask || (e & ~0x7ff))
                return;
        const auto found = byName.find(name);
        if (found != byName.end())
            markDead(found->second);
        byName[name] =
            appendGame(name, size, modified, handicap, flags & 1, events.data(), eventCount);
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
    return appendGame(fileName.toStdString(), size, modified, handicap, unreadable, events.data(),
                      static_cast<int>(events.size()));
}

QByteArray SearchIndex::gameChunk(int index) const {
    const Game& game = m_games[index];
    QByteArray payload;
    payload.reserve(gameHeaderSize + game.nameLength + 2 * game.eventCount);
    put(payload, game.size);
    put(payload, game.modified);
    put(payload, game.handicap);
    put(payload, static_cast<std::uint8_t>(game.unreadable ? 1 : 0));
    put(payload, game.nameLength);
    put(payload, game.eventCount);
    put(payload, std::uint16_t(0)); // reserved
    payload.append(m_names.data() + game.nameOffset, game.nameLength);
    payload.append(reinterpret_cast<const char*>(m_events.data() + game.eventOffset),
                   2 * game.eventCount);
    return chunk(gameTag, payload);
}

bool SearchIndex::rewrite() {
    // Compacting first: the file and the memory then hold the live games only.
    std::vector<Game> games;
    std::vector<std::uint16_t> events;
    std::string names;
    games.reserve(m_liveCount);
    for (const Game& game : m_games) {
        if (game.dead)
            continue;
        Game moved = game;
        moved.nameOffset = static_cast<std::uint32_t>(names.size());
        moved.eventOffset = static_cast<std::uint32_t>(events.size());
        names.append(m_names, game.nameOffset, game.nameLength);
        events.insert(events.end(), m_events.begin() + game.eventOffset,
                      m_events.begin() + game.eventOffset + game.eventCount);
        games.push_back(moved);
    }
    m_games = std::move(games);
    m_events = std::move(events);
    m_names = std::move(names);
    m_deadCount = 0;
    m_rank.clear();

    QByteArray bytes(fileMagic, sizeof fileMagic);
    for (int i = 0; i < static_cast<int>(m_games.size()); ++i)
        bytes += gameChunk(i);
    m_rewrote = true;
    m_needsRewrite = !textfile::writeFileSafely(filePath(), bytes).ok;
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

    std::unordered_map<std::string, int> byName;
    byName.reserve(m_games.size());
    for (int i = 0; i < static_cast<int>(m_games.size()); ++i)
        if (!m_games[i].dead)
            byName[gameName(m_games[i])] = i;

    struct Listed {
        QString name;
        std::int64_t size;
        std::int64_t modified;
    };
    std::vector<Listed> toRead;
    std::vector<bool> seen(m_games.size(), false);
    std::error_code error;
    for (fs::directory_iterator it(nativePath(m_directory), error), end; !error && it != end;
         it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        const QString name = fileNameOf(it->path());
        if (!isRecordName(name))
            continue;
        const FileStamp stamp = stampOf(*it);
        const auto found = byName.find(name.toStdString());
        if (found != byName.end() && m_games[found->second].size == stamp.size &&
            m_games[found->second].modified == stamp.modified) {
            seen[found->second] = true;
            continue;
        }
        toRead.push_back({name, stamp.size, stamp.modified});
    }
    if (error)
        return false;

    std::unordered_map<std::string, int> rereading;
    for (const Listed& listed : toRead)
        rereading.emplace(listed.name.toStdString(), 0);
    QByteArray chunks;
    for (int i = 0; i < static_cast<int>(seen.size()); ++i) {
        if (seen[i] || m_games[i].dead)
            continue;
        const std::string name = gameName(m_games[i]);
        markDead(i);
        // A changed record's new chunk replaces it when read back; only a record that is gone
        // needs a removal of its own.
        if (!rereading.contains(name))
            chunks += chunk(removalTag, QByteArray(name.data(), qsizetype(name.size())));
    }

    bool complete = true;
    const int total = static_cast<int>(toRead.size());
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) {
            complete = false;
            break;
        }
        chunks += gameChunk(readRecord(toRead[i].name, toRead[i].size, toRead[i].modified));
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
    std::error_code error;
    const fs::directory_entry entry(nativePath(QDir(m_directory).filePath(fileName)), error);
    const FileStamp stamp = stampOf(entry);
    if (error || !entry.is_regular_file(error) || stamp.size < 0)
        return false;
    const std::string name = fileName.toStdString();
    for (int i = 0; i < static_cast<int>(m_games.size()); ++i)
        if (!m_games[i].dead && m_games[i].nameLength == name.size() &&
            m_names.compare(m_games[i].nameOffset, m_games[i].nameLength, name) == 0)
            markDead(i);
    const int game = readRecord(fileName, stamp.size, stamp.modified);
    if (m_needsRewrite || m_deadCount > m_liveCount / 4)
        return rewrite();
    return append(gameChunk(game));
}

SearchResults SearchIndex::search(const SearchPattern& pattern, bool swap) const {
    if (m_rank.size() != m_games.size()) {
        // Letter case folded on the bytes: names differ in ASCII letters only where case
        // matters, and UTF-8 sorts other characters by their code, as the catalogue does.
        std::vector<std::string> folded(m_games.size());
        for (size_t i = 0; i < m_games.size(); ++i) {
            folded[i] = gameName(m_games[i]);
            for (char& c : folded[i])
                if (c >= 'A' && c <= 'Z')
                    c = static_cast<char>(c - 'A' + 'a');
        }
        std::vector<int> order(m_games.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = static_cast<int>(i);
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            const int byFolded = folded[a].compare(folded[b]);
            return byFolded != 0 ? byFolded < 0
                                 : m_names.compare(m_games[a].nameOffset, m_games[a].nameLength,
                                                   gameName(m_games[b])) < 0;
        });
        m_rank.assign(m_games.size(), 0);
        for (size_t i = 0; i < order.size(); ++i)
            m_rank[order[i]] = static_cast<int>(i);
    }

    const SearchPlan plan(pattern, swap);
    SearchResults results;
    std::vector<std::pair<int, GameMatch>> found;
    for (size_t i = 0; i < m_games.size(); ++i) {
        const Game& game = m_games[i];
        if (game.dead)
            continue;
        if (game.unreadable) {
            ++results.unreadable;
            continue;
        }
        ++results.searched;
        if (const auto match = matchGame(plan, m_events.data() + game.eventOffset, game.eventCount,
                                         game.handicap, game.footprint))
            found.emplace_back(static_cast<int>(i), *match);
    }
    std::sort(found.begin(), found.end(),
              [this](const auto& a, const auto& b) { return m_rank[a.first] < m_rank[b.first]; });
    results.hits.reserve(static_cast<qsizetype>(found.size()));
    for (const auto& [game, match] : found)
        results.hits.append({QString::fromStdString(gameName(m_games[game])), match});
    return results;
}

} // namespace vorleth
