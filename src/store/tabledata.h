#pragma once

#include <QVector>

#include <array>

namespace vorleth {

struct RepeatedPlay {
    int moveNumber = 0;  // the repeated play
    int earlierMove = 0; // the earlier move whose point it reuses
    friend bool operator==(const RepeatedPlay&, const RepeatedPlay&) = default;
};

// Where the placement of a typed diagram stood: the last move it took, and whether the board
// waits for the user to give that move's point.
struct PlacementStop {
    int tablePosition = 0;
    bool waiting = false;
    friend bool operator==(const PlacementStop&, const PlacementStop&) = default;
};

// The diagram entry in progress (program-wide): the table entry fills it, the working files keep
// it, the recording board places its moves.
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

    void clearDiagramGrid() {
        for (auto& column : diagramGrid)
            column.fill(0);
    }

    // The working flags the main menu clears; the diagram itself stays for recall.
    void reset() {
        tablePosition = 0;
        tablePrefilled = false;
    }
};

} // namespace vorleth
