#include "ui/drawingsurface.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace vorleth {

namespace {
// Twips per device-independent pixel at 96 dots per inch.
constexpr double twipsPerLogicalPixel = 1440.0 / 96.0;

QColor toQColor(Rgb c) {
    return QColor(c.red, c.green, c.blue);
}

int pixels(double twips) {
    return static_cast<int>(std::ceil(twips / twipsPerLogicalPixel));
}
} // namespace

DrawingSurface::DrawingSurface(double logicalWidth, double logicalHeight, QWidget* parent)
    : QWidget(parent), m_logicalWidth(logicalWidth), m_logicalHeight(logicalHeight) {
    setFixedSize(pixels(logicalWidth), pixels(logicalHeight));
    // Everything shown comes from the image, so Qt need not clear the widget first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    matchDevicePixelRatio();
}

double DrawingSurface::twipsPerPixel() const {
    return twipsPerLogicalPixel;
}

void DrawingSurface::matchDevicePixelRatio() {
    const qreal ratio = devicePixelRatioF();
    if (!m_image.isNull() && qFuzzyCompare(m_image.devicePixelRatio(), ratio))
        return;
    QImage image(QSize(std::ceil(width() * ratio), std::ceil(height() * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    if (m_image.isNull()) {
        image.fill(palette().color(QPalette::Window));
    } else {
        // Moved to a screen of another density: keep the drawing, rescaled.
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, width(), height()), m_image);
    }
    m_image = image;
}

void DrawingSurface::beginPainting(QPainter& painter) {
    matchDevicePixelRatio();
    painter.begin(&m_image);
    // The image's device pixel ratio already maps device-independent pixels to device pixels.
    painter.scale(1.0 / twipsPerLogicalPixel, 1.0 / twipsPerLogicalPixel);
    // Aliased throughout: board lines stay crisp, and a circle drawn again in the board colour
    // covers exactly the pixels of the first one, so a wiped stone leaves no blended rim.
    painter.setRenderHint(QPainter::Antialiasing, false);
}

QPen DrawingSurface::onePixelPen(Rgb colour) const {
    QPen pen(toQColor(colour));
    pen.setCosmetic(true);
    pen.setWidthF(m_image.devicePixelRatio());
    return pen;
}

void DrawingSurface::fillRect(double x1, double y1, double x2, double y2, Rgb colour) {
    QPainter painter;
    beginPainting(painter);
    painter.fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), toQColor(colour));
    update();
}

void DrawingSurface::line(double x1, double y1, double x2, double y2, Rgb colour) {
    QPainter painter;
    beginPainting(painter);
    painter.setPen(onePixelPen(colour));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    update();
}

void DrawingSurface::circle(double cx, double cy, double radius, Rgb outline,
                            std::optional<Rgb> fill) {
    QPainter painter;
    beginPainting(painter);
    painter.setPen(onePixelPen(outline));
    painter.setBrush(fill ? QBrush(toQColor(*fill)) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QPointF(cx, cy), radius, radius);
    update();
}

void DrawingSurface::clear(const QColor& colour) {
    m_image.fill(colour);
    update();
}

QColor DrawingSurface::pixelAt(double x, double y) const {
    const double scale = m_image.devicePixelRatio() / twipsPerLogicalPixel;
    const int px = static_cast<int>(std::floor(x * scale));
    const int py = static_cast<int>(std::floor(y * scale));
    if (!m_image.valid(px, py))
        return {};
    return m_image.pixelColor(px, py);
}

QPointF DrawingSurface::toTwips(const QPointF& widgetPosition) const {
    return widgetPosition * twipsPerLogicalPixel;
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
    matchDevicePixelRatio();
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area, m_image,
                      QRectF(QPointF(area.topLeft()) * m_image.devicePixelRatio(),
                             QSizeF(area.size()) * m_image.devicePixelRatio()));
}

void DrawingSurface::mousePressEvent(QMouseEvent* event) {
    m_pressed |= event->button();
    const QPointF p = toTwips(event->position());
    emit mousePressed(p.x(), p.y(), event->button());
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent* event) {
    // The release of a press this surface never had (the second click of a double click that
    // began on the screen before this one) is no click here either.
    if (!(m_pressed & event->button()))
        return;
    m_pressed &= ~Qt::MouseButtons(event->button());
    m_clicked = event->button();
    const QPointF p = toTwips(event->position());
    emit mouseReleased(p.x(), p.y(), event->button());
}

void DrawingSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click whose first click went elsewhere: a double click on the button that
    // opened this screen under the pointer. Taking it would put a stone nobody meant.
    if (!(m_pressed & event->button()) && m_clicked != event->button())
        return;
    const QPointF p = toTwips(event->position());
    // The second press of a quick double click may arrive only as this event; every press
    // counts on a board (each click places a stone), so it is passed on as one unless its
    // own press event came first.
    if (!(m_pressed & event->button()))
        emit mousePressed(p.x(), p.y(), event->button());
    m_pressed |= event->button();
    emit mouseDoubleClicked(p.x(), p.y(), event->button());
}

} // namespace vorleth
