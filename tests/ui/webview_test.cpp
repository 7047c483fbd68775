#include "ui/platform.h"
#include "ui/webview.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace vorleth {
namespace {

// The engine's settings must be made before the application object exists.
const bool webEnginePrepared = (prepareWebEngine(), true);

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
    ASSERT_TRUE(webEnginePrepared);
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

TEST_F(WebViewTest, AnEmptyAddressLoadsNothing) {
    QSignalSpy started(&view, &WebView::loadStarted);
    view.navigate(QStringLiteral("   "));
    QTest::qWait(200);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_FALSE(view.busy());
}

} // namespace
} // namespace vorleth
