#pragma once

#include "board/boardview.h"
#include "board/geometry.h"
#include "board/playrules.h"
#include "import/importsource.h"
#include "interaction/navigator.h"
#include "store/cataloguetypes.h"
#include "store/outcome.h"
#include "store/recordtypes.h"
#include "store/tabledata.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace vorleth {

class Dialogs;

// What the recording board shows besides the board and its status boxes.
class BoardRecordingView : public BoardView {
public:
    virtual void showGameInformation(const QString& text) = 0; // taikyoku
    virtual void setTitle(const QString& text) = 0;
};

// The board's periodic tick (Timer1) and the short single shot that writes the recovery file.
// The screen backs them with QTimers; tests run them on a virtual clock.
class BoardRecordingTimers {
public:
    virtual ~BoardRecordingTimers() = default;
    // (Re)starts the periodic tick with that period.
    virtual void startTick(int periodMs) = 0;
    virtual void stopTick() = 0;
    virtual bool tickRunning() const = 0;
    // One shot recoveryWriteDelay ms after it was armed; arming it while it waits changes
    // nothing, so a burst of changes makes one write.
    virtual void armRecoveryWrite() = 0;
    virtual void cancelRecoveryWrite() = 0;
};

// Texts of the board screen.
inline const QString endedMoveText = QStringLiteral("終局");

// Messages and prompts of the board screen.
inline const QString repeatedPlayPrompt = QStringLiteral("元の手番を入力してください");
inline const QString repeatedPlayTitle = QStringLiteral("今の手番");
inline const QString noEarlierMoveMessage = QStringLiteral("元の手番がありません");
inline const QString samePointMessage = QStringLiteral("同じ場所には打てません");
inline const QString discardQuestion = QStringLiteral("保管せずに戻りますが良いですか");
inline const QString countingQuestion =
    QStringLiteral("戻って修正もできますが、ダメ詰めと手入れがされていることが前提です。");
inline const QString tooFewMovesMessage = QStringLiteral("手数が１００手以下は計算できません");
// "一時保管した棋譜に戻す" before anything was kept.
inline const QString nothingKeptMessage = QStringLiteral("一時保管した棋譜はありません");
// The handicap menu once stones are on the board: the stones would go over them, and the game
// name could not tell a replay where they came from.
inline const QString handicapAfterMovesMessage =
    QStringLiteral("置き石は最初の一手の前に置いてください");
// The handicap menu when the game name already announces another handicap.
QString handicapNameConflictMessage(int namedStones);
// The start of the game name that announces a handicap of that many stones: ２子 .. ９子.
QString handicapPrefix(int stones);
// The repeated-play box stands this many twips from the screen's left edge.
inline constexpr int repeatedPlayBoxLeft = 50;

// The menu "詰め碁".
enum class ProblemMode {
    WhiteRepeated,      // 白連続
    BlackRepeated,      // 黒連続
    AlternateBlackNext, // 手番黒で自動反転
    AlternateWhiteNext, // 手番白で自動反転
};

// The program-wide values the recording board reads and changes.
struct BoardRecordingContext {
    BoardModel& board;
    CurrentRecord& record;
    Catalogue& catalogue;
    TableEntryData& table;
    ImportSource& import;
    const int& entryMode; // 2: the diagram moves come from the table entry
    const BoardGeometry& geometry;
    QString recordDirectory;
    QString baseDirectory; // the working files and the recovery file
    std::function<QDateTime()> clock;
};

// mapgoban: records a game on the board. Left presses play, right releases take back; in
// state 1 it places the moves of a typed diagram, in state 2 it waits for the point of a move
// the diagram does not give. What it opens with comes with the hand-over: a fresh game, a
// diagram to place, or a game to continue. Time enters only through tick() and
// writeRecovery(), which the screen's timers call.
class BoardRecordingController {
public:
    static constexpr int tickPeriod = 500;
    static constexpr int resumePeriod = 1;
    static constexpr int recoveryWriteDelay = 300;
    // "地の計算" needs more applied entries than this.
    static constexpr int countingMinimum = 100;

