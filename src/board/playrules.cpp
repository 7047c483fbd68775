#include "board/playrules.h"

#include "board/groups.h"

#include <QtGlobal>

#include <array>
#include <vector>

namespace vorleth {

namespace {

const QString removalKind = QStringLiteral("+");
const QString pauseKind = QStringLiteral("9");

bool fits(const BoardModel& model, int newEntries) {
    return model.moves.length() + newEntries <= MoveList::recordableEntries;
}

void notePrisoners(const PlayState& play, BoardChange& change) {
    change.prisonersChanged = true;
    change.prisonersWhite = play.prisonersWhite;
    change.prisonersBlack = play.prisonersBlack;
}

void notePlaced(BoardChange& change, Point p, Colour colour) {
    change.stones.push_back({p, colour, true});
}

void noteRemoved(BoardChange& change, Point p, Colour colour) {
    change.stones.push_back({p, colour, false});
}

BoardChange refused(PlayResult result) {
    BoardChange change;
    change.result = result;
    return change;
}

void removeStone(BoardModel& model, Point p, BoardChange& change);

} // namespace

void applyToView(BoardView& view, const BoardChange& change) {
    if (change.cleared)
        view.drawBoard();
    for (const BoardChange::Stone& s : change.stones) {
        if (s.placed)
            view.drawStone(s.point, colourText(s.colour));
        else
            view.clearPoint(s.point);
    }
    if (change.shownPoint)
        view.showPoint(*change.shownPoint);
    if (change.moveNumber)
        view.showMoveNumber(moveNumberText(*change.moveNumber));
    if (change.lastMover)
        view.showSideToMove(sideToMoveText(colourText(*change.lastMover)));
    if (change.prisonersChanged)
        view.showPrisoners(prisonersText(change.prisonersWhite, change.prisonersBlack));
}

QString moveListFullMessage() {
    return QStringLiteral("棋譜に記録できるのは%1項目までです。これ以上は打てません")
        .arg(MoveList::recordableEntries);
}

QString suicideMessage() {
    return QStringLiteral("そこには打てません（自殺手）");
}

QString refusalMessage(PlayResult result) {
    switch (result) {
    case PlayResult::Played:
        break;
    case PlayResult::MoveListFull:
        return moveListFullMessage();
    case PlayResult::Suicide:
        return suicideMessage();
    }
    return QString();
}

BoardChange playStone(BoardModel& model, Point p) {
    Q_ASSERT(p.onBoard() && model.board.cell(p) == Board::Empty);
    PlayState& play = model.play;
    QString colour = play.lastMover == black ? white : black;
    if (play.placementMode == 1)
        colour = black;
    else if (play.placementMode == 2)
        colour = white;

    const PlayOutcome outcome = tryPlay(model.board, p, colourOfText(colour));
    if (outcome.suicide)
        return refused(PlayResult::Suicide);
    if (!fits(model, 1 + static_cast<int>(outcome.captured.size())))
        return refused(PlayResult::MoveListFull);

    play.lastMover = colour;
    model.board.setCell(p, colour);
    recordEntry(model, p.code(), colour);
    play.appliedCount = model.moves.length();

    BoardChange change;
    notePlaced(change, p, colourOfText(colour));
    change.shownPoint = p;
    change.moveNumber = play.nextMoveNumber;
    change.lastMover = colourOfText(play.lastMover);

    // The removals are written group by group, left, up, right and down of the new stone, each
    // group from the stone next to it outwards.
    for (const Point& q : outcome.captured)
        removeStone(model, q, change);
    return change;
}

void recordEntry(BoardModel& model, PointCode code, const QString& kind) {
    model.moves.append({code, kind});
    if (kind.startsWith(black) || kind.startsWith(white)) {
        model.play.nextMoveNumber += 1;
        model.play.lastRecordedColour = kind.left(1);
    }
}

namespace {

void removeStone(BoardModel& model, Point p, BoardChange& change) {
    PlayState& play = model.play;
    recordEntry(model, p.code(), removalKind);
    if (play.lastRecordedColour == black)
        play.prisonersBlack += 1;
    else
        play.prisonersWhite += 1;
    notePrisoners(play, change);
    noteRemoved(change, p, model.board.cell(p));
    change.shownPoint = p;
    change.moveNumber = play.nextMoveNumber;
    model.board.setCell(p, Board::Empty);
    play.appliedCount += 1;
}

} // namespace

BoardChange takeBack(BoardModel& model) {
    PlayState& play = model.play;
    MoveList& moves = model.moves;
    BoardChange change;
    const int length = moves.length();
    if (length < 1) {
        play.appliedCount = 0;
        return change;
    }
    int k = length;
    while (k >= 1 && moves.entry(k).isRemoval())
        --k;
    if (k < 1)
        return change; // nothing but removals: there is no play to undo

    const MoveEntry undone = moves.entry(k);
    const Point p = Point::fromCode(undone.point);
    if (!undone.isStone() || !p.onBoard()) {
        // A pause marker (or another marker) is dropped on its own; the side to move stays.
        moves.truncate(k - 1);
        play.appliedCount = moves.length();
        return change;
    }

    play.lastMover = play.lastMover == black ? white : black;
    change.lastMover = colourOfText(play.lastMover);

    noteRemoved(change, p, model.board.cell(p));
    model.board.setCell(p, Board::Empty);
    play.nextMoveNumber -= 1;
    change.shownPoint = p;
    change.moveNumber = play.nextMoveNumber;

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
        notePrisoners(play, change);
        notePlaced(change, q, colourOfText(restored));
        change.shownPoint = q;
    }
    moves.truncate(k - 1);
    play.appliedCount = k - 1;
    return change;
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

namespace {

void placeHandicap(BoardModel& model, BoardChange& change) {
    const int count = model.play.pendingHandicap;
    for (int i = 1; i <= count; ++i) {
        const Point p = handicapPoint(i, count);
        notePlaced(change, p, Colour::Black);
        model.board.setCell(p, Board::Black);
    }
    model.play.pendingHandicap = 0;
    model.play.lastMover = black;
}

} // namespace

BoardChange placeHandicapStones(BoardModel& model) {
    BoardChange change;
    placeHandicap(model, change);
    return change;
}

BoardChange rebuildPosition(BoardModel& model, int n, const QString& gameName) {
    PlayState& play = model.play;
    BoardChange change;
    change.cleared = true;
    model.board.clearCells();

    handicapFromGameName(model, gameName);
    const bool handicap = play.pendingHandicap != 0;
    placeHandicap(model, change);

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
            removeStone(model, p, change);
        } else {
            const QString colour = e.kind.left(1);
            model.board.setCell(p, colour);
            recordEntry(model, e.point, e.kind);
            notePlaced(change, p, colourOfText(colour));
        }
    }

    // Before the first stone of a handicap game white is to play, as after placing them.
    play.lastMover = remembered.isEmpty() && handicap ? black : remembered;
    play.nextMoveNumber += 1;
    play.appliedCount = model.moves.length();
    change.moveNumber = play.nextMoveNumber;
    change.lastMover = colourOfText(play.lastMover);
    notePrisoners(play, change);
    return change;
}

} // namespace vorleth
