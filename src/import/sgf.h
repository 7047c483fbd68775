#pragma once

#include "board/board.h"
#include "store/outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

namespace vorleth {

// Reading standard SGF (FF[1] to FF[4]) happens in two stages: the text becomes a tree of
// nodes and properties (parseSgfText), then the main line of one game tree becomes a game
// (sgfGame). Problems that leave the game usable are collected as warnings; anything else
// ends the reading with one error and no partial result.

struct SgfProperty {
    QString id;         // upper-case letters only; lower-case letters of old files are dropped
    QStringList values; // escapes resolved, soft line breaks removed, line ends as "\n"
};

struct SgfNode {
    QVector<SgfProperty> properties;
    int parent = -1;
    QVector<int> children; // indices into the collection; the first one continues the main line
    int line = 0;          // line of the node's ";" in the text

    const SgfProperty* property(QStringView id) const;
};

// All game trees of a file in one node table; the trees are linked through the indices, so
// deeply nested variations need neither recursion to build nor to destroy.
struct SgfCollection {
    QVector<SgfNode> nodes;
    QVector<int> roots; // the first node of each game tree, in file order
};

// The game trees read from a text, with what was read differently from it, one line each.
struct SgfTrees {
    SgfCollection collection;
    QStringList warnings;
};

// Stage 1. Text before the first "(;" and after the last game tree is ignored.
Result<SgfTrees> parseSgfText(QStringView text);

struct SgfMove {
    QString colour; // black ("1") or white ("2")
    bool pass = false;
    Point point; // column and row from the top left, 1-based; unset for a pass
};

// Setup stones (AB, AW, AE) of one node of the main line.
struct SgfSetup {
    int afterMoves = 0; // moves of the main line played before this node
    QVector<Point> black;
    QVector<Point> white;
    QVector<Point> empty;
};

struct SgfGame {
    int format = 1;   // FF; a file without FF is FF[1]
    int columns = 19; // SZ
    int rows = 19;
    // Game information, from the first node of the main line that carries each property;
    // blanks and line breaks folded to single spaces.
    QString gameName; // GN
    QString event;    // EV
    QString whitePlayer;
    QString blackPlayer;
    QString komi;
    QString result;
    int handicap = 0;       // HA
    QVector<SgfMove> moves; // the main line, passes included
    QVector<SgfSetup> setups;
    QStringList warnings;
};

// Stage 2: the main line of the game tree that starts at node root.
Result<SgfGame> sgfGame(const SgfCollection& collection, int root);

// A file's bytes, decoded (decodeSgfBytes) and parsed. A file whose encoding cannot be told is
// refused with the program's message and encodingRefused set.
struct SgfFile {
    SgfCollection collection;
    QString encoding; // the encoding the text was read with
    bool encodingRefused = false;
    QStringList warnings;
};

Result<SgfFile> readSgfBytes(const QByteArray& bytes);

} // namespace vorleth
