#pragma once

#include "board/board.h"
#include "counting/territory.h"

#include <cstdint>

namespace vorleth {

// How the counting screen makes its first guess of the count.
enum class CountGuess {
    Estimate,    // 推定による判定: reads out the position; holds on games as they really end
    Traditional, // 従来の判定: the enclosure searches, for positions with every point filled
};

struct EstimateOptions {
    int playouts = 160;
    // The same seed gives the same count of the same position, every time.
    std::uint64_t seed = 0x5eed1e57;
    // Random play never puts a chain of this many stones or more into atari unless it
    // captures: groups in seki survive the playouts, small nakade shapes are still played.
    int selfAtariChainSize = 4;
    // A chain is dead when its points end up the opponent's in more than this share of the
    // playouts beyond its own (a stone that can only be taken as a ko never is). Stones on
    // a border left open are often taken in random play that any player would keep.
    double deadMargin = 0.2;
    // A smothered chain (every liberty in ground its opponent bounds far more) lives only
    // when its side owns its points by this margin; a group without two eyes (areas of its
    // own, those of four or five points the opponent kills in one move counting as one) by the
    // second.
    double smotheredLife = 0.7;
    double weakLife = 0.4;
    // An empty point in contested ground is territory when one side owns it this much more
    // often than the other.
    double territoryMargin = 0.2;
    // Territory points whose owner must still fill them to keep a chain safe are not counted.
    bool defendWeakPoints = true;
    // Ground bordered by both sides goes to the side whose stones are nearer, rather than to
    // the side that owns it in the playouts.
    bool nearerSide = true;
    // Random play answers a move that leaves stones in atari: takes them, or saves its own.
    bool answerAtari = true;
    // The neutral points between both sides' stones are filled and the position counted again.
    bool closeBorders = true;
};

// Dead stones, seki and territory of a final position as people end their games: neutral
// points open, dead stones left standing, weak borders unsettled. Chains that live
// unconditionally and the eyes they enclose are certain; everything else is decided by many
// short random playouts from the position (own eyes never filled, large chains never put
// into atari, stones put in atari taken or saved) and which side ends up owning each point on
// average. Neutral points where either side's move would put itself into atari, even after
// filling its chain's other liberty, are seki, as are the small eyes of the groups on them. A
// group without two eyes and without room for them, shut in by groups with two, is dead (a few
// opponent stones shut inside a group's ground do not take the ground from it), unless a short
// local reading shows it living even when the opponent moves first (a seki, say); of two
// such groups in contact, the one whose chain has fewer liberties loses the race, and stones
// whose every liberty is such a seki point wait for the groups around them to be judged. A chain
// the opponent takes by a short reading even when its owner moves first is dead. Ground
// both sides border goes to the side nearer to it, the border between them neutral; points a side
// must still fill to save a chain are not its territory. The marks are those of the enclosure
// searches, so corrections work on either.
CountOutcome estimatePosition(const Board& board, const EstimateOptions& options = {});

// The first guess by the chosen method.
CountOutcome firstGuess(const Board& board, CountGuess guess);

} // namespace vorleth
