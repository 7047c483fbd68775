#include "board/playrules.h"

#include <array>
#include <limits>
#include <vector>

namespace vorleth {

namespace {

const QString removalKind = QStringLiteral("+");
const QString pauseKind = QStringLiteral("9");

Point neighbour(Point p, int direction) {
    const auto o = DirectionTable::offset(direction);
    return {p.column + o.dColumn, p.row + o.dRow};
}

// Number of distinct opponent stones a play of colour at the empty point p would remove.
int stonesCapturedBy(const Board& board, Point p, Board::Cell colour) {
    const Board::Cell opp = colour == Board::Black ? Board::White : Board::Black;
    std::array<std::array<bool, 20>, 20> seen{};
    seen[p.column][p.row] = true; // the new stone is never part of an opponent group
    int captured = 0;
    std::vector<Point> group;
    for (int d = 1; d <= 4; ++d) {
        const Point q = neighbour(p, d);
        if (!q.onBoard() || board.cell(q) != opp || seen[q.column][q.row])
            continue;
        group.assign(1, q);
        seen[q.column][q.row] = true;
        bool liberty = false;
        for (size_t i = 0; i < group.size(); ++i) {
            for (int e = 1; e <= 4; ++e) {
                const Point n = neighbour(group[i], e);
                if (!n.onBoard() || n == p)
                    continue;
                if (board.cell(n) == Board::Empty)
                    liberty = true;
                else if (board.cell(n) == opp && !seen[n.column][n.row]) {
                    seen[n.column][n.row] = true;
                    group.push_back(n);
                }
            }
        }
        if (!liberty)
            captured += static_cast<int>(group.size());
    }
    return captured;
}

bool fits(const BoardModel& model, int newEntries) {
    return model.moves.length() + newEntries <= MoveList::recordableEntries;
}

void showPrisoners(const PlayState& play, BoardView& view) {
    view.showPrisoners(prisonersText(play.prisonersWhite, play.prisonersBlack));
}

// A stamp value no point holds yet. Restarts from 1 (with all stamps cleared) instead of
// wrapping, which could make a stale stamp look like the current search's.
std::int16_t nextStamp(Board& board) {
    if (board.stampCounter == std::numeric_limits<std::int16_t>::max())
        board.clearStamps();
    return ++board.stampCounter;
}

} // namespace

QString moveListFullMessage() {
    return QStringLiteral("棋譜に記録できるのは%1項目までです。これ以上は打てません")
        .arg(MoveList::recordableEntries);
}

PlayResult playStone(BoardModel& model, Point p, BoardView& view) {
    PlayState& play = model.play;
    QString colour = play.lastMover == black ? white : black;
    if (play.placementMode == 1)
        colour = black;
    else if (play.placementMode == 2)
        colour = white;

    const int captured = stonesCapturedBy(model.board, p, Board::cellFor(colour));
    if (!fits(model, 1 + captured))
        return PlayResult::MoveListFull;

    play.lastMover = colour;
    model.board.setCell(p, colour);
    recordEntry(model, p.code(), colour);
    play.appliedCount = model.moves.length();

    view.showPoint(p);
    view.drawStone(p, colour);
    view.showMoveNumber(moveNumberText(play.nextMoveNumber));
    view.showSideToMove(sideToMoveText(play.lastMover));

    resolveCaptures(model, p, view);
    return PlayResult::Played;
}

void recordEntry(BoardModel& model, PointCode code, const QString& kind) {
    model.moves.append({code, kind});
    if (kind.startsWith(black) || kind.startsWith(white)) {
        model.play.nextMoveNumber += 1;
        model.play.lastRecordedColour = kind.left(1);
    }
}

void resolveCaptures(BoardModel& model, Point p, BoardView& view) {
    Board& board = model.board;
    const Board::Cell own = board.cell(p);
    if (own == Board::Empty || own != Board::cellFor(model.play.lastMover))
        return;
    const Board::Cell opp = own == Board::Black ? Board::White : Board::Black;

    std::vector<Point> searchList;
    std::vector<Point> captureList;
    std::int16_t stamp = 0;

    // Marks v, queues its unvisited opponent neighbours and reports whether v touches an empty
    // point; a point with a liberty ends the search at once and is not put on the capture list.
    int oppNeighbours = 0;
    auto visit = [&](Point v) {
        board.visitStamp[v.column][v.row] = stamp;
        oppNeighbours = 0;
        for (int d = 1; d <= 4; ++d) {
            const Point n = neighbour(v, d);
            if (!n.onBoard())
                continue;
            const Board::Cell c = board.cell(n);
            if (c == Board::Empty)
                return true;
            if (c != own) {
                ++oppNeighbours;
                if (board.visitStamp[n.column][n.row] != stamp)
                    searchList.push_back(n);
            }
        }
        captureList.push_back(v);
        return false;
    };

    for (int d = 1; d <= 4; ++d) {
        stamp = nextStamp(board);
        const Point q = neighbour(p, d);
        if (!q.onBoard() || board.cell(q) != opp)
            continue;
        searchList.clear();
        captureList.clear();
        if (visit(q))
            continue;
        bool lives = false;
        if (oppNeighbours > 0) {
            for (size_t i = 0; i < searchList.size() && !lives; ++i) {
                const Point r = searchList[i];
                if (board.visitStamp[r.column][r.row] == stamp)
                    continue;
                lives = visit(r);
            }
        }
        if (lives)
            continue;
        for (const Point& point : captureList)
            removeStone(model, point, view);
    }
}

void removeStone(BoardModel& model, Point p, BoardView& view) {
    PlayState& play = model.play;
    recordEntry(model, p.code(), removalKind);
    if (play.lastRecordedColour == black)
        play.prisonersBlack += 1;
    else
        play.prisonersWhite += 1;
    showPrisoners(play, view);
    view.clearPoint(p);
    view.showPoint(p);
    view.showMoveNumber(moveNumberText(play.nextMoveNumber));
    model.board.setCell(p, Board::Empty);
    play.appliedCount += 1;
}

void takeBack(BoardModel& model, BoardView& view) {
    PlayState& play = model.play;
    MoveList& moves = model.moves;
    const int length = moves.length();
    if (length < 1) {
        play.appliedCount = 0;
        return;
    }
    int k = length;
    while (k >= 1 && moves.entry(k).isRemoval())
        --k;
    if (k < 1)
        return; // nothing but removals: there is no play to undo

    const MoveEntry undone = moves.entry(k);
    const Point p = Point::fromCode(undone.point);
    if (!undone.isStone() || !p.onBoard()) {
        // A pause marker (or another marker) is dropped on its own; the side to move stays.
        moves.truncate(k - 1);
        play.appliedCount = moves.length();
        return;
    }

    play.lastMover = play.lastMover == black ? white : black;
    view.showSideToMove(sideToMoveText(play.lastMover));

    model.board.setCell(p, Board::Empty);
    play.nextMoveNumber -= 1;
    view.clearPoint(p);
    view.showPoint(p);
    view.showMoveNumber(moveNumberText(play.nextMoveNumber));

    const QString restored = opponentOf(undone.kind.left(1));
    for (int i = k + 1; i <= length; ++i) {
        const Point q = Point::fromCode(moves.entry(i).point);
        if (!q.onBoard())
            continue;
        model.board.setCell(q, restored);
        if (restored == white)
            play.prisonersBlack -= 1;
        else
            play.prisonersWhite -= 1;
        showPrisoners(play, view);
        view.drawStone(q, restored);
        view.showPoint(q);
        view.showMoveNumber(moveNumberText(play.nextMoveNumber));
    }
    moves.truncate(k - 1);
    play.appliedCount = k - 1;
}

PlayResult addPauseMarker(BoardModel& model) {
    if (!fits(model, 1))
        return PlayResult::MoveListFull;
    recordEntry(model, pauseMarkerCode, pauseKind);
    return PlayResult::Played;
}

int handicapCount(const QString& gameName) {
    static const QString fullWidth = QStringLiteral("２３４５６７８９");
    static const QString kanji = QStringLiteral("二三四五六七八九");
    if (gameName.size() < 2 || gameName.at(1) != u'子')
        return 0;
    const QChar first = gameName.at(0);
    qsizetype i = fullWidth.indexOf(first);
    if (i < 0)
        i = kanji.indexOf(first);
    return i < 0 ? 0 : static_cast<int>(i) + 2;
}

void handicapFromGameName(BoardModel& model, const QString& gameName) {
    model.play.pendingHandicap = handicapCount(gameName);
}

Point handicapPoint(int i, int count) {
    static constexpr std::array<Point, 10> points{{
        {0, 0},
        {16, 16},
        {4, 4},
        {4, 16},
        {16, 4},
        {4, 10},
        {16, 10},
        {10, 10},
        {10, 16},
        {10, 4},
    }};
    if (i == 5 && count == 5)
        return {10, 10};
    return points[i];
}

void placeHandicapStones(BoardModel& model, BoardView& view) {
    const int count = model.play.pendingHandicap;
    for (int i = 1; i <= count; ++i) {
        const Point p = handicapPoint(i, count);
        view.drawStone(p, black);
        model.board.setCell(p, Board::Black);
    }
    model.play.pendingHandicap = 0;
    model.play.lastMover = black;
}

void rebuildPosition(BoardModel& model, int n, const QString& gameName, BoardView& view) {
    PlayState& play = model.play;
    view.drawBoard();
    model.board.clearCells();
    model.board.clearStamps();

    handicapFromGameName(model, gameName);
    const bool handicap = play.pendingHandicap != 0;
    placeHandicapStones(model, view);

    if (n > model.moves.length())
        n = model.moves.length();
    const QVector<MoveEntry> entries = model.moves.entries().mid(0, n < 0 ? 0 : n);
    model.moves.clear();
    play.nextMoveNumber = 0;
    play.prisonersWhite = 0;
    play.prisonersBlack = 0;
    play.appliedCount = 0;
    QString remembered;

    for (const MoveEntry& e : entries) {
        if (e.kind == black || e.kind == white)
            remembered = e.kind;
        const Point p = Point::fromCode(e.point);
        // Markers, and entries pointing off the board, leave the position as it is.
        if (!e.changesBoard() || !p.onBoard() || !(e.isStone() || e.isRemoval()))
            continue;
        if (e.isRemoval()) {
            removeStone(model, p, view);
        } else {
            const QString colour = e.kind.left(1);
            model.board.setCell(p, colour);
            recordEntry(model, e.point, e.kind);
            view.drawStone(p, colour);
        }
    }

    // Before the first stone of a handicap game white is to play, as after placing them.
    play.lastMover = remembered.isEmpty() && handicap ? black : remembered;
    play.nextMoveNumber += 1;
    play.appliedCount = model.moves.length();
    view.showMoveNumber(moveNumberText(play.nextMoveNumber));
    view.showSideToMove(sideToMoveText(play.lastMover));
    showPrisoners(play, view);
}

} // namespace vorleth
