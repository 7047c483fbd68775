#pragma once

#include "counting/playoutboard.h"

#include <array>
#include <vector>

namespace vorleth {

// What the count estimate reads from the shape of a position: the areas between live
// stones, the eyes they give, groups of chains and chains stranded in the opponent's ground.

using PointFlags = std::array<bool, PlayoutBoard::points>;

// Whether the chain is a single stone in atari that the opponent may take as a ko.
bool koToTake(const PlayoutBoard& board, int head);

// The four-connected points that are not live stones around a start point, each marked with
// id in areaOf.
std::vector<int> areaAround(int start, const PointFlags& live, const PlayoutBoard& board,
                            std::array<int, PlayoutBoard::points>& areaOf, int id);

// Which sides' live stones touch an area.
struct AreaBorder {
    bool black = false;
    bool white = false;
};
AreaBorder borderOf(const std::vector<int>& area, const PointFlags& live,
                    const PlayoutBoard& board);

// A point where neither side can play without putting its own chain into atari, captures
// aside, nor after filling its chain's other liberty first: a shared liberty of a seki.
bool bothSelfAtari(const PlayoutBoard& board, int point);

// How many eyes an area enclosed by one side can give: one for up to three points and for
// the shapes of four and five the opponent kills with one move in their middle (the square,
// the pyramid, the cross and the bulky five), two otherwise. The area's points are those
// marked area in regionOf.
int eyeValue(const std::vector<int>& members, const std::array<int, PlayoutBoard::points>& regionOf,
             int area);

// Chains (by head) whose every liberty lies in open ground that the opponent's stones bound
// far more than their own side's: stones left inside the opponent's area, however large it is.
PointFlags smotheredChains(const PlayoutBoard& board);

// Live chains gathered into groups, chains that share a liberty counting as one group as they
// can join there, as do chains around an opponent chain they take whoever moves first; a group is
// eyeless when the areas bounded by its own side's live stones alone that touch it give it fewer
// than two eyes, a one-point eye the opponent makes false with one move giving none. A few opponent
// stones shut inside its ground without room of their own do not take the ground from it.
struct Groups {
    std::array<int, PlayoutBoard::points> groupOf; // the group of each live chain's head, else -1
    PointFlags eyeless{};                          // by group
};
Groups liveGroups(const PlayoutBoard& board, const PointFlags& live);

} // namespace vorleth
