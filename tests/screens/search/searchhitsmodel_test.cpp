#include "screens/search/searchhitsmodel.h"

#include "store/recordname.h"

#include <QItemSelectionModel>
#include <QTableView>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

SearchHit hit(const QString& gameName, const QString& white, const QString& date, int moves) {
    RecordMetadata m;
    m.game.gameName = gameName;
    m.game.whitePlayer = white;
    m.game.blackPlayer = QStringLiteral("黒");
    m.recordDate = date;
    SearchHit h;
    h.fileName = recordFileName(m) + recordExtension;
    h.match.moves = moves;
    return h;
}

// The hits in the order found; equal texts and counts on purpose, to show that a sort keeps
// the order found among rows that compare equal.
SearchResults results() {
    SearchResults r;
    r.hits = {hit(QStringLiteral("名人戦"), QStringLiteral("b"), QStringLiteral("20070101"), 40),
              hit(QStringLiteral("本因坊戦"), QStringLiteral("a"), QStringLiteral("20060101"), 12),
              hit(QStringLiteral("名人戦"), QStringLiteral("A"), QStringLiteral("20070101"), 40),
              hit(QStringLiteral("Kisei"), QStringLiteral("c"), QStringLiteral("20080101"), 7)};
    return r;
}

std::vector<int> hitsShown(const SearchHitsModel& model) {
    std::vector<int> hits;
    for (int row = 0; row < model.rowCount(); ++row)
        hits.push_back(model.index(row, 0).data(Qt::UserRole).toInt());
    return hits;
}

TEST(SearchHitsModelTest, SortsByEachHeadingKeepingTheOrderFoundAmongEqualRows) {
    const SearchResults found = results();
    SearchHitsModel model;
    model.setResults(&found, [](const SearchHit& h) { return QString::number(h.match.moves % 2); });
    EXPECT_EQ(hitsShown(model), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(model.index(1, SearchHitsModel::GameName).data().toString(), u"本因坊戦"_qs);
    EXPECT_EQ(model.index(1, SearchHitsModel::Moves).data().typeId(), QMetaType::Int);

    const struct {
        int column;
        Qt::SortOrder order;
        std::vector<int> hits;
    } cases[] = {
        // "Kisei" before the kanji names; 名 (U+540D) before 本 (U+672C).
        {SearchHitsModel::GameName, Qt::AscendingOrder, {3, 0, 2, 1}},
        {SearchHitsModel::GameName, Qt::DescendingOrder, {1, 0, 2, 3}},
        // Letter case counts, as in the other lists sorted by a click: "A" before "a".
        {SearchHitsModel::White, Qt::AscendingOrder, {2, 1, 0, 3}},
        {SearchHitsModel::Date, Qt::DescendingOrder, {3, 0, 2, 1}},
        {SearchHitsModel::Moves, Qt::AscendingOrder, {3, 1, 0, 2}},
        {SearchHitsModel::Moves, Qt::DescendingOrder, {0, 2, 1, 3}},
        {SearchHitsModel::Next, Qt::AscendingOrder, {0, 1, 2, 3}},
        {SearchHitsModel::Next, Qt::DescendingOrder, {3, 0, 1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " order " << c.order);
        model.sort(c.column, c.order);
        EXPECT_EQ(hitsShown(model), c.hits);
    }
}

TEST(SearchHitsModelTest, TheChosenGameStaysChosenWhenTheListIsSorted) {
    const SearchResults found = results();
    SearchHitsModel model;
    model.setResults(&found, {});
    QTableView view;
    view.setModel(&model);
    view.setSortingEnabled(true);
    view.selectionModel()->setCurrentIndex(model.index(3, 0), QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
    for (const int column : {SearchHitsModel::GameName, SearchHitsModel::Moves}) {
        view.sortByColumn(column, Qt::DescendingOrder);
        EXPECT_EQ(view.currentIndex().data(Qt::UserRole).toInt(), 3);
        EXPECT_EQ(model.hitAt(view.currentIndex().row()), 3);
    }
    EXPECT_EQ(model.hitAt(-1), -1);
    EXPECT_EQ(model.hitAt(model.rowCount()), -1);

    // New results are shown in the order found, with nothing chosen.
    const SearchResults fewer{{found.hits[1]}, 1, 0};
    model.setResults(&fewer, {});
    EXPECT_EQ(hitsShown(model), std::vector<int>{0});
    EXPECT_FALSE(view.currentIndex().isValid());
}

} // namespace
} // namespace vorleth
