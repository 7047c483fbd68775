#pragma once

#include "board/board.h"
#include "board/canvas.h"
#include "board/geometry.h"

#include <QString>

#include <optional>

namespace vorleth {

// The nine points whose column and row are each 4, 10 or 16.
bool isStarPoint(Point p);

// Draws the board, its stones and empty points through a Canvas, incrementally: callers draw
// the whole board only when a screen opens or a position is rebuilt.
class BoardRenderer {
public:
    static constexpr int starRadius = 25;

    BoardRenderer(const BoardGeometry& geometry, Canvas& canvas);

    const BoardGeometry& geometry() const { return m_geometry; }

    // The empty board: background, the 19 rows and columns, the star points.
    void drawBoard();
    // A stone: "1" black, "2" white (a white stone gets a black rim). Other colours draw nothing.
    void drawStone(Point p, const QString& colour);
    // The empty point: wipes what stands there and redraws its line segments and star dot.
    void clearPoint(Point p);
    // A stone-sized disc filled and rimmed in one colour (marks a point, e.g. cyan).
    void drawDisc(Point p, Rgb colour);
    // A stone-sized disc with an outline of its own colour (the count's seki disc).
    void drawDisc(Point p, Rgb fill, Rgb outline);
    // A square of that side (twips) centred on the point, filled, and outlined when asked.
    void drawSquare(Point p, double side, Rgb fill, std::optional<Rgb> outline = std::nullopt);

private:
    void drawStarDot(Point p);

    BoardGeometry m_geometry;
    Canvas& m_canvas;
};

} // namespace vorleth
