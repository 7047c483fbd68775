#include "counting/openborders.h"

#include <vector>

namespace vorleth {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;

namespace {

// Whether a live stone of the colour stands next to the point.
bool touchesLive(const PlayoutBoard& board, const std::array<bool, points>& live, int point,
                 Stone colour) {
    for (int step : PlayoutBoard::steps) {
        const int n = point + step;
        if (live[n] && board.stone(n) == colour)
            return true;
    }
    return false;
}

// Steps from the nearest live stone of the colour to every point off the live stones.
std::array<int, points> distances(const PlayoutBoard& board, const std::array<bool, points>& live,
                                  Stone colour) {
    constexpr int far = points;
    std::array<int, points> distance;
    distance.fill(far);
    std::vector<int> queue;
    for (int p = 0; p < points; ++p) {
        if (live[p] && board.stone(p) == colour) {
            distance[p] = 0;
            queue.push_back(p);
        }
    }
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const int p = queue[i];
        for (int step : PlayoutBoard::steps) {
            const int n = p + step;
            if (board.stone(n) == PlayoutBoard::Edge || live[n] || distance[n] != far)
                continue;
            distance[n] = distance[p] + 1;
            queue.push_back(n);
        }
    }
    return distance;
}

} // namespace

std::array<Stone, points> nearerSide(const PlayoutBoard& board,
                                     const std::array<bool, points>& live) {
    const std::array<int, points> black = distances(board, live, PlayoutBoard::Black);
    const std::array<int, points> white = distances(board, live, PlayoutBoard::White);
    auto nearer = [&](int p) -> Stone {
        if (board.stone(p) == PlayoutBoard::Edge)
            return PlayoutBoard::Edge;
        if (live[p])
            return board.stone(p);
        return black[p] < white[p]   ? PlayoutBoard::Black
               : white[p] < black[p] ? PlayoutBoard::White
                                     : PlayoutBoard::Empty;
    };
    std::array<Stone, points> side;
    side.fill(PlayoutBoard::Edge);
    for (int p = 0; p < points; ++p) {
        if (board.stone(p) == PlayoutBoard::Edge || live[p])
            continue;
        const Stone own = nearer(p);
        bool touchesOther = false;
        for (int step : PlayoutBoard::steps) {
            const Stone n = nearer(p + step);
            touchesOther =
                touchesOther || ((n == PlayoutBoard::Black || n == PlayoutBoard::White) &&
                                 n != own && own != PlayoutBoard::Empty);
        }
        side[p] = touchesOther ? PlayoutBoard::Empty : own;
    }
    // A point with neutral points on two sides, one of them where the opponent's stones stand
    // ready to fill it, cannot be closed off from both: its side must block there itself.
    std::array<Stone, points> closed = side;
    for (int p = 0; p < points; ++p) {
        const Stone own = side[p];
        if (own != PlayoutBoard::Black && own != PlayoutBoard::White)
            continue;
        int neutral = 0;
        bool opponentNext = false;
        for (int step : PlayoutBoard::steps) {
            const int n = p + step;
            if (side[n] != PlayoutBoard::Empty)
                continue;
            ++neutral;
            for (int step2 : PlayoutBoard::steps) {
                const int m = n + step2;
                opponentNext =
                    opponentNext || (live[m] && board.stone(m) == PlayoutBoard::opponent(own));
            }
        }
        if (neutral >= 2 && opponentNext)
            closed[p] = PlayoutBoard::Empty;
    }
    return closed;
}

std::array<bool, points> undecidedPoints(const PlayoutBoard& board,
                                         const std::array<bool, points>& live) {
    auto neutral = [&](int p) {
        return board.stone(p) == PlayoutBoard::Empty &&
               touchesLive(board, live, p, PlayoutBoard::Black) &&
               touchesLive(board, live, p, PlayoutBoard::White);
    };
    const std::array<Stone, points> side = nearerSide(board, live);
    std::array<bool, points> undecided{};
    for (int p = 0; p < points; ++p) {
        if (board.stone(p) != PlayoutBoard::Empty || neutral(p))
            continue;
        bool nextToNeutral = false;
        for (int step : PlayoutBoard::steps)
            nextToNeutral = nextToNeutral || neutral(p + step);
        undecided[p] = side[p] == PlayoutBoard::Empty || nextToNeutral;
    }
    return undecided;
}

} // namespace vorleth

