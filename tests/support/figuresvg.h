#pragma once

// A figure read back from its SVG as a reader would read the printed page: each number on the
// point its place on the page shows (by the column and row labels, not by the data attributes),
// the stones without numbers, the notes and the heading.

#include "board/board.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>

namespace vorleth::test {

struct ReadFigure {
    std::array<std::array<int, 20>, 20> numbers{}; // [column][row], 0 for none
    std::array<std::array<char, 20>, 20> stones{}; // 'X', 'O' or 0, numbered or not
    QVector<std::pair<int, int>> notes;            // "N＝M" as (N, M), in page order
    QStringList heading;
    int numbersOutsidePoints = 0; // numbers whose place is no point of the grid
};

inline ReadFigure readFigureSvg(const QByteArray& svg) {
    struct Text {
        QString role, content;
        double x = 0, y = 0;
    };
    struct Circle {
        double x, y, r;
        bool black;
    };
    QVector<Text> texts;
    QVector<Circle> circles;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("text")) {
            Text t{a.value(QLatin1String("class")).toString(),
                   {},
                   a.value(QLatin1String("x")).toDouble(),
                   a.value(QLatin1String("y")).toDouble()};
            t.content = xml.readElementText();
            texts.append(t);
        } else if (xml.name() == QLatin1String("circle")) {
            circles.append({a.value(QLatin1String("cx")).toDouble(),
                            a.value(QLatin1String("cy")).toDouble(),
                            a.value(QLatin1String("r")).toDouble(),
                            a.value(QLatin1String("fill")) == QLatin1String("#000000")});
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    // The column labels run along the top, the row labels down the left side.
    double top = 1e9, left = 1e9;
    for (const Text& t : texts)
        if (t.role == QLatin1String("coordinate")) {
            top = std::min(top, t.y);
            left = std::min(left, t.x);
        }
    std::map<int, double> columnX, rowY;
    for (const Text& t : texts) {
        if (t.role != QLatin1String("coordinate"))
            continue;
        if (std::abs(t.y - top) < 0.01)
            columnX[t.content.toInt()] = t.x;
        else if (std::abs(t.x - left) < 0.01)
            rowY[t.content.toInt()] = t.y;
    }
    EXPECT_EQ(columnX.size(), 19u);
    EXPECT_EQ(rowY.size(), 19u);
    // Column 1 at the left, row 1 at the top, as the board is shown.
    EXPECT_LT(columnX[1], columnX[19]);
    EXPECT_LT(rowY[1], rowY[19]);
    auto pointAt = [&](double x, double y) -> Point {
        Point p;
        for (const auto& [column, cx] : columnX)
            if (std::abs(cx - x) < 0.01)
                p.column = column;
        for (const auto& [row, ry] : rowY)
            if (std::abs(ry - y) < 0.01)
                p.row = row;
        return p;
    };

    ReadFigure figure;
    for (const Circle& c : circles) {
        const Point p = pointAt(c.x, c.y);
        if (p.onBoard() && c.r > 3) // star points are small dots
            figure.stones[p.column][p.row] = c.black ? 'X' : 'O';
    }
    const QRegularExpression note(QStringLiteral("^(\\d+)＝(\\d+)$"));
    for (const Text& t : texts) {
        if (t.role == QLatin1String("move")) {
            const Point p = pointAt(t.x, t.y);
            if (p.onBoard())
                figure.numbers[p.column][p.row] = t.content.toInt();
            else
                ++figure.numbersOutsidePoints;
        } else if (t.role == QLatin1String("note")) {
            const auto m = note.match(t.content);
            EXPECT_TRUE(m.hasMatch()) << t.content.toStdString();
            figure.notes.append({m.captured(1).toInt(), m.captured(2).toInt()});
        } else if (t.role == QLatin1String("heading")) {
            figure.heading << t.content;
        }
    }
    return figure;
}

} // namespace vorleth::test
