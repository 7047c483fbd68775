#include "screens/store/chooserscreens.h"
#include "screens/store/recordlistscreen.h"
#include "state/sharedstate.h"
#include "support/printers.h"
#include "support/recordingnavigator.h"
#include "support/recordspec.h"
#include "support/testfiles.h"
#include "ui/flexgrid.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <QKeyEvent>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <type_traits>

namespace vorleth {
namespace {

using test::RecordingNavigator;
using test::RecordSpec;

// Four games; by default (most recently referenced first) they are listed
// 新春杯, 春季大会2, 春季大会, 春の例会.
const QVector<RecordSpec> kLibrary = {
    {u"春季大会"_qs, u"山田"_qs, u"佐藤"_qs, u"白中押勝"_qs, u"20071101"_qs, 120, u"103000"_qs,
     u"20071105"_qs, u"6目半"_qs},
    {u"春季大会2"_qs, u"鈴木"_qs, u"山田"_qs, u"黒3目半勝"_qs, u"20071102"_qs, 99, u"113000"_qs,
     u"20071105"_qs, u"6目半"_qs},
    {u"新春杯"_qs, u"佐藤"_qs, u"田中"_qs, u"白中押勝"_qs, u"20071103"_qs, 7, u"140000"_qs,
     u"20071105"_qs, u"6目半"_qs},
    {u"春の例会"_qs, u"田中"_qs, u"鈴木"_qs, u"黒中押勝"_qs, u"20071020"_qs, 250, u"101500"_qs,
     u"20071030"_qs, u"6目半"_qs},
};

// Sends the events a user's mouse produces; QAbstractItemView reacts to them as to real clicks.
void sendMouse(QWidget* widget, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget* widget, QPoint at) {
    sendMouse(widget, QEvent::MouseButtonPress, at);
    sendMouse(widget, QEvent::MouseButtonRelease, at);
}

void doubleClick(QWidget* widget, QPoint at) {
    click(widget, at);
    sendMouse(widget, QEvent::MouseButtonDblClick, at);
    sendMouse(widget, QEvent::MouseButtonRelease, at);
}

QPoint cellCentre(QTableView* view, int row, int column) {
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    return view->visualRect(index).center();
}

void clickRow(QTableView* view, int row, int column = 1) {
    click(view->viewport(), cellCentre(view, row, column));
}

void doubleClickRow(QTableView* view, int row) {
    doubleClick(view->viewport(), cellCentre(view, row, 1));
}

void clickHeadingOf(QTableView* view, int column) {
    QHeaderView* header = view->horizontalHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    click(header->viewport(), QPoint(x, header->height() / 2));
}

// The texts of a column of the grid, top to bottom.
QStringList columnTexts(QTableView* view, int column) {
    QStringList texts;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

QAction* actionNamed(QMainWindow* window, const char* name) {
    auto* action = window->findChild<QAction*>(QString::fromUtf8(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
}

// The menu of the menu bar that holds an action, by its title.
QString menuTitleOf(QMainWindow* window, QAction* action) {
    for (QAction* top : window->menuBar()->actions()) {
        if (top == action)
            return top->text();
        if (top->menu() && top->menu()->actions().contains(action))
            return top->menu()->title();
    }
    return QString();
}

class RecordListTest : public ::testing::Test {
public:
    RecordListTest() {
        state.settings.recordDirectory = QDir(base.path()).filePath(QStringLiteral("Pelloq"));
        QDir().mkpath(state.settings.recordDirectory);
        state.replay.stepInterval = 500;
    }
    ~RecordListTest() override {
        for (const QPointer<QWidget>& screen : screens)
            delete screen.data();
    }

    void addRecords(const QVector<RecordSpec>& records) {
        const QDir dir(state.settings.recordDirectory);
        for (const RecordSpec& r : records)
            test::touch(dir.filePath(test::recordName(r) + ".IGO"));
    }

    template <typename Screen> Screen* open() {
        auto* screen = new Screen(state, navigator);
        screens.append(screen);
        screen->show();
        QApplication::processEvents();
        return screen;
    }

    RecordListScreen* openList() {
        list = open<RecordListScreen>();
        grid = list->findChild<QTableView*>(QStringLiteral("Grid1"));
        EXPECT_NE(grid, nullptr);
        return list;
    }

    QString status() const {
        return list->findChild<QLineEdit*>(QStringLiteral("statusBox"))->text();
    }
    QString total() const {
        return list->findChild<QLineEdit*>(QStringLiteral("totalBox"))->text();
    }
    QStringList gameNames() const { return columnTexts(grid, 1); }
    void press(const char* button) {
        list->findChild<QPushButton*>(QString::fromUtf8(button))->click();
    }

    // Whether the screen has handed over: it is closed and goes away.
    template <typename Screen> static bool closedAndDeleted(const QPointer<Screen>& screen) {
        if (screen && screen->isVisible())
            return false;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return screen.isNull();
    }

    QTemporaryDir base;
    SharedState state{base.path()};
    RecordingNavigator navigator;
    QList<QPointer<QWidget>> screens; // every screen opened, deleted at the end
    QPointer<RecordListScreen> list;
    QTableView* grid = nullptr;
};

TEST_F(RecordListTest, EmptyLibraryKeepsFourEmptyRows) {
    openList();
    EXPECT_EQ(total(), u"0"_qs);
    EXPECT_EQ(status(), u"お望みの対局は見つかりません"_qs);
    ASSERT_EQ(grid->model()->rowCount(), 4);
    for (int column = 0; column < 9; ++column)
        EXPECT_EQ(columnTexts(grid, column), QStringList(4, QString())) << column;

    // An empty row chooses nothing.
    clickRow(grid, 0);
    EXPECT_EQ(state.record.selectedIndex, 0);
    press("Command1");
    EXPECT_EQ(status(), u"対局を選んでください"_qs);
    EXPECT_TRUE(navigator.calls.empty());
}

TEST_F(RecordListTest, ScreenCarriesItsTextsHeadingsAndWidths) {
    addRecords(kLibrary);
    // The widths as laid out, on the screen size with room for them (at 640 x 480 the texts
    // give up some width so that every column stays in view).
    state.geometry = BoardGeometry::forScreenSize(800);
    openList();
    EXPECT_EQ(list->objectName(), u"maptaikyokulist"_qs);
    EXPECT_EQ(list->windowTitle(), u"Vorleth　対局一覧表"_qs);
    QStringList labels;
    for (const QLabel* label : list->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(u"対局一覧表"_qs));
    EXPECT_TRUE(labels.contains(
        u"リストをダブルクリックしても選局できます　見出しをクリックすると並びが変わります"_qs));
    EXPECT_TRUE(labels.contains(u"総対局数"_qs));
    EXPECT_EQ(list->findChild<QPushButton*>(u"Command1"_qs)->text(), u"選んだ対局を並べる"_qs);
    EXPECT_EQ(list->findChild<QPushButton*>(u"Command2"_qs)->text(), u"戻る"_qs);

    const struct {
        const char16_t* heading;
        int twips;
    } columns[] = {{u"番号", 500},   {u"対局名", 2000}, {u"白番", 1400},
                   {u"黒番", 1400},  {u"勝負", 1400},   {u"手数", 600},
                   {u"対局日", 830}, {u"参照日", 830},  {u"番号", 600}};
    ASSERT_EQ(grid->model()->columnCount(), 9);
    for (int column = 0; column < 9; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(grid->model()->headerData(column, Qt::Horizontal).toString(),
                  QString::fromUtf16(columns[column].heading));
        if (column == 6 || column == 7) {
            // Date columns keep at least their width and always show a whole date.
            EXPECT_GE(grid->columnWidth(column), qRound(columns[column].twips / 15.0));
            EXPECT_GT(grid->columnWidth(column),
                      grid->fontMetrics().horizontalAdvance(u"20071105"_qs));
        } else {
            EXPECT_EQ(grid->columnWidth(column), qRound(columns[column].twips / 15.0));
        }
    }

    const struct {
        const char* action;
        const char16_t* caption;
        const char16_t* menu;
    } menus[] = {
        {"selectAll", u"全局選局", u"選局"},
        {"selectByGameName", u"対局名で選局", u"選局"},
        {"selectByPlayer", u"対局者で選局", u"選局"},
        {"sort_taikyokumei", u"対局名", u"並べ替え"},
        {"sort_torokubi", u"登録日", u"並べ替え"},
        {"sort_sanshobi", u"参照日", u"並べ替え"},
        {"F4HELP", u"ヘルプ", u"ヘルプ"},
    };
    for (const auto& m : menus) {
        SCOPED_TRACE(m.action);
        QAction* action = actionNamed(list, m.action);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf16(m.caption));
        EXPECT_EQ(menuTitleOf(list, action), QString::fromUtf16(m.menu));
    }
}

TEST_F(RecordListTest, EnteringShowsTheWholeLibraryMostRecentlyReferencedFirst) {
    addRecords(kLibrary);
    state.recordList.sortMode = 3;
    openList();
    EXPECT_EQ(total(), u"4"_qs);
    EXPECT_EQ(status(), u"4 局　選局しました"_qs);
    EXPECT_EQ(gameNames(),
              (QStringList{u"新春杯"_qs, u"春季大会2"_qs, u"春季大会"_qs, u"春の例会"_qs}));
    EXPECT_EQ(columnTexts(grid, 0), (QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs}));
    // The last column carries the catalogue position: the listing is in name order.
    const int positionOfShinshunhai = columnTexts(grid, 8).at(0).toInt();
    ASSERT_TRUE(positionOfShinshunhai >= 1 && positionOfShinshunhai <= 4);
    EXPECT_EQ(state.catalogue.entry(positionOfShinshunhai).game.gameName, u"新春杯"_qs);
    EXPECT_EQ(grid->model()->index(0, 2).data().toString(), u"佐藤"_qs);
    EXPECT_EQ(grid->model()->index(0, 3).data().toString(), u"田中"_qs);
    EXPECT_EQ(grid->model()->index(0, 4).data().toString(), u"白中押勝"_qs);
    EXPECT_EQ(grid->model()->index(0, 5).data().toString(), u"7"_qs);
    EXPECT_EQ(grid->model()->index(0, 6).data().toString(), u"20071103"_qs);
    EXPECT_EQ(grid->model()->index(0, 7).data().toString(), u"20071105"_qs);
}

TEST_F(RecordListTest, HeadingClicksToggleEachColumnOnItsOwn) {
    addRecords(kLibrary);
    openList();
    const QStringList byCountDescending{u"250"_qs, u"120"_qs, u"99"_qs, u"7"_qs};
    const QStringList byCountAscending{u"7"_qs, u"99"_qs, u"120"_qs, u"250"_qs};
    const QStringList byNameDescending{u"春季大会2"_qs, u"春季大会"_qs, u"春の例会"_qs,
                                       u"新春杯"_qs};
    const QStringList byNameAscending{u"新春杯"_qs, u"春の例会"_qs, u"春季大会"_qs,
                                      u"春季大会2"_qs};
    const struct {
        int column;
        int checkedColumn;
        QStringList expected;
    } clicks[] = {
        {5, 5, byCountDescending}, // first click: descending
        {5, 5, byCountAscending},  // second: ascending
        {1, 1, byNameDescending},  // another column starts with its own first click
        {5, 5, byCountDescending}, // 手数 goes on from where it was
        {1, 1, byNameAscending},
        {2, 2, {u"鈴木"_qs, u"田中"_qs, u"山田"_qs, u"佐藤"_qs}},
        {6, 6, {u"20071103"_qs, u"20071102"_qs, u"20071101"_qs, u"20071020"_qs}},
        // The row-number and position headings leave the order as it was.
        {0, 6, {u"20071103"_qs, u"20071102"_qs, u"20071101"_qs, u"20071020"_qs}},
        {8, 6, {u"20071103"_qs, u"20071102"_qs, u"20071101"_qs, u"20071020"_qs}},
    };
    int step = 0;
    for (const auto& c : clicks) {
        SCOPED_TRACE(::testing::Message() << "click " << ++step << " on column " << c.column);
        clickHeadingOf(grid, c.column);
        EXPECT_EQ(columnTexts(grid, c.checkedColumn), c.expected);
        EXPECT_EQ(columnTexts(grid, 0), (QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs}));
    }
    EXPECT_EQ(total(), u"4"_qs);
}

TEST_F(RecordListTest, SortingKeepsTheChosenRecord) {
    addRecords(kLibrary);
    openList();
    clickRow(grid, 1, 3); // 春季大会2, clicked in the black player's column
    const int chosen = state.record.selectedIndex;
    ASSERT_TRUE(chosen >= 1 && chosen <= 4);
    EXPECT_EQ(state.catalogue.entry(chosen).game.gameName, u"春季大会2"_qs);

    // The catalogue is not scanned again: a record added meanwhile stays out of the list.
    addRecords({{u"秋季大会"_qs, u"甲"_qs, u"乙"_qs, u"黒中押勝"_qs, u"20071201"_qs, 50,
                 u"120000"_qs, u"20071201"_qs, u"6目半"_qs}});
    clickHeadingOf(grid, 5);
    EXPECT_EQ(state.record.selectedIndex, chosen);
    EXPECT_EQ(grid->model()->rowCount(), 4);
    const int highlighted = grid->currentIndex().row();
    ASSERT_GE(highlighted, 0);
    EXPECT_EQ(grid->model()->index(highlighted, 8).data().toInt(), chosen);
    EXPECT_EQ(highlighted, 2); // 250, 120, 99, 7

    actionNamed(list, "sort_taikyokumei")->trigger();
    EXPECT_EQ(state.record.selectedIndex, chosen);
    EXPECT_EQ(grid->model()->index(grid->currentIndex().row(), 1).data().toString(),
              u"春季大会2"_qs);
}

TEST_F(RecordListTest, MenuSortsLeaveTheHeadingDirections) {
    addRecords(kLibrary);
    openList();
    const struct {
        const char* action;
        int column;
        QStringList expected;
    } sorts[] = {
        {"sort_taikyokumei", 1, {u"新春杯"_qs, u"春の例会"_qs, u"春季大会"_qs, u"春季大会2"_qs}},
        {"sort_torokubi", 6, {u"20071103"_qs, u"20071102"_qs, u"20071101"_qs, u"20071020"_qs}},
        {"sort_sanshobi", 1, {u"新春杯"_qs, u"春季大会2"_qs, u"春季大会"_qs, u"春の例会"_qs}},
    };
    for (const auto& s : sorts) {
        SCOPED_TRACE(s.action);
        actionNamed(list, s.action)->trigger();
        EXPECT_EQ(columnTexts(grid, s.column), s.expected);
    }
    // After the ascending menu sort by name, the heading still starts with descending.
    actionNamed(list, "sort_taikyokumei")->trigger();
    clickHeadingOf(grid, 1);
    EXPECT_EQ(gameNames(),
              (QStringList{u"春季大会2"_qs, u"春季大会"_qs, u"春の例会"_qs, u"新春杯"_qs}));
}

TEST_F(RecordListTest, FiltersNarrowTheList) {
    addRecords(kLibrary);
    const struct {
        const char* label;
        QStringList gameNameFilter;
        QStringList playerFilter;
        QStringList expected;
    } cases[] = {
        {"game-name prefix", {u"春"_qs}, {}, {u"春季大会2"_qs, u"春季大会"_qs, u"春の例会"_qs}},
        {"a whole name as prefix", {u"春季大会"_qs}, {}, {u"春季大会2"_qs, u"春季大会"_qs}},
        {"several prefixes", {u"新"_qs, u"春の"_qs}, {}, {u"新春杯"_qs, u"春の例会"_qs}},
        {"player prefix on either colour", {}, {u"田"_qs}, {u"新春杯"_qs, u"春の例会"_qs}},
        {"game name wins over players", {u"新"_qs}, {u"山"_qs}, {u"新春杯"_qs}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        state.recordList.gameNameFilter = c.gameNameFilter;
        state.recordList.playerFilter = c.playerFilter;
        openList();
        EXPECT_EQ(gameNames(), c.expected);
        EXPECT_EQ(status(), QString::number(c.expected.size()) + u" 局　選局しました"_qs);
        EXPECT_EQ(total(), u"4"_qs);
        list->close();
    }

    state.recordList.gameNameFilter = QStringList{u"秋"_qs};
    openList();
    EXPECT_EQ(status(), u"お望みの対局は見つかりません"_qs);
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(gameNames(), QStringList(4, QString()));
}

TEST_F(RecordListTest, SelectAllEmptiesTheFiltersAndScansAgain) {
    addRecords(kLibrary);
    state.recordList.playerFilter = QStringList{u"田"_qs};
    openList();
    ASSERT_EQ(gameNames().size(), 2);
    addRecords({{u"秋季大会"_qs, u"甲"_qs, u"乙"_qs, u"黒中押勝"_qs, u"20071201"_qs, 50,
                 u"120000"_qs, u"20071201"_qs, u"6目半"_qs}});
    clickHeadingOf(grid, 5);

    actionNamed(list, "selectAll")->trigger();
    EXPECT_TRUE(state.recordList.gameNameFilter.isEmpty());
    EXPECT_TRUE(state.recordList.playerFilter.isEmpty());
    EXPECT_EQ(total(), u"5"_qs);
    EXPECT_EQ(status(), u"5 局　選局しました"_qs);
    EXPECT_EQ(gameNames(), (QStringList{u"秋季大会"_qs, u"新春杯"_qs, u"春季大会2"_qs,
                                        u"春季大会"_qs, u"春の例会"_qs}));

    // Without a filter it does nothing: the order chosen stays.
    clickHeadingOf(grid, 5);
    const QStringList sorted = gameNames();
    actionNamed(list, "selectAll")->trigger();
    EXPECT_EQ(gameNames(), sorted);
    EXPECT_TRUE(list->isVisible());
}

TEST_F(RecordListTest, DoubleClickReplaysAValidRow) {
    addRecords(kLibrary);
    openList();
    doubleClickRow(grid, 3);
    EXPECT_EQ(state.catalogue.entry(state.record.selectedIndex).game.gameName, u"春の例会"_qs);
    EXPECT_EQ(state.replay.stepInterval, 3000);
    ASSERT_FALSE(navigator.calls.empty());
    EXPECT_EQ(navigator.calls.back().handover, Handover{ChosenRecord{state.record.selectedIndex}});
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Replay});
    EXPECT_TRUE(closedAndDeleted(list));
}

TEST_F(RecordListTest, DoubleClickOnAnEmptyRowAsksForARecord) {
    state.recordList.gameNameFilter = QStringList{u"秋"_qs};
    addRecords(kLibrary);
    state.record.selectedIndex = 2; // left from an earlier choice
    openList();
    doubleClickRow(grid, 1);
    EXPECT_EQ(state.record.selectedIndex, 0);
    EXPECT_EQ(status(), u"対局を選んでください  "_qs);
    EXPECT_TRUE(navigator.calls.empty());
    EXPECT_EQ(state.replay.stepInterval, 500);
    EXPECT_TRUE(list->isVisible());
}

TEST_F(RecordListTest, ReplayButtonNeedsAChosenRecord) {
    addRecords(kLibrary);
    openList();
    press("Command1");
    EXPECT_EQ(status(), u"対局を選んでください"_qs);
    EXPECT_TRUE(navigator.calls.empty());
    EXPECT_EQ(state.replay.stepInterval, 500);

    clickRow(grid, 0);
    press("Command1");
    EXPECT_EQ(state.catalogue.entry(state.record.selectedIndex).game.gameName, u"新春杯"_qs);
    EXPECT_EQ(state.replay.stepInterval, 3000);
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Replay});
    EXPECT_TRUE(closedAndDeleted(list));
}

