// The group re-evaluation kept for the counting comparison still does what it did in the
// program: the comparison's figures mean nothing if its variants drift.
#include "countingvariants.h"

#include "support/countdiagram.h"

#include <gtest/gtest.h>

namespace vorleth::bench {
namespace {

using test::diagram;
using test::positionOf;

struct VariantCase {
    const char* name;
    VariantOptions options;
    const char* count; // the expected marks; the position is its stones
    CountCounters counters;
};

const VariantCase variantCases[] = {
    {"the fixed-point re-evaluation kills the eyeless group through (18, 6)",
     {GroupReevaluation::FixedPoints, true},
     R"(
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
XXXXXXXXXoooooooooo
)",
     {0, 0, 0, 380}},
    {"re-evaluating every group kills the one with a three-point eye",
     {GroupReevaluation::EveryGroup, true},
     R"(
wwwxOOwwwwwwwwwwwww
xxxxOOwwwwwwwwwwwww
OOOOOOwwwwwwwwwwwww
OOOOOOwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
wwwwwwwwwwwwwwwwwww
)",
     {0, 340, 10, 0}},
};

TEST(CountingVariants, GroupReevaluationCountsAsDiagrammed) {
    for (const VariantCase& c : variantCases) {
        SCOPED_TRACE(c.name);
        const QString expected = diagram(c.count);
        const CountOutcome outcome = countWithVariant(positionOf(expected), c.options);
        EXPECT_EQ(countDiagram(outcome.grid).toStdString(), expected.toStdString());
        EXPECT_EQ(outcome.counters, c.counters);
    }
}

// With the re-evaluation off, the variant count is the program's own.
TEST(CountingVariants, WithoutReevaluationItIsTheProgramsCount) {
    const Board board = positionOf(diagram(variantCases[0].count));
    EXPECT_EQ(countDiagram(countWithVariant(board, {}).grid),
              countDiagram(countPosition(board).grid));
}

} // namespace
} // namespace vorleth::bench
