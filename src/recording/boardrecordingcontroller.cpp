#include "recording/boardrecordingcontroller.h"

#include "interaction/dialogs.h"
#include "store/gametexts.h"
#include "store/library.h"
#include "store/recoveryfile.h"
#include "store/textfile.h"
#include "store/workingfiles.h"

#include <QStringList>

#include <algorithm>
#include <utility>

namespace vorleth {

namespace {

const QString adjourned = QStringLiteral("打掛");

// The number an answer begins with; full-width digits count as digits. 0 when there is none.
int answerNumber(const QString& answer) {
    return textfile::leadingNumber(answer.normalized(QString::NormalizationForm_KC)).value_or(0);
}

MoveList firstEntries(const MoveList& moves, int n) {
    MoveList copy = moves;
    copy.truncate(n);
    return copy;
}

} // namespace

QString handicapPrefix(int stones) {
    return QString(QChar(u'０' + stones)) + u'子';
}

QString handicapNameConflictMessage(int namedStones) {
    return QStringLiteral("対局名は%1の対局です。ほかの置き石は置けません")
        .arg(handicapPrefix(namedStones));
}

BoardRecordingController::BoardRecordingController(BoardRecordingContext context,
                                                   BoardRecordingView& view,
                                                   BoardRecordingTimers& timers, Dialogs& dialogs,
                                                   Navigator& navigator)
    : m_context(std::move(context)), m_view(view), m_timers(timers), m_dialogs(dialogs),
      m_navigator(navigator) {}

void BoardRecordingController::open(const Handover& handover) {
    TableEntryData& table = m_context.table;
    BoardModel& model = m_context.board;
    PlayState& play = model.play;
    const ContinueGame* continued = std::get_if<ContinueGame>(&handover);
    m_state = std::holds_alternative<PlaceDiagram>(handover) ? placing : recording;
    // A game from the library is saved as usual, whatever the count was told.
    m_skipSaveQuestion = continued && continued->skipSaveQuestion && m_context.entryMode != 1;
    table.tablePosition = 0;
    play.nextMoveNumber = 0;
    play.prisonersWhite = 0;
    play.prisonersBlack = 0;
    m_gridDrawn = false;
    m_left = false;
    m_recoverySuspended = false;
    // The table entry's grid of move numbers means nothing past this point.
    table.clearDiagramGrid();

    const int diagramMoves = m_context.record.moveCount;
    if (continued) {
        // The game keeps its count: the moves played up to the position handed over.
        m_context.record.moveCount = model.moves.stonesIn(continued->entries);
    } else {
        model.moves.clear();
        play.appliedCount = 0;
        play.nextMoveNumber = 1;
    }
    const std::optional<PlacementStop> placement = continued ? continued->placement : std::nullopt;
    if (placement)
        m_context.record.moveCount = diagramMoves; // the diagram still being placed
    showGame();
    model.board.clearCells();

    if (continued) {
        play.appliedCount = std::clamp(continued->entries, 0, model.moves.length());
        rebuildKeepingMarkers(play.appliedCount);
        // A recovered game goes on being placed where its diagram stopped.
        if (placement) {
            table.tablePosition = placement->tablePosition;
            if (placement->waiting) {
                m_view.showMoveNumber(moveNumberText(play.nextMoveNumber));
                m_state = waiting;
            } else {
                m_state = placing;
            }
        }
    }
    if (m_state == placing) {
        if (!m_gridDrawn)
            drawBoard();
        placePendingHandicap();
        m_state = recording;
        autoPlaceTableMoves();
    }
    m_openingCopy = firstEntries(model.moves, play.appliedCount);
    m_timers.startTick(tickPeriod);
    changed();
}

void BoardRecordingController::drawBoard() {
    m_view.drawBoard();
    m_gridDrawn = true;
}

void BoardRecordingController::showGame() {
    m_view.showGameInformation(gameInformationText(
        m_context.record.game, m_context.record.moveCount, GameInformationLayout::Recording));
    m_view.setTitle(gameWindowTitle(m_context.record.game));
}

void BoardRecordingController::placePendingHandicap() {
    // placeHandicapStones also makes white the next to play, which only a handicap may do.
    const int stones = m_context.board.play.pendingHandicap;
    if (stones == 0)
        return;
    applyToView(m_view, placeHandicapStones(m_context.board));
    // The game name is where a record keeps its handicap: a handicap chosen from the menu
    // must be in it, or the saved game would be replayed, counted and exported without it.
    QString& name = m_context.record.game.gameName;
    if (handicapCount(name) != stones) {
        name = handicapPrefix(stones) + name;
        // A game continued from the library is another game now: it is saved as a new record,
        // and the count does not take the stored record's name back.
        m_context.record.selectedIndex = 0;
        m_context.record.fileName.clear();
        showGame();
        changed();
    }
}

void BoardRecordingController::tick() {
    if (!m_gridDrawn)
        drawBoard();
    placePendingHandicap();
    if (m_state == placing)
        autoPlaceTableMoves();
}

void BoardRecordingController::leftPress(double x, double y) {
    if (!m_gridDrawn)
        drawBoard();
    if (m_state == placing)
        return;
    // A handicap still waiting for the tick goes down before the first stone, not over it.
    placePendingHandicap();
    const std::optional<Point> p = m_context.geometry.pointAt(x, y);
    if (!p || m_context.board.board.cell(*p) != Board::Empty)
        return;
    if (m_state != waiting) {
        const BoardChange change = playStone(m_context.board, *p);
        if (reportRefusal(change.result))
            return;
        applyToView(m_view, change);
        changed();
        return;
    }
    // The click gives the waited diagram move its point; a later repeated play of that move
    // finds it there.
    if (reportRefusal(playDiagramStone(*p)))
        return;
    const int waited = m_context.table.tablePosition;
    if (waited >= 1 && waited <= TableEntryData::maxMoves)
        m_context.table.tableMoves[waited] = p->code();
    changed();
    resumePlacement();
}

void BoardRecordingController::rightRelease() {
    PlayState& play = m_context.board.play;
    const int movesBefore = play.nextMoveNumber;
    const int lengthBefore = m_context.board.moves.length();
    applyToView(m_view, takeBack(m_context.board));
    // One table move per stone taken back: the restored captures are moves still on the
    // board, and placing them again could put a stone back on a point a later capture emptied.
    if (play.nextMoveNumber < movesBefore && m_context.table.tablePosition > 0)
        m_context.table.tablePosition -= 1;
    if (m_context.board.moves.length() != lengthBefore)
        changed();
}

void BoardRecordingController::autoPlaceTableMoves() {
    TableEntryData& table = m_context.table;
    BoardModel& model = m_context.board;
    if (m_context.entryMode != 2)
        m_state = placing;
    const int last = std::min(m_context.record.moveCount, TableEntryData::maxMoves);
    for (;;) {
        if (table.tablePosition >= last) {
            // The diagram is placed: the board records clicks again (the moves that fill the
            // neutral points before counting, for one).
            m_view.showMoveNumber(endedMoveText);
            m_timers.stopTick();
            m_state = recording;
            changed();
            return;
        }
        const int m = ++table.tablePosition;
        if (table.tableMoves[m] == 0) {
            m_view.showMoveNumber(moveNumberText(model.play.nextMoveNumber));
            int point = 0;
            for (const RepeatedPlay& r : table.repeatedPlays) {
                if (r.moveNumber != m)
                    continue;
                if (r.earlierMove >= 1 && r.earlierMove <= TableEntryData::maxMoves)
                    point = table.tableMoves[r.earlierMove];
                break;
            }
            if (point == 0) {
                waitForPoint();
                return;
            }
            table.tableMoves[m] = point;
        }
        const Point p = Point::fromCode(table.tableMoves[m]);
        if (!p.onBoard()) {
            // A point the board does not have: the user shows where the move goes.
            waitForPoint();
            return;
        }
        if (model.board.cell(p) != Board::Empty) {
            // A mistyped cell or a repeated play naming the wrong move. Skipping the move would
            // give every later stone the other colour, and ending here would leave the rest
            // unplaced: the user gives its point as for a move the diagram leaves open.
            waitForPoint();
            m_dialogs.message(samePointMessage);
            return;
        }
        const PlayResult played = playDiagramStone(p);
        if (played == PlayResult::Suicide) {
            // The diagram names a point the stone cannot go to: the user shows where move m
            // really went, as for a move without a point.
            waitForPoint();
            reportRefusal(played);
            return;
        }
        if (reportRefusal(played)) {
            table.tablePosition -= 1;
            m_timers.stopTick();
            return;
        }
        changed();
    }
}

PlayResult BoardRecordingController::playDiagramStone(Point p) {
    PlayState& play = m_context.board.play;
    const int mode = play.placementMode;
    play.placementMode = 0;
    const BoardChange change = playStone(m_context.board, p);
    play.placementMode = mode;
    if (change.result == PlayResult::Played)
        applyToView(m_view, change);
    return change.result;
}

void BoardRecordingController::waitForPoint() {
    m_view.showMoveNumber(moveNumberText(m_context.board.play.nextMoveNumber));
    m_timers.stopTick();
    m_state = waiting;
    changed();
}

void BoardRecordingController::resumePlacement() {
    m_state = placing;
    m_timers.startTick(resumePeriod);
}

std::optional<Point> BoardRecordingController::pointOfMove(int n) const {
    if (n < 1)
        return std::nullopt;
    int stones = 0;
    for (const MoveEntry& e : m_context.board.moves.entries()) {
        if (e.isStone() && ++stones == n) {
            const Point p = Point::fromCode(e.point);
            return p.onBoard() ? std::optional<Point>(p) : std::nullopt;
        }
    }
    return std::nullopt;
}

void BoardRecordingController::indicateRepeatedPlay() {
    // Only a move the diagram leaves without a point can be given by number.
    if (m_state != waiting)
        return;
    TableEntryData& table = m_context.table;
    const int waited = table.tablePosition;
    const std::optional<QString> answer =
        m_dialogs.input(repeatedPlayPrompt, repeatedPlayTitle + u' ' + QString::number(waited),
                        QStringLiteral(" "), repeatedPlayBoxLeft, -1);
    const int number = answerNumber(answer.value_or(QString()));
    if (number == 0)
        return;
    const std::optional<Point> p = pointOfMove(number);
    if (!p) {
        m_dialogs.message(noEarlierMoveMessage);
        return;
    }
    if (m_context.board.board.cell(*p) != Board::Empty) {
        m_dialogs.message(samePointMessage);
        return;
    }
    table.tableMoves[waited] = p->code();
    table.tablePosition -= 1;
    resumePlacement();
}

void BoardRecordingController::chooseProblemMode(ProblemMode mode) {
    PlayState& play = m_context.board.play;
    switch (mode) {
    case ProblemMode::BlackRepeated:
        play.placementMode = 1;
        return;
    case ProblemMode::WhiteRepeated:
        play.placementMode = 2;
        return;
    case ProblemMode::AlternateBlackNext:
        play.placementMode = 0;
        play.lastMover = white;
        break;
    case ProblemMode::AlternateWhiteNext:
        play.placementMode = 0;
        play.lastMover = black;
        break;
    }
    m_view.showSideToMove(sideToMoveText(play.lastMover));
}

void BoardRecordingController::addPause() {
    if (reportRefusal(addPauseMarker(m_context.board)))
        return;
    m_context.board.play.appliedCount = m_context.board.moves.length();
    changed();
}

void BoardRecordingController::chooseHandicap(int stones) {
    const int named = handicapCount(m_context.record.game.gameName);
    if (named != 0 && named != stones) {
        m_dialogs.message(handicapNameConflictMessage(named));
        return;
    }
    const QVector<MoveEntry>& entries = m_context.board.moves.entries();
    if (std::any_of(entries.begin(), entries.end(),
                    [](const MoveEntry& e) { return e.isStone(); })) {
        m_dialogs.message(handicapAfterMovesMessage);
        return;
    }
    m_context.board.play.pendingHandicap = stones;
    // The tick places the stones; after the automatic placement stopped it, nothing else would
    // start it again and the choice would be lost.
    if (!m_timers.tickRunning())
        m_timers.startTick(tickPeriod);
}

void BoardRecordingController::rebuildKeepingMarkers(int n) {
    BoardModel& model = m_context.board;
    const QVector<MoveEntry> before = model.moves.entries().mid(0, std::max(n, 0));
    applyToView(m_view, rebuildPosition(model, n, m_context.record.game.gameName));
    m_gridDrawn = true;
    // The rebuilt list is the entries that change the board, in their order; the pause markers
    // go back between them where they stood.
    const QVector<MoveEntry> rebuilt = model.moves.entries();
    MoveList merged;
    qsizetype next = 0;
    for (const MoveEntry& e : before) {
        if (next < rebuilt.size() && e == rebuilt[next]) {
            merged.append(e);
            ++next;
        } else if (e.point == pauseMarkerCode && e.kind == QStringLiteral("9")) {
            merged.append(e);
        }
    }
    if (next != rebuilt.size())
        return; // not a list the rebuild kept in order: the rebuilt one stands
    model.moves = merged;
    model.play.appliedCount = merged.length();
}

void BoardRecordingController::rebuildFrom(const MoveList& moves) {
    m_context.board.moves = moves;
    rebuildKeepingMarkers(moves.length());
    changed();
}

void BoardRecordingController::restoreOpening() {
    rebuildFrom(m_openingCopy);
}

void BoardRecordingController::keepCopy() {
    m_keptCopy = m_context.board.moves;
}

void BoardRecordingController::restoreKeptCopy() {
    // Nothing kept is not an empty game: the game on the board stays as it is.
    if (!m_keptCopy) {
        m_dialogs.message(nothingKeptMessage);
        return;
    }
    rebuildFrom(*m_keptCopy);
}

void BoardRecordingController::showHelp() {
    m_navigator.showHelp(helpcode::boardRecording);
}

bool BoardRecordingController::reportRefusal(PlayResult result) {
    if (result == PlayResult::Played)
        return false;
    m_dialogs.message(refusalMessage(result));
    return true;
}

BoardRecordingController::SaveOutcome BoardRecordingController::saveAndReturn() {
    m_skipSaveQuestion = false;
    const QString& result = m_context.record.game.result;
    if (result.isEmpty() || result == adjourned) {
        m_navigator.show(ScreenId::EndOfGame);
        return SaveOutcome::EndOfGame;
    }
    // A save that fails keeps the game here, so that the user can try again.
    if (!report(m_dialogs, saveRecord(m_context.recordDirectory, m_context.catalogue,
                                      m_context.record, m_context.board.moves, m_context.clock())))
        return SaveOutcome::Stayed;
    offerSourceDeletion(m_context.import, m_dialogs);
    m_context.import.importSourcePath.clear();
    m_context.import.yahooImportFlag = false;
    leave();
    m_navigator.show(ScreenId::Start);
    return SaveOutcome::Saved;
}

bool BoardRecordingController::returnWithoutSaving() {
    BoardModel& model = m_context.board;
    // OK throws the game and its recovery file away: a hasty Enter must not.
    if (model.moves.length() > 0 && !m_skipSaveQuestion &&
        m_dialogs.message(discardQuestion, Dialogs::Buttons::OkCancelDefaultCancel) !=
            Dialogs::Answer::Ok)
        return false;
    // A discarded game is saved nowhere: its import source is the only copy left, so no
    // deletion is offered for it.
    model.play.nextMoveNumber = 0;
    model.moves.clear();
    model.play.appliedCount = 0;
    leave();
    m_navigator.show(ScreenId::Start);
    // Over the main menu: the last diagram entry is there again for the next table entry.
    report(m_dialogs, readWorkingEntry(m_context.baseDirectory, m_context.record, m_context.table));
    return true;
}

bool BoardRecordingController::countTerritory() {
    if (m_context.board.play.appliedCount <= countingMinimum) {
        m_dialogs.message(tooFewMovesMessage);
        return false;
    }
    if (m_dialogs.message(countingQuestion, Dialogs::Buttons::OkCancel) != Dialogs::Answer::Ok)
        return false;
    return openCounting();
}

// The counting screen takes the game from here and hands it back to be continued. The recovery
// file stays and holds the game as it is now, until the count saves or discards it.
bool BoardRecordingController::openCounting() {
    const bool keeping = !m_left && !m_recoverySuspended;
    stopKeeping();
    if (keeping)
        report(m_dialogs, writeRecoveryNow());
    m_navigator.show(ScreenId::Counting);
    return true;
}

void BoardRecordingController::changed() {
    if (!m_left && !m_recoverySuspended)
        m_timers.armRecoveryWrite();
}

Outcome BoardRecordingController::writeRecoveryNow() {
    const TableEntryData& table = m_context.table;
    std::optional<DiagramPlacement> placement;
    if (m_state == placing || m_state == waiting) {
        placement.emplace();
        const int moves = std::clamp(m_context.record.moveCount, 0, TableEntryData::maxMoves);
        placement->tableMoves =
            QVector<int>(table.tableMoves.begin() + 1, table.tableMoves.begin() + 1 + moves);
        placement->repeatedPlays = table.repeatedPlays;
        placement->stop = {std::clamp(table.tablePosition, 0, moves), m_state == waiting};
    }
    return writeRecoveryFile(m_context.baseDirectory, m_context.record, m_context.board.moves,
                             placement);
}

void BoardRecordingController::writeRecovery() {
    if (m_left || m_recoverySuspended)
        return;
    const Outcome written = writeRecoveryNow();
    // Told once, not at every stone, until a write succeeds again.
    if (!written.ok && !m_recoveryFailureShown)
        report(m_dialogs, written);
    m_recoveryFailureShown = !written.ok;
}

void BoardRecordingController::suspendRecovery() {
    writeRecovery();
    m_timers.cancelRecoveryWrite();
    m_recoverySuspended = true;
}

void BoardRecordingController::resumeRecovery() {
    m_recoverySuspended = false;
}

void BoardRecordingController::leftFromEndOfGame() {
    m_timers.stopTick();
    m_timers.cancelRecoveryWrite();
    m_left = true;
}

void BoardRecordingController::closing() {
    m_timers.stopTick();
    m_timers.cancelRecoveryWrite();
    writeRecovery();
    m_left = true;
}

void BoardRecordingController::stopKeeping() {
    m_timers.stopTick();
    m_timers.cancelRecoveryWrite();
    m_left = true;
}

void BoardRecordingController::leave() {
    stopKeeping();
    report(m_dialogs, removeRecoveryFile(m_context.baseDirectory));
}

} // namespace vorleth
