#include "ui/platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QTemporaryDir>

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

TEST(ClipboardTest, TextGoesInAndIsCleared) {
    // The offscreen platform's clipboard lives in this process; any other would be the user's.
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    setClipboardText(QStringLiteral("黒：山田　白：田中"));
    EXPECT_TRUE(clipboardHasText());
    EXPECT_EQ(clipboardText(), QStringLiteral("黒：山田　白：田中"));
    clearClipboard();
    EXPECT_FALSE(clipboardHasText());
    EXPECT_EQ(clipboardText(), QString());
}

class PictureTest : public testing::Test {
protected:
    // A picture 200 x 100: left half red, right half blue.
    QString save(const QString& name, const char* format) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(Qt::blue);
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x)
                image.setPixel(x, y, qRgb(255, 0, 0));
        }
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, format, 95));
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(PictureTest, BmpAndJpgAreScaledToFillTheArea) {
    for (const auto& [name, format] : {std::pair{"写真1.bmp", "BMP"}, {"写真2.jpg", "JPG"}}) {
        SCOPED_TRACE(name);
        const QPixmap picture = loadPictureScaled(save(QString::fromUtf8(name), format), {60, 90});
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(60, 90));
        const QImage image = picture.toImage();
        const QColor left = image.pixelColor(10, 45);
        const QColor right = image.pixelColor(50, 45);
        EXPECT_GT(left.red(), 200);
        EXPECT_LT(left.blue(), 60);
        EXPECT_GT(right.blue(), 200);
        EXPECT_LT(right.red(), 60);
    }
}

TEST_F(PictureTest, AspectRatioKeptWhenAsked) {
    const QPixmap picture =
        loadPictureScaled(save(QStringLiteral("a.jpg"), "JPG"), {60, 90}, Qt::KeepAspectRatio);
    EXPECT_EQ(picture.size(), QSize(60, 30));
}

TEST_F(PictureTest, UnreadablePicturesGiveNothing) {
    QFile notAPicture(dir.filePath(QStringLiteral("notes.jpg")));
    ASSERT_TRUE(notAPicture.open(QIODevice::WriteOnly));
    notAPicture.write("this is not a picture");
    notAPicture.close();

    EXPECT_TRUE(loadPictureScaled(notAPicture.fileName(), {60, 90}).isNull());
    EXPECT_TRUE(loadPictureScaled(dir.filePath(QStringLiteral("missing.bmp")), {60, 90}).isNull());
    EXPECT_TRUE(loadPictureScaled(save(QStringLiteral("b.bmp"), "BMP"), {0, 90}).isNull());
}

TEST(JapaneseFontTest, PrefersNotoSansCjkAndKeepsTheFontBeforeIt) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    const QFont before = QApplication::font();
    const QString resolvedBefore = QFontInfo(before).family();
    applyJapaneseFont(*app);
    const QFont after = QApplication::font();
    QApplication::setFont(before);

    EXPECT_EQ(after.families().value(0), QStringLiteral("Noto Sans CJK JP"));
    EXPECT_EQ(after.pointSizeF(), before.pointSizeF());
    // What the widgets are drawn with: the Japanese font, or the one they had without it.
    const bool installed = QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK JP"));
    EXPECT_EQ(QFontInfo(after).family(),
              installed ? QStringLiteral("Noto Sans CJK JP") : resolvedBefore);
}

} // namespace
} // namespace vorleth
