#include "recording/boardtestbase.h"
#include "replay/replaytestbase.h"
#include "screens/recording/tabletestsupport.h"
#include "support/printers.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"
#include "support/wait.h"
#include "support/widgets.h"

#include "app/screens.h"
#include "board/canvas.h"
#include "board/playrules.h"
#include "import/importsource.h"
#include "import/sgfimport.h"
#include "import/tableimport.h"
#include "replay/replaycontroller.h"
#include "screens/recording/boardrecordingscreen.h"
#include "screens/recording/endofgamescreen.h"
#include "screens/recording/gameinfoscreen.h"
#include "screens/recording/repeatedplaysscreen.h"
#include "screens/recording/tableentryscreen.h"
#include "shell/startup.h"
#include "store/catalogue.h"
#include "store/library.h"
#include "store/recordname.h"
#include "store/recoveryfile.h"
#include "ui/drawingsurface.h"
#include "ui/screenregistry.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <QKeyEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vorleth {
namespace {

using test::child;
using test::click;
using test::movesOf;
using test::RecordingNavigator;
using test::ScriptedDialogs;
using test::settle;
using test::trigger;

using test::waitUntil;

void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPointF at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A press and release of a mouse button on the point of the board, as the user clicks it.
void clickPoint(DrawingSurface* surface, const BoardGeometry& geometry, Point p,
                Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at(geometry.pointX(p.column) / surface->twipsPerPixel(),
                     geometry.pointY(p.row) / surface->twipsPerPixel());
    mouse(surface, QEvent::MouseButtonPress, button, at);
    mouse(surface, QEvent::MouseButtonRelease, button, at);
}

// The colour inside the stone at a point, off its lines and star dot.
Rgb colourAt(const DrawingSurface* surface, const BoardGeometry& geometry, int column, int row) {
    const QColor c = surface->pixelAt(geometry.pointX(column) + 40, geometry.pointY(row) + 40);
    return {c.red(), c.green(), c.blue()};
}

void typeInto(QWidget* screen, const char* box, const QString& text) {
    if (auto* combo = child<QComboBox>(screen, box))
        combo->setEditText(text);
}

// The object names and texts of a menu bar as the user sees them, nested entries as
// "menu/entry". Qt hides a lone "&" as the mark of an access key and shows "&&" as "&"; so
// does QAction's text without its marks.
QStringList menuEntries(QMainWindow* window) {
    QStringList entries;
    for (QAction* top : window->menuBar()->actions()) {
        if (!top->isVisible())
            continue;
        if (QMenu* menu = top->menu()) {
            for (QAction* a : menu->actions())
                entries << menu->objectName() + u'/' + a->objectName() + u' ' + a->iconText();
        } else {
            entries << top->objectName() + u' ' + top->iconText();
        }
    }
    return entries;
}

// ---- Screens on their own, with a navigator that only records --------------------------------

class RecordingScreenTest : public ::testing::Test {
protected:
    RecordingScreenTest() {
        state.shell.entryMode = 3;
        state.record.game = {QStringLiteral("練習碁"), QStringLiteral("山田"),
                             QStringLiteral("佐藤"), QString(), QStringLiteral("6.5")};
    }
    ~RecordingScreenTest() override { test::closeEveryWindow(); }

    QPointer<BoardRecordingScreen> openBoard(int screenSize = 640, const Handover& handover = {}) {
        state.geometry = BoardGeometry::forScreenSize(screenSize);
        auto* screen = new BoardRecordingScreen(state, navigator, dialogs, handover);
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->show();
        return screen;
    }
    void clickOn(BoardRecordingScreen* board, Point p, Qt::MouseButton b = Qt::LeftButton) {
        clickPoint(board->surface(), state.geometry, p, b);
    }
    Rgb colour(BoardRecordingScreen* board, int column, int row) const {
        return colourAt(board->surface(), state.geometry, column, row);
    }