// Without the mouse: the arrows move through the rows, Enter replays the highlighted record,
// Escape goes back as "戻る" does; Enter with no record chosen asks for one as the button does.
TEST_F(RecordListTest, KeysChooseReplayAndReturn) {
    auto key = [](QWidget* target, int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    };
    addRecords(kLibrary);
    openList();
    // The keys go to the list from the start, and its taking the focus chose nothing.
    EXPECT_EQ(list->focusWidget(), grid);
    key(grid, Qt::Key_Return);
    EXPECT_EQ(status(), u"対局を選んでください"_qs);
    EXPECT_TRUE(navigator.calls.empty());

    key(grid, Qt::Key_Down); // onto the first row
    key(grid, Qt::Key_Down);
    key(grid, Qt::Key_Down);
    key(grid, Qt::Key_Up);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    ASSERT_GT(state.record.selectedIndex, 0);
    EXPECT_EQ(state.catalogue.entry(state.record.selectedIndex).game.gameName,
              gameNames().value(1));
    const int chosen = state.record.selectedIndex;
    key(grid, Qt::Key_Enter);
    EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Replay});
    EXPECT_EQ(navigator.calls.back().handover, Handover{ChosenRecord{chosen}});
    EXPECT_TRUE(closedAndDeleted(list));

    openList();
    key(grid, Qt::Key_Escape);
    EXPECT_EQ(navigator.shown.back(), ScreenId::Start);
    EXPECT_TRUE(closedAndDeleted(list));
}

