#include "app/screens.h"
#include "screens/shell/helpscreen.h"
#include "screens/shell/mainmenuscreen.h"
#include "screens/shell/screensizescreen.h"
#include "screens/shell/setupscreen.h"
#include "shell/helptexts.h"
#include "state/sharedstate.h"
#include "store/workingfiles.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"
#include "support/widgets.h"
#include "ui/screenregistry.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vorleth {
namespace {

using test::pressEscape;
using test::readBytes;
using test::RecordingNavigator;
using test::ScriptedDialogs;
using test::sjis;
using test::writeBytes;

using test::child;
using test::click;
using test::settle;
using test::trigger;

class ShellScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        base = QDir(m_temp.path()).filePath(QStringLiteral("Vorleth"));
        state = std::make_unique<SharedState>(base);
    }
    void TearDown() override { test::closeEveryWindow(); }
    QString path(const QString& name) const { return QDir(base).filePath(name); }
    QString settingsPath() const { return path(QStringLiteral("棋譜.dev")); }
    // Directories of an earlier run, so that no installation guide opens.
    void earlierRun() {
        for (const char* name : {"SGF", "Pelloq", "Pelloq写真"})
            ASSERT_TRUE(QDir().mkpath(path(QString::fromUtf8(name))));
    }
    QPointer<HelpScreen> openHelp(int code) {
        auto* help = new HelpScreen(HelpTopic{code}, navigator);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->show();
        return help;
    }
    template <typename Screen, typename... Args> QPointer<Screen> open(Args&&... args) {
        auto* screen = new Screen(*state, navigator, std::forward<Args>(args)...);
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->show();
        return screen;
    }

    QTemporaryDir m_temp;
    QString base;
    std::unique_ptr<SharedState> state;
    RecordingNavigator navigator;
    ScriptedDialogs dialogs;
};

// --- mapstart ------------------------------------------------------------------------------

TEST_F(ShellScreenTest, MainMenuShowsItsControlsAndMenus) {
    earlierRun();
    auto menu = open<MainMenuScreen>();
    EXPECT_EQ(menu->objectName(), QStringLiteral("mapstart"));
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("Vorleth　開始メニュー"));
    EXPECT_EQ(child<QLabel>(menu, "TitleLabel")->text(), QStringLiteral("Vorleth"));
    EXPECT_EQ(child<QLabel>(menu, "VersionLabel")->text(), QStringLiteral("Ver5.5.7 2007/10/30"));
    const char* captions[][2] = {{"Command1", "登録棋譜を閲覧"},
                                 {"Command2", "総譜から表形式で登録"},
                                 {"Command3", "碁盤で並べて登録"},
                                 {"Command4", "終わる"}};
    for (const auto& c : captions)
        EXPECT_EQ(child<QPushButton>(menu, c[0])->text(), QString::fromUtf8(c[1])) << c[0];

    // The bar: one heading with two entries, then two entries of the bar itself.
    const QList<QAction*> bar = menu->menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0]->text(), QStringLiteral("環境設定・変更"));
    ASSERT_NE(bar[0]->menu(), nullptr);
    const QList<QAction*> settings = bar[0]->menu()->actions();
    ASSERT_EQ(settings.size(), 2);
    EXPECT_EQ(settings[0]->objectName(), QStringLiteral("NEWSERVE"));
    EXPECT_EQ(settings[0]->text(), QStringLiteral("利用環境の新規設定（初回のみ）"));
    EXPECT_EQ(settings[1]->objectName(), QStringLiteral("画面サイズ変更"));
    EXPECT_EQ(settings[1]->text(), QStringLiteral("画面サイズの変更"));
    EXPECT_EQ(bar[1]->objectName(), QStringLiteral("onman"));
    EXPECT_EQ(bar[1]->text(), QStringLiteral("オンラインマニュアル"));
    EXPECT_EQ(bar[1]->menu(), nullptr);
    EXPECT_EQ(bar[2]->objectName(), QStringLiteral("F1HELP"));
    EXPECT_EQ(bar[2]->text(), QStringLiteral("ヘルプ"));

    auto* timer = child<QTimer>(menu, "Timer1");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 3000);
}

