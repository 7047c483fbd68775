#pragma once

#include "board/groups.h"
#include "board/playrules.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <vector>

namespace vorleth::test {

// The liberties of the group of the stone at p (each point once).
inline std::vector<Point> liberties(const Board& board, Point p) {
    return groupAt(board, p).liberties;
}

// A game played through the play rules, so that its removal entries are exactly those the
// recording board writes. The players fight like beginners: they take stones in atari, run
// with their own, put stones near the last move in atari, and now and then open a new area.
// That makes captures of single stones and of whole groups all through the game. Stops after
// that many stones or when the record is full (999 entries).
inline MoveList playGame(int stones, unsigned seed, const QString& gameName = QString()) {
    BoardModel model;
    model.play.nextMoveNumber = 1;
    handicapFromGameName(model, gameName);
    if (model.play.pendingHandicap > 0)
        placeHandicapStones(model);

    // The engine's raw output is the same with every standard library; the distributions are
    // not, so the numbers are derived from it here and a seed gives the same game everywhere.
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
        const auto span = static_cast<std::uint32_t>(high - low + 1);
        return low + static_cast<int>(random() % span);
    };
    // A liberty of a group of colour with exactly `count` liberties, near `around` when asked.
    auto libertyOfGroup = [&](Board::Cell colour, size_t count,
                              const Point* around) -> std::optional<Point> {
        std::vector<Point> candidates;
        for (int column = 1; column <= 19; ++column) {
            for (int row = 1; row <= 19; ++row) {
                const Point p{column, row};
                if (model.board.cell(p) != colour)
                    continue;
                if (around &&
                    (std::abs(p.column - around->column) > 3 || std::abs(p.row - around->row) > 3))
                    continue;
                const auto libs = liberties(model.board, p);
                if (libs.size() == count)
                    candidates.insert(candidates.end(), libs.begin(), libs.end());
            }
        }
        if (candidates.empty())
            return std::nullopt;
        return candidates[pick(0, static_cast<int>(candidates.size()) - 1)];
    };

    Point last{10, 10};
    int played = 0;
    int attempts = 0;
    while (played < stones && model.moves.length() < MoveList::recordableEntries &&
           attempts < 100000) {
        ++attempts;
        const Board::Cell own = model.play.lastMover == black ? Board::White : Board::Black;
        const Board::Cell opp = own == Board::Black ? Board::White : Board::Black;
        std::optional<Point> choice;
        const int roll = pick(0, 99);
        if (played > 0 && roll < 70)
            choice = libertyOfGroup(opp, 1, nullptr); // take what is in atari
        if (!choice && played > 0 && roll < 50)
            choice = libertyOfGroup(own, 1, nullptr); // run
        if (!choice && played > 0 && roll < 60)
            choice = libertyOfGroup(opp, 2, &last); // attack
        Point p = choice.value_or(Point{});
        if (!choice) {
            if (played > 0 && pick(0, 99) < 75)
                p = {last.column + pick(-2, 2), last.row + pick(-2, 2)};
            else
                p = {pick(1, 19), pick(1, 19)};
        }
        if (!p.onBoard() || model.board.cell(p) != Board::Empty)
            continue;
        // Refused when it would take its own group's last liberty, or when its removals would
        // overflow the record (a quieter move may still fit).
        if (playStone(model, p).result != PlayResult::Played)
            continue;
        last = p;
        ++played;
    }
    return model.moves;
}

} // namespace vorleth::test
