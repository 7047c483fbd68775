#pragma once

#include "board/boarddisplay.h"
#include "board/boardrenderer.h"

class QLineEdit;
class QTextEdit;

namespace vorleth {

class DrawingSurface;

// The status boxes of a board screen; any of them may be left out (null).
struct BoardStatusBoxes {
    QLineEdit* moveNumber = nullptr; // teme
    QLineEdit* sideToMove = nullptr; // teban
    QTextEdit* prisoners = nullptr;  // ageishi (multi-line)
    QLineEdit* column = nullptr;     // YOKO
    QLineEdit* row = nullptr;        // TATE
};

// BoardDisplay for a board screen: draws on its DrawingSurface and writes the status boxes.
class SurfaceBoardDisplay : public BoardDisplay {
public:
    using StatusBoxes = BoardStatusBoxes;

    SurfaceBoardDisplay(DrawingSurface& surface, const BoardGeometry& geometry,
                        StatusBoxes boxes = {});

    void drawBoard() override;
    void drawStone(Point p, const QString& colour) override;
    void clearPoint(Point p) override;
    void showPoint(Point p) override;
    void showMoveNumber(int n) override;
    void showSideToMove(const QString& lastMover) override;
    void showPrisoners(int prisonersWhite, int prisonersBlack) override;

    BoardRenderer& renderer() { return m_renderer; }
    DrawingSurface& surface() { return m_surface; }

    // Set by drawBoard; the screen clears it when it opens. When a program-wide flag is
    // attached, drawBoard sets that one too.
    bool gridDrawn = false;
    void attachGridDrawnFlag(bool* flag) { m_gridDrawnFlag = flag; }

private:
    DrawingSurface& m_surface;
    BoardRenderer m_renderer;
    StatusBoxes m_boxes;
    bool* m_gridDrawnFlag = nullptr;
};

} // namespace vorleth