namespace vorleth {

namespace {

// Whether the stone may close a border at point: legal, taking nothing, not into atari.
bool quietFill(const PlayoutBoard& board, int point, Stone stone) {
    if (!board.legal(point, stone))
        return false;
    const PlayoutBoard::AfterMove after = board.afterMove(point, stone, 2);
    return !after.captures && after.liberties >= 2;
}

// The owner's saving move for a live chain left in atari by the stone just played.
int rescue(const PlayoutBoard& board, const std::array<bool, points>& live, int played) {
    for (int step : PlayoutBoard::steps) {
        const int n = played + step;
        if (!live[n] || board.stone(n) == board.stone(played) || board.liberties(n, 1) != 1)
            continue;
        const int out = board.libertyOf(n);
        if (out != PlayoutBoard::noPoint && quietFill(board, out, board.stone(n)))
            return out;
    }
    return PlayoutBoard::noPoint;
}

// The owner's fill that keeps a live chain from having to connect inside its own ground: the
// stone just played left the chain two liberties, a neutral point the player could fill next
// to put it in atari and a point of the owner's own. Filling the neutral point first costs
// its owner nothing when the chain has room afterwards.
int guard(const PlayoutBoard& board, const std::array<bool, points>& live, int played) {
    const Stone filler = board.stone(played);
    auto neutral = [&](int p) { return touchesLive(board, live, p, filler); };
    for (int step : PlayoutBoard::steps) {
        const int n = played + step;
        if (!live[n] || board.stone(n) != PlayoutBoard::opponent(filler) ||
            board.liberties(n, 2) != 2)
            continue;
        // With both liberties neutral the chain runs out at the other one when it must.
        const std::vector<int> liberties = board.libertyPoints(n);
        if (neutral(liberties[0]) == neutral(liberties[1]))
            continue;
        const int open = neutral(liberties[0]) ? liberties[0] : liberties[1];
        if (quietFill(board, open, board.stone(n)))
            return open;
    }
    return PlayoutBoard::noPoint;
}

} // namespace

std::vector<SettleMove> closeBorders(const PlayoutBoard& start,
                                     const std::array<bool, points>& startLive) {
    PlayoutBoard board = start;
    std::array<bool, points> live = startLive;
    std::vector<SettleMove> moves;
    Stone toMove = PlayoutBoard::Black;
    auto play = [&](int p, Stone s) {
        board.play(p, s);
        live[p] = true;
        moves.push_back({p, s});
    };
    for (int passes = 0; passes < 2 && moves.size() < std::size_t(points);) {
        const std::array<Stone, points> side = nearerSide(board, live);
        int chosen = PlayoutBoard::noPoint;
        for (int p = 0; p < points && chosen == PlayoutBoard::noPoint; ++p) {
            if (board.stone(p) != PlayoutBoard::Empty)
                continue;
            if (touchesLive(board, live, p, toMove) &&
                touchesLive(board, live, p, PlayoutBoard::opponent(toMove)) &&
                quietFill(board, p, toMove))
                chosen = p;
        }
        if (chosen == PlayoutBoard::noPoint) {
            ++passes;
        } else {
            passes = 0;
            play(chosen, toMove);
            int answer = rescue(board, live, chosen);
            if (answer == PlayoutBoard::noPoint)
                answer = guard(board, live, chosen);
            // A fill that reaches into the opponent's ground is blocked there.
            for (int step : PlayoutBoard::steps) {
                const int n = chosen + step;
                if (answer == PlayoutBoard::noPoint && side[n] == PlayoutBoard::opponent(toMove) &&
                    board.stone(n) == PlayoutBoard::Empty &&
                    quietFill(board, n, PlayoutBoard::opponent(toMove)))
                    answer = n;
            }
            if (answer != PlayoutBoard::noPoint) {
                // The answer spends the opponent's turn.
                play(answer, PlayoutBoard::opponent(toMove));
                continue;
            }
        }
        toMove = PlayoutBoard::opponent(toMove);
    }
    return moves;
}

} // namespace vorleth
