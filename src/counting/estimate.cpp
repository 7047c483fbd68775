#include "counting/estimate.h"

#include "counting/estimatereading.h"

#include "counting/benson.h"
#include "counting/capture.h"
#include "counting/defence.h"
#include "counting/grouping.h"
#include "counting/openborders.h"
#include "counting/playout.h"
#include "counting/playoutboard.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace vorleth {

namespace {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;
using estimate::Reading;
using estimate::Verdict;

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

Reading readPosition(const Board& board, const EstimateOptions& options) {
    Reading r{fromBoard(board), {}, {}, {}, options.playouts > 0 ? options.playouts : 1};
    r.blackLife = unconditionalLife(r.start, PlayoutBoard::Black);
    r.whiteLife = unconditionalLife(r.start, PlayoutBoard::White);
    // Nobody gains by playing inside an eye of an unconditionally living group.
    std::array<bool, points> forbidden{};
    for (int p = 0; p < points; ++p)
        forbidden[p] = r.blackLife.secure[p] || r.whiteLife.secure[p];
    PlayoutRandom random(options.seed);
    const PlayoutPolicy policy{options.selfAtariChainSize, options.answerAtari};
    for (int k = 0; k < r.playouts; ++k) {
        // Either side may be the one to move after the last pass.
        playout(r.start, k % 2 == 0 ? PlayoutBoard::Black : PlayoutBoard::White, forbidden, policy,
                random, r.ownership);
    }
    return r;
}

// Whether every liberty of the chain, two or more, is a point neither side can fill: the
// opponent cannot take it by playing there, only by taking the stones around it, which is for
// the groups around to decide and not for random play.
bool onlySharedLiberties(const PlayoutBoard& b, int head) {
    const std::vector<int> liberties = b.libertyPoints(head);
    return liberties.size() >= 2 && std::all_of(liberties.begin(), liberties.end(),
                                                [&](int p) { return bothSelfAtari(b, p); });
}

// Whether the opponent takes the chain even when its owner moves first, by a short reading,
// with living stones of its own that are not short of liberties themselves.
bool lostWhoeverMoves(const PlayoutBoard& b, const std::array<bool, points>& live, int head) {
    const bool weakAttacker = b.anyBesideChain(head, [&](int n) {
        return b.stone(n) == PlayoutBoard::opponent(b.stone(head)) &&
               (!live[n] || b.liberties(n, 2) <= 2);
    });
    return !weakAttacker && takenWhoeverMoves(b, head);
}

// By chain head: the chains beside an opponent chain lost in atari. They take it whenever they
// like, and its points may be the eye they need; random play, not seeing that first, often
// lets them die in a race they have won.
std::array<bool, points> takersOfLostChains(const PlayoutBoard& b) {
    std::array<bool, points> takers{};
    for (int head = 0; head < points; ++head) {
        if (b.chainOf(head) != head || !lostInAtari(b, head))
            continue;
        b.anyBesideChain(head, [&](int n) {
            if (b.stone(n) == PlayoutBoard::opponent(b.stone(head)))
                takers[b.chainOf(n)] = true;
            return false;
        });
    }
    return takers;
}

// Chains: dead when the playouts give their points to the opponent, unless they live
// unconditionally or can take an opponent chain lost in atari; opponent stones in a certain
// eye are dead whatever the playouts say.
// A smothered chain must clearly hold its ground in the playouts to count as living: the
// game ended with the opponent able to answer every attempt on it, which random play is
// not.
Verdict judgeChains(const Reading& r, const EstimateOptions& options) {
    const PlayoutBoard& start = r.start;
    const std::array<bool, points> smothered = smotheredChains(start);
    const std::array<bool, points> takers = takersOfLostChains(start);
    Verdict v;
    for (int p = 0; p < points; ++p) {
        const Stone s = start.stone(p);
        v.live[p] = s == PlayoutBoard::Black || s == PlayoutBoard::White;
    }
    for (int head = 0; head < points; ++head) {
        const Stone s = start.stone(head);
        if (!v.live[head] || start.chainOf(head) != head)
            continue;
        double sum = 0;
        int q = head;
        do {
            sum += r.share(q);
            q = start.nextInChain(q);
        } while (q != head);
        v.own[head] = (s == PlayoutBoard::Black ? sum : -sum) / start.chainSize(head);
        const bool isOwnAlive = r.lifeOf(s).alive[head];
        const bool inOthersEye = r.lifeOf(PlayoutBoard::opponent(s)).secure[head];
        // A stone left in atari where taking it starts a ko is not given up: the game cannot
        // end with the ko open, and its owner connects it, whatever random play does.
        const bool ko = !smothered[head] && koToTake(start, head);
        const bool standoff = onlySharedLiberties(start, head);
        v.standoff[head] = standoff;
        const double life = smothered[head] ? options.smotheredLife : -options.deadMargin;
        if (inOthersEye || (!isOwnAlive && !ko && !standoff && !takers[head] && v.own[head] < life))
            v.kill(start, head);
    }
    return v;
}

// Living chains the opponent takes even when their owner moves first are dead all the same.
// They go after the groups are judged: the groups around them join through them.
void killLostChains(const Reading& r, Verdict& v) {
    std::vector<int> lost;
    for (int head = 0; head < points; ++head) {
        if (v.live[head] && r.start.chainOf(head) == head &&
            !r.lifeOf(r.start.stone(head)).alive[head] && !koToTake(r.start, head) &&
            lostWhoeverMoves(r.start, v.live, head))
            lost.push_back(head);
    }
    for (int head : lost)
        v.kill(r.start, head);
}

// Dead stones can only lie in the opponent's ground: those in an area that only their own
// side's live stones bound live after all.
void reviveInOwnGround(const PlayoutBoard& start, Verdict& v) {
    for (bool revived = true; revived;) {
        revived = false;
        std::array<int, points> areaOf;
        areaOf.fill(-1);
        int id = 0;
        for (int p = 0; p < points; ++p) {
            if (start.stone(p) == PlayoutBoard::Edge || v.live[p] || areaOf[p] >= 0)
                continue;
            const std::vector<int> area = areaAround(p, v.live, start, areaOf, id++);
            const AreaBorder border = borderOf(area, v.live, start);
            if (border.black == border.white)
                continue;
            const Stone own = border.black ? PlayoutBoard::Black : PlayoutBoard::White;
            for (int q : area) {
                if (start.stone(q) == own) {
                    v.live[q] = true;
                    v.dead[q] = false;
                    revived = true;
                }
            }
        }
    }
}

// Count the position as the players would once they have filled the neutral points: the
// points filled are nobody's, and a side that must answer a fill inside its own ground
// loses that point. That count stands only when it judges every stone the same.
std::optional<CountGrid> countClosed(const Board& board, const PlayoutBoard& start,
                                     const std::array<bool, points>& live,
                                     const EstimateOptions& options) {
    const std::vector<SettleMove> fills = closeBorders(start, live);
    if (fills.empty())
        return std::nullopt;
    Board closed = board;
    for (const SettleMove& m : fills) {
        closed.setCell(Point{PlayoutBoard::columnOf(m.point), PlayoutBoard::rowOf(m.point)},
                       m.stone == PlayoutBoard::Black ? Board::Black : Board::White);
    }
    EstimateOptions once = options;
    once.closeBorders = false;
    CountOutcome outcome = estimatePosition(closed, once);
    for (int p = 0; p < points; ++p) {
        const Stone s = start.stone(p);
        if (s != PlayoutBoard::Black && s != PlayoutBoard::White)
            continue;
        const CountMark m = outcome.grid.at(PlayoutBoard::columnOf(p), PlayoutBoard::rowOf(p));
        if (live[p] != (m == CountMark::BlackStone || m == CountMark::WhiteStone))
            return std::nullopt;
    }
    for (const SettleMove& m : fills)
        outcome.grid.set(PlayoutBoard::columnOf(m.point), PlayoutBoard::rowOf(m.point),
                         CountMark::None);
    return outcome.grid;
}

// Seki: shared liberties that neither side can fill, and the chains on them.
struct Seki {
    std::array<bool, points> point{};
    std::array<bool, points> chain{}; // by head
};

Seki findSeki(const PlayoutBoard& start, const std::array<bool, points>& live) {
    Seki seki;
    for (int p = 0; p < points; ++p) {
        if (start.stone(p) != PlayoutBoard::Empty)
            continue;
        const AreaBorder next = borderOf({p}, live, start);
        if (!next.black || !next.white || !bothSelfAtari(start, p))
            continue;
        seki.point[p] = true;
        for (int step : PlayoutBoard::steps) {
            const int n = p + step;
            if (live[n])
                seki.chain[start.chainOf(n)] = true;
        }
    }
    return seki;
}

// How an area of empty points and dead stones between the live stones is counted.
struct AreaKind {
    AreaBorder border;
    bool sekiEye = false; // an eye of a group in seki
};

AreaKind kindOf(const Reading& r, const std::vector<int>& area,
                const std::array<bool, points>& live, const Seki& seki) {
    AreaKind kind;
    kind.border = borderOf(area, live, r.start);
    bool sekiBorder = false;
    bool certainBorder = false;
    for (int q : area) {
        for (int step : PlayoutBoard::steps) {
            const int n = q + step;
            if (!live[n])
                continue;
            sekiBorder = sekiBorder || seki.chain[r.start.chainOf(n)];
            certainBorder = certainBorder || r.blackLife.alive[n] || r.whiteLife.alive[n];
        }
    }
    // An eye of a group in seki is small; a larger area behind it is territory all the same.
    kind.sekiEye = sekiBorder && !certainBorder && area.size() <= 3;
    return kind;
}

// A point of contested ground: neutral when it touches live stones of both sides, else the
// nearer side's or the side that owns it in the playouts.
CountMark contestedMark(const Reading& r, int q, const std::array<bool, points>& live,
                        const std::array<Stone, points>& nearer, const EstimateOptions& options) {
    const AreaBorder next = borderOf({q}, live, r.start);
    if (next.black && next.white)
        return CountMark::None;
    if (options.nearerSide) {
        return nearer[q] == PlayoutBoard::Black   ? CountMark::BlackTerritory
               : nearer[q] == PlayoutBoard::White ? CountMark::WhiteTerritory
                                                  : CountMark::None;
    }
    if (r.share(q) > options.territoryMargin && !next.white)
        return CountMark::BlackTerritory;
    if (r.share(q) < -options.territoryMargin && !next.black)
        return CountMark::WhiteTerritory;
    return CountMark::None;
}

CountMark areaPointMark(const Reading& r, int q, const AreaKind& kind,
                        const std::array<bool, points>& live, const Seki& seki,
                        const std::array<Stone, points>& nearer, const EstimateOptions& options) {
    const Stone s = r.start.stone(q);
    if (s == PlayoutBoard::Black)
        return CountMark::DeadBlack;
    if (s == PlayoutBoard::White)
        return CountMark::DeadWhite;
    if (seki.point[q] || kind.sekiEye)
        return CountMark::Seki;
    if (kind.border.black != kind.border.white)
        return kind.border.black ? CountMark::BlackTerritory : CountMark::WhiteTerritory;
    return contestedMark(r, q, live, nearer, options);
}

// The marks of every point once the live stones are known.
CountGrid markPosition(const Reading& r, const std::array<bool, points>& live,
                       const EstimateOptions& options) {
    const PlayoutBoard& start = r.start;
    const Seki seki = findSeki(start, live);
    const std::array<Stone, points> nearer = nearerSide(start, live);
    CountGrid grid;
    std::array<int, points> areaOf;
    areaOf.fill(-1);
    int areaCount = 0;
    for (int p = 0; p < points; ++p) {
        if (start.stone(p) == PlayoutBoard::Edge || live[p] || areaOf[p] >= 0)
            continue;
        const std::vector<int> area = areaAround(p, live, start, areaOf, areaCount++);
        const AreaKind kind = kindOf(r, area, live, seki);
        for (int q : area) {
            const CountMark mark = areaPointMark(r, q, kind, live, seki, nearer, options);
            if (mark != CountMark::None)
                grid.set(PlayoutBoard::columnOf(q), PlayoutBoard::rowOf(q), mark);
        }
    }
    for (int p = 0; p < points; ++p) {
        if (!live[p])
            continue;
        grid.set(PlayoutBoard::columnOf(p), PlayoutBoard::rowOf(p),
                 start.stone(p) == PlayoutBoard::Black ? CountMark::BlackStone
                                                       : CountMark::WhiteStone);
    }
    return grid;
}

} // namespace

