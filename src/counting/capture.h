#pragma once

#include "counting/playoutboard.h"

namespace vorleth {

// A short reading of whether a chain of few liberties can be taken: the attacker fills its
// liberties, the owner runs out at the last one or takes attacking stones left in atari, as
// in a ladder. Chains that reach three liberties are safe; a reading too long for the budget
// of positions counts as safe too. Without koRescues, taking a stone as a ko does not save the
// chain: the opponent retakes it, and when the game is ending the owner cannot count on
// winning the ko.
struct CaptureReading {
    bool takenIfAttacked = false;       // the opponent moving first takes the chain
    int rescue = PlayoutBoard::noPoint; // the owner's move that keeps it, when there is one
};
CaptureReading readCapture(const PlayoutBoard& board, int chain, int budget = 400,
                           bool koRescues = true);

// Whether the chain, of two liberties or fewer, is taken even when its owner moves first: the
// reading takes it and finds no saving move.
bool takenWhoeverMoves(const PlayoutBoard& board, int chain);

// Whether the chain, in atari, is lost as it stands: its owner cannot save it (stepping out
// leaves it one liberty at most, and no opponent chain beside it is in atari to take) and the
// opponent takes it cleanly (the taking stone keeps two liberties or more: no ko, no
// snapback).
bool lostInAtari(const PlayoutBoard& board, int chain);

} // namespace vorleth
