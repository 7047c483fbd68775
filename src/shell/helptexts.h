#pragma once

#include <QList>
#include <QStringList>

namespace vorleth {

// Help screen codes the screens set before they open the help screen.
namespace helpcode {
constexpr int setup = 0;           // MAPINIT
constexpr int mainMenu = 1;        // mapstart
constexpr int recordList = 4;      // maptaikyokulist
constexpr int replay = 5;          // mapkifusaigen
constexpr int tableEntry = 8;      // mapsofuenter
constexpr int gameInfo = 9;        // maptaikyokujyoho
constexpr int boardRecording = 10; // mapgoban
constexpr int endOfGame = 11;      // mapshukyoku
constexpr int counting = 20;       // mapkeisanA
} // namespace helpcode

// The usage guide of one screen, line by line in the order shown; leading blanks are part of
// the lines. A code without a text gives an empty list.
QStringList helpLines(int helpScreenCode);

// Every code that has a text.
QList<int> helpCodesWithText();

} // namespace vorleth
