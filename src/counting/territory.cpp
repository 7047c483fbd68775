#include "counting/territory.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace vorleth {

namespace {

bool onBoard(int column, int row) {
    return column >= 1 && column <= 19 && row >= 1 && row <= 19;
}

bool inGrid(int column, int row) {
    return column >= 0 && column <= 20 && row >= 0 && row <= 20;
}

Point neighbour(Point p, int direction) {
    const DirectionTable::Offset o = DirectionTable::offset(direction);
    return {p.column + o.dColumn, p.row + o.dRow};
}

bool isStone(CountMark mark) {
    return mark == CountMark::BlackStone || mark == CountMark::WhiteStone;
}

} // namespace

const TerritoryDetermination::Roles TerritoryDetermination::blackRoles{
    CountMark::BlackStone, CountMark::WhiteStone, CountMark::BlackTerritory};
const TerritoryDetermination::Roles TerritoryDetermination::whiteRoles{
    CountMark::WhiteStone, CountMark::BlackStone, CountMark::WhiteTerritory};

CountOutcome countPosition(const Board& board, const CountOptions& options) {
    TerritoryDetermination determination(options);
    determination.copyBoard(board);
    determination.markTerritory();
    determination.markDeadStones();
    determination.total();
    return {determination.grid(), determination.counters()};
}

void TerritoryDetermination::copyBoard(const Board& board) {
    m_grid.clear();
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            switch (board.cell(column, row)) {
            case Board::Black:
                m_grid.set(column, row, CountMark::BlackStone);
                break;
            case Board::White:
                m_grid.set(column, row, CountMark::WhiteStone);
                break;
            default:
                break;
            }
        }
    }
    // A count never inherits a decision of the one before it.
    m_enclosed = false;
    m_counters = {};
    m_region.clear();
    m_kakoi.clear();
    m_blackCandidate.clear();
}

void TerritoryDetermination::markTerritory() {
    // Row 20 is part of the scan; it is evaluated only while the ring is still empty, that is
    // when the first column holds no empty point.
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 20; ++row)
            evaluateEmptyPoint({column, row});
    }
}

void TerritoryDetermination::raiseRingWall() {
    for (int k = 0; k <= 20; ++k) {
        m_grid.set(k, 0, m_roles.own);
        m_grid.set(0, k, m_roles.own);
        m_grid.set(k, 20, m_roles.own);
        m_grid.set(20, k, m_roles.own);
    }
}

void TerritoryDetermination::startRegion(Point point) {
    m_region.clear();
    m_region.append(point);
    m_inRegion.clear();
    m_inRegion.insert(point);
}

void TerritoryDetermination::evaluateEmptyPoint(Point point) {
    if (m_grid.at(point) != CountMark::None)
        return;

    setRoles(blackRoles);
    startRegion(point);
    m_blackCandidate.clear();
    raiseRingWall();
    // enclosed still holds what the previous point left there.
    searchEnclosure();
    if (m_enclosed)
        kakuteiji_str();
    m_enclosed = false;

    setRoles(whiteRoles);
    raiseRingWall();
    startRegion(point);
    searchEnclosure();

    const qsizetype whiteSize = m_region.size();
    if (!(whiteSize < m_blackCandidate.size() && m_enclosed)) {
        if (m_blackCandidate.size() == whiteSize)
            m_enclosed = false;
        setRoles(blackRoles);
        m_region = m_blackCandidate;
    }
    if (m_enclosed)
        kakuteiji_set();

    if (m_options.onePointEyes && m_grid.at(point) == CountMark::None) {
        // An eye of one point: the enclosure test can miss it when the stones around it do
        // not close a ring of their own, but nothing else can own it.
        CountMark surrounding = CountMark::None;
        bool oneColour = true;
        for (int d = 1; d <= 4 && oneColour; ++d) {
            const Point q = neighbour(point, d);
            if (!onBoard(q.column, q.row))
                continue;
            const CountMark m = m_grid.at(q);
            if (!isStone(m) || (surrounding != CountMark::None && m != surrounding))
                oneColour = false;
            surrounding = m;
        }
        if (oneColour && surrounding != CountMark::None)
            m_grid.set(point, surrounding == CountMark::BlackStone ? CountMark::BlackTerritory
                                                                   : CountMark::WhiteTerritory);
    }
}

