#pragma once

// The counting screen opened over a board as the recording screen leaves it, driven as a user
// drives it.

#include "support/printers.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"
#include "support/widgets.h"

#include "board/canvas.h"
#include "counting/countdrawing.h"
#include "screens/counting/countingscreen.h"
#include "screens/counting/countpalette.h"
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

inline void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "rgb(" << c.red << "," << c.green << "," << c.blue << ")";
}

namespace countingtest {

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

// Black's left half and white's right half, one point between them that the enclosure searches
// leave to nobody.
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

// Two walls with a column of neutral points between them: every count leaves the column
// unassigned.
const QString neutralColumn = [] {
    QStringList rows;
    for (int row = 1; row <= 19; ++row)
        rows << QStringLiteral("........X.O........");
    return rows.join(u'\n');
}();

// One entry per stone: a move list that rebuilds the position.
inline MoveList movesPlacing(const Board& board) {
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
    // The result the count stands at; the record gets it only when the game is saved.
    QString countedResult() const { return screen->controller().session().result().result; }
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

} // namespace countingtest
} // namespace vorleth
