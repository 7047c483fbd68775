#include "counting/grouping.h"

#include "counting/benson.h"
#include "counting/capture.h"

#include <algorithm>

namespace vorleth {

namespace {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;

} // namespace

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

std::vector<int> areaAround(int start, const PointFlags& live, const PlayoutBoard& b,
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

AreaBorder borderOf(const std::vector<int>& area, const PointFlags& live, const PlayoutBoard& b) {
    AreaBorder border;
    for (int q : area) {
        for (int step : PlayoutBoard::steps) {
            const int n = q + step;
            border.black = border.black || (live[n] && b.stone(n) == PlayoutBoard::Black);
            border.white = border.white || (live[n] && b.stone(n) == PlayoutBoard::White);
        }
    }
    return border;
}

bool bothSelfAtari(const PlayoutBoard& b, int p) {
    for (Stone s : {PlayoutBoard::Black, PlayoutBoard::White}) {
        if (!b.legal(p, s))
            continue;
        const PlayoutBoard::AfterMove after = b.afterMove(p, s, 1);
        if (after.captures || after.liberties > 1 || after.size < 2)
            return false;
        // The side fills the chain's other liberty first, when it can do so safely, and then
        // plays here with liberties to spare: no seki.
        PlayoutBoard there = b;
        there.play(p, s);
        const int other = there.libertyOf(p);
        if (other == PlayoutBoard::noPoint || !b.legal(other, s))
            continue;
        const PlayoutBoard::AfterMove first = b.afterMove(other, s, 2);
        if (first.captures || first.liberties < 2)
            continue;
        PlayoutBoard filled = b;
        filled.play(other, s);
        if (filled.legal(p, s) && filled.afterMove(p, s, 2).liberties >= 2)
            return false;
    }
    return true;
}

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
        const bool open = b.anyBesideChain(p, [&](int n) {
            if (b.stone(n) != PlayoutBoard::Empty)
                return false;
            anyLiberty = true;
            const std::array<int, 3>& border = borderStones[regionOf[n]];
            return 3 * border[s] > border[PlayoutBoard::opponent(s)];
        });
        smothered[p] = anyLiberty && !open;
    }
    return smothered;
}

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

namespace {

// Union-find over chain heads.
class Joined {
public:
    Joined() {
        for (int p = 0; p < points; ++p)
            m_parent[p] = p;
    }
    int find(int p) {
        while (m_parent[p] != p)
            p = m_parent[p] = m_parent[m_parent[p]];
        return p;
    }
    void join(int a, int b) { m_parent[find(a)] = find(b); }

private:
    std::array<int, points> m_parent;
};

// Live chains of one side that share a liberty join there.
void joinAtSharedLiberties(const PlayoutBoard& b, const PointFlags& live, Joined& joined) {
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
                    joined.join(b.chainOf(m), b.chainOf(n));
            }
        }
    }
}

// Live chains of one side around opponent stones given up inside their area join there: the
// stones are taken and the chains connect through the points they leave.
void joinAroundTakenStones(const PlayoutBoard& b, const PointFlags& live, Joined& joined) {
    std::array<int, points> areaOf;
    areaOf.fill(-1);
    int id = 0;
    for (int p = 0; p < points; ++p) {
        const Stone s = b.stone(p);
        if (s == PlayoutBoard::Edge || live[p] || areaOf[p] >= 0)
            continue;
        const std::vector<int> members = areaAround(p, live, b, areaOf, id++);
        const AreaBorder border = borderOf(members, live, b);
        if (border.black == border.white)
            continue;
        const Stone side = border.black ? PlayoutBoard::Black : PlayoutBoard::White;
        if (std::none_of(members.begin(), members.end(),
                         [&](int q) { return b.stone(q) == PlayoutBoard::opponent(side); }))
            continue;
        int first = -1;
        for (int q : members) {
            for (int step : PlayoutBoard::steps) {
                if (!live[q + step])
                    continue;
                if (first < 0)
                    first = b.chainOf(q + step);
                else
                    joined.join(b.chainOf(q + step), first);
            }
        }
    }
}

// Live chains of one side around an opponent chain that is taken even when its owner moves
// first join there: taking it connects them, wherever its points lie.
void joinAroundLostChains(const PlayoutBoard& b, const PointFlags& live, Joined& joined) {
    for (int p = 0; p < points; ++p) {
        if (!live[p] || b.chainOf(p) != p || !takenWhoeverMoves(b, p))
            continue;
        const Stone taker = PlayoutBoard::opponent(b.stone(p));
        int first = -1;
        b.anyBesideChain(p, [&](int n) {
            if (!live[n] || b.stone(n) != taker)
                return false;
            if (first < 0)
                first = b.chainOf(n);
            else
                joined.join(b.chainOf(n), first);
            return false;
        });
    }
}

// The groups an area touches.
std::vector<int> groupsTouching(const PlayoutBoard& b, const PointFlags& live,
                                const std::vector<int>& members, Joined& joined) {
    std::vector<int> touched;
    for (int q : members) {
        for (int step : PlayoutBoard::steps) {
            if (!live[q + step])
                continue;
            const int g = joined.find(b.chainOf(q + step));
            if (std::find(touched.begin(), touched.end(), g) == touched.end())
                touched.push_back(g);
        }
    }
    return touched;
}

