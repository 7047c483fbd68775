#include "search/searchlibrary.h"
#include "support/recordingnavigator.h"

#include "screens/search/searchresultsscreen.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"
#include "store/recordname.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
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
    QTableView* grid = screen.grid();
    const QAbstractItemModel* model = grid->model();
    auto cell = [model](int row, int column, int role = Qt::DisplayRole) {
        return model->index(row, column).data(role);
    };
    ASSERT_EQ(model->rowCount(), f.state.search.results.hits.size());
    const QStringList headings{QStringLiteral("対局名"), QStringLiteral("白番")};
    for (int column = 0; column < headings.size(); ++column)
        EXPECT_EQ(model->headerData(column, Qt::Horizontal).toString(), headings[column]);

    int movesColumn = -1;
    for (int column = 0; column < model->columnCount(); ++column)
        if (cell(0, column).typeId() == QMetaType::Int)
            movesColumn = column;
    ASSERT_GE(movesColumn, 0);
    for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        grid->sortByColumn(movesColumn, order);
        for (int row = 1; row < model->rowCount(); ++row) {
            const int before = cell(row - 1, movesColumn).toInt();
            const int here = cell(row, movesColumn).toInt();
            EXPECT_TRUE(order == Qt::AscendingOrder ? before <= here : before >= here);
        }
        // Whatever the order shown, a row replays its own game stopped at its own match.
        const int row = model->rowCount() - 1;
        const SearchHit& hit = f.state.search.results.hits[cell(row, 0, Qt::UserRole).toInt()];
        f.navigator.calls.clear();
        f.navigator.shown.clear();
        emit grid->doubleClicked(model->index(row, movesColumn));
        ASSERT_EQ(f.navigator.shown, std::vector<ScreenId>{ScreenId::Replay});
        const auto* chosen = std::get_if<ChosenRecord>(&f.navigator.calls.back().handover);
        ASSERT_NE(chosen, nullptr);
        EXPECT_EQ(chosen->stopAtStones, hit.match.moves);
        EXPECT_EQ(f.state.catalogue.entry(chosen->cataloguePosition).fileName + recordExtension,
                  hit.fileName);
        EXPECT_EQ(cell(row, movesColumn).toInt(), hit.match.moves);
    }
}

TEST(SearchResultsScreenTest, ResultsFoundWhileRecordingDoNotLeaveTheGame) {
    Fixture f;
    f.state.search.fromGameBeingRecorded = true;
    SearchResultsScreen screen(f.state, f.navigator);
    ASSERT_GT(screen.grid()->model()->rowCount(), 0);
    emit screen.grid()->doubleClicked(screen.grid()->model()->index(0, 0));
    EXPECT_TRUE(f.navigator.calls.empty());
    bool told = false;
    for (const QLabel* label : screen.findChildren<QLabel*>())
        told = told || label->text() == recordingFirstText;
    EXPECT_TRUE(told);
}

} // namespace
} // namespace vorleth
