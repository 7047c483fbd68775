#include "store/catalogue.h"
#include "store/chooser.h"

#include <gtest/gtest.h>

namespace vorleth {

// Failure messages name groups by their text and count.
void PrintTo(const ChooserGroup& group, std::ostream* os) {
    *os << group.text.toStdString() << " (" << group.count << ")";
}

namespace {

struct Game {
    QString gameName;
    QString whitePlayer;
    QString blackPlayer;
};

Catalogue catalogueOf(const QVector<Game>& games) {
    Catalogue catalogue;
    for (const Game& game : games) {
        RecordMetadata entry;
        entry.game.gameName = game.gameName;
        entry.game.whitePlayer = game.whitePlayer;
        entry.game.blackPlayer = game.blackPlayer;
        catalogue.append(entry);
    }
    return catalogue;
}

TEST(ChooserGrouping, GameNamesGroupByLeadingCharactersInCodeOrder) {
    const QVector<Game> spring = {
        {u"春季大会"_qs, {}, {}}, {u"春季大会2"_qs, {}, {}}, {u"新春杯"_qs, {}, {}}};
    const struct {
        const char* label;
        QVector<Game> games;
        int prefixLength;
        QVector<ChooserGroup> expected;
    } cases[] = {
        {"two characters; 新 U+65B0 sorts before 春 U+6625",
         spring,
         2,
         {{u"新春"_qs, 1}, {u"春季"_qs, 2}}},
        {"one character", spring, 1, {{u"新"_qs, 1}, {u"春"_qs, 2}}},
        {"a name shorter than the prefix is its own group",
         {{u"碁"_qs, {}, {}}, {u"碁会所"_qs, {}, {}}},
         3,
         {{u"碁"_qs, 1}, {u"碁会所"_qs, 1}}},
        {"groups apart in catalogue order still count together",
         {{u"本因坊戦"_qs, {}, {}}, {u"名人戦"_qs, {}, {}}, {u"本因坊戦予選"_qs, {}, {}}},
         5,
         {{u"名人戦"_qs, 1}, {u"本因坊戦"_qs, 1}, {u"本因坊戦予"_qs, 1}}},
        {"whole names up to five characters",
         {{u"本因坊戦"_qs, {}, {}}, {u"本因坊戦"_qs, {}, {}}, {u"名人戦"_qs, {}, {}}},
         5,
         {{u"名人戦"_qs, 1}, {u"本因坊戦"_qs, 2}}},
        {"no games", {}, 2, {}},
        {"a character outside the Basic Multilingual Plane stays whole",
         {{u"𠮷野杯"_qs, {}, {}}, {u"𠮷田杯"_qs, {}, {}}},
         1,
         {{u"𠮷"_qs, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(groupGameNames(catalogueOf(c.games), c.prefixLength), c.expected);
    }
}

TEST(ChooserGrouping, PlayersCountOncePerSideOfEachGame) {
    const struct {
        const char* label;
        QVector<Game> games;
        int prefixLength;
        QVector<ChooserGroup> expected;
    } cases[] = {
        {"both players in one group count twice",
         {{u"例会"_qs, u"東乙"_qs, u"東甲"_qs}},
         1,
         {{u"東"_qs, 2}}},
        {"longer prefix separates them; 乙 U+4E59 before 甲 U+7532",
         {{u"例会"_qs, u"東乙"_qs, u"東甲"_qs}},
         2,
         {{u"東乙"_qs, 1}, {u"東甲"_qs, 1}}},
        {"a player on both colours in different games",
         {{u"例会"_qs, u"山田"_qs, u"佐藤"_qs}, {u"例会"_qs, u"佐藤"_qs, u"鈴木"_qs}},
         2,
         {{u"佐藤"_qs, 2}, {u"山田"_qs, 1}, {u"鈴木"_qs, 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(groupPlayers(catalogueOf(c.games), c.prefixLength), c.expected);
    }
}

TEST(ChooserGrouping, CountsShowAtMostFiveDigits) {
    EXPECT_EQ(lastFiveDigits(0), u"0"_qs);
    EXPECT_EQ(lastFiveDigits(12345), u"12345"_qs);
    EXPECT_EQ(lastFiveDigits(123456), u"23456"_qs);
}

class ChooserTest : public ::testing::Test {
protected:
    Catalogue catalogue = catalogueOf({{u"春季大会"_qs, u"東乙"_qs, u"東甲"_qs},
                                       {u"春季大会2"_qs, u"西村"_qs, u"東甲"_qs},
                                       {u"新春杯"_qs, u"西村"_qs, u"北川"_qs}});
    RecordListState recordList;
    int prefixLength = 0;
};

TEST_F(ChooserTest, OpeningStartsANewSelection) {
    recordList.gameNameFilter = QStringList{u"新"_qs};
    recordList.playerFilter = QStringList{u"西"_qs};
    for (const ChooserKind kind : {ChooserKind::GameName, ChooserKind::Player}) {
        SCOPED_TRACE(kind == ChooserKind::GameName ? "game names" : "players");
        prefixLength = 0;
        Chooser chooser(kind, catalogue, recordList, prefixLength);
        chooser.open();
        EXPECT_EQ(prefixLength, 2);
        EXPECT_TRUE(recordList.gameNameFilter.isEmpty());
        EXPECT_TRUE(recordList.playerFilter.isEmpty());
        EXPECT_EQ(chooser.pickedCountText(), u"0"_qs);
    }
}

TEST_F(ChooserTest, PrefixLengthChosenBeforeIsKeptOnOpening) {
    prefixLength = 3;
    Chooser chooser(ChooserKind::GameName, catalogue, recordList, prefixLength);
    chooser.open();
    EXPECT_EQ(chooser.prefixLength(), 3);
    EXPECT_EQ(chooser.groups(), (QVector<ChooserGroup>{{u"新春杯"_qs, 1}, {u"春季大"_qs, 2}}));
    EXPECT_EQ(chooser.groupCountText(), u"2"_qs);
}

TEST_F(ChooserTest, PickingAppendsTheGroupToItsOwnFilter) {
    Chooser games(ChooserKind::GameName, catalogue, recordList, prefixLength);
    games.open();
    ASSERT_TRUE(games.pick(2)); // 春季
    ASSERT_TRUE(games.pick(2)); // appended again
    EXPECT_EQ(recordList.gameNameFilter, (QStringList{u"春季"_qs, u"春季"_qs}));
    EXPECT_TRUE(recordList.playerFilter.isEmpty());
    EXPECT_EQ(games.pickedCountText(), u"2"_qs);
    EXPECT_TRUE(games.isPicked(2));
    EXPECT_FALSE(games.isPicked(1));

    int playerPrefix = 1;
    Chooser players(ChooserKind::Player, catalogue, recordList, playerPrefix);
    players.open();
    // Groups 北, 東, 西.
    ASSERT_TRUE(players.pick(3));
    EXPECT_EQ(recordList.playerFilter, QStringList{u"西"_qs});
    EXPECT_TRUE(recordList.gameNameFilter.isEmpty());
}

TEST_F(ChooserTest, RowsWithoutAGroupPickNothing) {
    Chooser chooser(ChooserKind::GameName, catalogue, recordList, prefixLength);
    chooser.open();
    for (const int row : {0, -1, 3, 100}) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(chooser.pick(row));
    }
    EXPECT_TRUE(recordList.gameNameFilter.isEmpty());
}

TEST_F(ChooserTest, PickedGroupsSelectExactlyTheirGamesInTheRecordList) {
    for (const RecordMetadata& entry : catalogueOf({{u"春の例会"_qs, {}, {}}}).entries())
        catalogue.append(entry);
    Chooser chooser(ChooserKind::GameName, catalogue, recordList, prefixLength);
    chooser.open();
    // 新春, 春の, 春季
    ASSERT_EQ(chooser.groups().at(2).text, u"春季"_qs);
    chooser.pick(3);
    sortRecordList(catalogue, recordList, kGameNameMode, false);
    EXPECT_EQ(shownPositions(catalogue, recordList), (QVector<int>{1, 2}));
}

TEST_F(ChooserTest, ChangingThePrefixLengthDiscardsPicks) {
    Chooser chooser(ChooserKind::GameName, catalogue, recordList, prefixLength);
    chooser.open();
    chooser.pick(1);
    chooser.pick(2);
    chooser.setPrefixLength(3);
    EXPECT_EQ(prefixLength, 3);
    EXPECT_TRUE(recordList.gameNameFilter.isEmpty());
    EXPECT_FALSE(chooser.isPicked(1));
    EXPECT_FALSE(chooser.isPicked(2));
    EXPECT_EQ(chooser.groups(), (QVector<ChooserGroup>{{u"新春杯"_qs, 1}, {u"春季大"_qs, 2}}));
}

TEST_F(ChooserTest, PrefixLengthStaysWithinOneToFive) {
    Chooser chooser(ChooserKind::Player, catalogue, recordList, prefixLength);
    chooser.open();
    chooser.setPrefixLength(9);
    EXPECT_EQ(prefixLength, 5);
    chooser.setPrefixLength(0);
    EXPECT_EQ(prefixLength, 1);
}

TEST(ChooserEmptyCatalogue, HasNoGroups) {
    Catalogue catalogue;
    RecordListState recordList;
    int prefixLength = 0;
    Chooser chooser(ChooserKind::Player, catalogue, recordList, prefixLength);
    chooser.open();
    EXPECT_EQ(chooser.groupCount(), 0);
    EXPECT_EQ(chooser.groupCountText(), u"0"_qs);
    EXPECT_FALSE(chooser.pick(1));
}

} // namespace
} // namespace vorleth
