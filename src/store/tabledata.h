#pragma once

#include <QVector>

#include <array>
#include <optional>

namespace vorleth {

struct RepeatedPlay {
    int moveNumber = 0;  // the repeated play
    int earlierMove = 0; // the earlier move whose point it reuses
    friend bool operator==(const RepeatedPlay&, const RepeatedPlay&) = default;
};

// The diagram entry in progress and the board screen's state (program-wide): the table entry
// fills it, the working files keep it, the recording board places its moves.
// Where the placement of a typed diagram stood: the last move it took, and whether the board
// waits for the user to give that move's point.
struct PlacementStop {
    int tablePosition = 0;
    bool waiting = false;
    friend bool operator==(const PlacementStop&, const PlacementStop&) = default;
};

struct TableEntryData {
    static constexpr int maxMoves = 500;
    std::array<int, maxMoves + 1> tableMoves{}; // 1..500: point code, 0 = given by an earlier move
    QVector<RepeatedPlay> repeatedPlays;
    // The move number typed at each point [column][row], 1..19 used, 0 for none. The main
    // menu's table entry clears it, recall and the imports fill it, and the recording board
    // clears it as it opens: past that it means nothing.
    std::array<std::array<int, 20>, 20> diagramGrid{};
    int tablePosition = 0;
    bool tablePrefilled = false;
    int boardScreenState = 0; // 0 recording, 1 placing diagram moves, 2 waiting, 99 rebuild
    // Leaving the board or the count without saving asks nothing (set from the counting
    // screen's caption-less menu).
    bool skipSaveQuestion = false;
    // A game brought back from the recovery file was being placed from this diagram: the board
    // goes on from there as it continues the game, and clears this.
    std::optional<PlacementStop> recoveredPlacement;

    void clearDiagramGrid() {
        for (auto& column : diagramGrid)
            column.fill(0);
    }

    // The working flags the main menu clears; the diagram itself stays for recall.
    void reset() {
        tablePosition = 0;
        tablePrefilled = false;
        boardScreenState = 0;
        recoveredPlacement.reset();
    }
};

} // namespace vorleth
