#include "store/textfile.h"

#include "support/printers.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

namespace vorleth {
namespace {

using test::readBytes;
using test::writeBytes;

class SafeWrite : public ::testing::Test {
protected:
    QTemporaryDir temp;
    QString path = temp.filePath(QStringLiteral("棋譜.ENT"));
    const QByteArray before = "the entry as it was\r\n";

    void SetUp() override { writeBytes(path, before); }

    // Nothing but the target is left in the directory: no temporary file.
    QStringList entries() const {
        return QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
};

TEST_F(SafeWrite, AWriteThatFailsPartwayLeavesThePreviousFileByteForByte) {
    const QByteArray after =
        QByteArray("a new entry that is longer than the old one\r\n").repeated(50);
    const auto halfThenFail = [](QIODevice& file, const QByteArray& bytes) {
        file.write(bytes.left(bytes.size() / 2));
        return false; // the disk filled up
    };
    const Outcome result = textfile::writeFileSafely(path, after, halfThenFail);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(entries(), QStringList{QFileInfo(path).fileName()});

    ASSERT_TRUE(textfile::writeFileSafely(path, after).ok);
    EXPECT_EQ(readBytes(path), after);
    EXPECT_EQ(entries(), QStringList{QFileInfo(path).fileName()});
}

// The new content goes to a new file that takes the old one's name; writing into the old file
// in place would leave a half-written file behind whenever the write stops.
TEST_F(SafeWrite, TheTargetIsReplacedNotRewrittenInPlace) {
    const QString link = temp.filePath(QStringLiteral("link"));
    std::error_code error;
    std::filesystem::create_hard_link(path.toStdU16String(), link.toStdU16String(), error);
    ASSERT_FALSE(error) << error.message();
    ASSERT_TRUE(textfile::writeFileSafely(path, "new content\r\n").ok);
    EXPECT_EQ(readBytes(path), QByteArray("new content\r\n"));
    EXPECT_EQ(readBytes(link), before) << "the old file was written over";
}

TEST_F(SafeWrite, AnUnwritableDirectoryIsReported) {
    const QString elsewhere = temp.filePath(QStringLiteral("missing/棋譜.ENT"));
    const Outcome result = textfile::writeFileSafely(elsewhere, "x");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(QFileInfo::exists(elsewhere));
}

} // namespace
} // namespace vorleth
