#include "replay/replaytestbase.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include "export/sgfexport.h"
#include "screens/replay/replayscreen.h"
#include "screens/replay/sgfsave.h"

#include <QDir>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <memory>

namespace vorleth {
namespace {

using test::movesOf;

TEST(ProposedSgfPath, TheGameNameMadeSafe) {
    const struct {
        const char* gameName;
        const char* fileName;
    } cases[] = {
        {"第12回 囲碁まつり 決勝戦", "第12回 囲碁まつり 決勝戦.sgf"},
        {"2024/01 春:1", "2024／01 春：1.sgf"},
        {R"(a\b*c?d"e<f>g|h)", "a＼b＊c？d＂e＜f＞g｜h.sgf"},
        {"..", "．..sgf"},
        {" 練習碁 ", "練習碁.sgf"},
        {"", "棋譜.sgf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gameName);
        EXPECT_EQ(proposedSgfPath(QStringLiteral("/base"), QString::fromUtf8(c.gameName)),
                  QStringLiteral("/base/SGF/") + QString::fromUtf8(c.fileName));
    }
}

// A white stone at aa taken by black; the record's name is longer than a record reads back.
const MoveList game = movesOf({{201, "1"}, {101, "2"}, {102, "1"}, {101, "+"}, {1616, "2"}});
const QString longName = QStringLiteral("第12回 囲碁まつり 決勝戦");

class SgfSaveTest : public ::testing::Test {
protected:
    void open(const QString& gameName, const MoveList& moves) {
        fileName = library.store(gameName, moves);
        screen.reset(ReplayScreen::open(state, library.chosen(), navigator, dialogs));
        ASSERT_NE(screen, nullptr);
        action = screen->findChild<SgfSaveAction*>();
        ASSERT_NE(action, nullptr);
        action->setChooser([this](const QString& proposed) -> std::optional<QString> {
            proposals << proposed;
            return answer;
        });
    }

    // What the file must hold: the record exported with its full names.
    QByteArray expectedSgf() const {
        const QString path = recordPath(state.settings.recordDirectory, fileName);
        const QByteArray body = test::readBytes(path);
        Result<GameRecord> read = decodeRecord(fileName, body);
        EXPECT_TRUE(read.ok);
        restoreFullNames(read.metadata, body);
        return exportSgf(read.value()).text;
    }

    test::RecordLibrary library;
    SharedState& state = library.state;
    test::ScriptedDialogs dialogs;
    test::RecordingNavigator navigator;
    std::unique_ptr<ReplayScreen> screen;
    SgfSaveAction* action = nullptr;
    QString fileName;
    QStringList proposals;
    std::optional<QString> answer;
};

TEST_F(SgfSaveTest, MenuItemBesideTheReplayMenus) {
    open(QStringLiteral("練習碁"), game);
    QStringList captions;
    for (const QAction* a : screen->menuBar()->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{"並べ方の指定", "並べる局面の指定", "この対局の削除",
                                     "SGF形式で保存", "棋譜図", "ヘルプ"}));
}

TEST_F(SgfSaveTest, SavesTheGameWithItsFullNames) {
    open(longName, game);
    answer = library.directory.filePath(QStringLiteral("chosen.sgf"));
    action->trigger();

    ASSERT_EQ(proposals.size(), 1);
    EXPECT_EQ(proposals.first(),
              QDir(state.baseDirectory).filePath(QStringLiteral("SGF/") + longName + ".sgf"));
    EXPECT_TRUE(QFileInfo(proposals.first()).dir().exists());
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.messages().join(u'\n').toStdString();
    const QByteArray written = test::readBytes(*answer);
    EXPECT_EQ(written, expectedSgf());
    EXPECT_TRUE(written.contains(("GN[" + longName + "]").toUtf8()));
    EXPECT_TRUE(written.contains(";B[ba];W[aa];B[ab];W[pp]"));
}

TEST_F(SgfSaveTest, CancelWritesNothing) {
    open(QStringLiteral("練習碁"), game);
    answer = std::nullopt;
    EXPECT_FALSE(action->save());
    EXPECT_EQ(proposals.size(), 1);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(QDir(state.baseDirectory + QStringLiteral("/SGF")).isEmpty());
}

TEST_F(SgfSaveTest, AFailedWriteShowsItsReason) {
    open(QStringLiteral("練習碁"), game);
    answer = library.directory.filePath(QStringLiteral("no/such/folder/g.sgf"));
    EXPECT_FALSE(action->save());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const QString message = dialogs.shown.front().text;
    EXPECT_TRUE(
        message.startsWith(cannotSaveSgfMessage + QDir::toNativeSeparators(*answer) + u'（'))
        << message.toStdString();
    EXPECT_TRUE(message.endsWith(u'）'));
    EXPECT_GT(message.size(), (cannotSaveSgfMessage + *answer).size() + 2); // a reason is given
    EXPECT_FALSE(QFileInfo::exists(*answer));
}

TEST_F(SgfSaveTest, NamesTheMovesOtherProgramsShowOtherwise) {
    // Black's stone at aa has no liberty and captures nothing; the record keeps it.
    open(QStringLiteral("練習碁"), movesOf({{201, "2"}, {1616, "1"}, {102, "2"}, {101, "1"}}));
    answer = library.directory.filePath(QStringLiteral("g.sgf"));
    EXPECT_TRUE(action->save());
    EXPECT_EQ(test::readBytes(*answer), expectedSgf());
    EXPECT_EQ(dialogs.messages(), QStringList{sgfSetUpAgainMessage + QStringLiteral("4手目")});
}

} // namespace
} // namespace vorleth
