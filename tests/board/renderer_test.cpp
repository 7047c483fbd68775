#include "board/boardrenderer.h"
#include "board/boardview.h"
#include "support/canvasrecorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

namespace vorleth {

void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.column << ", " << p.row << ")";
}

namespace {

using test::Primitive;
using test::RecordingCanvas;

Primitive rect(double x1, double y1, double x2, double y2, Rgb colour) {
    return {Primitive::Rect, x1, y1, x2, y2, colour, colour};
}
Primitive line(double x1, double y1, double x2, double y2) {
    return {Primitive::Line, x1, y1, x2, y2, blackColour, std::nullopt};
}
Primitive circle(double x, double y, double r, Rgb outline, std::optional<Rgb> fill) {
    return {Primitive::Circle, x, y, r, 0, outline, fill};
}

// ---- Geometry ----

TEST(BoardGeometryTest, LayoutConstantsFollowTheScreenSize) {
    struct Case {
        int screenSize;
        int cell, radius, origin;
        bool large;
    };
    const Case cases[] = {
        {800, 377, 164, 377, true},
        {640, 250, 100, 250, false},
        {0, 250, 100, 250, false},    // a fresh settings file
        {1024, 250, 100, 250, false}, // anything but 800 is the small layout
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.screenSize);
        const BoardGeometry g = BoardGeometry::forScreenSize(k.screenSize);
        EXPECT_EQ(g.screenSize, k.screenSize);
        EXPECT_EQ(g.cellSize, k.cell);
        EXPECT_EQ(g.stoneRadius, k.radius);
        EXPECT_EQ(g.boardOrigin, k.origin);
        EXPECT_EQ(g.large(), k.large);
    }
}

TEST(BoardGeometryTest, PointCentres) {
    struct Case {
        int screenSize;
        Point p;
        double x, y;
    };
    const Case cases[] = {
        {800, {10, 10}, 4524, 4147}, {640, {10, 10}, 3000, 2750}, {800, {1, 1}, 1131, 754},
        {800, {19, 19}, 7917, 7540}, {640, {1, 19}, 750, 5000},   {640, {19, 1}, 5250, 500},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << k.screenSize << " (" << k.p.column << "," << k.p.row << ")");
        const BoardGeometry g = BoardGeometry::forScreenSize(k.screenSize);
        EXPECT_EQ(g.pointX(k.p.column), k.x);
        EXPECT_EQ(g.pointY(k.p.row), k.y);
    }
}

struct PointAtCase {
    int screenSize;
    double x, y;
    std::optional<Point> expected;
};

void PrintTo(const PointAtCase& k, std::ostream* os) {
    *os << k.screenSize << " at (" << k.x << ", " << k.y << ")";
}

class PointAtTest : public testing::TestWithParam<PointAtCase> {};

TEST_P(PointAtTest, MapsAPositionToTheNearestIntersection) {
    const PointAtCase& k = GetParam();
    EXPECT_EQ(BoardGeometry::forScreenSize(k.screenSize).pointAt(k.x, k.y), k.expected);
}

// c = 377: X(col) = (col + 2) * 377, Y(row) = (row + 1) * 377, half a cell 188.5.
// c = 250: X(col) = (col + 2) * 250, Y(row) = (row + 1) * 250, half a cell 125.
INSTANTIATE_TEST_SUITE_P(
    BothLayouts, PointAtTest,
    testing::Values(
        // On the intersections.
        PointAtCase{800, 4524, 4147, Point{10, 10}}, PointAtCase{640, 3000, 2750, Point{10, 10}},
        PointAtCase{800, 1131, 754, Point{1, 1}}, PointAtCase{640, 5250, 5000, Point{19, 19}},
        // Exactly halfway between two lines: the higher line.
        PointAtCase{800, 4524 + 188.5, 4147, Point{11, 10}},
        PointAtCase{800, 4524, 4147 + 188.5, Point{10, 11}},
        PointAtCase{640, 3000 + 125, 2750 + 125, Point{11, 11}},
        PointAtCase{640, 3000 - 125, 2750 - 125, Point{10, 10}},
        // Just short of halfway stays on the nearer line.
        PointAtCase{640, 3000 + 124.9, 2750 + 124.9, Point{10, 10}},
        PointAtCase{800, 4524 + 188.4, 4147 + 188.4, Point{10, 10}},
        // Single precision: 4712.5 less a hair is still 4712.5 as a float, so the half goes up.
        PointAtCase{800, 4712.5 - 1e-9, 4147, Point{11, 10}},
        // The margins: up to half a cell outside the outer lines still selects them.
        PointAtCase{800, 1131 - 188.5, 754 - 188.5, Point{1, 1}},
        PointAtCase{640, 750 - 125, 500 - 125, Point{1, 1}},
        PointAtCase{640, 5250 + 124.9, 5000 + 124.9, Point{19, 19}},
        PointAtCase{800, 7917 + 188.4, 7540 + 188.4, Point{19, 19}},
        // Further out selects nothing, on each side.
        PointAtCase{800, 1131 - 188.6, 4147, std::nullopt},
        PointAtCase{640, 3000, 500 - 125.1, std::nullopt},
        PointAtCase{640, 5250 + 125, 2750, std::nullopt},
        PointAtCase{800, 4524, 7540 + 188.5, std::nullopt}, PointAtCase{640, 0, 0, std::nullopt},
        PointAtCase{640, -3000, 2750, std::nullopt}, PointAtCase{800, 1e12, 1e12, std::nullopt},
        PointAtCase{640, std::numeric_limits<double>::quiet_NaN(), 2750, std::nullopt}));

