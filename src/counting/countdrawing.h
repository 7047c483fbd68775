#pragma once

#include "board/boardrenderer.h"
#include "counting/countgrid.h"

namespace vorleth {

inline constexpr Rgb greyColour{153, 153, 153};

// Draws one count mark at the point's centre over what is there: a stone as on the board, a
// territory as a small square outlined in grey, a dead stone as its stone with a square of the
// area's colour, a seki point as a grey disc. Nothing for an unassigned point.
void drawMark(BoardRenderer& renderer, Point p, CountMark mark);

} // namespace vorleth
