#pragma once

// A user who does anything in any order: drives the controllers of the recording, replay,
// counting and import roads with scripted answers, chosen by a seeded random generator, and
// after every action checks what must never happen whatever the user does:
// - a record file is lost or changed other than by a confirmed save or deletion;
// - a saved record does not read back to the board it was saved from;
// - the recovery file does not hold the game on the board (while the board or the count has
//   it), or stays behind once the game was saved or discarded.
// Used briefly by the tests and at length by a program of its own.

#include "recording/recordingfakes.h"
#include "replay/replayfakes.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"

#include "board/playrules.h"
#include "counting/countingcontroller.h"
#include "import/tableimport.h"
#include "recording/boardrecordingcontroller.h"
#include "recording/endofgamecontroller.h"
#include "recording/gameinfocontroller.h"
#include "replay/replaycontroller.h"
#include "shell/recovery.h"
#include "shell/startup.h"
#include "state/contexts.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"
#include "store/library.h"
#include "store/recordname.h"
#include "store/recoveryfile.h"
#include "support/asciiboardview.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <random>

namespace vorleth::test {

class RoadDriver {
public:
    // sgfFiles: games the import road may bring in.
    RoadDriver(unsigned seed, QStringList sgfFiles)
        : m_random(seed), m_sgfFiles(std::move(sgfFiles)),
          m_state(std::make_unique<SharedState>(m_dir.path())) {
        m_state->clock = [this] {
            return QDateTime(QDate(2024, 5, 6), QTime(9, 0)).addSecs(m_seconds);
        };
        startUp(*m_state);
        m_files = recordFiles();
    }

    bool valid() const { return m_dir.isValid(); }
    int saves() const { return m_saves; }
    int deletions() const { return m_deletions; }
    const QString& lastAction() const { return m_action; }
    // How often each action was taken.
    const QMap<QString, int>& actions() const { return m_actions; }

    // One action of the user and the checks after it: empty, or what went wrong.
    QString step() {
        m_seconds += 7;
        // Answers not asked for last time are no answers to this action's questions.
        m_dialogs.answers.clear();
        m_dialogs.inputs.clear();
        m_dialogs.shown.clear();
        m_savedBoard.reset();
        m_gameLeft = false;
        m_confirmedDeletion.clear();
        m_touchAllowed = false;
        m_fileNameBefore = m_state->record.fileName;
        m_boardBefore = boardDiagram(m_state->board.board);
        switch (m_where) {
        case Where::Start:
            startAction();
            break;
        case Where::Board:
            boardAction();
            break;
        case Where::EndOfGame:
            endOfGameAction();
            break;
        case Where::Counting:
            countingAction();
            break;
        case Where::Replay:
            replayAction();
            break;
        }
        followNavigation();
        // The user takes a moment before the next action: the board's timers run, its tick and
        // the recovery write that follows what the tick changed.
        if (m_where == Where::Board)
            m_boardTimers.advance(BoardRecordingController::tickPeriod +
                                  BoardRecordingController::recoveryWriteDelay);
        return check();
    }

private:
    enum class Where { Start, Board, EndOfGame, Counting, Replay };

    class CountingViewStub : public AsciiBoardViewOf<CountingView> {
    public:
        void drawMark(Point, CountMark) override {}
        void showCountText(const QString&) override {}
        void showRecordInformation(const QString&) override {}
        void setTitle(const QString&) override {}
        void openPalette(const QString&) override { paletteOpen = true; }
        bool paletteOpen = false;
    };
    class GameInfoViewStub : public GameInfoView {
    public:
        void setTableEntryMenusVisible(bool) override {}
        void fill(const GameInfoLists&, const GameInfoBoxes& boxes) override {
            const QString komi = shown.komi;
            shown = boxes;
            if (!komi.isEmpty())
                shown.komi = komi;
        }
        GameInfoBoxes boxes() const override { return shown; }
        GameInfoBoxes shown;
    };

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return pick(100) < percent; }
    template <class T> const T& oneOf(std::initializer_list<T> items) {
        return *(items.begin() + pick(static_cast<int>(items.size())));
    }
    void act(const char* what) {
        m_action = QString::fromUtf8(what);
        ++m_actions[m_action];
    }
    void answer(Dialogs::Answer a) { m_dialogs.answers.push_back(a); }

