#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

class QApplication;

namespace vorleth {

void systemBeep();

// A caption as the program writes it, for a button, a menu or a menu item: Qt takes a lone "&"
// there as the mark of an access key and hides it, so every "&" is doubled to show as itself.
QString asWritten(QString caption);

bool clipboardHasText();
QString clipboardText();
void setClipboardText(const QString& text);
void clearClipboard();

// The picture in a .bmp or .jpg file scaled to the area (stretched to fill it unless the
// aspect mode says otherwise); a null pixmap when the file cannot be read.
QPixmap loadPictureScaled(const QString& path, QSize area,
                          Qt::AspectRatioMode mode = Qt::IgnoreAspectRatio);

// Gives the system back the memory that has been freed but that the allocator keeps for later
// (glibc keeps what a large scan freed in its heap); elsewhere nothing.
void returnFreedMemory();

// Prefers a Japanese font ("Noto Sans CJK JP") for all widgets; where it is not installed, the
// font the widgets had is used as before.
void applyJapaneseFont(QApplication& app);

} // namespace vorleth
