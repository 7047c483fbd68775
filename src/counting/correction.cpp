#include "counting/correction.h"

namespace vorleth {

namespace {

void moveCounters(CountCounters& counters, CountMark mark, int points, int sign) {
    switch (mark) {
    case CountMark::BlackTerritory:
        counters.blackTerritoryCount += sign * points;
        break;
    case CountMark::WhiteTerritory:
        counters.whiteTerritoryCount += sign * points;
        break;
    case CountMark::DeadBlack:
        counters.blackDeadDouble += sign * 2 * points;
        break;
    case CountMark::DeadWhite:
        counters.whiteDeadDouble += sign * 2 * points;
        break;
    default:
        break;
    }
}

bool drawsNothing(CountMark mark) {
    const MarkDrawing drawing = markDrawing(mark);
    return drawing.disc == MarkDrawing::Colour::None && drawing.square == MarkDrawing::Colour::None;
}

// The new drawing is painted over the old one: a disc the new mark does not cover, or any
// mark of a point made neutral again, has to go first.
bool clearsFirst(CountMark before, CountMark after) {
    if (drawsNothing(before))
        return false;
    return before == CountMark::Seki || drawsNothing(after) ||
           (markDrawing(before).disc != MarkDrawing::Colour::None &&
            markDrawing(after).disc == MarkDrawing::Colour::None);
}

QVector<RedrawStep> remark(CountGrid& grid, CountCounters& counters, const QVector<Point>& region,
                           CountMark before, CountMark after) {
    const int n = static_cast<int>(region.size());
    moveCounters(counters, before, n, -1);
    moveCounters(counters, after, n, +1);
    QVector<RedrawStep> redraw;
    const bool clear = clearsFirst(before, after);
    for (const Point& p : region) {
        if (clear)
            redraw.append({RedrawStep::Kind::Clear, p, CountMark::None});
        redraw.append({RedrawStep::Kind::Draw, p, after});
        grid.set(p, after);
    }
    return redraw;
}

} // namespace

Correction applyCorrection(CountGrid& grid, CountCounters& counters, Point clickedPoint,
                           CountMark clickedMark, CountMark chosenMark) {
    Correction c;
    c.before = clickedMark;
    c.after = chosenMark;
    std::array<std::array<bool, 21>, 21> seen{};
    c.region.append(clickedPoint);
    seen[clickedPoint.column][clickedPoint.row] = true;
    for (qsizetype cursor = 0; cursor < c.region.size(); ++cursor) {
        const Point p = c.region.at(cursor);
        for (int d = 1; d <= 4; ++d) {
            const DirectionTable::Offset o = DirectionTable::offset(d);
            const Point q{p.column + o.dColumn, p.row + o.dRow};
            if (q.onBoard() && !seen[q.column][q.row] && grid.at(q) == clickedMark) {
                seen[q.column][q.row] = true;
                c.region.append(q);
            }
        }
    }
    c.redraw = remark(grid, counters, c.region, clickedMark, chosenMark);
    return c;
}

QVector<RedrawStep> revertCorrection(CountGrid& grid, CountCounters& counters,
                                     const Correction& correction) {
    return remark(grid, counters, correction.region, correction.after, correction.before);
}

QString currentMarkName(CountMark mark) {
    switch (mark) {
    case CountMark::BlackStone:
        return QStringLiteral("黒石");
    case CountMark::WhiteStone:
        return QStringLiteral("白石");
    case CountMark::BlackTerritory:
        return QStringLiteral("黒地");
    case CountMark::WhiteTerritory:
        return QStringLiteral("白地");
    case CountMark::DeadWhite:
        return QStringLiteral("黒の上蛤");
    case CountMark::DeadBlack:
        return QStringLiteral("白の上蛤");
    default:
        return QStringLiteral("堰・ダメ");
    }
}

const std::array<PaletteButton, 10>& paletteMarkButtons() {
    static const std::array<PaletteButton, 10> buttons{{
        {"Command5", QStringLiteral("黒石"), CountMark::BlackStone},
        {"Command1", QStringLiteral("白石"), CountMark::WhiteStone},
        {"Command6", QStringLiteral("黒地"), CountMark::BlackTerritory},
        {"Command2", QStringLiteral("白地"), CountMark::WhiteTerritory},
        {"Command7", QStringLiteral("黒の上蛤"), CountMark::DeadWhite},
        {"Command3", QStringLiteral("白の上蛤"), CountMark::DeadBlack},
        {"Command4", QStringLiteral("堰（セキ）"), CountMark::Seki},
        // A neutral point a player filled is simply a stone of that colour.
        {"Command9", QStringLiteral("黒のダメ"), CountMark::BlackStone},
        {"Command10", QStringLiteral("白のダメ"), CountMark::WhiteStone},
        // A point the count left to nobody, or gave to somebody wrongly, can be made neutral.
        {"Command11", neutralCaption, CountMark::None},
    }};
    return buttons;
}

void CountingSession::start(const Board& board, int prisonersWhite, int prisonersBlack,
                            const QString& komiText, const CountOptions& options) {
    start(countPosition(board, options), prisonersWhite, prisonersBlack, komiText);
}

void CountingSession::start(const CountOutcome& outcome, int prisonersWhite, int prisonersBlack,
                            const QString& komiText) {
    m_grid = outcome.grid;
    m_counters = outcome.counters;
    m_prisonersWhite = prisonersWhite;
    m_prisonersBlack = prisonersBlack;
    m_komiText = komiText;
    m_result = computeResult(m_counters, m_prisonersWhite, m_prisonersBlack, m_komiText);
    m_clickedPoint.reset();
    m_clickedMark = CountMark::None;
    m_chosenMark = CountMark::None;
    m_correctionPending = false;
    m_lastCorrection = {};
    m_undoPossible = false;
}

void CountingSession::leftButtonDown(std::optional<Point> point) {
    m_clickedPoint = point && point->onBoard() ? point : std::nullopt;
    if (m_clickedPoint)
        m_clickedMark = m_grid.at(*m_clickedPoint);
}

CountingSession::Release CountingSession::leftButtonUp() {
    Release release;
    // An unassigned point is corrected like any other: the count may have left a territory
    // to nobody.
    if (!m_clickedPoint)
        return release;
    if (m_correctionPending) {
        release.action = Release::Action::Corrected;
        release.redraw = correct();
    } else {
        release.action = Release::Action::OpenPalette;
        release.currentMarkName = currentMarkName(m_clickedMark);
    }
    return release;
}

void CountingSession::pickMark(CountMark mark) {
    m_chosenMark = mark;
    m_correctionPending = true;
}

void CountingSession::leavePalette() {
    m_correctionPending = false;
}

QVector<RedrawStep> CountingSession::activated() {
    if (!m_correctionPending)
        return {};
    return correct();
}

QVector<RedrawStep> CountingSession::correct() {
    m_correctionPending = false;
    // The palette could have been left open over a click off the board.
    if (!m_clickedPoint)
        return {};
    m_lastCorrection =
        applyCorrection(m_grid, m_counters, *m_clickedPoint, m_clickedMark, m_chosenMark);
    m_undoPossible = true;
    m_clickedPoint.reset();
    m_result = computeResult(m_counters, m_prisonersWhite, m_prisonersBlack, m_komiText);
    return m_lastCorrection.redraw;
}

QVector<RedrawStep> CountingSession::undo() {
    if (!m_undoPossible || m_lastCorrection.before == m_lastCorrection.after)
        return {};
    m_undoPossible = false;
    const QVector<RedrawStep> redraw = revertCorrection(m_grid, m_counters, m_lastCorrection);
    m_result = computeResult(m_counters, m_prisonersWhite, m_prisonersBlack, m_komiText);
    return redraw;
}

} // namespace vorleth