    test::RecordLibrary library;
    SharedState& state = library.state;
    ScriptedDialogs dialogs;
    RecordingNavigator navigator;
};

TEST_F(RecordingScreenTest, TheBoardScreenLaysOutItsControlsInEitherLayout) {
    struct Case {
        int screenSize;
        double clientWidth, clientHeight;
        // Where teme, taikyoku and Command3 stand, in pixels.
        QPoint moveBox, information, countButton;
    };
    const Case cases[] = {
        {640, 8538.75, 6550, {384, 144}, {380, 24}, {488, 232}},
        {800, 11385, 9000, {569, 192}, {564, 32}, {651, 309}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screenSize);
        QPointer<BoardRecordingScreen> board = openBoard(c.screenSize);
        EXPECT_EQ(board->objectName(), QStringLiteral("mapgoban"));
        EXPECT_EQ(board->windowTitle(), QStringLiteral("対局名：練習碁　白番：山田 黒番：佐藤"));
        EXPECT_EQ(board->surface()->logicalWidth(), c.clientWidth);
        // No taller than the layout asks, nor than the screen size leaves under a title bar;
        // the last row's stones always on it.
        EXPECT_LE(board->surface()->logicalHeight(), c.clientHeight);
        const BoardGeometry g = BoardGeometry::forScreenSize(c.screenSize);
        EXPECT_GE(board->surface()->logicalHeight(), g.pointY(19) + g.stoneRadius);
        EXPECT_EQ(child<QLineEdit>(board, "teme")->pos(), c.moveBox);
        EXPECT_EQ(child<QPlainTextEdit>(board, "taikyoku")->pos(), c.information);
        EXPECT_EQ(child<QPushButton>(board, "Command3")->pos(), c.countButton);
        EXPECT_EQ(child<QPlainTextEdit>(board, "taikyoku")->toPlainText(),
                  QStringLiteral("練習碁\n白：山田\n黒：佐藤\n勝負：\n手数:0\nコミ:6.5"));
        EXPECT_EQ(child<QPushButton>(board, "Command1")->text(), QStringLiteral("保管して戻る"));
        EXPECT_EQ(child<QPushButton>(board, "Command2")->text(), QStringLiteral("保管せずに戻る"));
        EXPECT_EQ(child<QPushButton>(board, "Command3")->text(), QStringLiteral("地の計算"));
        EXPECT_EQ(child<QLineEdit>(board, "YOKO")->accessibleName(), QStringLiteral("横"));
        EXPECT_EQ(child<QLineEdit>(board, "TATE")->accessibleName(), QStringLiteral("縦"));
        for (const char* name : {"ageishi", "teban"})
            EXPECT_NE(board->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;

        // Every control lies beside the board, inside the client area.
        const double boardRight = 22 * state.geometry.cellSize;
        for (QWidget* control :
             board->surface()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (control->objectName() == QLatin1String("cursor"))
                continue; // the keyboard cursor stands on the board's points
            EXPECT_GE(control->x() * 15.0, boardRight) << qPrintable(control->objectName());
            EXPECT_LE(control->geometry().right(), board->surface()->width())
                << qPrintable(control->objectName());
            EXPECT_LE(control->geometry().bottom(), board->surface()->height())
                << qPrintable(control->objectName());
        }
        auto* tick = child<QTimer>(board, "Timer1");
        EXPECT_TRUE(tick->isActive());
        EXPECT_EQ(tick->interval(), 500);
        board->close();
        settle();
    }
}

TEST_F(RecordingScreenTest, TheBoardScreenHasItsMenusInOrder) {
    QPointer<BoardRecordingScreen> board = openBoard();
    EXPECT_EQ(menuEntries(board), (QStringList{
                                      "nidouchi/tebanshiji 手番を指示",
                                      "TSUMEGOOPT/TSUMEGOSHIRO 白連続",
                                      "TSUMEGOOPT/TSUMEGOKURO 黒連続",
                                      "TSUMEGOOPT/tsumegojidokuro 手番黒で自動反転",
                                      "TSUMEGOOPT/TSUMEGOJIDOshiro 手番白で自動反転",
                                      "TSUMEGOOPT/TSUMEGOSTOP 一時停止（考慮時間を取る）",
                                      "okiishimenu/nimoku 二目",
                                      "okiishimenu/sanmoku 三目",
                                      "okiishimenu/yonmoku 四目",
                                      "okiishimenu/gomoku 五目",
                                      "okiishimenu/rokumoku 六目",
                                      "okiishimenu/nanamoku 七目",
                                      "okiishimenu/hachimoku 八目",
                                      "okiishimenu/seimoku 星目",
                                      "dummy100/kento_restart 最初の棋譜に戻す",
                                      "dummy100/kento_hokan 今の棋譜を一時保管",
                                      "dummy100/kento_modoshi 一時保管した棋譜に戻す",
                                      "F10HELP ヘルプ",
                                  }));
    QStringList titles;
    for (QAction* top : board->menuBar()->actions())
        titles << top->text();
    EXPECT_EQ(titles, (QStringList{"二度打ち手番", "詰め碁", "置き石", "検討処理", "ヘルプ"}));
}

TEST_F(RecordingScreenTest, LeftPressesPlayRightReleasesTakeBackAndMenusReachTheBoard) {
    QPointer<BoardRecordingScreen> board = openBoard();
    clickOn(board, {4, 4});
    clickOn(board, {16, 16});
    EXPECT_EQ(colour(board, 4, 4), blackColour);
    EXPECT_EQ(colour(board, 16, 16), whiteColour);
    EXPECT_EQ(child<QLineEdit>(board, "teme")->text(), QStringLiteral("3手目"));
    EXPECT_EQ(child<QLineEdit>(board, "teban")->text(), QStringLiteral("黒番"));
    EXPECT_EQ(child<QLineEdit>(board, "YOKO")->text(), QStringLiteral("16"));
    EXPECT_EQ(child<QLineEdit>(board, "TATE")->text(), QStringLiteral("16"));

    // A right press does nothing; its release takes back.
    mouse(board->surface(), QEvent::MouseButtonPress, Qt::RightButton, QPointF(2, 2));
    EXPECT_EQ(state.board.moves.length(), 2);
    mouse(board->surface(), QEvent::MouseButtonRelease, Qt::RightButton, QPointF(2, 2));
    EXPECT_EQ(state.board.moves.length(), 1);
    EXPECT_EQ(colour(board, 16, 16), boardColour);

    trigger(board, "TSUMEGOKURO");
    clickOn(board, {5, 5});
    clickOn(board, {6, 6});
    EXPECT_EQ(colour(board, 6, 6), blackColour);
    trigger(board, "TSUMEGOSTOP");
    EXPECT_EQ(state.board.moves.entries().last(),
              (MoveEntry{pauseMarkerCode, QStringLiteral("9")}));
    trigger(board, "kento_restart");
    EXPECT_EQ(colour(board, 4, 4), boardColour);
    trigger(board, "F10HELP");
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::boardRecording);
    EXPECT_TRUE(board->isVisible());
}

// A game recorded without the mouse: the arrows move a visible cursor, Enter and Space play
// where it stands as a click does, Backspace takes back as a right click does.
TEST_F(RecordingScreenTest, TheKeyboardRecordsAGameWithoutTheMouse) {
    QPointer<BoardRecordingScreen> board = openBoard();
    auto keys = [&board](std::initializer_list<std::pair<int, int>> presses) {
        for (const auto& [k, times] : presses)
            for (int i = 0; i < times; ++i) {
                QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
                QApplication::sendEvent(board->surface(), &press);
            }
    };
    EXPECT_EQ(board->cursor(), (Point{10, 10}));
    EXPECT_EQ(test::unnamedTextBoxes(board), QStringList());
    // Before the first stone a screen reader already hears the board's state.
    EXPECT_TRUE(board->surface()->accessibleDescription().startsWith(
        QStringLiteral("着手なし　上蛤 白：0 黒：0")))
        << board->surface()->accessibleDescription().toStdString();
    keys({{Qt::Key_Left, 6}, {Qt::Key_Up, 6}, {Qt::Key_Return, 1}});
    EXPECT_EQ(colour(board, 4, 4), blackColour);
    keys({{Qt::Key_Right, 12}, {Qt::Key_Space, 1}});
    EXPECT_EQ(colour(board, 16, 4), whiteColour);
    EXPECT_EQ(state.board.moves.length(), 2);

    // The frame stands on the cursor's point, and a screen reader hears where it is.
    const QWidget* frame = child<QWidget>(board, "cursor");
    ASSERT_TRUE(frame->isVisible());
    const double perPixel = board->surface()->twipsPerPixel();
    EXPECT_NEAR(frame->geometry().center().x(), state.geometry.pointX(16) / perPixel, 2);
    EXPECT_NEAR(frame->geometry().center().y(), state.geometry.pointY(4) / perPixel, 2);
    EXPECT_TRUE(
        board->surface()->accessibleDescription().contains(QStringLiteral("カーソル 16の4")))
        << board->surface()->accessibleDescription().toStdString();
    EXPECT_TRUE(
        board->surface()->accessibleDescription().startsWith(QStringLiteral("白 2手目 16の4")));

    keys({{Qt::Key_Backspace, 1}});
    EXPECT_EQ(state.board.moves.length(), 1);
    EXPECT_EQ(colour(board, 16, 4), boardColour);

    // The cursor stops at the edge, and an occupied point is refused as a click on it is.
    keys({{Qt::Key_Right, 30}, {Qt::Key_Down, 30}});
    EXPECT_EQ(board->cursor(), (Point{19, 19}));
    keys({{Qt::Key_Left, 15}, {Qt::Key_Up, 15}, {Qt::Key_Enter, 1}});
    EXPECT_EQ(board->cursor(), (Point{4, 4}));
    EXPECT_EQ(state.board.moves.length(), 1);
    EXPECT_EQ(colour(board, 4, 4), blackColour);
}

TEST_F(RecordingScreenTest, CountingAsksAndHandsTheGameToTheCountingScreen) {
    state.board.moves = test::quietMoves(101);
    QPointer<BoardRecordingScreen> board = openBoard(640, ContinueGame{.entries = 101});
    click(board, "Command3");
    EXPECT_EQ(dialogs.messages(), QStringList{countingQuestion});
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Counting});
    settle();
    EXPECT_TRUE(board.isNull()) << "the board closes as the count takes over";
    EXPECT_EQ(state.board.moves.length(), 101);
}

