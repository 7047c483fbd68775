#include "ui/drawingsurface.h"
#include "ui/surfaceboardview.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// The same tests run at device pixel ratio 1 and, with QT_SCALE_FACTOR=2, at 2: positions are
// given in twips and turned into device pixels by the surface itself.

namespace vorleth {
namespace {

const QRgb boardRgb = qRgb(255, 255, 5);
const QRgb blackRgb = qRgb(0, 0, 0);
const QRgb whiteRgb = qRgb(255, 255, 255);

// Client areas of the recording screen in both layouts.
struct Layout {
    int screenSize;
    double width, height;
};

void PrintTo(const Layout& layout, std::ostream* os) {
    *os << layout.screenSize;
}

class DrawingSurfaceTest : public testing::TestWithParam<Layout> {
protected:
    DrawingSurfaceTest()
        : geometry(BoardGeometry::forScreenSize(GetParam().screenSize)),
          surface(GetParam().width, GetParam().height), renderer(geometry, surface) {}

    double X(int column) const { return geometry.pointX(column); }
    double Y(int row) const { return geometry.pointY(row); }
    double devicePixel() const { return 15.0 / surface.image().devicePixelRatio(); }
    QRgb rgbAt(double x, double y) const { return surface.pixelAt(x, y).rgb(); }

    // The device pixels of the cell around a point.
    QImage cellPatch(Point p) const {
        const double scale = surface.image().devicePixelRatio() / 15.0;
        const double half = geometry.cellSize / 2.0;
        const QPoint topLeft(std::floor((X(p.column) - half) * scale),
                             std::floor((Y(p.row) - half) * scale));
        const QPoint bottomRight(std::ceil((X(p.column) + half) * scale),
                                 std::ceil((Y(p.row) + half) * scale));
        return surface.image().copy(QRect(topLeft, bottomRight));
    }

    // Walks right from the centre of a stone along a row clear of the grid lines and returns
    // the colours met, each run once, with the distance (twips) where the first non-fill run
    // starts.
    struct Scan {
        std::vector<QRgb> runs;
        double edge = -1;
    };
    Scan scanRight(Point p) const {
        Scan scan;
        const double y = Y(p.row) + geometry.stoneRadius / 2.0;
        for (double dx = 0; dx < 1.6 * geometry.stoneRadius; dx += devicePixel()) {
            const QRgb c = rgbAt(X(p.column) + dx, y);
            if (scan.runs.empty() || scan.runs.back() != c) {
                if (scan.runs.size() == 1)
                    scan.edge = dx;
                scan.runs.push_back(c);
            }
        }
        return scan;
    }

