#include "screens/shell/startpicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace vorleth {

namespace {

const QColor woodLight(232, 190, 118);
const QColor woodDark(196, 146, 78);
const QColor lineColour(70, 45, 20);

void drawStone(QPainter& painter, QPointF centre, double radius, bool black) {
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    if (black) {
        shade.setColorAt(0.0, QColor(110, 110, 110));
        shade.setColorAt(0.5, QColor(30, 30, 30));
        shade.setColorAt(1.0, QColor(0, 0, 0));
    } else {
        shade.setColorAt(0.0, QColor(255, 255, 255));
        shade.setColorAt(0.7, QColor(228, 228, 222));
        shade.setColorAt(1.0, QColor(170, 170, 165));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawEllipse(centre + QPointF(radius * 0.12, radius * 0.15), radius, radius);
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
}

// A board of lines x lines intersections filling square; returns the spacing.
double drawBoard(QPainter& painter, const QRectF& square, int lines) {
    QLinearGradient wood(square.topLeft(), square.bottomRight());
    wood.setColorAt(0.0, woodLight);
    wood.setColorAt(1.0, woodDark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(wood);
    painter.drawRoundedRect(square, square.width() * 0.02, square.width() * 0.02);

    const double margin = square.width() / (lines + 1);
    const double spacing = (square.width() - 2 * margin) / (lines - 1);
    painter.setPen(QPen(lineColour, std::max(1.0, square.width() / 600.0)));
    for (int i = 0; i < lines; ++i) {
        const double offset = margin + i * spacing;
        painter.drawLine(QPointF(square.left() + margin, square.top() + offset),
                         QPointF(square.right() - margin, square.top() + offset));
        painter.drawLine(QPointF(square.left() + offset, square.top() + margin),
                         QPointF(square.left() + offset, square.bottom() - margin));
    }
    return spacing;
}

QPointF pointOn(const QRectF& square, int lines, double spacing, int column, int row) {
    const double margin = square.width() / (lines + 1);
    return {square.left() + margin + (column - 1) * spacing,
            square.top() + margin + (row - 1) * spacing};
}

} // namespace

QImage drawStartPicture(QSize size, bool withTitle) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0.0, QColor(24, 52, 64));
    sky.setColorAt(1.0, QColor(8, 22, 30));
    painter.fillRect(image.rect(), sky);

    // The board fills the right half, leaving the left for the title and the controls.
    const double side = std::min(image.width() * 0.52, image.height() * 0.8);
    const QRectF square(image.width() - side - image.width() * 0.03,
                        (image.height() - side) / 2 + image.height() * 0.02, side, side);
    constexpr int lines = 19;
    const double spacing = drawBoard(painter, square, lines);

    painter.setPen(Qt::NoPen);
    painter.setBrush(lineColour);
    for (int column : {4, 10, 16})
        for (int row : {4, 10, 16})
            painter.drawEllipse(pointOn(square, lines, spacing, column, row), spacing * 0.1,
                                spacing * 0.1);

    // A common opening: the four corners taken, a shimari and an approach.
    const struct {
        int column, row;
        bool black;
    } stones[] = {{16, 4, true},  {4, 16, false}, {16, 16, true}, {4, 4, false}, {17, 14, false},
                  {15, 17, true}, {3, 10, true},  {6, 3, false},  {14, 3, true}, {10, 16, false}};
    for (const auto& s : stones)
        drawStone(painter, pointOn(square, lines, spacing, s.column, s.row), spacing * 0.47,
                  s.black);

    if (!withTitle)
        return image;
    // The program's name on the left.
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(std::max(8, image.height() / 7));
    font.setItalic(true);
    font.setBold(true);
    painter.setFont(font);
    const QRectF titleArea(image.width() * 0.04, image.height() * 0.03, image.width() * 0.5,
                           image.height() * 0.25);
    painter.setPen(QColor(0, 0, 0, 120));
    painter.drawText(titleArea.translated(3, 3), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Vorleth"));
    painter.setPen(QColor(250, 226, 170));
    painter.drawText(titleArea, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vorleth"));
    return image;
}

QImage drawProgramIcon(int size) {
    const int side = std::max(16, size);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square(side * 0.04, side * 0.04, side * 0.92, side * 0.92);
    constexpr int lines = 5;
    const double spacing = drawBoard(painter, square, lines);
    drawStone(painter, pointOn(square, lines, spacing, 2, 2), spacing * 0.48, true);
    drawStone(painter, pointOn(square, lines, spacing, 4, 3), spacing * 0.48, false);
    drawStone(painter, pointOn(square, lines, spacing, 3, 4), spacing * 0.48, true);
    return image;
}

} // namespace vorleth
