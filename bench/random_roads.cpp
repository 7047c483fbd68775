// The random user of the tests' road driver, for as long as one likes: every action of the
// recording, replay, counting and import roads in any order, with the checks after each.
// Usage: random_roads [sequences] [steps per sequence] [first seed]. Not run by CI.

#include "support/roaddriver.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int sequences = argc > 1 ? std::atoi(argv[1]) : 20;
    const int steps = argc > 2 ? std::atoi(argv[2]) : 2000;
    const unsigned firstSeed = argc > 3 ? static_cast<unsigned>(std::atol(argv[3])) : 1000;
    const QStringList sgfFiles = {
        QStringLiteral(VORLETH_TEST_DATA "/import/ko-game.sgf"),
        QStringLiteral(VORLETH_TEST_DATA "/import/handicap-game.sgf"),
        QStringLiteral(VORLETH_TEST_DATA "/import/yahoo-layout.sgf"),
    };
    QMap<QString, int> actions;
    int saves = 0, deletions = 0, failures = 0;
    for (int s = 0; s < sequences; ++s) {
        const unsigned seed = firstSeed + static_cast<unsigned>(s);
        vorleth::test::RoadDriver driver(seed, sgfFiles);
        for (int step = 1; step <= steps; ++step) {
            const QString fault = driver.step();
            if (!fault.isEmpty()) {
                std::printf("seed %u, step %d, %s: %s\n", seed, step,
                            qPrintable(driver.lastAction()), qPrintable(fault));
                ++failures;
                break;
            }
        }
        saves += driver.saves();
        deletions += driver.deletions();
        for (auto it = driver.actions().begin(); it != driver.actions().end(); ++it)
            actions[it.key()] += it.value();
    }
    for (auto it = actions.begin(); it != actions.end(); ++it)
        std::printf("%8d  %s\n", it.value(), qPrintable(it.key()));
    std::printf("%d sequences of up to %d steps from seed %u: %d saves, %d deletions, %d failed\n",
                sequences, steps, firstSeed, saves, deletions, failures);
    return failures == 0 ? 0 : 1;
}