    BoardGeometry geometry;
    DrawingSurface surface;
    BoardRenderer renderer;
};

TEST_P(DrawingSurfaceTest, SizedInPixelsOfFifteenTwipsWithAnImageAtDeviceResolution) {
    EXPECT_EQ(surface.twipsPerPixel(), 15.0);
    EXPECT_EQ(surface.width(), static_cast<int>(std::ceil(GetParam().width / 15)));
    EXPECT_EQ(surface.height(), static_cast<int>(std::ceil(GetParam().height / 15)));
    const qreal ratio = surface.devicePixelRatioF();
    EXPECT_EQ(surface.image().devicePixelRatio(), ratio);
    EXPECT_EQ(surface.image().size(),
              QSize(std::ceil(surface.width() * ratio), std::ceil(surface.height() * ratio)));
    EXPECT_EQ(surface.image().format(), QImage::Format_ARGB32_Premultiplied);
}

TEST_P(DrawingSurfaceTest, BoardHasLinesStarDotsAndBoardColourBetween) {
    renderer.drawBoard();
    const double c = geometry.cellSize;
    EXPECT_EQ(rgbAt(X(5) + c / 2, Y(5) + c / 2), boardRgb);
    EXPECT_EQ(rgbAt(X(5), Y(5) + c / 3), blackRgb); // column line
    EXPECT_EQ(rgbAt(X(5) + c / 3, Y(5)), blackRgb); // row line
    // The background reaches from (2c, c/2) to (22c, 22c), one cell left, right and below
    // the outer lines and one and a half cells above them.
    const double inside = devicePixel();
    const double outside = -2 * devicePixel();
    for (const double edge : {inside, outside}) {
        SCOPED_TRACE(edge > 0 ? "inside" : "outside");
        const bool board = edge > 0;
        EXPECT_EQ(rgbAt(2 * c + edge, Y(10) + c / 2) == boardRgb, board);
        EXPECT_EQ(rgbAt(22 * c - edge, Y(10) + c / 2) == boardRgb, board);
        EXPECT_EQ(rgbAt(X(10) + c / 2, c / 2 + edge) == boardRgb, board);
        EXPECT_EQ(rgbAt(X(10) + c / 2, 22 * c - edge) == boardRgb, board);
    }

    // A star point has more black around its centre than a plain intersection.
    const auto blackAround = [this](Point p) {
        const QImage patch =
            surface.image().copy(QRect(QPoint(std::floor(X(p.column) / devicePixel()) - 3,
                                              std::floor(Y(p.row) / devicePixel()) - 3),
                                       QSize(7, 7)));
        int count = 0;
        for (int y = 0; y < patch.height(); ++y) {
            for (int x = 0; x < patch.width(); ++x)
                count += patch.pixel(x, y) == blackRgb;
        }
        return count;
    };
    EXPECT_GT(blackAround({10, 10}), blackAround({10, 9}));
    EXPECT_GT(blackAround({4, 16}), blackAround({5, 16}));
}

TEST_P(DrawingSurfaceTest, WhiteStoneHasABlackRimAndBlackStoneIsBlackThroughout) {
    renderer.drawBoard();
    renderer.drawStone({5, 5}, white);
    renderer.drawStone({7, 12}, black);
    const double r = geometry.stoneRadius;
    const double rimDistance = r * std::sqrt(3.0) / 2; // on the row r/2 below the centre

    EXPECT_EQ(rgbAt(X(5), Y(5)), whiteRgb); // the stone covers the line crossing
    const Scan whiteScan = scanRight({5, 5});
    ASSERT_GE(whiteScan.runs.size(), 3u);
    EXPECT_EQ(whiteScan.runs[0], whiteRgb);
    EXPECT_EQ(whiteScan.runs[1], blackRgb);
    EXPECT_EQ(whiteScan.runs[2], boardRgb);
    EXPECT_NEAR(whiteScan.edge, rimDistance, 2 * devicePixel());

    EXPECT_EQ(rgbAt(X(7), Y(12)), blackRgb);
    const Scan blackScan = scanRight({7, 12});
    ASSERT_GE(blackScan.runs.size(), 2u);
    EXPECT_EQ(blackScan.runs[0], blackRgb);
    EXPECT_EQ(blackScan.runs[1], boardRgb);
    EXPECT_NEAR(blackScan.edge, rimDistance, 2 * devicePixel());
}

TEST_P(DrawingSurfaceTest, ClearPointRestoresExactlyWhatTheBoardShowedThere) {
    renderer.drawBoard();
    const Point points[] = {{10, 10}, {10, 9}, {1, 1}, {19, 19}, {1, 12}, {8, 19}, {16, 4}};
    for (const Point p : points) {
        SCOPED_TRACE(testing::Message() << "(" << p.column << "," << p.row << ")");
        const QImage empty = cellPatch(p);
        renderer.drawStone(p, white);
        ASSERT_NE(cellPatch(p), empty);
        renderer.clearPoint(p);
        EXPECT_EQ(cellPatch(p), empty); // no rim left, lines and star dot back, nothing beyond
    }
}

TEST_P(DrawingSurfaceTest, CyanDiscIsCyanInsideAndOut) {
    renderer.drawBoard();
    renderer.drawDisc({3, 3}, cyanColour);
    const Scan scan = scanRight({3, 3});
    ASSERT_GE(scan.runs.size(), 2u);
    EXPECT_EQ(scan.runs[0], qRgb(0, 255, 255));
    EXPECT_EQ(scan.runs[1], boardRgb);
}

TEST_P(DrawingSurfaceTest, PaintingShowsTheKeptImage) {
    surface.clear(Qt::darkGray);
    renderer.drawBoard();
    renderer.drawStone({4, 4}, black);
    renderer.drawStone({16, 16}, white);
    surface.show();
    surface.hide(); // covered and uncovered: nothing is redrawn from a model
    const QImage shown = surface.grab().toImage().convertToFormat(surface.image().format());
    EXPECT_EQ(shown, surface.image());
}

TEST_P(DrawingSurfaceTest, PixelAtOutsideTheAreaIsInvalid) {
    EXPECT_FALSE(surface.pixelAt(-1, 10).isValid());
    EXPECT_FALSE(surface.pixelAt(10, GetParam().height + 30).isValid());
    surface.clear(QColor(1, 2, 3));
    EXPECT_EQ(surface.pixelAt(GetParam().width - 1, GetParam().height - 1), QColor(1, 2, 3));
}

// Platforms deliver the second press of a double click either as a press followed by a
// double-click event, or as the double-click event alone; both count as two presses.
TEST_P(DrawingSurfaceTest, EveryPressOfADoubleClickCounts) {
    surface.show();
    auto send = [this](QEvent::Type type) {
        QMouseEvent event(
            type, QPointF(50, 60), surface.mapToGlobal(QPointF(50, 60)), Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&surface, &event);
    };
    using T = QEvent::Type;
    const std::vector<T> withSecondPress = {T::MouseButtonPress, T::MouseButtonRelease,
                                            T::MouseButtonPress, T::MouseButtonDblClick,
                                            T::MouseButtonRelease};
    const std::vector<T> withoutSecondPress = {T::MouseButtonPress, T::MouseButtonRelease,
                                               T::MouseButtonDblClick, T::MouseButtonRelease};
    for (const auto& sequence : {withSecondPress, withoutSecondPress}) {
        SCOPED_TRACE(sequence.size());
        QSignalSpy pressed(&surface, &DrawingSurface::mousePressed);
        for (const T type : sequence)
            send(type);
        ASSERT_EQ(pressed.size(), 2);
        EXPECT_EQ(pressed[1], (QVariantList{750.0, 900.0, QVariant::fromValue(Qt::LeftButton)}));
    }
}

// The second click of a double click whose first click went to another window (the button that
// opened this screen under the pointer) is no click here, and neither is its release; a click
// after it is.
TEST_P(DrawingSurfaceTest, TheSecondHalfOfADoubleClickBegunElsewhereIsIgnored) {
    QSignalSpy pressed(&surface, &DrawingSurface::mousePressed);
    QSignalSpy released(&surface, &DrawingSurface::mouseReleased);
    QSignalSpy doubleClicked(&surface, &DrawingSurface::mouseDoubleClicked);
    const QPointF at(50, 60);
    auto send = [&](QEvent::Type type, Qt::MouseButton button) {
        QMouseEvent event(type, at, surface.mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&surface, &event);
    };
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        send(QEvent::MouseButtonDblClick, button);
        send(QEvent::MouseButtonRelease, button);
    }
    EXPECT_EQ(pressed.size(), 0);
    EXPECT_EQ(released.size(), 0);
    EXPECT_EQ(doubleClicked.size(), 0);

