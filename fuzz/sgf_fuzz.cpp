// An SGF file as `vorleth-cli import` reads it: bytes to text, text to tree, tree to games,
// games played through with the play rules.
#include "fuzzcheck.h"

#include "board/playrules.h"
#include "import/sgfimport.h"

using namespace vorleth;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Result<SgfImport> import =
        importSgfData(fuzz::bytesOf(data, size), QStringLiteral("fuzz"));
    if (!import.ok) {
        FUZZ_CHECK(import.games.isEmpty()); // a file is taken whole or not at all
        return 0;
    }
    FUZZ_CHECK(!import.games.isEmpty());
    for (const ImportedGame& game : import.games) {
        const MoveList& moves = game.moves;
        FUZZ_CHECK(moves.length() <= MoveList::recordableEntries);
        int stones = 0;
        for (const MoveEntry& e : moves.entries()) {
            FUZZ_CHECK(Point::fromCode(e.point).onBoard());
            stones += e.isStone() ? 1 : 0;
        }
        FUZZ_CHECK(stones == game.moveCount);
        FUZZ_CHECK(!game.game.gameName.contains(u'）'));

        // Replaying the saved entries from the game name's handicap never puts a stone on a
        // stone nor removes one from an empty point.
        BoardModel model;
        handicapFromGameName(model, game.game.gameName);
        placeHandicapStones(model);
        for (const MoveEntry& e : moves.entries()) {
            const Point p = Point::fromCode(e.point);
            FUZZ_CHECK(e.changesBoard());
            if (e.isRemoval()) {
                FUZZ_CHECK(model.board.cell(p) != Board::Empty);
                model.board.setCell(p, Board::Empty);
            } else {
                FUZZ_CHECK(model.board.cell(p) == Board::Empty);
                model.board.setCell(p, e.kind);
            }
        }
    }
    return 0;
}
