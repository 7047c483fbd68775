#include "counting/estimate.h"

#include "counting/benson.h"
#include "counting/defence.h"
#include "counting/openborders.h"
#include "counting/playout.h"
#include "counting/playoutboard.h"

#include <algorithm>
#include <vector>

namespace vorleth {

namespace {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;

PlayoutBoard fromBoard(const Board& board) {
    PlayoutBoard b;
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            const Board::Cell cell = board.cell(column, row);
            if (cell == Board::Black)
                b.setStone(PlayoutBoard::at(column, row), PlayoutBoard::Black);
            else if (cell == Board::White)
                b.setStone(PlayoutBoard::at(column, row), PlayoutBoard::White);
        }
    }
    return b;
}

// Whether the chain is a single stone in atari that the opponent may take as a ko.
bool koToTake(const PlayoutBoard& b, int head) {
    if (b.chainSize(head) != 1 || b.liberties(head, 1) != 1)
        return false;
    const int take = b.libertyOf(head);
    const Stone taker = PlayoutBoard::opponent(b.stone(head));
    if (!b.legal(take, taker))
        return false;
    PlayoutBoard after = b;
    after.play(take, taker);
    return after.koPoint() == head;
}

// The four-connected points that are not live stones, around a start point.
std::vector<int> areaAround(int start, const std::array<bool, points>& live, const PlayoutBoard& b,
                            std::array<int, points>& areaOf, int id) {
    std::vector<int> members{start};
    areaOf[start] = id;
    for (std::size_t i = 0; i < members.size(); ++i) {
        for (int step : PlayoutBoard::steps) {
            const int n = members[i] + step;
            if (b.stone(n) != PlayoutBoard::Edge && !live[n] && areaOf[n] < 0) {
                areaOf[n] = id;
                members.push_back(n);
            }
        }
    }
    return members;
}

// A point where neither side can play without putting its own chain into atari, captures
// aside: a shared liberty of a seki.
bool bothSelfAtari(const PlayoutBoard& b, int p) {
    for (Stone s : {PlayoutBoard::Black, PlayoutBoard::White}) {
        if (!b.legal(p, s))
            continue;
        const PlayoutBoard::AfterMove after = b.afterMove(p, s, 1);
        if (after.captures || after.liberties > 1 || after.size < 2)
            return false;
    }
    return true;
}

// Chains whose every liberty lies in open ground that the opponent's stones bound far more
// than their own side's: stones left inside the opponent's area, however large it is.
std::array<bool, points> smotheredChains(const PlayoutBoard& b) {
    std::array<int, points> regionOf;
    regionOf.fill(-1);
    std::vector<std::array<int, 3>> borderStones; // by stone colour
    std::array<int, points> seenBy;
    seenBy.fill(-1);
    for (int p = 0; p < points; ++p) {
        if (b.stone(p) != PlayoutBoard::Empty || regionOf[p] >= 0)
            continue;
        const int id = static_cast<int>(borderStones.size());
        borderStones.push_back({0, 0, 0});
        std::vector<int> members{p};
        regionOf[p] = id;
        for (std::size_t i = 0; i < members.size(); ++i) {
            for (int step : PlayoutBoard::steps) {
                const int n = members[i] + step;
                const Stone s = b.stone(n);
                if (s == PlayoutBoard::Empty && regionOf[n] < 0) {
                    regionOf[n] = id;
                    members.push_back(n);
                } else if ((s == PlayoutBoard::Black || s == PlayoutBoard::White) &&
                           seenBy[n] != id) {
                    seenBy[n] = id;
                    ++borderStones[id][s];
                }
            }
        }
    }
    std::array<bool, points> smothered{};
    for (int p = 0; p < points; ++p) {
        const Stone s = b.stone(p);
        if ((s != PlayoutBoard::Black && s != PlayoutBoard::White) || b.chainOf(p) != p)
            continue;
        bool anyLiberty = false;
        bool open = false;
        int q = p;
        do {
            for (int step : PlayoutBoard::steps) {
                const int n = q + step;
                if (b.stone(n) != PlayoutBoard::Empty)
                    continue;
                anyLiberty = true;
                const std::array<int, 3>& border = borderStones[regionOf[n]];
                open = open || 3 * border[s] > border[PlayoutBoard::opponent(s)];
            }
            q = b.nextInChain(q);
        } while (q != p && !open);
        smothered[p] = anyLiberty && !open;
    }
    return smothered;
}

