#pragma once

namespace vorleth {

// Board geometry in twips for the two layouts (screenSize 800, anything else 640).
struct BoardGeometry {
    int screenSize = 640;
    int cellSize = 250;
    int stoneRadius = 100;
    int boardOrigin = 250;

    static BoardGeometry forScreenSize(int screenSize);
    bool large() const { return screenSize == 800; }
};

} // namespace vorleth
