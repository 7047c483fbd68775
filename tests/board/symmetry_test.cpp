#include "board/symmetry.h"

#include <gtest/gtest.h>

#include <QSet>

namespace vorleth {
namespace {

std::string name(BoardSymmetry s) {
    return symmetryDescription(s).toStdString();
}

QVector<Point> allPoints() {
    QVector<Point> points;
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row)
            points.append({column, row});
    }
    return points;
}

TEST(BoardSymmetry, ImagesOfACornerAndAStarPoint) {
    // (16, 4) is the top right star point; the corner (1, 1) is the top left.
    const struct {
        BoardSymmetry symmetry;
        Point corner;
        Point star;
    } cases[] = {
        {BoardSymmetry::Identity, {1, 1}, {16, 4}},
        {BoardSymmetry::QuarterTurnRight, {19, 1}, {16, 16}},
        {BoardSymmetry::HalfTurn, {19, 19}, {4, 16}},
        {BoardSymmetry::QuarterTurnLeft, {1, 19}, {4, 4}},
        {BoardSymmetry::MirrorLeftRight, {19, 1}, {4, 4}},
        {BoardSymmetry::MirrorTopBottom, {1, 19}, {16, 16}},
        {BoardSymmetry::MirrorDiagonal, {1, 1}, {4, 16}},
        {BoardSymmetry::MirrorOtherDiagonal, {19, 19}, {16, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(name(c.symmetry));
        EXPECT_EQ(applySymmetry(c.symmetry, {1, 1}), c.corner);
        EXPECT_EQ(applySymmetry(c.symmetry, {16, 4}), c.star);
    }
}

TEST(BoardSymmetry, EachIsAPermutationOfTheBoardAndItsInverseUndoesIt) {
    const QVector<Point> points = allPoints();
    QSet<int> imagesOfAnAsymmetricPoint;
    for (const BoardSymmetry s : boardSymmetries) {
        SCOPED_TRACE(name(s));
        QSet<int> images;
        for (const Point& p : points) {
            const Point image = applySymmetry(s, p);
            EXPECT_TRUE(image.onBoard()) << p.column << "," << p.row;
            images.insert(image.code());
            EXPECT_EQ(applySymmetry(inverseSymmetry(s), image), p);
        }
        EXPECT_EQ(images.size(), points.size());
        imagesOfAnAsymmetricPoint.insert(applySymmetry(s, {3, 1}).code());
    }
    EXPECT_EQ(imagesOfAnAsymmetricPoint.size(), 8); // no two symmetries are the same
    // Two quarter turns make a half turn.
    for (const Point& p : points) {
        EXPECT_EQ(applySymmetry(BoardSymmetry::QuarterTurnRight,
                                applySymmetry(BoardSymmetry::QuarterTurnRight, p)),
                  applySymmetry(BoardSymmetry::HalfTurn, p));
    }
}

TEST(BoardSymmetry, MappingOfOnePointSetOntoAnother) {
    const Point dd{4, 4}, pd{16, 4}, dp{4, 16}, pp{16, 16}, jd{10, 4}, jp{10, 16}, dj{4, 10},
        pj{16, 10}, jj{10, 10};
    const struct {
        const char* name;
        QVector<Point> from;
        QVector<Point> to;
        std::optional<BoardSymmetry> expected;
    } cases[] = {
        {"already in place, in another order", {dd, pp}, {pp, dd}, BoardSymmetry::Identity},
        {"two stones on the other diagonal", {pd, dp}, {pp, dd}, BoardSymmetry::QuarterTurnRight},
        {"three stones, top left open",
         {pd, dp, pp},
         {pp, dd, dp},
         BoardSymmetry::QuarterTurnRight},
        {"three stones, bottom left open", {dd, pd, pp}, {pp, dd, dp}, BoardSymmetry::HalfTurn},
        {"three stones, bottom right open",
         {dd, pd, dp},
         {pp, dd, dp},
         BoardSymmetry::QuarterTurnLeft},
        {"six stones on the top and bottom sides",
         {dd, pd, dp, pp, jd, jp},
         {pp, dd, dp, pd, dj, pj},
         BoardSymmetry::QuarterTurnRight},
        {"repeats do not count", {pd, pd, dp}, {pp, dd}, BoardSymmetry::QuarterTurnRight},
        {"only a mirror", {{1, 1}, {2, 1}}, {{19, 1}, {18, 1}}, BoardSymmetry::MirrorLeftRight},
        {"only the diagonal",
         {{1, 1}, {2, 1}, {1, 3}},
         {{1, 1}, {1, 2}, {3, 1}},
         BoardSymmetry::MirrorDiagonal},
        {"only the other diagonal",
         {{19, 1}, {18, 1}, {19, 3}},
         {{19, 1}, {19, 2}, {17, 1}},
         BoardSymmetry::MirrorOtherDiagonal},
        {"nothing onto nothing", {}, {}, BoardSymmetry::Identity},
        {"eight on the sides against eight with the centre",
         {dd, pd, dp, pp, jd, jp, dj, pj},
         {pp, dd, dp, pd, dj, pj, jj, jp},
         std::nullopt},
        {"free placement", {dd, {16, 17}}, {pp, dd}, std::nullopt},
        {"different counts", {dd, pp, pd}, {pp, dd}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto found = symmetryMapping(c.from, c.to);
        EXPECT_EQ(found ? name(*found) : "none", c.expected ? name(*c.expected) : "none");
        if (found) {
            // Whatever was found must really map the one set onto the other.
            for (const Point& p : c.from)
                EXPECT_TRUE(c.to.contains(applySymmetry(*found, p)));
        }
    }
}

} // namespace
} // namespace vorleth
