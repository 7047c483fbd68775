#pragma once

#include "board/playrules.h"
#include "import/importsource.h"
#include "import/sgf.h"
#include "store/outcome.h"
#include "store/recordtypes.h"
#include "store/tabledata.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVector>

namespace vorleth {

// Games brought into the table entry from outside: an SGF file chosen in SgfTorikomi, or the
// text of a Yahoo! Games Go mail pasted through the clipboard. Both fill the game information,
// the diagram moves with their repeated plays and the diagram grid, so that the table entry
// shows the game and the board places it.

inline const QString yahooGameName = QStringLiteral("Yahoo!ゲーム 囲碁");

// What an import reads, before anything of the program's state changes. Moves are point codes
// in the order played; black and white alternate on the board, white first when the game
// name announces a handicap.
struct TableImport {
    Outcome outcome; // not ok: the source is refused and nothing is to change
    GameInfo game;   // result and komi stay empty when the source has none
    QVector<PointCode> moves;
    // What the readers took differently from the file (a turned board, a guessed encoding,
    // properties or variations left out, a result kept as written), one line each.
    QStringList warnings;
};

// The program-wide values an import fills.
struct ImportTarget {
    CurrentRecord& record;
    TableEntryData& table;
    BoardModel& board;
    ImportSource& source;
};

// The game information screen's opening while importSourcePath is set: reads that file. What
// the reading tells (where it stopped, the readers' warnings) comes in one message. A
// standard SGF file (nodes, main line, any encoding it names) goes through the SGF reader; a
// file in the layout Yahoo! Games saved (one property or one move per line, moves without node
// separators) through readSgfItems. Reading stops at the first pass or at the first move
// whose colour does not alternate, saying so unless only passes follow. A file that cannot be
// opened, holds no move, more than 500 moves, or is not a game the board can place, is refused:
// nothing changes and importSourcePath is emptied, so that no deletion is offered for it.
// On success yahooImportFlag is set and importSourcePath kept for offerSourceDeletion.
Outcome importSgf(const ImportTarget& target);

// The game information screen's "コピー&ペースト": text is the clipboard's text, hasText
// whether the clipboard held any (the caller clears the clipboard when it did not). The first
// message is always the text itself. A text without move lines, or with a move the board has no
// point for, is refused and nothing changes. On success importSourcePath is emptied (there is
// no file to delete) and yahooImportFlag set.
Outcome importMailText(const QString& text, bool hasText, const ImportTarget& target);

// The pure readers behind the two imports (no files, no state), for tests and fuzzing.

// An SGF file's bytes, read as importSgf reads them. Both layouts are decoded alike
// (decodeSgfBytes): a file whose encoding cannot be told is refused with its message.
TableImport readSgfForTable(const QByteArray& bytes);

// One game of either layout as the board will place it: colours alternate from black, or from
// white after handicap stones, so reading ends where the file's colours stop doing so (with a
// message unless only passes follow). A game the board cannot place is refused.
TableImport tableImportOfGame(const SgfGame& game);

// The item reader for the Yahoo! layout: an item ends at a comma or a line end, blanks around
// it dropped, double quotes enclosing it removed. An item beginning "B[" or "W[" is a move of
// that colour; "PB[", "PW[", "GN[", "KM[", "RE[" and "HA[" anywhere in another item set the
// players, the game name, the komi, the result and the handicap, a later one winning, and
// "AB[", "AW[", "AE[" give set-up stones (the handicap) with every value that follows in the
// item. An empty move value or a "t" coordinate is a pass and ends the reading quietly; a
// value that is not two of the letters a..s ends it with the message item + column + "#" + row
// (B[zz]0#0). The moves read then go through tableImportOfGame, as a standard file's do.
struct SgfItems {
    TableImport import;
    bool hasMoveItems = false; // some item was written as a move, readable or not
};
SgfItems readSgfItems(QStringView text);

// The mail text: lines "黒番:name", "白番:name" and the numbered move lines "1. q-16(0:03)
// d-4(0:10)", "2. …" in order (a line out of order and all after it are passed over). Columns
// a..t without i, rows counted from the bottom. Reading ends at a pass ("パス") or at a move
// line without two moves; a move without a board point refuses the whole text.
TableImport readMailText(QStringView text);

// Messages of the imports, exactly as shown.
QString missingSourceMessage(const QString& path);
QString badSgfPointMessage(const QString& item, int column, int row);
QString badMailMoveMessage(const QString& part);
inline const QString copyMailMessage =
    QStringLiteral("yahoo ゲームの囲碁の棋譜をメール送信したものを取り込むには、"
                   "メール本文をコピーしてもう一度実行してください");
inline const QString tooManyMovesMessage = QStringLiteral("500手を超える棋譜は取り込めません");
inline const QString noMovesMessage = QStringLiteral("取り込める着手がありません");
// Reading stopped at moveNumber before the end of the game: at a pass, at a stone of the colour
// that had just moved, or at a mail line that gives no move. At move 1 nothing is imported.
enum class StopReason { Pass, SameColour, Unreadable };
QString stoppedMessage(StopReason reason, int moveNumber);
// A standard file whose first move is not the colour the board starts with: black, or white
// after handicap stones.
QString wrongFirstColourMessage(bool handicap);
QString unreadableSgfMessage(const QString& reason);
QString firstGameOnlyMessage(int games);
// Where the reading stopped and what the readers took differently, as one message; empty when
// there is nothing to tell.
QString importNotesMessage(const QStringList& notes, const QStringList& warnings);

} // namespace vorleth
