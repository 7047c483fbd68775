#include "counting/defence.h"

#include "counting/capture.h"
#include "counting/grouping.h"

namespace vorleth {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;

namespace {

// Whether the side filling the neutral point n itself joins its chains into one with two
// liberties in its own ground: then the fill costs nothing and no point need be defended.
bool fillJoins(const PlayoutBoard& board, const PointOwners& owner, int n, Stone side) {
    int chains = 0;
    for (int step : PlayoutBoard::steps)
        chains += board.stone(n + step) == side ? 1 : 0;
    if (chains < 2 || !board.legal(n, side))
        return false;
    PlayoutBoard after = board;
    after.play(n, side);
    std::array<bool, points> counted{};
    int own = 0;
    return after.anyBesideChain(n, [&](int m) {
        if (after.stone(m) == PlayoutBoard::Empty && owner[m] == side && !counted[m]) {
            counted[m] = true;
            ++own;
        }
        return own >= 2;
    });
}

// Whether a live stone of the opponent touches the chain or one of its liberties: only such
// stones can start an attack on it. Dead stones that could take it are taken off first, and
// playing beside them inside the side's ground gives the opponent nothing.
bool attackerNear(const PlayoutBoard& board, const PointOwners& owner, int head) {
    const Stone side = board.stone(head);
    const Stone other = PlayoutBoard::opponent(side);
    auto liveOpponent = [&](int n) { return board.stone(n) == other && owner[n] == other; };
    return board.anyBesideChain(head, [&](int n) {
        if (liveOpponent(n))
            return true;
        if (board.stone(n) != PlayoutBoard::Empty)
            return false;
        for (int step : PlayoutBoard::steps) {
            if (liveOpponent(n + step))
                return true;
        }
        return false;
    });
}

} // namespace

std::array<bool, points> pointsToDefend(const PlayoutBoard& board, const PointOwners& owner) {
    std::array<bool, points> defend{};
    std::array<int, points> seen{};
    int stamp = 0;
    for (int head = 0; head < points; ++head) {
        const Stone side = board.stone(head);
        if ((side != PlayoutBoard::Black && side != PlayoutBoard::White) ||
            board.chainOf(head) != head || owner[head] != side)
            continue;
        ++stamp;
        int own = PlayoutBoard::noPoint;
        int ownCount = 0;
        int liberties = 0;
        bool neutral = false;
        bool joins = false;
        bool seki = false;
        bool defended = false;
        board.anyBesideChain(head, [&](int n) {
            if (board.stone(n) != PlayoutBoard::Empty || seen[n] == stamp)
                return false;
            seen[n] = stamp;
            ++liberties;
            defended = defended || defend[n];
            if (owner[n] == side) {
                own = n;
                ++ownCount;
            } else if (owner[n] == PlayoutBoard::Empty) {
                neutral = true;
                joins = joins || fillJoins(board, owner, n, side);
            } else if (owner[n] == PlayoutBoard::Edge) {
                seki = true;
            }
            return false;
        });
        if (seki || defended || !attackerNear(board, owner, head))
            continue;
        // A chain the opponent could take by reading it out, as in a ladder, is saved by its
        // owner at the end of the game; the saving move costs a point when it lies in the
        // owner's ground and takes nothing. Taking dead stones to save it costs nothing. A ko
        // saves nothing here: with the game ending, the opponent retakes and the owner has to
        // connect after all.
        if (liberties <= 2) {
            const CaptureReading reading = readCapture(board, head, 400, /*koRescues=*/false);
            if (reading.takenIfAttacked && reading.rescue != PlayoutBoard::noPoint &&
                owner[reading.rescue] == side &&
                !board.afterMove(reading.rescue, side, 1).captures) {
                defend[reading.rescue] = true;
                continue;
            }
        }
        if (ownCount != 1)
            continue;
        // In atari once the opponent has filled the neutral points next to it: the fill forces
        // the connection. A single stone in atari already is left to be taken, as taking it
        // would cost the taker as much inside the side's ground, unless taking it starts a ko:
        // the ko must be closed before the game ends, and its owner connects.
        if ((neutral && !joins) || (liberties == 1 && board.chainSize(head) > 1) ||
            (liberties == 1 && koToTake(board, head)))
            defend[own] = true;
    }
    return defend;
}

} // namespace vorleth