TEST_F(ShellScreenTest, FirstCreationOpensTheInstallationGuideBesideOnlyOnce) {
    auto first = open<MainMenuScreen>();
    settle();
    EXPECT_EQ(navigator.besides, std::vector<ScreenId>{ScreenId::Browser});
    EXPECT_EQ(state->shell.browserStartAddress,
              QStringLiteral("qrc:/site/Vorleth/installsetsumei/install.html"));
    EXPECT_TRUE(QFile::exists(settingsPath()));
    first->close();

    navigator.clear();
    state->shell.browserStartAddress.clear(); // as the browser takes it
    auto second = open<MainMenuScreen>();
    settle();
    EXPECT_TRUE(navigator.besides.empty());
    EXPECT_TRUE(state->shell.browserStartAddress.isEmpty());
}

TEST_F(ShellScreenTest, EveryCreationRunsStartUpAgain) {
    earlierRun();
    writeBytes(settingsPath(), "/srv/games,PASS, 800 , 0 , 0 , 0 , 0 , 0 \r\n");
    state->record.fileName = QStringLiteral("left over");
    auto menu = open<MainMenuScreen>();
    EXPECT_EQ(state->settings.recordDirectory, QStringLiteral("/srv/games"));
    EXPECT_TRUE(state->geometry.large());
    EXPECT_TRUE(state->record.fileName.isEmpty());
}

TEST_F(ShellScreenTest, MainActionsHandOverAndClose) {
    const struct {
        const char* control;
        bool isMenuEntry;
        ScreenId next;
        int entryMode; // 0: unchanged
    } cases[] = {
        {"Command1", false, ScreenId::RecordList, 1},
        {"Command2", false, ScreenId::GameInfo, 2},
        {"Command3", false, ScreenId::GameInfo, 3},
        {"NEWSERVE", true, ScreenId::Setup, 0},
        {"画面サイズ変更", true, ScreenId::ScreenSize, 0},
    };
    earlierRun();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        navigator.clear();
        state->shell.entryMode = 0;
        auto menu = open<MainMenuScreen>();
        QPointer<QTimer> timer = child<QTimer>(menu, "Timer1");
        if (c.isMenuEntry)
            trigger(menu, c.control);
        else
            click(menu, c.control);
        EXPECT_EQ(navigator.shown, std::vector<ScreenId>{c.next});
        EXPECT_TRUE(navigator.besides.empty());
        EXPECT_EQ(state->shell.entryMode, c.entryMode);
        EXPECT_FALSE(timer && timer->isActive());
        settle();
        EXPECT_TRUE(menu.isNull());
    }
}

TEST_F(ShellScreenTest, ManualAndHelpOpenBesideAndTheMenuStays) {
    earlierRun();
    auto menu = open<MainMenuScreen>();
    trigger(menu, "onman");
    trigger(menu, "F1HELP");
    EXPECT_EQ(navigator.calls, (std::vector<RecordingNavigator::Call>{
                                   {true, ScreenId::Browser, {}},
                                   {true, ScreenId::Help, HelpTopic{helpcode::mainMenu}}}));
    EXPECT_TRUE(navigator.shown.empty());
    settle();
    ASSERT_FALSE(menu.isNull());
    EXPECT_TRUE(menu->isVisible());
}

// With help or the browser open beside it, closing the menu by its close box must not leave the
// program running with no screen to go back to.
TEST_F(ShellScreenTest, EndAndTheCloseBoxCloseEveryWindow) {
    const struct {
        const char* name;
        std::function<void(MainMenuScreen*)> end;
    } cases[] = {
        {"終わる", [](MainMenuScreen* menu) { click(menu, "Command4"); }},
        // As the window system delivers the close box.
        {"the close box", [](MainMenuScreen* menu) { menu->windowHandle()->close(); }},
    };
    earlierRun();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        navigator.calls.clear();
        auto menu = open<MainMenuScreen>();
        QPointer<QWidget> beside = new QWidget;
        beside->setAttribute(Qt::WA_DeleteOnClose);
        beside->show();
        c.end(menu);
        settle();
        EXPECT_TRUE(menu.isNull());
        EXPECT_TRUE(beside.isNull());
        EXPECT_TRUE(navigator.calls.empty());
    }
}

