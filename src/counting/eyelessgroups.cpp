#include "counting/estimatereading.h"

#include "counting/grouping.h"
#include "counting/lifereading.h"

#include <map>
#include <vector>

namespace vorleth::estimate {

namespace {

// Whether an eyeless group is shut in by strong opponent groups, however well it fares in
// random play: the points it reaches without crossing the opponent's live stones (empty or
// dead stones) are too few for a second eye, no other group of its side with two eyes is among
// them, and every opponent chain it touches has two eyes or lives unconditionally, so that it
// can neither live nor win a race of liberties.
bool enclosedGroup(const Reading& r, const Verdict& v, const Groups& groups, int g) {
    const PlayoutBoard& b = r.start;
    Stone side = PlayoutBoard::Empty;
    std::vector<int> reached;
    std::array<bool, points> seen{};
    for (int p = 0; p < points; ++p) {
        if (v.live[p] && groups.groupOf[b.chainOf(p)] == g) {
            side = b.stone(p);
            seen[p] = true;
            reached.push_back(p);
        }
    }
    int room = 0; // empty points and dead stones reached
    for (std::size_t i = 0; i < reached.size(); ++i) {
        for (int step : PlayoutBoard::steps) {
            const int n = reached[i] + step;
            const Stone s = b.stone(n);
            if (s == PlayoutBoard::Edge || seen[n])
                continue;
            if (v.live[n] && s != side) {
                const int h = groups.groupOf[b.chainOf(n)];
                const bool strong =
                    r.blackLife.alive[n] || r.whiteLife.alive[n] || (h >= 0 && !groups.eyeless[h]);
                if (!strong)
                    return false;
                continue;
            }
            if (v.live[n] && s == side) {
                const int h = groups.groupOf[b.chainOf(n)];
                if (h != g && (!groups.eyeless[h] || r.blackLife.alive[n] || r.whiteLife.alive[n]))
                    return false;
            }
            seen[n] = true;
            reached.push_back(n);
            if (!v.live[n] && ++room > 3)
                return false;
        }
    }
    return true;
}

// Each group's share of its points in the playouts, by group, and whether it lives for certain.
struct GroupShares {
    std::array<double, points> share{};
    std::array<bool, points> certain{};
    std::array<bool, points> present{};
    // Every chain of the group has only liberties neither side can fill: it stands or falls
    // with the opponent stones on them, and is never the one to be taken first.
    std::array<bool, points> standoff{};
};

GroupShares sharesOf(const Reading& r, const Verdict& v, const Groups& groups) {
    std::array<double, points> sum{};
    std::array<int, points> size{};
    GroupShares shares;
    for (int head = 0; head < points; ++head) {
        const int g = groups.groupOf[head];
        if (g < 0)
            continue;
        sum[g] += v.own[head] * r.start.chainSize(head);
        size[g] += r.start.chainSize(head);
        shares.certain[g] = shares.certain[g] || r.blackLife.alive[head] || r.whiteLife.alive[head];
        shares.standoff[g] = (!shares.present[g] || shares.standoff[g]) && v.standoff[head];
        shares.present[g] = true;
    }
    for (int g = 0; g < points; ++g) {
        if (size[g] > 0)
            shares.share[g] = sum[g] / size[g];
    }
    return shares;
}

// A weak eyeless group touching a weak eyeless group of the other side is in a race of
// liberties, which random play decides by chance: the group whose chain on the contact has
// fewer liberties is taken first, whichever side the playouts leaned to. The loser of the race
// against group g, or -1 when no neighbour has fewer liberties than g's chain it touches.
int raceLoser(const Reading& r, const Verdict& v, const Groups& groups, const GroupShares& shares,
              int g, double weakLife) {
    const PlayoutBoard& b = r.start;
    int loser = -1;
    int fewest = points;
    for (int p = 0; p < points; ++p) {
        if (!v.live[p] || groups.groupOf[b.chainOf(p)] != g)
            continue;
        const int own = b.liberties(p, 8);
        for (int step : PlayoutBoard::steps) {
            const int n = p + step;
            if (!v.live[n] || b.stone(n) != PlayoutBoard::opponent(b.stone(p)))
                continue;
            const int h = groups.groupOf[b.chainOf(n)];
            if (h < 0 || !groups.eyeless[h] || shares.certain[h] || shares.share[h] >= weakLife)
                continue;
            const int theirs = b.liberties(n, 8);
            if (theirs < own && theirs < fewest) {
                fewest = theirs;
                loser = h;
            }
        }
    }
    return loser;
}

// What the reading said of each group, by its stones: the groups are gathered afresh after
// every group taken, mostly the same again, and reading them is the costly part.
using LifeReadings = std::map<std::vector<int>, bool>;

// Whether a short local reading keeps group g alive even when the opponent moves first.
bool livesWhenAttacked(const Reading& r, const Verdict& v, const Groups& groups, int g,
                       LifeReadings& read) {
    std::vector<int> stones;
    for (int p = 0; p < points; ++p) {
        if (v.live[p] && groups.groupOf[r.start.chainOf(p)] == g)
            stones.push_back(p);
    }
    const auto known = read.find(stones);
    if (known != read.end())
        return known->second;
    const bool lives = readLife(r.start, stones, FirstMove::Opponent) == LifeReading::Lives;
    read.emplace(std::move(stones), lives);
    return lives;
}

// The eyeless group that holds its ground least clearly in the playouts, below the share a
// weak group needs, or the group it loses a race against; -1 when there is none.
int weakestEyelessGroup(const Reading& r, const Verdict& v, const Groups& groups, double weakLife,
                        LifeReadings& read) {
    const GroupShares shares = sharesOf(r, v, groups);
    // Groups in a standoff come last: taking a group around them first may settle them.
    int weakest = -1;
    bool weakestInStandoff = true;
    for (int g = 0; g < points; ++g) {
        if (!shares.present[g] || !groups.eyeless[g] || shares.certain[g])
            continue;
        if (shares.share[g] >= weakLife && !enclosedGroup(r, v, groups, g))
            continue;
        // Random play fills the shared liberties of a seki and leaves a shape to its luck
        // that a short reading settles.
        if (livesWhenAttacked(r, v, groups, g, read))
            continue;
        const bool before = weakestInStandoff && !shares.standoff[g];
        const bool same = weakestInStandoff == shares.standoff[g];
        if (weakest < 0 || before || (same && shares.share[g] < shares.share[weakest])) {
            weakest = g;
            weakestInStandoff = shares.standoff[g];
        }
    }
    if (weakest < 0)
        return weakest;
    const int loser = raceLoser(r, v, groups, shares, weakest, weakLife);
    return loser >= 0 ? loser : weakest;
}

} // namespace

// Groups without an eye must hold their ground as clearly. They go one at a time, the
// weakest first: taking a dead group away can give the stones around it their eyes.
void killEyelessGroups(const Reading& r, const EstimateOptions& options, Verdict& v) {
    LifeReadings read;
    for (int round = 0; round < 20; ++round) {
        const Groups groups = liveGroups(r.start, v.live);
        const int weakest = weakestEyelessGroup(r, v, groups, options.weakLife, read);
        if (weakest < 0)
            break;
        for (int head = 0; head < points; ++head) {
            if (groups.groupOf[head] == weakest)
                v.kill(r.start, head);
        }
    }
}

} // namespace vorleth::estimate
