#include "support/printers.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"
#include "support/widgets.h"

#include "board/canvas.h"
#include "counting/countdrawing.h"
#include "counting/countingscreen.h"
#include "counting/countpalette.h"
#include "state/sharedstate.h"
#include "store/library.h"
#include "store/workingfiles.h"
#include "ui/drawingsurface.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace vorleth {

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "rgb(" << c.red << "," << c.green << "," << c.blue << ")";
}

namespace {

using test::child;
using test::click;
using test::RecordingNavigator;
using test::ScriptedDialogs;
using test::settle;
using test::trigger;

// Walls two stones thick split the board; three black stones lie dead in White's area and one
// white stone in Black's. Its count: black territory 132, white 149, 白の上蛤 3 stones, 黒の上蛤
// one.
const QString deadStones = [] {
    QStringList rows;
    for (int row = 1; row <= 19; ++row) {
        QString line = QStringLiteral(".......XXOO........");
        if (row == 10)
            line[2] = u'O';
        if (row == 5 || row == 6)
            line[14] = u'X';
        if (row == 15)
            line[16] = u'X';
        rows << line;
    }
    return rows.join(u'\n');
}();
// With 3 stones taken by White and 1 by Black during the game and komi 6.5.
const QString deadStonesCount = QStringLiteral("最終譜の白地=149＋途中の上蛤=3\n"
                                               "          ＋最終譜の上蛤X2=6\n"
                                               "最終譜の黒地=132＋途中の上蛤=1\n"
                                               "          ＋最終譜の上蛤X2=2\n"
                                               "コミ　6.5\n"
                                               "白地　158　黒地　135　差 -29.5\n"
                                               "白29目半勝");

// A full board but for one point, which both searches see from the same distance: the count
// leaves it unassigned.
const QString oneHole = [] {
    QStringList rows;
    for (int row = 1; row <= 19; ++row) {
        if (row < 10)
            rows << QStringLiteral("XXXXXXXXXXOOOOOOOOO");
        else if (row == 10)
            rows << QStringLiteral("XXXXXXXXX.OOOOOOOOO");
        else
            rows << QStringLiteral("XXXXXXXXXOOOOOOOOOO");
    }
    return rows.join(u'\n');
}();

// One entry per stone: a move list that rebuilds the position.
MoveList movesPlacing(const Board& board) {
    MoveList moves;
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            const Point p{column, row};
            if (board.cell(p) != Board::Empty)
                moves.append({p.code(), board.cellText(p)});
        }
    }
    return moves;
}

// Where a count mark shows its colours, as offsets from the point's centre in stone radii: inside
// the square of a territory or a dead stone, and on the disc clear of either square and of the
// grid lines.
struct Offset {
    double dx, dy;
};
constexpr Offset onSquare{0.15, 0.15};
constexpr Offset onDisc{0.7, 0.3};

class CountingScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        state = std::make_unique<SharedState>(temp.path());
        recordDirectory = QDir(temp.path()).filePath(QStringLiteral("Pelloq"));
        ASSERT_TRUE(QDir().mkpath(recordDirectory));
        state->settings.recordDirectory = recordDirectory;
        state->clock = [] { return QDateTime(QDate(2024, 5, 6), QTime(15, 30, 12)); };
        state->geometry = BoardGeometry::forScreenSize(640);
        state->shell.entryMode = 3; // board entry
        state->record.game = {QStringLiteral("練習碁"), QStringLiteral("山田"),
                              QStringLiteral("佐藤"), QString(), QStringLiteral("6.5")};
    }
    void TearDown() override {
        screen.reset();
        settle();
    }

    // The board as the recording screen leaves it.
    void setPosition(const QString& diagram, int prisonersWhite = 3, int prisonersBlack = 1) {
        BoardModel& model = state->board;
        model.board = parseBoardDiagram(diagram);
        model.moves = movesPlacing(model.board);
        model.play.appliedCount = model.moves.length();
        model.play.nextMoveNumber = model.moves.length() + 1;
        model.play.prisonersWhite = prisonersWhite;
        model.play.prisonersBlack = prisonersBlack;
        state->record.moveCount = model.moves.length();
    }

    void open() {
        screen = std::make_unique<CountingScreen>(*state, navigator, dialogs);
        screen->show();
    }

    void mouse(QEvent::Type type, QPointF at, Qt::MouseButton button) {
        QWidget* surface = screen->surface();
        QMouseEvent event(type, at, surface->mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(surface, &event);
    }
    // A press and release at a point's centre.
    void clickAt(Point p, Qt::MouseButton button = Qt::LeftButton) {
        const QPointF at(state->geometry.pointX(p.column) / 15.0,
                         state->geometry.pointY(p.row) / 15.0);
        mouse(QEvent::MouseButtonPress, at, button);
        mouse(QEvent::MouseButtonRelease, at, button);
    }

    CountPalette* palette() const { return screen->findChild<CountPalette*>(); }
    // Clicks a point and picks a button of the palette that opens.
    void correct(Point p, const char* button) {
        clickAt(p);
        ASSERT_NE(palette(), nullptr) << "no palette over " << p.column << "," << p.row;
        click(palette(), button);
        settle();
    }

    QString countText() const { return child<QLabel>(screen.get(), "Label3")->text(); }
    QString information() const {
        return child<QPlainTextEdit>(screen.get(), "taikyoku")->toPlainText();
    }
    Rgb colourAt(Point p, Offset at) const {
        const double r = state->geometry.stoneRadius;
        const QColor c = screen->surface()->pixelAt(state->geometry.pointX(p.column) + at.dx * r,
                                                    state->geometry.pointY(p.row) + at.dy * r);
        return {c.red(), c.green(), c.blue()};
    }
    QStringList recordFiles() const {
        return QDir(recordDirectory).entryList({QStringLiteral("*.IGO")}, QDir::Files);
    }

    QTemporaryDir temp;
    QString recordDirectory;
    std::unique_ptr<SharedState> state;
    ScriptedDialogs dialogs;
    RecordingNavigator navigator;
    std::unique_ptr<CountingScreen> screen;
};

TEST_F(CountingScreenTest, OpensInEitherLayoutWithTheCountAndTheGameInformation) {
    struct Case {
        int screenSize;
        double clientWidth, clientHeight;
    };
    setPosition(deadStones);
    for (const Case c : {Case{640, 8538.75, 6550}, Case{800, 11385, 9000}}) {
        SCOPED_TRACE(c.screenSize);
        state->geometry = BoardGeometry::forScreenSize(c.screenSize);
        state->record.game.result.clear(); // the count of the other layout sets it
        open();
        EXPECT_EQ(screen->objectName(), QStringLiteral("mapkeisanA"));
        EXPECT_EQ(screen->windowTitle(), QStringLiteral("対局名：練習碁　白番：山田 黒番：佐藤"));
        EXPECT_EQ(information(), QStringLiteral("練習碁\n白：山田\n黒：佐藤\n勝負：\n手数:") +
                                     QString::number(state->board.moves.length()));
        EXPECT_EQ(countText(), deadStonesCount);
        EXPECT_EQ(state->record.game.result, QStringLiteral("白29目半勝"));
        EXPECT_EQ(child<QPushButton>(screen.get(), "Command1")->text(),
                  QStringLiteral("保管せずにメインメニュー"));
        EXPECT_EQ(child<QPushButton>(screen.get(), "Command2")->text(),
                  QStringLiteral("保管して対局に戻る"));
        EXPECT_EQ(child<QPushButton>(screen.get(), "Command3")->text(),
                  QStringLiteral("対局画面に戻る"));
        EXPECT_EQ(child<QAction>(screen.get(), "help")->text(), QStringLiteral("ヘルプ"));
        EXPECT_TRUE(child<QAction>(screen.get(), "writeok")->text().isEmpty());
        EXPECT_TRUE(child<QAction>(screen.get(), "writepass")->text().isEmpty());
        EXPECT_EQ(screen->surface()->logicalWidth(), c.clientWidth);
        EXPECT_EQ(screen->surface()->logicalHeight(), c.clientHeight);
        EXPECT_EQ(screen->x(), 0);

        // Every control stands beside the board and inside the client area, and the count
        // text is not cut off.
        const double boardRight = 22 * state->geometry.cellSize;
        const QList<QWidget*> controls =
            screen->surface()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* control : controls) {
            SCOPED_TRACE(control->objectName().toStdString());
            EXPECT_GE(control->x() * 15.0, boardRight);
            EXPECT_LE(control->geometry().right(), screen->surface()->width());
            EXPECT_LE(control->geometry().bottom(), screen->surface()->height());
            for (QWidget* other : controls) {
                EXPECT_TRUE(other == control || !other->geometry().intersects(control->geometry()))
                    << "overlaps " << other->objectName().toStdString();
            }
        }
        auto* label = child<QLabel>(screen.get(), "Label3");
        EXPECT_LE(label->sizeHint().width(), label->width());
        EXPECT_LE(label->sizeHint().height(), label->height());

        // The marks over the board: a live stone, territory, dead stones of either colour.
        const Point centre{10, 10};
        EXPECT_EQ(screen->surface()->pixelAt(state->geometry.pointX(centre.column),
                                             state->geometry.pointY(centre.row)),
                  QColor(Qt::white))
            << "a live white stone";
        EXPECT_EQ(colourAt({1, 1}, onSquare), blackColour) << "black territory";
        EXPECT_EQ(colourAt({1, 1}, onDisc), boardColour) << "a territory square is small";
        EXPECT_EQ(colourAt({19, 19}, onSquare), whiteColour) << "white territory";
        EXPECT_EQ(colourAt({15, 5}, onSquare), whiteColour) << "白の上蛤: a white square";
        EXPECT_EQ(colourAt({15, 5}, onDisc), blackColour) << "on a black stone";
        EXPECT_EQ(colourAt({3, 10}, onSquare), blackColour) << "黒の上蛤: a black square";
        EXPECT_EQ(colourAt({3, 10}, onDisc), whiteColour) << "on a white stone";
        screen.reset();
    }
}

