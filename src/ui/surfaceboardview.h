#pragma once

#include "board/boardrenderer.h"
#include "board/boardview.h"
#include "board/playrules.h"

class QLineEdit;
class QPlainTextEdit;

namespace vorleth {

class DrawingSurface;

// The status boxes of a board screen; any of them may be left out (null).
struct BoardStatusBoxes {
    QLineEdit* moveNumber = nullptr;     // teme / jyotai
    QLineEdit* sideToMove = nullptr;     // teban / teban1
    QPlainTextEdit* prisoners = nullptr; // ageishi (multi-line)
    QLineEdit* column = nullptr;         // YOKO
    QLineEdit* row = nullptr;            // TATE
};

// The board view of a board screen: draws on its DrawingSurface and writes its status boxes.
class SurfaceBoardView : public BoardView {
public:
    SurfaceBoardView(DrawingSurface& surface, const BoardGeometry& geometry,
                     BoardStatusBoxes boxes = {});

    void drawBoard() override;
    void drawStone(Point p, const QString& colour) override;
    void clearPoint(Point p) override;
    void showPoint(Point p) override;
    void showMoveNumber(const QString& text) override;
    void showSideToMove(const QString& text) override;
    void showPrisoners(const QString& text) override;

    BoardRenderer& renderer() { return m_renderer; }
    DrawingSurface& surface() { return m_surface; }

    // Set by drawBoard; the screen clears it when it opens.
    bool gridDrawn = false;

    // The game the board shows, for what a screen reader says of it.
    void describeModel(const BoardModel* model);
    // What a screen reader says of the board: the last move shown ("黒 45手目 16の4"), the side
    // to move and the prisoners as the boxes show them, and the keyboard cursor's point.
    QString accessibleDescription() const;
    // The point under a keyboard cursor, said after the rest.
    void setCursorPoint(Point p);

private:
    void describe();

    DrawingSurface& m_surface;
    BoardRenderer m_renderer;
    BoardStatusBoxes m_boxes;
    const BoardModel* m_model = nullptr;
    QString m_sideToMove;
    QString m_prisoners;
    QString m_cursor;
};

// Multi-line boxes break lines at a plain line feed; a carriage return would show as a glyph.
QString boxText(QString text);

// A screen's view (a BoardView with the screen's own boxes besides) whose board part its
// SurfaceBoardView serves: the screen implements only what is its own.
template <class View> class SurfaceBoardViewOf : public View {
public:
    void drawBoard() override { boardView().drawBoard(); }
    void drawStone(Point p, const QString& colour) override { boardView().drawStone(p, colour); }
    void clearPoint(Point p) override { boardView().clearPoint(p); }
    void showPoint(Point p) override { boardView().showPoint(p); }
    void showMoveNumber(const QString& text) override { boardView().showMoveNumber(text); }
    void showSideToMove(const QString& text) override { boardView().showSideToMove(text); }
    void showPrisoners(const QString& text) override { boardView().showPrisoners(text); }

protected:
    virtual SurfaceBoardView& boardView() = 0;
};

} // namespace vorleth
