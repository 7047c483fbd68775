#pragma once

#include "recording/boardrecordingcontroller.h"
#include "ui/surfaceboardview.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;

namespace vorleth {

class Dialogs;
class DrawingSurface;
class Navigator;
struct SharedState;

// mapgoban: the recording board. Lays out the board, the status boxes, the buttons and the
// menus at their places in either layout, owns the tick and the recovery timer, and hands every
// press, release, tick and choice to the BoardRecordingController.
class BoardRecordingScreen : public QMainWindow, private SurfaceBoardViewOf<BoardRecordingView> {
    Q_OBJECT
public:
    // Opens with what the previous screen handed over (see BoardRecordingController::open).
    BoardRecordingScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                         const Handover& handover = {}, QWidget* parent = nullptr);
    ~BoardRecordingScreen() override;

    BoardRecordingController& controller() { return m_controller; }
    DrawingSurface* surface() const { return m_surface; }

    // The point the keyboard cursor stands on.
    Point cursor() const { return m_cursor; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // The arrows move a cursor over the points; Enter or Space plays there as a click does,
    // Backspace takes back as a right click does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void saveAndReturn();
    void showCursor();
    // The end-of-game screen just opened on top: the board waits underneath until it goes.
    void waitForEndOfGame();

    // BoardRecordingView
    SurfaceBoardView& boardView() override { return *m_board; }
    void showGameInformation(const QString& text) override;
    void setTitle(const QString& text) override;

    class Timers : public BoardRecordingTimers {
    public:
        explicit Timers(QObject* owner);
        void startTick(int periodMs) override { tick.start(periodMs); }
        void stopTick() override { tick.stop(); }
        bool tickRunning() const override { return tick.isActive(); }
        void armRecoveryWrite() override {
            if (!recovery.isActive())
                recovery.start();
        }
        void cancelRecoveryWrite() override { recovery.stop(); }

        QTimer tick;     // Timer1
        QTimer recovery; // single shot
    };

    SharedState& m_state;
    DrawingSurface* m_surface = nullptr;
    std::unique_ptr<SurfaceBoardView> m_board;
    Timers m_timers;
    BoardRecordingController m_controller;

    QPlainTextEdit* m_information = nullptr; // taikyoku
    QWidget* m_cursorFrame = nullptr;
    Point m_cursor{10, 10};
};

} // namespace vorleth
