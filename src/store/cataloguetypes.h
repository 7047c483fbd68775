#pragma once

#include "store/recordtypes.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace vorleth {

// The texts a catalogue entry keeps besides its file name.
enum class EntryText {
    GameName,
    WhitePlayer,
    BlackPlayer,
    Result,
    RecordDate,
    TimeOfDay,
    ReferenceDate,
    Komi,
};
inline constexpr int entryTextCount = 8;
// The texts of the list's text columns (EntryText::GameName .. EntryText::Result), which the
// catalogue keeps in classes.
inline constexpr int classedTextCount = 4;

// Memory for a large array that is written once through (to be given back with std::free), in
// large pages where the system offers them for the asking (Linux): on a million records the
// first write to each small page costs more than the work done in it.
void* allocateInLargePages(size_t bytes);

// The library's index, filled from the file names alone. Positions count from 1.
//
// A library may hold a million records, so an entry is a few numbers: the texts of all entries
// live in one store of UTF-16 blocks, an entry's file name once, and each value as a span of it
// (a value is copied beside the name only where reading changed it). No text is an object of
// its own until someone asks for a QString.
class Catalogue {
public:
    int count() const { return static_cast<int>(m_entries.size()); }

    // The entry at position as a record's metadata (a copy).
    RecordMetadata entry(int position) const;
    // Every entry in position order (copies): for small catalogues.
    QVector<RecordMetadata> entries() const;

    // Views into the catalogue, valid until it next changes.
    QStringView fileName(int position) const {
        const Entry& e = m_entries[position - 1];
        return QStringView(m_store.at(e.text), e.nameLength);
    }
    QStringView text(int position, EntryText which) const {
        const Entry& e = m_entries[position - 1];
        const int i = static_cast<int>(which);
        return QStringView(m_store.at(e.text) + e.from[i], e.length[i]);
    }
    int entryCount(int position) const { return m_entries[position - 1].entryCount; }

    // Entries of one class hold the same text of that kind (game name, white or black player,
    // result; which < classedTextCount): the sorts and the narrowing look at a class once, not at
    // the text of each entry. Two classes may hold the same text too (an entry saved since the
    // scan has classes of its own).
    quint32 textClass(int position, EntryText which) const {
        return m_entries[position - 1].textClass[static_cast<int>(which)];
    }
    quint32 textClassCount(EntryText which) const {
        return static_cast<quint32>(m_classes[static_cast<int>(which)].size());
    }
    QStringView classText(EntryText which, quint32 textClass) const {
        const ClassText& c = m_classes[static_cast<int>(which)][textClass];
        return QStringView(m_store.at(c.at), c.length);
    }

    // The date (EntryText::RecordDate or EntryText::ReferenceDate) and the time of day as one
    // number that orders as the texts "date time" do, where the date has eight digits and the
    // time up to six (the time zero-filled, none before any); -1 for any other texts.
    qint64 dateTimeNumber(int position, EntryText date) const {
        const Entry& e = m_entries[position - 1];
        const quint32 day = date == EntryText::RecordDate ? e.recordDay : e.referenceDay;
        if (day == noNumber || e.clock == noNumber)
            return -1;
        return qint64(day) * 10'000'000 + e.clock;
    }

    void append(const RecordMetadata& entry);
    void replace(int position, const RecordMetadata& entry);
    void removeAt(int position);
    // Keeps the first n entries.
    void truncate(int n);

    // Replaces the entries by the record files of directory, read from their names, in
    // ascending name order with letter case ignored. False, and the entries kept, when the
    // directory cannot be listed.
    bool readDirectory(const QString& directory);

    // Derived lists, "全て" first; empty means not built yet.
    QStringList gameNames;
    QStringList playerNames;

    // No entries, and both name lists to be built again on next use.
    void reset();

private:
    static constexpr quint32 noNumber = 0xFFFFFFFF;

    struct Entry {
        quint32 text = 0;                             // where the file name starts in the store
        quint16 nameLength = 0;                       // in UTF-16 units
        std::array<quint16, entryTextCount> from{};   // from text
        std::array<quint16, entryTextCount> length{}; // in UTF-16 units
        qint32 entryCount = 0;
        std::array<quint32, classedTextCount> textClass{};
        // The dates' eight digits as numbers, and the time's (1 + its number, 0 when empty).
        quint32 recordDay = noNumber;
        quint32 referenceDay = noNumber;
        quint32 clock = noNumber;
    };
    // Entries in pieces of a fixed size: a scan adds them one by one, and an array that doubled
    // as it grew (and was then made exact) would touch about three times the memory that the
    // entries keep.
    class Entries {
    public:
        Entries() = default;
        Entries(Entries&& other) noexcept
            : m_chunks(std::move(other.m_chunks)), m_size(std::exchange(other.m_size, 0)) {}
        Entries& operator=(Entries&& other) noexcept {
            m_chunks = std::move(other.m_chunks);
            m_size = std::exchange(other.m_size, 0);
            return *this;
        }

        size_t size() const { return m_size; }
        Entry& operator[](size_t i) { return m_chunks[i >> chunkBits][i & (chunkSize - 1)]; }
        const Entry& operator[](size_t i) const {
            return m_chunks[i >> chunkBits][i & (chunkSize - 1)];
        }
        void push_back(const Entry& entry);
        // The entries after i move one place forward.
        void erase(size_t i);
        // Keeps the first n entries.
        void truncate(size_t n);

    private:
        static constexpr size_t chunkBits = 12;
        static constexpr size_t chunkSize = size_t(1) << chunkBits;

        std::vector<std::unique_ptr<Entry[]>> m_chunks;
        size_t m_size = 0;
    };
    // Where a class's text is in the store.
    struct ClassText {
        quint32 at = 0;
        quint32 length = 0;
    };

    // Blocks of UTF-16 units; an entry's texts never cross from one block into the next.
    class TextStore {
    public:
        static constexpr int blockBits = 20;
        static constexpr qsizetype blockSize = qsizetype(1) << blockBits;

        // Room for n units (at most blockSize) that stay together; returns where they start.
        quint32 reserve(qsizetype n);
        // Of the room last reserved, at start, the first n units are kept; the rest is free again.
        void commit(quint32 start, qsizetype n) { m_used = (start & (blockSize - 1)) + n; }
        char16_t* at(quint32 offset) {
            return m_blocks[offset >> blockBits].get() + (offset & (blockSize - 1));
        }
        const char16_t* at(quint32 offset) const {
            return m_blocks[offset >> blockBits].get() + (offset & (blockSize - 1));
        }
        qsizetype blockCount() const { return static_cast<qsizetype>(m_blocks.size()); }

    private:
        static char16_t* allocateBlock(bool large);
        struct FreeBlock {
            void operator()(char16_t* block) const;
        };
        std::vector<std::unique_ptr<char16_t[], FreeBlock>> m_blocks;
        qsizetype m_used = blockSize; // units used in the last block
    };

    friend class CatalogueReader;
    friend class CatalogueTextClasses;

    Entry stored(const RecordMetadata& entry);
    // The date and time numbers of an entry whose texts are in place at text.
    static void setDateNumbers(Entry& entry, const char16_t* text);

    Entries m_entries;
    TextStore m_store;
    std::array<std::vector<ClassText>, classedTextCount> m_classes;
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
