#include "search/pattern.h"

#include <QStringList>

#include <algorithm>

namespace vorleth {

namespace {

PatternContent contentOf(Board::Cell cell) {
    switch (cell) {
    case Board::Black:
        return PatternContent::Black;
    case Board::White:
        return PatternContent::White;
    default:
        return PatternContent::Empty;
    }
}

PatternContent swappedContent(PatternContent content) {
    if (content == PatternContent::Black)
        return PatternContent::White;
    if (content == PatternContent::White)
        return PatternContent::Black;
    return content;
}

} // namespace

bool SearchPattern::isWholeBoard() const {
    return std::none_of(points.begin(), points.end(),
                        [](PatternContent c) { return c == PatternContent::Any; });
}

int SearchPattern::stoneCount() const {
    return static_cast<int>(std::count_if(points.begin(), points.end(), [](PatternContent c) {
        return c == PatternContent::Black || c == PatternContent::White;
    }));
}

SearchPattern positionPattern(const Board& board) {
    SearchPattern pattern;
    for (int i = 0; i < boardPointCount; ++i)
        pattern.points[i] = contentOf(board.cell(pointOfIndex(i)));
    return pattern;
}

SearchPattern regionPattern(const Board& board, Point corner, Point oppositeCorner) {
    SearchPattern pattern;
    const int left = std::clamp(std::min(corner.column, oppositeCorner.column), 1, 19);
    const int right = std::clamp(std::max(corner.column, oppositeCorner.column), 1, 19);
    const int top = std::clamp(std::min(corner.row, oppositeCorner.row), 1, 19);
    const int bottom = std::clamp(std::max(corner.row, oppositeCorner.row), 1, 19);
    for (int column = left; column <= right; ++column)
        for (int row = top; row <= bottom; ++row)
            pattern.set({column, row}, contentOf(board.cell(column, row)));
    return pattern;
}

Result<SearchPattern> parsePattern(const QString& text) {
    auto fail = [](const QString& reason) { return Result<SearchPattern>::failure(reason); };
    QStringList lines = QString(text).remove(u'\r').split(u'\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (lines.size() != 19)
        return fail(QStringLiteral("a pattern has 19 lines, this one %1").arg(lines.size()));
    SearchPattern pattern;
    for (int row = 1; row <= 19; ++row) {
        const QString& line = lines.at(row - 1);
        if (line.size() != 19)
            return fail(QStringLiteral("line %1 has %2 characters instead of 19")
                            .arg(row)
                            .arg(line.size()));
        for (int column = 1; column <= 19; ++column) {
            PatternContent content = PatternContent::Any;
            switch (line.at(column - 1).unicode()) {
            case 'X':
                content = PatternContent::Black;
                break;
            case 'O':
                content = PatternContent::White;
                break;
            case '.':
                content = PatternContent::Empty;
                break;
            case '*':
                break;
            default:
                return fail(QStringLiteral("line %1, column %2: '%3' is none of X O . *")
                                .arg(row)
                                .arg(column)
                                .arg(line.at(column - 1)));
            }
            pattern.set({column, row}, content);
        }
    }
    return Result<SearchPattern>::success(pattern);
}

QString patternText(const SearchPattern& pattern) {
    QString text;
    for (int row = 1; row <= 19; ++row) {
        for (int column = 1; column <= 19; ++column) {
            static constexpr char letters[] = {'*', '.', 'X', 'O'};
            text += QLatin1Char(letters[static_cast<int>(pattern.at({column, row}))]);
        }
        text += u'\n';
    }
    return text;
}

QVector<PatternVariant> patternVariants(const SearchPattern& pattern, bool swap) {
    QVector<PatternVariant> variants;
    for (const bool swapped : {false, true}) {
        if (swapped && !swap)
            break;
        for (const BoardSymmetry symmetry : boardSymmetries) {
            PatternVariant v;
            v.symmetry = symmetry;
            v.swapped = swapped;
            for (int i = 0; i < boardPointCount; ++i) {
                PatternContent content = pattern.points[i];
                if (swapped)
                    content = swappedContent(content);
                const int target = pointIndex(applySymmetry(symmetry, pointOfIndex(i)));
                v.expected[target] = static_cast<std::uint8_t>(content);
                if (content == PatternContent::Black)
                    v.blackBits[target / 64] |= std::uint64_t(1) << (target % 64);
                else if (content == PatternContent::White)
                    v.whiteBits[target / 64] |= std::uint64_t(1) << (target % 64);
            }
            const bool seen = std::any_of(variants.begin(), variants.end(),
                                          [&](const auto& o) { return o.expected == v.expected; });
            if (!seen)
                variants.append(v);
        }
    }
    return variants;
}

} // namespace vorleth
