#pragma once

#include "interaction/navigator.h"
#include "store/recordlistcontroller.h"

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
// directory again. The RecordListController decides; this lays out the grid and shows.
class RecordListScreen : public QMainWindow, private RecordListView {
    Q_OBJECT
public:
    RecordListScreen(SharedState& state, Navigator& navigator, QWidget* parent = nullptr);

protected:
    // Enter in the list replays the highlighted record; Escape goes back as "戻る" does.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // RecordListView
    void showTotal(int records) override;
    void showRows(const QVector<int>& positions, int chosen) override;
    void showStatus(const QString& text) override;

    void replay(std::optional<int> position);
    void handOver(ScreenId next, const Handover& handover = {});

    QWidget* buildControls();
    void buildMenus();

    SharedState& m_state;
    Navigator& m_navigator;
    RecordListController m_controller;
    RecordListModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QLineEdit* m_totalBox = nullptr;
    QLineEdit* m_statusBox = nullptr;
    bool m_refreshing = false;
};

} // namespace vorleth
