#pragma once

#include "interaction/navigator.h"

#include <QMainWindow>

namespace vorleth {

class Dialogs;
struct SharedState;

// mapszchng: chooses between the 640 x 480 and 800 x 600 board layouts. The main menu's next
// start-up derives the board geometry from the stored size.
class ScreenSizeScreen : public QMainWindow {
    Q_OBJECT
public:
    ScreenSizeScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                     QWidget* parent = nullptr);

private:
    void choose(int screenSize);
    void leave();

    SharedState& m_state;
    Navigator& m_navigator;
    Dialogs& m_dialogs;
};

} // namespace vorleth