    QString recordDirectory() const { return m_state->settings.recordDirectory; }
    QMap<QString, QByteArray> recordFiles() const {
        QMap<QString, QByteArray> files;
        const QDir dir(recordDirectory());
        for (const QString& name : dir.entryList({QStringLiteral("*.IGO")}, QDir::Files)) {
            QFile f(dir.filePath(name));
            if (f.open(QIODevice::ReadOnly))
                files.insert(name, f.readAll());
        }
        return files;
    }

    // ---- Screens as the program opens them --------------------------------------------------

    void openBoard(const Handover& handover = {}) {
        m_board = std::make_unique<BoardRecordingController>(
            boardRecordingContext(*m_state), m_boardView, m_boardTimers, m_dialogs, m_navigator);
        m_boardTimers = {};
        m_boardTimers.controller = m_board.get();
        m_board->open(handover);
        m_where = Where::Board;
    }
    // The hand-over of the oldest show() not followed yet.
    Handover takeHandover() {
        auto& calls = m_navigator.calls;
        const auto call =
            std::find_if(calls.begin(), calls.end(), [](const auto& c) { return !c.beside; });
        if (call == calls.end())
            return {};
        Handover handover = call->handover;
        calls.erase(call);
        return handover;
    }
    void followNavigation() {
        while (!m_navigator.shown.empty()) {
            const ScreenId id = m_navigator.shown.front();
            m_navigator.shown.erase(m_navigator.shown.begin());
            const Handover handover = takeHandover();
            switch (id) {
            case ScreenId::BoardRecording:
                m_counting.reset();
                m_replay.reset();
                openBoard(handover);
                break;
            case ScreenId::EndOfGame:
                m_board->suspendRecovery();
                m_endOfGame = std::make_unique<EndOfGameController>(endOfGameContext(*m_state),
                                                                    m_dialogs, m_navigator);
                m_where = Where::EndOfGame;
                break;
            case ScreenId::Counting:
                m_board.reset();
                m_counting = std::make_unique<CountingController>(
                    countingContext(*m_state), m_countingView, m_dialogs, m_navigator);
                m_counting->open();
                m_where = Where::Counting;
                break;
            case ScreenId::Replay:
                break; // opened by the action that chose the record
            case ScreenId::TableEntry:
            case ScreenId::RepeatedPlays:
                // The table and the repeated plays show the imported diagram as it stands;
                // their 並べる hands it to the board.
                openBoard(PlaceDiagram{});
                break;
            default: // the main menu, the record list: back at the start
                // Saved or discarded by a button: nothing is left to recover.
                m_gameLeft = m_where == Where::Board || m_where == Where::EndOfGame ||
                             m_where == Where::Counting;
                if (m_endOfGame && m_board)
                    m_board->leftFromEndOfGame();
                m_board.reset();
                m_endOfGame.reset();
                m_counting.reset();
                m_replay.reset();
                m_where = Where::Start;
                break;
            }
        }
        m_navigator.clear();
    }

    // ---- The main menu ------------------------------------------------------------------------

