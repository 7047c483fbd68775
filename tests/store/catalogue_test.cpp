#include "store/catalogue.h"
#include "store/recordname.h"
#include "support/recordspec.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using namespace vorleth;

namespace {

using test::recordName;
using test::RecordSpec;

RecordMetadata entryOf(const RecordSpec& r) {
    RecordMetadata e;
    e.fileName = recordName(r);
    e.game.gameName = r.gameName;
    e.game.whitePlayer = r.white;
    e.game.blackPlayer = r.black;
    e.game.result = r.result;
    e.recordDate = r.recordDate;
    e.entryCount = r.entryCount;
    e.timeOfDay = r.time;
    e.referenceDate = r.referenceDate;
    e.game.komi = r.komi;
    return e;
}

Catalogue catalogueOf(const std::vector<RecordSpec>& records) {
    Catalogue catalogue;
    for (const RecordSpec& r : records)
        catalogue.append(entryOf(r));
    return catalogue;
}

void touch(const QDir& dir, const QString& name) {
    test::touch(dir.filePath(name));
}

// The shown rows' texts of one column, in display order.
QStringList column(const Catalogue& catalogue, const RecordListState& state, int col) {
    QStringList texts;
    const QVector<int> shown = shownPositions(catalogue, state);
    for (int row = 0; row < shown.size(); ++row)
        texts.append(cellText(catalogue, row, shown[row], col));
    return texts;
}

RecordSpec game(const QString& name, const QString& white = QStringLiteral("白"),
                const QString& black = QStringLiteral("黒")) {
    RecordSpec r;
    r.gameName = name;
    r.white = white;
    r.black = black;
    return r;
}

RecordSpec counted(int entryCount) {
    RecordSpec r;
    r.entryCount = entryCount;
    return r;
}

} // namespace

// --- Scanning ---------------------------------------------------------------------------------

class ScanTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QDir dir{temp.path()};
    Catalogue catalogue;
    RecordListState state;
};

TEST_F(ScanTest, EmptyDirectoryShowsNothing) {
    ASSERT_TRUE(enterRecordList(catalogue, state, dir.path()));
    EXPECT_EQ(catalogue.count(), 0);
    EXPECT_TRUE(shownPositions(catalogue, state).isEmpty());
    EXPECT_EQ(shownStatusText(0), QStringLiteral("お望みの対局は見つかりません"));
    EXPECT_EQ(catalogue.gameNames, QStringList{QStringLiteral("全て")});
}

// Our mended order: the times are compared zero-filled, so 14:00 comes before 9:30. Compared
// as the stored text, 93000 would sort above 140000.
TEST_F(ScanTest, SameDayRecordsListMostRecentFirstByTheZeroFilledTime) {
    for (const char* time : {"80000", "140000", "93000"}) {
        RecordSpec r = game(QStringLiteral("例会"));
        r.recordDate = r.referenceDate = QStringLiteral("20071105");
        r.time = QString::fromLatin1(time);
        touch(dir, recordName(r) + ".IGO");
    }
    ASSERT_TRUE(enterRecordList(catalogue, state, dir.path()));
    ASSERT_EQ(catalogue.count(), 3);
    EXPECT_EQ(state.sortMode, kReferenceDateMode);
    QStringList times;
    for (const int position : shownPositions(catalogue, state))
        times.append(catalogue.entry(position).timeOfDay);
    EXPECT_EQ(times, (QStringList{"140000", "93000", "80000"}));
    EXPECT_EQ(shownStatusText(3), QStringLiteral("3 局　選局しました"));
}

TEST_F(ScanTest, ListsIgoFilesInAnyCaseSortedIgnoringCase) {
    const QString same = recordName(game(QStringLiteral("同名")));
    for (const QString& name :
         {QStringLiteral("b.igo"), QStringLiteral("C.Igo"), QStringLiteral("A.IGO"),
          QStringLiteral("notes.txt"), QStringLiteral("igo"), same + ".IGO", same + ".igo"})
        touch(dir, name);
    ASSERT_TRUE(dir.mkdir(QStringLiteral("folder.igo")));

    ASSERT_TRUE(scanCatalogue(catalogue, dir.path()));
    QStringList names;
    for (const RecordMetadata& e : catalogue.entries())
        names.append(e.fileName);
    EXPECT_EQ(names, (QStringList{"A", "b", "C", same, same}));
    EXPECT_EQ(catalogue.entry(4).game.gameName, QStringLiteral("同名"));
}

