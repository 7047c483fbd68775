#include "support/canvasrecorder.h"
#include "support/printers.h"

#include "counting/countdrawing.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace vorleth {
namespace {

using test::Primitive;
using test::RecordingCanvas;

Primitive disc(double x, double y, double r, Rgb fill) {
    return {Primitive::Circle, x, y, r, 0, blackColour, fill};
}
Primitive square(double x, double y, double side, Rgb fill) {
    return {Primitive::Rect, x - side / 2, y - side / 2, x + side / 2, y + side / 2, fill, fill};
}
// The grey outline of that square, drawn round from its top-left corner.
std::vector<Primitive> outline(double x, double y, double side) {
    const double l = x - side / 2, t = y - side / 2, r = x + side / 2, b = y + side / 2;
    return {{Primitive::Line, l, t, r, t, greyColour, std::nullopt},
            {Primitive::Line, r, t, r, b, greyColour, std::nullopt},
            {Primitive::Line, r, b, l, b, greyColour, std::nullopt},
            {Primitive::Line, l, b, l, t, greyColour, std::nullopt}};
}
std::vector<Primitive> operator+(std::vector<Primitive> a, const std::vector<Primitive>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(DrawMark, EachMarkAtThePointsCentreScaledByTheStoneRadius) {
    // The centre point (10, 10): (3000, 2750) with radius 100, (4524, 4147) with radius 164.
    const struct {
        const char* name;
        int screenSize;
        CountMark mark;
        std::vector<Primitive> expected;
    } cases[] = {
        {"unassigned", 640, CountMark::None, {}},
        {"black stone", 640, CountMark::BlackStone, {disc(3000, 2750, 100, blackColour)}},
        {"white stone: a white disc with a black rim",
         640,
         CountMark::WhiteStone,
         {disc(3000, 2750, 100, whiteColour)}},
        {"black territory: a black square of 0.8 r outlined in grey", 640,
         CountMark::BlackTerritory,
         std::vector<Primitive>{square(3000, 2750, 80, blackColour)} + outline(3000, 2750, 80)},
        {"white territory", 640, CountMark::WhiteTerritory,
         std::vector<Primitive>{square(3000, 2750, 80, whiteColour)} + outline(3000, 2750, 80)},
        {"黒の上蛤: a white stone with a black square of 0.6 r",
         640,
         CountMark::DeadWhite,
         {disc(3000, 2750, 100, whiteColour), square(3000, 2750, 60, blackColour)}},
        {"白の上蛤: a black stone with a white square",
         640,
         CountMark::DeadBlack,
         {disc(3000, 2750, 100, blackColour), square(3000, 2750, 60, whiteColour)}},
        {"seki: a grey disc with a black rim",
         640,
         CountMark::Seki,
         {disc(3000, 2750, 100, greyColour)}},
        {"black territory in the 800 layout", 800, CountMark::BlackTerritory,
         std::vector<Primitive>{square(4524, 4147, 0.8 * 164, blackColour)} +
             outline(4524, 4147, 0.8 * 164)},
        {"白の上蛤 in the 800 layout",
         800,
         CountMark::DeadBlack,
         {disc(4524, 4147, 164, blackColour), square(4524, 4147, 0.6 * 164, whiteColour)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        BoardRenderer renderer(BoardGeometry::forScreenSize(c.screenSize), canvas);
        drawMark(renderer, {10, 10}, c.mark);
        EXPECT_EQ(canvas.drawn, c.expected);
    }
}

} // namespace
} // namespace vorleth