// Live chains gathered into groups, chains that share a liberty counting as one group as they
// can join there; a group is eyeless when no area of empty points and dead stones bounded by
// its own side's live stones alone touches it.
struct Groups {
    std::array<int, points> groupOf;    // the group of each live chain's head, -1 elsewhere
    std::array<bool, points> eyeless{}; // by group
};

// How many eyes an area enclosed by one side can give: one for up to three points and for
// the shapes of four and five the opponent kills with one move in their middle (the square,
// the pyramid, the cross and the bulky five), two otherwise.
int eyeValue(const std::vector<int>& members, const std::array<int, points>& regionOf, int area) {
    const std::size_t size = members.size();
    if (size <= 3)
        return 1;
    if (size > 5)
        return 2;
    auto inArea = [&](int p) { return regionOf[p] == area; };
    int mostNeighbours = 0;
    bool square = false;
    for (int p : members) {
        int neighbours = 0;
        for (int step : PlayoutBoard::steps)
            neighbours += inArea(p + step) ? 1 : 0;
        mostNeighbours = std::max(mostNeighbours, neighbours);
        square = square || (inArea(p + 1) && inArea(p + PlayoutBoard::width) &&
                            inArea(p + PlayoutBoard::width + 1));
    }
    if (size == 4)
        return square || mostNeighbours == 3 ? 1 : 2;
    return square || mostNeighbours == 4 ? 1 : 2;
}

Groups liveGroups(const PlayoutBoard& b, const std::array<bool, points>& live) {
    std::array<int, points> parent;
    for (int p = 0; p < points; ++p)
        parent[p] = p;
    auto find = [&parent](int p) {
        while (parent[p] != p)
            p = parent[p] = parent[parent[p]];
        return p;
    };
    for (int p = 0; p < points; ++p) {
        if (b.stone(p) != PlayoutBoard::Empty)
            continue;
        for (int step : PlayoutBoard::steps) {
            const int n = p + step;
            if (!live[n])
                continue;
            for (int step2 : PlayoutBoard::steps) {
                const int m = p + step2;
                if (live[m] && b.stone(m) == b.stone(n))
                    parent[find(b.chainOf(m))] = find(b.chainOf(n));
            }
        }
    }
    std::array<int, points> eyes{}; // by group
    std::array<int, points> regionOf;
    regionOf.fill(-1);
    int id = 0;
    for (int p = 0; p < points; ++p) {
        if (b.stone(p) == PlayoutBoard::Edge || live[p] || regionOf[p] >= 0)
            continue;
        const int area = id++;
        const std::vector<int> members = areaAround(p, live, b, regionOf, area);
        bool black = false;
        bool white = false;
        for (int q : members) {
            for (int step : PlayoutBoard::steps) {
                const int n = q + step;
                black = black || (live[n] && b.stone(n) == PlayoutBoard::Black);
                white = white || (live[n] && b.stone(n) == PlayoutBoard::White);
            }
        }
        if (black == white)
            continue;
        const int value = eyeValue(members, regionOf, area);
        std::vector<int> touched;
        for (int q : members) {
            for (int step : PlayoutBoard::steps) {
                if (!live[q + step])
                    continue;
                const int g = find(b.chainOf(q + step));
                if (std::find(touched.begin(), touched.end(), g) == touched.end())
                    touched.push_back(g);
            }
        }
        for (int g : touched)
            eyes[g] += value;
    }
    Groups groups;
    groups.groupOf.fill(-1);
    for (int p = 0; p < points; ++p) {
        if (live[p] && b.chainOf(p) == p) {
            groups.groupOf[p] = find(p);
            groups.eyeless[find(p)] = eyes[find(p)] < 2;
        }
    }
    return groups;
}

