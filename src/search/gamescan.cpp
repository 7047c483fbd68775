#include "search/gamescan.h"

#include "board/playrules.h"

#include <algorithm>
#include <bit>

namespace vorleth {

namespace {

void setBit(PointBits& bits, int index) {
    bits[index / 64] |= std::uint64_t(1) << (index % 64);
}

bool covers(const PointBits& set, const std::array<std::uint64_t, 6>& required) {
    for (int w = 0; w < 6; ++w)
        if (required[w] & ~set[w])
            return false;
    return true;
}

} // namespace

std::vector<std::uint16_t> searchEvents(const MoveList& moves) {
    std::vector<std::uint16_t> events;
    events.reserve(moves.length());
    for (const MoveEntry& entry : moves.entries()) {
        std::uint16_t kind = 0;
        if (entry.kind.startsWith(black))
            kind = searchevent::blackStone;
        else if (entry.kind.startsWith(white))
            kind = searchevent::whiteStone;
        else if (entry.isRemoval())
            kind = searchevent::removal;
        else
            continue;
        const Point p = Point::fromCode(entry.point);
        const int index = p.onBoard() ? pointIndex(p) : searchevent::offBoard;
        events.push_back(static_cast<std::uint16_t>(kind | index));
    }
    return events;
}

const std::vector<int>& handicapIndices(int handicap) {
    static const std::array<std::vector<int>, 10> tables = [] {
        std::array<std::vector<int>, 10> t;
        for (int count = 2; count <= 9; ++count)
            for (int i = 1; i <= count; ++i)
                t[count].push_back(pointIndex(handicapPoint(i, count)));
        return t;
    }();
    return tables[std::clamp(handicap, 0, 9)];
}

GameFootprint gameFootprint(const std::uint16_t* events, int count, int handicap) {
    GameFootprint f;
    for (const int index : handicapIndices(handicap))
        setBit(f.everBlack, index);
    for (int i = 0; i < count; ++i) {
        const int index = events[i] & searchevent::pointMask;
        const int kind = events[i] & searchevent::kindMask;
        if (kind == searchevent::removal) {
            ++f.removals;
        } else if (index < boardPointCount) {
            setBit(kind == searchevent::blackStone ? f.everBlack : f.everWhite, index);
        }
    }
    return f;
}

SearchPattern recordPosition(const MoveList& moves, int entries, int handicap) {
    SearchPattern pattern;
    pattern.points.fill(PatternContent::Empty);
    for (const int index : handicapIndices(handicap))
        pattern.points[index] = PatternContent::Black;
    MoveList first;
    for (int i = 1; i <= std::min(entries, moves.length()); ++i)
        first.append(moves.entry(i));
    for (const std::uint16_t event : searchEvents(first)) {
        const int index = event & searchevent::pointMask;
        if (index >= boardPointCount)
            continue;
        const int kind = event & searchevent::kindMask;
        pattern.points[index] = kind == searchevent::removal      ? PatternContent::Empty
                                : kind == searchevent::blackStone ? PatternContent::Black
                                                                  : PatternContent::White;
    }
    return pattern;
}

SearchPlan::SearchPlan(const SearchPattern& pattern, bool swap)
    : variants(patternVariants(pattern, swap)), wholeBoard(pattern.isWholeBoard()),
      stones(pattern.stoneCount()) {
    for (int v = 0; v < variants.size(); ++v)
        for (int i = 0; i < boardPointCount; ++i)
            if (variants[v].expected[i])
                caring[i] |= std::uint16_t(1u << v);
}

std::uint32_t possibleVariants(const SearchPlan& plan, const GameFootprint& footprint) {
    // A variant can only match a game that at some time had a stone of the right colour on
    // each of its stone points; most games fail this for most variants.
    std::uint32_t active = 0;
    for (int v = 0; v < plan.variants.size(); ++v) {
        const PatternVariant& variant = plan.variants[v];
        if (covers(footprint.everBlack, variant.blackBits) &&
            covers(footprint.everWhite, variant.whiteBits))
            active |= 1u << v;
    }
    return active;
}

std::optional<GameMatch> matchGame(const SearchPlan& plan, const std::uint16_t* events, int count,
                                   int handicap, const GameFootprint& footprint) {
    return matchGame(plan, events, count, handicap, footprint, possibleVariants(plan, footprint));
}

namespace {

// The variants still in the running while a game is replayed.
//
// For each variant, the number of its points that do not hold what it asks. On the empty board
// that is its stone count; an event changes it only at its own point, and only for the
// variants that care about that point. m_matching holds the variants at zero.
// And the stones on the points each variant cares about: a match has exactly the pattern's
// stones there, and only removals take stones away, so once more stones stand there than the
// pattern has and the game's removals still to come can take off, the variant is out. In a
// corner that fills up early, most games are given up long before their end.
class VariantTracker {
public:
    VariantTracker(const SearchPlan& plan, std::uint32_t active, int removals)
        : m_plan(plan), m_active(active), m_matching(plan.stones == 0 ? active : 0),
          m_removalsLeft(removals) {
        m_mismatches.fill(plan.stones);
    }

