#include "import/sgfimport.h"
#include "support/ko.h"
#include "support/printers.h"

#include "board/playrules.h"
#include "store/resulttext.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

TEST(ComposeResult, MarginWords) {
    const struct {
        const char* r;
        const char* text;
        const char* expected;
    } cases[] = {
        {"白勝", "6.5", "白6目半勝"}, {"白勝", "0.5", "白半目勝"},
        {"白勝", "3.0", "白3目勝"},   {"白勝", "0", "白0目勝"},
        {"白勝", "", "白勝"},         {"黒勝", " 12.5目", "黒12目半勝"},
        {"黒勝", "7", "黒7目勝"},     {"黒勝", "abc", "黒勝"},
        {"黒勝", "-0", "黒0目勝"},    {"黒勝", "1.75", "黒1目半勝"},
        {"黒", "2.", "黒2目勝"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.r) + " / " + c.text);
        EXPECT_EQ(composeResult(QString::fromUtf8(c.r), QString::fromUtf8(c.text)),
                  QString::fromUtf8(c.expected));
    }
}

TEST(SgfResult, ProgramWords) {
    const struct {
        const char* re;
        const char* expected;
    } cases[] = {
        {"B+R", "黒中押勝"},
        {"B+Resign", "黒中押勝"},
        {"W+R", "白中押勝"},
        {"w+resign", "白中押勝"},
        {" B+R ", "黒中押勝"},
        {"W+6.5", "白6目半勝"},
        {"B+0.5", "黒半目勝"},
        {"B+12", "黒12目勝"},
        {"B+3.5", "黒3目半勝"},
        {"W+R (130 moves)", "白中押勝"},
        {"B+2.5 (251 moves)", "黒2目半勝"},
        {"W+3.0", "白3目勝"},
        {"B+", "黒勝"},
        {"w+", "白勝"},
        {"0", "持碁"},
        {"Draw", "持碁"},
        {"Jigo", "持碁"},
        {"Void", "打掛"},
        {"void", "打掛"},
        // As older collections and other programs write them.
        {"W+J", "持碁"},
        {"W+Jigo", "持碁"},
        {"b+jigo", "持碁"},
        {"B+R.", "黒中押勝"},
        {"W+6.5.", "白6目半勝"},
        {"White wins by resignation", "白中押勝"},
        {"Black wins by 3.5 points", "黒3目半勝"},
        {"black wins by 1 point.", "黒1目勝"},
        // No words of the program for these: kept as the file writes them.
        {"W+T", "W+T"},
        {"B+Forfeit", "B+Forfeit"},
        {"B+3.25", "B+3.25"},
        {"B+R199", "B+R199"},
        {"White wins by half a point", "White wins by half a point"},
        {"B+7.5?", "B+7.5?"},
        {"W+J5", "W+J5"},
        {"?", "?"},
        {"W+6.5pts", "W+6.5pts"},
        {"白中押勝", "白中押勝"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.re);
        EXPECT_EQ(resultFromSgf(QString::fromUtf8(c.re)), QString::fromUtf8(c.expected));
    }
}

Result<SgfImport> importText(const QString& sgf) {
    return importSgfData(sgf.toUtf8(), QStringLiteral("file"));
}

