#include "ui/webpage.h"
#include "ui/webview.h"
#include "ui/webviewmodule.h"

#include <QLabel>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace vorleth {
namespace {

constexpr int loadTimeoutMs = 60000;

class WebViewTest : public testing::Test {
protected:
    WebViewTest() {
        for (const auto& [name, title] : {std::pair{"one.html", "ページ一"},
                                          {"two.html", "ページ二"},
                                          {"home.html", "ホーム"}}) {
            QFile file(dir.filePath(QString::fromUtf8(name)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("<html><head><meta charset=\"utf-8\"><title>") + title +
                       "</title></head><body>Vorleth</body></html>");
        }
        view.resize(400, 300);
        view.show();
    }

    // Without the module every load below would only run into its time limit.
    void SetUp() override {
        ASSERT_TRUE(view.available()) << WebViewModule::shared().errorString().toStdString();
    }

    QUrl page(const char* name) const { return QUrl::fromLocalFile(dir.filePath(name)); }

    // Loads through an action and waits until the view has settled on a page.
    bool load(const std::function<void()>& action) {
        QSignalSpy finished(&view, &WebView::loadFinished);
        action();
        return (!finished.isEmpty() || finished.wait(loadTimeoutMs)) && !view.busy();
    }

    QTemporaryDir dir;
    WebView view;
};

TEST_F(WebViewTest, BusyWhileLoadingThenTheTitleOfThePage) {
    EXPECT_FALSE(view.busy());
    std::vector<bool> busyAtStart;
    QObject::connect(&view, &WebView::loadStarted, &view,
                     [this, &busyAtStart] { busyAtStart.push_back(view.busy()); });
    QSignalSpy titles(&view, &WebView::titleChanged);

    ASSERT_TRUE(load([this] { view.navigate(page("one.html").toString()); }));
    EXPECT_EQ(busyAtStart, std::vector<bool>{true});
    EXPECT_EQ(view.url(), page("one.html"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return view.title() == QStringLiteral("ページ一"); },
                                loadTimeoutMs));
    ASSERT_FALSE(titles.isEmpty());
    EXPECT_EQ(titles.last()[0].toString(), QStringLiteral("ページ一"));
}

TEST_F(WebViewTest, BackForwardAndReloadFollowTheHistory) {
    ASSERT_TRUE(load([this] { view.navigate(page("one.html").toString()); }));
    ASSERT_TRUE(load([this] { view.navigate(page("two.html").toString()); }));
    ASSERT_TRUE(load([this] { view.back(); }));
    EXPECT_EQ(view.url(), page("one.html"));
    ASSERT_TRUE(load([this] { view.forward(); }));
    EXPECT_EQ(view.url(), page("two.html"));
    ASSERT_TRUE(load([this] { view.reload(); }));
    EXPECT_EQ(view.url(), page("two.html"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return view.title() == QStringLiteral("ページ二"); },
                                loadTimeoutMs));
}

TEST_F(WebViewTest, HomeAndSearchOpenTheViewsOwnPages) {
    view.setHomeUrl(page("home.html"));
    view.setSearchUrl(page("two.html"));
    ASSERT_TRUE(load([this] { view.home(); }));
    EXPECT_EQ(view.url(), page("home.html"));
    ASSERT_TRUE(load([this] { view.search(); }));
    EXPECT_EQ(view.url(), page("two.html"));
}

TEST_F(WebViewTest, StopEndsTheBusyState) {
    view.stop(); // nothing loading: harmless
    EXPECT_FALSE(view.busy());
    QSignalSpy started(&view, &WebView::loadStarted);
    view.navigate(page("one.html").toString());
    ASSERT_TRUE(!started.isEmpty() || started.wait(loadTimeoutMs));
    view.stop();
    EXPECT_FALSE(view.busy());
}

