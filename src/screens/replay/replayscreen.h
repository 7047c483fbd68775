#pragma once

#include "replay/replaycontroller.h"
#include "ui/surfaceboardview.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace vorleth {

class Dialogs;
class DrawingSurface;
class Navigator;
struct SharedState;

// mapkifusaigen: replays the record chosen in the record list on a drawn board. The screen
// lays out the board, the boxes, the buttons and the menus, owns the three timers and hands
// every tick, click and menu choice to the ReplayController.
class ReplayScreen : public QMainWindow, private SurfaceBoardViewOf<ReplayView> {
    Q_OBJECT
public:
    // Opens the record chosen in the record list. A record that cannot be read is reported,
    // the record list is shown again, and nothing is returned.
    static ReplayScreen* open(SharedState& state, const ChosenRecord& chosen, Navigator& navigator,
                              Dialogs& dialogs, QWidget* parent = nullptr);
    ~ReplayScreen() override;

    ReplayController& controller() { return m_controller; }
    DrawingSurface* surface() const { return m_surface; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // → ← Home End Space step and jump, Escape returns to the record list.
    void keyPressEvent(QKeyEvent* event) override;

private:
    ReplayScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs, QWidget* parent);

    void buildControls();
    void buildMenus();
    // Hands over: the controller has shown the next screen.
    void closeAfter(bool handedOver);

    // ReplayView
    SurfaceBoardView& boardView() override { return *m_board; }
    void drawMarkerDisc(Point p) override;
    void showModeCaption(const QString& text) override;
    void showRecordInformation(const QString& text) override;
    void setTitle(const QString& text) override;
    void beep() override;

    // The three QTimers behind the controller's timer operations.
    class Timers : public ReplayTimers {
    public:
        explicit Timers(QObject* owner);
        void startStepTimer(int intervalMs) override { step.start(intervalMs); }
        void stopStepTimer() override { step.stop(); }
        void startStartTimer() override { start.start(); }
        void stopStartTimer() override { start.stop(); }
        void armPlacementTimer() override { placement.start(); }
        void cancelPlacementTimer() override { placement.stop(); }

        QTimer step;      // Timer1
        QTimer start;     // Timer2
        QTimer placement; // Timer3
    };

    SharedState& m_state;
    Dialogs& m_dialogs;
    DrawingSurface* m_surface = nullptr;
    std::unique_ptr<SurfaceBoardView> m_board;
    Timers m_timers;
    ReplayController m_controller;

    QPlainTextEdit* m_information = nullptr; // taikyokujyoho
    QLabel* m_modeCaption = nullptr;         // MANUALUTSU
};

} // namespace vorleth