    std::uint8_t cell(int index) const { return m_cells[index]; }
    bool anyActive() const { return m_active != 0; }
    int removalsLeft() const { return m_removalsLeft; }
    void removalDone() { --m_removalsLeft; }
    // The first variant that matches now, or -1.
    int matched() const { return m_matching ? std::countr_zero(m_matching) : -1; }

    void change(int index, std::uint8_t value) {
        const std::uint8_t old = m_cells[index];
        m_cells[index] = value;
        const int added = int(old == 0) - int(value == 0);
        std::uint32_t caring = m_plan.caring[index] & m_active;
        while (caring) {
            const int v = std::countr_zero(caring);
            caring &= caring - 1;
            const std::uint8_t e = m_plan.variants[v].expected[index];
            const int before = m_mismatches[v];
            m_mismatches[v] += int(e == old + 1) - int(e == value + 1);
            if ((before == 0) != (m_mismatches[v] == 0))
                m_matching ^= 1u << v;
            m_stonesOn[v] += added;
            if (m_stonesOn[v] - m_removalsLeft > m_plan.stones) {
                m_active &= ~(1u << v);
                m_matching &= ~(1u << v);
            }
        }
    }

private:
    const SearchPlan& m_plan;
    std::array<std::uint8_t, boardPointCount> m_cells{};
    std::array<int, 16> m_mismatches{};
    std::array<int, 16> m_stonesOn{};
    std::uint32_t m_active;
    std::uint32_t m_matching;
    int m_removalsLeft;
};

// The match found before event nextEvent (-1: at the end of the game), with the move that
// follows it as the pattern is turned.
GameMatch matchBefore(const SearchPlan& plan, const std::uint16_t* events, int nextEvent,
                      int variant, int moves) {
    GameMatch m;
    m.moves = moves;
    m.variant = variant;
    if (nextEvent < 0)
        return m;
    const PatternVariant& v = plan.variants[variant];
    const int index = events[nextEvent] & searchevent::pointMask;
    const bool black = (events[nextEvent] & searchevent::kindMask) == searchevent::blackStone;
    m.nextBlack = black != v.swapped;
    if (index < boardPointCount)
        m.nextPoint = applySymmetry(inverseSymmetry(v.symmetry), pointOfIndex(index));
    else
        m.nextOffBoard = true;
    return m;
}

} // namespace

std::optional<GameMatch> matchGame(const SearchPlan& plan, const std::uint16_t* events, int count,
                                   int handicap, const GameFootprint& footprint,
                                   std::uint32_t active) {
    if (active == 0)
        return std::nullopt;
    VariantTracker tracker(plan, active, footprint.removals);
    const std::vector<int>& handicapPoints = handicapIndices(handicap);
    for (const int index : handicapPoints)
        tracker.change(index, 1);

    int onBoard = static_cast<int>(handicapPoints.size());
    int moves = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint16_t event = events[i];
        const int kind = event & searchevent::kindMask;
        const int index = event & searchevent::pointMask;
        if (kind == searchevent::removal) {
            tracker.removalDone();
            if (index < boardPointCount && tracker.cell(index) != 0) {
                --onBoard;
                tracker.change(index, 0);
            }
            continue;
        }
        // Before a stone the position is settled: the previous stone's removals are done.
        if (const int v = tracker.matched(); v >= 0)
            return matchBefore(plan, events, i, v, moves);
        // A whole position has exactly its stones on the board; once even taking off every
        // stone still to be removed leaves more, it cannot come back.
        if (!tracker.anyActive() ||
            (plan.wholeBoard && onBoard - tracker.removalsLeft() > plan.stones))
            return std::nullopt;
        ++moves;
        const std::uint8_t value = kind == searchevent::blackStone ? 1 : 2;
        if (index < boardPointCount && tracker.cell(index) != value) {
            if (tracker.cell(index) == 0)
                ++onBoard;
            tracker.change(index, value);
        }
    }
    if (const int v = tracker.matched(); v >= 0)
        return matchBefore(plan, events, -1, v, moves);
    return std::nullopt;
}

} // namespace vorleth
