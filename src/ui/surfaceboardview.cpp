#include "ui/surfaceboardview.h"

#include "ui/drawingsurface.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

#include <algorithm>

namespace vorleth {

QString boxText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

SurfaceBoardView::SurfaceBoardView(DrawingSurface& surface, const BoardGeometry& geometry,
                                   BoardStatusBoxes boxes)
    : m_surface(surface), m_renderer(geometry, surface), m_boxes(boxes) {
    m_surface.setAccessibleName(QStringLiteral("碁盤"));
}

void SurfaceBoardView::describeModel(const BoardModel* model) {
    m_model = model;
    describe();
}

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
    describe();
}

void SurfaceBoardView::showSideToMove(const QString& text) {
    if (m_boxes.sideToMove)
        m_boxes.sideToMove->setText(text);
    m_sideToMove = text;
    describe();
}

void SurfaceBoardView::showPrisoners(const QString& text) {
    if (m_boxes.prisoners)
        m_boxes.prisoners->setPlainText(boxText(text));
    m_prisoners = text.simplified();
    describe();
}

QString SurfaceBoardView::accessibleDescription() const {
    QStringList parts;
    // The last stone among the entries shown, numbered as the stones played.
    int number = 0;
    const MoveEntry* last = nullptr;
    if (m_model) {
        const int shown = std::min(m_model->play.appliedCount, m_model->moves.length());
        for (int i = 1; i <= shown; ++i) {
            const MoveEntry& entry = m_model->moves.entry(i);
            if (entry.isStone() && Point::fromCode(entry.point).onBoard()) {
                ++number;
                last = &entry;
            }
        }
    }
    if (last) {
        const Point p = Point::fromCode(last->point);
        parts << QStringLiteral("%1 %2手目 %3の%4")
                     .arg(last->kind.startsWith(black) ? QStringLiteral("黒")
                                                       : QStringLiteral("白"))
                     .arg(number)
                     .arg(p.column)
                     .arg(p.row);
    } else {
        parts << QStringLiteral("着手なし");
    }
    // A board that has seen no capture yet has had no prisoners written; a listener still
    // hears the count, as the replay says it from the first move.
    const QString prisoners =
        !m_prisoners.isEmpty() || !m_model
            ? m_prisoners
            : prisonersText(m_model->play.prisonersWhite, m_model->play.prisonersBlack)
                  .simplified();
    for (const QString& part : {m_sideToMove, prisoners, m_cursor})
        if (!part.isEmpty())
            parts << part;
    return parts.join(QStringLiteral("　"));
}

void SurfaceBoardView::setCursorPoint(Point p) {
    m_cursor = QStringLiteral("カーソル %1の%2").arg(p.column).arg(p.row);
    describe();
}

void SurfaceBoardView::describe() {
    m_surface.setAccessibleDescription(accessibleDescription());
}

} // namespace vorleth
