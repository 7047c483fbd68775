#pragma once

#include "board/board.h"

#include <QString>

namespace vorleth {

// What every screen, file and import says about a game: the game-information screen's boxes,
// a record's name and header, the catalogue, the working file and the imports all carry it.
struct GameInfo {
    QString gameName;
    QString whitePlayer;
    QString blackPlayer;
    QString result;
    QString komi; // as the user typed it, e.g. 6.5
    friend bool operator==(const GameInfo&, const GameInfo&) = default;
};

// A problem or a joseki: its record sets up a position, ends the set-up with a pause marker
// and plays on from there; replay and export know it by the start of its game name.
inline bool isProblemName(const QString& gameName) {
    return gameName.startsWith(QStringLiteral("詰め碁")) ||
           gameName.startsWith(QStringLiteral("定石"));
}

// The nine fields a record's file name carries, and the name itself: one catalogue entry.
struct RecordMetadata {
    GameInfo game;
    QString recordDate; // yyyyMMdd
    int entryCount = 0; // the move list's length, 0..999
    QString timeOfDay;  // hmmss, no leading zero in the hour
    QString referenceDate;
    QString fileName; // without ".IGO"
    friend bool operator==(const RecordMetadata&, const RecordMetadata&) = default;
};

struct GameRecord {
    RecordMetadata metadata;
    MoveList moves;
};

// The record being replayed or entered (program-wide).
struct CurrentRecord {
    QString fileName;
    GameInfo game;
    int moveCount = 0;     // 手数 as entered or read back
    int selectedIndex = 0; // catalogue position; 0 = not in the library yet

    void reset() { *this = CurrentRecord{}; }
};

} // namespace vorleth
