#pragma once

#include <QFont>
#include <QLabel>

namespace vorleth {

// The large bold title a screen without a board shows over its controls.
inline QLabel* newHeading(const QString& text, QWidget* parent,
                          const QString& name = QStringLiteral("TitleLabel")) {
    auto* heading = new QLabel(text, parent);
    heading->setObjectName(name);
    QFont font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    heading->setFont(font);
    return heading;
}

} // namespace vorleth
