#pragma once

#include "board/board.h"
#include "board/symmetry.h"
#include "import/sgf.h"
#include "store/cataloguetypes.h"
#include "store/recordtypes.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

namespace vorleth {

// One game of an SGF file, played through with the play rules and ready to be saved as a
// record.
struct ImportedGame {
    GameInfo game;
    int moveCount = 0; // stones played
    MoveList moves;
    // How the whole game was turned so that its handicap stones stand on the program's points.
    BoardSymmetry turned = BoardSymmetry::Identity;
    // A problem's set-up stones: the first entries, followed by the pause marker.
    int setUpStones = 0;
    QStringList warnings; // what was read differently from the file, one line each
};

// Every game tree of a file. A file is taken whole or not at all: one unusable game rejects
// the file (the import fails with its reason). The warnings are those of the file and of every
// game, a game's prefixed with its number when the file holds several.
struct SgfImport {
    QVector<ImportedGame> games;
    QStringList warnings;
};

// The records saveImportedGames wrote, with ".IGO".
struct SavedRecords {
    QStringList fileNames;
};

// The program's words for a standard SGF result (RE): B+R → 黒中押勝, W+6.5 → 白6目半勝,
// B+ → 黒勝, 0 / Draw → 持碁, Void → 打掛, also with a remark in brackets after them
// ("W+R (130 moves)") or a full stop; the forms older collections and other programs write,
// W+J / W+Jigo → 持碁 and "White wins by resignation" / "Black wins by 3.5 points". Anything
// else, such as B+T, a margin that is not in half points or a result in other words, is kept
// as written.
QString resultFromSgf(const QString& re);

// The game name a record gets for an SGF game: GN, else EV, else fallbackName (the file's
// base name), with the handicap prefix (２子 … ９子) when handicap is 2..9. Full-width
// brackets become half-width ones, since "）" ends a field of the record's file name.
QString importedGameName(const SgfGame& game, const QString& fallbackName, int handicap);

// Turns one read game into a record, playing its main line with the play rules. Handicap
// stones on another layout of the board, such as the usual two stones on the other diagonal,
// turn the whole game (stones and moves) by the symmetry that puts them on the program's
// points. Set-up stones of a problem (a game named 詰め碁… or 定石…, or any set-up with white
// stones) become the record's first entries, black then white, ended by the pause marker, as
// the board's problem mode records them; a name that does not say problem gets 詰め碁 in front.
// Fails for a board other than 19 x 19, a main line without a stone, black set-up
// stones that are neither a problem nor a handicap some symmetry puts on the program's points,
// set-up after the first move, a move on an occupied point, or more entries than a record
// holds.
Result<ImportedGame> importSgfGame(const SgfGame& game, const QString& fallbackName);

// Reads and converts every game tree of an SGF file's bytes.
Result<SgfImport> importSgfData(const QByteArray& bytes, const QString& fallbackName);
// The same for a file; the fallback name is the file's base name.
Result<SgfImport> importSgfFile(const QString& path);

// Saves each game as a new record in directory, entering it in the catalogue. A record's name
// carries the time to the second: a game that would get the name of a record already there is
// stamped a second later instead of being refused. Returns the file names saved; on a failure
// nothing stays saved, since a file is imported whole or not at all.
Result<SavedRecords> saveImportedGames(const QString& directory, Catalogue& catalogue,
                                       const SgfImport& import, const QDateTime& now);

} // namespace vorleth
