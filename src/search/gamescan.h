#pragma once

#include "board/board.h"
#include "search/pattern.h"

#include <QVector>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vorleth {

// A record as the search replays it: one 16-bit event per entry that changes the board, the
// point index in the low nine bits and what happens there above them. Markers and padding are
// left out; a stone off the board counts as a move and changes nothing.
namespace searchevent {
inline constexpr std::uint16_t pointMask = 0x1ff;
inline constexpr std::uint16_t offBoard = boardPointCount;
inline constexpr std::uint16_t blackStone = 0 << 9;
inline constexpr std::uint16_t whiteStone = 1 << 9;
inline constexpr std::uint16_t removal = 2 << 9;
inline constexpr std::uint16_t kindMask = 3 << 9;
} // namespace searchevent

std::vector<std::uint16_t> searchEvents(const MoveList& moves);

using PointBits = std::array<std::uint64_t, 6>;

// What the cheap filters need of a game, worked out once from its events: every point that
// ever held a black or a white stone (the handicap stones included), and how many stones were
// taken off in all.
struct GameFootprint {
    PointBits everBlack{};
    PointBits everWhite{};
    int removals = 0;
};
GameFootprint gameFootprint(const std::uint16_t* events, int count, int handicap);

// A pattern made ready for scanning many games.
struct SearchPlan {
    QVector<PatternVariant> variants;
    bool wholeBoard = false;
    int stones = 0;

    // For each point, the variants (one bit each) that care what it holds: most moves of a
    // game fall outside a corner pattern and cost nothing then.
    std::array<std::uint16_t, boardPointCount> caring{};

    SearchPlan(const SearchPattern& pattern, bool swap);
};

// Where a game first shows the pattern: the number of stones played by then (0 before the
// first move), the move played next, turned back to the pattern's orientation and colours
// (nothing when the game ends there), and the variant that matched.
struct GameMatch {
    int moves = 0;
    std::optional<Point> nextPoint;
    bool nextBlack = false;
    bool nextOffBoard = false; // the next stone entry lies off the board
    int variant = 0;
    friend bool operator==(const GameMatch&, const GameMatch&) = default;
};

// The variants (one bit each) that the footprint leaves possible for a game.
std::uint32_t possibleVariants(const SearchPlan& plan, const GameFootprint& footprint);

// Replays the events (handicap black stones first) and checks the position after every
// stone with its removals, the start included; only for the variants in active when given
// (possibleVariants), for all the footprint leaves possible otherwise.
std::optional<GameMatch> matchGame(const SearchPlan& plan, const std::uint16_t* events, int count,
                                   int handicap, const GameFootprint& footprint);
std::optional<GameMatch> matchGame(const SearchPlan& plan, const std::uint16_t* events, int count,
                                   int handicap, const GameFootprint& footprint,
                                   std::uint32_t active);

// The whole position after the first entries of a record (a stone's removals included when
// they are among them), handicap stones first: what a replay shows there.
SearchPattern recordPosition(const MoveList& moves, int entries, int handicap);

// The handicap stones of a game of that many stones, as point indices.
const std::vector<int>& handicapIndices(int handicap);

} // namespace vorleth
