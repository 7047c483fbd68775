#include "replay/replaycontroller.h"

#include "interaction/dialogs.h"
#include "store/catalogue.h"
#include "store/gametexts.h"
#include "store/library.h"
#include "store/recordname.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace vorleth {

namespace {

// The first character of a kind, or the empty text.
QString firstCharacter(const QString& text) {
    return text.left(1);
}

bool isStoneKind(const QString& kind) {
    return kind.startsWith(black) || kind.startsWith(white);
}
bool isRemovalKind(const QString& kind) {
    return kind.startsWith(QLatin1Char('+'));
}

// A decimal number the user typed, or nothing when the text is not one.
std::optional<double> parseNumber(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Halves go to the even neighbour (the rounding of the dialogs' answers).
int roundHalfToEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// A number in low..high, rounded; nothing when the text is no number or lies outside.
std::optional<int> numberInRange(const QString& text, double low, double high) {
    const auto value = parseNumber(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return roundHalfToEven(*value);
}

} // namespace

QString replayModeCaption(int replayMode) {
    switch (replayMode) {
    case 1:
        return QStringLiteral("黒番で打つ");
    case 2:
        return QStringLiteral("白番で打つ");
    case 3:
        return QStringLiteral("どちらも打つ");
    default:
        return QStringLiteral("自動で打つ");
    }
}

QString replayMoveNumberText(int nextMoveNumber) {
    return QString::number(nextMoveNumber) + QStringLiteral("手目");
}

QString replayPrisonersText(int prisonersWhite, int prisonersBlack) {
    return QStringLiteral("上蛤\r\n  白：%1\r\n  黒：%2").arg(prisonersWhite).arg(prisonersBlack);
}

ReplayController::ReplayController(ReplayContext context, ReplayView& view, ReplayTimers& timers,
                                   Dialogs& dialogs, Navigator& navigator)
    : m_context(std::move(context)), m_view(view), m_timers(timers), m_dialogs(dialogs),
      m_navigator(navigator) {}

bool ReplayController::open(const ChosenRecord& chosen) {
    ReplaySettings& replay = m_context.replay;
    PlayState& play = m_context.board.play;
    replay.stopMoveNumber = 999;
    replay.stopRow = 99;
    replay.stopColumn = 99;
    replay.beepCount = 1;
    play.appliedCount = 0;
    play.nextMoveNumber = 0;
    play.prisonersWhite = 0;
    play.prisonersBlack = 0;
    replay.gridDrawn = false;
    m_pendingPlacement = 0;
    m_placed = 0;

    // The record is read before any timer runs, so that a record that cannot be read leaves
    // nothing half drawn behind.
    CurrentRecord& record = m_context.record;
    record.selectedIndex = chosen.cataloguePosition;
    m_stopAtStones = chosen.stopAtStones;
    Outcome read = Outcome::failure(cannotReadRecordMessage + record.fileName + recordExtension);
    if (isCataloguePosition(m_context.catalogue, record.selectedIndex)) {
        const RecordMetadata& entry = m_context.catalogue.entry(record.selectedIndex);
        record.fileName = entry.fileName;
        read = readRecord(m_context.recordDirectory, record, m_context.board.moves);
        // The names shown are the catalogue entry's, not cut to ten characters.
        if (read.ok)
            record.game = entry.game;
    }
    if (!report(m_dialogs, read)) {
        m_navigator.show(ScreenId::RecordList);
        return false;
    }

    m_timers.startStartTimer();
    applyReplayMode();

    handicapFromGameName(m_context.board, record.game.gameName);
    const GameInfo& game = record.game;
    m_view.setTitle(gameWindowTitle(game));
    m_view.showRecordInformation(
        gameInformationText(game, m_context.board.moves.stones(), GameInformationLayout::Replay));
    return true;
}

void ReplayController::applyReplayMode() {
    const ReplaySettings& replay = m_context.replay;
    if (replay.replayMode == 0)
        m_timers.startStepTimer(replay.stepInterval);
    else
        m_timers.stopStepTimer();
    showCaption(replayModeCaption(replay.replayMode));
}

void ReplayController::showCaption(const QString& caption) {
    m_modeCaption = caption;
    m_view.showModeCaption(caption);
}

void ReplayController::showPrisoners() {
    const PlayState& play = m_context.board.play;
    m_view.showPrisoners(replayPrisonersText(play.prisonersWhite, play.prisonersBlack));
}

void ReplayController::startTick() {
    if (!m_context.replay.gridDrawn)
        firstDrawing();
    m_timers.stopStartTimer();
    if (m_stopAtStones >= 0) {
        // A search result shows where its pattern appears and waits there for a click.
        jumpToStones(std::exchange(m_stopAtStones, -1));
        return;
    }
    m_timers.startStepTimer(m_context.replay.stepInterval);
}

void ReplayController::jumpToStones(int stones) {
    // As "指定した手番まで": the jump stops at the stone that makes the number, its removals
    // done. No stone at all is the empty board (with the handicap stones).
    if (stones > 0)
        m_context.replay.stopMoveNumber = stones;
    m_context.board.play.appliedCount = stones > 0 ? m_context.board.moves.length() : 0;
    m_timers.stopStepTimer();
    instantReplay();
}

void ReplayController::firstDrawing() {
    ReplaySettings& replay = m_context.replay;
    PlayState& play = m_context.board.play;
    const MoveList& moves = m_context.board.moves;
    replay.gridDrawn = true;
    m_view.drawBoard();
    m_placed = 0;
    beginDrawing();

    // A problem or a joseki opens with its set-up: everything before the first marker.
    const QString& gameName = m_context.record.game.gameName;
    if (gameName.startsWith(QStringLiteral("詰め碁")) ||
        gameName.startsWith(QStringLiteral("定石"))) {
        for (int i = 1; i <= moves.length(); ++i) {
            if (!moves.entry(i).changesBoard()) {
                play.appliedCount = i - 1;
                for (int j = 1; j <= play.appliedCount; ++j)
                    placeEntry(j);
                break;
            }
        }
    }

    showMoveNumberBox(replayMoveNumberText(play.nextMoveNumber));
    showPrisoners();
    drawHandicapStones();
    finishDrawing();
}

void ReplayController::drawHandicapStones() {
    PlayState& play = m_context.board.play;
    const int count = play.pendingHandicap;
    // Drawn only: the replay keeps no cells, and the side to move stays as it is.
    for (int i = 1; i <= count; ++i)
        drawStoneAt(handicapPoint(i, count), black);
    play.pendingHandicap = 0;
}

void ReplayController::replayStep() {
    ReplaySettings& replay = m_context.replay;
    PlayState& play = m_context.board.play;
    const MoveList& moves = m_context.board.moves;
    if (!replay.gridDrawn)
        firstDrawing();
    // A tick that would announce the next entry while the last one still waits for its
    // placement would skip it; the placement is made first.
    settlePendingPlacement();

    const QString k = firstCharacter(play.lastMover);
    const int mode = replay.replayMode;
    if ((mode == 3 && k != QStringLiteral("+")) || (mode == 1 && k == white) ||
        (mode == 2 && k == black)) {
        m_timers.stopStepTimer();
        return;
    }

    play.appliedCount += 1;
    if (play.appliedCount > moves.length()) {
        m_timers.stopStepTimer();
        showCaption(endedCaption);
        return;
    }

    const MoveEntry& entry = moves.entry(play.appliedCount);
    if (!entry.changesBoard()) {
        // A pause marker: from here on every click places one entry.
        replay.replayMode = 3;
        play.lastMover = play.appliedCount < moves.length()
                             ? moves.entry(play.appliedCount + 1).kind
                             : QString();
        applyReplayMode();
        replay.stepInterval = 1000;
        return;
    }

    announceEntry(play.appliedCount);
    m_pendingPlacement = play.appliedCount;
    m_timers.armPlacementTimer();
}

void ReplayController::announceEntry(int i) {
    const MoveEntry& entry = m_context.board.moves.entry(i);
    const Point p = Point::fromCode(entry.point);
    m_view.showPoint(p);
    m_context.board.play.lastMover = entry.kind;
    // The disc stays until the placement draws the stone over it; nothing waits here.
    if (isStoneKind(entry.kind) && m_context.replay.stepInterval > discIntervalThreshold &&
        p.onBoard())
        m_view.drawMarkerDisc(p);
}

void ReplayController::placementTick() {
    m_timers.cancelPlacementTimer();
    const int entry = m_pendingPlacement;
    m_pendingPlacement = 0;
    if (entry < 1 || entry > m_context.board.moves.length())
        return;

    ReplaySettings& replay = m_context.replay;
    PlayState& play = m_context.board.play;
    play.appliedCount = entry;
    placeEntry(entry);
    const bool stopAtPlacement = atStopPoint(entry);
    // The removals the placement caused come with it; a target on a removed stone counts.
    const bool stopAtRemoval = removalBurst();

    if (play.nextMoveNumber >= replay.stopMoveNumber || stopAtPlacement || stopAtRemoval)
        play.appliedCount = m_context.board.moves.length() + 1;
}

bool ReplayController::atStopPoint(int i) const {
    const Point p = Point::fromCode(m_context.board.moves.entry(i).point);
    return p.column == m_context.replay.stopColumn && p.row == m_context.replay.stopRow;
}

bool ReplayController::removalBurst() {
    PlayState& play = m_context.board.play;
    const MoveList& moves = m_context.board.moves;
    bool stopPointRemoved = false;
    while (play.appliedCount + 1 <= moves.length() &&
           isRemovalKind(moves.entry(play.appliedCount + 1).kind)) {
        play.appliedCount += 1;
        placeEntry(play.appliedCount);
        showPrisoners();
        stopPointRemoved = atStopPoint(play.appliedCount) || stopPointRemoved;
    }
    return stopPointRemoved;
}

void ReplayController::placeEntry(int i) {
    PlayState& play = m_context.board.play;
    const MoveEntry& entry = m_context.board.moves.entry(i);
    m_placed = i;
    play.lastMover = entry.kind;
    if (!entry.changesBoard())
        return;

    const Point p = Point::fromCode(entry.point);
    showPointBoxes(p);
    if (!isRemovalKind(entry.kind))
        play.lastRecordedColour = entry.kind;

    if (isStoneKind(entry.kind)) {
        const QString colour = firstCharacter(entry.kind);
        play.nextMoveNumber += 1;
        showMoveNumberBox(replayMoveNumberText(play.nextMoveNumber));
        showSideBox(sideToMoveText(colour));
        soundBeeps();
        if (p.onBoard())
            drawStoneAt(p, colour);
    } else if (isRemovalKind(entry.kind)) {
        if (p.onBoard())
            clearPointAt(p);
        if (firstCharacter(play.lastRecordedColour) == black)
            play.prisonersBlack += 1;
        else
            play.prisonersWhite += 1;
    }
}

void ReplayController::beginDrawing() {
    m_drawing = PendingDrawing{};
    m_drawing.active = true;
}

void ReplayController::finishDrawing() {
    PendingDrawing drawing = std::move(m_drawing);
    m_drawing = PendingDrawing{};
    // Points whose last drawing wiped them look like the fresh board already.
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            const QString& colour = drawing.stones[column][row];
            if (!colour.isEmpty())
                m_view.drawStone({column, row}, colour);
        }
    }
    if (drawing.point)
        m_view.showPoint(*drawing.point);
    if (!drawing.moveNumber.isNull())
        m_view.showMoveNumber(drawing.moveNumber);
    if (!drawing.side.isNull())
        m_view.showSideToMove(drawing.side);
}

void ReplayController::drawStoneAt(Point p, const QString& colour) {
    if (m_drawing.active)
        m_drawing.stones[p.column][p.row] = colour;
    else
        m_view.drawStone(p, colour);
}

void ReplayController::clearPointAt(Point p) {
    if (m_drawing.active)
        m_drawing.stones[p.column][p.row].clear();
    else
        m_view.clearPoint(p);
}

void ReplayController::showPointBoxes(Point p) {
    if (m_drawing.active)
        m_drawing.point = p;
    else
        m_view.showPoint(p);
}

void ReplayController::showMoveNumberBox(const QString& text) {
    if (m_drawing.active)
        m_drawing.moveNumber = text;
    else
        m_view.showMoveNumber(text);
}

void ReplayController::showSideBox(const QString& text) {
    if (m_drawing.active)
        m_drawing.side = text;
    else
        m_view.showSideToMove(text);
}

void ReplayController::soundBeeps() {
    for (int i = 0; i < m_context.replay.beepCount; ++i)
        m_view.beep();
}

void ReplayController::clickStep() {
    PlayState& play = m_context.board.play;
    if (!m_context.replay.gridDrawn)
        firstDrawing();
    play.appliedCount += 1;
    if (play.appliedCount > m_context.board.moves.length())
        return;
    placeEntry(play.appliedCount);
    m_view.showMoveNumber(replayMoveNumberText(play.nextMoveNumber));
    removalBurst();
}

void ReplayController::leftClick() {
    ReplaySettings& replay = m_context.replay;
    PlayState& play = m_context.board.play;
    // A stepping click arriving while an announced entry waits for its placement acts on the
    // position that placement leads to: the placement is made now, so that it is neither
    // skipped nor made twice. In the automatic mode a click only restarts the countdown.
    if (replay.replayMode != 0)
        settlePendingPlacement();

    const QString k = firstCharacter(play.lastMover);
    const int mode = replay.replayMode;
    if (mode != 0 && ((mode == 1 && k == white) || mode == 3 || (mode == 2 && k == black))) {
        clickStep();
        if (play.appliedCount > m_context.board.moves.length())
            showCaption(endedCaption);
        m_timers.stopStepTimer();
        m_timers.startStartTimer();
    }
    m_timers.startStepTimer(replay.stepInterval);
}

void ReplayController::settlePendingPlacement() {
    if (m_pendingPlacement > 0)
        placementTick();
}

void ReplayController::cancelPendingPlacement() {
    m_timers.cancelPlacementTimer();
    m_pendingPlacement = 0;
}

void ReplayController::instantReplay(bool honourStopTargets) {
    ReplaySettings& replay = m_context.replay;
    PlayState& play = m_context.board.play;
    const MoveList& moves = m_context.board.moves;
    // The jump draws every entry up to its limit itself: a placement still pending would
    // place and count one of them a second time.
    cancelPendingPlacement();
    m_timers.stopStartTimer();

    replay.gridDrawn = true;
    m_view.drawBoard();
    m_placed = 0;
    beginDrawing();
    handicapFromGameName(m_context.board, m_context.record.game.gameName);
    drawHandicapStones();

    play.nextMoveNumber = 0;
    play.prisonersWhite = 0;
    play.prisonersBlack = 0;

    const int limit = std::clamp(play.appliedCount, 0, moves.length());
    int reached = limit;
    for (int i = 1; i <= limit; ++i) {
        placeEntry(i);
        if (honourStopTargets && (play.nextMoveNumber >= replay.stopMoveNumber || atStopPoint(i))) {
            reached = i;
            break;
        }
    }
    // Later steps continue from the position shown. A jump that ends on a capturing stone, or
    // on one of its removals, takes the rest of them with it: the board never shows a capture
    // half done.
    play.appliedCount = reached;
    removalBurst();
    finishDrawing();

    play.nextMoveNumber += 1;
    m_view.showMoveNumber(replayMoveNumberText(play.nextMoveNumber));
    m_view.showSideToMove(sideToMoveText(firstCharacter(play.lastRecordedColour)));
    showPrisoners();
}

void ReplayController::chooseClickMode(int mode) {
    m_context.replay.replayMode = mode;
    applyReplayMode();
}

void ReplayController::chooseInterval(int ms) {
    m_context.replay.stepInterval = ms;
    m_context.replay.replayMode = 0;
    applyReplayMode();
}

void ReplayController::jumpWithoutInterval() {
    m_context.board.play.appliedCount = m_context.board.moves.length();
    m_timers.stopStepTimer();
    instantReplay();
}

void ReplayController::setBeeps(bool on) {
    m_context.replay.beepCount = on ? 1 : 0;
}

void ReplayController::jumpToFinal() {
    m_context.replay.stopMoveNumber = 999;
    m_context.board.play.appliedCount = m_context.board.moves.length();
    m_timers.stopStepTimer();
    instantReplay();
}

void ReplayController::pauseAutomaticReplay() {
    if (m_context.replay.replayMode == 0)
        chooseClickMode(3);
}

void ReplayController::stepForward() {
    pauseAutomaticReplay();
    settlePendingPlacement();
    PlayState& play = m_context.board.play;
    if (play.appliedCount >= m_context.board.moves.length()) {
        showCaption(endedCaption);
        return;
    }
    clickStep();
    if (play.appliedCount >= m_context.board.moves.length())
        showCaption(endedCaption);
}

void ReplayController::stepBack() {
    pauseAutomaticReplay();
    settlePendingPlacement();
    PlayState& play = m_context.board.play;
    const MoveList& moves = m_context.board.moves;
    int last = std::min(play.appliedCount, moves.length());
    while (last > 0 && !moves.entry(last).isStone())
        --last;
    if (last == 0)
        return; // nothing shown to take back
    play.appliedCount = last - 1;
    instantReplay(false);
    showCaption(replayModeCaption(m_context.replay.replayMode));
}

void ReplayController::jumpToStart() {
    pauseAutomaticReplay();
    m_context.board.play.appliedCount = 0;
    instantReplay(false);
}

void ReplayController::toggleAutomaticReplay() {
    if (m_context.replay.replayMode == 0)
        chooseClickMode(3);
    else
        chooseInterval(m_context.replay.stepInterval);
}

void ReplayController::askPointTarget() {
    const auto answer =
        m_dialogs.input(pointTargetPrompt, QCoreApplication::applicationName(), pointTargetDefault,
                        targetDialogPosition, targetDialogPosition);
    const QStringList parts = answer.value_or(QString()).split(QLatin1Char(' '));
    bool valid = parts.size() == 2;
    if (valid) {
        const auto column = numberInRange(parts.at(0), 1, 19);
        const auto row = numberInRange(parts.at(1), 1, 19);
        if (column)
            m_context.replay.stopColumn = *column;
        if (row)
            m_context.replay.stopRow = *row;
        valid = column && row;
    }
    if (!valid)
        m_dialogs.message(pointTargetError);
}

void ReplayController::askMoveTarget() {
    const auto answer =
        m_dialogs.input(moveTargetPrompt, QCoreApplication::applicationName(), moveTargetDefault,
                        targetDialogPosition, targetDialogPosition);
    // Cancelling is changing one's mind, not a wrong answer.
    if (!answer)
        return;
    const auto target = numberInRange(*answer, 1, m_context.record.moveCount);
    if (!target) {
        m_dialogs.message(moveTargetError);
        return;
    }
    m_context.replay.stopMoveNumber = *target;
    m_context.board.play.appliedCount = *target;
    m_timers.stopStepTimer();
    instantReplay();
}

void ReplayController::showHelp() {
    m_navigator.showHelp(helpcode::replay);
}

void ReplayController::stopTimers() {
    m_timers.stopStepTimer();
    m_timers.stopStartTimer();
    cancelPendingPlacement();
}

void ReplayController::leave(ScreenId next) {
    stopTimers();
    if (m_context.board.play.nextMoveNumber > 30)
        report(m_dialogs,
               touchRecord(m_context.recordDirectory, m_context.record, m_context.clock()));
    m_navigator.show(next);
}

bool ReplayController::backToRecordList() {
    leave(ScreenId::RecordList);
    return true;
}

bool ReplayController::backToStart() {
    leave(ScreenId::Start);
    return true;
}

bool ReplayController::continuePlaying() {
    // A stone announced but not placed yet is placed now, with its removals, as the replay
    // would have shown it a moment later.
    settlePendingPlacement();
    stopTimers();
    // The recording board rebuilds the position from the entries handed over: exactly those
    // the board shows, whatever the cursor says (an ended replay or a reached target has run
    // it past the end). Removals still due after them come along.
    const MoveList& moves = m_context.board.moves;
    int shown = std::clamp(m_placed, 0, moves.length());
    while (shown < moves.length() && moves.entry(shown + 1).isRemoval())
        ++shown;
    m_context.board.play.appliedCount = shown;
    // Continued from its middle, the game is another game than the stored one, which must
    // never be shortened: it is saved as a new record beside it. From the end it goes on.
    if (shown < moves.length()) {
        m_context.record.selectedIndex = 0;
        m_context.record.fileName.clear();
    }
    m_navigator.show(ScreenId::BoardRecording, ContinueGame{.entries = shown});
    return true;
}

bool ReplayController::deleteRecord() {
    if (m_dialogs.message(deleteConfirmation, Dialogs::Buttons::OkCancelDefaultCancel) !=
        Dialogs::Answer::Ok)
        return false;
    if (!report(m_dialogs, vorleth::deleteRecord(m_context.recordDirectory, m_context.catalogue,
                                                 m_context.record)))
        return false;
    stopTimers();
    m_navigator.show(ScreenId::Start);
    return true;
}

} // namespace vorleth
