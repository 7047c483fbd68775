#include "ui/beeprun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

class BeepRunTest : public ::testing::Test {
protected:
    QTimer* timer() const { return run.findChild<QTimer*>(QStringLiteral("beepTimer")); }

    int beeps = 0;
    BeepRun run{nullptr, [this] { ++beeps; }};
};

TEST_F(BeepRunTest, ALongRunReturnsAtOnceAndSoundsBeepByBeep) {
    run.soundBeeps(150);
    // One beep with the warning; the rest wait for the event loop.
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(run.pending(), 149);
    ASSERT_NE(timer(), nullptr);
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), BeepRun::spacingMs);

    for (int i = 0; i < 149; ++i)
        run.tick();
    EXPECT_EQ(beeps, 150);
    EXPECT_EQ(run.pending(), 0);
    EXPECT_FALSE(timer()->isActive());
    run.tick();
    EXPECT_EQ(beeps, 150) << "a finished run stays silent";
}

TEST_F(BeepRunTest, RunsAskedForWhileOneSoundsMergeIntoTheLongest) {
    struct Case {
        const char* name;
        int first, second;
        int total;
    };
    for (const Case c :
         {Case{"a longer one extends", 3, 10, 12}, Case{"a shorter one joins", 10, 3, 10},
          Case{"none at all", 0, 0, 0}, Case{"a negative count", -5, 2, 2}}) {
        SCOPED_TRACE(c.name);
        beeps = 0;
        run.soundBeeps(c.first);
        run.tick();
        run.soundBeeps(c.second);
        for (int i = 0; i < 20; ++i)
            run.tick();
        EXPECT_EQ(beeps, c.total);
        EXPECT_FALSE(timer()->isActive());
    }
}

TEST_F(BeepRunTest, TheEventLoopSoundsTheRun) {
    run.soundBeeps(4);
    QElapsedTimer clock;
    clock.start();
    // The bound only ends a wait for beeps that never come; a loaded machine may be slow.
    while (beeps < 4 && clock.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    EXPECT_EQ(beeps, 4) << "the beeps never all came";
    EXPECT_FALSE(timer()->isActive());
}

} // namespace
} // namespace vorleth
