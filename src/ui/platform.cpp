#include "ui/platform.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QImageReader>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace vorleth {

QString asWritten(QString caption) {
    return caption.replace(u'&', QStringLiteral("&&"));
}

void returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

void systemBeep() {
    QApplication::beep();
}

bool clipboardHasText() {
    return !QGuiApplication::clipboard()->text().isEmpty();
}

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

void setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void clearClipboard() {
    QGuiApplication::clipboard()->clear();
}

QPixmap loadPictureScaled(const QString& path, QSize area, Qt::AspectRatioMode mode) {
    if (area.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize original = reader.size();
    // Decoding straight to the target size spares memory with large photographs; a picture
    // stored on its side is turned only after decoding, so it is scaled afterwards instead.
    if (original.isValid() && !(reader.transformation() & QImageIOHandler::TransformationRotate90))
        reader.setScaledSize(original.scaled(area, mode));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    const QSize target = image.size().scaled(area, mode);
    if (image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QPixmap::fromImage(image);
}

void applyJapaneseFont(QApplication& app) {
    // Not looked up first: listing the installed families reads every font's description
    // before the first window, and a family that is missing is passed over anyway.
    const QString preferred = QStringLiteral("Noto Sans CJK JP");
    QFont font = app.font();
    font.setFamilies({preferred, font.family()});
    app.setFont(font);
}

} // namespace vorleth