TEST_F(CountingScreenTest, OpeningFromBrowsingAsksForTheSaveAgain) {
    setPosition(deadStones);
    for (const auto& [entryMode, keptFlag] : {std::pair{1, false}, std::pair{3, true}}) {
        SCOPED_TRACE(entryMode);
        state->shell.entryMode = entryMode;
        state->table.skipSaveQuestion = true;
        state->table.tablePosition = 40;
        open();
        EXPECT_EQ(state->table.skipSaveQuestion, keptFlag);
        EXPECT_EQ(state->table.tablePosition, 0);
        EXPECT_EQ(state->board.play.nextMoveNumber, 0);
        screen.reset();
    }
}

// Each button of the palette re-marks the clicked point's whole connected area and the result
// follows.
TEST_F(CountingScreenTest, EveryPaletteButtonCorrectsTheClickedArea) {
    struct Case {
        const char* name;
        Point clicked;
        QString currentMark; // the palette's Label2
        const char* button;
        QString result;
        Point shown; // a point of the corrected area and its colours afterwards
        Rgb squareColour, discColour;
    };
    const Case cases[] = {
        // The whole black wall (38 stones) dies: White gains 2 per stone.
        {"白の上蛤",
         {8, 1},
         QStringLiteral("黒石"),
         "Command3",
         QStringLiteral("白105目半勝"),
         {9, 12},
         whiteColour,
         blackColour},
        {"黒の上蛤",
         {10, 1},
         QStringLiteral("白石"),
         "Command7",
         QStringLiteral("黒46目半勝"),
         {11, 12},
         blackColour,
         whiteColour},
        // Black's 132 points count for nobody; the area is drawn as grey discs.
        {"堰（セキ）",
         {1, 1},
         QStringLiteral("黒地"),
         "Command4",
         QStringLiteral("白161目半勝"),
         {7, 19},
         greyColour,
         greyColour},
        {"黒石: the dead black stones live",
         {15, 6},
         QStringLiteral("白の上蛤"),
         "Command5",
         QStringLiteral("白25目半勝"),
         {15, 5},
         blackColour,
         blackColour},
        {"白石: the dead white stone lives",
         {3, 10},
         QStringLiteral("黒の上蛤"),
         "Command1",
         QStringLiteral("白31目半勝"),
         {3, 10},
         whiteColour,
         whiteColour},
        {"黒地 over White's area",
         {19, 19},
         QStringLiteral("白地"),
         "Command6",
         QStringLiteral("黒268目半勝"),
         {12, 1},
         blackColour,
         boardColour},
        {"白地 over Black's area",
         {1, 1},
         QStringLiteral("黒地"),
         "Command2",
         QStringLiteral("白293目半勝"),
         {4, 4},
         whiteColour,
         boardColour},
        // A neutral point filled by a player is a stone of that colour.
        {"黒のダメ",
         {19, 19},
         QStringLiteral("白地"),
         "Command9",
         QStringLiteral("黒119目半勝"),
         {19, 1},
         blackColour,
         blackColour},
        {"白のダメ",
         {1, 1},
         QStringLiteral("黒地"),
         "Command10",
         QStringLiteral("白161目半勝"),
         {1, 19},
         whiteColour,
         whiteColour},
    };
    setPosition(deadStones);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        clickAt(c.clicked);
        CountPalette* opened = palette();
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(child<QLabel>(opened, "Label2")->text(), c.currentMark);
        EXPECT_FALSE(screen->isEnabled()) << "the palette disables the counting screen";
        click(opened, c.button);
        settle();
        EXPECT_EQ(palette(), nullptr);
        EXPECT_TRUE(screen->isEnabled());
        EXPECT_EQ(countText().section(u'\n', 6), c.result);
        EXPECT_EQ(state->record.game.result, c.result);
        EXPECT_EQ(colourAt(c.shown, onSquare), c.squareColour);
        EXPECT_EQ(colourAt(c.shown, onDisc), c.discColour);
        screen.reset();
    }
}

