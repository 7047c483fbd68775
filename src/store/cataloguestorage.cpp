#include "store/cataloguetypes.h"

#include "store/cataloguenameorder.h"
#include "store/recordname.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringDecoder>

#include <QHashFunctions>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

#if defined(Q_OS_WIN)
#include <windows.h>

#include <cwchar>
#include <string>
#elif defined(Q_OS_UNIX)
#include <dirent.h>
#include <sys/mman.h>
#include <sys/stat.h>
#endif

namespace vorleth {

namespace {

constexpr std::array<NameField, entryTextCount> kNameFieldOf = {
    NameField::GameName,   NameField::WhitePlayer, NameField::BlackPlayer,   NameField::Result,
    NameField::RecordDate, NameField::TimeOfDay,   NameField::ReferenceDate, NameField::Komi,
};

constexpr char16_t kEqualsSign = u'＝';
constexpr char16_t kIdeographicSpace = u'\u3000';

// The UTF-16 units of UTF-8 text made of one- to three-byte characters (a Japanese name is
// made of nothing else); -1 at the first byte that is anything else, out then undefined.
qsizetype decodeUtf8(const unsigned char* in, qsizetype length, char16_t* out) {
    const unsigned char* const end = in + length;
    char16_t* const start = out;
    while (in != end) {
        const unsigned char lead = *in;
        if (lead < 0x80) {
            *out++ = lead;
            ++in;
        } else if (lead >= 0xC2 && lead < 0xE0 && end - in >= 2 && (in[1] & 0xC0) == 0x80) {
            *out++ = char16_t((lead & 0x1F) << 6 | (in[1] & 0x3F));
            in += 2;
        } else if (lead >= 0xE0 && lead < 0xF0 && end - in >= 3 && (in[1] & 0xC0) == 0x80 &&
                   (in[2] & 0xC0) == 0x80) {
            const char16_t unit =
                char16_t((lead & 0x0F) << 12 | (in[1] & 0x3F) << 6 | (in[2] & 0x3F));
            // Overlong forms and halves of surrogate pairs are no characters; noncharacters are
            // left to Qt as well.
            if (unit < 0x800 || QChar::isSurrogate(unit) || (unit >= 0xFDD0 && unit <= 0xFDEF) ||
                unit >= 0xFFFE)
                return -1;
            *out++ = unit;
            in += 3;
        } else {
            return -1;
        }
    }
    return out - start;
}

// The value of text when it is made of digits only and is no longer than maxDigits (exactly
// that long where exact); otherwise none.
std::optional<quint32> digitsValue(QStringView text, qsizetype maxDigits, bool exact) {
    if (text.size() > maxDigits || (exact && text.size() != maxDigits))
        return std::nullopt;
    quint32 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

// Classes of the texts of one kind as a scan meets them: a table of the classes' hashes, open
// addressing, at most half full.
class CatalogueTextClasses {
public:
    // The class of the text at offset in store, a new one when no class holds that text yet.
    quint32 classOf(const Catalogue::TextStore& store, quint32 offset, quint32 length,
                    std::vector<Catalogue::ClassText>& classes) {
        const QStringView text(store.at(offset), length);
        const quint32 hash = static_cast<quint32>(qHash(text));
        if (2 * (classes.size() + 1) > m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            const quint64 slot = m_slots[at];
            if (slot == 0) {
                const auto added = static_cast<quint32>(classes.size());
                classes.push_back({offset, length});
                m_slots[at] = quint64(hash) << 32 | (added + 1);
                return added;
            }
            if (slot >> 32 != hash)
                continue;
            const quint32 found = static_cast<quint32>(slot) - 1;
            const Catalogue::ClassText& c = classes[found];
            if (QStringView(store.at(c.at), c.length) == text)
                return found;
        }
    }

private:
    void grow() {
        std::vector<quint64> old =
            std::exchange(m_slots, std::vector<quint64>(std::max<size_t>(64, 2 * m_slots.size())));
        const size_t mask = m_slots.size() - 1;
        for (const quint64 slot : old) {
            if (slot == 0)
                continue;
            size_t at = (slot >> 32) & mask;
            while (m_slots[at] != 0)
                at = (at + 1) & mask;
            m_slots[at] = slot;
        }
    }

    std::vector<quint64> m_slots; // hash << 32 | (class + 1); 0 free
};

void Catalogue::setDateNumbers(Entry& entry, const char16_t* text) {
    const auto value = [&](EntryText which, qsizetype maxDigits, bool exact) {
        const int i = static_cast<int>(which);
        return digitsValue(QStringView(text + entry.from[i], entry.length[i]), maxDigits, exact);
    };
    entry.recordDay = value(EntryText::RecordDate, 8, true).value_or(noNumber);
    entry.referenceDay = value(EntryText::ReferenceDate, 8, true).value_or(noNumber);
    const std::optional<quint32> clock = value(EntryText::TimeOfDay, 6, false);
    const bool noTime = entry.length[static_cast<int>(EntryText::TimeOfDay)] == 0;
    entry.clock = !clock ? noNumber : noTime ? 0 : 1 + *clock;
}

void Catalogue::Entries::push_back(const Entry& entry) {
    if ((m_size & (chunkSize - 1)) == 0)
        m_chunks.push_back(std::make_unique_for_overwrite<Entry[]>(chunkSize));
    m_chunks.back()[m_size++ & (chunkSize - 1)] = entry;
}

void Catalogue::Entries::erase(size_t i) {
    for (; i + 1 < m_size; ++i)
        (*this)[i] = (*this)[i + 1];
    truncate(m_size - 1);
}

void Catalogue::Entries::truncate(size_t n) {
    m_size = std::min(n, m_size);
    m_chunks.resize((m_size + chunkSize - 1) >> chunkBits);
}

void* allocateInLargePages(size_t bytes) {
#if defined(Q_OS_LINUX)
    constexpr size_t largePage = size_t(2) << 20;
    if (bytes >= largePage) {
        const size_t rounded = (bytes + largePage - 1) / largePage * largePage;
        void* memory = std::aligned_alloc(largePage, rounded);
        if (memory)
            madvise(memory, rounded, MADV_HUGEPAGE);
        return memory;
    }
#endif
    return std::malloc(std::max<size_t>(bytes, 1));
}

// A block of the text store. Past the first, a block asks for large pages: a scan writes each
// page of the store once, and the first write to each small page costs the system more than
// the writing.
char16_t* Catalogue::TextStore::allocateBlock(bool large) {
    constexpr size_t bytes = size_t(blockSize) * sizeof(char16_t);
    void* block = large ? allocateInLargePages(bytes) : std::malloc(bytes);
    if (!block)
        throw std::bad_alloc();
    return static_cast<char16_t*>(block);
}

void Catalogue::TextStore::FreeBlock::operator()(char16_t* block) const {
    std::free(block);
}

quint32 Catalogue::TextStore::reserve(qsizetype n) {
    if (m_blocks.empty() || blockSize - m_used < n) {
        m_blocks.emplace_back(allocateBlock(!m_blocks.empty()));
        m_used = 0;
    }
    return static_cast<quint32>(((m_blocks.size() - 1) << blockBits) | size_t(m_used));
}

// Fills a catalogue's storage from file names; the catalogue takes it over when the whole
// directory has been read.
class CatalogueReader {
public:
    // A record's name without its extension, as UTF-8 (how Unix keeps names).
    void addUtf8(const char* stem, qsizetype length) {
        const quint32 start = m_store.reserve(
            std::min(m_decoder.requiredSpace(length), Catalogue::TextStore::blockSize));
        char16_t* out = m_store.at(start);
        qsizetype decoded = decodeUtf8(reinterpret_cast<const unsigned char*>(stem), length, out);
        if (decoded < 0) {
            // Whatever is not plain UTF-8 of the Basic Multilingual Plane reads as Qt reads a
            // name (four-byte characters, bytes that are no UTF-8).
            const QChar* end = m_decoder.appendToBuffer(reinterpret_cast<QChar*>(out),
                                                        QByteArrayView(stem, length));
            decoded = reinterpret_cast<const char16_t*>(end) - out;
        }
        add(start, decoded);
    }

    // The same in UTF-16.
    void addUtf16(const char16_t* stem, qsizetype length) {
        length = std::min(length, Catalogue::TextStore::blockSize);
        const quint32 start = m_store.reserve(length);
        std::copy_n(stem, length, m_store.at(start));
        add(start, length);
    }

    void finishInto(Catalogue& catalogue) {
        std::vector<quint32> order =
            listingOrder(static_cast<quint32>(m_entries.size()), [this](quint32 i) {
                const Catalogue::Entry& e = m_entries[i];
                return ListedName{m_store.at(e.text), e.nameLength, m_foldsToItself[i]};
            });
        m_foldsToItself = {};
        Catalogue::Entries& entries = m_entries;
        // The entries move into that order in place: a second array of them would take more
        // room than the catalogue keeps a record.
        for (quint32 i = 0; i < order.size(); ++i) {
            if (order[i] == i)
                continue;
            const Catalogue::Entry first = entries[i];
            quint32 to = i;
            for (;;) {
                const quint32 from = std::exchange(order[to], to);
                if (from == i) {
                    entries[to] = first;
                    break;
                }
                entries[to] = entries[from];
                to = from;
            }
        }
        catalogue.m_entries = std::move(entries);
        catalogue.m_store = std::move(m_store);
        for (std::vector<Catalogue::ClassText>& classes : m_classes)
            classes.shrink_to_fit();
        catalogue.m_classes = std::move(m_classes);
    }

private:
    // The name at start has length units: its values are spans of it, but for a value holding
    // "＝", which reads as an ideographic space and so gets a copy of its own behind the name.
    void add(quint32 start, qsizetype length) {
        length = std::min<qsizetype>(length, 0xFFFF);
        Catalogue::Entry entry;
        entry.text = start;
        entry.nameLength = static_cast<quint16>(length);
        const QStringView name(m_store.at(start), length);
        const NameFieldSpans spans = nameFieldSpans(name);
        qsizetype copies = 0;
        for (int i = 0; i < entryTextCount; ++i) {
            const NameFieldSpan span = spans[static_cast<int>(kNameFieldOf[i])];
            entry.from[i] = static_cast<quint16>(span.from);
            entry.length[i] = static_cast<quint16>(span.length);
            if (name.mid(span.from, span.length).contains(QChar(kEqualsSign)))
                copies += span.length;
        }
        const NameFieldSpan count = spans[static_cast<int>(NameField::EntryCount)];
        entry.entryCount = entryCountValue(name.mid(count.from, count.length));
        qsizetype end = length;
        if (copies > 0) {
            if (Catalogue::TextStore::blockSize - (start & (Catalogue::TextStore::blockSize - 1)) <
                length + copies) {
                // The name moves to a block with room for the copies behind it.
                const quint32 moved = m_store.reserve(length + copies);
                std::copy_n(m_store.at(start), length, m_store.at(moved));
                entry.text = start = moved;
            }
            char16_t* text = m_store.at(start);
            for (int i = 0; i < entryTextCount; ++i) {
                const qsizetype from = entry.from[i];
                const qsizetype n = entry.length[i];
                if (!QStringView(text + from, n).contains(QChar(kEqualsSign)))
                    continue;
                std::replace_copy(text + from, text + from + n, text + end, kEqualsSign,
                                  kIdeographicSpace);
                entry.from[i] = static_cast<quint16>(end);
                end += n;
            }
        }
        m_store.commit(start, end);
        for (int i = 0; i < classedTextCount; ++i)
            entry.textClass[i] = m_textClasses[i].classOf(m_store, start + entry.from[i],
                                                          entry.length[i], m_classes[i]);
        Catalogue::setDateNumbers(entry, m_store.at(start));
        m_entries.push_back(entry);
        m_foldsToItself.push_back(foldsToItself(m_store.at(start), length));
    }

    Catalogue::TextStore m_store;
    Catalogue::Entries m_entries;
    std::vector<bool> m_foldsToItself; // of each entry's name
    std::array<CatalogueTextClasses, classedTextCount> m_textClasses;
    std::array<std::vector<Catalogue::ClassText>, classedTextCount> m_classes;
    QStringDecoder m_decoder{QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom};
};

namespace {

// A record's extension in any letter case, tested on the name's bytes before it is decoded.
bool hasRecordExtension(const char* name, size_t length) {
    if (length < 4 || name[length - 4] != '.')
        return false;
    const auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
    return lower(name[length - 3]) == 'i' && lower(name[length - 2]) == 'g' &&
           lower(name[length - 1]) == 'o';
}

// Hands the regular files of directory that end in ".IGO" (any case) to the reader, hidden
// ones left out as QDir::Files leaves them. Read the cheapest way the system offers: the
// directory's own entries, a name decoded only when its extension is a record's, straight into
// the catalogue's store; a file is examined on its own only where the entry does not say what
// it is (a link, or a file system that keeps no type).
bool readRecordNames(const QString& directory, CatalogueReader& reader) {
#if defined(Q_OS_WIN)
    const std::wstring pattern = QDir::toNativeSeparators(directory).toStdWString() + L"\\*";
    WIN32_FIND_DATAW found;
    HANDLE handle = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (found.dwFileAttributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        const size_t length = wcslen(found.cFileName);
        if (length < 4 || found.cFileName[length - 4] != L'.' ||
            _wcsicmp(found.cFileName + length - 3, L"igo") != 0)
            continue;
        reader.addUtf16(reinterpret_cast<const char16_t*>(found.cFileName),
                        static_cast<qsizetype>(length - 4));
    } while (FindNextFileW(handle, &found));
    FindClose(handle);
    return true;
#elif defined(Q_OS_UNIX)
    DIR* dir = opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return false;
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
        reader.addUtf8(name, static_cast<qsizetype>(length - 4));
    }
    closedir(dir);
    return true;
#else
    QDirIterator it(directory, QDir::Files);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (name.endsWith(u".igo", Qt::CaseInsensitive))
            reader.addUtf16(reinterpret_cast<const char16_t*>(name.utf16()), name.size() - 4);
    }
    return true;
#endif
}

} // namespace

bool Catalogue::readDirectory(const QString& directory) {
    CatalogueReader reader;
    if (!readRecordNames(directory, reader))
        return false;
    reader.finishInto(*this);
    return true;
}

RecordMetadata Catalogue::entry(int position) const {
    RecordMetadata m;
    m.fileName = fileName(position).toString();
    m.game.gameName = text(position, EntryText::GameName).toString();
    m.game.whitePlayer = text(position, EntryText::WhitePlayer).toString();
    m.game.blackPlayer = text(position, EntryText::BlackPlayer).toString();
    m.game.result = text(position, EntryText::Result).toString();
    m.recordDate = text(position, EntryText::RecordDate).toString();
    m.entryCount = entryCount(position);
    m.timeOfDay = text(position, EntryText::TimeOfDay).toString();
    m.referenceDate = text(position, EntryText::ReferenceDate).toString();
    m.game.komi = text(position, EntryText::Komi).toString();
    return m;
}

QVector<RecordMetadata> Catalogue::entries() const {
    QVector<RecordMetadata> all;
    all.reserve(count());
    for (int position = 1; position <= count(); ++position)
        all.append(entry(position));
    return all;
}

// An entry from elsewhere (a record just saved, say): a value that is the name's own text at
// the place reading the name finds it shares the name's units; any other gets its own.
Catalogue::Entry Catalogue::stored(const RecordMetadata& m) {
    const std::array<const QString*, entryTextCount> texts = {
        &m.game.gameName, &m.game.whitePlayer, &m.game.blackPlayer, &m.game.result,
        &m.recordDate,    &m.timeOfDay,        &m.referenceDate,    &m.game.komi,
    };
    // An entry's texts stay within one block; no real name comes near that size.
    constexpr qsizetype limit = 0xFFFF;
    const QStringView name = QStringView(m.fileName).first(std::min(m.fileName.size(), limit));
    const NameFieldSpans spans = nameFieldSpans(name);
    std::array<bool, entryTextCount> shared{};
    qsizetype total = name.size();
    for (int i = 0; i < entryTextCount; ++i) {
        const NameFieldSpan span = spans[static_cast<int>(kNameFieldOf[i])];
        shared[i] = name.mid(span.from, span.length) == *texts[i];
        if (!shared[i])
            total += texts[i]->size();
    }
    total = std::min(total, limit);
    Entry entry;
    entry.text = m_store.reserve(total);
    entry.nameLength = static_cast<quint16>(name.size());
    entry.entryCount = m.entryCount;
    char16_t* out = m_store.at(entry.text);
    std::copy_n(name.utf16(), name.size(), out);
    qsizetype end = name.size();
    for (int i = 0; i < entryTextCount; ++i) {
        const NameFieldSpan span = spans[static_cast<int>(kNameFieldOf[i])];
        if (shared[i]) {
            entry.from[i] = static_cast<quint16>(span.from);
            entry.length[i] = static_cast<quint16>(span.length);
            continue;
        }
        const qsizetype n = std::min(texts[i]->size(), total - end);
        std::copy_n(texts[i]->utf16(), n, out + end);
        entry.from[i] = static_cast<quint16>(end);
        entry.length[i] = static_cast<quint16>(n);
        end += n;
    }
    m_store.commit(entry.text, end);
    // Classes of its own: finding the class that holds each text already would take a look at
    // every class for one save.
    for (int i = 0; i < classedTextCount; ++i) {
        entry.textClass[i] = static_cast<quint32>(m_classes[i].size());
        m_classes[i].push_back({entry.text + entry.from[i], entry.length[i]});
    }
    setDateNumbers(entry, out);
    return entry;
}

void Catalogue::append(const RecordMetadata& entry) {
    m_entries.push_back(stored(entry));
}

// The replaced entry's texts stay in the store unused until the next scan: a save changes one
// entry, a scan builds the store anew.
void Catalogue::replace(int position, const RecordMetadata& entry) {
    m_entries[position - 1] = stored(entry);
}

void Catalogue::removeAt(int position) {
    m_entries.erase(size_t(position - 1));
}

void Catalogue::truncate(int n) {
    if (n >= 0 && n < count())
        m_entries.truncate(size_t(n));
}

void Catalogue::reset() {
    m_entries.truncate(0);
    m_store = TextStore();
    for (std::vector<ClassText>& classes : m_classes)
        classes = {};
    gameNames.clear();
    playerNames.clear();
}

} // namespace vorleth
