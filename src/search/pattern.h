#pragma once

#include "board/board.h"
#include "board/symmetry.h"
#include "store/outcome.h"

#include <QString>
#include <QVector>

#include <array>
#include <cstdint>
#include <optional>

namespace vorleth {

// The search works on the 361 points as indices 0..360, row by row from the top left.
inline constexpr int boardPointCount = 361;
inline int pointIndex(Point p) {
    return (p.row - 1) * 19 + (p.column - 1);
}
inline Point pointOfIndex(int index) {
    return {index % 19 + 1, index / 19 + 1};
}

// What a pattern asks of one point. A point the pattern does not care about is Any.
enum class PatternContent : std::uint8_t { Any, Empty, Black, White };

// A region of the board with the content each of its points must have. A whole-board position
// is the pattern without an Any point.
struct SearchPattern {
    std::array<PatternContent, boardPointCount> points{}; // all Any

    PatternContent at(Point p) const { return points[pointIndex(p)]; }
    void set(Point p, PatternContent content) { points[pointIndex(p)] = content; }
    bool isWholeBoard() const;
    int stoneCount() const;
    friend bool operator==(const SearchPattern&, const SearchPattern&) = default;
};

// The whole position shown on a board.
SearchPattern positionPattern(const Board& board);
// The rectangle between two corners (in any order) as it stands on the board, its empty
// points included; every point outside it is Any.
SearchPattern regionPattern(const Board& board, Point corner, Point oppositeCorner);

// The text form of the command line: 19 lines of 19 characters, row 1 first, 'X' black,
// 'O' white, '.' empty, '*' any (blank lines after the last row and CR line ends allowed).
// Anything else fails with the reason.
Result<SearchPattern> parsePattern(const QString& text);
QString patternText(const SearchPattern& pattern);

// The pattern as the game must show it under one symmetry, colours exchanged or not: what
// each game point must hold (0 any, 1 empty, 2 black, 3 white: a board cell's value plus one).
struct PatternVariant {
    BoardSymmetry symmetry = BoardSymmetry::Identity;
    bool swapped = false;
    std::array<std::uint8_t, boardPointCount> expected{};
    // The points that must hold a black or a white stone, as six words of bits.
    std::array<std::uint64_t, 6> blackBits{};
    std::array<std::uint64_t, 6> whiteBits{};
};

// The distinct variants of a pattern under the eight symmetries, and with the colours
// exchanged when swap is set. A symmetric pattern gives fewer: a variant that asks exactly
// what an earlier one asks is left out, so that the earlier (identity first) is reported.
QVector<PatternVariant> patternVariants(const SearchPattern& pattern, bool swap);

} // namespace vorleth