// Territory points their owner must still fill are not counted for it.
void removeDefencePoints(const PlayoutBoard& start, const std::array<bool, points>& live,
                         CountGrid& grid) {
    PointOwners owner;
    owner.fill(PlayoutBoard::Edge);
    for (int p = 0; p < points; ++p) {
        if (start.stone(p) == PlayoutBoard::Edge)
            continue;
        if (live[p]) {
            owner[p] = start.stone(p);
            continue;
        }
        switch (grid.at(PlayoutBoard::columnOf(p), PlayoutBoard::rowOf(p))) {
        case CountMark::BlackTerritory:
        case CountMark::DeadWhite:
            owner[p] = PlayoutBoard::Black;
            break;
        case CountMark::WhiteTerritory:
        case CountMark::DeadBlack:
            owner[p] = PlayoutBoard::White;
            break;
        case CountMark::Seki:
            break;
        default:
            owner[p] = PlayoutBoard::Empty;
        }
    }
    const std::array<bool, points> defend = pointsToDefend(start, owner);
    for (int p = 0; p < points; ++p) {
        const Point at{PlayoutBoard::columnOf(p), PlayoutBoard::rowOf(p)};
        if (defend[p] &&
            (grid.at(at) == CountMark::BlackTerritory || grid.at(at) == CountMark::WhiteTerritory))
            grid.set(at, CountMark::None);
    }
}

} // namespace

