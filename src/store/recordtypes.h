#pragma once

#include "board/board.h"

#include <QString>

namespace vorleth {

// The nine fields a record's file name carries.
struct RecordMetadata {
    QString gameName;
    QString whitePlayer;
    QString blackPlayer;
    QString result;
    QString recordDate; // yyyyMMdd
    int entryCount = 0; // the move list's length, 0..999
    QString timeOfDay;  // hmmss, no leading zero in the hour
    QString referenceDate;
    QString komi;
    QString fileName; // without ".IGO"
};

struct GameRecord {
    RecordMetadata metadata;
    MoveList moves;
};

// The record being replayed or entered (program-wide).
struct CurrentRecord {
    QString fileName;
    QString gameName;
    QString whitePlayer;
    QString blackPlayer;
    QString result;
    QString komi;
    int moveCount = 0;     // 手数 as entered or read back
    int selectedIndex = 0; // catalogue position; 0 = not in the library yet
};

} // namespace vorleth
