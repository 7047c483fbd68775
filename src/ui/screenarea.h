#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace vorleth {

// The program is laid out for a screen of 800 x 600 or 640 x 480 pixels: every window, with its
// title bar and frame, has to fit in that much, whatever the desktop's real size.
QSize chosenScreenSize(bool large);

// What the window manager puts around a window. Taken from the window where the platform tells
// (a shown window whose frame is larger than it); otherwise, as before the first show or where no
// window manager draws one, an allowance as large as common desktops use: a title bar of
// titleBarAllowance pixels and borders of frameAllowance.
inline constexpr int titleBarAllowance = 32;
inline constexpr int frameAllowance = 4;
QMargins decorationOf(const QWidget* window);

// The chosen screen size at the top left of the part of the window's screen that windows may
// use, no larger than that part.
QRect chosenScreenArea(const QWidget* window, bool large);

// The largest client size (window without title bar and frame) that fits in the chosen size.
QSize largestClientSize(const QWidget* window, bool large);

// The window with its title bar and frame: its position is the frame's, as move() takes it.
QRect outerRect(const QWidget* window);

// Makes the window no larger than the area allows (as far as its minimum size lets it) and moves
// it, frame included, inside the area.
void fitIntoArea(QWidget* window, const QRect& area);

// Where a window opening beside a working screen goes: right or left of it when there is room
// in the area, else over the working screen's left part, narrowed so that it leaves the working
// screen's controls (buttons, boxes, lists) uncovered, and only when nothing else fits, at the
// area's right edge over the screen. Resizes the window where needed.
void placeBeside(QWidget* window, const QWidget* working, const QRect& area);

} // namespace vorleth
