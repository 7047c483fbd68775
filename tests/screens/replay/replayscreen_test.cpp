#include "replay/replayfakes.h"
#include "replay/replaytestbase.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/wait.h"
#include "support/widgets.h"

#include "board/canvas.h"
#include "screens/replay/replayscreen.h"
#include "store/library.h"
#include "ui/drawingsurface.h"
#include "ui/screenregistry.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vorleth {
namespace {

using test::movesOf;
using test::RecordingNavigator;
using test::ScriptedDialogs;

using test::waitUntil;

void pressOn(QWidget* widget, Qt::MouseButton button, QPoint at = QPoint(2, 2)) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), widget->mapToGlobal(QPointF(at)),
                      button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), widget->mapToGlobal(QPointF(at)),
                        button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

const MoveList game = movesOf({
    {404, "1"},
    {1616, "2"},
    {1919, "1"},
    {1918, "2"},
    {1010, "1"},
    {1819, "2"},
    {1919, "+"},
    {1604, "1"},
    {416, "2"},
});

class ReplayScreenTest : public ::testing::Test {
protected:
    void open(int screenSize = 640) {
        state.geometry = BoardGeometry::forScreenSize(screenSize);
        fileName = library.store(QStringLiteral("練習碁"), game);
        screen.reset(ReplayScreen::open(state, library.chosen(), navigator, dialogs));
        ASSERT_NE(screen, nullptr);
        screen->show();
    }