void TerritoryDetermination::searchEnclosure() {
    // The region: empty points and opponent stones, bounded by own stones, the edge and
    // whatever is already marked.
    for (qsizetype cursor = 0; cursor < m_region.size(); ++cursor) {
        const Point p = m_region.at(cursor);
        for (int d = 1; d <= 4; ++d) {
            const Point q = neighbour(p, d);
            if (!onBoard(q.column, q.row) || m_inRegion.contains(q))
                continue;
            const CountMark m = m_grid.at(q);
            if (m == CountMark::None || m == m_roles.opponent) {
                m_region.append(q);
                m_inRegion.insert(q);
            }
        }
    }

    // The own stones (ring cells included) that touch it.
    m_kakoi.clear();
    m_inKakoi.clear();
    for (const Point& p : std::as_const(m_region)) {
        for (int d = 1; d <= 4; ++d) {
            const Point q = neighbour(p, d);
            if (inGrid(q.column, q.row) && m_grid.at(q) == m_roles.own && !m_inKakoi.contains(q)) {
                m_kakoi.append(q);
                m_inKakoi.insert(q);
            }
        }
    }
    if (m_kakoi.isEmpty())
        return;

    // Walk the own stones in eight-neighbour contact with them; the region is enclosed when
    // the first stone found beyond the enclosure is reached a second time.
    std::optional<Point> start;
    for (qsizetype cursor = 0; cursor < m_kakoi.size(); ++cursor) {
        const Point k = m_kakoi.at(cursor);
        for (int d = 1; d <= 8; ++d) {
            const Point q = neighbour(k, d);
            if (!onBoard(q.column, q.row) || m_grid.at(q) != m_roles.own)
                continue;
            if (start && q == *start) {
                m_enclosed = true;
                return;
            }
            if (!m_inKakoi.contains(q)) {
                m_kakoi.append(q);
                m_inKakoi.insert(q);
                if (!start)
                    start = q;
            }
        }
    }
}

void TerritoryDetermination::kakuteiji_str() {
    m_blackCandidate = m_region;
}

void TerritoryDetermination::kakuteiji_set() {
    for (const Point& p : std::as_const(m_region)) {
        if (m_grid.at(p) == CountMark::None)
            m_grid.set(p, m_roles.territory);
    }
}

void TerritoryDetermination::markDeadStones() {
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            const Point p{column, row};
            const CountMark m = m_grid.at(p);
            if (!isStone(m))
                continue;
            const CountMark enemyTerritory =
                m == CountMark::BlackStone ? CountMark::WhiteTerritory : CountMark::BlackTerritory;
            for (int d = 1; d <= 4; ++d) {
                if (m_grid.at(neighbour(p, d)) == enemyTerritory) {
                    markDeadChain(p, m == CountMark::BlackStone ? CountMark::DeadBlack
                                                                : CountMark::DeadWhite);
                    break;
                }
            }
        }
    }
}

void TerritoryDetermination::markDeadChain(Point point, CountMark deadMark) {
    const CountMark stone =
        deadMark == CountMark::DeadBlack ? CountMark::BlackStone : CountMark::WhiteStone;
    m_chain.clear();
    m_chain.append(point);
    m_inChain.clear();
    m_inChain.insert(point);
    for (qsizetype cursor = 0; cursor < m_chain.size(); ++cursor) {
        const Point p = m_chain.at(cursor);
        m_grid.set(p, deadMark);
        for (int d = 1; d <= 4; ++d) {
            const Point q = neighbour(p, d);
            if (onBoard(q.column, q.row) && m_grid.at(q) == stone && !m_inChain.contains(q)) {
                m_chain.append(q);
                m_inChain.insert(q);
            }
        }
    }
    const CountCounters c = countersOf(m_grid);
    m_counters.blackDeadDouble = c.blackDeadDouble;
    m_counters.whiteDeadDouble = c.whiteDeadDouble;
}

void TerritoryDetermination::total() {
    m_counters = countersOf(m_grid);
}

} // namespace vorleth
