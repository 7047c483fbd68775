#pragma once

// Laying out a screen's controls at boxes given in twips (1/1440 inch, 15 to the pixel at 96
// dots per inch), as the screens' layouts are given.

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace vorleth {

inline constexpr double twipsPerPixel = 15.0;

int pixels(double twips);

// A control's box: left, top, width, height in twips.
struct TwipsBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Puts a control at its box. Text boxes and buttons keep at least the height their font needs,
// and a button the width of its caption; minimumHeight (pixels) can ask for more.
void placeControl(QWidget* widget, const TwipsBox& box, int minimumHeight = 0);

// Room for that many lines of text in a multi-line box, with a little to spare.
int linesHeight(const QPlainTextEdit* box, int lines);

// The read-only status boxes of the board screens.
QLineEdit* readOnlyLine(QWidget* parent, const QString& name);
QPlainTextEdit* readOnlyText(QWidget* parent, const QString& name);

} // namespace vorleth
