#include "board/symmetry.h"

#include <algorithm>

namespace vorleth {

namespace {

constexpr int mirrorSum = 20; // a line of 1..19 reversed: k becomes 20 - k

QVector<Point> distinctSorted(QVector<Point> points) {
    const auto less = [](const Point& a, const Point& b) {
        return a.column != b.column ? a.column < b.column : a.row < b.row;
    };
    std::sort(points.begin(), points.end(), less);
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

} // namespace

Point applySymmetry(BoardSymmetry symmetry, Point p) {
    const int c = p.column;
    const int r = p.row;
    switch (symmetry) {
    case BoardSymmetry::Identity:
        return p;
    case BoardSymmetry::QuarterTurnRight:
        return {mirrorSum - r, c};
    case BoardSymmetry::HalfTurn:
        return {mirrorSum - c, mirrorSum - r};
    case BoardSymmetry::QuarterTurnLeft:
        return {r, mirrorSum - c};
    case BoardSymmetry::MirrorLeftRight:
        return {mirrorSum - c, r};
    case BoardSymmetry::MirrorTopBottom:
        return {c, mirrorSum - r};
    case BoardSymmetry::MirrorDiagonal:
        return {r, c};
    case BoardSymmetry::MirrorOtherDiagonal:
        return {mirrorSum - r, mirrorSum - c};
    }
    return p;
}

BoardSymmetry inverseSymmetry(BoardSymmetry symmetry) {
    switch (symmetry) {
    case BoardSymmetry::QuarterTurnRight:
        return BoardSymmetry::QuarterTurnLeft;
    case BoardSymmetry::QuarterTurnLeft:
        return BoardSymmetry::QuarterTurnRight;
    default:
        return symmetry; // the half turn and the mirrors undo themselves
    }
}

QString symmetryDescription(BoardSymmetry symmetry) {
    switch (symmetry) {
    case BoardSymmetry::Identity:
        return QStringLiteral("not turned");
    case BoardSymmetry::QuarterTurnRight:
        return QStringLiteral("turned a quarter to the right");
    case BoardSymmetry::HalfTurn:
        return QStringLiteral("turned halfway round");
    case BoardSymmetry::QuarterTurnLeft:
        return QStringLiteral("turned a quarter to the left");
    case BoardSymmetry::MirrorLeftRight:
        return QStringLiteral("mirrored left to right");
    case BoardSymmetry::MirrorTopBottom:
        return QStringLiteral("mirrored top to bottom");
    case BoardSymmetry::MirrorDiagonal:
        return QStringLiteral("mirrored across the diagonal from the top left");
    case BoardSymmetry::MirrorOtherDiagonal:
        return QStringLiteral("mirrored across the diagonal from the top right");
    }
    return QString();
}

std::optional<BoardSymmetry> symmetryMapping(const QVector<Point>& from, const QVector<Point>& to) {
    const QVector<Point> source = distinctSorted(from);
    const QVector<Point> target = distinctSorted(to);
    if (source.size() != target.size())
        return std::nullopt;
    for (const BoardSymmetry symmetry : boardSymmetries) {
        QVector<Point> image;
        image.reserve(source.size());
        for (const Point& p : source)
            image.append(applySymmetry(symmetry, p));
        if (distinctSorted(std::move(image)) == target)
            return symmetry;
    }
    return std::nullopt;
}

} // namespace vorleth