TEST_F(CountingScreenTest, ARightClickUndoesTheLastCorrectionOnce) {
    setPosition(deadStones);
    open();
    clickAt({1, 1}, Qt::RightButton);
    EXPECT_EQ(countText(), deadStonesCount) << "nothing to undo yet";

    correct({8, 1}, "Command3"); // 白の上蛤
    ASSERT_EQ(state->record.game.result, QStringLiteral("白105目半勝"));
    clickAt({1, 1}, Qt::RightButton);
    EXPECT_EQ(countText(), deadStonesCount);
    EXPECT_EQ(state->record.game.result, QStringLiteral("白29目半勝"));
    EXPECT_EQ(colourAt({9, 12}, onSquare), blackColour) << "the stones drawn again";
    EXPECT_EQ(state->counting.session.grid().at(9, 12), CountMark::BlackStone);

    clickAt({1, 1}, Qt::RightButton);
    EXPECT_EQ(countText(), deadStonesCount) << "a second right click does nothing";
    EXPECT_EQ(state->counting.session.grid().at(9, 12), CountMark::BlackStone);
}

TEST_F(CountingScreenTest, SekiChangedBackIsClearedBeforeItIsDrawn) {
    setPosition(deadStones);
    open();
    correct({1, 1}, "Command4"); // 堰（セキ）
    EXPECT_EQ(colourAt({5, 5}, onDisc), greyColour);
    clickAt({5, 5});
    ASSERT_NE(palette(), nullptr);
    EXPECT_EQ(child<QLabel>(palette(), "Label2")->text(), QStringLiteral("堰・ダメ"));
    click(palette(), "Command6"); // 黒地
    settle();
    EXPECT_EQ(colourAt({5, 5}, onSquare), blackColour);
    EXPECT_EQ(colourAt({5, 5}, onDisc), boardColour) << "no grey left around the square";
    EXPECT_EQ(screen->surface()->pixelAt(state->geometry.pointX(5) + 70, state->geometry.pointY(5)),
              QColor(Qt::black))
        << "the row line drawn again";
    EXPECT_EQ(countText(), deadStonesCount);
}

