#include "counting/countresult.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

TEST(CountResult, CountTextLines) {
    // Black: 60 territory + 4 prisoners + 3 dead white stones; White: 50 + 2 + 4 dead black.
    const CountCounters counters{60, 50, 8, 6};
    const CountResult r = computeResult(counters, 2, 4, QStringLiteral("6.5"));
    EXPECT_EQ(r.blackTotal, 70);
    EXPECT_EQ(r.whiteTotal, 60);
    EXPECT_EQ(r.difference, 3.5);
    const QStringList expected = {
        QStringLiteral("最終譜の白地=50＋途中の上蛤=2"),
        QStringLiteral("          ＋最終譜の上蛤X2=8"),
        QStringLiteral("最終譜の黒地=60＋途中の上蛤=4"),
        QStringLiteral("          ＋最終譜の上蛤X2=6"),
        QStringLiteral("コミ\u30006.5"),
        QStringLiteral("白地\u300060\u3000黒地\u300070\u3000差 3.5"),
        QStringLiteral("黒3目半勝"),
    };
    EXPECT_EQ(r.lines, expected);
    EXPECT_EQ(r.result, expected.last());
    EXPECT_EQ(r.countText(), expected.join(QStringLiteral("\r\n")));
}

TEST(CountResult, DifferenceAndResult) {
    const struct {
        int blackTerritory;
        int whiteTerritory;
        const char* komi;
        const char* differenceLine; // line 6
        const char* result;
    } cases[] = {
        {70, 60, "6.5", "白地\u300060\u3000黒地\u300070\u3000差 3.5", "黒3目半勝"},
        {48, 60, "0", "白地\u300060\u3000黒地\u300048\u3000差 -12", "白12目勝"},
        {55, 55, "0", "白地\u300055\u3000黒地\u300055\u3000差 0", "持碁"},
        {61, 60, "0.5", "白地\u300060\u3000黒地\u300061\u3000差 0.5", "黒0目半勝"},
        {60, 61, "-0.5", "白地\u300061\u3000黒地\u300060\u3000差 -0.5", "白0目半勝"},
        {60, 50, "5.5目", "白地\u300050\u3000黒地\u300060\u3000差 4.5", "黒4目半勝"},
        {60, 70, "6.5", "白地\u300070\u3000黒地\u300060\u3000差 -16.5", "白16目半勝"},
        {60, 50, "", "白地\u300050\u3000黒地\u300060\u3000差 10", "黒10目勝"},
        {60, 60, "なし", "白地\u300060\u3000黒地\u300060\u3000差 0", "持碁"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.komi);
        const CountResult r = computeResult(CountCounters{c.blackTerritory, c.whiteTerritory, 0, 0},
                                            0, 0, QString::fromUtf8(c.komi));
        ASSERT_EQ(r.lines.size(), 7);
        EXPECT_EQ(r.lines.at(4), QStringLiteral("コミ\u3000") + QString::fromUtf8(c.komi));
        EXPECT_EQ(r.lines.at(5), QString::fromUtf8(c.differenceLine));
        EXPECT_EQ(r.result, QString::fromUtf8(c.result));
        EXPECT_EQ(r.lines.at(6), r.result);
    }
}

TEST(CountResult, KomiIsTheNumberTheTextBeginsWith) {
    const struct {
        const char* text;
        double komi;
    } cases[] = {
        {"6.5", 6.5}, {"0", 0},       {" 5.5 ", 5.5}, {"-3", -3},    {"+7", 7},
        {".5", 0.5},  {"6目半", 6},   {"7.", 7},      {"", 0},       {"-", 0},
        {".", 0},     {"コミ6.5", 0}, {"1e3", 1},     {"６．５", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(komiValue(QString::fromUtf8(c.text)), c.komi);
    }
}

} // namespace
} // namespace vorleth