CountOutcome estimatePosition(const Board& board, const EstimateOptions& options) {
    const PlayoutBoard start = fromBoard(board);
    const UnconditionalLife blackLife = unconditionalLife(start, PlayoutBoard::Black);
    const UnconditionalLife whiteLife = unconditionalLife(start, PlayoutBoard::White);

    // Nobody gains by playing inside an eye of an unconditionally living group.
    std::array<bool, points> forbidden{};
    for (int p = 0; p < points; ++p)
        forbidden[p] = blackLife.secure[p] || whiteLife.secure[p];

    std::array<int, points> ownership{};
    PlayoutRandom random(options.seed);
    const int playouts = options.playouts > 0 ? options.playouts : 1;
    const PlayoutPolicy policy{options.selfAtariChainSize, options.answerAtari};
    for (int k = 0; k < playouts; ++k) {
        // Either side may be the one to move after the last pass.
        playout(start, k % 2 == 0 ? PlayoutBoard::Black : PlayoutBoard::White, forbidden, policy,
                random, ownership);
    }
    auto share = [&](int p) { return double(ownership[p]) / playouts; }; // +1 Black .. -1 White

    const std::array<bool, points> smothered = smotheredChains(start);

    // Chains: dead when the playouts give their points to the opponent, unless they live
    // unconditionally; opponent stones in a certain eye are dead whatever the playouts say.
    // A smothered chain must clearly hold its ground in the playouts to count as living: the
    // game ended with the opponent able to answer every attempt on it, which random play is
    // not.
    std::array<bool, points> dead{};
    std::array<bool, points> live{};
    std::array<double, points> own{}; // by chain head: the share of its side, -1 .. +1
    auto kill = [&](int head) {
        int q = head;
        do {
            dead[q] = true;
            live[q] = false;
            q = start.nextInChain(q);
        } while (q != head);
    };
    for (int p = 0; p < points; ++p) {
        const Stone s = start.stone(p);
        live[p] = s == PlayoutBoard::Black || s == PlayoutBoard::White;
    }
    for (int head = 0; head < points; ++head) {
        const Stone s = start.stone(head);
        if (!live[head] || start.chainOf(head) != head)
            continue;
        double sum = 0;
        int q = head;
        do {
            sum += share(q);
            q = start.nextInChain(q);
        } while (q != head);
        own[head] = (s == PlayoutBoard::Black ? sum : -sum) / start.chainSize(head);
        const bool isOwnAlive = (s == PlayoutBoard::Black ? blackLife : whiteLife).alive[head];
        const bool inOthersEye = (s == PlayoutBoard::Black ? whiteLife : blackLife).secure[head];
        // A stone left in atari in a ko has had its chance: the playouts need not be clear
        // about it.
        const double life = smothered[head]         ? options.smotheredLife
                            : koToTake(start, head) ? 0.0
                                                    : -options.deadMargin;
        if (inOthersEye || (!isOwnAlive && own[head] < life))
            kill(head);
    }
    // Groups without an eye must hold their ground as clearly. They go one at a time, the
    // weakest first: taking a dead group away can give the stones around it their eyes.
    for (int round = 0; round < 20; ++round) {
        const Groups groups = liveGroups(start, live);
        std::array<double, points> sum{};
        std::array<int, points> size{};
        std::array<bool, points> certain{};
        for (int head = 0; head < points; ++head) {
            const int g = groups.groupOf[head];
            if (g < 0)
                continue;
            sum[g] += own[head] * start.chainSize(head);
            size[g] += start.chainSize(head);
            certain[g] = certain[g] || blackLife.alive[head] || whiteLife.alive[head];
        }
        int weakest = -1;
        for (int g = 0; g < points; ++g) {
            if (size[g] == 0 || !groups.eyeless[g] || certain[g] ||
                sum[g] / size[g] >= options.weakLife)
                continue;
            if (weakest < 0 || sum[g] / size[g] < sum[weakest] / size[weakest])
                weakest = g;
        }
        if (weakest < 0)
            break;
        for (int head = 0; head < points; ++head) {
            if (groups.groupOf[head] == weakest)
                kill(head);
        }
    }

    // Dead stones can only lie in the opponent's ground: those in an area that only their own
    // side's live stones bound live after all.
    for (bool revived = true; revived;) {
        revived = false;
        std::array<int, points> areaOf;
        areaOf.fill(-1);
        int id = 0;
        for (int p = 0; p < points; ++p) {
            if (start.stone(p) == PlayoutBoard::Edge || live[p] || areaOf[p] >= 0)
                continue;
            const std::vector<int> area = areaAround(p, live, start, areaOf, id++);
            bool black = false;
            bool white = false;
            for (int q : area) {
                for (int step : PlayoutBoard::steps) {
                    const int n = q + step;
                    black = black || (live[n] && start.stone(n) == PlayoutBoard::Black);
                    white = white || (live[n] && start.stone(n) == PlayoutBoard::White);
                }
            }
            if (black == white)
                continue;
            const Stone own = black ? PlayoutBoard::Black : PlayoutBoard::White;
            for (int q : area) {
                if (start.stone(q) == own) {
                    live[q] = true;
                    dead[q] = false;
                    revived = true;
                }
            }
        }
    }

    // Count the position as the players would once they have filled the neutral points: the
    // points filled are nobody's, and a side that must answer a fill inside its own ground
    // loses that point. That count stands only when it judges every stone the same.
    if (options.closeBorders) {
        const std::vector<SettleMove> fills = closeBorders(start, live);
        if (!fills.empty()) {
            Board closed = board;
            for (const SettleMove& m : fills) {
                closed.setCell(Point{PlayoutBoard::columnOf(m.point), PlayoutBoard::rowOf(m.point)},
                               m.stone == PlayoutBoard::Black ? Board::Black : Board::White);
            }
            EstimateOptions once = options;
            once.closeBorders = false;
            CountOutcome outcome = estimatePosition(closed, once);
            bool same = true;
            for (int p = 0; p < points && same; ++p) {
                const Stone s = start.stone(p);
                if (s != PlayoutBoard::Black && s != PlayoutBoard::White)
                    continue;
                const CountMark m =
                    outcome.grid.at(PlayoutBoard::columnOf(p), PlayoutBoard::rowOf(p));
                same = live[p] == (m == CountMark::BlackStone || m == CountMark::WhiteStone);
            }
            if (same) {
                for (const SettleMove& m : fills)
                    outcome.grid.set(PlayoutBoard::columnOf(m.point), PlayoutBoard::rowOf(m.point),
                                     CountMark::None);
                outcome.counters = countersOf(outcome.grid);
                return outcome;
            }
        }
    }

    // Seki: shared liberties that neither side can fill, and the groups on them.
    std::array<bool, points> sekiPoint{};
    std::array<bool, points> sekiChain{};
    for (int p = 0; p < points; ++p) {
        if (start.stone(p) != PlayoutBoard::Empty)
            continue;
        bool black = false;
        bool white = false;
        for (int step : PlayoutBoard::steps) {
            const int n = p + step;
            black = black || (live[n] && start.stone(n) == PlayoutBoard::Black);
            white = white || (live[n] && start.stone(n) == PlayoutBoard::White);
        }
        if (!black || !white || !bothSelfAtari(start, p))
            continue;
        sekiPoint[p] = true;
        for (int step : PlayoutBoard::steps) {
            const int n = p + step;
            if (live[n])
                sekiChain[start.chainOf(n)] = true;
        }
    }

    const std::array<Stone, points> nearer = nearerSide(start, live);
    // Areas of empty points and dead stones between the live stones.
    CountGrid grid;
    std::array<int, points> areaOf;
    areaOf.fill(-1);
    int areaCount = 0;
    for (int p = 0; p < points; ++p) {
        const Stone s = start.stone(p);
        if (s == PlayoutBoard::Edge || live[p] || areaOf[p] >= 0)
            continue;
        const std::vector<int> area = areaAround(p, live, start, areaOf, areaCount++);
        bool blackBorder = false;
        bool whiteBorder = false;
        bool sekiBorder = false;
        bool certainBorder = false;
        for (int q : area) {
            for (int step : PlayoutBoard::steps) {
                const int n = q + step;
                if (!live[n])
                    continue;
                blackBorder = blackBorder || start.stone(n) == PlayoutBoard::Black;
                whiteBorder = whiteBorder || start.stone(n) == PlayoutBoard::White;
                sekiBorder = sekiBorder || sekiChain[start.chainOf(n)];
                certainBorder = certainBorder || blackLife.alive[n] || whiteLife.alive[n];
            }
        }
        // An eye of a group in seki is small; a larger area behind it is territory all the same.
        const bool sekiEye = sekiBorder && !certainBorder && area.size() <= 3;
        for (int q : area) {
            const Point at{PlayoutBoard::columnOf(q), PlayoutBoard::rowOf(q)};
            const Stone s2 = start.stone(q);
            if (s2 == PlayoutBoard::Black) {
                grid.set(at, CountMark::DeadBlack);
                continue;
            }
            if (s2 == PlayoutBoard::White) {
                grid.set(at, CountMark::DeadWhite);
                continue;
            }
            if (sekiPoint[q] || sekiEye) {
                grid.set(at, CountMark::Seki);
                continue;
            }
            if (blackBorder != whiteBorder) {
                grid.set(at, blackBorder ? CountMark::BlackTerritory : CountMark::WhiteTerritory);
                continue;
            }
            // Contested ground: a point touching live stones of both sides is neutral, any
            // other goes to the side that owns it in the playouts.
            bool blackNext = false;
            bool whiteNext = false;
            for (int step : PlayoutBoard::steps) {
                const int n = q + step;
                blackNext = blackNext || (live[n] && start.stone(n) == PlayoutBoard::Black);
                whiteNext = whiteNext || (live[n] && start.stone(n) == PlayoutBoard::White);
            }
            if (blackNext && whiteNext)
                continue;
            if (options.nearerSide) {
                if (nearer[q] == PlayoutBoard::Black)
                    grid.set(at, CountMark::BlackTerritory);
                else if (nearer[q] == PlayoutBoard::White)
                    grid.set(at, CountMark::WhiteTerritory);
                continue;
            }
            if (share(q) > options.territoryMargin && !whiteNext)
                grid.set(at, CountMark::BlackTerritory);
            else if (share(q) < -options.territoryMargin && !blackNext)
                grid.set(at, CountMark::WhiteTerritory);
        }
    }
    for (int p = 0; p < points; ++p) {
        if (!live[p])
            continue;
        grid.set(PlayoutBoard::columnOf(p), PlayoutBoard::rowOf(p),
                 start.stone(p) == PlayoutBoard::Black ? CountMark::BlackStone
                                                       : CountMark::WhiteStone);
    }
    if (options.defendWeakPoints)
        removeDefencePoints(start, live, grid);
    return {grid, countersOf(grid)};
}

CountOutcome firstGuess(const Board& board, CountGuess guess) {
    return guess == CountGuess::Traditional ? countPosition(board) : estimatePosition(board);
}

} // namespace vorleth
