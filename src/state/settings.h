#pragma once

#include <QString>

namespace vorleth {

// What the settings file keeps.
struct Settings {
    QString recordDirectory;
    QString photoDirectory; // "PASS" switches the slideshow off
    int screenSize = 0;     // 800 selects the 800 x 600 layout, anything else 640 x 480
};

// The main menu's own values.
struct ShellState {
    int entryMode = 0; // 1 browse, 2 diagram entry, 3 board entry
    int slideshowIndex = 0;
    QString browserStartAddress;
    // The main menu offers a game left on the recording board only at the first start-up.
    bool recoveryOffered = false;
};

} // namespace vorleth