// Two well-known sequences played as one game, clicked stone by stone: a ladder chased into
// the lower right corner, where black 21 takes the six white stones, then a ko in the centre
// taken and retaken (moves 31 and 32 are played on points emptied by captures). One stone is
// put on a wrong point and taken back on the way. The record file read back must hold what
// playing the same points by the rules gives.
TEST_F(RecordingScreenTest, ARealGameClickedInMoveByMoveIsSavedAsTheRulesPlayIt) {
    const QVector<Point> game =
        {
            {16, 4},  {4, 16},  {4, 4},   {16, 16}, {15, 16}, {10, 16},
            {16, 15}, {4, 10},  {17, 15}, {10, 4},  {16, 17}, {17, 16},
            {18, 16}, {17, 17}, {17, 18}, {18, 17}, {18, 18}, {19, 17},
            {19, 18}, {19, 16}, {19, 15}, // the ladder ends: black takes six
            {11, 9},  {9, 10},  {11, 11}, {10, 9},  {12, 10}, {10, 11},
            {16, 10}, {11, 10}, // black into the ko
            {10, 10},           // white takes it
            {11, 10},           // black takes back
            {10, 10},           // and white again
            {17, 3},
        };
    state.record.game = {QStringLiteral("征と劫"), QStringLiteral("白石"), QStringLiteral("黒石"),
                         QStringLiteral("黒中押勝"), QStringLiteral("6.5")};
    QPointer<BoardRecordingScreen> board = openBoard();
    for (int i = 0; i < game.size(); ++i) {
        clickOn(board, game[i]);
        if (i == 12) {
            clickOn(board, {5, 5});                  // a slip of the hand
            clickOn(board, {5, 5}, Qt::RightButton); // taken back
        }
    }
    EXPECT_EQ(colour(board, 19, 17), boardColour) << "the ladder stones are taken";
    EXPECT_EQ(colour(board, 19, 15), blackColour);
    EXPECT_EQ(colour(board, 10, 10), whiteColour);
    EXPECT_EQ(colour(board, 11, 10), boardColour);
    EXPECT_EQ(child<QPlainTextEdit>(board, "ageishi")->toPlainText(),
              QStringLiteral("上蛤\n白：2\n黒：7"));
    EXPECT_EQ(child<QLineEdit>(board, "teme")->text(), QStringLiteral("34手目"));

    click(board, "Command1");
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    settle();
    EXPECT_TRUE(board.isNull());

    BoardModel rules;
    for (const Point& p : game)
        ASSERT_EQ(playStone(rules, p).result, PlayResult::Played);
    const Result<GameRecord> saved =
        loadRecord(state.settings.recordDirectory, state.record.fileName);
    ASSERT_TRUE(saved.ok) << saved.error();
    EXPECT_EQ(saved.moves, rules.moves);
    EXPECT_EQ(saved.metadata.entryCount, 33 + 6 + 3);
    EXPECT_EQ(saved.metadata.game.result, QStringLiteral("黒中押勝"));
    BoardModel rebuilt;
    rebuilt.moves = saved.moves;
    rebuildPosition(rebuilt, rebuilt.moves.length(), QString());
    EXPECT_EQ(boardDiagram(rebuilt.board), boardDiagram(rules.board));
    EXPECT_FALSE(recoveryFileExists(state.baseDirectory));
}

TEST_F(RecordingScreenTest, TheGameInformationScreenShowsItsBoxesAndMenusByEntryMode) {
    for (const int mode : {2, 3}) {
        SCOPED_TRACE(mode);
        state.shell.entryMode = mode;
        auto* info = new GameInfoScreen(state, navigator, dialogs);
        info->setAttribute(Qt::WA_DeleteOnClose);
        info->show();
        EXPECT_EQ(info->objectName(), QStringLiteral("maptaikyokujyoho"));
        EXPECT_EQ(info->windowTitle(), QStringLiteral("対局情報入力"));
        EXPECT_EQ(child<QLineEdit>(info, "Text8")->text(), QStringLiteral("6.5"));
        EXPECT_EQ(child<QComboBox>(info, "taikyoku")->currentText(), QStringLiteral("練習碁"));
        EXPECT_EQ(child<QComboBox>(info, "taikyokushobu")->count(), 13);
        EXPECT_EQ(child<QComboBox>(info, "kachisu")->count(), 30);
        EXPECT_EQ(child<QComboBox>(info, "tekazu100")->count(), 4);
        EXPECT_EQ(child<QComboBox>(info, "kachisu")->currentText(), QString());
        QStringList labels;
        for (QLabel* label : info->findChildren<QLabel*>())
            labels << label->text();
        for (const char* text : {"対局名", "白番", "黒番", "勝ち負け数", "手数", "コミ"})
            EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
        EXPECT_EQ(child<QComboBox>(info, "taikyokushiro")->accessibleName(),
                  QStringLiteral("白番"));
        EXPECT_EQ(child<QPushButton>(info, "Command1")->text(), QStringLiteral("次に"));
        EXPECT_EQ(child<QPushButton>(info, "Command2")->text(), QStringLiteral("戻る"));
        if (mode == 2) {
            EXPECT_EQ(menuEntries(info),
                      (QStringList{"zenkai 前回入力の再現", "yahootop/yahoocopy コピー&ペースト",
                                   "yahootop/sgfformat sgf 形式ファイル", "F9HELP ヘルプ"}));
        } else {
            EXPECT_EQ(menuEntries(info), QStringList{"F9HELP ヘルプ"});
        }
        info->close();
        settle();
    }
}

