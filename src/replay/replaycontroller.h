#pragma once

#include "board/boardview.h"
#include "board/playrules.h"
#include "interaction/navigator.h"
#include "replay/replaysettings.h"
#include "store/cataloguetypes.h"
#include "store/recordtypes.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace vorleth {

class Dialogs;

// What the replay shows: the board view (its move box is jyotai, its side box teban1) and the
// replay's own boxes.
class ReplayView : public BoardView {
public:
    // The cyan disc that marks the point of the entry about to be placed.
    virtual void drawMarkerDisc(Point p) = 0;
    virtual void showModeCaption(const QString& text) = 0;       // MANUALUTSU
    virtual void showRecordInformation(const QString& text) = 0; // taikyokujyoho
    virtual void setTitle(const QString& text) = 0;
    virtual void beep() = 0;
};

// The replay's three timers. The screen backs them with QTimers whose ticks it forwards to
// the controller; tests run them on a virtual clock.
class ReplayTimers {
public:
    virtual ~ReplayTimers() = default;
    // Timer1, periodic: (re)starts its countdown with the given period.
    virtual void startStepTimer(int intervalMs) = 0;
    virtual void stopStepTimer() = 0;
    // Timer2, periodic every startTimerPeriod ms until its tick stops it.
    virtual void startStartTimer() = 0;
    virtual void stopStartTimer() = 0;
    // Timer3, one shot placementDelay ms after it is armed.
    virtual void armPlacementTimer() = 0;
    virtual void cancelPlacementTimer() = 0;
};

// Mode captions (MANUALUTSU).
QString
replayModeCaption(int replayMode); // "自動で打つ", "黒番で打つ", "白番で打つ", "どちらも打つ"
inline const QString endedCaption = QStringLiteral("終局");

// Texts of the replay's boxes.
QString replayMoveNumberText(int nextMoveNumber); // "35手目"
QString replayPrisonersText(int prisonersWhite, int prisonersBlack);

// Messages and prompts of the replay's dialogs.
inline const QString pointTargetPrompt =
    QStringLiteral("再現する棋譜の最後の位置を横 縦で指定してください　");
inline const QString pointTargetDefault = QStringLiteral("15 10");
inline const QString pointTargetError =
    QStringLiteral("横と縦を半角スペースで１桁空けて入力してください");
inline const QString moveTargetPrompt =
    QStringLiteral("再現する棋譜の最後の手番を指定してください　");
inline const QString moveTargetDefault = QStringLiteral("100");
inline const QString moveTargetError = QStringLiteral("正しい手番を指定してください");
inline const QString deleteConfirmation = QStringLiteral("本当に削除しますか？");
// Twips from the screen's top left where the two target dialogs appear.
inline constexpr int targetDialogPosition = 200;

// The program-wide values the replay reads and changes.
struct ReplayContext {
    ReplaySettings& replay;
    BoardModel& board; // the move list read, and the counters; the cells are not used
    CurrentRecord& record;
    Catalogue& catalogue;
    QString recordDirectory;
    std::function<QDateTime()> clock;
};

// Replay of the current record on a drawn board: the cursor (appliedCount), the move and
// prisoner counters, the four advance modes with their wait rule, the placement of entries,
// the jumps and the stop targets. It keeps no board cells: it draws what the move list says.
// Time enters only through the tick functions, which the screen's timers call.
class ReplayController {
public:
    static constexpr int startTimerPeriod = 1;
    static constexpr int placementDelay = 300;
    // Above this step interval each stone is announced with the cyan disc.
    static constexpr int discIntervalThreshold = 1000;

    ReplayController(ReplayContext context, ReplayView& view, ReplayTimers& timers,
                     Dialogs& dialogs, Navigator& navigator);

    // Opens the record at the catalogue position chosen in the record list: resets the
    // per-record settings and counters, reads the record and starts the timers. A record that
    // cannot be read is reported, nothing is drawn, no timer starts and the record list is
    // shown again; returns false then, and the screen is not shown.
    bool open(const ChosenRecord& chosen);