// ---- Drawing ----

class RendererTest : public testing::TestWithParam<int> {
protected:
    RendererTest()
        : geometry(BoardGeometry::forScreenSize(GetParam())), renderer(geometry, canvas) {}

    double X(int column) const { return geometry.pointX(column); }
    double Y(int row) const { return geometry.pointY(row); }

    BoardGeometry geometry;
    RecordingCanvas canvas;
    BoardRenderer renderer;
};

TEST_P(RendererTest, BoardIsBackgroundThenAlternatingLinesThenStarPoints) {
    const double c = geometry.cellSize;
    std::vector<Primitive> expected{rect(2 * c, c / 2, 22 * c, 22 * c, boardColour)};
    for (int i = 1; i <= 19; ++i) {
        expected.push_back(line(X(1), Y(i), X(19), Y(i)));
        expected.push_back(line(X(i), Y(1), X(i), Y(19)));
    }
    for (int column : {4, 10, 16}) {
        for (int row : {4, 10, 16})
            expected.push_back(circle(X(column), Y(row), 25, blackColour, blackColour));
    }

    renderer.drawBoard();

    EXPECT_EQ(canvas.drawn, expected);
}

TEST_P(RendererTest, WhiteStoneGetsABlackRimAndBlackStoneIsBlackThroughout) {
    const double r = geometry.stoneRadius;
    renderer.drawStone({3, 17}, white);
    renderer.drawStone({16, 4}, black);
    const std::vector<Primitive> expected{
        circle(X(3), Y(17), r, whiteColour, whiteColour),
        circle(X(3), Y(17), r, blackColour, whiteColour),
        circle(X(16), Y(4), r, blackColour, blackColour),
        circle(X(16), Y(4), r, blackColour, blackColour),
    };
    EXPECT_EQ(canvas.drawn, expected);
}

TEST_P(RendererTest, OtherKindsDrawNoStone) {
    for (const QString& kind : {QStringLiteral("+"), QStringLiteral("9"), QString()})
        renderer.drawStone({10, 10}, kind);
    EXPECT_TRUE(canvas.drawn.empty());
}

TEST_P(RendererTest, ClearPointRedrawsOnlySegmentsInsideTheBoard) {
    const double h = geometry.cellSize / 2.0;
    struct Case {
        Point p;
        double left, right, up, down; // segment lengths from the centre
        bool star;
    };
    const Case cases[] = {
        {{1, 1}, 0, h, 0, h, false},   // corner: right half of the row, lower half of the column
        {{19, 19}, h, 0, h, 0, false}, // opposite corner
        {{19, 1}, h, 0, 0, h, false},  // top right corner
        {{1, 7}, 0, h, h, h, false},   // left edge
        {{12, 19}, h, h, h, 0, false}, // bottom edge
        {{10, 1}, h, h, 0, h, false},  // top edge
        {{10, 10}, h, h, h, h, true},  // centre star point
        {{10, 9}, h, h, h, h, false},  // next to it: no dot
        {{4, 16}, h, h, h, h, true},   // corner star point
        {{16, 4}, h, h, h, h, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "(" << k.p.column << "," << k.p.row << ")");
        canvas.drawn.clear();
        renderer.clearPoint(k.p);
        const double x = X(k.p.column);
        const double y = Y(k.p.row);
        std::vector<Primitive> expected{
            circle(x, y, geometry.stoneRadius, boardColour, boardColour),
            line(x - k.left, y, x + k.right, y),
            line(x, y - k.up, x, y + k.down),
        };
        if (k.star)
            expected.push_back(circle(x, y, 25, blackColour, blackColour));
        EXPECT_EQ(canvas.drawn, expected);
    }
}

TEST_P(RendererTest, DiscIsStoneSizedInOneColour) {
    renderer.drawDisc({7, 8}, cyanColour);
    const std::vector<Primitive> expected{
        circle(X(7), Y(8), geometry.stoneRadius, cyanColour, cyanColour)};
    EXPECT_EQ(canvas.drawn, expected);
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, RendererTest, testing::Values(800, 640));

TEST(StarPointTest, OnlyTheNineStarPoints) {
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            const bool expected = (column == 4 || column == 10 || column == 16) &&
                                  (row == 4 || row == 10 || row == 16);
            EXPECT_EQ(isStarPoint({column, row}), expected) << column << "," << row;
        }
    }
}

// ---- Status texts ----

TEST(StatusTextTest, Wording) {
    EXPECT_EQ(moveNumberText(12), QStringLiteral("12手目"));
    EXPECT_EQ(moveNumberText(1), QStringLiteral("1手目"));
    EXPECT_EQ(moveNumberText(250), QStringLiteral("250手目"));

    EXPECT_EQ(sideToMoveText(black), QStringLiteral("白番"));
    for (const QString& other : {white, QString(), QStringLiteral("+"), QStringLiteral("9")})
        EXPECT_EQ(sideToMoveText(other), QStringLiteral("黒番")) << other.toStdString();

    EXPECT_EQ(prisonersText(3, 12), QStringLiteral("上蛤\r\n白：3\r\n黒：12"));
    EXPECT_EQ(prisonersText(0, 0), QStringLiteral("上蛤\r\n白：0\r\n黒：0"));
}

} // namespace
} // namespace vorleth
