#pragma once

#include "board/canvas.h"

#include <QColor>
#include <QImage>
#include <QWidget>

class QPainter;
class QPen;

namespace vorleth {

// A drawing area that keeps what was drawn on it: every primitive goes into a backing image,
// and painting the widget only copies that image. Coordinates are twips; the widget measures
// logicalWidth / 15 x logicalHeight / 15 device-independent pixels and its image carries the
// screen's device pixel ratio, so drawings stay sharp on high-density screens.
class DrawingSurface : public QWidget, public Canvas {
    Q_OBJECT
public:
    DrawingSurface(double logicalWidth, double logicalHeight, QWidget* parent = nullptr);

    void fillRect(double x1, double y1, double x2, double y2, Rgb colour) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void circle(double cx, double cy, double radius, Rgb outline, std::optional<Rgb> fill) override;

    // Fills the whole area with one colour (the initial content is the window colour).
    void clear(const QColor& colour);

    double logicalWidth() const { return m_logicalWidth; }
    double logicalHeight() const { return m_logicalHeight; }

    QImage image() const { return m_image; }  // the backing image (tests, screenshots)
    QColor pixelAt(double x, double y) const; // colour at a twip position; invalid outside
    double twipsPerPixel() const;             // 15 at 96 dpi
    QPointF toTwips(const QPointF& widgetPosition) const;

signals:
    // Every press of a button, the second press of a double click included.
    void mousePressed(double x, double y, Qt::MouseButton button); // twips
    void mouseReleased(double x, double y, Qt::MouseButton button);
    void mouseDoubleClicked(double x, double y, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void beginPainting(QPainter& painter);
    QPen onePixelPen(Rgb colour) const;
    void matchDevicePixelRatio();

    double m_logicalWidth;
    double m_logicalHeight;
    QImage m_image;
    Qt::MouseButtons m_pressed;               // pressed here and not yet released
    Qt::MouseButton m_clicked = Qt::NoButton; // the button of the last click completed here
};

} // namespace vorleth