// The komi box shows the komi of the game being entered; the margin and komi boxes take numbers
// only, and "次に" with anything else says so and leaves the game as it was.
TEST_F(RecordingScreenTest, TheGameInformationKeepsTheGamesKomiAndTakesNumbersOnly) {
    state.record.game.komi = QStringLiteral("5.5");
    const struct {
        const char* name;
        const char* margin;
        const char* komi;
        QString message; // empty: "次に" goes on to the board
        const char* result;
        const char* savedKomi;
    } cases[] = {
        {"as shown", "", nullptr, {}, "白勝", "5.5"},
        {"a margin", "6.5", nullptr, {}, "白6目半勝", "5.5"},
        {"reverse komi", "", "-3.5", {}, "白勝", "-3.5"},
        {"a margin in letters", "xyz", nullptr, marginNotNumberMessage, "", "5.5"},
        {"a komi in letters", "", "abc", komiNotNumberMessage, "", "5.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        navigator.clear();
        state.record.game.result.clear();
        state.record.game.komi = QStringLiteral("5.5");
        QPointer<GameInfoScreen> info = new GameInfoScreen(state, navigator, dialogs);
        info->setAttribute(Qt::WA_DeleteOnClose);
        info->show();
        auto* komi = child<QLineEdit>(info, "Text8");
        EXPECT_EQ(komi->text(), QStringLiteral("5.5"));
        typeInto(info, "taikyokushobu", QStringLiteral("白勝"));
        typeInto(info, "kachisu", QString::fromUtf8(c.margin));
        if (c.komi)
            komi->setText(QString::fromUtf8(c.komi));
        click(info, "Command1");
        settle();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(dialogs.shown.empty());
            EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::BoardRecording});
            EXPECT_TRUE(info.isNull()) << "closed on handing over";
        } else {
            EXPECT_EQ(dialogs.messages(), QStringList{c.message});
            EXPECT_TRUE(navigator.shown.empty());
            ASSERT_FALSE(info.isNull());
            EXPECT_TRUE(info->isVisible());
            info->close();
            settle();
        }
        EXPECT_EQ(state.record.game.result, QString::fromUtf8(c.result));
        EXPECT_EQ(state.record.game.komi, QString::fromUtf8(c.savedKomi));
    }
}

TEST_F(RecordingScreenTest, TheEndOfGameScreenOffersItsListsWithEmptyBoxes) {
    auto* end = new EndOfGameScreen(state, navigator, dialogs);
    end->setAttribute(Qt::WA_DeleteOnClose);
    end->show();
    EXPECT_EQ(end->objectName(), QStringLiteral("mapshukyoku"));
    EXPECT_EQ(end->windowTitle(), QStringLiteral("終局情報入力"));
    auto* result = child<QComboBox>(end, "shukyokushobu");
    auto* margin = child<QComboBox>(end, "shukyokukachisu");
    EXPECT_EQ(result->itemText(0), QStringLiteral("打掛"));
    EXPECT_EQ(result->count(), 13);
    EXPECT_EQ(margin->count(), 30);
    EXPECT_EQ(result->currentText(), QString());
    EXPECT_EQ(margin->currentText(), QString());
    EXPECT_EQ(result->accessibleName(), QStringLiteral("勝負"));
    EXPECT_EQ(margin->accessibleName(), QStringLiteral("勝ち負け数"));
    EXPECT_EQ(child<QPushButton>(end, "Command1")->text(), QStringLiteral("保管する"));
    EXPECT_EQ(child<QPushButton>(end, "Command2")->text(), QStringLiteral("保管しない"));
    EXPECT_EQ(menuEntries(end), QStringList{"F11HELP ヘルプ"});
    trigger(end, "F11HELP");
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::endOfGame);
}

// ---- The roads through the real screens ------------------------------------------------------

class RecordingRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        base = QDir(temp.path()).filePath(QStringLiteral("Vorleth"));
        // Directories of an earlier run, so that no installation guide opens.
        for (const char* name : {"SGF", "Pelloq", "Pelloq写真"})
            ASSERT_TRUE(QDir().mkpath(QDir(base).filePath(QString::fromUtf8(name))));
        state = std::make_unique<SharedState>(base);
        state->clock = [] { return QDateTime(QDate(2024, 5, 6), QTime(15, 30, 12)); };
        registerScreens(registry, *state, dialogs);
    }
    void TearDown() override { test::closeEveryWindow(); }

    QWidget* current() { return registry.current(); }
    QString currentName() { return current() ? current()->objectName() : QString(); }
    // Clicks a button of the working screen and lets the hand-over happen.
    void press(const char* button) {
        click(current(), button);
        settle();
    }
    QString records() const { return QDir(base).filePath(QStringLiteral("Pelloq")); }
    QStringList recordFiles() const {
        return QDir(records()).entryList({QStringLiteral("*.IGO")}, QDir::Files);
    }
    BoardRecordingScreen* board() { return qobject_cast<BoardRecordingScreen*>(current()); }
    void placeTheTableAndSave();

    QTemporaryDir temp;
    QString base;
    std::unique_ptr<SharedState> state;
    ScriptedDialogs dialogs;
    ScreenRegistry registry;
};