    void startAction() {
        switch (pick(8)) {
        case 0:
        case 1:
        case 2: {
            act("碁盤で並べて登録, 次に");
            prepareBoardEntry(*m_state);
            GameInfoViewStub view;
            view.shown.gameName = oneOf({QStringLiteral("練習碁"), QStringLiteral("三子局"),
                                         QStringLiteral("세계대회"), QStringLiteral("a,b%c")});
            view.shown.whitePlayer = oneOf({QStringLiteral("이세돌"), QStringLiteral("山田")});
            view.shown.blackPlayer = oneOf({QStringLiteral("柯洁"), QStringLiteral("佐藤")});
            view.shown.result = oneOf({QString(), QStringLiteral("黒中押勝")});
            view.shown.komi = QStringLiteral("6.5");
            GameInfoController info(gameInfoContext(*m_state), view, m_dialogs, m_navigator);
            info.open();
            info.next();
            break;
        }
        case 3:
        case 4: {
            if (m_sgfFiles.isEmpty())
                return;
            act("総譜から表形式で登録, sgf 取込み, 並べる");
            prepareTableEntry(*m_state);
            const QString source = QDir(m_dir.path()).filePath(QStringLiteral("source.sgf"));
            QFile::remove(source);
            QFile::copy(m_sgfFiles[pick(static_cast<int>(m_sgfFiles.size()))], source);
            m_state->import.importSourcePath = source;
            // The game information screen imports the file as it opens; 次に goes on to the
            // table.
            GameInfoViewStub view;
            GameInfoController info(gameInfoContext(*m_state), view, m_dialogs, m_navigator);
            info.open();
            info.next();
            break;
        }
        case 5:
        case 6: {
            act("登録棋譜を閲覧, a record");
            prepareBrowse(*m_state);
            scanCatalogue(m_state->catalogue, recordDirectory()); // the record list's listing
            if (m_state->catalogue.count() == 0)
                return;
            m_replay = std::make_unique<ReplayController>(replayContext(*m_state), m_replayView,
                                                          m_replayTimers, m_dialogs, m_navigator);
            m_replayTimers = {};
            m_replayTimers.controller = m_replay.get();
            if (m_replay->open({1 + pick(m_state->catalogue.count())}))
                m_where = Where::Replay;
            break;
        }
        default:
            act("start-up: restore the game left behind");
            m_state->shell.recoveryOffered = false;
            answer(chance(80) ? Dialogs::Answer::Yes : Dialogs::Answer::No);
            if (const std::optional<ContinueGame> continued = offerRecovery(*m_state, m_dialogs))
                m_navigator.show(ScreenId::BoardRecording, *continued);
            break;
        }
    }

    // ---- The recording board ------------------------------------------------------------------

    void click(Point p) {
        m_board->leftPress(m_state->geometry.pointX(p.column), m_state->geometry.pointY(p.row));
    }
    Point anyPoint() { return {1 + pick(19), 1 + pick(19)}; }

    void boardAction() {
        // A long game is counted more often than a short one is abandoned.
        if (m_state->board.play.appliedCount > BoardRecordingController::countingMinimum &&
            chance(25)) {
            act("地の計算");
            answer(chance(90) ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel);
            m_board->countTerritory();
            return;
        }
        const int r = pick(100);
        if (r < 40) {
            act("a click on the board");
            click(anyPoint());
        } else if (r < 50) {
            act("many clicks");
            for (int i = 0; i < 120; ++i)
                click(anyPoint());
        } else if (r < 58) {
            act("right click");
            m_board->rightRelease();
        } else if (r < 60) {
            act("一時停止");
            m_board->addPause();
        } else if (r < 62) {
            act("置き石");
            m_board->chooseHandicap(2 + pick(8));
        } else if (r < 65) {
            act("詰め碁 mode");
            m_board->chooseProblemMode(
                oneOf({ProblemMode::WhiteRepeated, ProblemMode::BlackRepeated,
                       ProblemMode::AlternateBlackNext, ProblemMode::AlternateWhiteNext}));
        } else if (r < 68) {
            act("今の棋譜を一時保管");
            m_board->keepCopy();
        } else if (r < 71) {
            act("一時保管した棋譜に戻す");
            m_board->restoreKeptCopy();
        } else if (r < 73) {
            act("最初の棋譜に戻す");
            m_board->restoreOpening();
        } else if (r < 76) {
            act("手番を指示");
            m_dialogs.inputs.push_back(QString::number(pick(40)));
            m_board->indicateRepeatedPlay();
        } else if (r < 82) {
            act("保管して戻る");
            if (chance(50))
                m_state->record.game.result = oneOf({QString(), QStringLiteral("白中押勝")});
            const QByteArray board = boardDiagram(m_state->board.board).toUtf8();
            const MoveList moves = m_state->board.moves;
            answer(Dialogs::Answer::No); // keep any source file
            if (m_board->saveAndReturn() == BoardRecordingController::SaveOutcome::Saved)
                savedFrom(board, moves);
        } else if (r < 87) {
            act("保管せずに戻る");
            answer(chance(50) ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel);
            answer(Dialogs::Answer::No);
            m_board->returnWithoutSaving();
        } else if (r < 93) {
            act("地の計算");
            answer(chance(80) ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel);
            m_board->countTerritory();
        } else if (r < 97) {
            act("the program crashes");
            m_board.reset();
            m_where = Where::Start;
        } else {
            act("the window closes with the program");
            m_board->closing();
            m_board.reset();
            m_where = Where::Start;
        }
    }