TEST_F(ShellScreenTest, SlideshowShowsThePhotographsOneByOne) {
    earlierRun();
    const QString photos = path(QStringLiteral("Pelloq写真"));
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QDir(photos).filePath(QStringLiteral("a.jpg")), "JPG"));
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(QDir(photos).filePath(QStringLiteral("b.bmp")), "BMP"));
    // Not a picture at all: the area keeps what it showed.
    writeBytes(QDir(photos).filePath(QStringLiteral("c.jpg")), "not a picture");

    auto menu = open<MainMenuScreen>();
    auto* area = child<QLabel>(menu, "Picture1");
    auto* timer = child<QTimer>(menu, "Timer1");
    const auto shownColour = [area] {
        const QImage shown = area->pixmap().toImage();
        return shown.isNull() ? QColor() : shown.pixelColor(shown.width() / 2, shown.height() / 2);
    };
    EXPECT_TRUE(area->pixmap().isNull());

    const struct {
        int index;
        QColor colour;
    } expected[] = {{1, Qt::red}, {2, Qt::blue}, {3, Qt::blue}, {1, Qt::red}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.index);
        const int before = state->shell.slideshowIndex;
        timer->setInterval(1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return state->shell.slideshowIndex != before; }));
        EXPECT_EQ(state->shell.slideshowIndex, e.index);
        EXPECT_EQ(timer->interval(), 3000);
        EXPECT_EQ(area->pixmap().size(), area->size());
        const QColor colour = shownColour();
        EXPECT_NEAR(colour.red(), e.colour.red(), 16);
        EXPECT_NEAR(colour.blue(), e.colour.blue(), 16);
    }
}

TEST_F(ShellScreenTest, SlideshowRestartsWhenTheMenuBecomesActiveAgain) {
    earlierRun();
    auto menu = open<MainMenuScreen>();
    auto* timer = child<QTimer>(menu, "Timer1");
    QWidget other;
    other.show();
    settle();
    QApplication::setActiveWindow(&other);
    settle();
    timer->stop();
    settle();
    ASSERT_FALSE(timer->isActive());
    QApplication::setActiveWindow(menu);
    settle();
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 3000);
}

// --- MAPINIT -------------------------------------------------------------------------------

class SetupScreenTest : public ShellScreenTest {
protected:
    void SetUp() override {
        ShellScreenTest::SetUp();
        earlierRun();
        games = QDir(m_temp.path()).filePath(QStringLiteral("games"));
        photos = QDir(m_temp.path()).filePath(QStringLiteral("写真"));
        ASSERT_TRUE(QDir().mkpath(games));
        ASSERT_TRUE(QDir().mkpath(photos));
        state->settings = Settings{path(QStringLiteral("Pelloq")), QStringLiteral("PASS"), 800};
    }
    static void choose(QTreeView* tree, const QString& directory) {
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        ASSERT_NE(model, nullptr);
        const QModelIndex index = model->index(directory);
        ASSERT_TRUE(index.isValid());
        tree->setCurrentIndex(index);
    }
    QString entPath() const { return path(QStringLiteral("棋譜.ENT")); }

    QString games;
    QString photos;
};

TEST_F(SetupScreenTest, OpensWithTheCurrentDirectoriesAndNoReset) {
    state->settings.photoDirectory = photos + QLatin1Char('/');
    auto screen = open<SetupScreen>(dialogs);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Vorleth　保管フォルダ設定"));
    EXPECT_EQ(child<QLabel>(screen, "TitleLabel")->text(),
              QStringLiteral("Vorleth　保管フォルダ設定"));
    EXPECT_EQ(SetupScreen::shownDirectory(child<QTreeView>(screen, "Dir1")),
              path(QStringLiteral("Pelloq")));
    EXPECT_EQ(SetupScreen::shownDirectory(child<QTreeView>(screen, "Dir2")), photos);
    auto* choice = child<QComboBox>(screen, "SONOTAINI2");
    EXPECT_EQ(choice->count(), 2);
    EXPECT_EQ(choice->itemText(0), QStringLiteral("しない"));
    EXPECT_EQ(choice->itemText(1), QStringLiteral("棋譜ＥＮＴをする"));
    EXPECT_EQ(choice->currentText(), QStringLiteral("しない"));
    EXPECT_EQ(child<QPushButton>(screen, "Command1")->text(), QStringLiteral("設定する"));
    EXPECT_EQ(child<QPushButton>(screen, "Command2")->text(), QStringLiteral("戻る"));
    for (const char* text : {"棋譜保管のDｉｒ設定", "写真のＤｉｒ設定", "棋譜作業ﾌｧｲﾙの初期化"}) {
        bool found = false;
        for (QLabel* label : screen->findChildren<QLabel*>())
            found = found || label->text() == QString::fromUtf8(text);
        EXPECT_TRUE(found) << text;
    }
}