TEST_F(RecordingRoadTest, BoardEntryThroughTheEndOfGameScreenToASavedRecord) {
    registry.show(ScreenId::Start);
    settle();
    press("Command3");
    ASSERT_EQ(currentName(), QStringLiteral("maptaikyokujyoho"));
    typeInto(current(), "taikyoku", QStringLiteral("研究会"));
    typeInto(current(), "taikyokushiro", QStringLiteral("山田"));
    typeInto(current(), "taikyokukuro", QStringLiteral("佐藤"));
    press("Command1");
    ASSERT_EQ(currentName(), QStringLiteral("mapgoban"));
    QPointer<BoardRecordingScreen> recording = board();
    for (const Point& p : {Point{4, 4}, Point{16, 16}, Point{16, 4}})
        clickPoint(recording->surface(), state->geometry, p);

    press("Command1"); // no result yet
    ASSERT_EQ(currentName(), QStringLiteral("mapshukyoku"));
    ASSERT_FALSE(recording.isNull());
    EXPECT_TRUE(recording->isVisible()) << "the board stays underneath";
    EXPECT_FALSE(recording->isEnabled()) << "and waits for the result";
    typeInto(current(), "shukyokushobu", QStringLiteral("黒勝"));
    typeInto(current(), "shukyokukachisu", QStringLiteral("0.5"));
    press("Command1");
    ASSERT_TRUE(waitUntil([&] { return recording.isNull(); }));
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));

    ASSERT_EQ(recordFiles().size(), 1);
    const QString name = recordFiles().front().chopped(recordExtension.size());
    EXPECT_EQ(extractField(name, resultKey), QStringLiteral("黒半目勝"));
    EXPECT_EQ(extractField(name, gameNameKey), QStringLiteral("研究会"));
    const Result<GameRecord> saved = loadRecord(records(), name);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.moves, movesOf({{404, "1"}, {1616, "2"}, {1604, "1"}}));
    EXPECT_FALSE(recoveryFileExists(base));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.messages().join(u'|');
}

TEST_F(RecordingRoadTest, ClosingTheEndOfGameScreenGivesTheBoardBack) {
    registry.show(ScreenId::Start);
    settle();
    press("Command3");
    typeInto(current(), "taikyoku", QStringLiteral("研究会"));
    typeInto(current(), "taikyokushiro", QStringLiteral("山田"));
    typeInto(current(), "taikyokukuro", QStringLiteral("佐藤"));
    press("Command1");
    QPointer<BoardRecordingScreen> recording = board();
    ASSERT_FALSE(recording.isNull());
    clickPoint(recording->surface(), state->geometry, {4, 4});
    press("Command1");
    ASSERT_EQ(currentName(), QStringLiteral("mapshukyoku"));
    current()->close();
    settle();
    ASSERT_FALSE(recording.isNull());
    EXPECT_EQ(current(), recording.data());
    EXPECT_TRUE(recording->isEnabled());
    clickPoint(recording->surface(), state->geometry, {16, 16});
    EXPECT_EQ(state->board.moves.length(), 2);
    recording->controller().writeRecovery(); // what its timer does a moment later
    ASSERT_TRUE(recoveryFileExists(base));
    EXPECT_EQ(readRecoveryFile(base).moves.length(), 2);
}

// The road of a printed diagram: game information, the table, the repeated play the diagram
// lists beside the board, and the board placing every move; the saved record holds what
// playing the moves by the rules gives.
TEST_F(RecordingRoadTest, ADiagramTypedIntoTheTableBecomesASavedRecord) {
    // Black takes the white stone at (2, 2) with 9; white 10 takes back at the point of 8.
    const struct {
        int number;
        Point point;
    } diagram[] = {{1, {2, 1}}, {2, {3, 1}},   {3, {1, 2}}, {4, {4, 2}}, {5, {2, 3}},
                   {6, {3, 3}}, {7, {10, 10}}, {8, {2, 2}}, {9, {3, 2}}};
    const QVector<Point> played = {{2, 1}, {3, 1},   {1, 2}, {4, 2}, {2, 3},
                                   {3, 3}, {10, 10}, {2, 2}, {3, 2}, {2, 2}};

    registry.show(ScreenId::Start);
    settle();
    press("Command2");
    ASSERT_EQ(currentName(), QStringLiteral("maptaikyokujyoho"));
    EXPECT_TRUE(child<QAction>(current(), "zenkai")->isVisible());
    typeInto(current(), "taikyoku", QStringLiteral("名人戦"));
    typeInto(current(), "taikyokushiro", QStringLiteral("甲"));
    typeInto(current(), "taikyokukuro", QStringLiteral("乙"));
    typeInto(current(), "taikyokushobu", QStringLiteral("黒中押勝"));
    press("Command1"); // 手数 0: nothing happens
    EXPECT_EQ(currentName(), QStringLiteral("maptaikyokujyoho"));
    typeInto(current(), "tekazu10", QStringLiteral("1"));
    typeInto(current(), "tekazu1", QStringLiteral("0"));
    press("Command1");
    ASSERT_EQ(currentName(), QStringLiteral("mapsofuenter"));

    auto* table = qobject_cast<TableEntryScreen*>(current());
    ASSERT_NE(table, nullptr);
    auto* load = child<QTimer>(table, "Timer1");
    ASSERT_TRUE(waitUntil([&] { return !load->isActive(); }));
    FlexGrid* grid = table->grid();
    for (const auto& move : diagram) {
        grid->setCurrent(move.point.row, move.point.column);
        test::typeDigits(grid, move.number);
        test::stroke(grid, Qt::Key_Return);
    }
    press("Command1"); // 並べる: move 10 has no point on the diagram
    ASSERT_EQ(currentName(), QStringLiteral("nidouchienter"));
    auto* plays = qobject_cast<RepeatedPlaysScreen*>(current());
    ASSERT_NE(plays, nullptr);
    EXPECT_EQ(plays->grid()->text(1, 0), QStringLiteral("10"));
    test::stroke(plays->grid(), Qt::Key_8);
    press("Command1");

    QPointer<BoardRecordingScreen> recording = board();
    ASSERT_FALSE(recording.isNull());
    EXPECT_EQ(state->board.moves.length(), 12) << "ten stones and two captures placed at once";
    press("Command1"); // 保管して戻る: the result is known
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));

    BoardModel byTheRules;
    for (const Point& p : played)
        ASSERT_EQ(playStone(byTheRules, p).result, PlayResult::Played);
    ASSERT_EQ(recordFiles().size(), 1);
    const Result<GameRecord> saved =
        loadRecord(records(), recordFiles().front().chopped(recordExtension.size()));
    ASSERT_TRUE(saved.ok) << saved.error();
    EXPECT_EQ(saved.moves, byTheRules.moves);
    EXPECT_EQ(saved.metadata.game.result, QStringLiteral("黒中押勝"));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.messages().join(u'|');
}

