#pragma once

#include <QString>

#include <optional>

namespace vorleth {

// The result with its margin: the first character of r (白 or 黒) and the number text begins
// with, read as a single-precision number. "白勝" with "6.5" gives 白6目半勝, with "0.5"
// 白半目勝, with "3" 白3目勝. A text without a number (an empty margin box) leaves r as it is:
// a win whose margin nobody gave is 白勝, not a win by 0 points.
QString composeResult(const QString& r, const QString& text);

// The margin and komi boxes take numbers in whole or half points, typed with half-width or
// full-width characters. They return the number as it is kept (half-width, blanks dropped), or
// nothing for any other text. A margin is never negative and may be empty (no margin given);
// a komi may be negative (reverse komi) and is never empty.
std::optional<QString> marginNumber(const QString& text);
std::optional<QString> komiNumber(const QString& text);

} // namespace vorleth
