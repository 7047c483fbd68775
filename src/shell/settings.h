#pragma once

#include <QString>

namespace vorleth {

struct Settings {
    QString recordDirectory;
    QString photoDirectory; // "PASS" switches the slideshow off
    int screenSize = 0;     // 800 selects the 800 x 600 layout, anything else 640 x 480
};

struct ShellState {
    int entryMode = 0; // 1 browse, 2 diagram entry, 3 board entry
    int helpScreenCode = 0;
    QString importSourcePath;
    bool yahooImportFlag = false;
    int slideshowIndex = 0;
    QString browserStartAddress;
};

} // namespace vorleth