// A double click on the button that opens the board: the second click of it lands on the board,
// which opened under the pointer, and must not put a stone there.
TEST_F(RecordingRoadTest, ADoubleClickOnTheButtonThatOpensTheBoardPlaysNoStone) {
    const struct {
        const char* what;
        const char* mainMenuButton;
        bool table; // through the table entry's 並べる
        int placed; // entries the board places itself
    } roads[] = {{"次に", "Command3", false, 0}, {"並べる", "Command2", true, 2}};
    for (const auto& road : roads) {
        SCOPED_TRACE(road.what);
        registry.show(ScreenId::Start);
        settle();
        press(road.mainMenuButton);
        ASSERT_EQ(currentName(), QStringLiteral("maptaikyokujyoho"));
        typeInto(current(), "taikyoku", QStringLiteral("研究会"));
        typeInto(current(), "taikyokushiro", QStringLiteral("山田"));
        typeInto(current(), "taikyokukuro", QStringLiteral("佐藤"));
        if (road.table) {
            typeInto(current(), "tekazu1", QStringLiteral("2"));
            press("Command1");
            auto* table = qobject_cast<TableEntryScreen*>(current());
            ASSERT_NE(table, nullptr);
            auto* load = child<QTimer>(table, "Timer1");
            ASSERT_TRUE(waitUntil([&] { return !load->isActive(); }));
            for (const auto& [number, point] : {std::pair{1, Point{4, 4}}, {2, Point{16, 16}}}) {
                table->grid()->setCurrent(point.row, point.column);
                test::typeDigits(table->grid(), number);
                test::stroke(table->grid(), Qt::Key_Return);
            }
        }
        press("Command1"); // the first click of the double click opens the board
        QPointer<BoardRecordingScreen> recording = board();
        ASSERT_FALSE(recording.isNull());
        ASSERT_EQ(state->board.moves.length(), road.placed);

        // The second click, as the window system delivers it to the window now under the
        // pointer: a double click and its release, with no press of its own before.
        QWidget* surface = recording->surface();
        const QPointF at(state->geometry.pointX(10) / 15.0, state->geometry.pointY(10) / 15.0);
        for (const QEvent::Type type : {QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, surface->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(surface, &event);
        }
        settle();
        EXPECT_EQ(state->board.moves.length(), road.placed);
        EXPECT_EQ(state->board.board.cell(Point{10, 10}), Board::Empty);

        // A click the user means still plays, in the colour that comes next.
        clickPoint(recording->surface(), state->geometry, {10, 10});
        ASSERT_EQ(state->board.moves.length(), road.placed + 1);
        EXPECT_EQ(state->board.moves.entry(road.placed + 1).kind, black);

        dialogs.answers = {Dialogs::Answer::Ok};
        press("Command2"); // 保管せずに戻る
        ASSERT_EQ(currentName(), QStringLiteral("mapstart"));
        dialogs.shown.clear();
    }
}

// Escape, pressed where the focus is, does what each screen's return button does: the board's
// asks before it throws the game away, and Cancel keeps it.
TEST_F(RecordingRoadTest, EscapeDoesWhatTheReturnButtonDoes) {
    const auto escape = [this](QWidget* focus = nullptr) {
        QWidget* screen = current();
        QWidget* target = focus ? focus : screen->focusWidget() ? screen->focusWidget() : screen;
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(target, &key);
        settle();
    };
    // Command3: recording by clicks; Command2: by a typed diagram.
    const auto openGameInformation = [this](const char* mainMenuButton) {
        registry.show(ScreenId::Start);
        settle();
        press(mainMenuButton);
        ASSERT_EQ(currentName(), QStringLiteral("maptaikyokujyoho"));
        typeInto(current(), "taikyoku", QStringLiteral("研究会"));
        typeInto(current(), "taikyokushiro", QStringLiteral("山田"));
        typeInto(current(), "taikyokukuro", QStringLiteral("佐藤"));
    };

    openGameInformation("Command3");
    escape(); // 戻る
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));

    openGameInformation("Command2");
    typeInto(current(), "tekazu1", QStringLiteral("2"));
    press("Command1");
    ASSERT_EQ(currentName(), QStringLiteral("mapsofuenter"));
    auto* table = qobject_cast<TableEntryScreen*>(current());
    ASSERT_NE(table, nullptr);
    escape(table->grid()); // 戻る, from the grid that takes the typed keys
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));

    openGameInformation("Command3");
    press("Command1");
    ASSERT_EQ(currentName(), QStringLiteral("mapgoban"));
    // Enough moves for a count, as the board records them.
    for (const Point& p : test::quietPoints(120))
        ASSERT_EQ(playStone(state->board, p).result, PlayResult::Played);
    const MoveList moves = state->board.moves;

    press("Command3"); // 地の計算, asked and answered OK
    ASSERT_EQ(currentName(), QStringLiteral("mapkeisanA"));
    escape(); // 対局画面に戻る
    ASSERT_EQ(currentName(), QStringLiteral("mapgoban"));
    EXPECT_EQ(state->board.moves, moves);

    dialogs.shown.clear();
    dialogs.answers = {Dialogs::Answer::Cancel};
    escape(); // 保管せずに戻る, asked and cancelled
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(currentName(), QStringLiteral("mapgoban"));
    EXPECT_EQ(state->board.moves, moves);

    dialogs.answers = {Dialogs::Answer::Ok};
    escape(); // asked again and answered OK
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));
    EXPECT_EQ(recordFiles().size(), 0);
}

// From the board to the count and back, then to the count again and a saved result.
TEST_F(RecordingRoadTest, CountingTakesTheGameAndGivesItBackOrSavesItsResult) {
    registry.show(ScreenId::Start);
    settle();
    press("Command3");
    typeInto(current(), "taikyoku", QStringLiteral("研究会"));
    typeInto(current(), "taikyokushiro", QStringLiteral("山田"));
    typeInto(current(), "taikyokukuro", QStringLiteral("佐藤"));
    press("Command1");
    ASSERT_NE(board(), nullptr);
    // A game of 120 quiet moves, as the board records it.
    BoardModel& model = state->board;
    for (const Point& p : test::quietPoints(120))
        ASSERT_EQ(playStone(model, p).result, PlayResult::Played);
    const MoveList moves = model.moves;

    press("Command3"); // 地の計算, asked and answered OK
    ASSERT_EQ(currentName(), QStringLiteral("mapkeisanA"));
    press("Command3"); // 対局画面に戻る
    ASSERT_EQ(currentName(), QStringLiteral("mapgoban"));
    EXPECT_EQ(state->board.moves, moves);
    EXPECT_EQ(state->board.play.appliedCount, moves.length());

    press("Command3");
    ASSERT_EQ(currentName(), QStringLiteral("mapkeisanA"));
    press("Command2"); // 保管して対局に戻る
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));
    ASSERT_EQ(recordFiles().size(), 1);
    const QString name = recordFiles().front().chopped(recordExtension.size());
    const Result<GameRecord> saved = loadRecord(records(), name);
    ASSERT_TRUE(saved.ok) << saved.error();
    EXPECT_EQ(saved.moves, moves);
    EXPECT_FALSE(saved.metadata.game.result.isEmpty()) << "the count's result is kept";
    EXPECT_EQ(dialogs.messages(), (QStringList{countingQuestion, countingQuestion}));
}