// However the palette closes without a pick, nothing is corrected and the screen is usable.
TEST_F(CountingScreenTest, ThePaletteClosedWithoutAPickCorrectsNothing) {
    struct Case {
        const char* name;
        std::function<void(CountPalette*)> close;
    };
    const Case cases[] = {
        {"戻る", [](CountPalette* p) { click(p, "Command8"); }},
        {"its close box", [](CountPalette* p) { p->close(); }},
        {"Escape",
         [](CountPalette* p) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(p, &escape);
         }},
    };
    setPosition(deadStones);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        clickAt({19, 19});
        ASSERT_NE(palette(), nullptr);
        c.close(palette());
        settle();
        EXPECT_EQ(palette(), nullptr);
        EXPECT_TRUE(screen->isEnabled());
        EXPECT_FALSE(state->counting.session.correctionPending());
        EXPECT_EQ(countText(), deadStonesCount);

        // The next click asks again rather than applying anything.
        clickAt({19, 19});
        ASSERT_NE(palette(), nullptr);
        click(palette(), "Command6"); // 黒地
        settle();
        EXPECT_EQ(state->record.game.result, QStringLiteral("黒268目半勝"));
        screen.reset();
    }
}

TEST_F(CountingScreenTest, ClicksWhileThePaletteIsOpenDoNotMoveTheCorrection) {
    setPosition(deadStones);
    open();
    clickAt({1, 1});
    ASSERT_NE(palette(), nullptr);
    clickAt({19, 19});            // on the disabled screen
    click(palette(), "Command4"); // 堰（セキ）
    settle();
    EXPECT_EQ(state->counting.session.grid().at(1, 1), CountMark::Seki);
    EXPECT_EQ(state->counting.session.grid().at(19, 19), CountMark::WhiteTerritory);
}

TEST_F(CountingScreenTest, UnassignedPointsAndTheMarginOpenNothing) {
    setPosition(oneHole, 0, 0);
    open();
    ASSERT_EQ(state->counting.session.grid().at(10, 10), CountMark::None);
    clickAt({10, 10});
    EXPECT_EQ(palette(), nullptr);
    const QPointF margin(3, 3);
    mouse(QEvent::MouseButtonPress, margin, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, margin, Qt::LeftButton);
    EXPECT_EQ(palette(), nullptr);
    EXPECT_TRUE(screen->isEnabled());
}

TEST_F(CountingScreenTest, SavingANewGameWritesTheCountedResultAndOffersTheSourceOnce) {
    setPosition(deadStones);
    const QString source = QDir(temp.path()).filePath(QStringLiteral("yahoo.txt"));
    test::touch(source);
    state->import = {source, true};
    open();
    correct({15, 6}, "Command5"); // the dead black stones live: 白25目半勝
    dialogs.answers = {Dialogs::Answer::Yes};
    click(screen.get(), "Command2");

    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_EQ(dialogs.messages(), QStringList{sourceDeletionQuestion});
    EXPECT_FALSE(QFileInfo::exists(source));
    ASSERT_EQ(recordFiles().size(), 1);

    CurrentRecord read;
    read.fileName = recordFiles().first().chopped(4);
    MoveList moves;
    ASSERT_TRUE(readRecord(recordDirectory, read, moves).ok);
    EXPECT_EQ(read.game.result, QStringLiteral("白25目半勝"));
    EXPECT_EQ(moves, state->board.moves);
    EXPECT_EQ(state->catalogue.count(), 1);
    EXPECT_EQ(state->record.selectedIndex, 1);
}

