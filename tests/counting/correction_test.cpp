#include "counting/correction.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using Kind = RedrawStep::Kind;

RedrawStep draw(Point p, CountMark mark) {
    return {Kind::Draw, p, mark};
}
RedrawStep clear(Point p) {
    return {Kind::Clear, p, CountMark::None};
}

// Rows 1..4 of a count; the rest of the board is unassigned.
const QString grid = QStringLiteral("bbX.Ow\n"
                                    "bXXOww\n"
                                    "XX.Oww\n"
                                    "ssOOoo\n");

TEST(Correction, RemarksTheWholeConnectedArea) {
    const struct {
        const char* name;
        Point clicked;
        CountMark chosen;
        const char* after;
        CountCounters counters;
        QVector<RedrawStep> redraw;
    } cases[] = {
        {"a black chain becomes 白の上蛤",
         {3, 1},
         CountMark::DeadBlack,
         "bbx.Ow\nbxxOww\nxx.Oww\nssOOoo\n",
         {3, 5, 10, 4},
         {draw({3, 1}, CountMark::DeadBlack), draw({3, 2}, CountMark::DeadBlack),
          draw({2, 2}, CountMark::DeadBlack), draw({2, 3}, CountMark::DeadBlack),
          draw({1, 3}, CountMark::DeadBlack)}},
        {"black territory becomes seki",
         {2, 1},
         CountMark::Seki,
         "ssX.Ow\nsXXOww\nXX.Oww\nssOOoo\n",
         {0, 5, 0, 4},
         {draw({2, 1}, CountMark::Seki), draw({1, 1}, CountMark::Seki),
          draw({1, 2}, CountMark::Seki)}},
        {"seki points are cleared before they are drawn again",
         {2, 4},
         CountMark::WhiteTerritory,
         "bbX.Ow\nbXXOww\nXX.Oww\nwwOOoo\n",
         {3, 7, 0, 4},
         {clear({2, 4}), draw({2, 4}, CountMark::WhiteTerritory), clear({1, 4}),
          draw({1, 4}, CountMark::WhiteTerritory)}},
        {"stones turned into territory are cleared first",
         {1, 3},
         CountMark::BlackTerritory,
         "bbb.Ow\nbbbOww\nbb.Oww\nssOOoo\n",
         {8, 5, 0, 4},
         {clear({1, 3}), draw({1, 3}, CountMark::BlackTerritory), clear({2, 3}),
          draw({2, 3}, CountMark::BlackTerritory), clear({2, 2}),
          draw({2, 2}, CountMark::BlackTerritory), clear({3, 2}),
          draw({3, 2}, CountMark::BlackTerritory), clear({3, 1}),
          draw({3, 1}, CountMark::BlackTerritory)}},
        {"dead white stones come back to life",
         {6, 4},
         CountMark::WhiteStone,
         "bbX.Ow\nbXXOww\nXX.Oww\nssOOOO\n",
         {3, 5, 0, 0},
         {draw({6, 4}, CountMark::WhiteStone), draw({5, 4}, CountMark::WhiteStone)}},
        {"a point the count left to nobody becomes black territory",
         {4, 1},
         CountMark::BlackTerritory,
         "bbXbOw\nbXXOww\nXX.Oww\nssOOoo\n",
         {4, 5, 0, 4},
         {draw({4, 1}, CountMark::BlackTerritory)}},
        {"white territory made neutral is cleared",
         {6, 1},
         CountMark::None,
         "bbX.O.\nbXXO..\nXX.O..\nssOOoo\n",
         {3, 0, 0, 4},
         {clear({6, 1}), draw({6, 1}, CountMark::None), clear({6, 2}),
          draw({6, 2}, CountMark::None), clear({5, 2}), draw({5, 2}, CountMark::None),
          clear({6, 3}), draw({6, 3}, CountMark::None), clear({5, 3}),
          draw({5, 3}, CountMark::None)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CountGrid g = parseCountDiagram(grid);
        CountCounters counters = countersOf(g);
        ASSERT_EQ(counters, (CountCounters{3, 5, 0, 4}));
        const CountMark clickedMark = g.at(c.clicked);
        const Correction done = applyCorrection(g, counters, c.clicked, clickedMark, c.chosen);
        EXPECT_EQ(countDiagram(g), countDiagram(parseCountDiagram(QString::fromUtf8(c.after))));
        EXPECT_EQ(counters, c.counters);
        EXPECT_EQ(counters, countersOf(g));
        EXPECT_EQ(done.redraw, c.redraw);
        EXPECT_EQ(done.before, clickedMark);
        EXPECT_EQ(done.after, c.chosen);

        // Reverting puts back marks and counters, redrawing the same points.
        const QVector<RedrawStep> back = revertCorrection(g, counters, done);
        EXPECT_EQ(g, parseCountDiagram(grid));
        EXPECT_EQ(counters, (CountCounters{3, 5, 0, 4}));
        QVector<Point> redrawn;
        for (const RedrawStep& s : back) {
            if (s.kind == Kind::Draw) {
                redrawn.append(s.point);
                EXPECT_EQ(s.mark, clickedMark);
            }
        }
        EXPECT_EQ(redrawn, done.region);
    }
}

class Session : public ::testing::Test {
protected:
    CountingSession session;

    // Black's corner, White's side, a dead white pair in Black's area and prisoners taken
    // during the game: 2 by White, 4 by Black.
    void SetUp() override {
        const Board board = parseBoardDiagram(QStringLiteral("..O.XXOO\n"
                                                             "....XXOO\n"
                                                             "....XXOO\n"
                                                             "XXXXXXOO\n"
                                                             "XXXXXXOO\n"
                                                             "OOOOOOOO\n"
                                                             "OOOOOOOO\n"));
        session.start(board, 2, 4, QStringLiteral("6.5"));
    }
};

TEST_F(Session, CountsTheFinalPosition) {
    EXPECT_TRUE(countDiagram(session.grid())
                    .startsWith(QStringLiteral("bbobXXOOwwwwwwwwwww\n"
                                               "bbbbXXOOwwwwwwwwwww\n"
                                               "bbbbXXOOwwwwwwwwwww\n"
                                               "XXXXXXOOwwwwwwwwwww\n")))
        << countDiagram(session.grid()).toStdString();
    EXPECT_EQ(session.result().blackTotal, 11 + 4 + 2);
    EXPECT_EQ(session.result().whiteTotal, session.counters().whiteTerritoryCount + 2);
}

TEST_F(Session, ClicksThatCorrectNothing) {
    session.leftButtonDown(std::nullopt); // off the board
    EXPECT_EQ(session.leftButtonUp().action, CountingSession::Release::Action::Nothing);

    // Right button with no correction made yet.
    const CountGrid before = session.grid();
    EXPECT_TRUE(session.undo().isEmpty());
    EXPECT_EQ(session.grid(), before);

    // The palette left with 戻る: nothing changes when the screen is active again.
    session.leftButtonDown(Point{1, 1});
    const CountingSession::Release release = session.leftButtonUp();
    EXPECT_EQ(release.action, CountingSession::Release::Action::OpenPalette);
    EXPECT_EQ(release.currentMarkName, QStringLiteral("黒地"));
    session.pickMark(CountMark::Seki);
    session.leavePalette();
    EXPECT_FALSE(session.correctionPending());
    EXPECT_TRUE(session.activated().isEmpty());
    EXPECT_EQ(session.grid(), before);
}

// The count cannot decide a point both sides reach equally; the user can.
TEST_F(Session, UnassignedPointsAreCorrectedLikeAnyOther) {
    CountingSession hole;
    // Black on the left, White on the right, one point between them that each side touches
    // twice.
    QStringList rows;
    for (int row = 1; row <= 19; ++row)
        rows << (row < 10    ? QStringLiteral("XXXXXXXXXXOOOOOOOOO")
                 : row == 10 ? QStringLiteral("XXXXXXXXX.OOOOOOOOO")
                             : QStringLiteral("XXXXXXXXXOOOOOOOOOO"));
    hole.start(parseBoardDiagram(rows.join(u'\n')), 0, 0, QStringLiteral("0"));
    ASSERT_EQ(hole.grid().at(10, 10), CountMark::None);
    ASSERT_EQ(hole.result().result, QStringLiteral("持碁"));

    hole.leftButtonDown(Point{10, 10});
    const CountingSession::Release release = hole.leftButtonUp();
    ASSERT_EQ(release.action, CountingSession::Release::Action::OpenPalette);
    EXPECT_EQ(release.currentMarkName, QStringLiteral("堰・ダメ"));
    hole.pickMark(CountMark::WhiteTerritory);
    EXPECT_EQ(hole.activated(), (QVector<RedrawStep>{draw({10, 10}, CountMark::WhiteTerritory)}));
    EXPECT_EQ(hole.counters().whiteTerritoryCount, 1);
    EXPECT_EQ(hole.result().result, QStringLiteral("白1目勝"));

    // Undone, the point is neutral again and its square goes.
    EXPECT_EQ(hole.undo(), (QVector<RedrawStep>{clear({10, 10}), draw({10, 10}, CountMark::None)}));
    EXPECT_EQ(hole.grid().at(10, 10), CountMark::None);
    EXPECT_EQ(hole.result().result, QStringLiteral("持碁"));
}

TEST_F(Session, CorrectionAndItsSingleUndo) {
    const CountResult counted = session.result();
    const CountGrid countedGrid = session.grid();

    // The dead white stone was alive after all: Black loses the 2 it counted.
    session.leftButtonDown(Point{3, 1});
    const CountingSession::Release release = session.leftButtonUp();
    ASSERT_EQ(release.action, CountingSession::Release::Action::OpenPalette);
    EXPECT_EQ(release.currentMarkName, QStringLiteral("黒の上蛤"));
    session.pickMark(CountMark::WhiteStone);
    EXPECT_TRUE(session.correctionPending());
    EXPECT_EQ(session.activated(), (QVector<RedrawStep>{draw({3, 1}, CountMark::WhiteStone)}));
    EXPECT_FALSE(session.correctionPending());
    EXPECT_FALSE(session.clickedPoint().has_value());
    EXPECT_EQ(session.grid().at(3, 1), CountMark::WhiteStone);
    EXPECT_EQ(session.result().blackTotal, counted.blackTotal - 2);
    EXPECT_EQ(session.result().difference, counted.difference - 2);
    EXPECT_EQ(session.result().lines.at(3), QStringLiteral("          ＋最終譜の上蛤X2=0"));

    // A second activation without a new pick changes nothing.
    EXPECT_TRUE(session.activated().isEmpty());

    // Right click: back to the count, once.
    EXPECT_EQ(session.undo(), (QVector<RedrawStep>{draw({3, 1}, CountMark::DeadWhite)}));
    EXPECT_EQ(session.grid(), countedGrid);
    EXPECT_EQ(session.result().lines, counted.lines);
    EXPECT_TRUE(session.undo().isEmpty());
    EXPECT_EQ(session.grid(), countedGrid);
}

TEST_F(Session, PendingCorrectionAppliesOnRelease) {
    session.leftButtonDown(Point{1, 1});
    ASSERT_EQ(session.leftButtonUp().action, CountingSession::Release::Action::OpenPalette);
    session.pickMark(CountMark::WhiteTerritory);
    // The screen was not re-activated; the next release on the board applies the pick.
    session.leftButtonDown(Point{2, 2});
    const CountingSession::Release release = session.leftButtonUp();
    EXPECT_EQ(release.action, CountingSession::Release::Action::Corrected);
    EXPECT_EQ(release.redraw.size(), 11); // Black's whole corner area, dead stone excluded
    EXPECT_EQ(session.counters().blackTerritoryCount, 0);
    EXPECT_EQ(session.grid().at(1, 1), CountMark::WhiteTerritory);
    EXPECT_EQ(session.grid().at(3, 1), CountMark::DeadWhite);
}

} // namespace
} // namespace vorleth