// Through the table entry to a saved record: the table and the repeated plays show what was
// imported and are confirmed as they stand; the board places every move.
void RecordingRoadTest::placeTheTableAndSave() {
    press("Command1"); // 次に
    ASSERT_EQ(currentName(), QStringLiteral("mapsofuenter"));
    auto* load = child<QTimer>(current(), "Timer1");
    ASSERT_TRUE(waitUntil([&] { return !load->isActive(); }));
    press("Command1"); // 並べる
    if (currentName() == QStringLiteral("nidouchienter"))
        press("Command1"); // 並べる
    ASSERT_EQ(currentName(), QStringLiteral("mapgoban"));
    EXPECT_EQ(child<QLineEdit>(current(), "teme")->text(), QStringLiteral("終局"));
    press("Command1"); // 保管して戻る
}

// The SGF chooser's file, imported by the game information screen, through the table and the
// board to a saved record; then the question about its source, answered yes.
TEST_F(RecordingRoadTest, AnSgfFileChosenInTheChooserBecomesASavedRecordAndMayBeDeleted) {
    const QString source = QDir(base).filePath(QStringLiteral("SGF/ko-game.sgf"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VORLETH_TEST_DATA "/import/ko-game.sgf"), source));
    const Result<SgfImport> byTheReader = importSgfFile(source);
    ASSERT_TRUE(byTheReader.ok);

    registry.show(ScreenId::Start);
    settle();
    press("Command2");
    trigger(current(), "sgfformat");
    settle();
    ASSERT_EQ(currentName(), QStringLiteral("SgfTorikomi"));
    auto* files = child<QListView>(current(), "File1");
    ASSERT_TRUE(waitUntil([&] {
        const QModelIndex root = files->rootIndex();
        return files->model()->rowCount(root) == 1 &&
               files->model()->index(0, 0, root).data().toString() == QStringLiteral("ko-game.sgf");
    })) << "the chooser lists the SGF folder";
    const QModelIndex file = files->model()->index(0, 0, files->rootIndex());
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(file).center());
    press("Command1"); // 取込み実行
    ASSERT_EQ(currentName(), QStringLiteral("maptaikyokujyoho"));
    EXPECT_EQ(child<QComboBox>(current(), "taikyoku")->currentText(), QStringLiteral("コウの練習"));
    EXPECT_EQ(state->record.game.blackPlayer, QStringLiteral("黒田 次郎"));

    placeTheTableAndSave();
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));
    ASSERT_EQ(recordFiles().size(), 1);
    const Result<GameRecord> saved =
        loadRecord(records(), recordFiles().front().chopped(recordExtension.size()));
    ASSERT_TRUE(saved.ok) << saved.error();
    EXPECT_EQ(saved.moves, byTheReader.games.first().moves)
        << "the same game as the command-line import reads";
    EXPECT_EQ(saved.metadata.game.result, QStringLiteral("黒中押勝"));
    // What the import left out of the file is told once, when the game information opens.
    EXPECT_EQ(dialogs.messages(),
              (QStringList{importNotesMessage(
                               {}, {QStringLiteral("1 variation(s) beside the main line ignored")}),
                           sourceDeletionQuestion}));
    EXPECT_FALSE(QFileInfo::exists(source)) << "deleted on yes";
}

// Mail text pasted through the clipboard; the game has no result yet, so the end-of-game
// screen asks for it. There is no source file to ask about.
TEST_F(RecordingRoadTest, PastedMailTextBecomesASavedRecord) {
    // The offscreen platform's clipboard lives in this process; any other is the user's.
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    QFile mail(QStringLiteral(VORLETH_TEST_DATA "/import/mail.txt"));
    ASSERT_TRUE(mail.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(mail.readAll());
    QGuiApplication::clipboard()->setText(text);

    registry.show(ScreenId::Start);
    settle();
    press("Command2");
    trigger(current(), "yahoocopy");
    settle();
    EXPECT_EQ(dialogs.messages(), QStringList{text}) << "the text is shown as pasted";
    EXPECT_EQ(child<QComboBox>(current(), "taikyoku")->currentText(), yahooGameName);

    placeTheTableAndSave();
    ASSERT_EQ(currentName(), QStringLiteral("mapshukyoku"));
    typeInto(current(), "shukyokushobu", QStringLiteral("白中押勝"));
    press("Command1"); // 保管する
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));
    ASSERT_EQ(recordFiles().size(), 1);
    const Result<GameRecord> saved =
        loadRecord(records(), recordFiles().front().chopped(recordExtension.size()));
    ASSERT_TRUE(saved.ok) << saved.error();
    EXPECT_EQ(saved.moves, movesOf({{1604, "1"}, {416, "2"}, {304, "1"}}));
    EXPECT_EQ(dialogs.messages(), QStringList{text}) << "no question about a source file";
}

