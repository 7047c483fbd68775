#pragma once

#include "board/board.h"
#include "counting/countgrid.h"

#include <QVector>

#include <array>
#include <cstdint>

namespace vorleth {

struct CountOptions {
    // An empty point whose board neighbours are all stones of one colour is that colour's
    // territory even when the enclosure test does not see it closed. (A group re-evaluation
    // once ran after the dead stones; against GNU Go's judgement of finished self-play games
    // it only lost exact results, so it lives on in bench/countingvariants for comparison.)
    bool onePointEyes = true;
};

struct CountOutcome {
    CountGrid grid;
    CountCounters counters;
};

// The territory, dead stones and counters of a final position. Every call starts afresh: the
// same position always counts the same, whatever was counted before.
CountOutcome countPosition(const Board& board, const CountOptions& options = {});

// The passes of countPosition one by one, with the working lists they share. countPosition
// is the way to use them; they are open so that each pass can be examined on its own.
class TerritoryDetermination {
public:
    explicit TerritoryDetermination(const CountOptions& options = {}) : m_options(options) {}

    // Phase 1: the stones of the board, an empty ring; all working state reset.
    void copyBoard(const Board& board);
    // Phase 2: both searches for every empty point, column by column.
    void markTerritory();
    // Phase 3: every chain of stones touching the opponent's territory dies.
    void markDeadStones();
    // Phase 4.
    void total();

    void evaluateEmptyPoint(Point point);
    // Flood search with the current roles from the single entry of the region; may set
    // enclosed (never clears it).
    void searchEnclosure();
    // Keeps the current region as Black's candidate.
    void kakuteiji_str();
    // Marks the empty points of the current region as the current roles' territory.
    void kakuteiji_set();
    void markDeadChain(Point point, CountMark deadMark);

    // The roles of one colour's search.
    struct Roles {
        CountMark own;
        CountMark opponent;
        CountMark territory;
    };
    static const Roles blackRoles;
    static const Roles whiteRoles;
    void setRoles(const Roles& roles) { m_roles = roles; }
    // Sets every ring cell to the current own stone mark: the board edge becomes a wall of
    // the searching colour.
    void raiseRingWall();
    void startRegion(Point point);

    const CountGrid& grid() const { return m_grid; }
    CountGrid& grid() { return m_grid; }
    const CountCounters& counters() const { return m_counters; }
    bool enclosed() const { return m_enclosed; }
    void setEnclosed(bool enclosed) { m_enclosed = enclosed; }
    const QVector<Point>& region() const { return m_region; }
    const QVector<Point>& enclosingStones() const { return m_kakoi; }

private:
    // A set of grid cells with O(1) membership: cells whose stamp equals the current one.
    struct CellSet {
        std::array<std::array<int, 21>, 21> stamps{};
        int current = 0;
        void clear() { ++current; }
        bool contains(Point p) const { return stamps[p.column][p.row] == current; }
        void insert(Point p) { stamps[p.column][p.row] = current; }
    };

    CountOptions m_options;
    CountGrid m_grid;
    CountCounters m_counters;
    Roles m_roles = blackRoles;
    bool m_enclosed = false;

    QVector<Point> m_region; // regionStack
    CellSet m_inRegion;
    QVector<Point> m_kakoi; // the own stones (and ring cells) touching the region
    CellSet m_inKakoi;
    QVector<Point> m_blackCandidate;
    QVector<Point> m_chain;
    CellSet m_inChain;
};

} // namespace vorleth
