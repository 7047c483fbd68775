#include "shell/settingsfile.h"
#include "shell/startup.h"
#include "state/sharedstate.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::readBytes;
using test::sjis;
using test::writeBytes;

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_temp.isValid());
        base = QDir(m_temp.path()).filePath(QStringLiteral("Vorleth"));
        ASSERT_TRUE(QDir().mkpath(base));
    }
    QString filePath() const { return QDir(base).filePath(QStringLiteral("棋譜.dev")); }

    QTemporaryDir m_temp;
    QString base;
};

TEST(SettingsNumberFieldTest, SignPositionAndTrailingBlank) {
    const struct {
        int value;
        const char* text;
    } cases[] = {{0, " 0 "}, {800, " 800 "}, {640, " 640 "}, {-5, "-5 "}, {-32768, "-32768 "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formatNumberField(c.value), QString::fromLatin1(c.text));
    }
}

TEST_F(SettingsFileTest, WritesOneWindows31JLineWithFiveZeros) {
    Settings settings;
    settings.recordDirectory = QStringLiteral("D:/games");
    settings.photoDirectory = QStringLiteral("D:/写真/");
    settings.screenSize = 800;
    ASSERT_TRUE(writeSettings(base, settings).ok);
    // 写 and 真 in Windows-31J.
    EXPECT_EQ(readBytes(filePath()),
              QByteArray("D:/games,D:/\x8e\xca\x90\x5e/, 800 , 0 , 0 , 0 , 0 , 0 \r\n"));
}

TEST_F(SettingsFileTest, RefusesADirectoryWindows31JCannotSpell) {
    writeBytes(filePath(), "old, contents, 0 \r\n");
    Settings settings;
    settings.recordDirectory = QStringLiteral("D:/games/한국");
    settings.photoDirectory = QStringLiteral("PASS");
    const Outcome result = writeSettings(base, settings);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(readBytes(filePath()), QByteArray("old, contents, 0 \r\n"));
}

TEST_F(SettingsFileTest, ReportsAFileThatCannotBeWritten) {
    // A directory standing where the file should be.
    ASSERT_TRUE(QDir(base).mkdir(QStringLiteral("棋譜.dev")));
    Settings settings;
    settings.recordDirectory = QStringLiteral("a");
    settings.photoDirectory = QStringLiteral("b");
    EXPECT_FALSE(writeSettings(base, settings).ok);
}

struct ReadCase {
    const char* name;
    QByteArray contents;
    bool exists;
    bool readWhole;
    QString recordDirectory; // empty: the default
    QString photoDirectory;  // empty: the default
    int screenSize;
    bool large;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadSettingsTest : public SettingsFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadSettingsTest, TakesTheFirstThreeFieldsAndRewritesWhenUnreadable) {
    const ReadCase& c = GetParam();
    SharedState state(base);
    if (c.exists)
        writeBytes(filePath(), c.contents);

    const StartUpOutcome outcome = startUp(state);

    const QString defaultRecord = QDir(base).filePath(QStringLiteral("Pelloq"));
    const QString defaultPhoto = QDir(base).filePath(QStringLiteral("Pelloq写真"));
    const QString record = c.recordDirectory.isEmpty() ? defaultRecord : c.recordDirectory;
    const QString photo = c.photoDirectory.isEmpty() ? defaultPhoto : c.photoDirectory;
    EXPECT_EQ(outcome.settingsRead.readWhole, c.readWhole);
    EXPECT_EQ(state.settings.recordDirectory, record);
    EXPECT_EQ(state.settings.photoDirectory, photo);
    EXPECT_EQ(state.settings.screenSize, c.screenSize);
    EXPECT_EQ(state.geometry.large(), c.large);
    EXPECT_EQ(state.geometry.cellSize, c.large ? 377 : 250);

    const QByteArray rewritten =
        sjis(record + QLatin1Char(',') + photo + QLatin1Char(',') +
             formatNumberField(c.screenSize) + QStringLiteral(", 0 , 0 , 0 , 0 , 0 \r\n"));
    EXPECT_EQ(readBytes(filePath()), c.readWhole ? c.contents : rewritten);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadSettingsTest,
    ::testing::Values(
        ReadCase{"size800", "D:/games,D:/photos/, 800 , 0 , 0 , 0 , 0 , 0 \r\n", true, true,
                 "D:/games", "D:/photos/", 800, true},
        ReadCase{"size640", "D:/games,PASS, 640 , 0 , 0 , 0 , 0 , 0 \r\n", true, true, "D:/games",
                 "PASS", 640, false},
        ReadCase{"size0", "D:/games,PASS, 0 , 0 , 0 , 0 , 0 , 0 \r\n", true, true, "D:/games",
                 "PASS", 0, false},
        ReadCase{"otherSize", "a,b, 1024 \r\n", true, true, "a", "b", 1024, false},
        ReadCase{"negativeSize", "a,b,-800 \r\n", true, true, "a", "b", -800, false},
        ReadCase{"leadingBlanksSkipped", "  a,  b,800", true, true, "a", "b", 800, true},
        ReadCase{"fieldsOnSeparateLines", "a\r\nb\r\n 800 \r\n", true, true, "a", "b", 800, true},
        ReadCase{"shiftJisDirectory", "D:/\x8e\xca\x90\x5e,b, 0 \r\n", true, true,
                 QStringLiteral("D:/写真"), "b", 0, false},
        ReadCase{"twoFields", "D:/games,D:/photos/\r\n", true, false, "D:/games", "D:/photos/", 0,
                 false},
        ReadCase{"sizeNotANumber", "a,b, abc \r\n", true, false, "a", "b", 0, false},
        ReadCase{"sizeOutOf16Bits", "a,b, 70000 \r\n", true, false, "a", "b", 0, false},
        ReadCase{"oneField", "a\r\n", true, false, "a", "", 0, false},
        ReadCase{"emptyFile", "", true, false, "", "", 0, false},
        ReadCase{"missingFile", "", false, false, "", "", 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, ARereadKeepsTheSizeHeldWhenTheFileLacksIt) {
    // The size in memory is what the rewrite carries, as for the directories.
    SharedState state(base);
    state.settings.screenSize = 800;
    writeBytes(filePath(), "a,b\r\n");
    const ReadResult result = readSettings(state);
    EXPECT_TRUE(result.rewritten);
    EXPECT_TRUE(result.rewrite.ok);
    EXPECT_EQ(readBytes(filePath()), QByteArray("a,b, 800 , 0 , 0 , 0 , 0 , 0 \r\n"));
}

} // namespace
} // namespace vorleth
