#pragma once

namespace vorleth {

// Replay options kept from one record to the next (program-wide).
struct ReplaySettings {
    int replayMode = 0;      // 0 automatic, 1 click plays black, 2 click plays white, 3 every click
    int stepInterval = 3000; // ms
    int beepCount = 1;       // beeps per placed stone; 0 silent
    int stopMoveNumber = 999; // 999 = none
    int stopColumn = 99;      // 99 = none
    int stopRow = 99;
    bool gridDrawn = false;

    // Back to the automatic replay without targets: what the main menu leaves behind. The
    // record list sets the interval again, the replay its beeps and targets, as they open.
    void reset() { *this = ReplaySettings{}; }
    friend bool operator==(const ReplaySettings&, const ReplaySettings&) = default;
};

} // namespace vorleth