    void endOfGameAction() {
        const MoveList moves = m_state->board.moves;
        if (chance(70)) {
            act("終局情報: 保管する");
            answer(Dialogs::Answer::No);
            if (m_endOfGame->save(
                    oneOf({QString(), QStringLiteral("黒勝"), QStringLiteral("白中押勝")}),
                    QStringLiteral("2.5")))
                savedFrom(m_boardBefore.toUtf8(), moves);
        } else {
            act("終局情報: 保管しない");
            m_endOfGame->leaveWithoutSaving();
        }
    }

    // ---- The count ------------------------------------------------------------------------------

    void countingAction() {
        const int r = pick(100);
        if (r < 40) {
            act("a correction");
            m_countingView.paletteOpen = false;
            m_counting->leftButtonDown(anyPoint());
            m_counting->leftButtonUp();
            if (m_countingView.paletteOpen)
                m_counting->paletteClosed(
                    oneOf({CountMark::BlackStone, CountMark::WhiteStone, CountMark::BlackTerritory,
                           CountMark::WhiteTerritory, CountMark::Seki}));
        } else if (r < 50) {
            act("undo of the correction");
            m_counting->rightButtonUp();
        } else if (r < 65) {
            act("保管して対局に戻る");
            const MoveList moves = m_state->board.moves;
            answer(Dialogs::Answer::No);
            const bool skip =
                m_state->counting.skipSaveQuestion && m_state->record.fileName.isEmpty();
            if (m_counting->saveAndLeave() && !skip)
                savedFrom(m_boardBefore.toUtf8(), moves);
        } else if (r < 75) {
            act("保管せずにメインメニュー");
            answer(chance(50) ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel);
            m_counting->leaveWithoutSaving();
        } else if (r < 80) {
            act("writepass");
            answer(chance(50) ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel);
            m_counting->writePass();
        } else if (r < 95) {
            act("対局画面に戻る, or the close box");
            m_counting->backToBoard();
        } else {
            act("the program crashes while counting");
            m_counting.reset();
            m_where = Where::Start;
        }
    }

    // ---- The replay -----------------------------------------------------------------------------

    void replayAction() {
        const int r = pick(100);
        if (r < 30) {
            act("replay steps");
            m_replayTimers.advance(2000);
        } else if (r < 45) {
            act("最終譜まで");
            m_replay->jumpToFinal();
        } else if (r < 65) {
            act("続きを打つ");
            m_touchAllowed = true;
            m_replay->continuePlaying();
        } else if (r < 80) {
            act("この対局を削除");
            const bool yes = chance(50);
            answer(yes ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel);
            if (yes)
                m_confirmedDeletion = m_state->record.fileName + recordExtension;
            m_replay->deleteRecord();
        } else {
            act("開始画面");
            m_touchAllowed = true;
            m_replay->backToStart();
        }
    }

    // ---- The checks -------------------------------------------------------------------------

    void savedFrom(const QByteArray& board, const MoveList& moves) {
        ++m_saves;
        m_savedBoard = board;
        m_savedMoves = moves;
    }

