#include "counting/defence.h"

namespace vorleth {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;

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
        int q = head;
        do {
            for (int step : PlayoutBoard::steps) {
                const int n = q + step;
                if (board.stone(n) != PlayoutBoard::Empty || seen[n] == stamp)
                    continue;
                seen[n] = stamp;
                ++liberties;
                defended = defended || defend[n];
                if (owner[n] == side) {
                    own = n;
                    ++ownCount;
                } else if (owner[n] == PlayoutBoard::Empty) {
                    neutral = true;
                    // Filling this neutral point itself joins the chain to another one.
                    for (int step2 : PlayoutBoard::steps) {
                        const int m = n + step2;
                        joins = joins || (board.stone(m) == side && board.chainOf(m) != head);
                    }
                } else if (owner[n] == PlayoutBoard::Edge) {
                    seki = true;
                }
            }
            q = board.nextInChain(q);
        } while (q != head);
        if (seki || defended || ownCount != 1)
            continue;
        // In atari once the opponent has filled the neutral points next to it: the fill forces
        // the connection. A single stone in atari already is left to be taken: taking it would
        // cost the taker as much inside the side's ground.
        if ((neutral && !joins) || (liberties == 1 && board.chainSize(head) > 1))
            defend[own] = true;
    }
    return defend;
}

} // namespace vorleth
