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

namespace {

// Walks the record once, figure by figure: each figure starts from the position the one before
// it left.
class FigureWalk {
public:
    explicit FigureWalk(const GameRecord& record) : m_moves(record.moves) {
        const int handicap = handicapCount(record.metadata.game.gameName);
        for (int i = 1; i <= handicap; ++i)
            m_board.setCell(handicapPoint(i, handicap), Board::Black);
    }

    // The figure numbering the moves up to lastMove.
    GameFigure next(int lastMove) {
        GameFigure figure;
        // The position the figure starts from, drawn without numbers.
        PointGrid shown{}; // per point: the number shown there, -1 for a starting stone
        Board start = m_board;
        for (int column = 1; column <= 19; ++column)
            for (int row = 1; row <= 19; ++row)
                if (start.cell(column, row) != Board::Empty)
                    shown[column][row] = -1;

        QVector<FigureStone> numbered;
        for (; m_position <= m_moves.length(); ++m_position) {
            const MoveEntry& entry = m_moves.entry(m_position);
            const Point p = Point::fromCode(entry.point);
            if (!p.onBoard() || !entry.changesBoard())
                continue;
            if (entry.isRemoval()) {
                m_board.setCell(p, Board::Empty);
                continue;
            }
            if (!entry.isStone())
                continue;
            if (m_move == lastMove)
                break; // the next figure's first move; its removals stay with it
            play(figure, numbered, shown[p.column][p.row], start, p, stoneColour(entry));
        }
        for (int column = 1; column <= 19; ++column)
            for (int row = 1; row <= 19; ++row)
                if (start.cell(column, row) != Board::Empty)
                    figure.stones.append({{column, row}, start.cell(column, row), 0});
        figure.stones += numbered;
        return figure;
    }

private:
    void play(GameFigure& figure, QVector<FigureStone>& numbered, int& here, Board& start, Point p,
              Board::Cell colour) {
        ++m_move;
        if (figure.firstMove == 0)
            figure.firstMove = m_move;
        figure.lastMove = m_move;
        m_board.setCell(p, colour);
        if (here > 0) {
            figure.notes.append({m_move, here, p});
            return;
        }
        // A starting stone here was captured during the figure: the new stone takes the point
        // and its number, as a printed figure shows it.
        if (here == -1)
            start.setCell(p, Board::Empty);
        here = m_move;
        numbered.append({p, colour, m_move});
    }

    const MoveList& m_moves;
    Board m_board;
    int m_move = 0;
    int m_position = 1;
};

} // namespace

QVector<GameFigure> gameFigures(const GameRecord& record, int movesPerFigure) {
    int totalMoves = 0;
    for (const MoveEntry& entry : record.moves.entries())
        if (entry.isStone() && Point::fromCode(entry.point).onBoard())
            ++totalMoves;
    const int perFigure = movesPerFigure > 0 ? movesPerFigure : qMax(totalMoves, 1);
    const int figureCount = qMax(1, (totalMoves + perFigure - 1) / perFigure);

    QVector<GameFigure> figures;
    FigureWalk walk(record);
    for (int index = 1; index <= figureCount; ++index) {
        GameFigure figure = walk.next(qMin(totalMoves, index * perFigure));
        figure.index = index;
        figure.figures = figureCount;
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
