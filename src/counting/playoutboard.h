#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace vorleth {

// A small Go board for reading out the end of a game many times over: stones are kept in
// chains so that captures and liberty counts cost the size of the chains involved, not a
// search of the board. Points are column + 21 * row with the ring (column or row 0 or 20)
// as an edge that is never played.
class PlayoutBoard {
public:
    enum Stone : std::uint8_t { Empty = 0, Black = 1, White = 2, Edge = 3 };
    static constexpr int width = 21;
    static constexpr int points = width * width;
    static constexpr int noPoint = -1;
    static constexpr std::array<int, 4> steps{-1, -width, 1, width};

    static int at(int column, int row) { return column + width * row; }
    static int columnOf(int point) { return point % width; }
    static int rowOf(int point) { return point / width; }
    static Stone opponent(Stone s) { return s == Black ? White : Black; }

    PlayoutBoard();

    // Puts a stone without any capture: for setting up a position, which is taken as it is.
    void setStone(int point, Stone stone);

    Stone stone(int point) const { return static_cast<Stone>(m_stone[point]); }
    int chainOf(int point) const { return m_head[point]; }
    int chainSize(int point) const { return m_size[m_head[point]]; }
    int nextInChain(int point) const { return m_next[point]; }
    int koPoint() const { return m_ko; }
    int emptyCount() const { return m_emptyCount; }
    int emptyAt(int i) const { return m_empty[i]; }

    // The chain's liberties, counted up to limit + 1 at most (enough to know whether there are
    // more than limit).
    int liberties(int point, int limit = points) const;

    // The liberties of the chain at point, in the order met walking the chain from point.
    std::vector<int> libertyPoints(int point) const;

    // A liberty of the chain at point, noPoint when it has none.
    int libertyOf(int point) const;

    // Whether stone may be played at point: empty, not the ko point, and not suicide.
    bool legal(int point, Stone stone) const;

    // The liberties the stone's chain would have after a legal move at point (up to limit + 1),
    // and its size; a move that captures counts as having room.
    struct AfterMove {
        int liberties = 0;
        int size = 0;
        bool captures = false;
    };
    AfterMove afterMove(int point, Stone stone, int limit) const;

    // Plays a legal move with its captures; returns the number of stones captured.
    int play(int point, Stone stone);

    // Calls visit(n) for each point n next to a stone of the chain at point, in the order met
    // walking the chain from point (a point once for every stone of the chain beside it, the
    // chain's own stones among them), until visit returns true; whether it did.
    template <class Visit> bool anyBesideChain(int point, Visit visit) const {
        int q = point;
        do {
            for (int step : steps) {
                if (visit(q + step))
                    return true;
            }
            q = m_next[q];
        } while (q != point);
        return false;
    }

    // An empty point whose neighbours are all the stone's own, with too few opponent stones
    // on its diagonals to make it false: filling it could only harm its owner.
    bool eyeOf(int point, Stone stone) const;

private:
    template <class Visit> void forEachLiberty(int start, Visit visit) const;
    void removeChain(int point);
    void mergeInto(int keep, int gone);
    void addEmpty(int point);
    void removeEmpty(int point);

    std::array<std::uint8_t, points> m_stone{};
    std::array<std::int16_t, points> m_head{};
    std::array<std::int16_t, points> m_next{};
    std::array<std::int16_t, points> m_size{};
    std::array<std::int16_t, points> m_empty{};
    std::array<std::int16_t, points> m_emptyIndex{};
    int m_emptyCount = 0;
    int m_ko = noPoint;
    // Stamps for liberty counts; mutable because counting changes nothing of the position.
    mutable std::array<std::uint32_t, points> m_seen{};
    mutable std::uint32_t m_stamp = 0;
};

} // namespace vorleth
