#include "replay/replaycontroller.h"

#include "board/boardrenderer.h"
#include "board/playrules.h"
#include "shell/sharedstate.h"
#include "store/catalogue.h"
#include "store/record.h"
#include "ui/dialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

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

QString replayRecordInformation(const QString& gameName, const QString& whitePlayer,
                                const QString& blackPlayer, int stoneEntries,
                                const QString& result) {
    return QStringList{gameName, QStringLiteral("白：") + whitePlayer,
                       QStringLiteral("黒：") + blackPlayer,
                       QStringLiteral("手数  ") + QString::number(stoneEntries), result}
        .join(QStringLiteral("\r\n"));
}

QString replayWindowTitle(const QString& gameName, const QString& whitePlayer,
                          const QString& blackPlayer) {
    return QStringLiteral("対局名：") + gameName + QStringLiteral("　白番：") + whitePlayer +
           QStringLiteral(" 黒番：") + blackPlayer;
}

ReplayController::ReplayController(SharedState& state, ReplayView& view, ReplayTimers& timers,
                                   Dialogs& dialogs, Navigator& navigator)
    : m_state(state), m_view(view), m_timers(timers), m_dialogs(dialogs), m_navigator(navigator) {}

bool ReplayController::open() {
    ReplaySettings& replay = m_state.replay;
    PlayState& play = m_state.board.play;
    replay.stopMoveNumber = 999;
    replay.stopRow = 99;
    replay.stopColumn = 99;
    replay.beepCount = 1;
    if (!replay.rebuildPending)
        play.appliedCount = 0;
    play.nextMoveNumber = 0;
    play.prisonersWhite = 0;
    play.prisonersBlack = 0;
    replay.gridDrawn = false;
    m_pendingPlacement = 0;

    // The record is read before any timer runs, so that a record that cannot be read leaves
    // nothing half drawn behind.
    CurrentRecord& record = m_state.record;
    const int index = record.selectedIndex;
    QString error;
    if (!isCataloguePosition(m_state.catalogue, index)) {
        error = cannotReadRecordMessage + record.fileName + recordExtension;
    } else {
        const CatalogueEntry& entry = m_state.catalogue.entry(index);
        record.fileName = entry.fileName;
        if (readRecord(m_state, error)) {
            record.gameName = entry.gameName;
            record.whitePlayer = entry.whitePlayer;
            record.blackPlayer = entry.blackPlayer;
            record.result = entry.result;
        }
    }
    if (!error.isEmpty()) {
        m_dialogs.message(error);
        m_navigator.show(ScreenId::RecordList);
        return false;
    }

    m_timers.startStartTimer();
    applyReplayMode();

    handicapFromGameName(m_state.board, record.gameName);
    m_view.setTitle(replayWindowTitle(record.gameName, record.whitePlayer, record.blackPlayer));
    const auto& entries = m_state.board.moves.entries();
    const int stones = static_cast<int>(std::count_if(
        entries.begin(), entries.end(), [](const MoveEntry& e) { return isStoneKind(e.kind); }));
    m_view.showRecordInformation(replayRecordInformation(
        record.gameName, record.whitePlayer, record.blackPlayer, stones, record.result));
    return true;
}

void ReplayController::applyReplayMode() {
    const ReplaySettings& replay = m_state.replay;
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
    const PlayState& play = m_state.board.play;
    m_view.showPrisoners(replayPrisonersText(play.prisonersWhite, play.prisonersBlack));
}

void ReplayController::startTick() {
    if (!m_state.replay.gridDrawn)
        firstDrawing();
    m_timers.stopStartTimer();
    m_timers.startStepTimer(m_state.replay.stepInterval);
}

void ReplayController::firstDrawing() {
    ReplaySettings& replay = m_state.replay;
    PlayState& play = m_state.board.play;
    const MoveList& moves = m_state.board.moves;
    replay.gridDrawn = true;
    m_view.drawBoard();
    beginDrawing();

    // A problem or a joseki opens with its set-up: everything before the first marker.
    const QString& gameName = m_state.record.gameName;
    if (gameName.startsWith(QStringLiteral("詰め碁")) ||
        gameName.startsWith(QStringLiteral("定石"))) {
        for (int i = 1; i <= moves.length(); ++i) {
            if (!moves.entry(i).changesBoard()) {
                play.appliedCount = i - 1;
                replay.rebuildPending = true;
                break;
            }
        }
    }

    if (replay.rebuildPending) {
        play.appliedCount = std::min(play.appliedCount, moves.length());
        for (int j = 1; j <= play.appliedCount; ++j)
            placeEntry(j);
        replay.rebuildPending = false;
    }

    showMoveNumberBox(replayMoveNumberText(play.nextMoveNumber));
    showPrisoners();
    drawHandicapStones();
    finishDrawing();
}