    // Where "保管して戻る" led.
    enum class SaveOutcome {
        Stayed,    // the save failed (reported): the game is still on the board
        Saved,     // saved; the main menu is shown and the board closes
        EndOfGame, // the result is still open: the end-of-game screen is on top
    };

    BoardRecordingController(BoardRecordingContext context, BoardRecordingView& view,
                             BoardRecordingTimers& timers, Dialogs& dialogs, Navigator& navigator);

    // States of the board.
    static constexpr int recording = 0;
    static constexpr int placing = 1;
    static constexpr int waiting = 2;

    // Opens with what the previous screen handed over: PlaceDiagram places the typed diagram,
    // ContinueGame rebuilds the move list's first entries and records on, anything else starts
    // a fresh game.
    void open(const Handover& handover = {});
    void tick();
    void leftPress(double x, double y); // twips on the drawing surface
    void rightRelease();

    // Menus.
    void indicateRepeatedPlay(); // "手番を指示"
    void chooseProblemMode(ProblemMode mode);
    void addPause(); // "一時停止（考慮時間を取る）"
    void chooseHandicap(int stones);
    void restoreOpening();  // "最初の棋譜に戻す"
    void keepCopy();        // "今の棋譜を一時保管"
    void restoreKeptCopy(); // "一時保管した棋譜に戻す"
    void showHelp();

    // Buttons. The two that may leave return whether they handed over; the screen closes then.
    SaveOutcome saveAndReturn(); // "保管して戻る"
    bool returnWithoutSaving();  // "保管せずに戻る"
    bool countTerritory();       // "地の計算"

    // While the end-of-game screen is on top it owns the recovery file: it removes it when it
    // saves or discards the game, and nothing here may write it again.
    void suspendRecovery();
    void resumeRecovery();
    // The end-of-game screen saved or discarded the game: the board is closed next.
    void leftFromEndOfGame();
    // The recovery timer's shot.
    void writeRecovery();
    // The window closes without a button (the program ends): the latest change is kept.
    void closing();

    // The point of the board's move n (the n-th stone of the move list), if there is one.
    std::optional<Point> pointOfMove(int n) const;

    int state() const { return m_state; }

private:
    void drawBoard();
    void placePendingHandicap();
    void showGame();
    void autoPlaceTableMoves();
    // The diagram's colours alternate whatever problem-setting mode is chosen.
    PlayResult playDiagramStone(Point p);
    // Placement stops at move tablePosition until the user gives its point.
    void waitForPoint();
    // The waited move is taken again at once.
    void resumePlacement();
    void rebuildFrom(const MoveList& moves);
    // Shows why a play was refused; false for a play that was made.
    bool reportRefusal(PlayResult result);
    // Rebuilds the position from the first n entries, keeping the pause markers among them:
    // they are part of a problem record even though they change no point.
    void rebuildKeepingMarkers(int n);
    void changed();
    // The game as the recovery file keeps it, with the diagram placement while it goes on.
    Outcome writeRecoveryNow();
    // Stops the timers; the game is no longer this screen's to keep.
    void stopKeeping();
    void leave();
    bool openCounting();

    BoardRecordingContext m_context;
    BoardRecordingView& m_view;
    BoardRecordingTimers& m_timers;
    Dialogs& m_dialogs;
    Navigator& m_navigator;

    int m_state = recording;
    // Leaving without saving asks nothing (the count said the game need not be kept).
    bool m_skipSaveQuestion = false;
    bool m_gridDrawn = false;
    MoveList m_openingCopy;
    std::optional<MoveList> m_keptCopy; // nothing until "今の棋譜を一時保管"
    bool m_recoverySuspended = false;
    bool m_left = false;
    bool m_recoveryFailureShown = false;
};

} // namespace vorleth
