#include "ui/boardview.h"

#include "ui/drawingsurface.h"

#include <QLineEdit>
#include <QTextEdit>

namespace vorleth {

SurfaceBoardDisplay::SurfaceBoardDisplay(DrawingSurface& surface, const BoardGeometry& geometry,
                                         StatusBoxes boxes)
    : m_surface(surface), m_renderer(geometry, surface), m_boxes(boxes) {}

void SurfaceBoardDisplay::drawBoard() {
    gridDrawn = true;
    if (m_gridDrawnFlag)
        *m_gridDrawnFlag = true;
    m_renderer.drawBoard();
}

void SurfaceBoardDisplay::drawStone(Point p, const QString& colour) {
    m_renderer.drawStone(p, colour);
}

void SurfaceBoardDisplay::clearPoint(Point p) {
    m_renderer.clearPoint(p);
}

void SurfaceBoardDisplay::showPoint(Point p) {
    if (m_boxes.row)
        m_boxes.row->setText(QString::number(p.row));
    if (m_boxes.column)
        m_boxes.column->setText(QString::number(p.column));
}

void SurfaceBoardDisplay::showMoveNumber(int n) {
    if (m_boxes.moveNumber)
        m_boxes.moveNumber->setText(moveNumberText(n));
}

void SurfaceBoardDisplay::showSideToMove(const QString& lastMover) {
    if (m_boxes.sideToMove)
        m_boxes.sideToMove->setText(sideToMoveText(lastMover));
}

void SurfaceBoardDisplay::showPrisoners(int prisonersWhite, int prisonersBlack) {
    if (!m_boxes.prisoners)
        return;
    // The text box breaks lines at a plain line feed; a carriage return would show as a glyph.
    QString text = prisonersText(prisonersWhite, prisonersBlack);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_boxes.prisoners->setPlainText(text);
}

} // namespace vorleth
