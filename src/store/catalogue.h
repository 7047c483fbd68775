#pragma once

#include "store/cataloguetypes.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

namespace vorleth {

// The first entry of both derived name lists.
inline const QString kAllNames = QStringLiteral("全て");

// Status texts of the record list.
inline const QString kNoRecordsFound = QStringLiteral("お望みの対局は見つかりません");
inline const QString kRecordsSelectedSuffix = QStringLiteral(" 局　選局しました");

// The record list keeps this many empty rows below its headings when nothing is shown.
constexpr int kEmptyListRows = 4;

// Columns of the record list.
constexpr int kRowNumberColumn = 0;
constexpr int kPositionColumn = 8;
constexpr int kRecordListColumns = 9;

// Sort modes of the record list; modes 1..7 sort by the column of the same number.
constexpr int kUnsortedMode = 0;
constexpr int kGameNameMode = 1;
constexpr int kEntryCountMode = 5;
constexpr int kRecordDateMode = 6;
constexpr int kReferenceDateMode = 7;

// Rebuilds the catalogue from the "*.igo" files of directory (extension in any letter case),
// in ascending name order with letter case ignored. When the directory cannot be listed the
// catalogue keeps its previous entries and false is returned. The derived name lists are left
// as they are.
bool scanCatalogue(Catalogue& catalogue, const QString& directory);

// The entry a scan lists for a file name (extension included), read from the name alone.
CatalogueEntry entryFromFileName(const QString& fileName);

// Fills the game-name list ("全て", then each distinct game name in catalogue order) unless it
// is already built.
void buildGameNameList(Catalogue& catalogue);

// Starts the player-name list with "全て" when it is not built, then on every call appends each
// white player and then each black player of the catalogue that is not yet in the list.
void buildPlayerNameList(Catalogue& catalogue);

// Positions 1..n in ascending order of keys[position - 1], compared code unit by code unit;
// equal keys keep their order.
QVector<int> sortIndex(int n, const QStringList& keys);

// The sort key of every catalogue position (index position - 1) for modes 1..7; mode 0 gives
// the keys of the default order (the reference date and time, as mode 7).
QStringList sortKeys(const Catalogue& catalogue, int mode);

// Sorts the display order by mode (1..7) and makes it the current sort mode.
void sortRecordList(const Catalogue& catalogue, RecordListState& state, int mode, bool descending);

// When the sort mode is 0: most recently referenced first, then sort mode 7.
void applyDefaultOrder(const Catalogue& catalogue, RecordListState& state);

// What entering the record list does before drawing: sort mode 0, a new scan of directory, the
// game-name list, the default order. Returns the scan's result.
bool enterRecordList(Catalogue& catalogue, RecordListState& state, const QString& directory);

// A click on the heading of column 0..8. Columns 1..7 toggle between descending (first click)
// and ascending, each column remembering its own direction; columns 0 and 8 set sort mode 0
// and keep the order. Returns whether the order was sorted again.
bool clickHeading(const Catalogue& catalogue, RecordListState& state, int column);

// The sorts of the "並べ替え" menu; they leave the heading directions as they are.
enum class MenuSort {
    GameName,      // "対局名": ascending
    RecordDate,    // "登録日": descending
    ReferenceDate, // "参照日": descending
};
void sortByMenu(const Catalogue& catalogue, RecordListState& state, MenuSort sort);

// Whether the current filters let the entry through: any game-name prefix decides alone;
// otherwise any player prefix matching either player; otherwise everything is shown.
bool isShown(const CatalogueEntry& entry, const RecordListState& state);

// The catalogue positions the grid shows, in display order.
QVector<int> shownPositions(const Catalogue& catalogue, const RecordListState& state);

// The status box text for that many shown rows.
QString shownStatusText(int shownCount);

// The text of one cell: row is the 0-based index of the shown row, position its catalogue
// position.
QString cellText(const Catalogue& catalogue, int row, int position, int column);
std::array<QString, kRecordListColumns> rowCells(const Catalogue& catalogue, int row, int position);

// "全局選局": when either filter holds prefixes, empties both and enters the list again
// (new scan, default order) and returns true; otherwise changes nothing and returns false.
bool selectAllRecords(Catalogue& catalogue, RecordListState& state, const QString& directory);

// Whether position designates a catalogue entry.
inline bool isCataloguePosition(const Catalogue& catalogue, int position) {
    return position >= 1 && position <= catalogue.count();
}

} // namespace vorleth
