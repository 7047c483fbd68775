#include "store/cataloguenameorder.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <string_view>

namespace vorleth {

namespace {

// The units of the Basic Multilingual Plane beyond ASCII that fold to themselves, a bit each,
// found once.
class SameFolds {
public:
    SameFolds() {
        for (char32_t unit = 0x80; unit < 0x10000; ++unit) {
            if (!QChar::isSurrogate(unit) && QChar::toCaseFolded(unit) == unit)
                m_bits[unit >> 6] |= quint64(1) << (unit & 63);
        }
    }
    bool has(char16_t unit) const { return (m_bits[unit >> 6] >> (unit & 63) & 1) != 0; }

private:
    std::array<quint64, 1024> m_bits{};
};

const SameFolds& sameFolds() {
    static const SameFolds table;
    return table;
}

constexpr char16_t kExtension[] = u".igo";
constexpr quint32 kExtensionLength = 4;

// The unit at i of the folded text, where the fold of a character takes as many units as the
// character (a fold never leaves the Basic Multilingual Plane or enters it), so that a unit's
// fold can be had without folding what comes before it.
char16_t foldedUnit(const char16_t* text, quint32 length, quint32 i) {
    const char16_t unit = text[i];
    if (unit < 0x80)
        return unit >= u'A' && unit <= u'Z' ? char16_t(unit + (u'a' - u'A')) : unit;
    if (QChar::isHighSurrogate(unit) && i + 1 < length && QChar::isLowSurrogate(text[i + 1]))
        return QChar::highSurrogate(QChar::toCaseFolded(QChar::surrogateToUcs4(unit, text[i + 1])));
    if (QChar::isLowSurrogate(unit) && i > 0 && QChar::isHighSurrogate(text[i - 1]))
        return QChar::lowSurrogate(QChar::toCaseFolded(QChar::surrogateToUcs4(text[i - 1], unit)));
    return static_cast<char16_t>(QChar::toCaseFolded(char32_t(unit)));
}

// A name followed by ".igo", folded: what the listing orders by first.
class FoldedName {
public:
    explicit FoldedName(const ListedName& name) : m_name(name) {}

    quint32 size() const { return m_name.length + kExtensionLength; }
    // The unit at i, i < size().
    char16_t at(quint32 i) const {
        if (i >= m_name.length)
            return kExtension[i - m_name.length];
        return m_name.foldsToItself ? m_name.text[i] : foldedUnit(m_name.text, m_name.length, i);
    }
    // Units from..from+3 in one number, 0 past the end (a name holds no unit 0).
    quint64 digit(quint32 from) const {
        quint64 digit = 0;
        for (quint32 i = from; i < from + 4; ++i)
            digit = digit << 16 | (i < size() ? at(i) : 0);
        return digit;
    }

private:
    const ListedName& m_name;
};

// The listing's order of two names whose first depth folded units are the same.
bool inListingOrder(const ListedName& a, const ListedName& b, quint32 depth) {
    const FoldedName foldedA(a);
    const FoldedName foldedB(b);
    const quint32 shorter = std::min(foldedA.size(), foldedB.size());
    for (quint32 i = depth; i < shorter; ++i) {
        const char16_t unitA = foldedA.at(i);
        const char16_t unitB = foldedB.at(i);
        if (unitA != unitB)
            return unitA < unitB;
    }
    if (foldedA.size() != foldedB.size())
        return foldedA.size() < foldedB.size();
    return std::u16string_view(a.text, a.length) < std::u16string_view(b.text, b.length);
}

struct Item {
    quint64 digit;
    quint32 index;
    quint32 size; // of the folded name with its extension
};

// Runs this short are sorted by comparing whole names.
constexpr std::ptrdiff_t kShortRun = 16;

// Sorts names that share their first depth folded units four units at a time: by those four
// as one number, then each run of names that agree in them by the next four. A name is read
// a few times, not at every comparison as a sort comparing texts would, and the names of a
// library share long beginnings that no step reads twice.
void sortFrom(Item* begin, Item* end, quint32 depth,
              const std::function<ListedName(quint32)>& nameAt) {
    const auto byWholeNames = [&](const Item& a, const Item& b) {
        return inListingOrder(nameAt(a.index), nameAt(b.index), depth);
    };
    if (end - begin <= kShortRun) {
        std::sort(begin, end, byWholeNames);
        return;
    }
    for (Item* item = begin; item != end; ++item) {
        const ListedName name = nameAt(item->index);
        item->digit = FoldedName(name).digit(depth);
    }
    std::sort(begin, end, [](const Item& a, const Item& b) { return a.digit < b.digit; });
    for (Item* run = begin; run != end;) {
        Item* runEnd = run + 1;
        bool ended = run->size <= depth + 4;
        for (; runEnd != end && runEnd->digit == run->digit; ++runEnd)
            ended = ended || runEnd->size <= depth + 4;
        if (runEnd - run > 1) {
            // Names that end within these four units are equal but for case: the names decide.
            if (ended)
                std::sort(run, runEnd, byWholeNames);
            else
                sortFrom(run, runEnd, depth + 4, nameAt);
        }
        run = runEnd;
    }
}

} // namespace

bool unitFoldsToItself(char16_t unit) {
    if (unit < 0x80)
        return unit < u'A' || unit > u'Z';
    return sameFolds().has(unit);
}

bool foldsToItself(const char16_t* text, qsizetype length) {
    const SameFolds& same = sameFolds();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80 ? unit >= u'A' && unit <= u'Z' : !same.has(unit))
            return false;
    }
    return true;
}

std::vector<quint32> listingOrder(quint32 count, const std::function<ListedName(quint32)>& nameAt) {
    std::vector<Item> items(count);
    // The units all names begin with are read once, not at each step.
    quint32 common = 0;
    for (quint32 i = 0; i < count; ++i) {
        const ListedName name = nameAt(i);
        const FoldedName folded(name);
        items[i] = {0, i, folded.size()};
        if (i == 0) {
            common = folded.size();
            continue;
        }
        const ListedName first = nameAt(0);
        const FoldedName firstFolded(first);
        quint32 same = 0;
        while (same < common && same < folded.size() && folded.at(same) == firstFolded.at(same))
            ++same;
        common = same;
    }
    sortFrom(items.data(), items.data() + items.size(), common, nameAt);
    std::vector<quint32> order(count);
    for (quint32 i = 0; i < count; ++i)
        order[i] = items[i].index;
    return order;
}

} // namespace vorleth
