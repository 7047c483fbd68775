#pragma once

#include "board/playrules.h"
#include "import/importsource.h"
#include "import/tableimport.h"
#include "interaction/navigator.h"
#include "store/cataloguetypes.h"
#include "store/recordtypes.h"
#include "store/tabledata.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vorleth {

class Dialogs;

// The texts of the game information screen's boxes.
struct GameInfoBoxes {
    QString gameName;    // taikyoku
    QString whitePlayer; // taikyokushiro
    QString blackPlayer; // taikyokukuro
    QString result;      // taikyokushobu
    QString margin;      // kachisu
    QString hundreds;    // tekazu100
    QString tens;        // tekazu10
    QString units;       // tekazu1
    QString komi;        // Text8
    friend bool operator==(const GameInfoBoxes&, const GameInfoBoxes&) = default;
};

// What the boxes' lists offer.
struct GameInfoLists {
    QStringList gameNames;   // the catalogue's, "全て" first
    QStringList playerNames; // both player boxes
    QStringList results;
    QStringList margins;
    QStringList hundreds; // "0".."3"
    QStringList digits;   // "0".."9", tens and units
};

// The results the game information screen offers, in list order.
QStringList gameInfoResults();
// The results the end-of-game screen offers: "打掛" first.
QStringList endOfGameResults();
// 0.5, 1.0, 1.5, … 15.0.
QStringList marginItems();
// The three digits of a move count as its boxes show them (287 gives 2, 8, 7).
QStringList moveCountDigits(int moveCount);

// Messages of the game information screen.
inline const QString gameNameNeededMessage = QStringLiteral("対局名が必要です");
inline const QString whitePlayerNeededMessage = QStringLiteral("対局者　白番　が必要です");
inline const QString blackPlayerNeededMessage = QStringLiteral("対局者　黒番　が必要です");
inline const QString defaultKomiText = QStringLiteral("6.5");
inline const QString marginNotNumberMessage =
    QStringLiteral("勝ち負け数は 0.5 きざみの数で入力してください（例 6.5）");
inline const QString komiNotNumberMessage =
    QStringLiteral("コミは 0.5 きざみの数で入力してください（例 6.5、逆コミは -6.5）");
// The move-count boxes keep what the table holds: up to 500 moves.
QString moveCountOutOfRangeMessage();

class GameInfoView {
public:
    virtual ~GameInfoView() = default;
    // "前回入力の再現" and "yahoo囲碁データ取り込み".
    virtual void setTableEntryMenusVisible(bool visible) = 0;
    // Empties and fills every list, then shows the texts, the komi among them.
    virtual void fill(const GameInfoLists& lists, const GameInfoBoxes& shown) = 0;
    virtual GameInfoBoxes boxes() const = 0;
};

// The program-wide values the game information screen reads and changes.
struct GameInfoContext {
    CurrentRecord& record;
    Catalogue& catalogue;
    BoardModel& board;
    TableEntryData& table;
    ImportSource& import;
    const int& entryMode; // 2 diagram entry, 3 board entry
    QString recordDirectory;
    QString baseDirectory; // the working files
};

// maptaikyokujyoho: the game's names, result, move count and komi before it is recorded.
class GameInfoController {
public:
    GameInfoController(GameInfoContext context, GameInfoView& view, Dialogs& dialogs,
                       Navigator& navigator);

    void open();
    void updateMenus(); // the screen became active
    // Buttons; each returns whether it handed over (the screen closes then).
    bool next(); // "次に"
    bool back(); // "戻る"
    // Menus.
    void recallLastEntry(); // "前回入力の再現"
    // "コピー&ペースト": the text the clipboard holds (hasText false when it holds none).
    void importPastedText(const QString& text, bool hasText);
    bool importSgfFile(); // "sgf 形式ファイル": the SGF chooser takes over
    void showHelp();

private:
    // The file import of the SGF chooser's choice (import.importSourcePath): fills the record's
    // fields and the table points. True when the file was imported; a file that cannot be read
    // is reported and the opening goes on as usual, with the boxes as they were.
    bool importFromSourcePath();
    ImportTarget importTarget();
    void showBoxes(bool scanLibrary);
    void copyBoxes(const GameInfoBoxes& boxes);
    // The move count the three digit boxes give, or nothing when they do not give one the
    // table can hold (the user is told then). All three empty give nothing without a word.
    std::optional<int> moveCountOfBoxes(const GameInfoBoxes& boxes, bool& refused);

    GameInfoContext m_context;
    GameInfoView& m_view;
    Dialogs& m_dialogs;
    Navigator& m_navigator;
};

} // namespace vorleth
