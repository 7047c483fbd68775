#include "export/figurelayout.h"

#include <QXmlStreamWriter>

#include <algorithm>

namespace vorleth {

namespace {

constexpr double margin = 24;
constexpr double cell = 22;
constexpr double stoneRadius = 0.48 * cell;
constexpr double labelWidth = 16;
constexpr double headingSize = 12;
constexpr double headingLine = 18;
constexpr double coordinateSize = 8;
constexpr double noteSize = 10;
constexpr double noteLine = 15;

// Advance widths as a share of the font size, generous for the usual CJK fonts: Latin digits
// are half-width, "＝" full-width.
constexpr double digitWidth = 0.6;
constexpr double fullWidth = 1.0;

double boardLeft() {
    return margin + labelWidth + cell / 2;
}

// A text's width as the usual fonts set it: ASCII half-width, everything else full-width.
double estimatedWidth(const QString& text, double size) {
    double width = 0;
    for (const QChar c : text)
        width += (c.unicode() < 0x80 ? digitWidth : fullWidth) * size;
    return width;
}

FigureText makeText(FigureText::Role role, const QString& content, QPointF at, double size,
                    bool centred) {
    FigureText text;
    text.role = role;
    text.text = content;
    text.at = at;
    text.size = size;
    text.centred = centred;
    return text;
}

} // namespace

FigurePage layoutFigure(const GameFigure& figure, const QStringList& heading) {
    FigurePage page;
    page.width = boardLeft() + 18 * cell + cell / 2 + margin;

    double y = margin;
    for (const QString& line : heading) {
        FigureText text = makeText(FigureText::Role::Heading, line, {margin, y + headingLine / 2},
                                   headingSize, false);
        // A long game name is set narrower rather than run off the page.
        text.fitWidth = page.width - 2 * margin;
        page.texts.append(text);
        y += headingLine;
    }
    y += heading.isEmpty() ? 0 : 6;

    const double columnLabels = y + coordinateSize;
    const double top = columnLabels + coordinateSize + cell / 2;
    const double left = boardLeft();
    auto x = [left](int column) { return left + (column - 1) * cell; };
    auto yOf = [top](int row) { return top + (row - 1) * cell; };

    for (int i = 1; i <= 19; ++i) {
        const double width = i == 1 || i == 19 ? 1.0 : 0.5;
        page.lines.append({{x(i), yOf(1)}, {x(i), yOf(19)}, width});
        page.lines.append({{x(1), yOf(i)}, {x(19), yOf(i)}, width});
        page.texts.append(makeText(FigureText::Role::Coordinate, QString::number(i),
                                   {x(i), columnLabels}, coordinateSize, true));
        page.texts.append(makeText(FigureText::Role::Coordinate, QString::number(i),
                                   {margin + labelWidth / 2, yOf(i)}, coordinateSize, true));
    }
    for (int column : {4, 10, 16})
        for (int row : {4, 10, 16})
            page.discs.append({{x(column), yOf(row)}, 1.8, true});

    for (const FigureStone& stone : figure.stones) {
        const QPointF centre(x(stone.point.column), yOf(stone.point.row));
        const bool black = stone.colour == Board::Black;
        page.discs.append({centre, stoneRadius, black});
        if (stone.number == 0)
            continue;
        const QString number = QString::number(stone.number);
        // Up to two digits at one size; more get smaller and are held inside the stone.
        const double size = std::min(
            0.5 * cell, 1.6 * stoneRadius / (digitWidth * std::max<int>(2, number.size())));
        FigureText text = makeText(FigureText::Role::Move, number, centre, size, true);
        text.whiteInk = black;
        text.fitWidth = 1.6 * stoneRadius;
        text.move = stone.number;
        text.point = stone.point;
        page.texts.append(text);
    }

    y = yOf(19) + stoneRadius + 14;
    if (!figure.notes.isEmpty()) {
        double widest = 0;
        for (const FigureNote& note : figure.notes)
            widest = std::max(widest, estimatedWidth(note.text(), noteSize));
        const double columnWidth = widest + noteSize;
        const double usable = page.width - 2 * margin;
        const int perRow = std::max(1, int(usable / columnWidth));
        for (int i = 0; i < figure.notes.size(); ++i) {
            const FigureNote& note = figure.notes.at(i);
            FigureText text =
                makeText(FigureText::Role::Note, note.text(),
                         {margin + (i % perRow) * columnWidth, y + (i / perRow) * noteLine},
                         noteSize, false);
            text.fitWidth = widest;
            text.move = note.move;
            text.earlier = note.earlierMove;
            text.point = note.point;
            page.texts.append(text);
        }
        y += ((int(figure.notes.size()) + perRow - 1) / perRow) * noteLine;
    }
    page.height = y + margin - noteLine / 2;
    return page;
}

QByteArray figureSvg(const FigurePage& page) {
    QByteArray bytes;
    QXmlStreamWriter svg(&bytes);
    svg.setAutoFormatting(true);
    svg.writeStartDocument();
    svg.writeStartElement(QStringLiteral("svg"));
    svg.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    const QString width = QString::number(page.width, 'f', 2);
    const QString height = QString::number(page.height, 'f', 2);
    svg.writeAttribute(QStringLiteral("width"), width + QStringLiteral("pt"));
    svg.writeAttribute(QStringLiteral("height"), height + QStringLiteral("pt"));
    svg.writeAttribute(QStringLiteral("viewBox"), QStringLiteral("0 0 %1 %2").arg(width, height));
    svg.writeAttribute(QStringLiteral("font-family"),
                       QStringLiteral("'Noto Sans CJK JP', 'Noto Sans JP', sans-serif"));

    auto number = [](double v) { return QString::number(v, 'f', 2); };
    svg.writeEmptyElement(QStringLiteral("rect"));
    svg.writeAttribute(QStringLiteral("width"), width);
    svg.writeAttribute(QStringLiteral("height"), height);
    svg.writeAttribute(QStringLiteral("fill"), QStringLiteral("#ffffff"));

    for (const FigureLine& line : page.lines) {
        svg.writeEmptyElement(QStringLiteral("line"));
        svg.writeAttribute(QStringLiteral("x1"), number(line.from.x()));
        svg.writeAttribute(QStringLiteral("y1"), number(line.from.y()));
        svg.writeAttribute(QStringLiteral("x2"), number(line.to.x()));
        svg.writeAttribute(QStringLiteral("y2"), number(line.to.y()));
        svg.writeAttribute(QStringLiteral("stroke"), QStringLiteral("#000000"));
        svg.writeAttribute(QStringLiteral("stroke-width"), number(line.width));
    }
    for (const FigureDisc& disc : page.discs) {
        svg.writeEmptyElement(QStringLiteral("circle"));
        svg.writeAttribute(QStringLiteral("cx"), number(disc.centre.x()));
        svg.writeAttribute(QStringLiteral("cy"), number(disc.centre.y()));
        svg.writeAttribute(QStringLiteral("r"), number(disc.radius));
        svg.writeAttribute(QStringLiteral("fill"),
                           disc.black ? QStringLiteral("#000000") : QStringLiteral("#ffffff"));
        if (!disc.black) {
            svg.writeAttribute(QStringLiteral("stroke"), QStringLiteral("#000000"));
            svg.writeAttribute(QStringLiteral("stroke-width"), QStringLiteral("0.8"));
        }
    }
    for (const FigureText& text : page.texts) {
        svg.writeStartElement(QStringLiteral("text"));
        static const char* const roles[] = {"heading", "coordinate", "move", "note"};
        svg.writeAttribute(QStringLiteral("class"), QLatin1String(roles[int(text.role)]));
        svg.writeAttribute(QStringLiteral("x"), number(text.at.x()));
        svg.writeAttribute(QStringLiteral("y"), number(text.at.y()));
        svg.writeAttribute(QStringLiteral("font-size"), number(text.size));
        svg.writeAttribute(QStringLiteral("dominant-baseline"), QStringLiteral("central"));
        if (text.centred)
            svg.writeAttribute(QStringLiteral("text-anchor"), QStringLiteral("middle"));
        if (text.whiteInk)
            svg.writeAttribute(QStringLiteral("fill"), QStringLiteral("#ffffff"));
        if (text.role == FigureText::Role::Move) {
            svg.writeAttribute(QStringLiteral("data-move"), QString::number(text.move));
            svg.writeAttribute(QStringLiteral("data-point"),
                               QStringLiteral("%1,%2").arg(text.point.column).arg(text.point.row));
        } else if (text.role == FigureText::Role::Note) {
            svg.writeAttribute(QStringLiteral("data-move"), QString::number(text.move));
            svg.writeAttribute(QStringLiteral("data-earlier"), QString::number(text.earlier));
        }
        // Three digits and more are held inside the stone whatever the font; a heading too long
        // for the page is set narrower.
        const bool fit =
            text.role == FigureText::Role::Move
                ? text.text.size() > 2
                : text.fitWidth > 0 && estimatedWidth(text.text, text.size) > text.fitWidth;
        if (fit) {
            svg.writeAttribute(QStringLiteral("textLength"), number(text.fitWidth));
            svg.writeAttribute(QStringLiteral("lengthAdjust"), QStringLiteral("spacingAndGlyphs"));
        }
        svg.writeCharacters(text.text);
        svg.writeEndElement();
    }
    svg.writeEndElement();
    svg.writeEndDocument();
    return bytes;
}

} // namespace vorleth