TEST_F(RecordListTest, ASelectionBeyondTheCatalogueIsNoChoice) {
    addRecords(kLibrary);
    state.record.selectedIndex = 9;
    openList();
    press("Command1");
    EXPECT_EQ(status(), u"対局を選んでください"_qs);
    EXPECT_TRUE(navigator.calls.empty());
}

TEST_F(RecordListTest, HandOversCloseTheList) {
    addRecords(kLibrary);
    const struct {
        const char* label;
        std::function<void(RecordListTest&)> act;
        ScreenId next;
    } cases[] = {
        {"戻る", [](RecordListTest& t) { t.press("Command2"); }, ScreenId::Start},
        {"対局名で選局",
         [](RecordListTest& t) { actionNamed(t.list, "selectByGameName")->trigger(); },
         ScreenId::GameNameChooser},
        {"対局者で選局",
         [](RecordListTest& t) { actionNamed(t.list, "selectByPlayer")->trigger(); },
         ScreenId::PlayerChooser},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        navigator.clear();
        openList();
        c.act(*this);
        EXPECT_EQ(navigator.shown, std::vector<ScreenId>{c.next});
        EXPECT_TRUE(closedAndDeleted(list));
    }
}

TEST_F(RecordListTest, HelpOpensBesideTheList) {
    openList();
    actionNamed(list, "F4HELP")->trigger();
    EXPECT_EQ(navigator.calls, (std::vector<RecordingNavigator::Call>{
                                   {true, ScreenId::Help, HelpTopic{helpcode::recordList}}}));
    EXPECT_TRUE(list->isVisible());
}