// Whether the opponent makes a one-point eye false with one move: a live opponent stone on
// a diagonal already and an empty diagonal it may play, or on the edge, the empty diagonal.
bool falseInOneMove(const PlayoutBoard& b, const PointFlags& live, int point, Stone side) {
    const Stone other = PlayoutBoard::opponent(side);
    int opponents = 0;
    bool onEdge = false;
    bool open = false;
    for (int d : {-PlayoutBoard::width - 1, -PlayoutBoard::width + 1, PlayoutBoard::width - 1,
                  PlayoutBoard::width + 1}) {
        const int q = point + d;
        const Stone s = b.stone(q);
        if (s == PlayoutBoard::Edge)
            onEdge = true;
        else if (live[q] && s == other)
            ++opponents;
        else if (s == PlayoutBoard::Empty && b.legal(q, other) &&
                 b.afterMove(q, other, 1).liberties >= 2)
            open = true;
    }
    return open && opponents + 1 >= (onEdge ? 1 : 2);
}

// The eyes of each group: areas bounded by one side's live stones only.
std::array<int, points> eyesOfGroups(const PlayoutBoard& b, const PointFlags& live,
                                     Joined& joined) {
    std::array<int, points> eyes{};
    std::array<int, points> regionOf;
    regionOf.fill(-1);
    int id = 0;
    for (int p = 0; p < points; ++p) {
        if (b.stone(p) == PlayoutBoard::Edge || live[p] || regionOf[p] >= 0)
            continue;
        const int area = id++;
        const std::vector<int> members = areaAround(p, live, b, regionOf, area);
        const AreaBorder border = borderOf(members, live, b);
        if (border.black == border.white)
            continue;
        const Stone side = border.black ? PlayoutBoard::Black : PlayoutBoard::White;
        const int value = members.size() == 1 && b.stone(members[0]) == PlayoutBoard::Empty &&
                                  falseInOneMove(b, live, members[0], side)
                              ? 0
                              : eyeValue(members, regionOf, area);
        for (int g : groupsTouching(b, live, members, joined))
            eyes[g] += value;
    }
    return eyes;
}

// The ground around a point up to one side's live stones: its points, the side's live stones
// bounding it, and what lies inside of the other side's live stones.
struct Ground {
    std::vector<int> points;
    std::vector<int> border;
    int stones = 0;     // the other side's live stones inside
    bool alive = false; // one of them lives unconditionally
    int free = 0;       // empty points none of them touches
};

Ground groundAround(const PlayoutBoard& b, const PointFlags& live, int start, Stone side,
                    const UnconditionalLife& certain, std::array<bool, points>& seen) {
    const Stone other = PlayoutBoard::opponent(side);
    auto otherLive = [&](int n) { return live[n] && b.stone(n) == other; };
    Ground ground;
    ground.points.push_back(start);
    seen[start] = true;
    for (std::size_t i = 0; i < ground.points.size(); ++i) {
        const int q = ground.points[i];
        if (b.stone(q) == PlayoutBoard::Empty &&
            std::none_of(PlayoutBoard::steps.begin(), PlayoutBoard::steps.end(),
                         [&](int step) { return otherLive(q + step); }))
            ++ground.free;
        if (otherLive(q)) {
            ++ground.stones;
            ground.alive = ground.alive || certain.alive[q];
        }
        for (int step : PlayoutBoard::steps) {
            const int n = q + step;
            if (b.stone(n) == PlayoutBoard::Edge)
                continue;
            if (live[n] && b.stone(n) == side) {
                if (std::find(ground.border.begin(), ground.border.end(), n) == ground.border.end())
                    ground.border.push_back(n);
            } else if (!seen[n]) {
                seen[n] = true;
                ground.points.push_back(n);
            }
        }
    }
    return ground;
}

// Live chains of one side that stand inside ground the other side's live stones bound: none
// of them lives unconditionally, they are few beside the stones around them, and the ground
// holds empty points beyond their liberties. They cannot make two eyes there and the other side
// takes them whenever it wishes, so the ground is the other side's eye space all the same.
// Stones whose liberties are all the ground has are in a race with the chains around them.
PointFlags stonesInsideGround(const PlayoutBoard& b, const PointFlags& live) {
    PointFlags inside{};
    for (Stone side : {PlayoutBoard::Black, PlayoutBoard::White}) {
        const Stone other = PlayoutBoard::opponent(side);
        const UnconditionalLife certain = unconditionalLife(b, other);
        std::array<bool, points> seen{};
        for (int p = 0; p < points; ++p) {
            if (b.stone(p) == PlayoutBoard::Edge || seen[p] || (live[p] && b.stone(p) == side))
                continue;
            const Ground ground = groundAround(b, live, p, side, certain, seen);
            if (ground.stones == 0 || ground.alive || ground.free < 2 ||
                3 * ground.stones > static_cast<int>(ground.border.size()))
                continue;
            for (int q : ground.points)
                inside[q] = inside[q] || (live[q] && b.stone(q) == other);
        }
    }
    return inside;
}

} // namespace

Groups liveGroups(const PlayoutBoard& b, const PointFlags& live) {
    Joined joined;
    joinAtSharedLiberties(b, live, joined);
    // Stones shut inside the opponent's area are no border of it: the area around them is the
    // opponent's eye space, and its chains join around them as around stones given up.
    PointFlags bounding = live;
    const PointFlags inside = stonesInsideGround(b, live);
    for (int p = 0; p < points; ++p)
        bounding[p] = bounding[p] && !inside[p];
    joinAroundTakenStones(b, bounding, joined);
    joinAroundLostChains(b, live, joined);
    const std::array<int, points> eyes = eyesOfGroups(b, bounding, joined);
    Groups groups;
    groups.groupOf.fill(-1);
    for (int p = 0; p < points; ++p) {
        if (live[p] && b.chainOf(p) == p) {
            groups.groupOf[p] = joined.find(p);
            groups.eyeless[joined.find(p)] = eyes[joined.find(p)] < 2;
        }
    }
    return groups;
}

} // namespace vorleth
