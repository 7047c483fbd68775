#pragma once

#include <QString>

namespace vorleth {

// The result with its margin: the first character of r (白 or 黒) and the number text begins
// with, read as a single-precision number (0 when there is none). "白勝" with "6.5" gives
// 白6目半勝, with "0.5" 白半目勝, with "3" 白3目勝.
QString composeResult(const QString& r, const QString& text);

} // namespace vorleth
