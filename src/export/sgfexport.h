#pragma once

#include "store/outcome.h"
#include "store/recordtypes.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

namespace vorleth {

// The standard SGF result (RE) for the program's result words: 黒中押勝 → B+R, 白6目半勝 →
// W+6.5, 黒半目勝 and 黒0目半勝 → B+0.5, 白3目勝 → W+3, 黒勝 → B+, 持碁 → 0, 打掛 → Void.
// Full-width digits read as digits. Nothing for words SGF has no form for (黒先白死, 黒時間勝,
// a margin in kanji numerals, …).
std::optional<QString> sgfResult(const QString& words);

// A place where the SGF cannot say what the record says in the plain way. The file still
// shows the record's position after it (see exportSgf), but a reader may count prisoners
// differently, and the program's own import refuses set-up after the first move.
struct SgfExportIssue {
    enum class Kind {
        OffBoard,       // a stone entry whose point is not on the board: left out
        OccupiedPoint,  // a stone on a point that holds one: the point is emptied first (AE)
        Suicide,        // SGF readers remove a stone without liberties; the record keeps it
        RemovalsDiffer, // the record's removals are not those of the rules
    };
    Kind kind;
    int entry = 0;      // position in the move list
    int moveNumber = 0; // the stone's number among the moves written; 0 before the first

    // One line in English, such as "move 12 (entry 15): ..." or "entry 3: ...".
    QString description() const;
};

struct SgfExport {
    QByteArray text; // UTF-8
    QVector<SgfExportIssue> issues;
};

// The record as an SGF FF[4] file (CA[UTF-8], GM[1], SZ[19], AP with the program's name and
// version). The root carries GN, PW, PB, KM (a numeric komi), DT (the record date), RE (the
// standard form of the result, or the result as written when it has none), and GC for a komi
// text that is not a number. A
// game name announcing a handicap (二子 … 九子, ２子 … ９子) gives HA and the handicap points
// as AB. Stone entries become moves in their own colours; removals follow from the rules and
// markers are left out. A problem record (game name beginning 詰め碁 or 定石) with a pause
// marker sets up the position before its first marker with AB/AW and plays the rest.
// Wherever the standard rules would not reach the record's position, a set-up node with
// AB/AW/AE restores it and the place is reported as an issue.
SgfExport exportSgf(const GameRecord& record);

// The names of a record as whole as they are kept. Reading a record cuts its game name,
// players and result to ten characters; the file name holds them whole but without blanks,
// slashes, colons and hyphens, and the body's header line holds them as they were typed.
// Each of the four fields of metadata becomes the header's text when the file name agrees
// with it (a file renamed by hand makes the name win), else the file name's value when that
// begins with the field, else it stays. body may be empty.
void restoreFullNames(RecordMetadata& metadata, const QByteArray& body);

// Writes the bytes to path through a temporary file, so that a failure leaves an existing file
// as it was. A failure says why.
Outcome writeSgfFile(const QString& path, const QByteArray& bytes);

} // namespace vorleth
