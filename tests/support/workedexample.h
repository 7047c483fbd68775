#pragma once

// The game of the worked examples of the record and working files: 練習碁, 甲 (white) against
// 乙 (black), 白中押勝, komi 6.5, three moves.

#include "board/board.h"
#include "store/recordtypes.h"

#include <array>

namespace vorleth::test {

inline const GameInfo workedExampleGame{QStringLiteral("練習碁"), QStringLiteral("甲"),
                                        QStringLiteral("乙"), QStringLiteral("白中押勝"),
                                        QStringLiteral("6.5")};
// Black, white, black.
inline constexpr std::array<PointCode, 3> workedExampleMoves{1604, 1717, 404};

} // namespace vorleth::test
