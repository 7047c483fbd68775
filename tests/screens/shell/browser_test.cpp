#include "app/screens.h"
#include "screens/shell/browserscreen.h"
#include "state/sharedstate.h"
#include "support/scripteddialogs.h"
#include "support/widgets.h"
#include "ui/screenregistry.h"
#include "ui/webview.h"
#include "ui/webviewmodule.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace vorleth {
namespace {

constexpr int loadTimeoutMs = 60000;

class BrowserScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const auto& [name, title] :
             {std::pair{"one.html", "ページ一"}, std::pair{"two.html", "ページ二"}}) {
            QFile file(dir.filePath(QString::fromUtf8(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("<html><head><meta charset=\"utf-8\"><title>") + title +
                       "</title></head><body>Vorleth</body></html>");
        }
    }
    QString page(const char* name) const {
        return QUrl::fromLocalFile(dir.filePath(QString::fromUtf8(name))).toString();
    }
    void TearDown() override {
        browser.reset();
        test::closeEveryWindow();
    }
    // Opens the browser the way the first start leaves it: with a start address.
    void create(const QString& startAddress, WebViewModule* module = nullptr) {
        state.shell.browserStartAddress = startAddress;
        browser = module ? std::make_unique<BrowserScreen>(state, *module)
                         : std::make_unique<BrowserScreen>(state);
        browser->show();
        if (!module) {
            ASSERT_TRUE(browser->webView()->available())
                << WebViewModule::shared().errorString().toStdString();
        }
        address = browser->findChild<QComboBox*>(QStringLiteral("cboAddress"));
        poll = browser->findChild<QTimer*>(QStringLiteral("timTimer"));
        ASSERT_NE(address, nullptr);
        ASSERT_NE(poll, nullptr);
    }
    bool waitForPage(const QString& url) {
        return QTest::qWaitFor(
            [&] {
                return !browser->webView()->busy() && browser->webView()->url().toString() == url &&
                       !browser->webView()->title().isEmpty() && browser->webView()->title() != url;
            },
            loadTimeoutMs);
    }
    QStringList listedAddresses() const {
        QStringList items;
        for (int i = 0; i < address->count(); ++i)
            items << address->itemText(i);
        return items;
    }

    QTemporaryDir dir;
    SharedState state{QString()};
    std::unique_ptr<BrowserScreen> browser;
    QComboBox* address = nullptr;
    QTimer* poll = nullptr;
};

TEST_F(BrowserScreenTest, OpensTheStartAddressOnceWithItsControls) {
    create(page("one.html"));
    EXPECT_EQ(browser->objectName(), QStringLiteral("frmBrowser"));
    EXPECT_TRUE(browser->windowTitle().isEmpty());
    EXPECT_TRUE(state.shell.browserStartAddress.isEmpty());
    EXPECT_EQ(listedAddresses(), QStringList{page("one.html")});
    EXPECT_EQ(address->currentText(), page("one.html"));
    EXPECT_TRUE(poll->isActive());
    EXPECT_EQ(poll->interval(), 5000);
    EXPECT_EQ(browser->findChild<QLabel*>(QStringLiteral("lblAddress"))->text(),
              QStringLiteral("ｱﾄﾞﾚｽ(&A):"));

    auto* toolbar = browser->findChild<QToolBar*>(QStringLiteral("tbToolBar"));
    ASSERT_NE(toolbar, nullptr);
    QStringList keys, labels;
    for (QAction* action : toolbar->actions()) {
        keys << action->objectName();
        labels << action->text();
        EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
    }
    EXPECT_EQ(keys, (QStringList{"Back", "Forward", "Stop", "Refresh", "Home", "Search"}));
    EXPECT_EQ(labels, (QStringList{"戻る", "進む", "中止", "更新", "ﾎｰﾑ", "検索"}));

    ASSERT_TRUE(waitForPage(page("one.html")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return browser->windowTitle() == "ページ一"; }));
}

TEST_F(BrowserScreenTest, WithoutAStartAddressTheSitesFrontPageOpens) {
    // Without the engine, so that the test does not reach for the network.
    QTemporaryDir noModule;
    WebViewModule missing({noModule.path()});
    create(QString(), &missing);
    EXPECT_EQ(listedAddresses(), QStringList{QStringLiteral("qrc:/site/index.html")});
    EXPECT_EQ(address->currentText(), QStringLiteral("qrc:/site/index.html"));
}

TEST_F(BrowserScreenTest, WithoutTheWebEngineTheWindowSaysSoAndKeepsWorking) {
    QTemporaryDir noModule;
    WebViewModule missing({noModule.path()});
    create(page("one.html"), &missing);
    auto* notice = browser->findChild<QLabel*>(QStringLiteral("unavailable"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().startsWith(WebView::unavailableMessage));
    EXPECT_TRUE(notice->text().contains(missing.errorString()));
    EXPECT_FALSE(browser->webView()->available());

    // The toolbar and the address box do nothing harmful; the poll ends at its first tick.
    for (QAction* action : browser->findChild<QToolBar*>(QStringLiteral("tbToolBar"))->actions())
        action->trigger();
    QTest::keyClick(address->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(poll->isActive());
    poll->setInterval(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !poll->isActive(); }));
    EXPECT_TRUE(browser->windowTitle().isEmpty());
    EXPECT_EQ(listedAddresses(), QStringList{page("one.html")});
}

