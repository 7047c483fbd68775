#include "shell/browserlogic.h"
#include "shell/website.h"
#include "state/settings.h"

#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using Action = BrowserLogic::Action;

TEST(BrowserLogicTest, StartAddressIsTakenOnceThenTheFrontPage) {
    ShellState shell;
    shell.browserStartAddress = QStringLiteral("qrc:/site/Vorleth/installsetsumei/install.html");
    EXPECT_EQ(BrowserLogic::takeStartingAddress(shell),
              QStringLiteral("qrc:/site/Vorleth/installsetsumei/install.html"));
    EXPECT_TRUE(shell.browserStartAddress.isEmpty());
    EXPECT_EQ(BrowserLogic::takeStartingAddress(shell), QStringLiteral("qrc:/site/index.html"));
}

TEST(BrowserLogicTest, CreationListsOnlyTheStartAddressAndTypedOnesAreNotAdded) {
    BrowserLogic logic;
    EXPECT_FALSE(logic.timerOn());
    EXPECT_TRUE(logic.windowTitle().isEmpty());
    EXPECT_EQ(logic.start(QStringLiteral("about:blank")), QStringLiteral("about:blank"));
    EXPECT_EQ(logic.addressList(), QStringList{QStringLiteral("about:blank")});
    EXPECT_TRUE(logic.timerOn());
    EXPECT_TRUE(logic.windowTitle().isEmpty());

    logic.tick(false, QStringLiteral("Blank"));
    ASSERT_FALSE(logic.timerOn());
    EXPECT_EQ(logic.openFromBox(QStringLiteral("file:///tmp/x.html")),
              QStringLiteral("file:///tmp/x.html"));
    EXPECT_TRUE(logic.timerOn());
    EXPECT_EQ(logic.addressList(), QStringList{QStringLiteral("about:blank")});
}

TEST(BrowserLogicTest, BusyPollShowsConnectingUntilTheLoadEnds) {
    BrowserLogic logic;
    logic.start(QStringLiteral("about:blank"));
    logic.tick(true, QStringLiteral("half"));
    EXPECT_EQ(logic.windowTitle(), QStringLiteral("接続中..."));
    EXPECT_TRUE(logic.timerOn());
    logic.tick(false, QStringLiteral("Page"));
    EXPECT_EQ(logic.windowTitle(), QStringLiteral("Page"));
    EXPECT_FALSE(logic.timerOn());
}

TEST(BrowserLogicTest, FinishedLoadShowsTheTitleWithoutTouchingThePoll) {
    BrowserLogic logic;
    logic.start(QStringLiteral("about:blank"));
    logic.loadFinished(QStringLiteral("Done"));
    EXPECT_EQ(logic.windowTitle(), QStringLiteral("Done"));
    EXPECT_TRUE(logic.timerOn());
}

TEST(BrowserLogicTest, ToolbarKeysInOrderAndWhatAPressDoes) {
    const struct {
        const char* key;
        const char* label;
        Action action;
        bool timerAfter;
    } cases[] = {
        {"Back", "戻る", Action::Back, true},  {"Forward", "進む", Action::Forward, true},
        {"Stop", "中止", Action::Stop, false}, {"Refresh", "更新", Action::Refresh, true},
        {"Home", "ﾎｰﾑ", Action::Home, true},   {"Search", "検索", Action::Search, true},
    };
    const auto buttons = BrowserLogic::toolbarButtons();
    ASSERT_EQ(buttons.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.key);
        EXPECT_EQ(buttons[i].key, QString::fromUtf8(c.key));
        EXPECT_EQ(buttons[i].label, QString::fromUtf8(c.label));
        BrowserLogic logic;
        EXPECT_EQ(logic.press(QString::fromUtf8(c.key), QStringLiteral("T")), c.action);
        EXPECT_EQ(logic.timerOn(), c.timerAfter);
        EXPECT_EQ(logic.windowTitle(), c.action == Action::Stop ? QStringLiteral("T") : QString());
    }
    BrowserLogic logic;
    EXPECT_EQ(logic.press(QStringLiteral("Print"), QStringLiteral("T")), Action::None);
    EXPECT_TRUE(logic.timerOn());
    EXPECT_TRUE(logic.windowTitle().isEmpty());
}

TEST(BrowserLogicTest, LayoutKeepsMarginsAndNeverGoesNegative) {
    const struct {
        int width, height, stripTop, stripHeight;
        int box, page, pageHeight;
    } cases[] = {
        {9000, 7000, 500, 400, 8900, 8900, 6000},
        {100, 1000, 500, 400, 0, 0, 0},
        {50, 50, 500, 400, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0},
        {101, 1001, 500, 400, 1, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        const auto l = BrowserLogic::layout(c.width, c.height, c.stripTop, c.stripHeight);
        EXPECT_EQ(l.addressBoxWidth, c.box);
        EXPECT_EQ(l.pageWidth, c.page);
        EXPECT_EQ(l.pageHeight, c.pageHeight);
    }
}

// The site the program carries: the pages it opens are there, and every link between them
// leads to a page that is there too.
TEST(SiteTest, EveryPageTheProgramOpensAndEveryLinkOnThemIsCarried) {
    auto resourceOf = [](const QString& address) {
        const QUrl url(address);
        return url.scheme() == u"qrc" ? u':' + url.path() : QString();
    };
    QStringList toVisit{frontPageAddress(), installGuideAddress()};
    QStringList visited;
    while (!toVisit.isEmpty()) {
        const QString address = toVisit.takeFirst();
        if (visited.contains(address))
            continue;
        visited << address;
        SCOPED_TRACE(address.toStdString());
        QFile page(resourceOf(address));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        if (!address.endsWith(QLatin1String(".html")))
            continue;
        const QString text = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(text.contains(QLatin1String("<meta charset=\"utf-8\">")));
        static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#]+)"));
        for (auto m = link.globalMatch(text); m.hasNext();)
            toVisit << QUrl(address).resolved(QUrl(m.next().captured(1))).toString();
    }
    // The front page, the guide and the style sheet they share.
    EXPECT_GE(visited.size(), 3);
}

} // namespace
} // namespace vorleth