// The choosers

class ChooserScreenTest : public RecordListTest {
public:
    // The road a user takes: the record list (which scans the library), its menu, the chooser.
    template <typename Screen> ChooserScreen* openChooser() {
        openList();
        const bool byGameName = std::is_same_v<Screen, GameNameChooser>;
        actionNamed(list, byGameName ? "selectByGameName" : "selectByPlayer")->trigger();
        EXPECT_EQ(navigator.lastShown(),
                  byGameName ? ScreenId::GameNameChooser : ScreenId::PlayerChooser);
        chooser = open<Screen>();
        chooserGrid = chooser->findChild<FlexGrid*>(QStringLiteral("Grid1"));
        EXPECT_NE(chooserGrid, nullptr);
        return chooser;
    }

    void clickGroup(int row, int column = 1) {
        const QModelIndex index = chooserGrid->model()->index(row - 1, column);
        chooserGrid->scrollTo(index);
        click(chooserGrid->viewport(), chooserGrid->visualRect(index).center());
    }

    QStringList groups() const {
        QStringList texts;
        for (int row = 1; row <= chooserGrid->rows(); ++row)
            texts << chooserGrid->text(row, 1) + u" ("_qs + chooserGrid->text(row, 0) + u")"_qs;
        return texts;
    }
    QString box(const char* name) const {
        return chooser->findChild<QLineEdit*>(QString::fromUtf8(name))->text();
    }
    void finish() { chooser->findChild<QPushButton*>(u"Option1"_qs)->click(); }