TEST_F(CountingScreenTest, AFailedSaveKeepsTheScreenTheCountAndTheSource) {
    setPosition(deadStones);
    const QString source = QDir(temp.path()).filePath(QStringLiteral("yahoo.txt"));
    test::touch(source);
    state->import = {source, true};
    const QString missing = QDir(temp.path()).filePath(QStringLiteral("gone"));
    state->settings.recordDirectory = missing;
    open();
    correct({15, 6}, "Command5");
    const QString corrected = countText();

    click(screen.get(), "Command2");
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(navigator.shown.empty());
    ASSERT_EQ(dialogs.messages().size(), 1) << "no question about the source";
    EXPECT_TRUE(dialogs.messages().first().startsWith(cannotSaveRecordMessage));
    EXPECT_TRUE(QFileInfo::exists(source));
    EXPECT_EQ(countText(), corrected);
    EXPECT_EQ(state->record.game.result, QStringLiteral("白25目半勝"));
    EXPECT_TRUE(state->record.fileName.isEmpty());
    EXPECT_EQ(state->catalogue.count(), 0);

    // The correction can still be undone, and the save done once the directory is there.
    clickAt({1, 1}, Qt::RightButton);
    EXPECT_EQ(countText(), deadStonesCount);
    ASSERT_TRUE(QDir().mkpath(missing));
    dialogs.shown.clear();
    dialogs.answers = {Dialogs::Answer::No};
    click(screen.get(), "Command2");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(dialogs.messages(), QStringList{sourceDeletionQuestion});
    EXPECT_TRUE(QFileInfo::exists(source)) << "kept as answered";
    const QStringList saved = QDir(missing).entryList({QStringLiteral("*.IGO")}, QDir::Files);
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(saved.first().contains(QStringLiteral("勝敗（白29目半勝）")));
}

TEST_F(CountingScreenTest, LeavingUnsavedOnPurposeSavesNothing) {
    setPosition(deadStones);
    open();
    dialogs.answers = {Dialogs::Answer::Ok};
    trigger(screen.get(), "writepass");
    EXPECT_EQ(dialogs.messages(), QStringList{skipSavingQuestion});
    EXPECT_TRUE(state->table.skipSaveQuestion);

    click(screen.get(), "Command2");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_TRUE(recordFiles().isEmpty());
    EXPECT_FALSE(state->table.skipSaveQuestion);
    EXPECT_EQ(state->record.moveCount, state->board.moves.length());
}

TEST_F(CountingScreenTest, TheCaptionlessMenusSetAndClearTheFlag) {
    setPosition(deadStones);
    open();
    const struct {
        const char* action;
        std::optional<Dialogs::Answer> answer;
        bool before, after;
    } steps[] = {
        {"writepass", Dialogs::Answer::Ok, false, true},
        {"writeok", std::nullopt, true, false},
        {"writepass", Dialogs::Answer::Cancel, true, false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.action);
        state->table.skipSaveQuestion = s.before;
        dialogs.shown.clear();
        if (s.answer)
            dialogs.answers = {*s.answer};
        trigger(screen.get(), s.action);
        EXPECT_EQ(state->table.skipSaveQuestion, s.after);
        EXPECT_EQ(dialogs.shown.size(), s.answer ? 1u : 0u);
    }
    trigger(screen.get(), "help");
    EXPECT_EQ(navigator.besides, std::vector<ScreenId>{ScreenId::Help});
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::counting);
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(CountingScreenTest, LeavingWithoutSavingAsksAndReadsTheWorkingEntryBack) {
    setPosition(deadStones);
    // The diagram entry in progress before this game.
    CurrentRecord previous;
    previous.game = {QStringLiteral("前の対局"), QStringLiteral("甲"), QStringLiteral("乙"),
                     QStringLiteral("白中押勝"), QStringLiteral("5.5")};
    previous.moveCount = 2;
    TableEntryData previousTable;
    previousTable.tableMoves[1] = 1604;
    previousTable.tableMoves[2] = 404;
    ASSERT_TRUE(writeWorkingEntry(state->baseDirectory, previous, previousTable).ok);
    open();

    dialogs.answers = {Dialogs::Answer::Cancel};
    click(screen.get(), "Command1");
    EXPECT_TRUE(screen->isVisible());
    EXPECT_TRUE(navigator.shown.empty());
    EXPECT_GT(state->board.moves.length(), 0);

    dialogs.answers = {Dialogs::Answer::Ok};
    click(screen.get(), "Command1");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_EQ(dialogs.messages(),
              (QStringList{leaveWithoutSavingQuestion, leaveWithoutSavingQuestion}));
    EXPECT_EQ(state->board.moves.length(), 0);
    EXPECT_EQ(state->board.play.appliedCount, 0);
    EXPECT_EQ(state->board.play.nextMoveNumber, 0);
    EXPECT_EQ(state->record.game, previous.game);
    EXPECT_EQ(state->record.moveCount, 2);
    EXPECT_EQ(state->table.tableMoves[1], 1604);
    EXPECT_TRUE(recordFiles().isEmpty());
}

