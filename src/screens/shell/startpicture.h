#pragma once

#include <QImage>
#include <QSize>

namespace vorleth {

// The start picture: a stylised board seen from above with a few stones and, unless a screen
// sets its own title text over it, the program's name; drawn at any size.
QImage drawStartPicture(QSize size, bool withTitle = true);

// The program's icon: a corner of a board with a black and a white stone.
QImage drawProgramIcon(int size);

} // namespace vorleth
