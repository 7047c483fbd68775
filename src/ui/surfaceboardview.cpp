#include "ui/surfaceboardview.h"

#include "ui/drawingsurface.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace vorleth {

QString boxText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

SurfaceBoardView::SurfaceBoardView(DrawingSurface& surface, const BoardGeometry& geometry,
                                   BoardStatusBoxes boxes)
    : m_surface(surface), m_renderer(geometry, surface), m_boxes(boxes) {}

void SurfaceBoardView::drawBoard() {
    gridDrawn = true;
    m_renderer.drawBoard();
}

void SurfaceBoardView::drawStone(Point p, const QString& colour) {
    m_renderer.drawStone(p, colour);
}

void SurfaceBoardView::clearPoint(Point p) {
    m_renderer.clearPoint(p);
}

void SurfaceBoardView::showPoint(Point p) {
    if (m_boxes.row)
        m_boxes.row->setText(QString::number(p.row));
    if (m_boxes.column)
        m_boxes.column->setText(QString::number(p.column));
}

void SurfaceBoardView::showMoveNumber(const QString& text) {
    if (m_boxes.moveNumber)
        m_boxes.moveNumber->setText(text);
}

void SurfaceBoardView::showSideToMove(const QString& text) {
    if (m_boxes.sideToMove)
        m_boxes.sideToMove->setText(text);
}

void SurfaceBoardView::showPrisoners(const QString& text) {
    if (m_boxes.prisoners)
        m_boxes.prisoners->setPlainText(boxText(text));
}

} // namespace vorleth
