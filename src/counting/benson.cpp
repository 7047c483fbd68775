#include "counting/benson.h"

#include <algorithm>
#include <vector>

namespace vorleth {

namespace {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;

// The areas a colour encloses: four-connected points not of the colour, numbered from 0, with
// the chains of the colour each touches and those for which it is an eye.
struct EnclosedAreas {
    std::array<int, points> areaOf;
    std::vector<std::vector<int>> members;
    std::vector<std::vector<int>> borders; // chain heads
    std::vector<std::vector<int>> eyeOf;   // chain heads
};

void gatherAreas(const PlayoutBoard& board, Stone colour, EnclosedAreas& areas) {
    areas.areaOf.fill(-1);
    for (int p = 0; p < points; ++p) {
        const Stone s = board.stone(p);
        if (s == colour || s == PlayoutBoard::Edge || areas.areaOf[p] >= 0)
            continue;
        const int id = static_cast<int>(areas.members.size());
        std::vector<int> members{p};
        areas.areaOf[p] = id;
        for (std::size_t i = 0; i < members.size(); ++i) {
            for (int step : PlayoutBoard::steps) {
                const int n = members[i] + step;
                const Stone t = board.stone(n);
                if (t != colour && t != PlayoutBoard::Edge && areas.areaOf[n] < 0) {
                    areas.areaOf[n] = id;
                    members.push_back(n);
                }
            }
        }
        areas.members.push_back(std::move(members));
    }
}

std::vector<int> chainsTouching(const PlayoutBoard& board, Stone colour,
                                const std::vector<int>& members) {
    std::vector<int> chains;
    for (int p : members) {
        for (int step : PlayoutBoard::steps) {
            const int n = p + step;
            if (board.stone(n) != colour)
                continue;
            const int chain = board.chainOf(n);
            if (std::find(chains.begin(), chains.end(), chain) == chains.end())
                chains.push_back(chain);
        }
    }
    return chains;
}

// An area is an eye of a chain when every empty point in it touches the chain: the opponent
// cannot fill it without giving the chain nothing but a liberty there.
bool eyeOfChain(const PlayoutBoard& board, Stone colour, const std::vector<int>& members,
                int chain) {
    for (int p : members) {
        if (board.stone(p) != PlayoutBoard::Empty)
            continue;
        bool touches = false;
        for (int step : PlayoutBoard::steps) {
            const int n = p + step;
            touches = touches || (board.stone(n) == colour && board.chainOf(n) == chain);
        }
        if (!touches)
            return false;
    }
    return true;
}

EnclosedAreas enclosedAreas(const PlayoutBoard& board, Stone colour) {
    EnclosedAreas areas;
    gatherAreas(board, colour, areas);
    for (const std::vector<int>& members : areas.members) {
        areas.borders.push_back(chainsTouching(board, colour, members));
        std::vector<int> eyes;
        for (int chain : areas.borders.back()) {
            if (eyeOfChain(board, colour, members, chain))
                eyes.push_back(chain);
        }
        areas.eyeOf.push_back(std::move(eyes));
    }
    return areas;
}

// One round: chains with fewer than two eyes among the areas still standing fall, then the
// areas that touch a fallen chain. Whether anything fell.
bool dropChainsWithoutTwoEyes(const PlayoutBoard& board, Stone colour, const EnclosedAreas& areas,
                              std::array<bool, points>& chainAlive, std::vector<bool>& areaLive) {
    bool changed = false;
    std::array<int, points> eyes{};
    for (std::size_t a = 0; a < areas.members.size(); ++a) {
        if (!areaLive[a])
            continue;
        for (int chain : areas.eyeOf[a])
            ++eyes[chain];
    }
    for (int p = 0; p < points; ++p) {
        if (chainAlive[p] && board.stone(p) == colour && board.chainOf(p) == p && eyes[p] < 2) {
            chainAlive[p] = false;
            changed = true;
        }
    }
    for (std::size_t a = 0; a < areas.members.size(); ++a) {
        if (!areaLive[a])
            continue;
        for (int chain : areas.borders[a]) {
            if (!chainAlive[chain]) {
                areaLive[a] = false;
                changed = true;
                break;
            }
        }
    }
    return changed;
}

} // namespace

UnconditionalLife unconditionalLife(const PlayoutBoard& board, Stone colour) {
    const EnclosedAreas areas = enclosedAreas(board, colour);
    std::array<bool, points> chainAlive{};
    for (int p = 0; p < points; ++p) {
        if (board.stone(p) == colour)
            chainAlive[board.chainOf(p)] = true;
    }
    std::vector<bool> areaLive(areas.members.size(), true);
    while (dropChainsWithoutTwoEyes(board, colour, areas, chainAlive, areaLive)) {
    }

    UnconditionalLife life;
    for (int p = 0; p < points; ++p) {
        if (board.stone(p) == colour && chainAlive[board.chainOf(p)])
            life.alive[p] = true;
    }
    for (std::size_t a = 0; a < areas.members.size(); ++a) {
        // Only an eye of a living chain is secure: a large area merely bounded by living
        // chains can still hold a living opponent group.
        bool eye = false;
        for (int chain : areas.eyeOf[a])
            eye = eye || chainAlive[chain];
        if (areaLive[a] && eye && !areas.borders[a].empty()) {
            for (int p : areas.members[a])
                life.secure[p] = true;
        }
    }
    return life;
}

} // namespace vorleth
