#include "screens/import/sgfchooserscreen.h"

#include "app/screens.h"
#include "import/importsource.h"
#include "state/sharedstate.h"
#include "support/printers.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"
#include "support/widgets.h"
#include "ui/screenregistry.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::child;
using test::click;
using test::settle;

// The file list fills from a background thread; every wait for it has this bound.
constexpr int listingTimeoutMs = 30000;

QStringList listed(const QListView* list) {
    QStringList names;
    const QModelIndex root = list->rootIndex();
    for (int row = 0; row < list->model()->rowCount(root); ++row)
        names << list->model()->index(row, 0, root).data().toString();
    names.sort();
    return names;
}

class SgfChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        base = QDir(m_temp.path()).filePath(QStringLiteral("Vorleth"));
        sgf = QDir(base).filePath(QStringLiteral("SGF"));
        older = QDir(sgf).filePath(QStringLiteral("以前"));
        ASSERT_TRUE(QDir().mkpath(older));
        for (const char* name : {"a.sgf", "B.SGF", "c.txt", "d.sgf.bak"})
            test::touch(QDir(sgf).filePath(QString::fromUtf8(name)));
        test::touch(QDir(older).filePath(QStringLiteral("古い.Sgf")));
    }
    void TearDown() override { test::closeEveryWindow(); }

    QPointer<SgfChooserScreen> open() {
        auto* screen = new SgfChooserScreen(source, base, navigator);
        screen->setAttribute(Qt::WA_DeleteOnClose);
        screen->show();
        return screen;
    }
    // Waits, bounded, until the file list shows exactly these names.
    static void expectListing(QListView* list, const QStringList& names) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return listed(list) == names; }, listingTimeoutMs))
            << "listed: " << listed(list).join(u", ") << "; expected: " << names.join(u", ");
    }
    static QModelIndex fileIndex(QListView* list, const QString& name) {
        const QModelIndex root = list->rootIndex();
        for (int row = 0; row < list->model()->rowCount(root); ++row) {
            const QModelIndex index = list->model()->index(row, 0, root);
            if (index.data().toString() == name)
                return index;
        }
        ADD_FAILURE() << "no file " << name;
        return {};
    }
    // A click (or double click) on a file as the user makes it.
    static void clickFile(QListView* list, const QString& name, bool twice = false) {
        const QModelIndex index = fileIndex(list, name);
        list->scrollTo(index);
        const QPoint at = list->visualRect(index).center();
        // A double click arrives as a click followed by the double-click event.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    QTemporaryDir m_temp;
    QString base;
    QString sgf;
    QString older;
    ImportSource source;
    test::RecordingNavigator navigator;
};

TEST_F(SgfChooserTest, ShowsTheSgfFilesOfTheImportDirectory) {
    auto screen = open();
    EXPECT_EQ(screen->objectName(), QStringLiteral("SgfTorikomi"));
    const QString title = QStringLiteral("ＹＡＨＯＯ囲碁ファイル(SGF)の取込み");
    EXPECT_EQ(screen->windowTitle(), title);
    EXPECT_EQ(child<QLabel>(screen, "TitleLabel")->text(), title);
    EXPECT_EQ(child<QLabel>(screen, "HintLabel")->text(),
              QStringLiteral("ファイル名をダブルクリックしても取込みを開始します"));
    EXPECT_EQ(child<QPushButton>(screen, "Command1")->text(), QStringLiteral("取込み実行"));
    EXPECT_EQ(child<QPushButton>(screen, "Command2")->text(), QStringLiteral("戻る"));

    // The drives of the system: on Linux the one root.
    auto* drives = child<QComboBox>(screen, "Drive1");
    ASSERT_EQ(drives->count(), QDir::drives().size());
    EXPECT_EQ(drives->itemData(drives->currentIndex()).toString(),
              QDir::drives().first().absoluteFilePath());

    auto* directories = child<QTreeView>(screen, "Dir1");
    const auto* model = qobject_cast<const QFileSystemModel*>(directories->model());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->filePath(directories->currentIndex()), sgf);
    EXPECT_EQ(screen->shownDirectory(), sgf);
    // *.sgf in either case, and nothing else.
    expectListing(child<QListView>(screen, "File1"),
                  {QStringLiteral("B.SGF"), QStringLiteral("a.sgf")});
    EXPECT_TRUE(navigator.shown.empty());
}

