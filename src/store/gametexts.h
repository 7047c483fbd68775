#pragma once

#include "store/recordtypes.h"

#include <QString>

namespace vorleth {

// The board screens (recording, replay, counting) name the game the same way in their title
// bar: 対局名：name　白番：white 黒番：black.
QString gameWindowTitle(const GameInfo& game);

// The game information box beside a board, lines joined by CR LF. All three start with the game
// name, 白： and 黒：; what follows is the screen's own.
enum class GameInformationLayout {
    Recording, // 勝負：result, 手数:moves, コミ:komi
    Counting,  // 勝負：result, 手数:moves
    Replay,    // 手数  stones, the result alone
};
QString gameInformationText(const GameInfo& game, int moveCount, GameInformationLayout layout);

} // namespace vorleth
