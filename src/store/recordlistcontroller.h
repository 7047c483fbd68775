#pragma once

#include "store/catalogue.h"
#include "store/cataloguetypes.h"
#include "store/recordtypes.h"

#include <QString>
#include <QVector>

#include <optional>

namespace vorleth {

// What the record list shows: the total, the rows and the status line.
class RecordListView {
public:
    virtual ~RecordListView() = default;
    virtual void showTotal(int records) = 0; // 総対局数
    // The catalogue positions of the rows in display order, and the position of the chosen
    // record (0: none), which stays highlighted wherever the order puts it.
    virtual void showRows(const QVector<int>& positions, int chosen) = 0;
    virtual void showStatus(const QString& text) = 0;
};

inline const QString chooseARecordMessage = QStringLiteral("対局を選んでください");

// The program-wide values the record list reads and changes.
struct RecordListContext {
    Catalogue& catalogue;
    RecordListState& list;
    CurrentRecord& record; // selectedIndex: the chosen record
    int& replayStepInterval;
    QString recordDirectory;
};

// maptaikyokulist without its window: the library narrowed by the choosers' filters and sorted
// by the headings and the menu. A record is chosen by its catalogue position; the replay is
// asked for only with a record chosen.
class RecordListController {
public:
    // The replay steps at this interval when it opens from the list.
    static constexpr int replayStepInterval = 3000;

    RecordListController(RecordListContext context, RecordListView& view);

    // Entering the screen: a new scan of the directory in the default order.
    void enter();
    void clickHeading(int column);
    void sortBy(MenuSort sort);
    void selectAll(); // "全局選局"

    void choose(int position); // a click on a row, or the keyboard moving onto it
    // "選んだ対局を並べる": the record to replay, or none (the status line asks for one).
    std::optional<int> replayChosen();
    // A double click on a row: chooses it and replays it.
    std::optional<int> chooseAndReplay(int position);

private:
    void showRows();

    RecordListContext m_context;
    RecordListView& m_view;
};

} // namespace vorleth