void ReplayController::drawHandicapStones() {
    PlayState& play = m_state.board.play;
    const int count = play.pendingHandicap;
    // Drawn only: the replay keeps no cells, and the side to move stays as it is.
    for (int i = 1; i <= count; ++i)
        drawStoneAt(handicapPoint(i, count), black);
    play.pendingHandicap = 0;
}

void ReplayController::replayStep() {
    ReplaySettings& replay = m_state.replay;
    PlayState& play = m_state.board.play;
    const MoveList& moves = m_state.board.moves;
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
    const MoveEntry& entry = m_state.board.moves.entry(i);
    const Point p = Point::fromCode(entry.point);
    m_view.showPoint(p);
    m_state.board.play.lastMover = entry.kind;
    // The disc stays until the placement draws the stone over it; nothing waits here.
    if (isStoneKind(entry.kind) && m_state.replay.stepInterval > discIntervalThreshold &&
        p.onBoard())
        m_view.drawMarkerDisc(p);
}

void ReplayController::placementTick() {
    m_timers.cancelPlacementTimer();
    const int entry = m_pendingPlacement;
    m_pendingPlacement = 0;
    if (entry < 1 || entry > m_state.board.moves.length())
        return;

    ReplaySettings& replay = m_state.replay;
    PlayState& play = m_state.board.play;
    play.appliedCount = entry;
    placeEntry(entry);
    const bool stopAtPlacement = atStopPoint(entry);
    // The removals the placement caused come with it; a target on a removed stone counts.
    const bool stopAtRemoval = removalBurst();

    if (play.nextMoveNumber >= replay.stopMoveNumber || stopAtPlacement || stopAtRemoval)
        play.appliedCount = m_state.board.moves.length() + 1;
}

bool ReplayController::atStopPoint(int i) const {
    const Point p = Point::fromCode(m_state.board.moves.entry(i).point);
    return p.column == m_state.replay.stopColumn && p.row == m_state.replay.stopRow;
}

bool ReplayController::removalBurst() {
    PlayState& play = m_state.board.play;
    const MoveList& moves = m_state.board.moves;
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
    PlayState& play = m_state.board.play;
    const MoveEntry& entry = m_state.board.moves.entry(i);
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
    for (int i = 0; i < m_state.replay.beepCount; ++i)
        m_view.beep();
}

void ReplayController::clickStep() {
    PlayState& play = m_state.board.play;
    if (!m_state.replay.gridDrawn)
        firstDrawing();
    play.appliedCount += 1;
    if (play.appliedCount > m_state.board.moves.length())
        return;
    placeEntry(play.appliedCount);
    m_view.showMoveNumber(replayMoveNumberText(play.nextMoveNumber));
    removalBurst();
}

