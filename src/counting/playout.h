#pragma once

#include "counting/playoutboard.h"

#include <array>
#include <cstdint>

namespace vorleth {

// A fixed, platform-independent generator: the count must not depend on the library.
class PlayoutRandom {
public:
    explicit PlayoutRandom(std::uint64_t seed) : m_state(seed ? seed : 1) {}
    std::uint32_t next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<std::uint32_t>(m_state >> 11);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint64_t m_state;
};

// How the random play of a playout chooses its moves.
struct PlayoutPolicy {
    // Never put a chain of this many stones or more into atari unless it captures.
    int selfAtariChainSize = 4;
    // Answer a move that leaves stones in atari: take them, or save one's own.
    bool answerAtari = true;
};

// One random continuation of the position to the end, toMove first, never on a forbidden
// point; adds 1 to ownership for each point Black ends up owning and takes 1 for White's.
void playout(PlayoutBoard board, PlayoutBoard::Stone toMove,
             const std::array<bool, PlayoutBoard::points>& forbidden, const PlayoutPolicy& policy,
             PlayoutRandom& random, std::array<int, PlayoutBoard::points>& ownership);

} // namespace vorleth
