#include "screens/counting/countingscreentest.h"

#include "counting/guesschoice.h"

namespace vorleth::countingtest {
namespace {

TEST_F(CountingScreenTest, OpensInEitherLayoutWithTheCountAndTheGameInformation) {
    struct Case {
        int screenSize;
        double clientWidth, clientHeight;
    };
    setPosition(deadStones);
    for (const Case c : {Case{640, 8538.75, 6550}, Case{800, 11385, 9000}}) {
        SCOPED_TRACE(c.screenSize);
        state->geometry = BoardGeometry::forScreenSize(c.screenSize);
        open();
        EXPECT_EQ(screen->objectName(), QStringLiteral("mapkeisanA"));
        EXPECT_EQ(screen->windowTitle(), QStringLiteral("対局名：練習碁　白番：山田 黒番：佐藤"));
        EXPECT_EQ(information(), QStringLiteral("練習碁\n白：山田\n黒：佐藤\n勝負：\n手数:") +
                                     QString::number(state->board.moves.length()));
        EXPECT_EQ(countText(), deadStonesCount);
        EXPECT_EQ(countedResult(), QStringLiteral("白29目半勝"));
        EXPECT_TRUE(state->record.game.result.isEmpty()) << "the count is not saved yet";
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
        // No taller than the layout asks, nor than the screen size leaves under a title bar;
        // the last row's stones always on it.
        EXPECT_LE(screen->surface()->logicalHeight(), c.clientHeight);
        EXPECT_GE(screen->surface()->logicalHeight(),
                  state->geometry.pointY(19) + state->geometry.stoneRadius);
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
        state->counting.skipSaveQuestion = true;
        state->table.tablePosition = 40;
        open();
        EXPECT_EQ(state->counting.skipSaveQuestion, keptFlag);
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
        EXPECT_EQ(countedResult(), c.result);
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
    ASSERT_EQ(countedResult(), QStringLiteral("白105目半勝"));
    clickAt({1, 1}, Qt::RightButton);
    EXPECT_EQ(countText(), deadStonesCount);
    EXPECT_EQ(countedResult(), QStringLiteral("白29目半勝"));
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
        EXPECT_EQ(countedResult(), QStringLiteral("黒268目半勝"));
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

// The count leaves the hole to nobody; the user gives it to White, takes it back, and calls
// it neutral, each through the palette.
TEST_F(CountingScreenTest, AnUnassignedPointIsCorrectedThroughThePalette) {
    // The hole is the centre star point: its square is looked at beside the star dot, on the
    // larger board where there is room between the dot and the square's outline.
    constexpr Offset besideTheStar{0.25, 0.25};
    state->geometry = BoardGeometry::forScreenSize(800);
    // The enclosure searches (従来の判定) leave the hole to nobody; the estimate may not.
    ASSERT_TRUE(writeCountGuess(state->baseDirectory, CountGuess::Traditional).ok);
    setPosition(oneHole, 0, 0);
    state->record.game.komi = QStringLiteral("0");
    open();
    ASSERT_EQ(state->counting.session.grid().at(10, 10), CountMark::None);
    ASSERT_EQ(countedResult(), QStringLiteral("持碁"));
    correct({10, 10}, "Command2"); // 白地
    EXPECT_EQ(countedResult(), QStringLiteral("白1目勝"));
    EXPECT_EQ(colourAt({10, 10}, besideTheStar), whiteColour);

    correct({10, 10}, "Command11"); // ダメ: nobody's
    EXPECT_EQ(state->counting.session.grid().at(10, 10), CountMark::None);
    EXPECT_EQ(countedResult(), QStringLiteral("持碁"));
    EXPECT_EQ(colourAt({10, 10}, besideTheStar), boardColour) << "the square is gone";
    EXPECT_EQ(
        screen->surface()->pixelAt(state->geometry.pointX(10) + 70, state->geometry.pointY(10)),
        QColor(Qt::black))
        << "the row line drawn again";

    clickAt({1, 1}, Qt::RightButton);
    EXPECT_EQ(countedResult(), QStringLiteral("白1目勝"));
    EXPECT_EQ(colourAt({10, 10}, besideTheStar), whiteColour);
}

TEST_F(CountingScreenTest, TheMarginOpensNothing) {
    setPosition(oneHole, 0, 0);
    open();
    const QPointF margin(3, 3);
    mouse(QEvent::MouseButtonPress, margin, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, margin, Qt::LeftButton);
    EXPECT_EQ(palette(), nullptr);
    EXPECT_TRUE(screen->isEnabled());
}

} // namespace
} // namespace vorleth::countingtest
