#include "ui/boardscreenframe.h"

#include "ui/drawingsurface.h"
#include "ui/screenarea.h"
#include "ui/twipsbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <algorithm>

namespace vorleth {

namespace {

double largeValue(int value, int small) {
    return value == ControlPlace::scaled ? small * 8.0 / 6.0 : value;
}

// The height of the window's menu bar once it has its menus.
int menuBarHeight(QMainWindow* window) {
    QMenuBar probe;
    probe.setFont(window->font());
    probe.addAction(QStringLiteral("ヘルプ"));
    return probe.sizeHint().height();
}

} // namespace

void placeBesideBoard(QWidget* control, const ControlPlace& p, bool large, int minimumHeight) {
    const double left = large ? largeValue(p.largeLeft, p.left) : p.left;
    const double top = large ? largeValue(p.largeTop, p.top) : p.top;
    placeControl(control, {left, top, double(p.width), double(p.height)}, minimumHeight);
}

DrawingSurface* addBoardSurface(QMainWindow* window, double clientWidth, double clientHeight,
                                bool large) {
    const QSize room = largestClientSize(window, large);
    const double roomWidth = room.width() * twipsPerPixel;
    const double roomHeight = (room.height() - menuBarHeight(window)) * twipsPerPixel;
    auto* surface = new DrawingSurface(std::min(clientWidth, roomWidth),
                                       std::min(clientHeight, roomHeight), window);
    surface->setObjectName(QStringLiteral("board"));
    window->setCentralWidget(surface);
    window->move(0, window->y());
    return surface;
}

BoardStatusBoxes addStatusBoxes(QWidget* surface, const StatusBoxPlaces& places,
                                const QString& moveNumberName, const QString& sideToMoveName,
                                bool large) {
    BoardStatusBoxes boxes;
    boxes.moveNumber = readOnlyLine(surface, moveNumberName);
    placeBesideBoard(boxes.moveNumber, places.moveNumber, large);
    boxes.sideToMove = readOnlyLine(surface, sideToMoveName);
    placeBesideBoard(boxes.sideToMove, places.sideToMove, large);
    boxes.prisoners = readOnlyText(surface, QStringLiteral("ageishi"));
    placeBesideBoard(boxes.prisoners, places.prisoners, large, linesHeight(boxes.prisoners, 3));
    // The boxes have no caption beside them: a screen reader names them by these.
    boxes.moveNumber->setAccessibleName(QStringLiteral("手数"));
    boxes.sideToMove->setAccessibleName(QStringLiteral("手番"));
    boxes.prisoners->setAccessibleName(QStringLiteral("上蛤"));

    auto* columnCaption = new QLabel(QStringLiteral("横"), surface);
    placeBesideBoard(columnCaption, places.columnCaption, large);
    auto* rowCaption = new QLabel(QStringLiteral("縦"), surface);
    placeBesideBoard(rowCaption, places.rowCaption, large);
    boxes.column = readOnlyLine(surface, QStringLiteral("YOKO"));
    placeBesideBoard(boxes.column, places.column, large);
    boxes.column->setAccessibleName(QStringLiteral("横"));
    boxes.row = readOnlyLine(surface, QStringLiteral("TATE"));
    placeBesideBoard(boxes.row, places.row, large);
    boxes.row->setAccessibleName(QStringLiteral("縦"));
    columnCaption->setBuddy(boxes.column);
    rowCaption->setBuddy(boxes.row);
    return boxes;
}

} // namespace vorleth
