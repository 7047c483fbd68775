#pragma once

#include "counting/correction.h"

namespace vorleth {

// The count of the game last counted and the corrections to it (program-wide): the counting
// screen and its palette work on it. Opening the counting screen counts afresh.
struct CountState {
    CountingSession session;
    // The caption-less menu writepass: leaving unsaved asks nothing and saves nothing. The
    // board, given the game back, asks nothing either; a new game starts without it.
    bool skipSaveQuestion = false;

    void reset() { *this = CountState{}; }
};

} // namespace vorleth
