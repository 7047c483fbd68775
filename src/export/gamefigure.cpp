#include "export/gamefigure.h"

#include "board/playrules.h"

#include <array>

namespace vorleth {

namespace {

using PointGrid = std::array<std::array<int, 20>, 20>;

Board::Cell stoneColour(const MoveEntry& entry) {
    return entry.kind.startsWith(white) ? Board::White : Board::Black;
}

} // namespace

QString FigureNote::text() const {
    return QStringLiteral("%1＝%2").arg(move).arg(earlierMove);
}

QVector<GameFigure> gameFigures(const GameRecord& record, int movesPerFigure) {
    Board board;
    const int handicap = handicapCount(record.metadata.game.gameName);
    for (int i = 1; i <= handicap; ++i)
        board.setCell(handicapPoint(i, handicap), Board::Black);

    int totalMoves = 0;
    for (const MoveEntry& entry : record.moves.entries())
        if (entry.isStone() && Point::fromCode(entry.point).onBoard())
            ++totalMoves;
    const int perFigure = movesPerFigure > 0 ? movesPerFigure : qMax(totalMoves, 1);
    const int figureCount = qMax(1, (totalMoves + perFigure - 1) / perFigure);

    QVector<GameFigure> figures;
    int move = 0;
    int position = 1;
    const int length = record.moves.length();
    for (int index = 1; index <= figureCount; ++index) {
        GameFigure figure;
        figure.index = index;
        figure.figures = figureCount;
        // The position the figure starts from, drawn without numbers.
        PointGrid shown{}; // per point: the number shown there, -1 for a starting stone
        Board start = board;
        for (int column = 1; column <= 19; ++column)
            for (int row = 1; row <= 19; ++row)
                if (start.cell(column, row) != Board::Empty)
                    shown[column][row] = -1;

        const int last = qMin(totalMoves, index * perFigure);
        QVector<FigureStone> numbered;
        for (; position <= length; ++position) {
            const MoveEntry& entry = record.moves.entry(position);
            const Point p = Point::fromCode(entry.point);
            if (!p.onBoard() || !entry.changesBoard())
                continue;
            if (entry.isRemoval()) {
                board.setCell(p, Board::Empty);
                continue;
            }
            if (!entry.isStone())
                continue;
            if (move == last)
                break; // the next figure's first move; its removals stay with it
            ++move;
            if (figure.firstMove == 0)
                figure.firstMove = move;
            figure.lastMove = move;
            const Board::Cell colour = stoneColour(entry);
            board.setCell(p, colour);
            int& here = shown[p.column][p.row];
            if (here > 0) {
                figure.notes.append({move, here, p});
            } else {
                // A starting stone here was captured during the figure: the new stone takes
                // the point and its number, as a printed figure shows it.
                if (here == -1)
                    start.setCell(p, Board::Empty);
                here = move;
                numbered.append({p, colour, move});
            }
        }
        for (int column = 1; column <= 19; ++column)
            for (int row = 1; row <= 19; ++row)
                if (start.cell(column, row) != Board::Empty)
                    figure.stones.append({{column, row}, start.cell(column, row), 0});
        figure.stones += numbered;
        figures.append(figure);
    }
    return figures;
}

QStringList figureHeading(const RecordMetadata& metadata, const GameFigure& figure) {
    const GameInfo& game = metadata.game;
    QStringList lines;
    if (!game.gameName.isEmpty())
        lines << game.gameName;
    lines << QStringLiteral("白　%1　　黒　%2").arg(game.whitePlayer, game.blackPlayer);
    QStringList facts;
    if (!game.result.isEmpty())
        facts << game.result;
    if (!game.komi.isEmpty())
        facts << QStringLiteral("コミ%1").arg(game.komi);
    const QString& date = metadata.recordDate;
    if (date.size() == 8)
        facts << QStringLiteral("%1/%2/%3").arg(date.left(4), date.mid(4, 2), date.mid(6, 2));
    if (!facts.isEmpty())
        lines << facts.join(QStringLiteral("　"));
    if (figure.figures > 1) {
        const QString range =
            figure.firstMove > 0
                ? QStringLiteral("（%1〜%2）").arg(figure.firstMove).arg(figure.lastMove)
                : QString();
        lines << QStringLiteral("第%1譜%2").arg(figure.index).arg(range);
    }
    return lines;
}

} // namespace vorleth
