#include "counting/benson.h"

#include <vector>

namespace vorleth {

UnconditionalLife unconditionalLife(const PlayoutBoard& board, PlayoutBoard::Stone colour) {
    constexpr int points = PlayoutBoard::points;
    // Areas: four-connected points not of the colour, numbered from 0.
    std::array<int, points> area;
    area.fill(-1);
    std::vector<std::vector<int>> areaPoints;
    for (int p = 0; p < points; ++p) {
        const PlayoutBoard::Stone s = board.stone(p);
        if (s == colour || s == PlayoutBoard::Edge || area[p] >= 0)
            continue;
        const int id = static_cast<int>(areaPoints.size());
        areaPoints.emplace_back();
        std::vector<int>& members = areaPoints.back();
        members.push_back(p);
        area[p] = id;
        for (std::size_t i = 0; i < members.size(); ++i) {
            for (int step : PlayoutBoard::steps) {
                const int n = members[i] + step;
                const PlayoutBoard::Stone t = board.stone(n);
                if (t != colour && t != PlayoutBoard::Edge && area[n] < 0) {
                    area[n] = id;
                    members.push_back(n);
                }
            }
        }
    }
    const int areaCount = static_cast<int>(areaPoints.size());

    // Which chains each area touches, and for which chains it is an eye.
    std::vector<std::vector<int>> borders(areaCount);
    std::vector<std::vector<int>> eyeOf(areaCount);
    for (int a = 0; a < areaCount; ++a) {
        for (int p : areaPoints[a]) {
            for (int step : PlayoutBoard::steps) {
                const int n = p + step;
                if (board.stone(n) != colour)
                    continue;
                const int chain = board.chainOf(n);
                bool known = false;
                for (int c : borders[a])
                    known = known || c == chain;
                if (!known)
                    borders[a].push_back(chain);
            }
        }
        for (int chain : borders[a]) {
            bool everyEmptyTouches = true;
            for (int p : areaPoints[a]) {
                if (board.stone(p) != PlayoutBoard::Empty)
                    continue;
                bool touches = false;
                for (int step : PlayoutBoard::steps) {
                    const int n = p + step;
                    touches = touches || (board.stone(n) == colour && board.chainOf(n) == chain);
                }
                if (!touches) {
                    everyEmptyTouches = false;
                    break;
                }
            }
            if (everyEmptyTouches)
                eyeOf[a].push_back(chain);
        }
    }

    std::array<bool, points> chainAlive{};
    for (int p = 0; p < points; ++p) {
        if (board.stone(p) == colour)
            chainAlive[board.chainOf(p)] = true;
    }
    std::vector<bool> areaLive(areaCount, true);
    for (bool changed = true; changed;) {
        changed = false;
        std::array<int, points> eyes{};
        for (int a = 0; a < areaCount; ++a) {
            if (!areaLive[a])
                continue;
            for (int chain : eyeOf[a])
                ++eyes[chain];
        }
        for (int p = 0; p < points; ++p) {
            if (chainAlive[p] && board.stone(p) == colour && board.chainOf(p) == p && eyes[p] < 2) {
                chainAlive[p] = false;
                changed = true;
            }
        }
        for (int a = 0; a < areaCount; ++a) {
            if (!areaLive[a])
                continue;
            for (int chain : borders[a]) {
                if (!chainAlive[chain]) {
                    areaLive[a] = false;
                    changed = true;
                    break;
                }
            }
        }
    }

    UnconditionalLife life;
    for (int p = 0; p < points; ++p) {
        if (board.stone(p) == colour && chainAlive[board.chainOf(p)])
            life.alive[p] = true;
    }
    for (int a = 0; a < areaCount; ++a) {
        // Only an eye of a living chain is secure: a large area merely bounded by living
        // chains can still hold a living opponent group.
        bool eye = false;
        for (int chain : eyeOf[a])
            eye = eye || chainAlive[chain];
        if (areaLive[a] && eye && !borders[a].empty()) {
            for (int p : areaPoints[a])
                life.secure[p] = true;
        }
    }
    return life;
}

} // namespace vorleth