CountOutcome estimatePosition(const Board& board, const EstimateOptions& options) {
    const Reading r = readPosition(board, options);
    Verdict v = judgeChains(r, options);
    estimate::killEyelessGroups(r, options, v);
    killLostChains(r, v);
    reviveInOwnGround(r.start, v);
    const std::optional<CountGrid> closed =
        options.closeBorders ? countClosed(board, r.start, v.live, options) : std::nullopt;
    CountGrid grid = closed ? *closed : markPosition(r, v.live, options);
    if (!closed && options.defendWeakPoints)
        removeDefencePoints(r.start, v.live, grid);
    if (!options.closeBorders)
        return {grid, countersOf(grid)};
    // The fills are one order of many, and the game ended before any was played: a point whose
    // side depends on who fills first is nobody's, whichever side that order gave it.
    const std::array<bool, points> undecided = undecidedPoints(r.start, v.live);
    for (int p = 0; p < points; ++p) {
        const int column = PlayoutBoard::columnOf(p);
        const int row = PlayoutBoard::rowOf(p);
        const CountMark m = grid.at(column, row);
        if (undecided[p] && (m == CountMark::BlackTerritory || m == CountMark::WhiteTerritory))
            grid.set(column, row, CountMark::None);
    }
    return {grid, countersOf(grid)};
}

CountOutcome firstGuess(const Board& board, CountGuess guess) {
    return guess == CountGuess::Traditional ? countPosition(board) : estimatePosition(board);
}

} // namespace vorleth
