#pragma once

#include "store/recordtypes.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace vorleth {

// A printed figure of a game, as books print a complete game diagram (総譜): each point shows
// the first move of the figure played there, with its number; a later play on a point already
// used in the figure is not drawn but listed as a note "N＝M" (move N at the point of move M).
// Stones on the board when the figure starts (handicap stones, the moves of earlier figures)
// are drawn without numbers; the first play of the figure on a point whose starting stone was
// captured takes the point with its number.

struct FigureStone {
    Point point;
    Board::Cell colour = Board::Black;
    int number = 0; // 0: on the board when the figure starts
    friend bool operator==(const FigureStone&, const FigureStone&) = default;
};

struct FigureNote {
    int move = 0;
    int earlierMove = 0; // the numbered move of the figure whose point it reuses

    Point point;
    friend bool operator==(const FigureNote&, const FigureNote&) = default;

    QString text() const; // "57＝23"
};

struct GameFigure {
    int index = 1;     // 1-based among the game's figures
    int figures = 1;   // how many figures the game has
    int firstMove = 0; // the moves numbered in this figure: firstMove..lastMove (0 when none)
    int lastMove = 0;
    QVector<FigureStone> stones; // one per point at most
    QVector<FigureNote> notes;   // in move order
};

// The game's figures: all moves in one figure when movesPerFigure is 0, else movesPerFigure
// moves to each figure (the last may hold fewer). Moves are the stones played, counted from 1;
// captures follow the record's removal entries; pause markers and other marker entries are
// skipped. Handicap stones of a game name announcing a handicap stand on the board from the
// start.
QVector<GameFigure> gameFigures(const GameRecord& record, int movesPerFigure = 0);

// The heading lines printed above a figure: the game name; white and black; the result with
// the komi and the record date; and, for a game of several figures, "第2譜（51〜100）".
QStringList figureHeading(const RecordMetadata& metadata, const GameFigure& figure);

} // namespace vorleth
