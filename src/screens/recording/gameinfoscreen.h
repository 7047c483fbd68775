#pragma once

#include "recording/gameinfocontroller.h"

#include <QMainWindow>

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;

namespace vorleth {

class Dialogs;
class Navigator;
struct SharedState;

// maptaikyokujyoho: the game's names, result, move count and komi before it is recorded on
// the board or typed from a diagram. The boxes and menus are the screen's; what they mean is
// the GameInfoController's.
class GameInfoScreen : public QMainWindow, private GameInfoView {
    Q_OBJECT
public:
    GameInfoScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                   QWidget* parent = nullptr);

    GameInfoController& controller() { return m_controller; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void closeAfter(bool handedOver);

    // GameInfoView
    void setTableEntryMenusVisible(bool visible) override;
    void fill(const GameInfoLists& lists, const GameInfoBoxes& shown) override;
    GameInfoBoxes boxes() const override;

    GameInfoController m_controller;
    QComboBox* m_gameName = nullptr;
    QComboBox* m_white = nullptr;
    QComboBox* m_black = nullptr;
    QComboBox* m_result = nullptr;
    QComboBox* m_margin = nullptr;
    QComboBox* m_hundreds = nullptr;
    QComboBox* m_tens = nullptr;
    QComboBox* m_units = nullptr;
    QLineEdit* m_komi = nullptr;
    QAction* m_recall = nullptr;  // zenkai
    QMenu* m_yahooMenu = nullptr; // yahootop
};

} // namespace vorleth
