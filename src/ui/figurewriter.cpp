#include "ui/figurewriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace vorleth {

namespace {

// PNG pages at twice the point size: 144 dots an inch, sharp enough to print from.
constexpr double pngScale = 2.0;

// A font of the given size in the page's units, whatever the device's resolution: the painter's
// transformation then scales it with everything else.
QFont figureFont(double size, const QPaintDevice* device) {
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(size * 72.0 / device->logicalDpiY());
    return font;
}

void drawText(QPainter& painter, const FigureText& text) {
    const QFont font = figureFont(text.size, painter.device());
    painter.setFont(font);
    painter.setPen(text.whiteInk ? Qt::white : Qt::black);
    const QFontMetricsF metrics(font, painter.device());
    const double width = metrics.horizontalAdvance(text.text);
    const double squeeze = text.fitWidth > 0 && width > text.fitWidth ? text.fitWidth / width : 1.0;
    const double shown = width * squeeze;
    const double left = text.centred ? text.at.x() - shown / 2 : text.at.x();
    // The middle line of the text at the given height.
    const double baseline = text.at.y() + (metrics.ascent() - metrics.descent()) / 2;
    painter.save();
    painter.translate(left, baseline);
    painter.scale(squeeze, 1.0);
    painter.drawText(QPointF(0, 0), text.text);
    painter.restore();
}

std::optional<QString> saveBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

QByteArray pngBytes(const FigurePage& page) {
    QImage image(qCeil(page.width * pngScale), qCeil(page.height * pngScale), QImage::Format_RGB32);
    image.fill(Qt::white);
    // The image's own resolution makes a point a point at any scale.
    image.setDotsPerMeterX(qRound(72 * pngScale / 0.0254));
    image.setDotsPerMeterY(qRound(72 * pngScale / 0.0254));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(pngScale, pngScale);
    paintFigure(painter, page);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pdfBytes(const QVector<FigurePage>& pages) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(72);
    pdf.setCreator(QStringLiteral("Vorleth"));
    QPainter painter;
    for (int i = 0; i < pages.size(); ++i) {
        const FigurePage& page = pages.at(i);
        pdf.setPageSize(QPageSize(QSizeF(page.width, page.height), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        if (i == 0)
            painter.begin(&pdf);
        else
            pdf.newPage();
        painter.setRenderHint(QPainter::Antialiasing);
        paintFigure(painter, page);
    }
    painter.end();
    return bytes;
}

} // namespace

void paintFigure(QPainter& painter, const FigurePage& page) {
    painter.save();
    painter.fillRect(QRectF(0, 0, page.width, page.height), Qt::white);
    for (const FigureLine& line : page.lines) {
        painter.setPen(QPen(Qt::black, line.width));
        painter.drawLine(line.from, line.to);
    }
    for (const FigureDisc& disc : page.discs) {
        painter.setPen(disc.black ? QPen(Qt::NoPen) : QPen(Qt::black, 0.8));
        painter.setBrush(disc.black ? Qt::black : Qt::white);
        painter.drawEllipse(disc.centre, disc.radius, disc.radius);
    }
    for (const FigureText& text : page.texts)
        drawText(painter, text);
    painter.restore();
}

QStringList figurePaths(const QString& path, int pages) {
    const QFileInfo info(path);
    if (pages <= 1 || info.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        return {path};
    const QString stem = info.path() + u'/' + info.completeBaseName();
    QStringList paths;
    for (int i = 1; i <= pages; ++i)
        paths << QStringLiteral("%1-%2.%3").arg(stem).arg(i).arg(info.suffix());
    return paths;
}

bool isFigureFormat(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("pdf") || suffix == QLatin1String("svg") ||
           suffix == QLatin1String("png");
}

std::optional<QString> writeFigures(const QVector<FigurePage>& pages, const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (!isFigureFormat(path))
        return QStringLiteral("unknown format: %1").arg(path);
    if (suffix == QLatin1String("pdf"))
        return saveBytes(path, pdfBytes(pages));
    const QStringList paths = figurePaths(path, int(pages.size()));
    for (int i = 0; i < pages.size(); ++i) {
        const QByteArray bytes =
            suffix == QLatin1String("svg") ? figureSvg(pages.at(i)) : pngBytes(pages.at(i));
        if (auto reason = saveBytes(paths.at(i), bytes))
            return reason;
    }
    return std::nullopt;
}

} // namespace vorleth