    template <typename T> T* find(const char* name) const {
        T* child = screen->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString text(const char* box) const { return find<QLineEdit>(box)->text(); }
    QString caption() const { return find<QLabel>("MANUALUTSU")->text(); }
    void trigger(const char* action) { find<QAction>(action)->trigger(); }
    QTimer* timer(const char* name) const { return find<QTimer>(name); }
    bool boardDrawn() const { return state.replay.gridDrawn; }

    // The colour inside the stone at a point, off its lines and star dot.
    Rgb colourAt(int column, int row) const {
        const QColor c = screen->surface()->pixelAt(state.geometry.pointX(column) + 40,
                                                    state.geometry.pointY(row) + 40);
        return {c.red(), c.green(), c.blue()};
    }

    test::RecordLibrary library;
    SharedState& state = library.state;
    ScriptedDialogs dialogs;
    RecordingNavigator navigator;
    std::unique_ptr<ReplayScreen> screen;
    QString fileName;
};

TEST_F(ReplayScreenTest, OpensInEitherLayoutAndDrawsTheBoardOnceShown) {
    struct Case {
        int screenSize;
        double clientWidth, clientHeight;
    };
    for (const Case c : {Case{640, 8638.75, 6042.5}, Case{800, 11385, 9000}}) {
        SCOPED_TRACE(c.screenSize);
        open(c.screenSize);
        EXPECT_EQ(screen->objectName(), QStringLiteral("mapkifusaigen"));
        EXPECT_EQ(screen->windowTitle(), QStringLiteral("対局名：練習碁　白番：山田 黒番：佐藤"));
        EXPECT_EQ(find<QPlainTextEdit>("taikyokujyoho")->toPlainText(),
                  QStringLiteral("練習碁\n白：山田\n黒：佐藤\n手数  8\n白中押勝"));
        EXPECT_EQ(caption(), QStringLiteral("自動で打つ"));
        EXPECT_EQ(screen->surface()->logicalWidth(), c.clientWidth);
        // No taller than the layout asks, nor than the screen size leaves under a title bar;
        // the last row's stones always on it.
        EXPECT_LE(screen->surface()->logicalHeight(), c.clientHeight);
        const BoardGeometry g = BoardGeometry::forScreenSize(c.screenSize);
        EXPECT_GE(screen->surface()->logicalHeight(), g.pointY(19) + g.stoneRadius);
        EXPECT_EQ(find<QPushButton>("Command1")->text(), QStringLiteral("別の対局選定"));
        EXPECT_EQ(find<QPushButton>("Command2")->text(), QStringLiteral("開始画面"));
        EXPECT_EQ(find<QPushButton>("Command3")->text(), QStringLiteral("続きを打つ"));
        EXPECT_TRUE(timer("Timer1")->isActive());
        EXPECT_EQ(timer("Timer1")->interval(), 3000);

        ASSERT_TRUE(waitUntil([&] { return boardDrawn(); }));
        EXPECT_FALSE(timer("Timer2")->isActive());
        EXPECT_EQ(text("jyotai"), QStringLiteral("0手目"));
        EXPECT_EQ(find<QPlainTextEdit>("ageishi")->toPlainText(),
                  QStringLiteral("上蛤\n  白：0\n  黒：0"));
        EXPECT_EQ(screen->surface()->pixelAt(state.geometry.pointX(10), state.geometry.pointY(10)),
                  QColor(Qt::black))
            << "the centre star point";
        EXPECT_EQ(colourAt(10, 10), boardColour);
        // Every control lies beside the board, inside the client area.
        const double boardRight = 22 * state.geometry.cellSize;
        for (QWidget* control :
             screen->surface()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            EXPECT_GE(control->x() * 15.0, boardRight) << qPrintable(control->objectName());
            EXPECT_LE(control->geometry().right(), screen->surface()->width())
                << qPrintable(control->objectName());
            EXPECT_LE(control->geometry().bottom(), screen->surface()->height());
        }
        screen.reset();
    }
}

TEST_F(ReplayScreenTest, TheDiscStaysUntilThePlacementWithoutHoldingTheThread) {
    open();
    ASSERT_TRUE(waitUntil([&] { return boardDrawn(); }));
    trigger("it10");
    EXPECT_EQ(timer("Timer1")->interval(), 10000);

    screen->controller().replayStep(); // what Timer1 would deliver
    // The announcement has returned with the disc drawn and the placement still to come.
    EXPECT_EQ(colourAt(4, 4), cyanColour);
    ASSERT_TRUE(timer("Timer3")->isActive());
    EXPECT_TRUE(timer("Timer3")->isSingleShot());
    EXPECT_EQ(timer("Timer3")->interval(), ReplayController::placementDelay);

    // Events are handled meanwhile: a click in the automatic mode only restarts the interval
    // countdown, and the disc stays until the placement.
    pressOn(screen->surface(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(text("jyotai"), QStringLiteral("0手目"));
    ASSERT_TRUE(waitUntil([&] { return !timer("Timer3")->isActive(); }));
    EXPECT_EQ(colourAt(4, 4), blackColour);
    EXPECT_EQ(text("jyotai"), QStringLiteral("1手目"));
    EXPECT_EQ(text("YOKO"), QStringLiteral("4"));
    EXPECT_EQ(text("TATE"), QStringLiteral("4"));
}

TEST_F(ReplayScreenTest, TheAutomaticReplayRunsOnItsTimers) {
    open();
    trigger("beepoff");
    trigger("it05");
    EXPECT_EQ(timer("Timer1")->interval(), 500);
    ASSERT_TRUE(waitUntil([&] { return text("jyotai") == QStringLiteral("2手目"); }));
    EXPECT_EQ(colourAt(4, 4), blackColour);
    EXPECT_EQ(colourAt(16, 16), whiteColour);
    EXPECT_EQ(text("teban1"), QStringLiteral("黒番"));
}

// Two quick clicks are a double click to the window system; each of them steps.
TEST_F(ReplayScreenTest, BothPressesOfADoubleClickStep) {
    open();
    trigger("click_both");
    QWidget* surface = screen->surface();
    const QPointF at(2, 2);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, surface->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(surface, &event);
    }
    EXPECT_EQ(text("jyotai"), QStringLiteral("2手目"));
    EXPECT_EQ(colourAt(16, 16), whiteColour);
}

TEST_F(ReplayScreenTest, LeftClicksOnTheBoardOrBesideItStepInClickModes) {
    open();
    trigger("click_both");
    EXPECT_EQ(caption(), QStringLiteral("どちらも打つ"));
    EXPECT_FALSE(timer("Timer1")->isActive());

    pressOn(screen->surface(), Qt::RightButton);
    pressOn(find<QLineEdit>("jyotai"), Qt::LeftButton);
    EXPECT_EQ(state.board.play.appliedCount, 0)
        << "neither a right click nor a click on a box steps";

    pressOn(screen->surface(), Qt::LeftButton);
    EXPECT_EQ(colourAt(4, 4), blackColour);
    EXPECT_EQ(text("jyotai"), QStringLiteral("1手目"));
    EXPECT_TRUE(timer("Timer1")->isActive());
    EXPECT_TRUE(timer("Timer2")->isActive());

    // A caption stands on the free area beside the board: a click on it counts.
    pressOn(find<QLabel>("MANUALUTSU"), Qt::LeftButton);
    EXPECT_EQ(colourAt(16, 16), whiteColour);
}

// The keyboard as people expect it of a replay: → and ← step, Home and End jump, Space pauses
// and resumes the automatic replay, Escape returns to the record list.
TEST_F(ReplayScreenTest, KeysStepJumpPauseAndReturn) {
    open();
    auto key = [this](int k) {
        QWidget* target =
            QApplication::focusWidget() ? QApplication::focusWidget() : screen->surface();
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    };
    screen->activateWindow();
    screen->setFocus();
    EXPECT_TRUE(timer("Timer1")->isActive() || timer("Timer2")->isActive());

    key(Qt::Key_Right);
    EXPECT_EQ(state.board.play.appliedCount, 1);
    EXPECT_EQ(colourAt(4, 4), blackColour);
    EXPECT_FALSE(timer("Timer1")->isActive()) << "stepping by hand pauses the automatic replay";
    // A screen reader hears the last stone, the move number, the side to move and prisoners,
    // and can tell the boxes beside the board apart.
    EXPECT_EQ(screen->surface()->accessibleName(), QStringLiteral("碁盤"));
    EXPECT_EQ(test::unnamedTextBoxes(screen.get()), QStringList());
    EXPECT_TRUE(
        screen->surface()->accessibleDescription().startsWith(QStringLiteral("黒 1手目 4の4　")))
        << screen->surface()->accessibleDescription().toStdString();
    EXPECT_EQ(caption(), QStringLiteral("どちらも打つ"));

    for (int i = 0; i < 5; ++i)
        key(Qt::Key_Right);
    EXPECT_EQ(state.board.play.appliedCount, 7) << "white's 6 and the stone it took";
    EXPECT_EQ(colourAt(19, 19), boardColour);

    key(Qt::Key_Left);
    EXPECT_EQ(state.board.play.appliedCount, 5);
    EXPECT_EQ(colourAt(19, 19), blackColour) << "the taken stone is back";
    EXPECT_EQ(colourAt(18, 19), boardColour);

    key(Qt::Key_End);
    EXPECT_EQ(state.board.play.appliedCount, 9);
    EXPECT_EQ(colourAt(4, 16), whiteColour);
    EXPECT_TRUE(
        screen->surface()->accessibleDescription().startsWith(QStringLiteral("白 8手目 4の16")))
        << screen->surface()->accessibleDescription().toStdString();
    EXPECT_TRUE(screen->surface()->accessibleDescription().contains(QStringLiteral("白：1")));
    key(Qt::Key_Right);
    EXPECT_EQ(state.board.play.appliedCount, 9);
    EXPECT_EQ(caption(), endedCaption);

    key(Qt::Key_Home);
    EXPECT_EQ(state.board.play.appliedCount, 0);
    EXPECT_EQ(colourAt(4, 4), boardColour);
    key(Qt::Key_Left);
    EXPECT_EQ(state.board.play.appliedCount, 0) << "nothing before the start";

    key(Qt::Key_Space);
    EXPECT_EQ(state.replay.replayMode, 0);
    EXPECT_TRUE(timer("Timer1")->isActive());
    key(Qt::Key_Space);
    EXPECT_EQ(state.replay.replayMode, 3);
    EXPECT_FALSE(timer("Timer1")->isActive());

    EXPECT_TRUE(dialogs.shown.empty());
    key(Qt::Key_Escape);
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::RecordList});
    EXPECT_FALSE(screen->isVisible());
}

