#pragma once

#include "board/board.h"

#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

namespace vorleth {

// What a point is worth at the end of the game.
enum class CountMark : std::uint8_t {
    None,           // ""   unassigned: a neutral point, or not decided
    BlackStone,     // "1"  live black stone
    WhiteStone,     // "2"  live white stone
    BlackTerritory, // "B"  1 for Black
    WhiteTerritory, // "W"  1 for White
    DeadWhite,      // "WB" dead white stone in Black's area (黒の上蛤): 2 for Black
    DeadBlack,      // "BW" dead black stone in White's area (白の上蛤): 2 for White
    Seki,           // "S"  seki point (堰), only ever set by a correction: nothing
};

// The mark as the count's texts spell it: "", "1", "2", "B", "W", "WB", "BW", "S".
QString markText(CountMark mark);

// 21 x 21 marks, [column][row]; columns and rows 1..19 are the board, 0 and 20 the ring
// around it, which the searches use as a wall and which is never counted or drawn.
class CountGrid {
public:
    CountMark at(int column, int row) const { return m_marks[column][row]; }
    CountMark at(Point p) const { return m_marks[p.column][p.row]; }
    void set(int column, int row, CountMark mark) { m_marks[column][row] = mark; }
    void set(Point p, CountMark mark) { m_marks[p.column][p.row] = mark; }
    void clear();
    friend bool operator==(const CountGrid&, const CountGrid&) = default;

private:
    std::array<std::array<CountMark, 21>, 21> m_marks{};
};

struct CountCounters {
    int blackTerritoryCount = 0; // "B" cells
    int whiteTerritoryCount = 0; // "W" cells
    int blackDeadDouble = 0;     // 2 x "BW" cells, credited to White
    int whiteDeadDouble = 0;     // 2 x "WB" cells, credited to Black
    friend bool operator==(const CountCounters&, const CountCounters&) = default;
};

// The counters as the board's marks give them.
CountCounters countersOf(const CountGrid& grid);

struct MarkAt {
    Point point;
    CountMark mark;
    friend bool operator==(const MarkAt&, const MarkAt&) = default;
};

// Every marked board point, column by column and top to bottom within a column: the order in
// which the counting screen draws the count.
QVector<MarkAt> marksToDraw(const CountGrid& grid);

// How one mark is drawn at a point's centre, r being the stone radius.
struct MarkDrawing {
    enum class Colour { None, Black, White, Grey }; // grey is RGB 153, 153, 153
    Colour disc = Colour::None;                     // a disc of radius r with a black outline
    Colour square = Colour::None;                   // a filled square centred on the point
    double squareSide = 0;                          // in units of r
    bool greySquareOutline = false;                 // territory squares are outlined in grey
};
MarkDrawing markDrawing(CountMark mark);

// 19 lines of 19 characters, row 1 first: '.' unassigned, 'X' and 'O' live stones, 'b' and
// 'w' territory, 'x' and 'o' dead black and white stones, 's' seki.
QString countDiagram(const CountGrid& grid);
// The grid such a diagram shows; other characters and whatever lies past the text are
// unassigned, the ring is empty.
CountGrid parseCountDiagram(const QString& diagram);

} // namespace vorleth
