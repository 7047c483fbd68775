#include "board/playrules.h"
#include "support/asciiboardview.h"
#include "support/ko.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace vorleth {
namespace {

// A position written as rows of '.', 'X' (black) and 'O' (white), row 1 first; rows and
// columns not given stay empty. Cells only: nothing is recorded.
BoardModel positionFrom(const QStringList& rows) {
    BoardModel model;
    model.board = parseBoardDiagram(rows.join(u'\n'));
    return model;
}

QStringList diagramRows(const Board& board, int rows, int columns) {
    QStringList out;
    const QStringList all = boardDiagram(board).split(u'\n');
    for (int r = 0; r < rows; ++r)
        out << all[r].left(columns);
    return out;
}

QStringList kinds(const MoveList& moves) {
    QStringList out;
    for (const MoveEntry& e : moves.entries())
        out << QStringLiteral("%1:%2").arg(e.point).arg(e.kind);
    return out;
}

class PlayRules : public ::testing::Test {
protected:
    // Draws the change as a board screen does and tells what became of the play.
    static PlayResult drawn(test::AsciiBoardView& view, const BoardChange& change) {
        applyToView(view, change);
        return change.result;
    }

    void play(BoardModel& model, Point p, const QString& colour) {
        model.play.placementMode = colour == black ? 1 : 2;
        ASSERT_EQ(playStone(model, p).result, PlayResult::Played);
    }
};

TEST_F(PlayRules, ColoursAlternateFromBlackAndHandicapHandsTheFirstMoveToWhite) {
    BoardModel model;
    ASSERT_EQ(playStone(model, {4, 4}).result, PlayResult::Played);
    ASSERT_EQ(playStone(model, {16, 16}).result, PlayResult::Played);
    ASSERT_EQ(playStone(model, {4, 16}).result, PlayResult::Played);
    EXPECT_EQ(kinds(model.moves), (QStringList{"404:1", "1616:2", "416:1"}));
    EXPECT_EQ(model.play.nextMoveNumber, 4);
    EXPECT_EQ(model.play.appliedCount, 3);

    BoardModel handicapped;
    handicapFromGameName(handicapped, QStringLiteral("二子局"));
    placeHandicapStones(handicapped);
    EXPECT_EQ(handicapped.play.pendingHandicap, 0);
    ASSERT_EQ(playStone(handicapped, {10, 10}).result, PlayResult::Played);
    EXPECT_EQ(handicapped.moves.entry(1).kind, white);
    EXPECT_EQ(handicapped.board.cell(16, 16), Board::Black);
    EXPECT_EQ(handicapped.board.cell(4, 4), Board::Black);
}

TEST_F(PlayRules, PlacementModesForceTheColour) {
    BoardModel model;
    model.play.placementMode = 2;
    ASSERT_EQ(playStone(model, {1, 1}).result, PlayResult::Played);
    ASSERT_EQ(playStone(model, {2, 1}).result, PlayResult::Played);
    EXPECT_EQ(kinds(model.moves), (QStringList{"101:2", "201:2"}));
}

// Black plays at p. A stone that would leave its own group without a liberty is refused and
// changes nothing; one that takes the last liberty of an opponent group captures instead.
TEST_F(PlayRules, SuicideIsRefusedUnlessThePlayCaptures) {
    const struct {
        const char* what;
        QStringList rows;
        Point p;
        PlayResult result;
        int captured;
    } cases[] = {
        {"a single stone in the corner", {".O...", "O...."}, {1, 1}, PlayResult::Suicide, 0},
        {"a group filling its own last liberty",
         {"XX.O.", "OOO.."},
         {3, 1},
         PlayResult::Suicide,
         0},
        {"a stone in the middle, four white stones round it",
         {"..O..", ".O.O.", "..O.."},
         {3, 2},
         PlayResult::Suicide,
         0},
        {"filling an eye of a group that has other liberties",
         {".X...", "OX..."},
         {1, 1},
         PlayResult::Played,
         0},
        {"the last liberty of both, white's taken",
         {".OX..", "OX...", "X...."},
         {1, 1},
         PlayResult::Played,
         2},
        {"the ko: taking one stone back", test::koDiagram.split(u'\n'), test::koTake,
         PlayResult::Played, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BoardModel model = positionFrom(c.rows);
        model.play.placementMode = 1;
        const QString before = boardDiagram(model.board);
        const BoardChange change = playStone(model, c.p);
        EXPECT_EQ(change.result, c.result);
        if (c.result == PlayResult::Suicide) {
            EXPECT_EQ(boardDiagram(model.board), before);
            EXPECT_EQ(model.moves.length(), 0);
            EXPECT_TRUE(model.play.lastMover.isEmpty());
            EXPECT_EQ(model.play.nextMoveNumber, 1);
            EXPECT_TRUE(change.stones.empty()) << "nothing to draw";
            EXPECT_EQ(refusalMessage(change.result),
                      QStringLiteral("そこには打てません（自殺手）"));
        } else {
            EXPECT_EQ(model.board.cell(c.p), Board::Black);
            EXPECT_EQ(model.play.prisonersBlack, c.captured);
            EXPECT_EQ(model.moves.length(), 1 + c.captured);
        }
    }
}

TEST_F(PlayRules, ImmediateRecaptureIsAcceptedAndEachCaptureWritesOneRemoval) {
    BoardModel model;
    model.board = parseBoardDiagram(test::koDiagram);
    play(model, test::koTake, black); // takes the white stone at (2, 2)
    EXPECT_EQ(kinds(model.moves), (QStringList{"302:1", "202:+"}));
    EXPECT_EQ(model.play.prisonersBlack, 1);
    play(model, test::koRetake, white); // retakes at once
    EXPECT_EQ(kinds(model.moves), (QStringList{"302:1", "202:+", "202:2", "302:+"}));
    EXPECT_EQ(model.play.prisonersWhite, 1);
    EXPECT_EQ(diagramRows(model.board, 3, 5), (QStringList{".XO..", "XO.O.", ".XO.."}));
}

TEST_F(PlayRules, OnePlayCapturingTwoGroupsRemovesTheLeftGroupFirst) {
    // Black at (3, 2) takes the stone to its left and the two stones below it.
    BoardModel model = positionFrom({
        ".X...",
        "XO...",
        ".XOX.",
        ".XOX.",
        "..X..",
    });
    play(model, {3, 2}, black);
    EXPECT_EQ(kinds(model.moves), (QStringList{"302:1", "202:+", "303:+", "304:+"}));
    EXPECT_EQ(model.play.prisonersBlack, 3);
    EXPECT_EQ(diagramRows(model.board, 5, 5),
              (QStringList{".X...", "X.X..", ".X.X.", ".X.X.", "..X.."}));
}

TEST_F(PlayRules, LargeGroupReachableAlongSeveralPathsIsRemovedOnceEach) {
    // A 3 x 3 white block in the corner; black fills its last liberty at (4, 3).
    BoardModel model = positionFrom({
        "OOOX",
        "OOOX",
        "OOO.",
        "XXX.",
    });
    play(model, {4, 3}, black);
    ASSERT_EQ(model.moves.length(), 1 + 9);
    QStringList removed;
    for (int i = 2; i <= model.moves.length(); ++i) {
        EXPECT_EQ(model.moves.entry(i).kind, QStringLiteral("+"));
        removed << QString::number(model.moves.entry(i).point);
    }
    removed.removeDuplicates();
    EXPECT_EQ(removed.size(), 9);
    // Breadth-first from the neighbour to the left of the new stone.
    EXPECT_EQ(removed.mid(0, 3), (QStringList{"303", "203", "302"}));
    EXPECT_EQ(model.play.prisonersBlack, 9);
    EXPECT_EQ(diagramRows(model.board, 4, 4), (QStringList{"...X", "...X", "...X", "XXX."}));
}

TEST_F(PlayRules, TakeBackRestoresCapturedStonesAndPrisoners) {
    BoardModel model = positionFrom({
        "OOX..",
        "O.X..",
        "XX...",
    });
    play(model, {4, 4}, white);
    play(model, {2, 2}, black); // captures three white stones
    ASSERT_EQ(model.play.prisonersBlack, 3);
    ASSERT_EQ(model.moves.length(), 5);

    takeBack(model);
    EXPECT_EQ(model.play.prisonersBlack, 0);
    EXPECT_EQ(model.moves.length(), 1);
    EXPECT_EQ(model.play.appliedCount, 1);
    EXPECT_EQ(model.play.nextMoveNumber, 2);
    EXPECT_EQ(diagramRows(model.board, 3, 5), (QStringList{"OOX..", "O.X..", "XX..."}));

    // Twice in a row: the second undoes the white stone before.
    takeBack(model);
    EXPECT_EQ(model.moves.length(), 0);
    EXPECT_EQ(model.board.cell(4, 4), Board::Empty);
    EXPECT_EQ(model.play.nextMoveNumber, 1);

    takeBack(model); // nothing left
    EXPECT_EQ(model.play.appliedCount, 0);
}

TEST_F(PlayRules, TakeBackSkipsRemovalEntriesToReachTheStoneBefore) {
    BoardModel model;
    model.board = parseBoardDiagram(test::koDiagram);
    play(model, test::koTake, black);
    play(model, {10, 10}, white);
    takeBack(model);
    takeBack(model);
    EXPECT_EQ(model.moves.length(), 0);
    EXPECT_EQ(model.board.cell(2, 2), Board::White);
    EXPECT_EQ(model.board.cell(3, 2), Board::Empty);
    EXPECT_EQ(model.play.prisonersBlack, 0);
}

// The side whose stone was taken back plays again, and the side box says so.
TEST_F(PlayRules, TakeBackHandsTheTurnBackToThePlayerWhoseStoneItTook) {
    BoardModel model;
    test::AsciiBoardView view;
    ASSERT_EQ(drawn(view, playStone(model, {4, 4})), PlayResult::Played);   // black
    ASSERT_EQ(drawn(view, playStone(model, {16, 16})), PlayResult::Played); // white
    EXPECT_EQ(view.sideToMove, QStringLiteral("黒番"));

    applyToView(view, takeBack(model));
    EXPECT_EQ(model.play.lastMover, black);
    EXPECT_EQ(view.sideToMove, QStringLiteral("白番"));
    EXPECT_EQ(view.at(16, 16), '.');
    ASSERT_EQ(drawn(view, playStone(model, {4, 16})), PlayResult::Played);
    EXPECT_EQ(model.moves.entry(2).kind, white);

    applyToView(view, takeBack(model));
    applyToView(view, takeBack(model));
    EXPECT_EQ(view.sideToMove, QStringLiteral("黒番"));
    ASSERT_EQ(drawn(view, playStone(model, {10, 10})), PlayResult::Played);
    EXPECT_EQ(model.moves.entry(1).kind, black) << "the first move is black's again";
}

TEST_F(PlayRules, TakeBackOfAPauseMarkerDropsOnlyTheMarker) {
    BoardModel model;
    ASSERT_EQ(playStone(model, {4, 4}).result, PlayResult::Played);
    ASSERT_EQ(addPauseMarker(model), PlayResult::Played);
    takeBack(model);
    EXPECT_EQ(kinds(model.moves), QStringList{"404:1"});
    EXPECT_EQ(model.board.cell(4, 4), Board::Black);
    EXPECT_EQ(model.play.lastMover, black);
}

TEST(Handicap, GameNamesAndLayouts) {
    struct Case {
        const char* name;
        int count;
        std::vector<Point> points;
    };
    const std::vector<Case> cases = {
        {"二子", 2, {{16, 16}, {4, 4}}},
        {"２子局", 2, {{16, 16}, {4, 4}}},
        {"三子", 3, {{16, 16}, {4, 4}, {4, 16}}},
        {"４子", 4, {{16, 16}, {4, 4}, {4, 16}, {16, 4}}},
        {"５子", 5, {{16, 16}, {4, 4}, {4, 16}, {16, 4}, {10, 10}}},
        {"六子", 6, {{16, 16}, {4, 4}, {4, 16}, {16, 4}, {4, 10}, {16, 10}}},
        {"７子", 7, {{16, 16}, {4, 4}, {4, 16}, {16, 4}, {4, 10}, {16, 10}, {10, 10}}},
        {"八子", 8, {{16, 16}, {4, 4}, {4, 16}, {16, 4}, {4, 10}, {16, 10}, {10, 10}, {10, 16}}},
        {"９子",
         9,
         {{16, 16}, {4, 4}, {4, 16}, {16, 4}, {4, 10}, {16, 10}, {10, 10}, {10, 16}, {10, 4}}},
        {"2子", 0, {}},
        {"一子", 0, {}},
        {"子", 0, {}},
        {"互先", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BoardModel model;
        handicapFromGameName(model, QString::fromUtf8(c.name));
        EXPECT_EQ(model.play.pendingHandicap, c.count);
        placeHandicapStones(model);
        int stones = 0;
        for (int col = 1; col <= 19; ++col)
            for (int row = 1; row <= 19; ++row)
                stones += model.board.cell(col, row) == Board::Black;
        EXPECT_EQ(stones, c.count);
        for (const Point& p : c.points)
            EXPECT_EQ(model.board.cell(p), Board::Black) << p.column << "," << p.row;
        EXPECT_EQ(model.play.lastMover, black);
        EXPECT_EQ(model.moves.length(), 0);
    }
}

TEST_F(PlayRules, RebuildDropsMarkersAndMatchesThePlayedPosition) {
    BoardModel played;
    // Black captures a white stone in the corner, with a pause marker in between.
    ASSERT_EQ(playStone(played, {2, 1}).result, PlayResult::Played); // B
    ASSERT_EQ(playStone(played, {1, 1}).result, PlayResult::Played); // W
    ASSERT_EQ(addPauseMarker(played), PlayResult::Played);
    ASSERT_EQ(playStone(played, {1, 2}).result, PlayResult::Played);   // B captures (1, 1)
    ASSERT_EQ(playStone(played, {10, 10}).result, PlayResult::Played); // W
    ASSERT_EQ(played.moves.length(), 6);

    BoardModel rebuilt;
    rebuilt.moves = played.moves;
    rebuildPosition(rebuilt, rebuilt.moves.length(), QString());
    EXPECT_EQ(boardDiagram(rebuilt.board), boardDiagram(played.board));
    EXPECT_EQ(rebuilt.moves.length(), 5);
    EXPECT_EQ(kinds(rebuilt.moves), (QStringList{"201:1", "101:2", "102:1", "101:+", "1010:2"}));
    EXPECT_EQ(rebuilt.play.prisonersBlack, 1);
    EXPECT_EQ(rebuilt.play.nextMoveNumber, 5);
    EXPECT_EQ(rebuilt.play.lastMover, white);
    EXPECT_EQ(rebuilt.play.appliedCount, 5);

    // A partial rebuild stops at entry n, the handicap of the game name first.
    BoardModel partial;
    partial.moves = played.moves;
    rebuildPosition(partial, 2, QStringLiteral("三子局"));
    EXPECT_EQ(partial.moves.length(), 2);
    EXPECT_EQ(partial.play.nextMoveNumber, 3);
    EXPECT_EQ(partial.board.cell(4, 16), Board::Black);
    EXPECT_EQ(partial.board.cell(1, 1), Board::White);
}

// Who plays next after a rebuild: the colour after the last stone, white before the first
// stone of a handicap game, black before the first stone of an even one.
TEST_F(PlayRules, RebuildLeavesTheRightSideToPlay) {
    struct Case {
        const char* gameName;
        int entries; // of the list below
        QString lastMover;
    };
    const Case cases[] = {
        {"二子局", 0, black},
        {"二子局", 1, white},
        {"練習碁", 0, QString()},
        {"練習碁", 2, black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.gameName) + " " + std::to_string(c.entries));
        BoardModel model;
        model.moves.append({1010, white});
        model.moves.append({1011, black});
        rebuildPosition(model, c.entries, QString::fromUtf8(c.gameName));
        EXPECT_EQ(model.play.lastMover, c.lastMover);
        EXPECT_EQ(sideToMoveText(model.play.lastMover),
                  c.lastMover == black ? QStringLiteral("白番") : QStringLiteral("黒番"));
    }
}

TEST_F(PlayRules, RebuildIgnoresEntriesOffTheBoard) {
    BoardModel model;
    model.moves.append({999, QStringLiteral("1")});
    model.moves.append({2020, QStringLiteral("+")});
    model.moves.append({0, QStringLiteral("2")});
    model.moves.append({1604, QStringLiteral("1")});
    rebuildPosition(model, 4, QString());
    EXPECT_EQ(kinds(model.moves), QStringList{"1604:1"});
    EXPECT_EQ(model.board.cell(16, 4), Board::Black);
}

TEST_F(PlayRules, PlaysThatWouldOverflowARecordFileAreRefused) {
    BoardModel model = positionFrom({
        "O....",
        "X....",
    });
    for (int i = 0; i < MoveList::recordableEntries - 1; ++i)
        model.moves.append({pauseMarkerCode, QStringLiteral("9")});
    model.play.lastMover = white;

    // Black at (2, 1) would write its stone and a removal: one entry too many.
    const QString before = boardDiagram(model.board);
    EXPECT_EQ(playStone(model, {2, 1}).result, PlayResult::MoveListFull);
    EXPECT_EQ(boardDiagram(model.board), before);
    EXPECT_EQ(model.moves.length(), MoveList::recordableEntries - 1);
    EXPECT_EQ(model.play.lastMover, white);

    // A quiet stone still fits; after it nothing more does.
    EXPECT_EQ(playStone(model, {10, 10}).result, PlayResult::Played);
    EXPECT_EQ(model.moves.length(), MoveList::recordableEntries);
    EXPECT_EQ(playStone(model, {12, 10}).result, PlayResult::MoveListFull);
    EXPECT_EQ(addPauseMarker(model), PlayResult::MoveListFull);
    EXPECT_EQ(model.moves.length(), MoveList::recordableEntries);
    EXPECT_EQ(model.board.cell(12, 10), Board::Empty);
}

} // namespace
} // namespace vorleth