void ReplayController::leftClick() {
    ReplaySettings& replay = m_state.replay;
    PlayState& play = m_state.board.play;
    // A stepping click arriving while an announced entry waits for its placement acts on the
    // position that placement leads to: the placement is made now, so that it is neither
    // skipped nor made twice. In the automatic mode a click only restarts the countdown.
    if (replay.replayMode != 0)
        settlePendingPlacement();

    const QString k = firstCharacter(play.lastMover);
    const int mode = replay.replayMode;
    if (mode != 0 && ((mode == 1 && k == white) || mode == 3 || (mode == 2 && k == black))) {
        clickStep();
        if (play.appliedCount > m_state.board.moves.length())
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

void ReplayController::instantReplay() {
    ReplaySettings& replay = m_state.replay;
    PlayState& play = m_state.board.play;
    const MoveList& moves = m_state.board.moves;
    // The jump draws every entry up to its limit itself: a placement still pending would
    // place and count one of them a second time.
    cancelPendingPlacement();
    m_timers.stopStartTimer();

    replay.gridDrawn = true;
    m_view.drawBoard();
    beginDrawing();
    handicapFromGameName(m_state.board, m_state.record.gameName);
    drawHandicapStones();

    play.nextMoveNumber = 0;
    play.prisonersWhite = 0;
    play.prisonersBlack = 0;

    const int limit = std::clamp(play.appliedCount, 0, moves.length());
    int reached = limit;
    for (int i = 1; i <= limit; ++i) {
        placeEntry(i);
        if (play.nextMoveNumber >= replay.stopMoveNumber || atStopPoint(i)) {
            reached = i;
            break;
        }
    }
    // Later steps continue from the position shown.
    play.appliedCount = reached;
    finishDrawing();

    replay.rebuildPending = false;
    play.nextMoveNumber += 1;
    m_view.showMoveNumber(replayMoveNumberText(play.nextMoveNumber));
    m_view.showSideToMove(sideToMoveText(firstCharacter(play.lastRecordedColour)));
    showPrisoners();
}

void ReplayController::chooseClickMode(int mode) {
    m_state.replay.replayMode = mode;
    applyReplayMode();
}

void ReplayController::chooseInterval(int ms) {
    m_state.replay.stepInterval = ms;
    m_state.replay.replayMode = 0;
    applyReplayMode();
}

void ReplayController::jumpWithoutInterval() {
    m_state.board.play.appliedCount = m_state.board.moves.length();
    m_timers.stopStepTimer();
    instantReplay();
}

void ReplayController::setBeeps(bool on) {
    m_state.replay.beepCount = on ? 1 : 0;
}

void ReplayController::jumpToFinal() {
    m_state.replay.stopMoveNumber = 999;
    m_state.board.play.appliedCount = m_state.board.moves.length();
    m_timers.stopStepTimer();
    instantReplay();
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
            m_state.replay.stopColumn = *column;
        if (row)
            m_state.replay.stopRow = *row;
        valid = column && row;
    }
    if (!valid)
        m_dialogs.message(pointTargetError);
}

void ReplayController::askMoveTarget() {
    const auto answer =
        m_dialogs.input(moveTargetPrompt, QCoreApplication::applicationName(), moveTargetDefault,
                        targetDialogPosition, targetDialogPosition);
    const auto target = numberInRange(answer.value_or(QString()), 1, m_state.record.moveCount);
    if (!target) {
        m_dialogs.message(moveTargetError);
        return;
    }
    m_state.replay.stopMoveNumber = *target;
    m_state.board.play.appliedCount = *target;
    m_timers.stopStepTimer();
    instantReplay();
}

void ReplayController::showHelp() {
    m_state.shell.helpScreenCode = 5;
    m_navigator.showBeside(ScreenId::Help);
}

void ReplayController::stopTimers() {
    m_timers.stopStepTimer();
    m_timers.stopStartTimer();
    cancelPendingPlacement();
}

void ReplayController::leave(ScreenId next) {
    stopTimers();
    if (m_state.board.play.nextMoveNumber > 30)
        touchRecord(m_state, m_dialogs);
    m_navigator.show(next);
}

bool ReplayController::backToRecordList() {
    m_state.replay.replayListFlag = true;
    leave(ScreenId::RecordList);
    return true;
}

bool ReplayController::backToStart() {
    leave(ScreenId::Start);
    return true;
}

bool ReplayController::continuePlaying() {
    stopTimers();
    // An ended replay has run its cursor past the end; the recording board continues from
    // the last entry then.
    PlayState& play = m_state.board.play;
    play.appliedCount = std::clamp(play.appliedCount, 0, m_state.board.moves.length());
    m_state.table.boardScreenState = 99;
    m_navigator.show(ScreenId::BoardRecording);
    return true;
}

bool ReplayController::deleteRecord() {
    if (m_dialogs.message(deleteConfirmation, Dialogs::Buttons::OkCancel) != Dialogs::Answer::Ok)
        return false;
    const QString path = recordPath(m_state.settings.recordDirectory, m_state.record.fileName);
    if (!QFile::remove(path)) {
        m_dialogs.message(recordDeletionFailedMessage + path);
        return false;
    }
    stopTimers();
    Catalogue& catalogue = m_state.catalogue;
    if (isCataloguePosition(catalogue, m_state.record.selectedIndex))
        catalogue.entries.removeAt(m_state.record.selectedIndex - 1);
    scanCatalogue(catalogue, m_state.settings.recordDirectory);
    m_navigator.show(ScreenId::Start);
    return true;
}

} // namespace vorleth
