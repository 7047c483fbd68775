#include "support/roaddriver.h"

#include <gtest/gtest.h>

namespace vorleth {
namespace {

// A few hundred actions of a user who does anything in any order; bench/random_roads runs the
// same for as long as one likes.
TEST(RandomRoads, NoSequenceOfActionsLosesAGameOrChangesARecordUnasked) {
    const QStringList sgfFiles = {
        QStringLiteral(VORLETH_TEST_DATA "/import/ko-game.sgf"),
        QStringLiteral(VORLETH_TEST_DATA "/import/handicap-game.sgf"),
        QStringLiteral(VORLETH_TEST_DATA "/import/yahoo-layout.sgf"),
    };
    int saves = 0;
    for (const unsigned seed : {1u, 2u, 3u}) {
        test::RoadDriver driver(seed, sgfFiles);
        ASSERT_TRUE(driver.valid());
        for (int step = 1; step <= 150; ++step) {
            const QString fault = driver.step();
            ASSERT_TRUE(fault.isEmpty())
                << "seed " << seed << ", step " << step << ", " << driver.lastAction().toStdString()
                << ": " << fault.toStdString();
        }
        saves += driver.saves();
    }
    EXPECT_GT(saves, 0) << "the sequences reach a saved record";
}

} // namespace
} // namespace vorleth