// The directory is read entry by entry: a link counts as the file it leads to, a link leading
// nowhere, a hidden file and anything not ending in the extension are no records, and a name
// outside what Windows-31J can hold arrives whole.
TEST_F(ScanTest, ListsVisibleRecordFilesAndLinksToThem) {
    const QString korean =
        recordName(game(QStringLiteral("韓中"), QStringLiteral("이세돌"), QStringLiteral("柯洁")));
    for (const QString& name : {QStringLiteral("target.igo"), QStringLiteral(".hidden.IGO"),
                                QStringLiteral("x.IGOX"), QStringLiteral("xIGO"), korean + ".IGO"})
        touch(dir, name);
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("target.igo")),
                            dir.filePath(QStringLiteral("link.IGO"))));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone.txt")),
                            dir.filePath(QStringLiteral("broken.IGO"))));
    ASSERT_TRUE(dir.mkdir(QStringLiteral("sub.IGO")));

    ASSERT_TRUE(scanCatalogue(catalogue, dir.path()));
    QStringList names;
    for (const RecordMetadata& e : catalogue.entries())
        names.append(e.fileName);
    EXPECT_EQ(names, (QStringList{"link", "target", korean}));
    EXPECT_EQ(catalogue.entry(3).game.whitePlayer, QStringLiteral("이세돌"));
    EXPECT_EQ(catalogue.entry(3).game.blackPlayer, QStringLiteral("柯洁"));
}

TEST_F(ScanTest, UnlistableDirectoryKeepsThePreviousCatalogue) {
    touch(dir, recordName(game(QStringLiteral("残る"))) + ".IGO");
    ASSERT_TRUE(scanCatalogue(catalogue, dir.path()));
    ASSERT_EQ(catalogue.count(), 1);
    touch(dir, QStringLiteral("plain.txt"));

    for (const QString& path : {dir.filePath(QStringLiteral("missing")),
                                dir.filePath(QStringLiteral("plain.txt")), QString()}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(scanCatalogue(catalogue, path));
        ASSERT_EQ(catalogue.count(), 1);
        EXPECT_EQ(catalogue.entry(1).game.gameName, QStringLiteral("残る"));
    }
}

TEST_F(ScanTest, FieldsReadFromTheFileName) {
    struct Case {
        const char* name; // without extension
        const char* gameName;
        const char* white;
        const char* black;
        const char* time;
        const char* komi;
        int entryCount;
    };
    const Case cases[] = {
        {"対局名（春季大会）白番（山田）黒番（鈴木）勝敗（白中押勝）記録日（20071105）手数（120）"
         "時間（90503）参照（20071106）コミ（6.5）",
         "春季大会", "山田", "鈴木", "90503", "6.5", 120},
        // Missing keys give empty texts and a count of 0.
        {"対局名（名のみ）", "名のみ", "", "", "", "", 0},
        {"無関係な名前", "", "", "", "", "", 0},
        // Keys in another order, "＝" as an ideographic space, a value running to the end of
        // the name: the extension is not part of it.
        {"コミ（0）黒番（佐藤＝二段）白番（A＝B）対局名（終わりなし", "終わりなし", "A　B",
         "佐藤　二段", "", "0", 0},
        {"対局名（x）時間（90503）コミ（6.5", "x", "", "", "90503", "6.5", 0},
        // The first occurrence of a key counts, even inside another value.
        {"対局名（白番（偽）白番（本物）手数（12手）", "白番（偽", "偽", "", "", "", 12},
        {"手数（abc）", "", "", "", "", "", 0},
        {"手数（99999）", "", "", "", "", "", 32767},
        {"対局名（）白番（）", "", "", "", "", "", 0},
    };
    for (const Case& c : cases)
        touch(dir, QString::fromUtf8(c.name) + ".igo");
    ASSERT_TRUE(scanCatalogue(catalogue, dir.path()));
    ASSERT_EQ(catalogue.count(), static_cast<int>(std::size(cases)));

    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        SCOPED_TRACE(name.toStdString());
        const QVector<RecordMetadata> entries = catalogue.entries();
        const auto it = std::find_if(entries.cbegin(), entries.cend(),
                                     [&](const RecordMetadata& e) { return e.fileName == name; });
        ASSERT_NE(it, entries.cend());
        EXPECT_EQ(it->game.gameName, QString::fromUtf8(c.gameName));
        EXPECT_EQ(it->game.whitePlayer, QString::fromUtf8(c.white));
        EXPECT_EQ(it->game.blackPlayer, QString::fromUtf8(c.black));
        EXPECT_EQ(it->timeOfDay, QString::fromUtf8(c.time));
        EXPECT_EQ(it->game.komi, QString::fromUtf8(c.komi));
        EXPECT_EQ(it->entryCount, c.entryCount);
        // Whatever the name, every field reads as looking its key up on its own would, and as
        // reading the record does.
        const QString& file = name;
        EXPECT_EQ(it->game.gameName, extractField(file, QStringLiteral("対局名（")));
        EXPECT_EQ(it->game.whitePlayer, extractField(file, QStringLiteral("白番（")));
        EXPECT_EQ(it->game.blackPlayer, extractField(file, QStringLiteral("黒番（")));
        EXPECT_EQ(it->game.result, extractField(file, QStringLiteral("勝敗（")));
        EXPECT_EQ(it->recordDate, extractField(file, QStringLiteral("記録日（")));
        EXPECT_EQ(it->timeOfDay, extractField(file, QStringLiteral("時間（")));
        EXPECT_EQ(it->referenceDate, extractField(file, QStringLiteral("参照（")));
        EXPECT_EQ(it->game.komi, extractField(file, QStringLiteral("コミ（")));
    }
}

