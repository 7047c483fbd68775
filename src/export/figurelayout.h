#pragma once

#include "export/gamefigure.h"

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

namespace vorleth {

// A figure laid out on a page, in points (1/72 inch): what every output draws, so that the SVG,
// the PDF, the PNG and the printer show the same page. Row 1 is at the top, column 1 at the left.

struct FigureLine {
    QPointF from;
    QPointF to;
    double width = 0.5;
};

struct FigureDisc {
    QPointF centre;
    double radius = 0;
    bool black = true; // else white with a black outline
};

struct FigureText {
    enum class Role { Heading, Coordinate, Move, Note };
    Role role = Role::Heading;
    QString text;
    QPointF at;      // the centre of the text's middle line, or its left end (Heading, Note)
    double size = 0; // font size
    bool centred = true;
    bool whiteInk = false;
    // A width the text must not exceed (a number on a stone): drawn narrower when the font is
    // wider. 0 for none.
    double fitWidth = 0;
    int move = 0;    // Move and Note: the move number
    Point point;     // Move: the point
    int earlier = 0; // Note: the move whose point it reuses
};

struct FigurePage {
    double width = 0;
    double height = 0;
    QVector<FigureLine> lines;
    QVector<FigureDisc> discs; // star points, then stones
    QVector<FigureText> texts;
};

// The page of one figure with its heading lines above the board and its notes below it.
FigurePage layoutFigure(const GameFigure& figure, const QStringList& heading);

// The page as a standalone SVG document (UTF-8). Every number and note is a text element of its
// own carrying its move (data-move, data-point "column,row", data-earlier), so that a program
// can read the figure back.
QByteArray figureSvg(const FigurePage& page);

} // namespace vorleth