    QPointer<ChooserScreen> chooser;
    FlexGrid* chooserGrid = nullptr;
};

TEST_F(ChooserScreenTest, ScreensCarryTheirTexts) {
    const struct {
        const char* label;
        std::function<ChooserScreen*(ChooserScreenTest&)> open;
        const char16_t* name;
        const char16_t* title;
        const char16_t* heading;
        const char16_t* groupHeading;
        const char16_t* lengthMenu;
    } cases[] = {
        {"game names", [](ChooserScreenTest& t) { return t.openChooser<GameNameChooser>(); },
         u"対局名選択", u"Vorleth　対局名で選択", u"対局名　一覧表", u"対局名", u"絞り込み桁数"},
        {"players", [](ChooserScreenTest& t) { return t.openChooser<PlayerChooser>(); },
         u"対局者選択", u"Vorleth　対局者で選択", u"対局者　一覧表", u"対局者", u"絞込み桁数"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        c.open(*this);
        EXPECT_EQ(chooser->objectName(), QString::fromUtf16(c.name));
        EXPECT_EQ(chooser->windowTitle(), QString::fromUtf16(c.title));
        QStringList labels;
        for (const QLabel* label : chooser->findChildren<QLabel*>())
            labels << label->text();
        EXPECT_TRUE(labels.contains(QString::fromUtf16(c.heading)));
        EXPECT_EQ(chooserGrid->text(0, 0), u"対局数"_qs);
        EXPECT_EQ(chooserGrid->text(0, 1), QString::fromUtf16(c.groupHeading));
        EXPECT_EQ(chooserGrid->columnWidth(0), qRound(700 / 15.0));
        EXPECT_EQ(chooserGrid->columnWidth(1), qRound(2000 / 15.0));
        EXPECT_EQ(chooser->findChild<QPushButton*>(u"Option1"_qs)->text(), u"選択完了"_qs);
        for (int length = 1; length <= 5; ++length) {
            const QByteArray name = (u"桁"_qs + QString::number(length)).toUtf8();
            QAction* action = actionNamed(chooser, name.constData());
            ASSERT_NE(action, nullptr);
            EXPECT_EQ(action->text(), QString::number(length));
            EXPECT_EQ(menuTitleOf(chooser, action), QString::fromUtf16(c.lengthMenu));
        }
        EXPECT_EQ(box("Text2"), u"0"_qs);
        EXPECT_EQ(box("Text1"), u"0"_qs);
        chooser->close();
    }
}

TEST_F(ChooserScreenTest, PickedGameNamesBecomeTheRecordList) {
    addRecords(kLibrary);
    state.recordList.playerFilter = QStringList{u"田"_qs};
    openChooser<GameNameChooser>();
    EXPECT_TRUE(state.recordList.playerFilter.isEmpty());
    EXPECT_EQ(groups(), (QStringList{u"新春 (1)"_qs, u"春の (1)"_qs, u"春季 (2)"_qs}));
    EXPECT_EQ(box("Text2"), u"3"_qs);

    clickGroup(3);
    EXPECT_EQ(state.recordList.gameNameFilter, QStringList{u"春季"_qs});
    EXPECT_EQ(chooserGrid->cellBackground(3, 1), QColor(192, 255, 255));
    EXPECT_NE(chooserGrid->cellBackground(2, 1), QColor(192, 255, 255));
    EXPECT_EQ(chooserGrid->text(3, 1), u"春季"_qs);
    EXPECT_EQ(box("Text1"), u"1"_qs);

    finish();
    EXPECT_EQ(navigator.lastShown(), ScreenId::RecordList);
    EXPECT_TRUE(closedAndDeleted(chooser));
    openList();
    EXPECT_EQ(gameNames(), (QStringList{u"春季大会2"_qs, u"春季大会"_qs}));
}

TEST_F(ChooserScreenTest, ACountCellPicksItsRowsGroup) {
    addRecords(kLibrary);
    openChooser<GameNameChooser>();
    clickGroup(1, 0);
    clickGroup(1, 1);
    EXPECT_EQ(state.recordList.gameNameFilter, (QStringList{u"新春"_qs, u"新春"_qs}));
    EXPECT_EQ(box("Text1"), u"2"_qs);
}

TEST_F(ChooserScreenTest, PrefixLengthMenuRebuildsAndDiscardsPicks) {
    addRecords(kLibrary);
    openChooser<GameNameChooser>();
    clickGroup(1);
    clickGroup(3);
    ASSERT_EQ(box("Text1"), u"2"_qs);

    actionNamed(chooser, "桁3")->trigger();
    EXPECT_TRUE(state.recordList.gameNameFilter.isEmpty());
    EXPECT_EQ(box("Text1"), u"0"_qs);
    EXPECT_EQ(groups(), (QStringList{u"新春杯 (1)"_qs, u"春の例 (1)"_qs, u"春季大 (2)"_qs}));
    for (int row = 1; row <= 3; ++row)
        EXPECT_NE(chooserGrid->cellBackground(row, 1), QColor(192, 255, 255)) << row;

    actionNamed(chooser, "桁1")->trigger();
    EXPECT_EQ(groups(), (QStringList{u"新 (1)"_qs, u"春 (3)"_qs}));
    EXPECT_EQ(box("Text2"), u"2"_qs);
}

TEST_F(ChooserScreenTest, PrefixLengthSurvivesReopeningEachChooserOnItsOwn) {
    addRecords(kLibrary);
    openChooser<GameNameChooser>();
    actionNamed(chooser, "桁3")->trigger();
    chooser->close();

    openChooser<PlayerChooser>();
    EXPECT_EQ(state.choosers.playerPrefixLength, 2);
    chooser->close();

    openChooser<GameNameChooser>();
    EXPECT_EQ(groups(), (QStringList{u"新春杯 (1)"_qs, u"春の例 (1)"_qs, u"春季大 (2)"_qs}));
    EXPECT_TRUE(actionNamed(chooser, "桁3")->isChecked());
}

TEST_F(ChooserScreenTest, PlayersCountOncePerSide) {
    addRecords({{u"例会"_qs, u"東乙"_qs, u"東甲"_qs, u"黒中押勝"_qs, u"20071101"_qs, 120,
                 u"103000"_qs, u"20071105"_qs, u"6目半"_qs},
                {u"例会"_qs, u"西村"_qs, u"北川"_qs, u"白中押勝"_qs, u"20071102"_qs, 80,
                 u"113000"_qs, u"20071105"_qs, u"6目半"_qs}});
    state.recordList.gameNameFilter = QStringList{u"例"_qs};
    openChooser<PlayerChooser>();
    EXPECT_TRUE(state.recordList.gameNameFilter.isEmpty());
    actionNamed(chooser, "桁1")->trigger();
    EXPECT_EQ(groups(), (QStringList{u"北 (1)"_qs, u"東 (2)"_qs, u"西 (1)"_qs}));

    clickGroup(2);
    EXPECT_EQ(state.recordList.playerFilter, QStringList{u"東"_qs});
    EXPECT_TRUE(state.recordList.gameNameFilter.isEmpty());
    finish();
    openList();
    EXPECT_EQ(columnTexts(grid, 2), QStringList{u"東乙"_qs});
}

TEST_F(ChooserScreenTest, EmptyLibraryLeadsToTheEmptyList) {
    openChooser<GameNameChooser>();
    EXPECT_EQ(chooserGrid->rows(), 0);
    EXPECT_EQ(box("Text2"), u"0"_qs);
    finish();
    openList();
    EXPECT_EQ(status(), u"お望みの対局は見つかりません"_qs);
}

} // namespace
} // namespace vorleth
