#include "recording/boardrecordingcontroller.h"

#include "interaction/dialogs.h"
#include "store/gametexts.h"
#include "store/library.h"
#include "store/recoveryfile.h"
#include "store/textfile.h"
#include "store/workingfiles.h"

#include <QStringList>

#include <algorithm>

namespace vorleth {

namespace {

constexpr int recording = 0;
constexpr int placing = 1;
constexpr int waiting = 2;
constexpr int continuing = 99;

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

BoardRecordingController::BoardRecordingController(BoardRecordingContext context,
                                                   BoardRecordingView& view,
                                                   BoardRecordingTimers& timers, Dialogs& dialogs,
                                                   Navigator& navigator)
    : m_context(std::move(context)), m_view(view), m_timers(timers), m_dialogs(dialogs),
      m_navigator(navigator) {}

void BoardRecordingController::open() {
    TableEntryData& table = m_context.table;
    BoardModel& model = m_context.board;
    PlayState& play = model.play;
    if (m_context.entryMode == 1)
        table.skipSaveQuestion = false;
    table.tablePosition = 0;
    play.nextMoveNumber = 0;
    play.prisonersWhite = 0;
    play.prisonersBlack = 0;
    m_gridDrawn = false;
    m_left = false;
    m_recoverySuspended = false;
    // The table entry's grid of move numbers means nothing past this point.
    table.clearDiagramGrid();

    if (state() == continuing) {
        m_context.record.moveCount = 0;
    } else {
        model.moves.clear();
        play.appliedCount = 0;
        play.nextMoveNumber = 1;
    }
    m_view.showGameInformation(gameInformationText(
        m_context.record.game, m_context.record.moveCount, GameInformationLayout::Recording));
    m_view.setTitle(gameWindowTitle(m_context.record.game));
    model.board.clearCells();
    model.board.clearStamps();

    if (state() == continuing) {
        rebuildPosition(model, play.appliedCount, m_context.record.game.gameName, m_view);
        m_gridDrawn = true;
        state() = recording;
    }
    if (state() == placing) {
        if (!m_gridDrawn)
            drawBoard();
        placePendingHandicap();
        state() = recording;
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

void BoardRecordingController::placePendingHandicap() {
    // placeHandicapStones also makes white the next to play, which only a handicap may do.
    if (m_context.board.play.pendingHandicap != 0)
        placeHandicapStones(m_context.board, m_view);
}

void BoardRecordingController::tick() {
    if (!m_gridDrawn)
        drawBoard();
    placePendingHandicap();
    if (state() == placing)
        autoPlaceTableMoves();
}

void BoardRecordingController::leftPress(double x, double y) {
    if (!m_gridDrawn)
        drawBoard();
    if (state() == placing)
        return;
    // A handicap still waiting for the tick goes down before the first stone, not over it.
    placePendingHandicap();
    const std::optional<Point> p = m_context.geometry.pointAt(x, y);
    if (!p || m_context.board.board.cell(*p) != Board::Empty)
        return;
    if (reportFull(playStone(m_context.board, *p, m_view)))
        return;
    changed();
    if (state() == waiting)
        resumePlacement();
}

void BoardRecordingController::rightRelease() {
    PlayState& play = m_context.board.play;
    const int movesBefore = play.nextMoveNumber;
    const int lengthBefore = m_context.board.moves.length();
    takeBack(m_context.board, m_view);
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
        state() = placing;
    const int last = std::min(m_context.record.moveCount, TableEntryData::maxMoves);
    for (;;) {
        if (table.tablePosition >= last) {
            m_view.showMoveNumber(endedMoveText);
            m_timers.stopTick();
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
                m_timers.stopTick();
                state() = waiting;
                return;
            }
            table.tableMoves[m] = point;
        }
        const Point p = Point::fromCode(table.tableMoves[m]);
        if (!p.onBoard()) {
            // A point the board does not have: the user shows where the move goes.
            m_view.showMoveNumber(moveNumberText(model.play.nextMoveNumber));
            m_timers.stopTick();
            state() = waiting;
            return;
        }
        if (model.board.cell(p) != Board::Empty)
            return; // move m is skipped; in state 1 the next tick goes on with m + 1
        // The diagram's colours alternate whatever problem-setting mode is chosen.
        const int mode = model.play.placementMode;
        model.play.placementMode = 0;
        const PlayResult played = playStone(model, p, m_view);
        model.play.placementMode = mode;
        if (reportFull(played)) {
            table.tablePosition -= 1;
            m_timers.stopTick();
            return;
        }
        changed();
    }
}

void BoardRecordingController::resumePlacement() {
    state() = placing;
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
    if (state() != waiting)
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
    if (reportFull(addPauseMarker(m_context.board)))
        return;
    m_context.board.play.appliedCount = m_context.board.moves.length();
    changed();
}

void BoardRecordingController::chooseHandicap(int stones) {
    m_context.board.play.pendingHandicap = stones;
    // The tick places the stones; after the automatic placement stopped it, nothing else would
    // start it again and the choice would be lost.
    if (!m_timers.tickRunning())
        m_timers.startTick(tickPeriod);
}

void BoardRecordingController::rebuildFrom(const MoveList& moves) {
    m_context.board.moves = moves;
    rebuildPosition(m_context.board, moves.length(), m_context.record.game.gameName, m_view);
    m_gridDrawn = true;
    changed();
}

void BoardRecordingController::restoreOpening() {
    rebuildFrom(m_openingCopy);
}

void BoardRecordingController::keepCopy() {
    m_keptCopy = m_context.board.moves;
}

void BoardRecordingController::restoreKeptCopy() {
    rebuildFrom(m_keptCopy);
}

void BoardRecordingController::showHelp() {
    m_navigator.showHelp(helpcode::boardRecording);
}

bool BoardRecordingController::reportFull(PlayResult result) {
    if (result != PlayResult::MoveListFull)
        return false;
    m_dialogs.message(moveListFullMessage());
    return true;
}

BoardRecordingController::SaveOutcome BoardRecordingController::saveAndReturn() {
    m_context.table.skipSaveQuestion = false;
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
    if (model.moves.length() > 0 && !m_context.table.skipSaveQuestion &&
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

// The counting screen takes the game from here; it hands it back in state 99.
bool BoardRecordingController::openCounting() {
    leave();
    m_navigator.show(ScreenId::Counting);
    return true;
}

void BoardRecordingController::changed() {
    if (!m_left && !m_recoverySuspended)
        m_timers.armRecoveryWrite();
}

void BoardRecordingController::writeRecovery() {
    if (m_left || m_recoverySuspended)
        return;
    const Outcome written =
        writeRecoveryFile(m_context.baseDirectory, m_context.record, m_context.board.moves);
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

void BoardRecordingController::leave() {
    m_timers.stopTick();
    m_timers.cancelRecoveryWrite();
    m_left = true;
    report(m_dialogs, removeRecoveryFile(m_context.baseDirectory));
}

} // namespace vorleth
