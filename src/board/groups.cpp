#include "board/groups.h"

#include <array>

namespace vorleth {

Group groupAt(const Board& board, Point p) {
    Group group;
    if (!p.onBoard() || board.cell(p) == Colour::None)
        return group;
    group.colour = board.cell(p);
    std::array<std::array<bool, 20>, 20> seen{};
    seen[p.column][p.row] = true;
    group.stones.push_back(p);
    for (size_t i = 0; i < group.stones.size(); ++i) {
        for (int d = 1; d <= 4; ++d) {
            const Point n = neighbour(group.stones[i], d);
            if (!n.onBoard() || seen[n.column][n.row])
                continue;
            const Colour c = board.cell(n);
            if (c == Colour::None) {
                seen[n.column][n.row] = true;
                group.liberties.push_back(n);
            } else if (c == group.colour) {
                seen[n.column][n.row] = true;
                group.stones.push_back(n);
            }
        }
    }
    return group;
}

PlayOutcome tryPlay(const Board& board, Point p, Colour colour) {
    Board after = board;
    after.setCell(p, colour);
    PlayOutcome outcome;
    const Colour opp = opponent(colour);
    for (int d = 1; d <= 4; ++d) {
        const Point q = neighbour(p, d);
        // A group already taken from an earlier side is empty now and is not counted twice.
        if (!q.onBoard() || after.cell(q) != opp)
            continue;
        const Group g = groupAt(after, q);
        if (g.hasLiberty())
            continue;
        for (const Point& s : g.stones) {
            after.setCell(s, Colour::None);
            outcome.captured.push_back(s);
        }
    }
    outcome.suicide = outcome.captured.empty() && !groupAt(after, p).hasLiberty();
    return outcome;
}

} // namespace vorleth