TEST_F(CountingScreenTest, LeavingWithoutSavingReportsAMissingWorkingEntry) {
    setPosition(deadStones);
    open();
    click(screen.get(), "Command1");
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    EXPECT_EQ(dialogs.messages(), (QStringList{leaveWithoutSavingQuestion, noWorkingEntryMessage}));
}

TEST_F(CountingScreenTest, BackToTheBoardKeepsTheGameAndTheCountedResult) {
    setPosition(deadStones);
    const MoveList moves = state->board.moves;
    open();
    correct({3, 10}, "Command1"); // 白31目半勝
    click(screen.get(), "Command3");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(state->table.boardScreenState, 99);
    const std::vector<RecordingNavigator::Call> toTheBoard{{false, ScreenId::BoardRecording, {}}};
    EXPECT_EQ(navigator.calls, toTheBoard);
    EXPECT_EQ(state->record.game.result, QStringLiteral("白31目半勝"));
    EXPECT_EQ(state->board.moves, moves);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(recordFiles().isEmpty());
}

TEST_F(CountingScreenTest, AGameFromTheLibraryIsShownAndSavedUnderItsKeptNames) {
    setPosition(deadStones);
    state->record.game.result = QStringLiteral("打掛");
    ASSERT_TRUE(saveRecord(recordDirectory, state->catalogue, state->record, state->board.moves,
                           QDateTime(QDate(2024, 1, 1), QTime(9, 5, 3)))
                    .ok);
    const QString oldName = state->record.fileName;
    // What is left in the current record from elsewhere does not name the game.
    state->record.game.gameName = QStringLiteral("別の対局");
    state->record.game.result = QString();
    state->record.fileName.clear();
    open();
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("対局名：練習碁　白番：山田 黒番：佐藤"));
    EXPECT_TRUE(information().contains(QStringLiteral("\n勝負：打掛\n")));
    EXPECT_EQ(state->record.fileName, oldName);

    click(screen.get(), "Command2");
    EXPECT_FALSE(screen->isVisible());
    EXPECT_EQ(recordFiles().size(), 1) << "the new version replaces the old";
    EXPECT_NE(state->record.fileName, oldName);
    ASSERT_EQ(state->catalogue.count(), 1);
    EXPECT_EQ(state->catalogue.entry(1).game.result, QStringLiteral("白29目半勝"));
    EXPECT_EQ(state->catalogue.entry(1).game.gameName, QStringLiteral("練習碁"));
}

// A game of GNU Go against itself (scripts/gnugo_selfplay.py, seed 3, komi 6.5), 218 stones
// until both passed, in GTP coordinates from Black's first move. GNU Go scores its end B+26.5
// under Japanese rules, with 7 stones taken by White during the game.
const char* const gnugoGame =
    "D4 Q16 P3 K5 C17 D6 F4 C4 C3 C5 B3 C10 R14 R3 Q5 S5 R11 F16 C14 N3 L3 O17 S16 R17 M17 "
    "S17 J17 N5 J4 R6 N2 O2 O3 M2 N4 M3 M4 K4 K3 P2 M5 N6 J5 R9 A6 K6 M6 O4 M7 O8 O5 P4 O7 "
    "P5 P6 Q3 J7 J1 H2 J15 M15 S15 S14 R16 F14 G15 J13 N10 L10 N12 L12 E10 P11 D13 O9 O10 "
    "P10 N9 N7 F12 P9 N8 P8 D14 G14 C15 B15 E15 R8 S8 Q8 H13 S7 O15 O13 S9 R7 B14 C16 C13 "
    "A16 H17 J16 H14 H18 J12 H7 B7 J2 T14 S11 Q6 T13 K13 H10 F7 E17 G17 G18 H16 N18 O18 G8 "
    "K16 K17 N14 N13 T15 L16 B6 K1 P14 J11 S13 P13 R13 O19 P19 N19 Q18 K12 H12 F9 E9 G7 F6 "
    "F8 A5 E8 K15 D8 C8 D9 D10 L13 K14 S6 R5 T5 T4 T6 S3 G6 B4 A3 D16 D17 E5 E4 S12 L2 T11 "
    "T10 T12 S10 F10 Q13 Q14 N16 E16 C9 B9 C7 B8 D7 N17 L18 R12 Q12 R15 F5 E6 N15 O14 A4 A7 "
    "O16 P16 C6 D5 F17 H11 J10 G10 G9 M1 L1 M14 L15 M13 M12 Q7 P7 A14 A15 L14 E7 B5";

