#include "ui/screenarea.h"
#include "ui/screenregistry.h"

#include "support/widgets.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>

namespace vorleth {
namespace {

using test::settle;

class ScreenRegistryTest : public testing::Test {
protected:
    ScreenRegistryTest() {
        QApplication::setQuitOnLastWindowClosed(false);
        for (ScreenId id : {ScreenId::Start, ScreenId::RecordList, ScreenId::BoardRecording,
                            ScreenId::Help, ScreenId::Browser})
            add(id);
        add(ScreenId::EndOfGame, ScreenRegistry::Placement::OnTop);
    }
    ~ScreenRegistryTest() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        settle();
    }

    void add(ScreenId id,
             ScreenRegistry::Placement placement = ScreenRegistry::Placement::Replaces) {
        registry.registerScreen(
            id,
            [this, id](Navigator& navigator, const Handover&) {
                ++created[id];
                navigatorSeen = &navigator;
                auto* w = new QWidget;
                w->setWindowTitle(QString::number(static_cast<int>(id)));
                w->resize(200, 150);
                return w;
            },
            placement);
    }

    int visibleScreens() const {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->isVisible();
        return n;
    }

    ScreenRegistry registry;
    std::map<ScreenId, int> created;
    Navigator* navigatorSeen = nullptr;
};

TEST_F(ScreenRegistryTest, ShowCreatesAndShowsTheNextWorkingScreen) {
    registry.show(ScreenId::Start);
    QPointer<QWidget> start = registry.current();
    ASSERT_TRUE(start);
    EXPECT_TRUE(start->isVisible());
    EXPECT_TRUE(start->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(navigatorSeen, &registry);

    // The usual hand-over: show the next one, then close oneself.
    registry.show(ScreenId::RecordList);
    start->close();
    settle();
    EXPECT_FALSE(start);
    ASSERT_TRUE(registry.current());
    EXPECT_EQ(registry.current()->windowTitle(), QString::number(int(ScreenId::RecordList)));
    EXPECT_EQ(visibleScreens(), 1);
}

TEST_F(ScreenRegistryTest, AScreenThatDoesNotCloseItselfIsClosedAfterTheHandOver) {
    registry.show(ScreenId::Start);
    QPointer<QWidget> start = registry.current();
    registry.show(ScreenId::Start); // the main menu created again
    EXPECT_NE(registry.current(), start.data());
    EXPECT_TRUE(start); // not closed underneath a handler still running
    settle();
    EXPECT_FALSE(start);
    EXPECT_EQ(created[ScreenId::Start], 2);
    EXPECT_EQ(visibleScreens(), 1);
}

TEST_F(ScreenRegistryTest, AScreenShowingAModalBoxAfterHandingOverIsNotPulledAway) {
    registry.show(ScreenId::Start);
    QPointer<QWidget> start = registry.current();
    bool aliveAfterTheBox = false;

    QEventLoop program; // stands for the application's own loop
    QTimer::singleShot(0, &program, [&] {
        // A handler of the main menu: hands over, then shows a modal box before closing.
        registry.show(ScreenId::RecordList);
        QEventLoop box;
        QTimer::singleShot(300, &box, &QEventLoop::quit);
        box.exec();
        aliveAfterTheBox = start && start->isVisible();
        QTimer::singleShot(200, &program, &QEventLoop::quit);
    });
    program.exec();
    settle();

    EXPECT_TRUE(aliveAfterTheBox);
    EXPECT_FALSE(start); // closed once back in the program's loop
}

TEST_F(ScreenRegistryTest, HelpAndBrowserOpenBesideOnce) {
    registry.show(ScreenId::RecordList);
    QWidget* working = registry.current();
    registry.showBeside(ScreenId::Help);
    QPointer<QWidget> help = registry.beside(ScreenId::Help);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->testAttribute(Qt::WA_DeleteOnClose));

    help->showMinimized();
    registry.showBeside(ScreenId::Help); // comes to the front, not created again
    settle();
    EXPECT_EQ(created[ScreenId::Help], 1);
    EXPECT_EQ(registry.beside(ScreenId::Help), help.data());
    EXPECT_FALSE(help->isMinimized());
    EXPECT_EQ(registry.current(), working); // the working screen stays
    EXPECT_TRUE(working->isVisible());

    registry.showBeside(ScreenId::Browser);
    EXPECT_EQ(created[ScreenId::Browser], 1);
    EXPECT_EQ(registry.beside(ScreenId::Help), help.data());

    // Closed, it is created afresh next time.
    help->close();
    settle();
    EXPECT_EQ(registry.beside(ScreenId::Help), nullptr);
    registry.showBeside(ScreenId::Help);
    EXPECT_EQ(created[ScreenId::Help], 2);
}

TEST_F(ScreenRegistryTest, BesideWindowsOpenToTheRightOfTheWorkingScreen) {
    registry.show(ScreenId::RecordList);
    QWidget* working = registry.current();
    working->setGeometry(10, 10, 300, 200);
    registry.showBeside(ScreenId::Help);
    QWidget* help = registry.beside(ScreenId::Help);
    ASSERT_TRUE(help);
    EXPECT_GT(help->frameGeometry().left(), working->frameGeometry().right());
    EXPECT_EQ(help->frameGeometry().top(), working->frameGeometry().top());

    // No room to the right: it stays on the screen rather than off its edge.
    help->close();
    const QRect area = working->screen()->availableGeometry();
    working->setGeometry(area.right() - 250, 10, 240, 200);
    registry.showBeside(ScreenId::Browser);
    QWidget* browser = registry.beside(ScreenId::Browser);
    ASSERT_TRUE(browser);
    EXPECT_LE(browser->frameGeometry().right(), area.right());
}

TEST_F(ScreenRegistryTest, BesideWindowsKeepTheSizeTheyChoseAsFarAsTheScreenAllows) {
    registry.show(ScreenId::RecordList);
    QWidget* working = registry.current();
    working->setGeometry(10, 10, 300, 200);
    const QRect area = working->screen()->availableGeometry();
    const struct {
        const char* name;
        QSize chosen;
        QSize expectedFrame; // the window with its title bar and frame
    } cases[] = {
        {"fits", QSize(320, 240), QSize(320, 240).grownBy(decorationOf(working))},
        {"wider and taller than the screen", area.size() + QSize(300, 200), area.size()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        registry.registerScreen(ScreenId::Browser, [&c](Navigator&, const Handover&) {
            auto* w = new QWidget;
            w->resize(c.chosen);
            return w;
        });
        registry.showBeside(ScreenId::Browser);
        QWidget* browser = registry.beside(ScreenId::Browser);
        ASSERT_TRUE(browser);
        // As chosen where it fits; else no larger than the area, and within a frame of it.
        const QSize outer = outerRect(browser).size();
        EXPECT_TRUE(area.contains(outerRect(browser)));
        EXPECT_LE(c.expectedFrame.width() - outer.width(), 2 * frameAllowance);
        EXPECT_LE(c.expectedFrame.height() - outer.height(), titleBarAllowance + frameAllowance);
        EXPECT_LE(outer.width(), c.expectedFrame.width());
        EXPECT_LE(outer.height(), c.expectedFrame.height());
        browser->close();
        settle();
    }
}

TEST_F(ScreenRegistryTest, BesideWindowsOutliveTheWorkingScreen) {
    registry.show(ScreenId::RecordList);
    registry.showBeside(ScreenId::Help);
    QPointer<QWidget> help = registry.beside(ScreenId::Help);
    registry.show(ScreenId::Start);
    settle();
    EXPECT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
}

TEST_F(ScreenRegistryTest, AScreenOnTopLeavesTheOneUnderneathOpen) {
    registry.show(ScreenId::BoardRecording);
    QPointer<QWidget> board = registry.current();
    registry.show(ScreenId::EndOfGame);
    QPointer<QWidget> endOfGame = registry.current();
    settle();
    ASSERT_TRUE(board);
    EXPECT_TRUE(board->isVisible());
    EXPECT_NE(endOfGame.data(), board.data());

    // Closed without handing over: the board is the working screen again.
    endOfGame->close();
    settle();
    EXPECT_EQ(registry.current(), board.data());

    // Handing over from the screen on top closes both.
    registry.show(ScreenId::EndOfGame);
    endOfGame = registry.current();
    registry.show(ScreenId::Start);
    endOfGame->close();
    settle();
    EXPECT_FALSE(board);
    EXPECT_FALSE(endOfGame);
    EXPECT_EQ(visibleScreens(), 1);
}

TEST_F(ScreenRegistryTest, TheHandOverReachesTheNewScreen) {
    std::vector<Handover> seen;
    for (ScreenId id : {ScreenId::Replay, ScreenId::Help}) {
        registry.registerScreen(id, [&seen](Navigator&, const Handover& handover) {
            seen.push_back(handover);
            return new QWidget;
        });
    }
    registry.show(ScreenId::Replay, ChosenRecord{7});
    registry.showHelp(helpcode::replay);
    EXPECT_EQ(seen, (std::vector<Handover>{ChosenRecord{7}, HelpTopic{helpcode::replay}}));
}

TEST_F(ScreenRegistryTest, UnknownScreensAndEmptyFactoriesChangeNothing) {
    registry.show(ScreenId::Start);
    QWidget* start = registry.current();
    registry.show(ScreenId::Counting);
    registry.showBeside(ScreenId::GameInfo);
    registry.registerScreen(ScreenId::Setup,
                            [](Navigator&, const Handover&) -> QWidget* { return nullptr; });
    registry.show(ScreenId::Setup);
    settle();
    EXPECT_EQ(registry.current(), start);
    EXPECT_TRUE(start->isVisible());
    EXPECT_EQ(registry.beside(ScreenId::GameInfo), nullptr);
}

} // namespace
} // namespace vorleth