TEST_F(BrowserScreenTest, OpensBesideTheWorkingScreenAtItsSizeWithRoomForThePage) {
    test::ScriptedDialogs dialogs;
    ScreenRegistry registry;
    registerScreens(registry, state, dialogs);
    // A working screen of the smaller layout in the top left corner.
    registry.registerScreen(ScreenId::RecordList, [](Navigator&, const Handover&) {
        auto* working = new QWidget;
        working->setGeometry(0, 0, 640, 480);
        return working;
    });
    registry.show(ScreenId::RecordList);
    QWidget* working = registry.current();
    ASSERT_NE(working, nullptr);

    state.shell.browserStartAddress = page("one.html");
    registry.showBeside(ScreenId::Browser);
    auto* opened = qobject_cast<BrowserScreen*>(registry.beside(ScreenId::Browser));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->size(), working->size());
    EXPECT_TRUE(working->screen()->availableGeometry().contains(opened->frameGeometry()));

    // The page takes the window below the toolbar and the address strip.
    WebView* web = opened->webView();
    EXPECT_TRUE(QTest::qWaitFor([&] { return web->height() > opened->height() / 2; }))
        << web->height() << " of " << opened->height();
    EXPECT_GT(web->width(), opened->width() * 9 / 10);
}

TEST_F(BrowserScreenTest, TheFirstTickAfterLoadingShowsTheTitleAndStopsThePoll) {
    create(page("one.html"));
    ASSERT_TRUE(waitForPage(page("one.html")));
    browser->setWindowTitle(QString()); // what a finished load wrote; the tick must write it
    ASSERT_TRUE(poll->isActive());
    poll->setInterval(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !poll->isActive(); }));
    EXPECT_EQ(browser->windowTitle(), QStringLiteral("ページ一"));
}

TEST_F(BrowserScreenTest, AnAddressTypedAndEnteredOpensButIsNotListed) {
    create(page("one.html"));
    ASSERT_TRUE(waitForPage(page("one.html")));
    poll->stop();

    QLineEdit* edit = address->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, page("two.html"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(poll->isActive());
    ASSERT_TRUE(waitForPage(page("two.html")));
    EXPECT_EQ(listedAddresses(), QStringList{page("one.html")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return browser->windowTitle() == "ページ二"; }));

    // Picking the listed address opens it again.
    poll->stop();
    emit address->activated(0);
    EXPECT_TRUE(poll->isActive());
    ASSERT_TRUE(waitForPage(page("one.html")));
    EXPECT_EQ(listedAddresses(), QStringList{page("one.html")});
}

TEST_F(BrowserScreenTest, ToolbarPressesDriveThePageAndThePoll) {
    create(page("one.html"));
    ASSERT_TRUE(waitForPage(page("one.html")));
    browser->webView()->navigate(page("two.html"));
    ASSERT_TRUE(waitForPage(page("two.html")));

    poll->stop();
    browser->findChild<QAction*>(QStringLiteral("Back"))->trigger();
    EXPECT_TRUE(poll->isActive());
    ASSERT_TRUE(waitForPage(page("one.html")));

    browser->setWindowTitle(QStringLiteral("x"));
    browser->findChild<QAction*>(QStringLiteral("Stop"))->trigger();
    EXPECT_FALSE(poll->isActive());
    EXPECT_EQ(browser->windowTitle(), QStringLiteral("ページ一"));

    browser->findChild<QAction*>(QStringLiteral("Forward"))->trigger();
    ASSERT_TRUE(waitForPage(page("two.html")));
}

TEST_F(BrowserScreenTest, ResizingKeepsTheMarginsAndNeverGoesNegative) {
    create(page("one.html"));
    auto* area = browser->findChild<QWidget*>(QStringLiteral("pageArea"));
    auto* strip = browser->findChild<QWidget*>(QStringLiteral("picAddress"));
    auto* web = browser->findChild<QWidget*>(QStringLiteral("brwWebBrowser"));
    ASSERT_TRUE(area && strip && web);
    const int margin = qRound(100.0 * browser->logicalDpiX() / 1440.0);

    browser->resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_NEAR(web->width(), area->width() - margin, 1);
    EXPECT_NEAR(web->height(), area->height() - strip->height() - margin, 1);
    EXPECT_NEAR(address->geometry().right() + 1, area->width() - margin, 1);

    for (QSize tiny : {QSize(40, 40), QSize(1, 1)}) {
        browser->resize(tiny);
        QCoreApplication::processEvents();
        EXPECT_GE(web->width(), 0);
        EXPECT_GE(web->height(), 0);
        EXPECT_GE(address->width(), 0);
        EXPECT_LE(web->width(), std::max(0, area->width() - margin + 1));
    }
}

} // namespace
} // namespace vorleth
