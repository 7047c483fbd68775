#include "search/searchlibrary.h"
#include "support/scripteddialogs.h"
#include "support/widgets.h"

#include "app/screens.h"
#include "board/playrules.h"
#include "board/symmetry.h"
#include "screens/replay/replayscreen.h"
#include "screens/search/searchresultsscreen.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"
#include "store/recordcodec.h"
#include "store/recordname.h"
#include "ui/screenregistry.h"

#include <QDir>
#include <QKeyEvent>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::gameLabel;

// "この局面を検索" on the replay board, as the program wires it: the position the replay shows
// (after its removals, with the handicap stones of the game name) goes to the search, and the
// results list beside it names the games that reached it and the move they reached it at.
class ReplaySearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.settings.recordDirectory = library.directory();
        registerScreens(registry, state, dialogs);
        ASSERT_TRUE(scanCatalogue(state.catalogue, library.directory()));
    }
    void TearDown() override { test::closeEveryWindow(); }

    // The replay of the one record whose name holds text, stepped on by → stones times.
    ReplayScreen* replayTo(const QString& text, int stones) {
        const QString fileName = library.recordNamed(text).chopped(recordExtension.size());
        int position = 0;
        for (int i = 1; i <= state.catalogue.count(); ++i)
            if (state.catalogue.entry(i).fileName == fileName)
                position = i;
        EXPECT_NE(position, 0);
        // The automatic replay must not move on by itself while the test steps.
        state.replay.stepInterval = 3000;
        registry.show(ScreenId::Replay, ChosenRecord{position});
        auto* replay = qobject_cast<ReplayScreen*>(registry.current());
        EXPECT_NE(replay, nullptr);
        if (!replay)
            return nullptr;
        for (int i = 0; i < stones; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
            QApplication::sendEvent(replay, &press);
        }
        return replay;
    }

    const QTableView* resultsGrid() const {
        auto* results =
            qobject_cast<SearchResultsScreen*>(registry.beside(ScreenId::SearchResults));
        EXPECT_NE(results, nullptr);
        return results ? results->grid() : nullptr;
    }

    // The rows of the results list: game label -> the move count shown.
    QMap<QString, int> listedMoves() const {
        QMap<QString, int> moves;
        const QTableView* grid = resultsGrid();
        if (!grid)
            return moves;
        const QAbstractItemModel* model = grid->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const SearchHit& hit =
                state.search.results.hits.value(model->index(row, 0).data(Qt::UserRole).toInt());
            // The row shows the game of its hit, and the hit's move count as a number.
            EXPECT_EQ(model->index(row, 0).data().toString(),
                      parseRecordName(hit.fileName.chopped(recordExtension.size())).game.gameName);
            int shown = -1;
            for (int column = 0; column < model->columnCount(); ++column)
                if (model->index(row, column).data().typeId() == QMetaType::Int)
                    shown = model->index(row, column).data().toInt();
            moves.insert(gameLabel(hit.fileName), shown);
        }
        return moves;
    }

    // The games whose first stone is black's on one of the eight points that the board's
    // symmetries make of 17-4, read from the records themselves.
    QMap<QString, int> gamesOpeningAtSeventeenFour() const {
        QMap<QString, int> games;
        for (const QString& name :
             QDir(library.directory()).entryList({QStringLiteral("*.IGO")}, QDir::Files)) {
            const Result<GameRecord> read = decodeRecord(name.chopped(recordExtension.size()),
                                                         test::readBytes(library.path(name)));
            EXPECT_TRUE(read.ok) << name.toStdString();
            if (!read.ok || read.moves.length() == 0 ||
                handicapCount(read.metadata.game.gameName) > 0)
                continue;
            const MoveEntry& first = read.moves.entry(1);
            const Point p = Point::fromCode(first.point);
            for (const BoardSymmetry s : boardSymmetries)
                if (first.kind.startsWith(black) && p == applySymmetry(s, {17, 4}))
                    games.insert(gameLabel(name), 1);
        }
        return games;
    }

    test::SearchLibrary library;
    QTemporaryDir base;
    SharedState state{base.path()};
    test::ScriptedDialogs dialogs;
    ScreenRegistry registry;
};

TEST_F(ReplaySearchTest, PositionShownFindsTheGamesThatReachedIt) {
    struct Case {
        const char* what;
        QString game;
        int stones;
        QMap<QString, int> expected; // empty: every game opening at 17-4, at move 1
    };
    const Case cases[] = {
        // Hon455 opens at 17-4, as do fifteen other games of the library.
        {"the first stone", QStringLiteral("Hon455"), 1, {}},
        // The position of patterns/position.txt, played in that game only.
        {"a middle-game position",
         QStringLiteral("Hon455"),
         30,
         {{QStringLiteral("Hon455/HashimotoUtaro"), 30}}},
        // White's 46th at 4-17 takes black's 3-17: the board shown has it off already.
        {"just after a capture",
         QStringLiteral("Hon455"),
         46,
         {{QStringLiteral("Hon455/HashimotoUtaro"), 46}}},
        // Four black stones from the game name, then white's first move.
        {"a handicap game", QStringLiteral("四子局"), 1, {{QStringLiteral("四子局/乙"), 1}}},
    };
    const QMap<QString, int> openers = gamesOpeningAtSeventeenFour();
    ASSERT_GT(openers.size(), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReplayScreen* replay = replayTo(c.game, c.stones);
        ASSERT_NE(replay, nullptr);
        test::trigger(replay, "kensaku_kyokumen");
        EXPECT_TRUE(dialogs.shown.empty());
        const QMap<QString, int> expected = c.expected.isEmpty() ? openers : c.expected;
        EXPECT_EQ(listedMoves(), expected);
        ASSERT_NE(resultsGrid(), nullptr);
        EXPECT_EQ(resultsGrid()->model()->rowCount(), expected.size()) << "one row per game";
        EXPECT_FALSE(state.search.fromGameBeingRecorded);
        EXPECT_TRUE(state.search.pattern.isWholeBoard());
    }
}

} // namespace
} // namespace vorleth
