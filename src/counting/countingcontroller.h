#pragma once

#include "board/boardview.h"
#include "board/playrules.h"
#include "counting/countstate.h"
#include "counting/estimate.h"
#include "import/importsource.h"
#include "interaction/navigator.h"
#include "store/cataloguetypes.h"
#include "store/recordtypes.h"
#include "store/tabledata.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace vorleth {

class Dialogs;

// What the counting screen shows: the board with the count marks drawn over it, the count
// text (Label3), the game information (taikyoku), the title, and the correction palette.
class CountingView : public BoardView {
public:
    virtual void drawMark(Point p, CountMark mark) = 0;
    virtual void showCountText(const QString& text) = 0;
    virtual void showRecordInformation(const QString& text) = 0;
    virtual void setTitle(const QString& text) = 0;
    // keisancmd, naming the clicked point's mark; the counting screen stays disabled until
    // the palette closes.
    virtual void openPalette(const QString& currentMarkName) = 0;
};

// Questions of the counting screen.
inline const QString leaveWithoutSavingQuestion =
    QStringLiteral("保管せずにメインに戻りますが良いですか");
inline const QString skipSavingQuestion = QStringLiteral("保管しなくて良いですか？ ");

// The program-wide values the counting screen reads and changes.
struct CountingContext {
    CountState& count;
    BoardModel& board; // the final position and the prisoners taken during the game
    CurrentRecord& record;
    Catalogue& catalogue;
    TableEntryData& table; // the diagram entry, read back when the game is left unsaved
    ImportSource& import;  // the file an imported game came from, offered for deletion
    int entryMode;         // 1 when the game came from browsing the library
    QString recordDirectory;
    // Where the working entry is read back from, and where the recording board's recovery file
    // keeps the game until the count saves or discards it.
    QString baseDirectory;
    std::function<QDateTime()> clock;
};

// mapkeisanA without its window: counts the final position as the screen opens, forwards the
// clicks and the palette's choice to the count's session, draws what they change and shows the
// count text, and leaves by the three buttons; only a save writes the count's result into the
// record.
class CountingController {
public:
    CountingController(CountingContext context, CountingView& view, Dialogs& dialogs,
                       Navigator& navigator);

    // The screen's load: the board, the game information, the stones, then the count.
    void open();

    // The mouse on the board: the point under it, or none off the board.
    void leftButtonDown(std::optional<Point> point);
    void leftButtonUp();
    void rightButtonUp(); // undoes the last correction, once

    // The palette has closed: by a button that picked a mark, or without one (戻る, or its
    // window closed any other way), when nothing is corrected.
    void paletteClosed(std::optional<CountMark> picked);

    // Buttons; each returns whether it handed over to another screen, after which the screen
    // closes.
    bool leaveWithoutSaving(); // Command1 "保管せずにメインメニュー"
    bool saveAndLeave();       // Command2 "保管して対局に戻る"
    bool backToBoard();        // Command3 "対局画面に戻る", and the window's close box

    // Menus.
    // "推定による判定" / "従来の判定": counts afresh by the other first guess (the corrections
    // made so far go) and remembers the choice for the next counts.
    void chooseGuess(CountGuess guess);
    CountGuess guess() const { return m_guess; }
    void showHelp();  // "ヘルプ"
    void writeOk();   // writeok: saving is asked for again
    void writePass(); // writepass: asks whether leaving may skip the save

    const CountingSession& session() const { return m_context.count.session; }

private:
    void redraw(const QVector<RedrawStep>& steps);
    void showResult();
    void countAndDraw();

    CountingContext m_context;
    CountingView& m_view;
    Dialogs& m_dialogs;
    Navigator& m_navigator;
    CountGuess m_guess = CountGuess::Estimate;
};

} // namespace vorleth
