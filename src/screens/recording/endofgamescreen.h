#pragma once

#include "recording/endofgamecontroller.h"

#include <QMainWindow>

class QComboBox;

namespace vorleth {

class Dialogs;
class Navigator;
struct SharedState;

// mapshukyoku: on top of the recording board, asks for the result of a game whose result is
// still open, then saves it or leaves without saving.
class EndOfGameScreen : public QMainWindow {
    Q_OBJECT
public:
    EndOfGameScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                    QWidget* parent = nullptr);

signals:
    // The game was saved or discarded here: the board underneath is left with it.
    void gameLeft();

private:
    void buildControls();
    void leaveAfter(bool handedOver);

    EndOfGameController m_controller;
    QComboBox* m_result = nullptr; // shukyokushobu
    QComboBox* m_margin = nullptr; // shukyokukachisu
};

} // namespace vorleth