TEST_F(RecordingRoadTest, ContinuingFromTheReplayGivesTheBoardTheReplayShows) {
    registry.show(ScreenId::Start);
    settle();
    // A stored game in which white's entry 6 takes the black stone at (19, 19).
    GameRecord record;
    record.metadata.game = {QStringLiteral("練習碁"), QStringLiteral("山田"),
                            QStringLiteral("佐藤"), QStringLiteral("白中押勝"),
                            QStringLiteral("6.5")};
    record.moves = movesOf({{404, "1"},
                            {1616, "2"},
                            {1919, "1"},
                            {1918, "2"},
                            {1010, "1"},
                            {1819, "2"},
                            {1919, "+"},
                            {1604, "1"},
                            {416, "2"}});
    const QString name = newRecordName(record.metadata.game, 9, state->now());
    ASSERT_TRUE(textfile::writeFileSafely(recordPath(records(), name),
                                          encodeRecordBody(record, 9, QDate(2024, 1, 1)))
                    .ok);
    ASSERT_TRUE(scanCatalogue(state->catalogue, records()));
    state->replay.stepInterval = 3000;
    registry.show(ScreenId::Replay, ChosenRecord{1});
    settle();
    ASSERT_EQ(currentName(), QStringLiteral("mapkifusaigen"));
    ASSERT_TRUE(waitUntil([&] { return state->replay.gridDrawn; }));
    dialogs.inputs.push_back(QStringLiteral("6")); // up to white's capture
    trigger(current(), "tekazushitei");
    press("Command3");

    ASSERT_EQ(currentName(), QStringLiteral("mapgoban"));
    BoardRecordingScreen* recording = board();
    const BoardGeometry& g = state->geometry;
    EXPECT_EQ(colourAt(recording->surface(), g, 18, 19), whiteColour);
    EXPECT_EQ(colourAt(recording->surface(), g, 19, 19), boardColour) << "taken, not left";
    EXPECT_EQ(colourAt(recording->surface(), g, 16, 4), boardColour) << "not played yet";
    EXPECT_EQ(child<QLineEdit>(recording, "teme")->text(), QStringLiteral("7手目"));
    EXPECT_EQ(state->board.moves.length(), 7);

    // The next click is black's. Continued from its middle, the game is saved as a new record
    // beside the stored one, which keeps all its entries.
    clickPoint(recording->surface(), g, {3, 3});
    EXPECT_EQ(colourAt(recording->surface(), g, 3, 3), blackColour);
    press("Command1");
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));
    const QStringList files = recordFiles();
    ASSERT_EQ(files.size(), 2) << "the stored record stays beside the continued game";
    ASSERT_TRUE(files.contains(name + recordExtension));
    QVector<int> lengths;
    for (const QString& file : files) {
        const Result<GameRecord> saved =
            loadRecord(records(), file.chopped(recordExtension.size()));
        ASSERT_TRUE(saved.ok);
        lengths << saved.moves.length();
    }
    std::sort(lengths.begin(), lengths.end());
    EXPECT_EQ(lengths, (QVector<int>{8, 9}));
    EXPECT_EQ(loadRecord(records(), name).moves, record.moves);
}

TEST_F(RecordingRoadTest, AGameLeftOnTheBoardIsOfferedAtTheNextStart) {
    // What a crash left behind.
    CurrentRecord record;
    record.game = {QStringLiteral("練習碁"), QStringLiteral("甲"), QStringLiteral("乙"), QString(),
                   QStringLiteral("6.5")};
    ASSERT_TRUE(
        writeRecoveryFile(base, record, movesOf({{404, "1"}, {1616, "2"}, {1010, "1"}})).ok);

    registry.show(ScreenId::Start);
    settle(); // the question, answered Yes
    ASSERT_EQ(dialogs.messages(), QStringList{QStringLiteral("前回記録中の対局を復元しますか")});
    ASSERT_EQ(currentName(), QStringLiteral("mapgoban"));
    BoardRecordingScreen* recording = board();
    const BoardGeometry& g = state->geometry;
    EXPECT_EQ(colourAt(recording->surface(), g, 10, 10), blackColour);
    EXPECT_EQ(colourAt(recording->surface(), g, 16, 16), whiteColour);
    EXPECT_EQ(recording->windowTitle(), QStringLiteral("対局名：練習碁　白番：甲 黒番：乙"));

    // Left by a button, the file goes; a later start asks nothing.
    dialogs.shown.clear();
    press("Command2");
    EXPECT_EQ(dialogs.messages().first(), discardQuestion);
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));
    EXPECT_FALSE(recoveryFileExists(base));
}

TEST_F(RecordingRoadTest, AGameNotRestoredIsDeleted) {
    ASSERT_TRUE(writeRecoveryFile(base, {}, movesOf({{404, "1"}})).ok);
    dialogs.answers.push_back(Dialogs::Answer::No);
    registry.show(ScreenId::Start);
    settle();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("前回記録中の対局を復元しますか")});
    EXPECT_EQ(currentName(), QStringLiteral("mapstart"));
    EXPECT_FALSE(recoveryFileExists(base));
}

// One game, three screens: the replay, the board that continues it and the count all give the
// moves played (230 stones among 307 entries with their removals), never the entries.
TEST_F(RecordingRoadTest, EveryScreenCountsTheMovesOfAGameAlike) {
    const QString game = QStringLiteral(
        "対局名（三子局　研究会）白番（高橋）黒番（中村）勝敗（白中押勝）記録日（20231105）"
        "手数（307）時間（211437）参照（20231105）コミ（0）");
    const QString directory = records();
    state->settings.recordDirectory = directory;
    ASSERT_TRUE(QFile::copy(
        QDir(QStringLiteral(VORLETH_TEST_DATA "/replay")).filePath(game + recordExtension),
        recordPath(directory, game)));
    prepareBrowse(*state);
    ASSERT_TRUE(scanCatalogue(state->catalogue, directory));
    ASSERT_EQ(state->catalogue.count(), 1);
    const auto information = [this](const char* box) {
        return child<QPlainTextEdit>(current(), box)->toPlainText();
    };

    registry.show(ScreenId::Replay, ChosenRecord{1});
    settle();
    ASSERT_EQ(currentName(), QStringLiteral("mapkifusaigen"))
        << dialogs.messages().join(u' ').toStdString();
    EXPECT_TRUE(information("taikyokujyoho").contains(QStringLiteral("手数  230")));
    trigger(current(), "saishufu"); // 最終譜まで
    settle();
    press("Command3"); // 続きを打つ
    ASSERT_EQ(currentName(), QStringLiteral("mapgoban"));
    EXPECT_EQ(state->board.play.appliedCount, 307);
    EXPECT_TRUE(information("taikyoku").contains(QStringLiteral("手数:230")))
        << information("taikyoku").toStdString();

    dialogs.answers = {Dialogs::Answer::Ok};
    press("Command3"); // 地の計算
    ASSERT_EQ(currentName(), QStringLiteral("mapkeisanA"));
    EXPECT_TRUE(information("taikyoku").contains(QStringLiteral("手数:230")))
        << information("taikyoku").toStdString();
}

} // namespace
} // namespace vorleth
