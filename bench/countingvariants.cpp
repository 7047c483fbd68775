#include "countingvariants.h"

#include <QVector>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace vorleth::bench {

namespace {

bool onBoard(Point p) {
    return p.column >= 1 && p.column <= 19 && p.row >= 1 && p.row <= 19;
}

Point neighbour(Point p, int direction) {
    const DirectionTable::Offset o = DirectionTable::offset(direction);
    return {p.column + o.dColumn, p.row + o.dRow};
}

bool isStone(CountMark mark) {
    return mark == CountMark::BlackStone || mark == CountMark::WhiteStone;
}

// The marks of one colour's group as the re-evaluation sees them.
struct Side {
    explicit Side(CountMark colour)
        : stone(colour), black(colour == CountMark::BlackStone),
          opponent(black ? CountMark::WhiteStone : CountMark::BlackStone),
          ownTerritory(black ? CountMark::BlackTerritory : CountMark::WhiteTerritory),
          opponentTerritory(black ? CountMark::WhiteTerritory : CountMark::BlackTerritory),
          ownDead(black ? CountMark::DeadBlack : CountMark::DeadWhite),
          opponentDead(black ? CountMark::DeadWhite : CountMark::DeadBlack) {}
    CountMark stone;
    bool black;
    CountMark opponent;
    CountMark ownTerritory;
    CountMark opponentTerritory;
    CountMark ownDead;
    CountMark opponentDead;
};

class Reevaluator {
public:
    Reevaluator(CountGrid& grid, GroupReevaluation mode) : m_grid(grid), m_mode(mode) {}

    void run() {
        for (int column = 1; column <= 19; ++column) {
            for (int row = 1; row <= 19; ++row) {
                const Visit v = m_visit[column][row];
                // A group is judged once: one examined from an earlier stone is not taken up
                // again from a later one, where it would be collected only in part.
                if (v == Visit::Visited ||
                    (m_mode == GroupReevaluation::EveryGroup && v == Visit::Examined))
                    continue;
                const CountMark m = m_grid.at(column, row);
                if (isStone(m)) {
                    reevaluateGroup({column, row}, m);
                    m_visit[column][row] = Visit::Offered;
                } else {
                    m_visit[column][row] = Visit::Visited;
                }
            }
        }
    }

private:
    // What the re-evaluation has done at each cell: nothing yet, offered to it, taken into a
    // group or eye (visited), or looked around for eyes (examined).
    enum class Visit : std::uint8_t { None, Offered, Visited, Examined };

    bool offered(Point point) const {
        if (m_mode == GroupReevaluation::FixedPoints && point != Point{19, 14} &&
            point != Point{18, 6})
            return false;
        return m_visit[point.column][point.row] != Visit::Visited;
    }

    // The group, eight-connected.
    QVector<Point> collectGroup(Point point, CountMark colour) {
        QVector<Point> group{point};
        for (qsizetype cursor = 0; cursor < group.size(); ++cursor) {
            const Point p = group.at(cursor);
            m_visit[p.column][p.row] = Visit::Visited;
            for (int d = 1; d <= 8; ++d) {
                const Point q = neighbour(p, d);
                if (onBoard(q) && m_visit[q.column][q.row] != Visit::Visited &&
                    m_grid.at(q) == colour) {
                    group.append(q);
                    m_visit[q.column][q.row] = Visit::Visited;
                }
            }
        }
        return group;
    }

    bool eyeCell(const Side& side, Point q) const {
        const CountMark m = m_grid.at(q);
        return m == side.ownTerritory || m == side.opponentDead;
    }

