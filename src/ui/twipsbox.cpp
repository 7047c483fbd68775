#include "ui/twipsbox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace vorleth {

int pixels(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

void placeControl(QWidget* widget, const TwipsBox& box, int minimumHeight) {
    int width = pixels(box.width);
    int height = std::max(pixels(box.height), minimumHeight);
    if (qobject_cast<QPushButton*>(widget))
        width = std::max(width, widget->sizeHint().width());
    if (qobject_cast<QPushButton*>(widget) || qobject_cast<QLineEdit*>(widget))
        height = std::max(height, widget->minimumSizeHint().height());
    widget->setGeometry(pixels(box.left), pixels(box.top), width, height);
}

int linesHeight(const QPlainTextEdit* box, int lines) {
    return lines * (box->fontMetrics().lineSpacing() + 1) + 2 * box->frameWidth() +
           2 * static_cast<int>(std::ceil(box->document()->documentMargin())) + 4;
}

QLineEdit* readOnlyLine(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    // A box that only shows leaves the keyboard to the board beside it.
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QPlainTextEdit* readOnlyText(QWidget* parent, const QString& name) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
}

} // namespace vorleth
