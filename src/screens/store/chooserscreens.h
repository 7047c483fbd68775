#pragma once

#include "interaction/navigator.h"
#include "store/chooser.h"

#include <QMainWindow>

#include <memory>

class QLineEdit;

namespace vorleth {

struct SharedState;
class FlexGrid;

// A chooser screen: the library grouped by the leading characters of a name, each group with
// its number of games; clicked groups become the record list's filter. Opening it starts a new
// selection. The windows are named after their screens (対局名選択, 対局者選択).
class ChooserScreen : public QMainWindow {
    Q_OBJECT
public:
    ChooserScreen(ChooserKind kind, SharedState& state, Navigator& navigator,
                  QWidget* parent = nullptr);
    ~ChooserScreen() override;

private:
    void fillGrid();
    void pick(int row);
    void finish(); // Option1 "選択完了"

    Navigator& m_navigator;
    std::unique_ptr<Chooser> m_chooser;
    FlexGrid* m_grid = nullptr;
    QLineEdit* m_groupCountBox = nullptr;  // Text2
    QLineEdit* m_pickedCountBox = nullptr; // Text1
    QList<QAction*> m_lengthActions;
};

// 対局名選択: groups the game names and fills the game-name filter.
class GameNameChooser : public ChooserScreen {
    Q_OBJECT
public:
    GameNameChooser(SharedState& state, Navigator& navigator, QWidget* parent = nullptr);
};

// 対局者選択: groups the black and white players and fills the player filter.
class PlayerChooser : public ChooserScreen {
    Q_OBJECT
public:
    PlayerChooser(SharedState& state, Navigator& navigator, QWidget* parent = nullptr);
};

} // namespace vorleth
