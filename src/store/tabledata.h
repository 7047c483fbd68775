#pragma once

#include <QVector>

#include <array>

namespace vorleth {

struct RepeatedPlay {
    int moveNumber = 0;  // the repeated play
    int earlierMove = 0; // the earlier move whose point it reuses
    friend bool operator==(const RepeatedPlay&, const RepeatedPlay&) = default;
};

// The diagram entry in progress and the board screen's state (program-wide): the table entry
// fills it, the working files keep it, the recording board places its moves.
struct TableEntryData {
    static constexpr int maxMoves = 500;
    std::array<int, maxMoves + 1> tableMoves{}; // 1..500: point code, 0 = given by an earlier move
    QVector<RepeatedPlay> repeatedPlays;
    int tablePosition = 0;
    bool tablePrefilled = false;
    int boardScreenState = 0; // 0 recording, 1 placing diagram moves, 2 waiting, 99 rebuild

    // The working flags the main menu clears; the diagram itself stays for recall.
    void reset() {
        tablePosition = 0;
        tablePrefilled = false;
        boardScreenState = 0;
    }
};

} // namespace vorleth