// --- Derived name lists -------------------------------------------------------------------------

TEST(NameListTest, DistinctNamesInCatalogueOrderAfterAll) {
    Catalogue catalogue =
        catalogueOf({game("春季大会", "山田", "鈴木"), game("例会", "鈴木", "田中"),
                     game("春季大会", "佐藤", "山田"), game("全て", "全て", "")});
    buildGameNameList(catalogue);
    buildPlayerNameList(catalogue);
    EXPECT_EQ(catalogue.gameNames, (QStringList{"全て", "春季大会", "例会"}));
    // White players first, then black players not yet present.
    EXPECT_EQ(catalogue.playerNames, (QStringList{"全て", "山田", "鈴木", "佐藤", "田中", ""}));
}

TEST(NameListTest, GameListIsKeptButPlayerListTakesInNewNames) {
    Catalogue catalogue = catalogueOf({game("例会", "山田", "鈴木")});
    buildGameNameList(catalogue);
    buildPlayerNameList(catalogue);
    const QStringList players = catalogue.playerNames;
    buildPlayerNameList(catalogue);
    EXPECT_EQ(catalogue.playerNames, players) << "a repeated call must not duplicate names";

    catalogue.append(entryOf(game("新春杯", "田中", "山田")));
    buildGameNameList(catalogue);
    buildPlayerNameList(catalogue);
    EXPECT_EQ(catalogue.gameNames, (QStringList{"全て", "例会"}));
    EXPECT_EQ(catalogue.playerNames, (QStringList{"全て", "山田", "鈴木", "田中"}));
}

// --- Sorting ------------------------------------------------------------------------------------

