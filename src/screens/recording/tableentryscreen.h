#pragma once

#include "recording/tableentry.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QLineEdit;

namespace vorleth {

class BeepRun;
class Beeper;
class Dialogs;
class FlexGrid;
class Navigator;
struct SharedState;

// mapsofuenter: the grid of move numbers in which the user copies a printed complete game
// diagram. The screen lays out the grid, the buttons, the message line and the menus, owns the
// load timer and hands every key, cell change and menu choice to the TableEntryController.
class TableEntryScreen : public QMainWindow, private TableEntryView {
    Q_OBJECT
public:
    // Warnings beep through beeper; without one the screen sounds the system beep itself.
    TableEntryScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                     Beeper* beeper = nullptr, QWidget* parent = nullptr);
    ~TableEntryScreen() override;

    TableEntryController& controller() { return m_controller; }
    FlexGrid* grid() const { return m_grid; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void setUpGrid();
    void closeAfter(bool handedOver);

    // TableEntryView
    void resetGrid() override;
    void showNumber(Point cell, int number) override;
    void setRed(Point cell, bool red) override;
    Point currentCell() const override;
    void setCurrentCell(Point cell) override;
    void showMessage(const QString& text) override;

    bool m_large = false;
    std::unique_ptr<BeepRun> m_ownBeeps;
    TableEntryController m_controller;
    QTimer m_loadTimer; // Timer1

    FlexGrid* m_grid = nullptr;     // Grid1
    QLineEdit* m_message = nullptr; // errmsg
};

} // namespace vorleth
