#include "counting/playoutboard.h"

namespace vorleth {

PlayoutBoard::PlayoutBoard() {
    for (int p = 0; p < points; ++p) {
        const int column = columnOf(p);
        const int row = rowOf(p);
        const bool edge = column == 0 || row == 0 || column == width - 1 || row == width - 1;
        m_stone[p] = edge ? Edge : Empty;
        m_head[p] = static_cast<std::int16_t>(p);
        m_next[p] = static_cast<std::int16_t>(p);
        m_size[p] = 0;
        m_emptyIndex[p] = -1;
        if (!edge)
            addEmpty(p);
    }
}

void PlayoutBoard::addEmpty(int point) {
    m_emptyIndex[point] = static_cast<std::int16_t>(m_emptyCount);
    m_empty[m_emptyCount++] = static_cast<std::int16_t>(point);
}

void PlayoutBoard::removeEmpty(int point) {
    const int i = m_emptyIndex[point];
    const int last = m_empty[--m_emptyCount];
    m_empty[i] = static_cast<std::int16_t>(last);
    m_emptyIndex[last] = static_cast<std::int16_t>(i);
    m_emptyIndex[point] = -1;
}

void PlayoutBoard::setStone(int point, Stone stone) {
    if (m_stone[point] != Empty || (stone != Black && stone != White))
        return;
    removeEmpty(point);
    m_stone[point] = stone;
    m_head[point] = static_cast<std::int16_t>(point);
    m_next[point] = static_cast<std::int16_t>(point);
    m_size[point] = 1;
    for (int step : steps) {
        const int n = point + step;
        if (m_stone[n] == stone && m_head[n] != m_head[point])
            mergeInto(m_head[n], m_head[point]);
    }
}

void PlayoutBoard::mergeInto(int keep, int gone) {
    if (m_size[keep] < m_size[gone]) {
        const int t = keep;
        keep = gone;
        gone = t;
    }
    int p = gone;
    do {
        m_head[p] = static_cast<std::int16_t>(keep);
        p = m_next[p];
    } while (p != gone);
    // Splice the two rings.
    const std::int16_t after = m_next[keep];
    m_next[keep] = m_next[gone];
    m_next[gone] = after;
    m_size[keep] = static_cast<std::int16_t>(m_size[keep] + m_size[gone]);
}

// Calls visit(liberty) once for each liberty of the chain, walking it from start, until
// visit returns false.
template <class Visit> void PlayoutBoard::forEachLiberty(int start, Visit visit) const {
    ++m_stamp;
    int p = start;
    do {
        for (int step : steps) {
            const int n = p + step;
            if (m_stone[n] == Empty && m_seen[n] != m_stamp) {
                m_seen[n] = m_stamp;
                if (!visit(n))
                    return;
            }
        }
        p = m_next[p];
    } while (p != start);
}

int PlayoutBoard::liberties(int point, int limit) const {
    int count = 0;
    forEachLiberty(m_head[point], [&](int) { return ++count <= limit; });
    return count;
}

std::vector<int> PlayoutBoard::libertyPoints(int point) const {
    std::vector<int> found;
    forEachLiberty(point, [&](int n) {
        found.push_back(n);
        return true;
    });
    return found;
}

int PlayoutBoard::libertyOf(int point) const {
    const int start = m_head[point];
    int p = start;
    do {
        for (int step : steps) {
            if (m_stone[p + step] == Empty)
                return p + step;
        }
        p = m_next[p];
    } while (p != start);
    return noPoint;
}

bool PlayoutBoard::legal(int point, Stone stone) const {
    if (m_stone[point] != Empty || point == m_ko)
        return false;
    const Stone other = opponent(stone);
    for (int step : steps) {
        const int n = point + step;
        if (m_stone[n] == Empty)
            return true;
        if (m_stone[n] == stone && liberties(n, 1) > 1)
            return true;
        if (m_stone[n] == other && liberties(n, 1) == 1)
            return true;
    }
    return false;
}

PlayoutBoard::AfterMove PlayoutBoard::afterMove(int point, Stone stone, int limit) const {
    AfterMove after;
    after.size = 1;
    const Stone other = opponent(stone);
    for (int step : steps) {
        const int n = point + step;
        if (m_stone[n] == other && liberties(n, 1) == 1)
            after.captures = true;
    }
    ++m_stamp;
    m_seen[point] = m_stamp;
    std::array<int, 4> chains{};
    int chainCount = 0;
    for (int step : steps) {
        const int n = point + step;
        if (m_stone[n] == Empty && m_seen[n] != m_stamp) {
            m_seen[n] = m_stamp;
            ++after.liberties;
        } else if (m_stone[n] == stone) {
            const int head = m_head[n];
            bool known = false;
            for (int i = 0; i < chainCount; ++i)
                known = known || chains[i] == head;
            if (!known) {
                chains[chainCount++] = head;
                after.size += m_size[head];
            }
        }
    }
    for (int i = 0; i < chainCount && after.liberties <= limit; ++i) {
        int p = chains[i];
        do {
            for (int step : steps) {
                const int n = p + step;
                if (m_stone[n] == Empty && m_seen[n] != m_stamp) {
                    m_seen[n] = m_stamp;
                    ++after.liberties;
                }
            }
            p = m_next[p];
        } while (p != chains[i]);
    }
    return after;
}

void PlayoutBoard::removeChain(int point) {
    const int start = m_head[point];
    int p = start;
    do {
        const int next = m_next[p];
        m_stone[p] = Empty;
        m_head[p] = static_cast<std::int16_t>(p);
        m_next[p] = static_cast<std::int16_t>(p);
        m_size[p] = 0;
        addEmpty(p);
        p = next;
    } while (p != start);
}

int PlayoutBoard::play(int point, Stone stone) {
    setStone(point, stone);
    const Stone other = opponent(stone);
    int captured = 0;
    int capturedPoint = noPoint;
    for (int step : steps) {
        const int n = point + step;
        if (m_stone[n] == other && liberties(n, 0) == 0) {
            captured += m_size[m_head[n]];
            capturedPoint = n;
            removeChain(n);
        }
    }
    // A single stone taking a single stone, left with that one liberty: retaking at once is
    // a ko.
    m_ko = captured == 1 && m_size[m_head[point]] == 1 && liberties(point, 1) == 1 ? capturedPoint
                                                                                   : noPoint;
    return captured;
}

bool PlayoutBoard::eyeOf(int point, Stone stone) const {
    if (m_stone[point] != Empty)
        return false;
    for (int step : steps) {
        const std::uint8_t s = m_stone[point + step];
        if (s != stone && s != Edge)
            return false;
    }
    int opponents = 0;
    bool onEdge = false;
    for (int d : {-width - 1, -width + 1, width - 1, width + 1}) {
        const std::uint8_t s = m_stone[point + d];
        if (s == Edge)
            onEdge = true;
        else if (s == opponent(stone))
            ++opponents;
    }
    return opponents < (onEdge ? 1 : 2);
}

} // namespace vorleth
