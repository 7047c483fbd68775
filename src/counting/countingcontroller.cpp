#include "counting/countingcontroller.h"

#include "counting/guesschoice.h"
#include "interaction/dialogs.h"
#include "store/gametexts.h"
#include "store/library.h"
#include "store/recoveryfile.h"
#include "store/workingfiles.h"

#include <QStringList>

namespace vorleth {

namespace {

// The main menu's "登録棋譜を閲覧": a game counted from the library is saved as usual.
constexpr int browsingEntryMode = 1;

CountMark stoneMark(Board::Cell cell) {
    return cell == Board::White ? CountMark::WhiteStone : CountMark::BlackStone;
}

} // namespace

CountingController::CountingController(CountingContext context, CountingView& view,
                                       Dialogs& dialogs, Navigator& navigator)
    : m_context(std::move(context)), m_view(view), m_dialogs(dialogs), m_navigator(navigator) {}

void CountingController::open() {
    if (m_context.entryMode == browsingEntryMode)
        m_context.count.skipSaveQuestion = false;
    m_context.table.tablePosition = 0;
    PlayState& play = m_context.board.play;
    play.nextMoveNumber = 0;
    m_view.drawBoard();

    // A game from the library is shown with the names it is kept under.
    CurrentRecord& record = m_context.record;
    const int index = record.selectedIndex;
    if (index > 0 && index <= m_context.catalogue.count()) {
        const RecordMetadata& kept = m_context.catalogue.entry(index);
        record.fileName = kept.fileName;
        record.game.gameName = kept.game.gameName;
        record.game.whitePlayer = kept.game.whitePlayer;
        record.game.blackPlayer = kept.game.blackPlayer;
        record.game.result = kept.game.result;
        record.moveCount = kept.entryCount;
    }
    // The moves played up to the position counted, as the replay and the board count them:
    // removals are no moves.
    const BoardModel& model = m_context.board;
    m_view.showRecordInformation(gameInformationText(record.game,
                                                     model.moves.stonesIn(model.play.appliedCount),
                                                     GameInformationLayout::Counting));
    m_view.setTitle(gameWindowTitle(record.game));

    m_guess = readCountGuess(m_context.baseDirectory);
    countAndDraw();
}

void CountingController::countAndDraw() {
    const Board& board = m_context.board.board;
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            if (board.cell(column, row) != Board::Empty)
                m_view.drawMark({column, row}, stoneMark(board.cell(column, row)));
        }
    }

    const PlayState& play = m_context.board.play;
    CountingSession& session = m_context.count.session;
    session.start(firstGuess(board, m_guess), play.prisonersWhite, play.prisonersBlack,
                  m_context.record.game.komi);
    for (const MarkAt& m : marksToDraw(session.grid()))
        m_view.drawMark(m.point, m.mark);
    showResult();
}

void CountingController::chooseGuess(CountGuess guess) {
    if (guess == m_guess)
        return;
    m_guess = guess;
    // The count changes now even when the choice cannot be kept for the next time.
    report(m_dialogs, writeCountGuess(m_context.baseDirectory, guess));
    m_view.drawBoard();
    countAndDraw();
}

void CountingController::leftButtonDown(std::optional<Point> point) {
    m_context.count.session.leftButtonDown(point);
}

void CountingController::leftButtonUp() {
    const CountingSession::Release release = m_context.count.session.leftButtonUp();
    switch (release.action) {
    case CountingSession::Release::Action::OpenPalette:
        m_view.openPalette(release.currentMarkName);
        break;
    case CountingSession::Release::Action::Corrected:
        redraw(release.redraw);
        showResult();
        break;
    case CountingSession::Release::Action::Nothing:
        break;
    }
}

void CountingController::rightButtonUp() {
    const QVector<RedrawStep> steps = m_context.count.session.undo();
    if (steps.isEmpty())
        return;
    redraw(steps);
    showResult();
}

void CountingController::paletteClosed(std::optional<CountMark> picked) {
    CountingSession& session = m_context.count.session;
    if (picked)
        session.pickMark(*picked);
    else
        session.leavePalette();
    // The counting screen is active again: a picked correction is applied now.
    const QVector<RedrawStep> steps = session.activated();
    if (steps.isEmpty())
        return;
    redraw(steps);
    showResult();
}

bool CountingController::leaveWithoutSaving() {
    // OK throws the game away: a hasty Enter must not.
    if (m_dialogs.message(leaveWithoutSavingQuestion, Dialogs::Buttons::OkCancelDefaultCancel) !=
        Dialogs::Answer::Ok)
        return false;
    BoardModel& board = m_context.board;
    board.play.nextMoveNumber = 0;
    board.moves.clear();
    board.play.appliedCount = 0;
    // The game is given up on purpose: nothing is left to recover.
    report(m_dialogs, removeRecoveryFile(m_context.baseDirectory));
    m_navigator.show(ScreenId::Start);
    // Over the main menu: the diagram entry in progress becomes the current game again.
    report(m_dialogs, readWorkingEntry(m_context.baseDirectory, m_context.record, m_context.table));
    return true;
}

bool CountingController::saveAndLeave() {
    CurrentRecord& record = m_context.record;
    const MoveList& moves = m_context.board.moves;
    if (record.fileName.isEmpty()) {
        record.moveCount = moves.length();
        if (m_context.count.skipSaveQuestion) {
            // Leaving unsaved on purpose: the game is kept nowhere, so its import source is
            // not offered for deletion.
            m_context.count.skipSaveQuestion = false;
            report(m_dialogs, removeRecoveryFile(m_context.baseDirectory));
            m_navigator.show(ScreenId::Start);
            return true;
        }
    }
    // The count's result becomes the game's only by this save; a save that fails keeps the
    // screen, the count and the game's own result as they are.
    const QString gameResult = record.game.result;
    record.game.result = m_context.count.session.result().result;
    // The source of an imported game is offered for deletion only once the game is safely
    // saved.
    if (!report(m_dialogs, saveRecord(m_context.recordDirectory, m_context.catalogue, record, moves,
                                      m_context.clock()))) {
        record.game.result = gameResult;
        return false;
    }
    // Saved: the record is the game now; until then the recovery file was.
    report(m_dialogs, removeRecoveryFile(m_context.baseDirectory));
    offerSourceDeletion(m_context.import, m_dialogs);
    m_navigator.show(ScreenId::Start);
    return true;
}

bool CountingController::backToBoard() {
    // The board screen rebuilds the position from the move list and goes on recording.
    m_navigator.show(ScreenId::BoardRecording,
                     ContinueGame{.entries = m_context.board.play.appliedCount,
                                  .skipSaveQuestion = m_context.count.skipSaveQuestion});
    return true;
}

void CountingController::showHelp() {
    m_navigator.showHelp(helpcode::counting);
}

void CountingController::writeOk() {
    m_context.count.skipSaveQuestion = false;
}

void CountingController::writePass() {
    m_context.count.skipSaveQuestion =
        m_dialogs.message(skipSavingQuestion, Dialogs::Buttons::OkCancel) == Dialogs::Answer::Ok;
}

void CountingController::redraw(const QVector<RedrawStep>& steps) {
    for (const RedrawStep& step : steps) {
        if (step.kind == RedrawStep::Kind::Clear)
            m_view.clearPoint(step.point);
        else
            m_view.drawMark(step.point, step.mark);
    }
}

void CountingController::showResult() {
    const CountResult& result = m_context.count.session.result();
    // The record keeps the result the game had: a count the user walks away from (back to the
    // board, or to the menu) must not replace, say, the real result of an imported game.
    m_view.showCountText(result.countText());
}

} // namespace vorleth
