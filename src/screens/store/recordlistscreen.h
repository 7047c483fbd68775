#pragma once

#include "interaction/navigator.h"

#include <QMainWindow>

class QKeyEvent;
class QLineEdit;
class QModelIndex;
class QTableView;

namespace vorleth {

struct SharedState;
class RecordListModel;

// maptaikyokulist: the library in a grid, narrowed by the choosers' filters and sorted by any
// column; a chosen record is handed to the replay screen. Entering the screen scans the record
// directory again.
class RecordListScreen : public QMainWindow {
    Q_OBJECT
public:
    RecordListScreen(SharedState& state, Navigator& navigator, QWidget* parent = nullptr);

protected:
    // Enter in the list replays the highlighted record; Escape goes back as "戻る" does.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showList();               // what entering the screen does
    void showRows();               // the rows for the current order and filters
    void choose(int row);          // a click on a row
    void chooseAndReplay(int row); // a double click on a row
    void replaySelected();         // Command1
    void handOver(ScreenId next, const Handover& handover = {});

    QWidget* buildControls();
    void buildMenus();

    SharedState& m_state;
    Navigator& m_navigator;
    RecordListModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QLineEdit* m_totalBox = nullptr;
    QLineEdit* m_statusBox = nullptr;
    bool m_refreshing = false;
};

} // namespace vorleth
