#pragma once

#include "interaction/navigator.h"

#include <QMainWindow>

class QLabel;
class QPushButton;
class QTimer;

namespace vorleth {

class Dialogs;
struct SharedState;

// mapstart: the hub every screen returns to. Each creation runs the whole start-up again, so
// settings changed elsewhere take effect here. Shows the start picture, a slideshow of the
// user's photographs and the four main actions.
class MainMenuScreen : public QMainWindow {
    Q_OBJECT
public:
    MainMenuScreen(SharedState& state, Navigator& navigator, QWidget* parent = nullptr);
    // The program's main menu: at the first start-up of a run it also offers to restore a
    // game the recording board left behind (and opens the board with it).
    MainMenuScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                   QWidget* parent = nullptr);

    static inline const QString versionText = QStringLiteral("Ver5.5.7 2007/10/30");

protected:
    void changeEvent(QEvent* event) override;
    // The close box ends the program as 終わる does: help or the browser left open beside the
    // menu would otherwise keep it running with no way back to a working screen.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void showNextPicture(); // a slideshow tick
    void handOver(ScreenId next, const Handover& handover = {});

    void browse();     // Command1
    void tableEntry(); // Command2
    void boardEntry(); // Command3
    void endProgram(); // Command4

    SharedState& m_state;
    Navigator& m_navigator;
    Dialogs* m_dialogs = nullptr;
    QTimer* m_slideshowTimer = nullptr;
    bool m_handingOver = false; // closing because another screen takes over
    bool m_ending = false;
    QLabel* m_picture = nullptr;
};

} // namespace vorleth
