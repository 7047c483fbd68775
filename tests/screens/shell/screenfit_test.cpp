// Every screen, with its title bar and frame, fits in the screen size the program is laid out
// for, keeps its controls inside itself, and help opening beside it leaves its controls free.

#include "app/screens.h"
#include "shell/settingsfile.h"
#include "state/sharedstate.h"
#include "support/scripteddialogs.h"
#include "support/widgets.h"
#include "ui/screenarea.h"
#include "ui/screenregistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::settle;

// A control's rectangle in its window, and whether the window shows all of it.
bool insideItsWindow(const QWidget* control) {
    const QWidget* window = control->window();
    const QRect inWindow(control->mapTo(window, QPoint(0, 0)), control->size());
    return window->rect().contains(inWindow);
}

QList<QRect> controlsOf(const QWidget* window) {
    QList<QRect> rects;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isVisible() &&
            (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w)))
            rects << QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    }
    return rects;
}

class ScreenFitTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        const QString base = QDir(m_temp.path()).filePath(QStringLiteral("Vorleth"));
        for (const char* name : {"SGF", "Pelloq", "Pelloq写真"})
            ASSERT_TRUE(QDir(base).mkpath(QString::fromUtf8(name)));
        state = std::make_unique<SharedState>(base);
        ASSERT_TRUE(writeSettings(base, Settings{QDir(base).filePath(QStringLiteral("Pelloq")),
                                                 QStringLiteral("PASS"), GetParam()})
                        .ok);
        registerScreens(registry, *state, dialogs);
        registry.show(ScreenId::Start); // reads the settings: the layout of the screen size
        ASSERT_EQ(state->geometry.large(), GetParam() == 800);
    }
    void TearDown() override { test::closeEveryWindow(); }
    bool large() const { return GetParam() == 800; }

    void expectFits(const QWidget* window) {
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->objectName().toStdString());
        const QRect area = chosenScreenArea(window, large());
        EXPECT_EQ(area.size(), chosenScreenSize(large())) << "the test screen is large enough";
        EXPECT_TRUE(area.contains(outerRect(window)))
            << "outer " << outerRect(window).width() << "x" << outerRect(window).height() << " at "
            << window->x() << "," << window->y();
        for (const QWidget* control : window->findChildren<QAbstractButton*>()) {
            if (control->isVisible()) {
                EXPECT_TRUE(insideItsWindow(control))
                    << control->objectName().toStdString() << " falls off its window";
            }
        }
    }

    QTemporaryDir m_temp;
    std::unique_ptr<SharedState> state;
    test::ScriptedDialogs dialogs;
    ScreenRegistry registry;
};

TEST_P(ScreenFitTest, EveryScreenFitsWithItsTitleBar) {
    const ScreenId screens[] = {
        ScreenId::Start,         ScreenId::RecordList,    ScreenId::GameNameChooser,
        ScreenId::PlayerChooser, ScreenId::GameInfo,      ScreenId::SgfChooser,
        ScreenId::TableEntry,    ScreenId::RepeatedPlays, ScreenId::BoardRecording,
        ScreenId::Counting,      ScreenId::Setup,         ScreenId::ScreenSize,
    };
    for (ScreenId id : screens) {
        registry.show(id);
        settle();
        expectFits(registry.current());
    }
}

TEST_P(ScreenFitTest, TheBoardScreensShowTheWholeBoard) {
    for (ScreenId id : {ScreenId::BoardRecording, ScreenId::Counting}) {
        registry.show(id);
        settle();
        QWidget* screen = registry.current();
        ASSERT_NE(screen, nullptr);
        const QWidget* board = screen->findChild<QWidget*>(QStringLiteral("board"));
        ASSERT_NE(board, nullptr);
        // The last row's stones and every control beside the board lie on the surface.
        const BoardGeometry& g = state->geometry;
        EXPECT_GE(board->height() * 15.0, g.pointY(19) + g.stoneRadius);
        for (const QWidget* control : board->findChildren<QWidget*>())
            EXPECT_TRUE(board->rect().contains(control->geometry()))
                << control->objectName().toStdString();
    }
}

// At 800 x 600 there is no room beside a board screen: help goes over the board, not over the
// buttons and boxes one needs while reading it.
TEST_P(ScreenFitTest, HelpBesideABoardScreenLeavesItsControlsFree) {
    for (ScreenId id : {ScreenId::BoardRecording, ScreenId::Counting, ScreenId::RecordList}) {
        registry.show(id);
        settle();
        QWidget* screen = registry.current();
        ASSERT_NE(screen, nullptr);
        SCOPED_TRACE(screen->objectName().toStdString());
        registry.showHelp(helpcode::boardRecording);
        settle();
        QWidget* help = registry.beside(ScreenId::Help);
        ASSERT_NE(help, nullptr);
        expectFits(help);
        const QRect helpFrame = outerRect(help);
        for (const QRect& control : controlsOf(screen)) {
            if (id != ScreenId::RecordList) {
                EXPECT_FALSE(helpFrame.intersects(control))
                    << "help " << helpFrame.x() << "," << helpFrame.y() << " " << helpFrame.width()
                    << "x" << helpFrame.height() << " covers a control at " << control.x() << ","
                    << control.y();
            }
        }
        help->close();
        settle();
    }
}

TEST_P(ScreenFitTest, TheRecordListShowsItsColumns) {
    registry.show(ScreenId::RecordList);
    settle();
    auto* grid = registry.current()->findChild<QTableView*>(QStringLiteral("Grid1"));
    ASSERT_NE(grid, nullptr);
    int columns = 0;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        columns += grid->columnWidth(c);
    EXPECT_LE(columns, grid->viewport()->width());
}

INSTANTIATE_TEST_SUITE_P(BothScreenSizes, ScreenFitTest, ::testing::Values(640, 800));

} // namespace
} // namespace vorleth
