#include "board/board.h"

#include <QStringList>

namespace vorleth {

QString colourText(Colour c) {
    switch (c) {
    case Colour::Black:
        return black;
    case Colour::White:
        return white;
    case Colour::None:
        break;
    }
    return QString();
}

Colour colourOfText(const QString& text) {
    if (text.startsWith(black))
        return Colour::Black;
    if (text.startsWith(white))
        return Colour::White;
    return Colour::None;
}

QString Board::cellText(Point p) const {
    return colourText(cell(p));
}

Board::Cell Board::cellFor(const QString& colour) {
    if (colour == black)
        return Black;
    if (colour == white)
        return White;
    return Empty;
}

void Board::clearCells() {
    for (auto& column : m_cells)
        column.fill(Empty);
}

QString boardDiagram(const Board& board) {
    QString text;
    text.reserve(20 * 19);
    for (int row = 1; row <= 19; ++row) {
        for (int column = 1; column <= 19; ++column) {
            switch (board.cell(column, row)) {
            case Board::Black:
                text.append(u'X');
                break;
            case Board::White:
                text.append(u'O');
                break;
            default:
                text.append(u'.');
                break;
            }
        }
        text.append(u'\n');
    }
    return text;
}

Board parseBoardDiagram(const QString& text) {
    Board board;
    const QStringList lines = text.split(u'\n');
    for (int row = 1; row <= 19 && row <= lines.size(); ++row) {
        const QString& line = lines.at(row - 1);
        for (int column = 1; column <= 19 && column <= line.size(); ++column) {
            const QChar c = line.at(column - 1);
            if (c == u'X')
                board.setCell({column, row}, Board::Black);
            else if (c == u'O')
                board.setCell({column, row}, Board::White);
        }
    }
    return board;
}

} // namespace vorleth