    send(QEvent::MouseButtonPress, Qt::RightButton);
    send(QEvent::MouseButtonRelease, Qt::RightButton);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton); // after a click of the other button
    EXPECT_EQ(pressed.size(), 1);
    EXPECT_EQ(released.size(), 1);
    EXPECT_EQ(doubleClicked.size(), 0);
}

TEST_P(DrawingSurfaceTest, MouseEventsArriveInTwips) {
    QSignalSpy pressed(&surface, &DrawingSurface::mousePressed);
    QSignalSpy released(&surface, &DrawingSurface::mouseReleased);
    QSignalSpy doubleClicked(&surface, &DrawingSurface::mouseDoubleClicked);
    surface.show();

    QTest::mouseClick(&surface, Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mousePress(&surface, Qt::RightButton, {}, QPoint(12, 34));
    QTest::mouseRelease(&surface, Qt::RightButton, {}, QPoint(13, 34));
    // A double click is the second click after a first one here.
    QTest::mouseClick(&surface, Qt::LeftButton, {}, QPoint(50, 60));
    QTest::mouseDClick(&surface, Qt::LeftButton, {}, QPoint(50, 60));

    ASSERT_GE(pressed.size(), 2);
    EXPECT_EQ(pressed[0], (QVariantList{3000.0, 1500.0, QVariant::fromValue(Qt::LeftButton)}));
    EXPECT_EQ(pressed[1], (QVariantList{180.0, 510.0, QVariant::fromValue(Qt::RightButton)}));
    ASSERT_GE(released.size(), 2);
    EXPECT_EQ(released[0], (QVariantList{3000.0, 1500.0, QVariant::fromValue(Qt::LeftButton)}));
    EXPECT_EQ(released[1], (QVariantList{195.0, 510.0, QVariant::fromValue(Qt::RightButton)}));
    ASSERT_EQ(doubleClicked.size(), 1);
    EXPECT_EQ(doubleClicked[0], (QVariantList{750.0, 900.0, QVariant::fromValue(Qt::LeftButton)}));

    // A click on the pixel of the centre intersection maps back to it.
    pressed.clear();
    QTest::mouseClick(&surface, Qt::LeftButton, {},
                      QPoint(std::floor(X(10) / 15), std::floor(Y(10) / 15)));
    ASSERT_EQ(pressed.size(), 1);
    EXPECT_EQ(geometry.pointAt(pressed[0][0].toDouble(), pressed[0][1].toDouble()),
              (Point{10, 10}));
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, DrawingSurfaceTest,
                         testing::Values(Layout{800, 11385, 9000}, Layout{640, 8538.75, 6550}));

// ---- The board display of the screens ----

class SurfaceBoardViewTest : public testing::Test {
protected:
    SurfaceBoardViewTest()
        : surface(8538.75, 6550), display(surface, BoardGeometry::forScreenSize(640),
                                          {&moveNumber, &sideToMove, &prisoners, &column, &row}) {}

    DrawingSurface surface;
    QLineEdit moveNumber, sideToMove, column, row;
    QPlainTextEdit prisoners;
    SurfaceBoardView display;
};

TEST_F(SurfaceBoardViewTest, WritesTheStatusBoxes) {
    display.showMoveNumber(moveNumberText(12));
    display.showSideToMove(sideToMoveText(black));
    display.showPrisoners(prisonersText(3, 12));
    display.showPoint({16, 4});
    EXPECT_EQ(moveNumber.text(), QStringLiteral("12手目"));
    EXPECT_EQ(sideToMove.text(), QStringLiteral("白番"));
    EXPECT_EQ(prisoners.toPlainText(), QStringLiteral("上蛤\n白：3\n黒：12"));
    EXPECT_EQ(column.text(), QStringLiteral("16"));
    EXPECT_EQ(row.text(), QStringLiteral("4"));

    display.showSideToMove(sideToMoveText(white));
    EXPECT_EQ(sideToMove.text(), QStringLiteral("黒番"));
}

TEST_F(SurfaceBoardViewTest, DrawBoardSetsTheGridFlagAndDrawsOnTheSurface) {
    EXPECT_FALSE(display.gridDrawn);
    display.drawBoard();
    EXPECT_TRUE(display.gridDrawn);

    const BoardGeometry g = BoardGeometry::forScreenSize(640);
    display.drawStone({3, 3}, white);
    EXPECT_EQ(surface.pixelAt(g.pointX(3), g.pointY(3)).rgb(), whiteRgb);
    display.clearPoint({3, 3});
    EXPECT_EQ(surface.pixelAt(g.pointX(3) + 40, g.pointY(3) + 40).rgb(), boardRgb);
}

TEST(SurfaceBoardViewWithoutBoxesTest, LeavesMissingBoxesAlone) {
    DrawingSurface surface(8538.75, 6550);
    QLineEdit moveNumber;
    SurfaceBoardView display(surface, BoardGeometry::forScreenSize(640), {&moveNumber});
    display.showSideToMove(sideToMoveText(black));
    display.showPrisoners(prisonersText(1, 2));
    display.showPoint({1, 1});
    display.showMoveNumber(moveNumberText(7));
    EXPECT_EQ(moveNumber.text(), QStringLiteral("7手目"));
}

} // namespace
} // namespace vorleth
