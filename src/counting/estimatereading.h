#pragma once

// What the estimate knows of a position between its steps: the playouts' reading, and which
// stones live so far. Shared by the estimate's own files only.

#include "counting/benson.h"
#include "counting/estimate.h"
#include "counting/playoutboard.h"

#include <array>

namespace vorleth::estimate {

using Stone = PlayoutBoard::Stone;
constexpr int points = PlayoutBoard::points;

// What the playouts and unconditional life say about the position as it stands.
struct Reading {
    PlayoutBoard start;
    UnconditionalLife blackLife;
    UnconditionalLife whiteLife;
    std::array<int, points> ownership{};
    int playouts = 1;

    const UnconditionalLife& lifeOf(Stone s) const {
        return s == PlayoutBoard::Black ? blackLife : whiteLife;
    }
    // +1 when Black owns the point in every playout .. -1 when White does.
    double share(int p) const { return double(ownership[p]) / playouts; }
};

// Which stones live, and how clearly each chain's side holds its points in the playouts.
struct Verdict {
    std::array<bool, points> live{};
    std::array<bool, points> dead{};
    std::array<double, points> own{}; // by chain head: the share of its side, -1 .. +1
    // By chain head: every liberty is a point neither side can fill (see onlySharedLiberties).
    std::array<bool, points> standoff{};

    void kill(const PlayoutBoard& b, int head) {
        int q = head;
        do {
            dead[q] = true;
            live[q] = false;
            q = b.nextInChain(q);
        } while (q != head);
    }
};

// Groups without an eye must hold their ground as clearly as the options ask, or be kept by a
// short reading of their life; the others are taken, the weakest first.
void killEyelessGroups(const Reading& r, const EstimateOptions& options, Verdict& v);

} // namespace vorleth::estimate
