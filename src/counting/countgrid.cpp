#include "counting/countgrid.h"

#include <QStringList>

namespace vorleth {

namespace {

// The diagram letter of each mark, in the order of CountMark.
constexpr char16_t diagramLetters[] = u".XObwoxs";

} // namespace

QString markText(CountMark mark) {
    switch (mark) {
    case CountMark::None:
        return QString();
    case CountMark::BlackStone:
        return QStringLiteral("1");
    case CountMark::WhiteStone:
        return QStringLiteral("2");
    case CountMark::BlackTerritory:
        return QStringLiteral("B");
    case CountMark::WhiteTerritory:
        return QStringLiteral("W");
    case CountMark::DeadWhite:
        return QStringLiteral("WB");
    case CountMark::DeadBlack:
        return QStringLiteral("BW");
    case CountMark::Seki:
        return QStringLiteral("S");
    }
    return QString();
}

void CountGrid::clear() {
    for (auto& column : m_marks)
        column.fill(CountMark::None);
}

CountCounters countersOf(const CountGrid& grid) {
    CountCounters c;
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            switch (grid.at(column, row)) {
            case CountMark::BlackTerritory:
                ++c.blackTerritoryCount;
                break;
            case CountMark::WhiteTerritory:
                ++c.whiteTerritoryCount;
                break;
            case CountMark::DeadBlack:
                c.blackDeadDouble += 2;
                break;
            case CountMark::DeadWhite:
                c.whiteDeadDouble += 2;
                break;
            default:
                break;
            }
        }
    }
    return c;
}

QVector<MarkAt> marksToDraw(const CountGrid& grid) {
    QVector<MarkAt> marks;
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            if (grid.at(column, row) != CountMark::None)
                marks.append({{column, row}, grid.at(column, row)});
        }
    }
    return marks;
}

MarkDrawing markDrawing(CountMark mark) {
    using C = MarkDrawing::Colour;
    switch (mark) {
    case CountMark::None:
        return {};
    case CountMark::BlackStone:
        return {C::Black, C::None, 0, false};
    case CountMark::WhiteStone:
        return {C::White, C::None, 0, false};
    case CountMark::BlackTerritory:
        return {C::None, C::Black, 0.8, true};
    case CountMark::WhiteTerritory:
        return {C::None, C::White, 0.8, true};
    case CountMark::DeadWhite: // the stone's colour, then the colour of the area it lies in
        return {C::White, C::Black, 0.6, false};
    case CountMark::DeadBlack:
        return {C::Black, C::White, 0.6, false};
    case CountMark::Seki:
        return {C::Grey, C::None, 0, false};
    }
    return {};
}

QString countDiagram(const CountGrid& grid) {
    QString text;
    text.reserve(20 * 19);
    for (int row = 1; row <= 19; ++row) {
        for (int column = 1; column <= 19; ++column)
            text.append(QChar(diagramLetters[static_cast<int>(grid.at(column, row))]));
        text.append(u'\n');
    }
    return text;
}

CountGrid parseCountDiagram(const QString& diagram) {
    CountGrid grid;
    const QStringList rows = diagram.split(u'\n');
    const QString letters = QString::fromUtf16(diagramLetters);
    for (int row = 1; row <= 19 && row <= rows.size(); ++row) {
        const QString& text = rows.at(row - 1);
        for (int column = 1; column <= 19 && column <= text.size(); ++column) {
            const qsizetype mark = letters.indexOf(text.at(column - 1));
            if (mark > 0)
                grid.set(column, row, static_cast<CountMark>(mark));
        }
    }
    return grid;
}

} // namespace vorleth