// Whatever an empty address would start would come before the page asked for next; the page
// is the only load, and the first address the view reports is the page's.
TEST_F(WebViewTest, AnEmptyAddressLoadsNothing) {
    QSignalSpy started(&view, &WebView::loadStarted);
    QSignalSpy addresses(&view, &WebView::urlChanged);
    view.navigate(QStringLiteral("   "));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_FALSE(view.busy());

    QSignalSpy finished(&view, &WebView::loadFinished);
    view.navigate(page("one.html").toString());
    ASSERT_TRUE(finished.wait(loadTimeoutMs));
    EXPECT_EQ(started.size(), 1);
    ASSERT_FALSE(addresses.isEmpty());
    EXPECT_EQ(addresses.first().first().toUrl(), page("one.html"));
}

// --- the web engine module ----------------------------------------------------------------

const QString builtModuleDirectory = QStringLiteral(VORLETH_WEBVIEW_MODULE_DIR);

QString builtModuleFile() {
    const QStringList found =
        QDir(builtModuleDirectory)
            .entryList({QStringLiteral("*%1.so").arg(WebViewModule::baseName)}, QDir::Files);
    return found.isEmpty() ? QString() : QDir(builtModuleDirectory).filePath(found.first());
}

TEST(WebViewModuleTest, FoundInTheListedDirectoriesInOrderAndLoadedOnce) {
    QTemporaryDir empty;
    WebViewModule module({empty.path(), builtModuleDirectory});
    WebPageFactory* factory = module.factory();
    ASSERT_NE(factory, nullptr) << module.errorString().toStdString();
    EXPECT_TRUE(module.errorString().isEmpty());
    EXPECT_EQ(module.factory(), factory);
    // Loaded, it stays loaded whatever directories are named later.
    module.setDirectories({empty.path()});
    EXPECT_EQ(module.factory(), factory);
}

TEST(WebViewModuleTest, WhatCannotBeLoadedIsReportedInTheViewWhichThenDoesNothing) {
    QTemporaryDir empty;
    QTemporaryDir broken;
    {
        QFile file(broken.filePath(QStringLiteral("lib%1.so").arg(WebViewModule::baseName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a library");
    }
    const struct {
        const char* name;
        QStringList directories;
        QString reason; // part of the error text
    } cases[] = {
        {"no module in the directory", {empty.path()}, QStringLiteral("not found")},
        {"a file that is no module", {broken.path()}, broken.path()},
        {"no directory at all", {}, QStringLiteral("no directory")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WebViewModule module(c.directories);
        EXPECT_EQ(module.factory(), nullptr);
        EXPECT_TRUE(module.errorString().contains(WebViewModule::baseName));
        EXPECT_TRUE(module.errorString().contains(c.reason)) << module.errorString().toStdString();

        WebView view(module);
        view.show();
        EXPECT_FALSE(view.available());
        auto* notice = view.findChild<QLabel*>(QStringLiteral("unavailable"));
        ASSERT_NE(notice, nullptr);
        EXPECT_TRUE(notice->isVisible());
        EXPECT_EQ(notice->text(), WebView::unavailableMessage + '\n' + module.errorString());

        QSignalSpy started(&view, &WebView::loadStarted);
        view.navigate(QStringLiteral("file:///"));
        view.back();
        view.forward();
        view.reload();
        view.home();
        view.search();
        view.stop();
        QCoreApplication::processEvents();
        EXPECT_TRUE(started.isEmpty());
        EXPECT_FALSE(view.busy());
        EXPECT_TRUE(view.title().isEmpty());
        EXPECT_TRUE(view.url().isEmpty());
    }
}

TEST(WebViewModuleTest, AFailureHoldsUntilOtherDirectoriesAreNamed) {
    const QString file = builtModuleFile();
    ASSERT_FALSE(file.isEmpty());
    QTemporaryDir dir;
    WebViewModule module({dir.path()});
    ASSERT_EQ(module.factory(), nullptr);

    // Installed after the first attempt: not searched for again at every window...
    ASSERT_TRUE(QFile::link(file, dir.filePath(QFileInfo(file).fileName())));
    EXPECT_EQ(module.factory(), nullptr);
    // ...but found when the directories are named anew.
    module.setDirectories({dir.path()});
    EXPECT_NE(module.factory(), nullptr) << module.errorString().toStdString();
}

} // namespace
} // namespace vorleth
