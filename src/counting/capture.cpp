#include "counting/capture.h"

#include <algorithm>
#include <vector>

namespace vorleth {

using Stone = PlayoutBoard::Stone;

namespace {

// The owner need not move: the chain stands as it is.
constexpr int noNeed = -2;

class Reader {
public:
    Reader(int target, Stone owner, int budget, bool koRescues = true)
        : m_target(target), m_owner(owner), m_budget(budget), m_koRescues(koRescues) {}

    // Whether the attacker, to move, takes the target.
    bool attackWins(const PlayoutBoard& board) {
        if (board.stone(m_target) != m_owner)
            return true;
        const int liberties = board.liberties(m_target, 2);
        if (liberties == 1)
            return true;
        if (liberties > 2 || --m_budget < 0)
            return false;
        const Stone attacker = PlayoutBoard::opponent(m_owner);
        for (int p : libertiesOf(board)) {
            if (!board.legal(p, attacker))
                continue;
            PlayoutBoard next = board;
            next.play(p, attacker);
            if (defenceMove(next) == PlayoutBoard::noPoint)
                return true;
        }
        return false;
    }

    // The owner's move, to move, that keeps the target from being taken; noPoint when there
    // is none.
    int defenceMove(const PlayoutBoard& board) {
        if (board.stone(m_target) != m_owner)
            return PlayoutBoard::noPoint;
        const int liberties = board.liberties(m_target, 2);
        if (liberties > 2 || m_budget < 0)
            return noNeed;
        --m_budget;
        if (liberties == 2 && !attackWins(board))
            return noNeed;
        for (int p : candidates(board)) {
            if (!board.legal(p, m_owner))
                continue;
            PlayoutBoard next = board;
            next.play(p, m_owner);
            if (!m_koRescues && next.koPoint() != PlayoutBoard::noPoint)
                continue;
            if (!attackWins(next))
                return p;
        }
        return PlayoutBoard::noPoint;
    }

private:
    std::vector<int> libertiesOf(const PlayoutBoard& board) const {
        return board.libertyPoints(m_target);
    }

    // Running out at a liberty, or taking an attacking chain in atari next to the target.
    std::vector<int> candidates(const PlayoutBoard& board) const {
        std::vector<int> moves;
        board.anyBesideChain(m_target, [&](int n) {
            if (board.stone(n) == PlayoutBoard::opponent(m_owner) && board.liberties(n, 1) == 1) {
                const int take = board.libertyOf(n);
                if (std::find(moves.begin(), moves.end(), take) == moves.end())
                    moves.push_back(take);
            }
            return false;
        });
        for (int p : libertiesOf(board)) {
            if (std::find(moves.begin(), moves.end(), p) == moves.end())
                moves.push_back(p);
        }
        return moves;
    }

    int m_target;
    Stone m_owner;
    int m_budget;
    bool m_koRescues;
};

} // namespace

CaptureReading readCapture(const PlayoutBoard& board, int chain, int budget, bool koRescues) {
    CaptureReading reading;
    const Stone owner = board.stone(chain);
    if ((owner != PlayoutBoard::Black && owner != PlayoutBoard::White) ||
        board.liberties(chain, 2) > 2)
        return reading;
    Reader attack(chain, owner, budget, koRescues);
    reading.takenIfAttacked = attack.attackWins(board);
    if (reading.takenIfAttacked) {
        Reader defence(chain, owner, budget, koRescues);
        const int move = defence.defenceMove(board);
        reading.rescue = move == noNeed ? PlayoutBoard::noPoint : move;
    }
    return reading;
}

bool takenWhoeverMoves(const PlayoutBoard& board, int chain) {
    if (board.liberties(chain, 2) > 2)
        return false;
    const CaptureReading reading = readCapture(board, chain);
    return reading.takenIfAttacked && reading.rescue == PlayoutBoard::noPoint;
}

bool lostInAtari(const PlayoutBoard& board, int chain) {
    const PlayoutBoard::Stone owner = board.stone(chain);
    if ((owner != PlayoutBoard::Black && owner != PlayoutBoard::White) ||
        board.liberties(chain, 2) != 1)
        return false;
    const int out = board.libertyOf(chain);
    if (board.legal(out, owner)) {
        const PlayoutBoard::AfterMove after = board.afterMove(out, owner, 2);
        if (after.captures || after.liberties >= 2)
            return false;
    }
    const PlayoutBoard::Stone taker = PlayoutBoard::opponent(owner);
    const bool counter = board.anyBesideChain(
        chain, [&](int n) { return board.stone(n) == taker && board.liberties(n, 2) == 1; });
    if (counter || !board.legal(out, taker))
        return false;
    PlayoutBoard taken = board;
    taken.play(out, taker);
    return taken.liberties(out, 2) >= 2;
}

} // namespace vorleth