// Many directories sort before the chosen ones: each tree still shows its directory in view
// and selected, not the root with the directory expanded far below.
TEST_F(SetupScreenTest, TheChosenDirectoriesAreScrolledIntoViewAndSelected) {
    for (int i = 0; i < 60; ++i) {
        const QString name = QStringLiteral("A%1").arg(i, 2, 10, QLatin1Char('0'));
        ASSERT_TRUE(QDir(base).mkpath(name));
        ASSERT_TRUE(QDir(m_temp.path()).mkpath(name));
    }
    state->settings.photoDirectory = photos + QLatin1Char('/');
    auto screen = open<SetupScreen>(dialogs);
    for (const auto& [tree, directory] :
         {std::pair{"Dir1", path(QStringLiteral("Pelloq"))}, std::pair{"Dir2", photos}}) {
        SCOPED_TRACE(tree);
        auto* view = child<QTreeView>(screen, tree);
        const auto* model = qobject_cast<const QFileSystemModel*>(view->model());
        ASSERT_NE(model, nullptr);
        const QModelIndex parent = model->index(QFileInfo(directory).path());
        // Once the directories above it have arrived, it has been scrolled down to.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return model->rowCount(parent) > 60 && test::currentRowInView(view) &&
                       view->verticalScrollBar()->value() > 0;
            },
            30000));
        EXPECT_EQ(SetupScreen::shownDirectory(view), directory);
    }
}

