#include "board/boardrenderer.h"

namespace vorleth {

namespace {
bool isStarLine(int n) {
    return n == 4 || n == 10 || n == 16;
}
} // namespace

bool isStarPoint(Point p) {
    return isStarLine(p.column) && isStarLine(p.row);
}

BoardRenderer::BoardRenderer(const BoardGeometry& geometry, Canvas& canvas)
    : m_geometry(geometry), m_canvas(canvas) {}

void BoardRenderer::drawBoard() {
    const double c = m_geometry.cellSize;
    const double o = m_geometry.boardOrigin;
    constexpr double k = 2;
    m_canvas.fillRect(c + o, o - c / 2, 21 * c + o, 19 * c + o + k * o, boardColour);

    const double left = m_geometry.pointX(1);
    const double right = m_geometry.pointX(19);
    const double top = m_geometry.pointY(1);
    const double bottom = m_geometry.pointY(19);
    for (int i = 1; i <= 19; ++i) {
        const double y = m_geometry.pointY(i);
        m_canvas.line(left, y, right, y, blackColour);
        const double x = m_geometry.pointX(i);
        m_canvas.line(x, top, x, bottom, blackColour);
    }

    for (int column : {4, 10, 16}) {
        for (int row : {4, 10, 16})
            drawStarDot({column, row});
    }
}

void BoardRenderer::drawStone(Point p, const QString& colour) {
    Rgb fill;
    if (colour == black)
        fill = blackColour;
    else if (colour == white)
        fill = whiteColour;
    else
        return;
    const double x = m_geometry.pointX(p.column);
    const double y = m_geometry.pointY(p.row);
    const double r = m_geometry.stoneRadius;
    m_canvas.circle(x, y, r, fill, fill);
    // Drawn again with a black outline, so a white stone stands out from the board.
    m_canvas.circle(x, y, r, blackColour, fill);
}

void BoardRenderer::clearPoint(Point p) {
    const double x = m_geometry.pointX(p.column);
    const double y = m_geometry.pointY(p.row);
    const double half = m_geometry.cellSize / 2.0;
    m_canvas.circle(x, y, m_geometry.stoneRadius, boardColour, boardColour);

    // The line segments stop at the board's edge.
    const double left = p.column == 1 ? 0 : half;
    const double right = p.column == 19 ? 0 : half;
    const double up = p.row == 1 ? 0 : half;
    const double down = p.row == 19 ? 0 : half;
    m_canvas.line(x - left, y, x + right, y, blackColour);
    m_canvas.line(x, y - up, x, y + down, blackColour);

    if (isStarPoint(p))
        drawStarDot(p);
}

void BoardRenderer::drawDisc(Point p, Rgb colour) {
    m_canvas.circle(m_geometry.pointX(p.column), m_geometry.pointY(p.row), m_geometry.stoneRadius,
                    colour, colour);
}

void BoardRenderer::drawDisc(Point p, Rgb fill, Rgb outline) {
    m_canvas.circle(m_geometry.pointX(p.column), m_geometry.pointY(p.row), m_geometry.stoneRadius,
                    outline, fill);
}

void BoardRenderer::drawSquare(Point p, double side, Rgb fill, std::optional<Rgb> outline) {
    const double half = side / 2;
    const double x = m_geometry.pointX(p.column);
    const double y = m_geometry.pointY(p.row);
    const double left = x - half;
    const double top = y - half;
    const double right = x + half;
    const double bottom = y + half;
    m_canvas.fillRect(left, top, right, bottom, fill);
    if (!outline)
        return;
    m_canvas.line(left, top, right, top, *outline);
    m_canvas.line(right, top, right, bottom, *outline);
    m_canvas.line(right, bottom, left, bottom, *outline);
    m_canvas.line(left, bottom, left, top, *outline);
}

void BoardRenderer::drawStarDot(Point p) {
    m_canvas.circle(m_geometry.pointX(p.column), m_geometry.pointY(p.row), starRadius, blackColour,
                    blackColour);
}

} // namespace vorleth