// Many directories sort before the import directory: it is still the one in view, selected,
// not somewhere far below the root.
TEST_F(SgfChooserTest, TheImportDirectoryIsScrolledIntoViewAndSelected) {
    for (int i = 0; i < 60; ++i)
        ASSERT_TRUE(QDir(base).mkpath(QStringLiteral("A%1").arg(i, 2, 10, QLatin1Char('0'))));
    auto screen = open();
    auto* directories = child<QTreeView>(screen, "Dir1");
    const auto* model = qobject_cast<const QFileSystemModel*>(directories->model());
    ASSERT_NE(model, nullptr);
    // Once the directories above it have arrived, it has been scrolled down to.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return model->rowCount(model->index(base)) == 61 &&
                   test::currentRowInView(directories) &&
                   directories->verticalScrollBar()->value() > 0;
        },
        listingTimeoutMs));
    EXPECT_EQ(model->filePath(directories->currentIndex()), sgf);
}

TEST_F(SgfChooserTest, ClickingAFileMakesItTheSource) {
    auto screen = open();
    auto* files = child<QListView>(screen, "File1");
    expectListing(files, {QStringLiteral("B.SGF"), QStringLiteral("a.sgf")});
    clickFile(files, QStringLiteral("B.SGF"));
    EXPECT_EQ(source.importSourcePath, QDir(sgf).filePath(QStringLiteral("B.SGF")));
    EXPECT_TRUE(navigator.shown.empty());
    settle();
    EXPECT_FALSE(screen.isNull());
}

TEST_F(SgfChooserTest, HandsOverToTheGameInformation) {
    const struct {
        const char* name;
        const char* clicked;       // a file clicked first, or ""
        const char* doubleClicked; // or ""
        const char* button;
        QString source;
    } cases[] = {
        {"double click", "", "a.sgf", "", QStringLiteral("/SGF/a.sgf")},
        {"取込み実行 after a click", "B.SGF", "", "Command1", QStringLiteral("/SGF/B.SGF")},
        // The import then says the file is missing.
        {"取込み実行 without a file", "", "", "Command1", QStringLiteral("/SGF/")},
        {"戻る", "a.sgf", "", "Command2", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        navigator.clear();
        source.importSourcePath = QStringLiteral("/earlier/choice.sgf");
        auto screen = open();
        auto* files = child<QListView>(screen, "File1");
        expectListing(files, {QStringLiteral("B.SGF"), QStringLiteral("a.sgf")});
        if (*c.clicked)
            clickFile(files, QString::fromUtf8(c.clicked));
        if (*c.doubleClicked)
            clickFile(files, QString::fromUtf8(c.doubleClicked), true);
        if (*c.button)
            click(screen, c.button);

        EXPECT_EQ(source.importSourcePath, c.source.isEmpty() ? QString() : base + c.source);
        EXPECT_EQ(navigator.shown, std::vector<ScreenId>{ScreenId::GameInfo});
        settle();
        EXPECT_TRUE(screen.isNull());
    }
}

TEST_F(SgfChooserTest, AnotherDirectoryListsItsFilesAndForgetsTheChoice) {
    auto screen = open();
    auto* files = child<QListView>(screen, "File1");
    expectListing(files, {QStringLiteral("B.SGF"), QStringLiteral("a.sgf")});
    files->setCurrentIndex(fileIndex(files, QStringLiteral("a.sgf")));

    auto* directories = child<QTreeView>(screen, "Dir1");
    auto* model = qobject_cast<QFileSystemModel*>(directories->model());
    ASSERT_NE(model, nullptr);
    directories->setCurrentIndex(model->index(older));
    EXPECT_EQ(screen->shownDirectory(), older);
    expectListing(files, {QStringLiteral("古い.Sgf")});

    click(screen, "Command1");
    EXPECT_EQ(source.importSourcePath, older + u'/');
}

TEST_F(SgfChooserTest, ChoosingADriveShowsItsRoot) {
    auto screen = open();
    auto* drives = child<QComboBox>(screen, "Drive1");
    ASSERT_GE(drives->count(), 1);
    drives->activated(0);
    EXPECT_EQ(screen->shownDirectory(), QDir::drives().first().absoluteFilePath());
}

TEST_F(SgfChooserTest, WithoutTheImportDirectoryItStartsInTheBaseDirectory) {
    ASSERT_TRUE(QDir(sgf).removeRecursively());
    auto screen = open();
    EXPECT_EQ(screen->shownDirectory(), base);
}

TEST_F(SgfChooserTest, TheApplicationOpensItForItsId) {
    SharedState state(base);
    test::ScriptedDialogs dialogs;
    ScreenRegistry registry;
    registerScreens(registry, state, dialogs);
    registry.show(ScreenId::SgfChooser);
    ASSERT_NE(registry.current(), nullptr);
    EXPECT_EQ(registry.current()->objectName(), QStringLiteral("SgfTorikomi"));
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace vorleth
