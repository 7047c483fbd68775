#include "search/gamescan.h"
#include "search/pattern.h"
#include "search/searchindex.h"
#include "search/searchlibrary.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::matchedMoves;
using test::patternFile;

SearchPattern turned(const SearchPattern& pattern, BoardSymmetry symmetry) {
    SearchPattern t;
    for (int i = 0; i < boardPointCount; ++i)
        t.set(applySymmetry(symmetry, pointOfIndex(i)), pattern.points[i]);
    return t;
}

SearchPattern coloursExchanged(SearchPattern pattern) {
    for (PatternContent& c : pattern.points) {
        if (c == PatternContent::Black)
            c = PatternContent::White;
        else if (c == PatternContent::White)
            c = PatternContent::Black;
    }
    return pattern;
}

class SearchTest : public ::testing::Test {
protected:
    SearchResults search(const SearchPattern& pattern, bool swap = false) {
        SearchIndex index(library.directory());
        EXPECT_TRUE(index.update());
        return index.search(pattern, swap);
    }
    test::SearchLibrary library;
};

// Black's answer to the approach in the top right corner, checked on the boards of the games:
// Hon725 shows the shape at move 8 as the pattern has it, 28thHoninbo turned a quarter in the
// bottom right, the others in their own corners.
const QMap<QString, int> cornerGames{
    {QStringLiteral("11thMeijin1972/RinKaiho"), 8},
    {QStringLiteral("1stMeijin1962league/HashimotoShoji"), 8},
    {QStringLiteral("25thHoninbo1970/RinKaiho"), 8},
    {QStringLiteral("28thHoninbo/RinKaiho"), 8},
    {QStringLiteral("9thMeijin1970/RinKaiho"), 8},
    {QStringLiteral("Hon725/IshidaYoshio"), 8},
};
// The same shape with the colours exchanged: white's answer one move earlier.
const QMap<QString, int> exchangedCornerGames{
    {QStringLiteral("1stMeijin1962league/TakagawaShukaku"), 7},
    {QStringLiteral("Hon603/TakagawaShukaku"), 7},
};

TEST_F(SearchTest, WholePositionIsFoundWhereItStandsWithTheMovePlayedNext) {
    const SearchResults results = search(patternFile(QStringLiteral("position.txt")));
    EXPECT_EQ(matchedMoves(results),
              (QMap<QString, int>{{QStringLiteral("Hon455/HashimotoUtaro"), 30}}));
    ASSERT_EQ(results.hits.size(), 1);
    EXPECT_EQ(results.hits[0].match.nextPoint, (Point{13, 14}));
    EXPECT_TRUE(results.hits[0].match.nextBlack);
    EXPECT_EQ(results.searched, 30);
    EXPECT_EQ(results.unreadable, 0);
}

TEST_F(SearchTest, CornerPatternIsFoundUnderEverySymmetry) {
    const SearchPattern corner = patternFile(QStringLiteral("corner.txt"));
    for (const BoardSymmetry symmetry : boardSymmetries) {
        SCOPED_TRACE(symmetryDescription(symmetry).toStdString());
        const SearchResults results = search(turned(corner, symmetry));
        EXPECT_EQ(matchedMoves(results), cornerGames);
        // Every game answered at the same point; it is shown where the pattern was drawn.
        for (const SearchHit& hit : results.hits) {
            EXPECT_EQ(hit.match.nextPoint, applySymmetry(symmetry, {16, 3}));
            EXPECT_TRUE(hit.match.nextBlack);
        }
        // The whole position of a game turned finds that game at the same move.
        const SearchResults position =
            search(turned(patternFile(QStringLiteral("position.txt")), symmetry));
        EXPECT_EQ(matchedMoves(position),
                  (QMap<QString, int>{{QStringLiteral("Hon455/HashimotoUtaro"), 30}}));
    }
}

TEST_F(SearchTest, ColourExchangeFindsTheShapeWithTheOtherColours) {
    const SearchPattern corner = patternFile(QStringLiteral("corner.txt"));
    QMap<QString, int> both = cornerGames;
    both.insert(exchangedCornerGames);
    const SearchResults swapped = search(corner, true);
    EXPECT_EQ(matchedMoves(swapped), both);
    // In a game found with the colours exchanged, white played next: black in the pattern.
    for (const SearchHit& hit : swapped.hits) {
        EXPECT_EQ(hit.match.nextPoint, (Point{16, 3}));
        EXPECT_TRUE(hit.match.nextBlack);
    }
    EXPECT_EQ(matchedMoves(search(coloursExchanged(corner))), exchangedCornerGames);
}

TEST_F(SearchTest, PatternPlayedNowhereFindsNothing) {
    const SearchResults results = search(patternFile(QStringLiteral("nowhere.txt")), true);
    EXPECT_TRUE(results.hits.isEmpty());
    EXPECT_EQ(results.searched, 30);
}

TEST_F(SearchTest, HandicapStonesArePartOfThePosition) {
    const SearchResults afterFirstMove = search(patternFile(QStringLiteral("handicap.txt")));
    EXPECT_EQ(matchedMoves(afterFirstMove), (QMap<QString, int>{{QStringLiteral("四子局/乙"), 1}}));
    ASSERT_EQ(afterFirstMove.hits.size(), 1);
    EXPECT_EQ(afterFirstMove.hits[0].match.nextPoint, (Point{16, 3}));

    // The four stones alone are the position before white's first move.
    SearchPattern stones;
    stones.points.fill(PatternContent::Empty);
    for (const Point p : {Point{4, 4}, Point{16, 16}, Point{4, 16}, Point{16, 4}})
        stones.set(p, PatternContent::Black);
    const SearchResults before = search(stones);
    EXPECT_EQ(matchedMoves(before), (QMap<QString, int>{{QStringLiteral("四子局/乙"), 0}}));
    ASSERT_EQ(before.hits.size(), 1);
    EXPECT_EQ(before.hits[0].match.nextPoint, (Point{17, 3}));
    EXPECT_FALSE(before.hits[0].match.nextBlack);
}

