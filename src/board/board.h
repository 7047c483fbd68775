#pragma once

#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

namespace vorleth {

// A point's code is column * 100 + row (column 16, row 4 gives 1604).
using PointCode = std::int16_t;

// The pause marker sits off the board, at column 20, row 20.
inline constexpr PointCode pauseMarkerCode = 2020;

struct Point {
    int column = 0; // 1..19, from the left edge
    int row = 0;    // 1..19, from the top edge

    PointCode code() const { return static_cast<PointCode>(column * 100 + row); }
    static Point fromCode(int code) {
        const int column = code / 100;
        return {column, code - 100 * column};
    }
    bool onBoard() const { return column >= 1 && column <= 19 && row >= 1 && row <= 19; }
    friend bool operator==(const Point&, const Point&) = default;
};

// A stone's colour. None is an empty point, or no stone played yet.
enum class Colour : std::uint8_t { None, Black, White };

inline constexpr Colour opponent(Colour c) {
    return c == Colour::Black ? Colour::White : Colour::Black;
}

// Colours as move kinds and file contents spell them.
inline const QString black = QStringLiteral("1");
inline const QString white = QStringLiteral("2");
inline QString opponentOf(const QString& colour) {
    return colour == black ? white : black;
}
// "1" for black, "2" for white, empty for None.
QString colourText(Colour c);
// The colour a text begins with ("1..." black, "2..." white), else None.
Colour colourOfText(const QString& text);

// Neighbour offsets 1..8: left, up, right, down, then the four diagonals.
struct DirectionTable {
    struct Offset {
        int dColumn;
        int dRow;
    };
    static constexpr std::array<Offset, 9> offsets{{
        {0, 0}, // index 0 is not used
        {-1, 0},
        {0, -1},
        {1, 0},
        {0, 1},
        {-1, 1},
        {1, -1},
        {1, 1},
        {-1, -1},
    }};
    static constexpr Offset offset(int direction) { return offsets[direction]; }
};

// The position: cells indexed [column][row], 1..19 used. A cell is empty, black or white.
class Board {
public:
    using Cell = Colour;
    static constexpr Cell Empty = Colour::None;
    static constexpr Cell Black = Colour::Black;
    static constexpr Cell White = Colour::White;

    Cell cell(int column, int row) const { return m_cells[column][row]; }
    Cell cell(Point p) const { return m_cells[p.column][p.row]; }
    void setCell(Point p, Cell c) { m_cells[p.column][p.row] = c; }
    void setCell(Point p, const QString& colour) { setCell(p, cellFor(colour)); }
    QString cellText(Point p) const;

    void clearCells();

    // Exactly "1" or "2"; any other text is an empty cell.
    static Cell cellFor(const QString& colour);

private:
    std::array<std::array<Cell, 20>, 20> m_cells{};
};

struct MoveEntry {
    PointCode point = 0;
    QString kind; // "1", "2", "+", "9", or any other marker text read from a file

    // An entry changes the board exactly when its kind's first character sorts below "5".
    bool changesBoard() const { return !kind.isEmpty() && kind.at(0) < QLatin1Char('5'); }
    bool isStone() const { return kind.startsWith(black) || kind.startsWith(white); }
    bool isRemoval() const { return kind.startsWith(QLatin1Char('+')); }
    friend bool operator==(const MoveEntry&, const MoveEntry&) = default;
};

// Entries at positions 1..length(); position 0 is not used.
class MoveList {
public:
    static constexpr int capacity = 1000;
    // A record file's three-digit entry count carries no more than this, so nothing
    // longer is ever recorded.
    static constexpr int recordableEntries = 999;

    int length() const { return static_cast<int>(m_entries.size()); }
    const MoveEntry& entry(int position) const { return m_entries[position - 1]; }
    MoveEntry& entry(int position) { return m_entries[position - 1]; }
    void append(MoveEntry e) { m_entries.append(std::move(e)); }
    void truncate(int length) {
        if (length < this->length())
            m_entries.resize(length < 0 ? 0 : length);
    }
    void clear() { m_entries.clear(); }
    const QVector<MoveEntry>& entries() const { return m_entries; }
    // The moves played among the first n entries: stones, not removals or pause markers. This
    // is the number of moves every screen shows.
    int stonesIn(int n) const {
        const int end = std::clamp(n, 0, length());
        return static_cast<int>(std::count_if(m_entries.begin(), m_entries.begin() + end,
                                              [](const MoveEntry& e) { return e.isStone(); }));
    }
    int stones() const { return stonesIn(length()); }
    friend bool operator==(const MoveList&, const MoveList&) = default;

private:
    QVector<MoveEntry> m_entries;
};

struct PlayState {
    QString lastMover;          // colour of the most recently placed stone; empty after a reset
    int nextMoveNumber = 1;     // 手目 of the move to be played next
    QString lastRecordedColour; // removed stones are credited to this colour
    int prisonersWhite = 0;     // stones captured by white
    int prisonersBlack = 0;     // stones captured by black
    int appliedCount = 0;       // entries applied to the board that is shown
    int pendingHandicap = 0;    // 0, or 2..9 stones waiting to be placed
    int placementMode = 0;      // 0 alternate, 1 always black, 2 always white

    // What the main menu clears: the side to move, the problem-setting mode and a handicap
    // not placed yet. The counters follow the move list, which stays.
    void reset() {
        lastMover.clear();
        pendingHandicap = 0;
        placementMode = 0;
    }
};

// Text form of a position used by tests and the command-line tool:
// 19 lines of 19 characters, row 1 first; '.' empty, 'X' black, 'O' white.
QString boardDiagram(const Board& board);
// The position such a text shows: 'X' black, 'O' white, any other character empty. Lines and
// columns beyond the 19th are ignored; rows and columns not given stay empty, so a corner can
// be written in a few short lines.
Board parseBoardDiagram(const QString& text);

} // namespace vorleth