TEST_F(SetupScreenTest, ApplyStoresTheChosenDirectories) {
    const struct {
        const char* name;
        bool choosePhoto;
        int workingChoice;
        QString photoStored;
        bool placeholderWritten;
    } cases[] = {
        {"photoWithSeparator", true, 0, QString(), false},
        {"noPhotoIsPass", false, 0, QStringLiteral("PASS"), false},
        {"resetWorkingEntry", true, 1, QString(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(entPath());
        QFile::remove(settingsPath());
        navigator.clear();
        state->settings = Settings{path(QStringLiteral("Pelloq")), QStringLiteral("PASS"), 800};

        auto screen = open<SetupScreen>(dialogs);
        choose(child<QTreeView>(screen, "Dir1"), games);
        if (c.choosePhoto)
            choose(child<QTreeView>(screen, "Dir2"), photos);
        child<QComboBox>(screen, "SONOTAINI2")->setCurrentIndex(c.workingChoice);
        click(screen, "Command1");

        const QString photoStored =
            c.photoStored.isNull() ? photos + QLatin1Char('/') : c.photoStored;
        EXPECT_EQ(state->settings.recordDirectory, games);
        EXPECT_EQ(state->settings.photoDirectory, photoStored);
        EXPECT_EQ(state->settings.screenSize, 800);
        EXPECT_EQ(readBytes(settingsPath()),
                  sjis(games + QLatin1Char(',') + photoStored +
                       QStringLiteral(", 800 , 0 , 0 , 0 , 0 , 0 \r\n")));
        EXPECT_EQ(QFile::exists(entPath()), c.placeholderWritten);
        if (c.placeholderWritten) {
            EXPECT_EQ(readBytes(entPath()), workingEntryPlaceholder());
        }
        EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
        EXPECT_TRUE(dialogs.shown.empty());
        settle();
        EXPECT_TRUE(screen.isNull());
    }
}

TEST_F(SetupScreenTest, NoRecordDirectoryShownStoresTheBaseDirectory) {
    state->settings.recordDirectory = QStringLiteral("/no/such/place");
    auto screen = open<SetupScreen>(dialogs);
    ASSERT_TRUE(SetupScreen::shownDirectory(child<QTreeView>(screen, "Dir1")).isEmpty());
    click(screen, "Command1");
    EXPECT_EQ(state->settings.recordDirectory, base);
}

TEST_F(SetupScreenTest, ChoosingADriveShowsItsDirectory) {
    auto screen = open<SetupScreen>(dialogs);
    auto* drives = child<QComboBox>(screen, "Drive1");
    ASSERT_GE(drives->count(), 1);
    drives->activated(0);
    EXPECT_EQ(SetupScreen::shownDirectory(child<QTreeView>(screen, "Dir1")),
              QDir::drives().first().absoluteFilePath());
}

// 戻る, or Escape where the focus is (the directory tree), leaves and writes nothing.
TEST_F(SetupScreenTest, BackWritesNothing) {
    for (const bool byEscape : {false, true}) {
        SCOPED_TRACE(byEscape ? "Escape" : "戻る");
        navigator.clear();
        writeBytes(entPath(), "entry in progress");
        auto screen = open<SetupScreen>(dialogs);
        auto* tree = child<QTreeView>(screen, "Dir1");
        choose(tree, games);
        child<QComboBox>(screen, "SONOTAINI2")->setCurrentIndex(1);
        if (byEscape)
            pressEscape(tree);
        else
            click(screen, "Command2");
        EXPECT_FALSE(QFile::exists(settingsPath()));
        EXPECT_EQ(readBytes(entPath()), QByteArray("entry in progress"));
        EXPECT_EQ(state->settings.recordDirectory, path(QStringLiteral("Pelloq")));
        EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
        settle();
    }
}

TEST_F(SetupScreenTest, ASettingsFileThatCannotBeWrittenIsShownAndTheScreenStays) {
    ASSERT_TRUE(QDir().mkpath(settingsPath()));
    auto screen = open<SetupScreen>(dialogs);
    choose(child<QTreeView>(screen, "Dir1"), games);
    click(screen, "Command1");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(QStringLiteral("設定ファイルを書き込めません：")));
    EXPECT_EQ(state->settings.recordDirectory, path(QStringLiteral("Pelloq")));
    EXPECT_TRUE(navigator.shown.empty());
    settle();
    ASSERT_FALSE(screen.isNull());
    EXPECT_TRUE(screen->isVisible());
}

TEST_F(SetupScreenTest, HelpUsesCodeZero) {
    auto screen = open<SetupScreen>(dialogs);
    trigger(screen, "F0HELP");
    EXPECT_EQ(navigator.besides, std::vector<ScreenId>{ScreenId::Help});
    EXPECT_EQ(navigator.lastHelpCode(), helpcode::setup);
    EXPECT_TRUE(navigator.shown.empty());
}

// --- mapszchng -----------------------------------------------------------------------------

TEST_F(ShellScreenTest, ScreenSizeShowsTheCurrentSize) {
    const struct {
        int size;
        const char* text;
    } cases[] = {{0, "今のサイズは６４０　４８０ です"},
                 {640, "今のサイズは６４０　４８０ です"},
                 {800, "今のサイズは８００　６００です"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        state->settings.screenSize = c.size;
        auto screen = open<ScreenSizeScreen>(dialogs);
        EXPECT_EQ(screen->windowTitle(), QStringLiteral("Vorleth　画面サイズ変更"));
        EXPECT_EQ(child<QLabel>(screen, "Label1")->text(), QStringLiteral("画面のサイズを変更"));
        EXPECT_EQ(child<QLabel>(screen, "Label2")->text(),
                  QStringLiteral("碁盤のサイズを変更します。その他の画面は変わりません。"));
        EXPECT_EQ(child<QLabel>(screen, "Label3")->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(child<QPushButton>(screen, "Command1")->text(),
                  QStringLiteral("６４０　４８０のサイズ"));
        EXPECT_EQ(child<QPushButton>(screen, "Command2")->text(),
                  QStringLiteral("８００　６００のサイズ"));
        EXPECT_EQ(child<QPushButton>(screen, "Command3")->text(), QStringLiteral("変更せずに戻る"));
        screen->close();
    }
}

TEST_F(ShellScreenTest, ScreenSizeAppliesOrLeavesUnchanged) {
    const struct {
        const char* button;
        int stored; // -1: nothing written
    } cases[] = {{"Command1", 640}, {"Command2", 800}, {"Command3", -1}, {"Escape", -1}};
    ASSERT_TRUE(QDir().mkpath(base));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        QFile::remove(settingsPath());
        navigator.clear();
        state->settings = Settings{QStringLiteral("D:/games"), QStringLiteral("PASS"), 0};
        auto screen = open<ScreenSizeScreen>(dialogs);
        if (QByteArray(c.button) == "Escape")
            pressEscape(screen);
        else
            click(screen, c.button);
        EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::Start});
        if (c.stored < 0) {
            EXPECT_FALSE(QFile::exists(settingsPath()));
            EXPECT_EQ(state->settings.screenSize, 0);
        } else {
            EXPECT_EQ(state->settings.screenSize, c.stored);
            EXPECT_EQ(readBytes(settingsPath()), QByteArray("D:/games,PASS, ") +
                                                     QByteArray::number(c.stored) +
                                                     " , 0 , 0 , 0 , 0 , 0 \r\n");
        }
        settle();
        EXPECT_TRUE(screen.isNull());
    }
}