TEST_F(SearchTest, EmptyBoardIsEveryEvenGameBeforeItsFirstMove) {
    SearchPattern empty;
    empty.points.fill(PatternContent::Empty);
    const SearchResults results = search(empty);
    EXPECT_EQ(results.hits.size(), 29); // all but the handicap game
    QMap<int, int> firstMoves;          // point code of black's first move -> games
    for (const SearchHit& hit : results.hits) {
        EXPECT_EQ(hit.match.moves, 0) << hit.fileName.toStdString();
        EXPECT_FALSE(hit.fileName.contains(QStringLiteral("四子局")));
        ASSERT_TRUE(hit.match.nextPoint.has_value());
        EXPECT_TRUE(hit.match.nextBlack);
        ++firstMoves[hit.match.nextPoint->code()];
    }
    // The first codes of the files: 16 games open at 1704, 12 at 1604, one at 1703.
    EXPECT_EQ(firstMoves, (QMap<int, int>{{1704, 16}, {1604, 12}, {1703, 1}}));
}

// A capture is seen only when it is complete: a stone and the removals after it are one step.
MoveList captureInTheCorner() {
    MoveList moves;
    for (const auto& [code, kind] : std::initializer_list<std::pair<int, const char*>>{
             {101, "2"}, {201, "1"}, {1010, "2"}, {102, "1"}, {101, "+"}, {9999, "9"}, {303, "2"}})
        moves.append({static_cast<PointCode>(code), QString::fromLatin1(kind)});
    return moves;
}

TEST(GameScanTest, PositionsAreTakenOnlyWhenTheirCapturesAreDone) {
    const std::vector<std::uint16_t> events = searchEvents(captureInTheCorner());
    const GameFootprint footprint = gameFootprint(events.data(), int(events.size()), 0);
    auto corner = [](PatternContent atOne) {
        SearchPattern p;
        p.set({1, 1}, atOne);
        p.set({2, 1}, PatternContent::Black);
        p.set({1, 2}, PatternContent::Black);
        return p;
    };
    struct Case {
        const char* name;
        SearchPattern pattern;
        std::optional<int> moves;
    };
    SearchPattern finalPosition;
    finalPosition.points.fill(PatternContent::Empty);
    finalPosition.set({2, 1}, PatternContent::Black);
    finalPosition.set({1, 2}, PatternContent::Black);
    finalPosition.set({10, 10}, PatternContent::White);
    const Case cases[] = {
        {"the capture done", corner(PatternContent::Empty), 4},
        {"the captured stone still there", corner(PatternContent::White), std::nullopt},
        {"the whole position after the capture", finalPosition, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto match = matchGame(SearchPlan(c.pattern, false), events.data(),
                                     int(events.size()), 0, footprint);
        EXPECT_EQ(match ? std::optional<int>(match->moves) : std::nullopt, c.moves);
        if (match) {
            EXPECT_EQ(match->nextPoint, (Point{3, 3})); // the marker between is no move
            EXPECT_FALSE(match->nextBlack);
        }
    }
}

TEST(PatternTest, TextThatIsNotAPatternIsRefused) {
    const QString row(19, u'.');
    const QString good = (row + u'\n').repeated(19);
    struct Case {
        const char* name;
        QString text;
        bool ok;
    };
    const Case cases[] = {
        {"nineteen rows", good, true},
        {"CR LF and blank lines after",
         QString(good).replace(QStringLiteral("\n"), QStringLiteral("\r\n")) +
             QStringLiteral("\r\n\n"),
         true},
        {"eighteen rows", (row + u'\n').repeated(18), false},
        {"a short row", QString(good).replace(0, 19, QString(18, u'.')), false},
        {"a letter of another kind", QString(good).replace(5, 1, QStringLiteral("x")), false},
        {"nothing", QString(), false},
    };
    for (const Case& c : cases) {
        const Result<SearchPattern> parsed = parsePattern(c.text);
        EXPECT_EQ(parsed.ok, c.ok) << c.name;
        EXPECT_EQ(parsed.error().isEmpty(), c.ok) << c.name;
    }
    const SearchPattern corner = patternFile(QStringLiteral("corner.txt"));
    const Result<SearchPattern> again = parsePattern(patternText(corner));
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.value(), corner);
}

TEST(PatternTest, RegionOfABoardKeepsItsEmptyPointsAndCaresForNothingElse) {
    const Board board = parseBoardDiagram(QStringLiteral("X.O\n.X.\n"));
    const SearchPattern region = regionPattern(board, {3, 2}, {2, 1});
    int cared = 0;
    for (const PatternContent c : region.points)
        cared += c != PatternContent::Any;
    EXPECT_EQ(cared, 4);
    EXPECT_EQ(region.at({2, 1}), PatternContent::Empty);
    EXPECT_EQ(region.at({3, 1}), PatternContent::White);
    EXPECT_EQ(region.at({2, 2}), PatternContent::Black);
    EXPECT_EQ(region.at({1, 1}), PatternContent::Any);
    EXPECT_TRUE(positionPattern(board).isWholeBoard());
    EXPECT_EQ(positionPattern(board).stoneCount(), 3);
}

} // namespace
} // namespace vorleth