    QString check() {
        const QMap<QString, QByteArray> files = recordFiles();
        QStringList added, removed;
        for (auto it = files.begin(); it != files.end(); ++it) {
            if (!m_files.contains(it.key()) || m_files.value(it.key()) != it.value())
                added << it.key();
        }
        for (auto it = m_files.begin(); it != m_files.end(); ++it) {
            if (!files.contains(it.key()) || files.value(it.key()) != it.value())
                removed << it.key();
        }
        const QString saved = m_state->record.fileName + recordExtension;
        if (m_savedBoard) {
            // A save may write its record and replace the version it continued.
            if (added != QStringList{saved})
                return QStringLiteral("a save wrote %1, not %2").arg(added.join(u'|'), saved);
            if (!removed.isEmpty() && removed != QStringList{m_fileNameBefore + recordExtension})
                return QStringLiteral("a save removed %1").arg(removed.join(u'|'));
            CurrentRecord read;
            read.fileName = m_state->record.fileName;
            MoveList moves;
            if (!readRecord(recordDirectory(), read, moves).ok)
                return QStringLiteral("the saved record cannot be read");
            if (moves != m_savedMoves)
                return QStringLiteral("the saved record holds other moves");
            BoardModel rebuilt;
            rebuilt.moves = moves;
            rebuildPosition(rebuilt, moves.length(), read.game.gameName);
            if (boardDiagram(rebuilt.board).toUtf8() != *m_savedBoard)
                return QStringLiteral(
                           "the saved record rebuilds to another board:\n%1\nsaved from\n%2")
                    .arg(boardDiagram(rebuilt.board), QString::fromUtf8(*m_savedBoard));
        } else if (!m_confirmedDeletion.isEmpty()) {
            ++m_deletions;
            if (!added.isEmpty() || removed != QStringList{m_confirmedDeletion})
                return QStringLiteral("a deletion changed %1 and %2")
                    .arg(added.join(u'|'), removed.join(u'|'));
        } else if (m_touchAllowed && added.size() == 1 && removed.size() == 1) {
            // Leaving the replay renames the record with the date it was looked at; its content
            // stays.
            if (files.value(added[0]) != m_files.value(removed[0]))
                return QStringLiteral("leaving the replay changed %1").arg(removed[0]);
        } else if (!added.isEmpty() || !removed.isEmpty()) {
            return QStringLiteral("record files changed without a save: +%1 -%2")
                .arg(added.join(u'|'), removed.join(u'|'));
        }
        m_files = files;
        return checkRecovery();
    }

    QString checkRecovery() {
        const QString base = m_state->baseDirectory;
        switch (m_where) {
        case Where::Board:
        case Where::EndOfGame:
        case Where::Counting: {
            const Result<RecoveredGame> read = readRecoveryFile(base);
            if (!read.ok)
                return QStringLiteral("no recovery file while the game is on the board or counted");
            if (read.moves != m_state->board.moves)
                return QStringLiteral("the recovery file holds other moves than the board");
            if (read.record.game.gameName != m_state->record.game.gameName)
                return QStringLiteral("the recovery file holds the game name %1, not %2")
                    .arg(read.record.game.gameName, m_state->record.game.gameName);
            if (m_where != Where::Board || m_state->board.play.pendingHandicap != 0)
                return {};
            BoardModel rebuilt;
            rebuilt.moves = read.moves;
            rebuildPosition(rebuilt, rebuilt.moves.length(), read.record.game.gameName);
            if (boardDiagram(rebuilt.board) != boardDiagram(m_state->board.board))
                return QStringLiteral("the recovery file rebuilds to another board:\n%1\nboard\n%2")
                    .arg(boardDiagram(rebuilt.board), boardDiagram(m_state->board.board));
            return {};
        }
        case Where::Replay:
        case Where::Start:
            if (m_gameLeft && recoveryFileExists(base))
                return QStringLiteral("the recovery file stays after the game was left");
            return {};
        }
        return {};
    }

    std::mt19937 m_random;
    QStringList m_sgfFiles;
    QTemporaryDir m_dir;
    std::unique_ptr<SharedState> m_state;
    qint64 m_seconds = 0;
    ScriptedDialogs m_dialogs;
    RecordingNavigator m_navigator;
    Where m_where = Where::Start;

    FakeRecordingView m_boardView;
    VirtualRecordingTimers m_boardTimers;
    std::unique_ptr<BoardRecordingController> m_board;
    std::unique_ptr<EndOfGameController> m_endOfGame;
    CountingViewStub m_countingView;
    std::unique_ptr<CountingController> m_counting;
    FakeReplayView m_replayView;
    VirtualTimers m_replayTimers;
    std::unique_ptr<ReplayController> m_replay;

    QString m_action;
    QMap<QString, int> m_actions;
    int m_saves = 0;
    int m_deletions = 0;
    QMap<QString, QByteArray> m_files;
    QString m_fileNameBefore;
    QString m_boardBefore;
    std::optional<QByteArray> m_savedBoard;
    MoveList m_savedMoves;
    QString m_confirmedDeletion;
    bool m_touchAllowed = false;
    bool m_gameLeft = false;
};

} // namespace vorleth::test