TEST_F(ReplayScreenTest, MenusJumpAndSetTargets) {
    open();
    dialogs.inputs = {QStringLiteral("20 5"), QStringLiteral("5")};
    trigger("bashoshitei");
    EXPECT_EQ(dialogs.messages(), QStringList{pointTargetError});
    EXPECT_EQ(state.replay.stopRow, 5);

    trigger("tekazushitei");
    EXPECT_EQ(text("jyotai"), QStringLiteral("6手目"));
    EXPECT_EQ(colourAt(10, 10), blackColour);
    EXPECT_EQ(colourAt(18, 19), boardColour) << "entry 6 is beyond the target";
    EXPECT_FALSE(timer("Timer1")->isActive());

    trigger("saishufu");
    EXPECT_EQ(text("jyotai"), QStringLiteral("9手目"));
    EXPECT_EQ(colourAt(19, 19), boardColour) << "the captured stone is gone";
    EXPECT_EQ(find<QPlainTextEdit>("ageishi")->toPlainText(),
              QStringLiteral("上蛤\n  白：1\n  黒：0"));

    trigger("delprocan");
    EXPECT_TRUE(navigator.calls.empty());
    trigger("F5HelLP");
    EXPECT_EQ(navigator.besides, std::vector<ScreenId>{ScreenId::Help});
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::replay);
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(ReplayScreenTest, ButtonsAndDeletionHandOverAndCloseTheScreen) {
    struct Case {
        const char* control;
        std::optional<Dialogs::Answer> confirm;
        std::optional<ScreenId> next;
    };
    const Case cases[] = {
        {"Command1", std::nullopt, ScreenId::RecordList},
        {"Command2", std::nullopt, ScreenId::Start},
        {"Command3", std::nullopt, ScreenId::BoardRecording},
        {"delprook", Dialogs::Answer::Cancel, std::nullopt},
        {"delprook", Dialogs::Answer::Ok, ScreenId::Start},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        navigator.clear();
        dialogs.shown.clear();
        if (c.confirm)
            dialogs.answers.push_back(*c.confirm);
        open();
        if (QString::fromLatin1(c.control).startsWith(QStringLiteral("Command")))
            find<QPushButton>(c.control)->click();
        else
            trigger(c.control);

        EXPECT_EQ(navigator.lastShown(), c.next);
        EXPECT_EQ(screen->isVisible(), !c.next.has_value());
        EXPECT_EQ(timer("Timer1")->isActive(), !c.next.has_value());
        if (c.confirm) {
            EXPECT_EQ(dialogs.messages(), QStringList{deleteConfirmation});
            EXPECT_EQ(library.exists(fileName), c.confirm == Dialogs::Answer::Cancel);
        }
        if (c.next == ScreenId::BoardRecording) {
            EXPECT_TRUE(std::holds_alternative<ContinueGame>(navigator.calls.back().handover));
        }
        screen.reset();
    }
}

