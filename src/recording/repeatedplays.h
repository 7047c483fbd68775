#pragma once

#include "interaction/navigator.h"
#include "store/recordtypes.h"
#include "store/tabledata.h"

#include <QChar>
#include <QString>

namespace vorleth {

class Dialogs;

// The list of nidouchienter: one row per repeated play, column 0 its move number, column 1
// the earlier move whose point it reuses. Rows count from 1 below the heading row.
class RepeatedPlaysView {
public:
    virtual ~RepeatedPlaysView() = default;
    virtual void setRows(int rows) = 0;
    virtual int rows() const = 0;
    virtual QString text(int row, int column) const = 0;
    virtual void setText(int row, int column, const QString& text) = 0;
    virtual int currentRow() const = 0;    // 0 when there is none
    virtual int currentColumn() const = 0; // -1 when there is none
    // Moves the current cell; the grid reports the change as it reports the user's moves.
    virtual void setCurrent(int row, int column) = 0;
};

// The program-wide values the repeated-play screen reads and changes.
struct RepeatedPlaysContext {
    TableEntryData& table;
    const CurrentRecord& record; // moveCount
    bool importedEntry;          // yahooImportFlag: the import filled the list itself
    QString baseDirectory;       // holds "棋譜.ENT2"
};

inline const QString noSuchMoveSuffix = QStringLiteral("手目はありません");

// nidouchienter: every move number of the diagram that no cell holds was played on a point
// used before (a ko, a play after a capture). The user types for each the earlier move whose
// point it reuses; "*" repeats the number two rows above, as recaptures in a ko alternate.
class RepeatedPlaysController {
public:
    RepeatedPlaysController(RepeatedPlaysContext context, RepeatedPlaysView& view, Dialogs& dialogs,
                            Navigator& navigator);

    // Reads the last confirmed list (unless an import filled it) and lists the moves without
    // a point, with their earlier moves from that list.
    void open();

    // GridEdit: a character typed into the grid.
    void typed(QChar key);
    // The current cell changed: a number just typed that names no move of the diagram is
    // reported, and again at every further change until another number is typed.
    void currentCellChanged();

    // Buttons; each returns whether it handed over, after which the screen closes.
    bool finish(); // "並べる": the list is kept and written, the recording board opens
    bool back();   // "戻る": to the table entry, the list not kept

private:
    RepeatedPlaysContext m_context;
    RepeatedPlaysView& m_view;
    Dialogs& m_dialogs;
    Navigator& m_navigator;
    QString m_lastTyped;
};

} // namespace vorleth
