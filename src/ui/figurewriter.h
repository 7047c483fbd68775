#pragma once

#include "export/figurelayout.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class QPainter;

namespace vorleth {

// Draws a laid-out figure with the painter, one unit a point, the page's top left at (0, 0).
void paintFigure(QPainter& painter, const FigurePage& page);

// Where the pages of a figure file go: the path itself for a PDF (a page each) or a single page;
// for several pages of SVG or PNG, one numbered file each: 棋譜.svg → 棋譜-1.svg, 棋譜-2.svg.
QStringList figurePaths(const QString& path, int pages);

// Whether the path names a format figures are written in (.pdf, .svg, .png, any letter case).
bool isFigureFormat(const QString& path);

// Writes the pages in the format the path's extension names, each file through a temporary
// one. Returns the reason of a failure, or nothing. PDF and PNG need a QGuiApplication.
std::optional<QString> writeFigures(const QVector<FigurePage>& pages, const QString& path);

} // namespace vorleth