    // Timer ticks.
    void startTick();     // Timer2
    void replayStep();    // Timer1
    void placementTick(); // Timer3

    // The left mouse button on the drawing surface (other buttons do nothing).
    void leftClick();

    // Menus.
    void chooseClickMode(int mode); // 1 black, 2 white, 3 both
    void chooseInterval(int ms);    // resumes the automatic replay
    void jumpWithoutInterval();     // "間隔なし"
    void setBeeps(bool on);         // "あり" / "なし"
    void jumpToFinal();             // "最終譜まで"
    void askPointTarget();          // "指定した縦と横まで"
    void askMoveTarget();           // "指定した手番まで"
    // The position after that many stones, as the move target's jump shows it.
    void jumpToStones(int stones);
    void showHelp(); // "ヘルプ"

    // Keys. Stepping by key stops an automatic replay first, as a user stepping by hand means.
    void stepForward();           // → one entry and its removals
    void stepBack();              // ← back to before the last stone shown
    void jumpToStart();           // Home: the position before the first move
    void toggleAutomaticReplay(); // Space: pause an automatic replay, or start one

    // Buttons and the deletion. Each returns whether it handed over to another screen, after
    // which the screen closes.
    bool backToRecordList(); // "別の対局選定"
    bool backToStart();      // "開始画面"
    bool continuePlaying();  // "続きを打つ"
    bool deleteRecord();     // "この対局を削除"

    // Stops the three timers (the screen closes).
    void stopTimers();

    bool placementPending() const { return m_pendingPlacement > 0; }
    // The entries on the board shown (what a search of the position takes).
    int placedEntries() const { return m_placed; }
    const QString& modeCaption() const { return m_modeCaption; }

private:
    void applyReplayMode();
    void firstDrawing();
    void announceEntry(int i);
    void placeEntry(int i);
    // Applies the removals that follow the applied entry; true when one of them took the stone on
    // the stop point.
    bool removalBurst();
    void clickStep();
    // Redraws the position after play.appliedCount entries; a jump the user made by a menu
    // stops at the stop targets, a key takes the user exactly where asked.
    void instantReplay(bool honourStopTargets = true);
    void pauseAutomaticReplay();
    void drawHandicapStones();
    void soundBeeps();

    // A jump and the problem set-up place many entries on a board just drawn, with no event
    // handled in between: only the final picture can be seen. They collect what is drawn and
    // shown, and finishDrawing() draws each point once, as its last drawing left it, and
    // fills the boxes with their last texts.
    void beginDrawing();
    void finishDrawing();
    void drawStoneAt(Point p, const QString& colour);
    void clearPointAt(Point p);
    void showPointBoxes(Point p);
    void showMoveNumberBox(const QString& text);
    void showSideBox(const QString& text);

    void settlePendingPlacement();
    void cancelPendingPlacement();
    void showCaption(const QString& caption);
    void showPrisoners();
    bool atStopPoint(int entry) const;
    // Leaving for the record list or the main menu: touches the record after move 30.
    void leave(ScreenId next);

    ReplayContext m_context;
    ReplayView& m_view;
    ReplayTimers& m_timers;
    Dialogs& m_dialogs;
    Navigator& m_navigator;

    struct PendingDrawing {
        bool active = false;
        std::array<std::array<QString, 20>, 20> stones; // colour last drawn; empty when wiped
        std::optional<Point> point;
        QString moveNumber;
        QString side;
    };

    int m_pendingPlacement = 0; // entry announced and waiting for Timer3; 0 = none
    int m_stopAtStones = -1;    // where the first drawing jumps to (a search result); -1 none
    int m_placed = 0;           // the last entry drawn on the board shown; 0 = none
    PendingDrawing m_drawing;
    QString m_modeCaption;
};

} // namespace vorleth
