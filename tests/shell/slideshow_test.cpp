#include "shell/slideshow.h"
#include "state/sharedstate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

class SlideshowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_temp.isValid()); }
    void add(const char* name) {
        QFile file(QDir(m_temp.path()).filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList ticks(SharedState& state, int n) {
        QStringList names;
        for (int i = 0; i < n; ++i) {
            const auto picture = slideshowTick(state);
            names << (picture ? QFileInfo(*picture).fileName() : QStringLiteral("-"));
        }
        return names;
    }
    QTemporaryDir m_temp;
};

TEST_F(SlideshowTest, ShowsPicturesInNameOrderAndWrapsRound) {
    add("c.jpg");
    add("a.jpg");
    add("b.bmp");
    add("notes.txt");
    add("d.png");
    SharedState state(m_temp.path());
    state.settings.photoDirectory = m_temp.path();
    EXPECT_EQ(ticks(state, 7),
              (QStringList{"a.jpg", "b.bmp", "c.jpg", "a.jpg", "b.bmp", "c.jpg", "a.jpg"}));
    EXPECT_EQ(state.shell.slideshowIndex, 1);
}

TEST_F(SlideshowTest, IgnoresLetterCaseInExtensionsAndOrder) {
    add("B.JPG");
    add("a.Bmp");
    add("c.jpeg");
    EXPECT_EQ(slideshowPictures(m_temp.path()), (QStringList{"a.Bmp", "B.JPG"}));
}

TEST_F(SlideshowTest, PhotoDirectoryWithATrailingSeparatorNamesTheSameFiles) {
    add("a.jpg");
    SharedState state(m_temp.path());
    state.settings.photoDirectory = m_temp.path() + QLatin1Char('/');
    const auto picture = slideshowTick(state);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(QFileInfo::exists(*picture));
}

TEST_F(SlideshowTest, DoesNothingWhenOffEmptyOrMissing) {
    add("a.jpg");
    const QString emptyDir = QDir(m_temp.path()).filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(emptyDir));
    const QString cases[] = {QStringLiteral("PASS"), QStringLiteral("/"), QString(), emptyDir,
                             QDir(m_temp.path()).filePath(QStringLiteral("missing"))};
    for (const QString& directory : cases) {
        SCOPED_TRACE(directory.toStdString());
        SharedState state(m_temp.path());
        state.settings.photoDirectory = directory;
        state.shell.slideshowIndex = 2;
        EXPECT_FALSE(slideshowTick(state));
        EXPECT_EQ(state.shell.slideshowIndex, 2);
    }
}

TEST_F(SlideshowTest, AnIndexBeyondAShrunkenListStartsAgainAtTheFirst) {
    add("a.jpg");
    add("b.jpg");
    SharedState state(m_temp.path());
    state.settings.photoDirectory = m_temp.path();
    state.shell.slideshowIndex = 5;
    EXPECT_EQ(ticks(state, 2), (QStringList{"a.jpg", "b.jpg"}));
}

} // namespace
} // namespace vorleth