    // Looks around a stone not examined before for the first eye cell next to it; the cells
    // taken on the way join the judged ones.
    bool findEyeSeed(const Side& side, Point s, Point& seed) {
        if (m_visit[s.column][s.row] == Visit::Examined)
            return false;
        m_visit[s.column][s.row] = Visit::Examined;
        bool found = false;
        for (int d = 1; d <= 8; ++d) {
            const Point q = neighbour(s, d);
            if (m_eyeVisit[q.column][q.row])
                continue;
            if (!eyeCell(side, q)) {
                m_eyeVisit[q.column][q.row] = true;
                continue;
            }
            found = true;
            seed = q;
            m_visit[q.column][q.row] = Visit::Visited;
            // Only the fixed-point form keeps the odd test on the cell in the stone's column
            // and the neighbour's row; a group judged dead must hand back every point of its
            // eye.
            if (m_mode == GroupReevaluation::EveryGroup ||
                m_grid.at(s.column, q.row) != side.opponentDead)
                m_judged.append(q);
        }
        return found;
    }

    // The size of the eye area grown from its seed; negative when it reaches the opponent's
    // territory, where it is no eye at all.
    int eyeSize(const Side& side, Point seed) {
        int size = 0;
        QVector<Point> queue{seed};
        for (qsizetype cursor = 0; cursor < queue.size(); ++cursor) {
            const Point e = queue.at(cursor);
            if (m_eyeVisit[e.column][e.row])
                continue;
            m_eyeVisit[e.column][e.row] = true;
            for (int d = 1; d <= 8; ++d) {
                const Point r = neighbour(e, d);
                if (m_eyeVisit[r.column][r.row])
                    continue;
                if (eyeCell(side, r)) {
                    ++size;
                    queue.append(r);
                    m_judged.append(r);
                    m_visit[r.column][r.row] = Visit::Visited;
                } else {
                    m_eyeVisit[r.column][r.row] = true;
                    // The rest of the area is still taken in, so that it is not judged again
                    // from another stone.
                    if (m_grid.at(r) == side.opponentTerritory) {
                        size = -999;
                        break;
                    }
                }
            }
        }
        return size;
    }

    // A group with at most one eye area of at most five points dies and its area changes
    // hands.
    void handBack(const Side& side) {
        for (const Point& p : std::as_const(m_judged)) {
            const CountMark m = m_grid.at(p);
            if (m == side.stone)
                m_grid.set(p, side.ownDead);
            else if (m == side.ownTerritory)
                m_grid.set(p, side.opponentTerritory);
            else if (m == side.ownDead)
                m_grid.set(p, side.stone);
            else if (m == side.opponentDead)
                m_grid.set(p, side.opponent);
        }
    }

    void reevaluateGroup(Point point, CountMark colour) {
        if (!offered(point))
            return;
        const Side side(colour);
        const QVector<Point> group = collectGroup(point, colour);
        m_judged.clear();
        for (auto& column : m_eyeVisit)
            column.fill(false);
        int eyeCount = 0;
        int largestEye = 0;
        for (const Point& s : group) {
            m_judged.append(s);
            Point seed;
            if (!findEyeSeed(side, s, seed))
                continue;
            const int size = eyeSize(side, seed);
            if (size <= 0)
                continue;
            ++eyeCount;
            largestEye = std::max(largestEye, size);
            if (largestEye > 5 || eyeCount > 1)
                return;
        }
        handBack(side);
    }

    CountGrid& m_grid;
    GroupReevaluation m_mode;
    std::array<std::array<Visit, 21>, 21> m_visit{};
    std::array<std::array<bool, 21>, 21> m_eyeVisit{};
    QVector<Point> m_judged;
};

} // namespace

CountOutcome countWithVariant(const Board& board, const VariantOptions& options) {
    CountOptions countOptions;
    countOptions.onePointEyes = options.onePointEyes;
    TerritoryDetermination determination(countOptions);
    determination.copyBoard(board);
    determination.markTerritory();
    determination.markDeadStones();
    if (options.reevaluation != GroupReevaluation::None)
        Reevaluator(determination.grid(), options.reevaluation).run();
    determination.total();
    return {determination.grid(), determination.counters()};
}

} // namespace vorleth::bench
