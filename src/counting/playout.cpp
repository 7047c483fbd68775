#include "counting/playout.h"

namespace vorleth {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;

namespace {

// The answer to the opponent's last move when it left stones in atari: take the stones it
// left in atari, else save own stones it put in atari when stepping out gives them room.
// Without it random play lets groups die that any player would keep, and leaves weak stones
// standing that any player would take.
int atariAnswer(const PlayoutBoard& b, int last, Stone toMove,
                const std::array<bool, points>& forbidden,
                const std::array<Stone, points>& noRetake) {
    if (last == PlayoutBoard::noPoint)
        return PlayoutBoard::noPoint;
    auto playable = [&](int p) {
        return p != PlayoutBoard::noPoint && !forbidden[p] && noRetake[p] != toMove &&
               b.legal(p, toMove);
    };
    const Stone other = PlayoutBoard::opponent(toMove);
    if (b.stone(last) == other && b.liberties(last, 1) == 1) {
        const int take = b.libertyOf(last);
        if (playable(take))
            return take;
    }
    for (int step : PlayoutBoard::steps) {
        const int n = last + step;
        if (b.stone(n) != toMove || b.liberties(n, 1) != 1)
            continue;
        const int out = b.libertyOf(n);
        if (playable(out) &&
            (b.afterMove(out, toMove, 2).liberties >= 2 || b.afterMove(out, toMove, 2).captures))
            return out;
    }
    return PlayoutBoard::noPoint;
}

// The first legal move from the place first in the list of empty points on that neither
// fills one's own eye nor puts a large chain of one's own into atari; noPoint when none.
int randomMove(const PlayoutBoard& b, Stone toMove, const std::array<bool, points>& forbidden,
               const std::array<Stone, points>& noRetake, const PlayoutPolicy& options, int first) {
    const int n = b.emptyCount();
    for (int i = 0; i < n; ++i) {
        const int p = b.emptyAt((first + i) % n);
        if (forbidden[p] || noRetake[p] == toMove || b.eyeOf(p, toMove) || !b.legal(p, toMove))
            continue;
        const PlayoutBoard::AfterMove after = b.afterMove(p, toMove, 1);
        if (!after.captures && after.liberties <= 1 && after.size >= options.selfAtariChainSize)
            continue;
        return p;
    }
    return PlayoutBoard::noPoint;
}

// Each point goes to the side whose stone is on it, or that alone borders it.
void addOwnership(const PlayoutBoard& b, std::array<int, points>& ownership) {
    for (int p = 0; p < points; ++p) {
        Stone owner = b.stone(p);
        if (owner == PlayoutBoard::Edge)
            continue;
        if (owner == PlayoutBoard::Empty) {
            bool black = false;
            bool white = false;
            for (int step : PlayoutBoard::steps) {
                black = black || b.stone(p + step) == PlayoutBoard::Black;
                white = white || b.stone(p + step) == PlayoutBoard::White;
            }
            owner = black && !white   ? PlayoutBoard::Black
                    : white && !black ? PlayoutBoard::White
                                      : PlayoutBoard::Empty;
        }
        if (owner == PlayoutBoard::Black)
            ++ownership[p];
        else if (owner == PlayoutBoard::White)
            --ownership[p];
    }
}

} // namespace

void playout(PlayoutBoard b, Stone toMove, const std::array<bool, points>& forbidden,
             const PlayoutPolicy& options, PlayoutRandom& random,
             std::array<int, points>& ownership) {
    const int moveLimit = 3 * b.emptyCount() + 60;
    // After the game a ko is not fought over: the side whose stone was taken may not take
    // back at that point for the rest of the playout, as it could not without a pass first
    // when the players settle the position.
    std::array<Stone, points> noRetake{};
    int passes = 0;
    int last = PlayoutBoard::noPoint;
    for (int moves = 0; passes < 2 && moves < moveLimit; ++moves) {
        // A place is drawn for every move, answer or not, so that a playout is the same
        // sequence of draws whatever the answers.
        const int first = b.emptyCount() > 0 ? random.below(b.emptyCount()) : 0;
        int chosen = options.answerAtari ? atariAnswer(b, last, toMove, forbidden, noRetake)
                                         : PlayoutBoard::noPoint;
        if (chosen == PlayoutBoard::noPoint)
            chosen = randomMove(b, toMove, forbidden, noRetake, options, first);
        last = chosen;
        if (chosen == PlayoutBoard::noPoint) {
            ++passes;
        } else {
            passes = 0;
            b.play(chosen, toMove);
            if (b.koPoint() != PlayoutBoard::noPoint)
                noRetake[b.koPoint()] = PlayoutBoard::opponent(toMove);
        }
        toMove = PlayoutBoard::opponent(toMove);
    }
    addOwnership(b, ownership);
}

} // namespace vorleth
