#include "search/searchlibrary.h"
#include "support/recordingnavigator.h"

#include "screens/search/searchresultsscreen.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"
#include "store/recordname.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

// The corner pattern found in several games of the small library, at different move counts.
SearchResults searchCorner(const QString& directory) {
    QFile file(QStringLiteral(VORLETH_TEST_DATA "/search/patterns/corner.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const Result<SearchPattern> pattern = parsePattern(QString::fromUtf8(file.readAll()));
    EXPECT_TRUE(pattern.ok);
    SearchIndex index(directory);
    EXPECT_TRUE(index.update());
    return index.search(pattern.value(), false);
}

struct Fixture {
    test::SearchLibrary library;
    QTemporaryDir base;
    SharedState state{base.path()};
    test::RecordingNavigator navigator;
    Fixture() {
        state.settings.recordDirectory = library.directory();
        state.search.results = searchCorner(library.directory());
    }
};

TEST(SearchResultsScreenTest, ListsEveryGameAndSortsByTheMoveCount) {
    Fixture f;
    ASSERT_GT(f.state.search.results.hits.size(), 1);
    SearchResultsScreen screen(f.state, f.navigator);
    QTableWidget* grid = screen.grid();
    ASSERT_EQ(grid->rowCount(), f.state.search.results.hits.size());
    const QStringList headings{QStringLiteral("対局名"), QStringLiteral("白番")};
    for (int column = 0; column < headings.size(); ++column)
        EXPECT_EQ(grid->horizontalHeaderItem(column)->text(), headings[column]);

    int movesColumn = -1;
    for (int column = 0; column < grid->columnCount(); ++column)
        if (grid->item(0, column)->data(Qt::DisplayRole).typeId() == QMetaType::Int)
            movesColumn = column;
    ASSERT_GE(movesColumn, 0);
    for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        grid->sortItems(movesColumn, order);
        for (int row = 1; row < grid->rowCount(); ++row) {
            const int before = grid->item(row - 1, movesColumn)->data(Qt::DisplayRole).toInt();
            const int here = grid->item(row, movesColumn)->data(Qt::DisplayRole).toInt();
            EXPECT_TRUE(order == Qt::AscendingOrder ? before <= here : before >= here);
        }
        // Whatever the order shown, a row replays its own game stopped at its own match.
        const int row = grid->rowCount() - 1;
        const SearchHit& hit =
            f.state.search.results.hits[grid->item(row, 0)->data(Qt::UserRole).toInt()];
        f.navigator.calls.clear();
        f.navigator.shown.clear();
        emit grid->cellDoubleClicked(row, movesColumn);
        ASSERT_EQ(f.navigator.shown, std::vector<ScreenId>{ScreenId::Replay});
        const auto* chosen = std::get_if<ChosenRecord>(&f.navigator.calls.back().handover);
        ASSERT_NE(chosen, nullptr);
        EXPECT_EQ(chosen->stopAtStones, hit.match.moves);
        EXPECT_EQ(f.state.catalogue.entry(chosen->cataloguePosition).fileName + recordExtension,
                  hit.fileName);
        EXPECT_EQ(grid->item(row, movesColumn)->data(Qt::DisplayRole).toInt(), hit.match.moves);
    }
}

TEST(SearchResultsScreenTest, ResultsFoundWhileRecordingDoNotLeaveTheGame) {
    Fixture f;
    f.state.search.fromGameBeingRecorded = true;
    SearchResultsScreen screen(f.state, f.navigator);
    ASSERT_GT(screen.grid()->rowCount(), 0);
    emit screen.grid()->cellDoubleClicked(0, 0);
    EXPECT_TRUE(f.navigator.calls.empty());
    bool told = false;
    for (const QLabel* label : screen.findChildren<QLabel*>())
        told = told || label->text() == recordingFirstText;
    EXPECT_TRUE(told);
}

} // namespace
} // namespace vorleth