TEST_F(ShellScreenTest, ScreenSizeFailureIsShownAndKeepsTheSize) {
    ASSERT_TRUE(QDir().mkpath(settingsPath()));
    state->settings.screenSize = 640;
    auto screen = open<ScreenSizeScreen>(dialogs);
    click(screen, "Command2");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(state->settings.screenSize, 640);
    EXPECT_TRUE(navigator.shown.empty());
}

// --- MAPHELP -------------------------------------------------------------------------------

QStringList listed(QWidget* help) {
    QStringList lines;
    auto* list = help->findChild<QListWidget*>(QStringLiteral("HPMSG"));
    for (int i = 0; list && i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// Which guide belongs to which code is checked with the texts; here the screen shows the guide
// of the topic it was opened with, line by line.
TEST_F(ShellScreenTest, HelpListsTheAskingScreensLinesInOrder) {
    for (int code : {0, 1, 4, 5, 8, 9, 10, 11, 20, 2, 99}) {
        SCOPED_TRACE(code);
        auto help = openHelp(code);
        EXPECT_EQ(listed(help), helpLines(code));
        help->close();
    }
    auto replayHelp = openHelp(helpcode::replay);
    EXPECT_EQ(listed(replayHelp).value(1), QStringLiteral("    碁盤に棋譜を再現します"));
}

TEST_F(ShellScreenTest, HelpShowsItsFixedTextsAndOpensTheBrowser) {
    auto help = openHelp(helpcode::mainMenu);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Vorleth　使い方のガイド"));
    EXPECT_EQ(child<QLineEdit>(help, "Text1")->text(), QStringLiteral("利用方法のガイド"));
    EXPECT_EQ(child<QLabel>(help, "Label1")->text(),
              QStringLiteral("最新のマニュアルはこちらをご覧ください　　　　"
                             "ソフトマニュアルの中にVorlethもあります"));
    EXPECT_EQ(child<QPushButton>(help, "Command1")->text(), QStringLiteral("オンラインヘルプ"));
    click(help, "Command1");
    EXPECT_EQ(navigator.besides, std::vector<ScreenId>{ScreenId::Browser});
    settle();
    EXPECT_FALSE(help.isNull());
}

TEST_F(ShellScreenTest, HelpAskedAgainWhileOpenKeepsItsText) {
    ScreenRegistry registry;
    registerScreens(registry, *state, dialogs);
    registry.showHelp(helpcode::recordList);
    QPointer<QWidget> help = registry.beside(ScreenId::Help);
    ASSERT_FALSE(help.isNull());

    registry.showHelp(helpcode::replay);
    EXPECT_EQ(registry.beside(ScreenId::Help), help.data());
    EXPECT_EQ(listed(help), helpLines(helpcode::recordList));

    help->close();
    settle();
    registry.showHelp(helpcode::replay);
    ASSERT_NE(registry.beside(ScreenId::Help), nullptr);
    EXPECT_EQ(listed(registry.beside(ScreenId::Help)), helpLines(helpcode::replay));
}

// --- wiring --------------------------------------------------------------------------------

TEST_F(ShellScreenTest, TheMainMenuLeadsToTheShellScreensThroughTheRegistry) {
    earlierRun();
    ScreenRegistry registry;
    registerScreens(registry, *state, dialogs);
    const struct {
        const char* entry;
        const char* screen;
    } cases[] = {{"NEWSERVE", "MAPINIT"}, {"画面サイズ変更", "mapszchng"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        registry.show(ScreenId::Start);
        trigger(registry.current(), c.entry);
        settle();
        ASSERT_NE(registry.current(), nullptr);
        EXPECT_EQ(registry.current()->objectName(), QString::fromUtf8(c.screen));
        registry.current()->close();
        settle();
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace vorleth
