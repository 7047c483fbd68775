#pragma once

// What the three board screens (recording, replay, counting) share around their board: the
// drawing surface that fills the window, the controls placed beside the board in twips for
// either layout, and the status boxes.

#include "ui/surfaceboardview.h"

#include <QString>

class QMainWindow;
class QWidget;

namespace vorleth {

class DrawingSurface;

// A control's box in twips: left, top, width, height in the 640 layout, and its left and top in
// the 800 layout; scaled stands for the 640 value times 8/6.
struct ControlPlace {
    static constexpr int scaled = -1;
    int left = 0, top = 0, width = 0, height = 0;
    int largeLeft = scaled;
    int largeTop = scaled;
};

// Puts a control beside the board at its place in the layout of the screen size.
void placeBesideBoard(QWidget* control, const ControlPlace& place, bool large,
                      int minimumHeight = 0);

// The drawing surface of a board screen as the window's central widget, named "board", with
// the window's left edge at the screen's left edge. It is as large as the layout's client area
// (twips) or as the chosen screen size leaves room for under a title bar and the menu bar,
// whichever is less: the board keeps its geometry, and a screen of 600 pixels loses only some
// of the margin under the last row.
DrawingSurface* addBoardSurface(QMainWindow* window, double clientWidth, double clientHeight,
                                bool large);

// The status boxes beside a board: the move number, the side to move, the prisoners, and the
// column (横) and row (縦) of the last point with their captions above them.
struct StatusBoxPlaces {
    ControlPlace moveNumber, sideToMove, prisoners, columnCaption, rowCaption, column, row;
};
BoardStatusBoxes addStatusBoxes(QWidget* surface, const StatusBoxPlaces& places,
                                const QString& moveNumberName, const QString& sideToMoveName,
                                bool large);

} // namespace vorleth
