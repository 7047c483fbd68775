#pragma once

#include "store/cataloguetypes.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace vorleth {

// Which names a chooser groups and which record-list filter its picks fill.
enum class ChooserKind {
    GameName, // 対局名選択: game names, the game-name filter
    Player,   // 対局者選択: black and white players, the player filter
};

constexpr int kDefaultPrefixLength = 2;
constexpr int kMinPrefixLength = 1;
constexpr int kMaxPrefixLength = 5;

// Background of a picked group in the chooser grid.
constexpr int kPickedRed = 192;
constexpr int kPickedGreen = 255;
constexpr int kPickedBlue = 255;

struct ChooserGroup {
    QString text; // the first prefixLength characters of a name, or the whole shorter name
    int count = 0;
    friend bool operator==(const ChooserGroup&, const ChooserGroup&) = default;
};

// The group a name falls in.
QString groupText(const QString& name, int prefixLength);

// The groups of the game names, ordered by text (sortIndex).
QVector<ChooserGroup> groupGameNames(const Catalogue& catalogue, int prefixLength);

// The groups of the players: every game counts once for its black player's group and once for
// its white player's group (twice in one group when both fall in it). Ordered by text.
QVector<ChooserGroup> groupPlayers(const Catalogue& catalogue, int prefixLength);

// A number as the chooser's boxes and count column show it: at most its last five digits.
QString lastFiveDigits(int number);

// One open chooser: its groups and the picks made since it was opened. The prefix length and
// the filters live in the program-wide state and are referenced, not copied.
class Chooser {
public:
    Chooser(ChooserKind kind, const Catalogue& catalogue, RecordListState& recordList,
            int& prefixLength);

    // Opening: a prefix length of 0 becomes 2, both record-list filters are emptied (a new
    // selection starts) and the groups are built anew.
    void open();

    // 桁1..桁5: the new prefix length, then everything opening does, so picks are discarded.
    // Lengths outside 1..5 are clamped.
    void setPrefixLength(int length);

    // A click on row (1-based) of the grid appends that row's group text to this chooser's
    // filter; the same row picked twice is appended twice. Either column picks the group.
    // Returns false, changing nothing, for a row that holds no group.
    bool pick(int row);

    ChooserKind kind() const { return m_kind; }
    int prefixLength() const { return m_prefixLength; }
    const QVector<ChooserGroup>& groups() const { return m_groups; }
    int groupCount() const { return static_cast<int>(m_groups.size()); }
    bool isPicked(int row) const;

    // The filter this chooser fills.
    const QStringList& filter() const;
    int pickedCount() const { return static_cast<int>(filter().size()); }

    // Texts of Text2 (number of groups) and Text1 (number of picked entries).
    QString groupCountText() const { return lastFiveDigits(groupCount()); }
    QString pickedCountText() const { return lastFiveDigits(pickedCount()); }

private:
    QStringList& filter();
    void rebuild();

    ChooserKind m_kind;
    const Catalogue& m_catalogue;
    RecordListState& m_recordList;
    int& m_prefixLength;
    QVector<ChooserGroup> m_groups;
    QVector<bool> m_picked;
};

} // namespace vorleth