Point gtpPoint(const QString& vertex) {
    static const QString letters = QStringLiteral("ABCDEFGHJKLMNOPQRST"); // no I
    return {static_cast<int>(letters.indexOf(vertex.at(0))) + 1, 20 - vertex.mid(1).toInt()};
}

// From the recording board's last stone to a saved result: the game is played through the
// play rules as the board screen records it, counted, corrected, saved and read back.
TEST_F(CountingScreenTest, FromABoardOfMoreThanAHundredMovesToASavedResult) {
    NullBoardView nothingShown;
    BoardModel& model = state->board;
    model.play.nextMoveNumber = 1;
    for (const QString& vertex : QString::fromLatin1(gnugoGame).split(u' ')) {
        const Point p = gtpPoint(vertex);
        ASSERT_EQ(model.board.cell(p), Board::Empty) << vertex.toStdString();
        ASSERT_EQ(playStone(model, p, nothingShown), PlayResult::Played);
    }
    ASSERT_GT(model.play.appliedCount, 100);
    ASSERT_EQ(model.play.prisonersWhite, 7);
    ASSERT_EQ(model.play.prisonersBlack, 0);
    state->record.game = {QStringLiteral("自己対局"), QStringLiteral("GNU Go"),
                          QStringLiteral("GNU Go"), QString(), QStringLiteral("6.5")};
    state->record.moveCount = 218;
    open();

    // Unassisted, the count agrees with GNU Go's own score of the game.
    EXPECT_EQ(state->record.game.result, QStringLiteral("黒26目半勝"));
    EXPECT_EQ(countText().section(u'\n', 5, 5), QStringLiteral("白地　83　黒地　116　差 26.5"));

    // The user holds the three white stones at K6..K4 (10, 14..16) alive after all: Black loses
    // their six points, and then thinks better of it.
    ASSERT_EQ(state->counting.session.grid().at(10, 14), CountMark::DeadWhite);
    correct({10, 14}, "Command1"); // 白石
    EXPECT_EQ(state->record.game.result, QStringLiteral("黒20目半勝"));
    clickAt({10, 14}, Qt::RightButton);
    EXPECT_EQ(state->record.game.result, QStringLiteral("黒26目半勝"));
    // The dead black stone at (18, 4) is called a seki point instead: White loses its two.
    correct({18, 4}, "Command4");
    const QString result = state->record.game.result;
    EXPECT_EQ(result, QStringLiteral("黒28目半勝"));

    click(screen.get(), "Command2");
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
    ASSERT_EQ(recordFiles().size(), 1);
    CurrentRecord read;
    read.fileName = recordFiles().first().chopped(4);
    MoveList moves;
    ASSERT_TRUE(readRecord(recordDirectory, read, moves).ok);
    EXPECT_EQ(read.game.result, result);
    EXPECT_EQ(read.game.gameName, QStringLiteral("自己対局"));
    EXPECT_EQ(moves, model.moves);

    // The saved game rebuilds to the position that was counted.
    BoardModel rebuilt;
    rebuilt.moves = moves;
    rebuildPosition(rebuilt, moves.length(), read.game.gameName, nothingShown);
    EXPECT_EQ(boardDiagram(rebuilt.board), boardDiagram(model.board));
}

} // namespace
} // namespace vorleth
