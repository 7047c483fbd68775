#include "counting/estimate.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

QString diagram(const char* text) {
    QString d = QString::fromUtf8(text);
    if (d.startsWith(u'\n'))
        d.remove(0, 1);
    return d;
}

// The final position a count diagram was made from: its live and dead stones.
Board positionOf(const QString& count) {
    QString stones = count;
    for (QChar& c : stones) {
        if (c == u'x')
            c = u'X';
        else if (c == u'o')
            c = u'O';
    }
    return parseBoardDiagram(stones);
}

struct EstimateCase {
    const char* name;
    const char* count; // the expected marks; the position is its stones
};

const EstimateCase estimateCases[] = {
    {"a lone stone inside walls is dead",
     R"(
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbobbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)"},
    {"walls with a row of open neutral points between them",
     R"(
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
bbbbbbbX.Owwwwwwwww
)"},
    {"a seki in the corner counts for nobody",
     R"(
sXsOsOXXXOOwwwwwwww
XXXOOOXXXOOwwwwwwww
OOOOXXXXXOOwwwwwwww
XXXXXbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)"},
    {"a group with one eye of two points is dead",
     R"(
obbobbbXXOOwwwwwwww
ooooXbbXXOOwwwwwwww
XXXXXbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)"},
    {"a stone left in atari in a ko is taken",
     R"(
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXo.Owwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
bbbbbbbXXOOwwwwwwww
)"},
};

class EstimateCaseTest : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(EstimateCaseTest, MarksAndCounters) {
    const QString expected = diagram(GetParam().count);
    const CountOutcome outcome = estimatePosition(positionOf(expected));
    EXPECT_EQ(countDiagram(outcome.grid).toStdString(), expected.toStdString());
    EXPECT_EQ(outcome.counters, countersOf(parseCountDiagram(expected)));
}

INSTANTIATE_TEST_SUITE_P(Positions, EstimateCaseTest, ::testing::ValuesIn(estimateCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

} // namespace
} // namespace vorleth
