#include "counting/lifereading.h"

#include "counting/grouping.h"

#include <algorithm>
#include <array>
#include <optional>

namespace vorleth {

namespace {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;

// Beyond this many points to play on the group is not shut in, and the reading would be too
// wide to go deep enough to mean anything.
constexpr std::size_t widestRegion = 16;
constexpr int deepest = 12;
// Ground of the owner's alone larger than this is more than eye space: the group has room.
constexpr std::size_t roomyGround = 12;

// From the side to move: it reaches its aim, cannot, or the reading ran out first.
enum class Outcome { Win, Loss, Unknown };

class LifeReader {
public:
    LifeReader(const PlayoutBoard& board, const std::vector<int>& stones, int budget)
        : m_owner(board.stone(stones.front())), m_stones(stones), m_budget(budget) {
        std::array<bool, points> inRegion{};
        int largest = 0;
        for (int p : stones) {
            if (board.chainSize(p) > largest) {
                largest = board.chainSize(p);
                m_main = p;
            }
        }
        auto add = [&](int p) {
            if (board.stone(p) == PlayoutBoard::Empty && !inRegion[p]) {
                inRegion[p] = true;
                m_region.push_back(p);
            }
        };
        // A point next to p, or the liberties of the opponent's short chain there: a chain the
        // group could take, or one that must be saved before the group is attacked.
        const Stone other = PlayoutBoard::opponent(m_owner);
        auto addAround = [&](int p) {
            for (int step : PlayoutBoard::steps) {
                const int n = p + step;
                add(n);
                if (board.stone(n) == other && board.liberties(n, 3) <= 3) {
                    for (int q : board.libertyPoints(n))
                        add(q);
                }
            }
        };
        // The main chain's liberties first: the moves that matter most come early.
        for (int p : board.libertyPoints(m_main))
            add(p);
        for (int p : stones)
            addAround(p);
        // And one step further out.
        const std::size_t nearest = m_region.size();
        for (std::size_t i = 0; i < nearest; ++i)
            addAround(m_region[i]);
    }

    bool tooWide() const { return m_region.size() > widestRegion; }

    // The side to move reaches its aim: the owner that the group lives, the opponent that it
    // is taken.
    Outcome turn(const PlayoutBoard& b, int depth, bool ownerMoves) {
        if (const std::optional<Outcome> settled = settledFor(b, ownerMoves))
            return *settled;
        if (depth == 0 || --m_budget < 0)
            return Outcome::Unknown;
        const Stone mover = ownerMoves ? m_owner : PlayoutBoard::opponent(m_owner);
        bool unknown = false;
        // Whether the other side's best answer fails it, noting an answer left unread.
        auto fails = [&](Outcome answer) {
            unknown = unknown || answer == Outcome::Unknown;
            return answer == Outcome::Loss;
        };
        for (int p : movesOn(b)) {
            // Filling its own eye only ever harms the owner.
            if ((ownerMoves && b.eyeOf(p, m_owner)) || !b.legal(p, mover))
                continue;
            PlayoutBoard next = b;
            next.play(p, mover);
            if (fails(turn(next, depth - 1, !ownerMoves)))
                return Outcome::Win;
        }
        // The owner may leave the group as it stands: a seki, or a shape any move of its own
        // would spoil. The opponent gains nothing by passing.
        if (ownerMoves && fails(turn(b, depth - 1, false)))
            return Outcome::Win;
        return unknown ? Outcome::Unknown : Outcome::Loss;
    }

private:
    // The points around the group as it was, and what the moves since have made urgent: the
    // main chain's liberties and those of opponent chains next to it short of liberties.
    std::vector<int> movesOn(const PlayoutBoard& b) const {
        std::vector<int> moves = b.libertyPoints(m_main);
        const Stone other = PlayoutBoard::opponent(m_owner);
        b.anyBesideChain(m_main, [&](int n) {
            if (b.stone(n) == other && b.liberties(n, 2) <= 2) {
                for (int l : b.libertyPoints(n))
                    moves.push_back(l);
            }
            return false;
        });
        moves.insert(moves.end(), m_region.begin(), m_region.end());
        std::vector<int> unique;
        for (int p : moves) {
            if (std::find(unique.begin(), unique.end(), p) == unique.end())
                unique.push_back(p);
        }
        return unique;
    }

    // Taken, or two eyes: the outcome for the side to move, the owner when ownerToMove.
    std::optional<Outcome> settledFor(const PlayoutBoard& b, bool ownerToMove) const {
        if (b.stone(m_main) != m_owner)
            return ownerToMove ? Outcome::Loss : Outcome::Win;
        if (eyes(b) >= 2)
            return ownerToMove ? Outcome::Win : Outcome::Loss;
        return std::nullopt;
    }

    // The eyes the owner's own ground next to the group gives: areas of empty points that
    // only its stones bound, a single point only when it is no false eye.
    int eyes(const PlayoutBoard& b) const {
        std::array<int, points> regionOf;
        regionOf.fill(-1);
        int eyes = 0;
        int area = 0;
        for (int p : m_stones) {
            if (b.stone(p) != m_owner)
                continue;
            for (int step : PlayoutBoard::steps) {
                const int start = p + step;
                if (b.stone(start) != PlayoutBoard::Empty || regionOf[start] >= 0)
                    continue;
                const std::vector<int> members = ownGround(b, start, regionOf, area);
                if (members.empty()) {
                    ++area;
                    continue;
                }
                if (members.size() > roomyGround)
                    return 2;
                eyes += members.size() == 1 && !b.eyeOf(start, m_owner)
                            ? 0
                            : eyeValue(members, regionOf, area);
                ++area;
                if (eyes >= 2)
                    return eyes;
            }
        }
        return eyes;
    }

    // The empty points joined to start, marked area in regionOf; none when an opponent
    // stone touches them (the walk stops there: open ground can be most of the board).
    std::vector<int> ownGround(const PlayoutBoard& b, int start, std::array<int, points>& regionOf,
                               int area) const {
        std::vector<int> members{start};
        regionOf[start] = area;
        for (std::size_t i = 0; i < members.size(); ++i) {
            for (int step : PlayoutBoard::steps) {
                const int n = members[i] + step;
                const Stone s = b.stone(n);
                if (s == PlayoutBoard::opponent(m_owner))
                    return {};
                if (s == PlayoutBoard::Empty && regionOf[n] < 0) {
                    regionOf[n] = area;
                    members.push_back(n);
                }
            }
        }
        return members;
    }

    Stone m_owner;
    std::vector<int> m_stones;
    int m_main = PlayoutBoard::noPoint;
    std::vector<int> m_region;
    int m_budget;
};

} // namespace

LifeReading readLife(const PlayoutBoard& board, const std::vector<int>& stones, FirstMove first,
                     int budget) {
    if (stones.empty())
        return LifeReading::Unsettled;
    LifeReader reader(board, stones, budget);
    if (reader.tooWide())
        return LifeReading::Unsettled;
    if (first == FirstMove::Opponent) {
        const Outcome o = reader.turn(board, deepest, false);
        return o == Outcome::Win    ? LifeReading::Dies
               : o == Outcome::Loss ? LifeReading::Lives
                                    : LifeReading::Unsettled;
    }
    const Outcome o = reader.turn(board, deepest, true);
    return o == Outcome::Win    ? LifeReading::Lives
           : o == Outcome::Loss ? LifeReading::Dies
                                : LifeReading::Unsettled;
}

} // namespace vorleth
