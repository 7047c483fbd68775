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
    QStringList warnings; // what was read differently from the file, one line each
};

// Every game tree of a file, or the reason the file cannot be used. A file is taken whole or
// not at all: one unusable game rejects the file. The warnings are those of the file and of
// every game, a game's prefixed with its number when the file holds several.
struct SgfImport {
    QVector<ImportedGame> games;
    QString error;
    QStringList warnings;
    bool ok() const { return error.isEmpty(); }
};

// The program's words for a standard SGF result (RE): B+R → 黒中押勝, W+6.5 → 白6目半勝,
// B+T → 黒時間勝, W+F → 白反則勝, B+ → 黒勝, 0 / Draw → 持碁; anything else as written.
QString resultFromSgf(const QString& re);

// The game name a record gets for an SGF game: GN, else EV, else fallbackName (the file's
// base name), with the handicap prefix (２子 … ９子) when handicap is 2..9. Full-width
// brackets become half-width ones, since "）" ends a field of the record's file name.
QString importedGameName(const SgfGame& game, const QString& fallbackName, int handicap);

// Turns one read game into a record, playing its main line with the play rules. Handicap
// stones on another layout of the board, such as the usual two stones on the other diagonal,
// turn the whole game (stones and moves) by the symmetry that puts them on the program's
// points. Fails (error set) for a board other than 19 x 19, a main line without a stone, setup
// stones other than a handicap that some symmetry puts on the program's points, a move on an
// occupied point, or more entries than a record holds.
ImportedGame importSgfGame(const SgfGame& game, const QString& fallbackName, QString& error);

// Reads and converts every game tree of an SGF file's bytes.
SgfImport importSgfData(const QByteArray& bytes, const QString& fallbackName);
// The same for a file; the fallback name is the file's base name.
SgfImport importSgfFile(const QString& path);

// Saves each game as a new record in directory, entering it in the catalogue. A record's name
// carries the time to the second: a game that would get the name of a record already there is
// stamped a second later instead of being refused. Returns the file names saved (with
// ".IGO"); on a failure error is set and nothing stays saved, since a file is imported whole
// or not at all.
QStringList saveImportedGames(const QString& directory, Catalogue& catalogue,
                              const SgfImport& import, const QDateTime& now, QString& error);

} // namespace vorleth