TEST_F(ReplayScreenTest, AnUnreadableRecordOpensNoScreenAndShowsTheListAgain) {
    fileName = library.store(QStringLiteral("練習碁"), game);
    ASSERT_TRUE(QFile::remove(recordPath(library.directory.path(), fileName)));
    std::unique_ptr<ReplayScreen> replay(
        ReplayScreen::open(state, library.chosen(), navigator, dialogs));
    EXPECT_EQ(replay, nullptr);
    EXPECT_EQ(dialogs.messages(),
              QStringList{cannotReadRecordMessage + fileName + recordExtension});
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::RecordList});
}

// A jump draws each point once, as the last of its entries leaves it; the picture is the one
// that placing every entry in turn gives.
TEST_F(ReplayScreenTest, AJumpDrawsThePictureThatPlacingEveryEntryGives) {
    const QString gameFile = QDir(QStringLiteral(VORLETH_TEST_DATA "/replay"))
                                 .entryList({QStringLiteral("*.IGO")})
                                 .value(0);
    ASSERT_FALSE(gameFile.isEmpty());
    ASSERT_TRUE(QFile::copy(QStringLiteral(VORLETH_TEST_DATA "/replay/") + gameFile,
                            QDir(library.directory.path()).filePath(gameFile)));
    library.select(gameFile.chopped(recordExtension.size()));

    auto finalPicture = [&](bool jump) {
        screen.reset(ReplayScreen::open(state, library.chosen(), navigator, dialogs));
        EXPECT_NE(screen, nullptr);
        screen->controller().setBeeps(false);
        if (jump) {
            trigger("saishufu");
        } else {
            trigger("click_both");
            for (int click = 0; click < 1000 && caption() != endedCaption; ++click)
                pressOn(screen->surface(), Qt::LeftButton);
            EXPECT_EQ(caption(), endedCaption) << "the replay never ended";
        }
        return screen->surface()->image();
    };
    const QImage jumped = finalPicture(true);
    const QImage placed = finalPicture(false);
    EXPECT_EQ(text("jyotai"), QStringLiteral("230手目"));
    EXPECT_TRUE(jumped == placed);
}

// Through the real registry: the record list that chose the record hands over to the replay
// and closes itself; a fresh record list is what remains.
TEST_F(ReplayScreenTest, AnUnreadableRecordLeavesAFreshRecordListAsTheWorkingScreen) {
    fileName = library.store(QStringLiteral("練習碁"), game);
    ASSERT_TRUE(QFile::remove(recordPath(library.directory.path(), fileName)));
    ScreenRegistry registry;
    int lists = 0;
    registry.registerScreen(
        ScreenId::RecordList, [&lists](Navigator&, const Handover&) -> QWidget* {
            auto* list = new QWidget;
            list->setObjectName(QStringLiteral("maptaikyokulist%1").arg(++lists));
            return list;
        });
    registry.registerScreen(
        ScreenId::Replay, [this](Navigator& navigator, const Handover& handover) -> QWidget* {
            return ReplayScreen::open(state, std::get<ChosenRecord>(handover), navigator, dialogs);
        });
    registry.show(ScreenId::RecordList);
    QPointer<QWidget> chooser = registry.current();

    registry.show(ScreenId::Replay, library.chosen());
    chooser->close(); // the record list closes itself after handing over
    QCoreApplication::processEvents();
    ASSERT_NE(registry.current(), nullptr);
    EXPECT_EQ(registry.current()->objectName(), QStringLiteral("maptaikyokulist2"));
    EXPECT_TRUE(registry.current()->isVisible());
    EXPECT_EQ(dialogs.messages().size(), 1);
    registry.current()->close();
}

TEST_F(ReplayScreenTest, ClosingStopsTheTimers) {
    open();
    trigger("it05");
    ASSERT_TRUE(waitUntil([&] { return timer("Timer3")->isActive(); }));
    screen->close();
    EXPECT_FALSE(timer("Timer1")->isActive());
    EXPECT_FALSE(timer("Timer2")->isActive());
    EXPECT_FALSE(timer("Timer3")->isActive());
}

} // namespace
} // namespace vorleth