TEST(SgfImport, GameNamesHandicapsAndRejections) {
    const struct {
        const char* name;
        const char* sgf;
        const char* expected; // the game name, or the error when it starts with "!"
        int handicap = 0;     // the stones the board places for that name
    } cases[] = {
        {"HA and AB of two", "(;GN[練習]HA[2]AB[pp][dd];W[pd])", "２子練習", 2},
        {"AB without HA", "(;GN[練習]AB[dd][pp];W[pd])", "２子練習", 2},
        {"five with the centre", "(;GN[g]AB[pp][dd][dp][pd][jj];W[qc])", "５子g", 5},
        {"eight of the table", "(;GN[g]AB[pp:pp][dd][dp][pd][dj][pj][jj][jp];W[qc])", "８子g", 8},
        {"nine", "(;GN[g]HA[9]AB[dd][jd][pd][dj][jj][pj][dp][jp][pp];W[qc])", "９子g", 9},
        {"name already carries the handicap", "(;GN[二子局]AB[pp][dd];W[qc])", "二子局", 2},
        {"name carries another handicap", "(;GN[三子局]AB[pp][dd];W[qc])", "２子三子局", 2},
        {"even game named like a handicap", "(;GN[二子の研究];B[pd])", "互先二子の研究"},
        {"event when there is no game name", "(;EV[名人戦]PW[a];B[pd])", "名人戦"},
        {"file name when there is neither", "(;PW[a];B[pd])", "file"},
        {"full-width brackets", "(;GN[本因坊戦（第3局）];B[pd])", "本因坊戦(第3局)"},
        {"HA of one", "(;GN[g]HA[1];B[pd])", "g"},
        {"one stone", "(;AB[jj];W[pd])", "!1 black setup stone(s) (AB) are not a handicap"},
        {"ten stones", "(;AB[dd][jd][pd][dj][jj][pj][dp][jp][pp][aa];W[qc])",
         "!10 black setup stone(s)"},
        {"usual two stones, turned", "(;GN[g]HA[2]AB[pd][dp];W[qc])", "２子g", 2},
        {"usual three stones, turned", "(;GN[g]AB[pd][dp][pp];W[qc])", "３子g", 3},
        {"six on the top and bottom sides, turned", "(;GN[g]AB[dd][pd][dp][pp][jd][jp];W[qc])",
         "６子g", 6},
        {"usual eight, off the table", "(;AB[dd][jd][pd][dj][pj][dp][jp][pp];W[qc])",
         "!the 8 handicap stones (AB) are not on the standard points"},
        {"free placement", "(;HA[2]AB[dd][pq];W[qc])", "!the 2 handicap stones (AB) are not on"},
        {"white set-up stones: a problem", "(;AB[dd][pp]AW[jj];B[qc])", "詰め碁file"},
        {"a problem by its name", "(;GN[定石 小目]AB[dd][pp];W[qc])", "定石 小目"},
        {"a point of both colours", "(;AB[dd]AW[dd];B[qc])",
         "!a set-up point (dd) given to both colours"},
        {"erased points", "(;AE[jj];B[qc])", "!setup stones other than a handicap (AE)"},
        {"setup during the game", "(;B[aa];AB[pp][dd])", "!setup stones (AB/AW/AE) after move 1"},
        {"HA disagreeing with AB", "(;HA[3]AB[pp][dd];W[qc])",
         "!handicap HA[3] does not match the 2"},
        {"HA without stones", "(;HA[2];W[pd])", "!handicap HA[2] without its stones (AB)"},
        {"small board", "(;SZ[13];B[dd])", "!board size 13 x 13"},
        {"occupied point", "(;B[aa];W[bb];B[aa])", "!move 3 (B[aa]) on an occupied point"},
        {"move on a handicap stone", "(;AB[pp][dd];W[pp])", "!move 1 (W[pp]) on an occupied point"},
        {"not SGF", "hello", "!not an SGF file (no game tree found)"},
        {"syntax error", "(;B[aa]", "!SGF error: game tree not closed"},
        {"other game", "(;GM[3])", "!not a game of Go (GM[3])"},
        {"no stone in the main line", "(;GN[g];B[]\n(;W[tt])(;W[pd]))",
         "!no moves in the main line"},
        {"stray text", "for (;;) {}", "!no moves in the main line"},
        {"one bad game rejects the collection", "(;GN[a];B[pd])(;SZ[9];B[aa])",
         "!game 2: board size 9 x 9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<SgfImport> import = importText(QString::fromUtf8(c.sgf));
        const QString expected = QString::fromUtf8(c.expected);
        if (expected.startsWith(u'!')) {
            EXPECT_TRUE(import.error().startsWith(expected.mid(1))) << import.error().toStdString();
            EXPECT_TRUE(import.games.isEmpty());
        } else {
            ASSERT_TRUE(import.ok) << import.error().toStdString();
            ASSERT_EQ(import.games.size(), 1);
            EXPECT_EQ(import.games.first().game.gameName, expected);
            EXPECT_EQ(handicapCount(import.games.first().game.gameName), c.handicap);
        }
    }
}

TEST(SgfImport, PlaysTheColoursTheFileGives) {
    // White's corner stone is captured by two black moves in a row (white passed).
    const Result<SgfImport> import = importText(
        QStringLiteral("(;GN[g]PW[白]PB[黒]KM[6.5]RE[B+R];W[aa];B[ba];W[];B[ab](;W[cc])(;W[dd]))"));
    ASSERT_TRUE(import.ok) << import.error().toStdString();
    const ImportedGame& game = import.games.first();
    EXPECT_EQ(game.game.whitePlayer, QStringLiteral("白"));
    EXPECT_EQ(game.game.blackPlayer, QStringLiteral("黒"));
    EXPECT_EQ(game.game.komi, QStringLiteral("6.5"));
    EXPECT_EQ(game.game.result, QStringLiteral("黒中押勝"));
    EXPECT_EQ(game.moveCount, 4);
    MoveList expected;
    for (const MoveEntry& e : {MoveEntry{101, white}, MoveEntry{201, black}, MoveEntry{102, black},
                               MoveEntry{101, QStringLiteral("+")}, MoveEntry{303, white}})
        expected.append(e);
    EXPECT_EQ(game.moves, expected);
}

// A problem's set-up becomes the record's first entries and the pause marker after them, as the
// board's problem mode records it; the moves follow in their own colours.
TEST(SgfImport, AProblemsSetUpStonesComeBeforeItsPauseMarker) {
    const Result<SgfImport> import =
        importText(QStringLiteral("(;GN[詰め碁 1]AB[aa][ba]AW[ca][ab]PL[B];B[bb];W[cc])"));
    ASSERT_TRUE(import.ok) << import.error().toStdString();
    const ImportedGame& game = import.games.first();
    EXPECT_EQ(game.game.gameName, QStringLiteral("詰め碁 1"));
    EXPECT_EQ(game.setUpStones, 4);
    EXPECT_TRUE(import.warnings.isEmpty()) << import.warnings.join(u'\n').toStdString();
    MoveList expected;
    for (const MoveEntry& e :
         {MoveEntry{101, black}, MoveEntry{201, black}, MoveEntry{301, white},
          MoveEntry{102, white}, MoveEntry{pauseMarkerCode, QStringLiteral("9")},
          MoveEntry{202, black}, MoveEntry{303, white}})
        expected.append(e);
    EXPECT_EQ(game.moves, expected);

    // Without a problem's name the record gets one, so that replay and export know it.
    const Result<SgfImport> unnamed = importText(QStringLiteral("(;AW[dd];B[pd])"));
    ASSERT_TRUE(unnamed.ok) << unnamed.error().toStdString();
    EXPECT_EQ(unnamed.games.first().game.gameName, QStringLiteral("詰め碁file"));
    EXPECT_EQ(unnamed.warnings, QStringList{QStringLiteral(
                                    "set-up stones (AB/AW) kept as a problem named 詰め碁file")});
}

TEST(SgfImport, HandicapStonesAreNotEntries) {
    const Result<SgfImport> import =
        importText(QStringLiteral("(;HA[4]AB[dd][pd][dp][pp];W[qc];B[qd])"));
    ASSERT_TRUE(import.ok) << import.error().toStdString();
    const ImportedGame& game = import.games.first();
    EXPECT_EQ(game.game.gameName, QStringLiteral("４子file"));
    ASSERT_EQ(game.moves.length(), 2);
    EXPECT_EQ(game.moves.entry(1), (MoveEntry{1703, white}));
}

TEST(SgfImport, AHandicapOnAnotherLayoutTurnsTheWholeGame) {
    const struct {
        const char* name;
        const char* sgf;
        BoardSymmetry turned;
        QVector<PointCode> points; // of the move list's entries
        const char* warning;       // empty: none
    } cases[] = {
        {"program's own points",
         "(;AB[pp][dd];W[qc];B[qd])",
         BoardSymmetry::Identity,
         {1703, 1704},
         ""},
        {"other diagonal",
         "(;AB[pd][dp];W[qc];B[qd])",
         BoardSymmetry::QuarterTurnRight,
         {1717, 1617},
         "board turned a quarter to the right so that the 2 handicap stones"},
        {"bottom left open",
         "(;AB[dd][pd][pp];W[qc];B[qd])",
         BoardSymmetry::HalfTurn,
         {317, 316},
         "board turned halfway round so that the 3 handicap stones"},
        // White's stone on the first line is captured where the turned game puts it.
        {"capture on the turned board",
         "(;AB[pd][dp];W[sa];B[ra];W[];B[sb])",
         BoardSymmetry::QuarterTurnRight,
         {1919, 1918, 1819, 1919},
         "board turned"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<SgfImport> import = importText(QString::fromUtf8(c.sgf));
        ASSERT_TRUE(import.ok) << import.error().toStdString();
        const ImportedGame& game = import.games.first();
        EXPECT_EQ(symmetryDescription(game.turned), symmetryDescription(c.turned));
        QVector<PointCode> points;
        for (const MoveEntry& e : game.moves.entries())
            points << e.point;
        EXPECT_EQ(points, c.points);
        const QString warnings = import.warnings.join(u'|');
        if (*c.warning) {
            EXPECT_TRUE(warnings.startsWith(QString::fromUtf8(c.warning)))
                << warnings.toStdString();
        } else {
            EXPECT_TRUE(warnings.isEmpty()) << warnings.toStdString();
        }
    }
}

TEST(SgfImport, RefusalsOfATurnedGameNameThePointsAsTheFileWritesThem) {
    const Result<SgfImport> import = importText(QStringLiteral("(;AB[pd][dp];W[qc];B[qc])"));
    EXPECT_EQ(import.error(), QStringLiteral("move 2 (B[qc]) on an occupied point"));
}

TEST(SgfImport, AResultWithoutTheProgramsWordsIsKeptAndReported) {
    const struct {
        const char* re;
        const char* result;
        bool warned;
    } cases[] = {
        {"W+R", "白中押勝", false}, {"", "", false},      {"W+?", "W+?", true},
        {"Void", "打掛", false},    {"B+T", "B+T", true}, {"白中押勝", "白中押勝", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.re);
        const Result<SgfImport> import =
            importText(QStringLiteral("(;RE[%1];B[pd])").arg(QString::fromUtf8(c.re)));
        ASSERT_TRUE(import.ok) << import.error().toStdString();
        EXPECT_EQ(import.games.first().game.result, QString::fromUtf8(c.result));
        EXPECT_EQ(import.warnings, c.warned
                                       ? QStringList{QStringLiteral("result RE[%1] kept as written")
                                                         .arg(QString::fromUtf8(c.re))}
                                       : QStringList{});
    }
}

TEST(SgfImport, EveryGameOfACollection) {
    const Result<SgfImport> import =
        importText(QStringLiteral("(;GN[一];B[pd])\n(;PW[x];B[dd];W[pp])"));
    ASSERT_TRUE(import.ok) << import.error().toStdString();
    ASSERT_EQ(import.games.size(), 2);
    EXPECT_EQ(import.games.at(0).game.gameName, QStringLiteral("一"));
    EXPECT_EQ(import.games.at(0).moveCount, 1);
    EXPECT_EQ(import.games.at(1).game.gameName, QStringLiteral("file"));
    EXPECT_EQ(import.games.at(1).moveCount, 2);
}

TEST(SgfImport, RefusesMoreEntriesThanARecordHolds) {
    // The ko taken back and forth: every move captures, two entries each.
    QString sgf = u'(' + test::koSgfMoves();
    int entries = 7;
    int move = 7;
    while (entries <= MoveList::recordableEntries) {
        sgf += (move % 2 == 1) ? QStringLiteral(";B[cb]") : QStringLiteral(";W[bb]");
        entries += 2;
        ++move;
    }
    sgf += u')';
    const Result<SgfImport> refused = importText(sgf);
    EXPECT_TRUE(refused.error().startsWith(QStringLiteral("move %1 ").arg(move)))
        << refused.error().toStdString();
    EXPECT_TRUE(refused.error().endsWith(moveListFullMessage())) << refused.error().toStdString();
    EXPECT_TRUE(refused.games.isEmpty());

    sgf.chop(sgf.size() - sgf.lastIndexOf(u';'));
    sgf += u')';
    const Result<SgfImport> fits = importText(sgf);
    ASSERT_TRUE(fits.ok) << fits.error().toStdString();
    EXPECT_EQ(fits.games.first().moves.length(), entries - 2);
}

} // namespace
} // namespace vorleth
