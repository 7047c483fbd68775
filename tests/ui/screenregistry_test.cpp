#include "ui/screenarea.h"
#include "ui/screenregistry.h"

#include "support/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

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
    ~ScreenRegistryTest() override { test::closeEveryWindow(); }

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

// Two screens with a button at the same place: the first opens the second under the pointer.
class StrayClickTest : public testing::Test {
protected:
    StrayClickTest() {
        QApplication::setQuitOnLastWindowClosed(false);
        registry.registerScreen(ScreenId::Start, [this](Navigator&, const Handover&) {
            return screenWithButton(opener, [this] { registry.show(ScreenId::RecordList); });
        });
        registry.registerScreen(ScreenId::RecordList, [this](Navigator&, const Handover&) {
            return screenWithButton(opened, [this] { ++openedClicks; });
        });
        registry.show(ScreenId::Start);
        settle();
    }
    ~StrayClickTest() override { test::closeEveryWindow(); }

    static QWidget* screenWithButton(QPointer<QPushButton>& button, std::function<void()> act) {
        auto* w = new QWidget;
        w->resize(200, 150);
        button = new QPushButton(QStringLiteral("ボタン"), w);
        button->setGeometry(20, 20, 100, 30);
        QObject::connect(button, &QPushButton::clicked, w, std::move(act));
        return w;
    }

    // A mouse event as the window system delivers it, at one place on the desktop.
    static void send(QWidget* target, QEvent::Type type, quint64 timestamp,
                     QPointF global = QPointF(300, 300)) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, QPointF(target->rect().center()), global, Qt::LeftButton,
                          down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        event.setTimestamp(timestamp);
        QApplication::sendEvent(target, &event);
    }

    // The first click of a double click, on the button that opens the second screen.
    void firstClick() {
        send(opener, QEvent::MouseButtonPress, 1000);
        send(opener, QEvent::MouseButtonRelease, 1060);
        settle();
        ASSERT_FALSE(opened.isNull());
        ASSERT_EQ(registry.current(), opened->window());
    }

    ScreenRegistry registry;
    QPointer<QPushButton> opener;
    QPointer<QPushButton> opened;
    int openedClicks = 0;
};

TEST_F(StrayClickTest, TheSecondClickOfADoubleClickPressesNothingOnTheNewScreen) {
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const struct {
        const char* what;
        std::vector<QEvent::Type> second; // the events of the second click, on the new screen
        quint64 at;                       // when they arrive
        QPointF where;
        int clicks; // of the new screen's button
    } cases[] = {
        {"a press, its double click and release, at once",
         {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease},
         1150,
         {300, 300},
         0},
        {"a double click and release without a press of its own",
         {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease},
         1150,
         {300, 300},
         0},
        {"a click after the double-click time is a click",
         {QEvent::MouseButtonPress, QEvent::MouseButtonRelease},
         quint64(1000 + interval + 50),
         {300, 300},
         1},
        {"a click far from the first is a click",
         {QEvent::MouseButtonPress, QEvent::MouseButtonRelease},
         1150,
         {500, 300},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry.show(ScreenId::Start);
        settle();
        openedClicks = 0;
        firstClick();
        for (const QEvent::Type type : c.second)
            send(opened, type, c.at, c.where);
        settle();
        EXPECT_EQ(openedClicks, c.clicks);
        EXPECT_FALSE(opened->isDown());

        // Whatever came before, the next click on the new screen is a click.
        send(opened, QEvent::MouseButtonPress, c.at + interval + 100);
        send(opened, QEvent::MouseButtonRelease, c.at + interval + 150);
        EXPECT_EQ(openedClicks, c.clicks + 1);
    }
}

TEST_F(StrayClickTest, ADoubleClickWithinOneScreenStillClicksTwice) {
    firstClick();
    for (const auto& [type, at] : {std::pair{QEvent::MouseButtonPress, 5000},
                                   {QEvent::MouseButtonRelease, 5050},
                                   {QEvent::MouseButtonPress, 5120},
                                   {QEvent::MouseButtonDblClick, 5120},
                                   {QEvent::MouseButtonRelease, 5180}})
        send(opened, type, at);
    EXPECT_EQ(openedClicks, 2);
}

// Enter on the focused control of a screen, as a keyboard user presses it.
TEST(EnterPressesButtonTest, EnterPressesTheFocusedButtonOnceAndNothingElse) {
    QApplication::setQuitOnLastWindowClosed(false);
    ScreenRegistry registry; // installs the key handling as the program does
    const struct {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool inDialog; // a dialog's buttons take Enter themselves
        bool enabled;
        bool checkBox; // Enter is not a press for a check box
        int clicks;
    } cases[] = {
        {"Return on a screen's button", Qt::Key_Return, Qt::NoModifier, false, true, false, 1},
        {"Enter of the keypad", Qt::Key_Enter, Qt::KeypadModifier, false, true, false, 1},
        {"Return in a dialog presses once, not twice", Qt::Key_Return, Qt::NoModifier, true, true,
         false, 1},
        {"a disabled button", Qt::Key_Return, Qt::NoModifier, false, false, false, 0},
        {"Ctrl+Return is another key", Qt::Key_Return, Qt::ControlModifier, false, true, false, 0},
        {"a check box", Qt::Key_Return, Qt::NoModifier, false, true, true, 0},
        {"another key", Qt::Key_A, Qt::NoModifier, false, true, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<QWidget> window(c.inDialog ? new QDialog : new QWidget);
        QAbstractButton* button = c.checkBox
                                      ? static_cast<QAbstractButton*>(new QCheckBox(window.get()))
                                      : new QPushButton(QStringLiteral("開く"), window.get());
        button->setEnabled(c.enabled);
        int clicks = 0;
        QObject::connect(button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
        window->show();
        button->setFocus();
        settle();
        QTest::keyClick(button, c.key, c.modifiers);
        settle();
        EXPECT_EQ(clicks, c.clicks);
        if (c.checkBox) {
            EXPECT_FALSE(button->isChecked());
        }
    }
}

} // namespace
} // namespace vorleth