TEST(SortIndexTest, StableAscendingByCodeUnits) {
    struct Case {
        const char* label;
        QStringList keys;
        QVector<int> expected;
    };
    const Case cases[] = {
        {"empty", {}, {}},
        {"one", {"x"}, {1}},
        {"ties keep position order", {"b", "a", "b", "a", "b"}, {2, 4, 1, 3, 5}},
        {"prefix first", {"abc", "ab", "a", ""}, {4, 3, 2, 1}},
        {"no case folding", {"a", "B", "b", "A"}, {4, 2, 1, 3}},
        {"digits as text", {"93000", "140000", "80000"}, {2, 3, 1}},
        // A surrogate pair (U+20BB7) sorts by its high code unit 0xD842, below U+FF08.
        {"code units, not code points", {QStringLiteral("（"), QStringLiteral("𠮷")}, {2, 1}},
        {"odd length with runs left over",
         {"g", "f", "e", "d", "c", "b", "a"},
         {7, 6, 5, 4, 3, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(sortIndex(static_cast<int>(c.keys.size()), c.keys), c.expected);
    }
    // Only the first n keys take part.
    EXPECT_EQ(sortIndex(2, {"b", "a", "0"}), (QVector<int>{2, 1}));
}

TEST(SortKeysTest, TimesZeroFilledAndCountsFourDigits) {
    RecordSpec early = counted(7);
    early.recordDate = QStringLiteral("20071101");
    early.referenceDate = QStringLiteral("20071105");
    early.time = QStringLiteral("90503");
    RecordSpec late = counted(1200);
    late.recordDate = QStringLiteral("20071102");
    late.referenceDate = QStringLiteral("20071105");
    late.time = QStringLiteral("153012");
    const Catalogue catalogue = catalogueOf({early, late});

    EXPECT_EQ(sortKeys(catalogue, kEntryCountMode), (QStringList{"0007", "1200"}));
    EXPECT_EQ(sortKeys(catalogue, kRecordDateMode),
              (QStringList{"20071101 090503", "20071102 153012"}));
    EXPECT_EQ(sortKeys(catalogue, kReferenceDateMode),
              (QStringList{"20071105 090503", "20071105 153012"}));
    EXPECT_EQ(sortKeys(catalogue, kUnsortedMode), sortKeys(catalogue, kReferenceDateMode));
}

class HeadingTest : public ::testing::Test {
protected:
    // Catalogue order: counts 7, 120, 99; names and players chosen so each column sorts
    // differently.
    Catalogue catalogue = [] {
        RecordSpec a = game("b局", "乙", "丙");
        a.entryCount = 7;
        RecordSpec b = game("a局", "丙", "乙");
        b.entryCount = 120;
        RecordSpec c = game("c局", "甲", "甲");
        c.entryCount = 99;
        return catalogueOf({a, b, c});
    }();
    RecordListState state;

    void SetUp() override { applyDefaultOrder(catalogue, state); }
    QStringList counts() const { return column(catalogue, state, kEntryCountMode); }
    QStringList names() const { return column(catalogue, state, kGameNameMode); }
};

TEST_F(HeadingTest, EntryCountClicksToggle) {
    EXPECT_TRUE(clickHeading(catalogue, state, kEntryCountMode));
    EXPECT_EQ(counts(), (QStringList{"120", "99", "7"}));
    EXPECT_EQ(state.sortMode, kEntryCountMode);
    EXPECT_TRUE(clickHeading(catalogue, state, kEntryCountMode));
    EXPECT_EQ(counts(), (QStringList{"7", "99", "120"}));
    EXPECT_TRUE(clickHeading(catalogue, state, kEntryCountMode));
    EXPECT_EQ(counts(), (QStringList{"120", "99", "7"}));
}

TEST_F(HeadingTest, EachColumnKeepsItsOwnDirection) {
    clickHeading(catalogue, state, kEntryCountMode); // descending
    clickHeading(catalogue, state, kGameNameMode);   // first click here: descending too
    EXPECT_EQ(names(), (QStringList{"c局", "b局", "a局"}));
    clickHeading(catalogue, state, kEntryCountMode); // its second click: ascending
    EXPECT_EQ(counts(), (QStringList{"7", "99", "120"}));
    clickHeading(catalogue, state, kGameNameMode);
    EXPECT_EQ(names(), (QStringList{"a局", "b局", "c局"}));
    clickHeading(catalogue, state, 2);
    EXPECT_EQ(column(catalogue, state, 2), (QStringList{"甲", "乙", "丙"}));
    clickHeading(catalogue, state, 3);
    EXPECT_EQ(column(catalogue, state, 3), (QStringList{"甲", "乙", "丙"}));
}

TEST_F(HeadingTest, RowNumberAndPositionHeadingsChangeNothing) {
    clickHeading(catalogue, state, kEntryCountMode);
    const QVector<int> order = state.displayOrder;
    const auto flags = state.sortDirectionFlags;
    for (const int col : {kRowNumberColumn, kPositionColumn}) {
        SCOPED_TRACE(col);
        EXPECT_FALSE(clickHeading(catalogue, state, col));
        EXPECT_EQ(state.sortMode, kUnsortedMode);
        EXPECT_EQ(state.displayOrder, order);
        EXPECT_EQ(state.sortDirectionFlags, flags);
    }
}

TEST_F(HeadingTest, MenuSortsLeaveTheDirections) {
    clickHeading(catalogue, state, kGameNameMode); // flag of column 1 set
    const auto flags = state.sortDirectionFlags;

    struct Case {
        MenuSort sort;
        int mode;
        QStringList names;
    };
    // Record dates: b局 newest, then c局, then a局.
    const char* const dates[][2] = {
        {"20080101", "20060101"}, {"20060101", "20080101"}, {"20070101", "20070101"}};
    for (int position = 1; position <= 3; ++position) {
        RecordMetadata entry = catalogue.entry(position);
        entry.recordDate = dates[position - 1][0];
        entry.referenceDate = dates[position - 1][1];
        catalogue.replace(position, entry);
    }
    const Case cases[] = {
        {MenuSort::GameName, kGameNameMode, {"a局", "b局", "c局"}},
        {MenuSort::GameName, kGameNameMode, {"a局", "b局", "c局"}},
        {MenuSort::RecordDate, kRecordDateMode, {"b局", "c局", "a局"}},
        {MenuSort::ReferenceDate, kReferenceDateMode, {"a局", "c局", "b局"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        sortByMenu(catalogue, state, c.sort);
        EXPECT_EQ(state.sortMode, c.mode);
        EXPECT_EQ(names(), c.names);
        EXPECT_EQ(state.sortDirectionFlags, flags);
    }
    // The heading still remembers its last click was descending.
    clickHeading(catalogue, state, kGameNameMode);
    EXPECT_EQ(names(), (QStringList{"a局", "b局", "c局"}));
}

TEST(SortStabilityTest, EqualKeysAscendKeepAndDescendReverse) {
    const Catalogue catalogue =
        catalogueOf({game("同", "一"), game("同", "二"), game("前", "三"), game("同", "四")});
    RecordListState state;
    sortByMenu(catalogue, state, MenuSort::GameName);
    EXPECT_EQ(column(catalogue, state, 2), (QStringList{"三", "一", "二", "四"}));
    clickHeading(catalogue, state, kGameNameMode);
    EXPECT_EQ(column(catalogue, state, 2), (QStringList{"四", "二", "一", "三"}));
}

TEST(SelectionTest, PositionColumnFollowsTheRecordAcrossSorts) {
    const Catalogue catalogue = catalogueOf({counted(7), counted(120), counted(99)});
    RecordListState state;
    applyDefaultOrder(catalogue, state);
    const auto positionShowing = [&](const QString& count) {
        const QVector<int> shown = shownPositions(catalogue, state);
        for (int row = 0; row < shown.size(); ++row) {
            if (cellText(catalogue, row, shown[row], kEntryCountMode) == count)
                return cellText(catalogue, row, shown[row], kPositionColumn).toInt();
        }
        return 0;
    };
    const int selected = positionShowing("99");
    EXPECT_EQ(selected, 3);
    for (const int col : {5, 5, 1, 8}) {
        clickHeading(catalogue, state, col);
        EXPECT_EQ(positionShowing("99"), selected);
    }
}

TEST(CellTest, NineColumnsOfAShownRow) {
    RecordSpec r = game("春季大会", "山田", "鈴木");
    r.result = "白中押勝";
    r.entryCount = 120;
    r.recordDate = "20071105";
    r.referenceDate = "20071106";
    const Catalogue catalogue = catalogueOf({counted(1), r});
    const auto cells = rowCells(catalogue, 4, 2);
    const std::array<QString, kRecordListColumns> expected = {
        "5", "春季大会", "山田", "鈴木", "白中押勝", "120", "20071105", "20071106", "2"};
    EXPECT_EQ(cells, expected);
    for (const QString& text : rowCells(catalogue, 0, 3))
        EXPECT_TRUE(text.isEmpty() || text == "1") << text.toStdString();
}

// The catalogue keeps its entries in pieces of a few thousand: entries removed and cut off
// across their borders, and a catalogue moved away.
TEST(CatalogueStorageTest, EntriesAcrossThePiecesOfTheStore) {
    Catalogue catalogue;
    constexpr int kEntries = 9000;
    for (int i = 1; i <= kEntries; ++i)
        catalogue.append(entryOf(counted(i)));
    const auto counts = [&](std::initializer_list<int> positions) {
        std::vector<int> found;
        for (const int position : positions)
            found.push_back(catalogue.entryCount(position));
        return found;
    };
    catalogue.removeAt(10);
    ASSERT_EQ(catalogue.count(), kEntries - 1);
    EXPECT_EQ(counts({9, 10, 4095, 4096, 4097, kEntries - 1}),
              (std::vector<int>{9, 11, 4096, 4097, 4098, kEntries}));
    EXPECT_EQ(catalogue.entry(4096).fileName, recordName(counted(4097)));
    catalogue.truncate(4097);
    ASSERT_EQ(catalogue.count(), 4097);
    catalogue.append(entryOf(counted(1)));
    EXPECT_EQ(counts({4096, 4097, 4098}), (std::vector<int>{4097, 4098, 1}));

    Catalogue moved = std::move(catalogue);
    EXPECT_EQ(moved.count(), 4098);
    EXPECT_EQ(catalogue.count(), 0); // NOLINT(bugprone-use-after-move): what a move leaves
}

// --- Filters ------------------------------------------------------------------------------------

TEST(FilterTest, PrefixRules) {
    const Catalogue catalogue =
        catalogueOf({game("春季大会", "山田", "鈴木"), game("新春杯", "鈴木", "田中"),
                     game("春の例会", "佐藤", "山本"), game("春季大会決勝", "田中", "佐藤")});
    struct Case {
        const char* label;
        QStringList gameNames;
        QStringList players;
        QStringList shownNames; // in display order
    };
    const Case cases[] = {
        {"no filter", {}, {}, {"春季大会", "新春杯", "春の例会", "春季大会決勝"}},
        {"game prefix", {"春"}, {}, {"春季大会", "春の例会", "春季大会決勝"}},
        {"whole name as prefix", {"春季大会"}, {}, {"春季大会", "春季大会決勝"}},
        {"any of several prefixes", {"新", "春の"}, {}, {"新春杯", "春の例会"}},
        {"player as black or white", {}, {"鈴木"}, {"春季大会", "新春杯"}},
        {"player prefix", {}, {"山"}, {"春季大会", "春の例会"}},
        {"game filter wins over player filter", {"新"}, {"佐藤"}, {"新春杯"}},
        {"nothing matches", {"秋"}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        RecordListState state;
        state.gameNameFilter = c.gameNames;
        state.playerFilter = c.players;
        state.displayOrder = {1, 2, 3, 4};
        EXPECT_EQ(column(catalogue, state, kGameNameMode), c.shownNames);
        EXPECT_EQ(column(catalogue, state, kRowNumberColumn).size(), c.shownNames.size());
    }
}

TEST(FilterTest, EmptyPrefixPicksOnlyNamelessGames) {
    // A chooser shows games without a name as a group with empty text; picking it must not
    // show the whole library.
    const Catalogue catalogue =
        catalogueOf({game("春季大会", "山田", "鈴木"), game("", "", "田中")});
    RecordListState state;
    state.displayOrder = {1, 2};
    state.gameNameFilter = QStringList{QString()};
    EXPECT_EQ(shownPositions(catalogue, state), QVector<int>{2});
    state.gameNameFilter.clear();
    state.playerFilter = QStringList{QString()};
    EXPECT_EQ(shownPositions(catalogue, state), QVector<int>{2});
}

TEST(FilterTest, StatusText) {
    EXPECT_EQ(shownStatusText(0), QStringLiteral("お望みの対局は見つかりません"));
    EXPECT_EQ(shownStatusText(12), QStringLiteral("12 局　選局しました"));
}

TEST_F(ScanTest, SelectAllEmptiesFiltersAndShowsTheDefaultOrder) {
    RecordSpec older = game("春季大会");
    older.referenceDate = "20070101";
    RecordSpec newer = game("新春杯");
    newer.referenceDate = "20080101";
    touch(dir, recordName(older) + ".IGO");
    ASSERT_TRUE(enterRecordList(catalogue, state, dir.path()));

    EXPECT_FALSE(selectAllRecords(catalogue, state, dir.path()));
    EXPECT_EQ(catalogue.count(), 1) << "without filters nothing is done, not even a scan";

    touch(dir, recordName(newer) + ".IGO");
    for (const bool byGameName : {true, false}) {
        SCOPED_TRACE(byGameName);
        (byGameName ? state.gameNameFilter : state.playerFilter) = QStringList{"春"};
        sortByMenu(catalogue, state, MenuSort::GameName);
        EXPECT_TRUE(selectAllRecords(catalogue, state, dir.path()));
        EXPECT_TRUE(state.gameNameFilter.isEmpty());
        EXPECT_TRUE(state.playerFilter.isEmpty());
        EXPECT_EQ(state.sortMode, kReferenceDateMode);
        EXPECT_EQ(column(catalogue, state, kGameNameMode), (QStringList{"新春杯", "春季大会"}));
    }
}
