// The picture cache reads a file once and again only when it changes, and
// stays within its bounds.

#include "editor/ui/core/picture_cache.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace keyui {
namespace {

class PictureCacheTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& contents) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
        return path;
    }

    // Stands in for the bitmap decoder: a picture one pixel high and as
    // wide as the file is long (4 bytes a pixel), null for an empty file.
    PictureCache::Loader loader() {
        return [this](const QString& path) {
            ++loads;
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly) || file.size() == 0) return QImage();
            QImage image(static_cast<int>(file.size()), 1, QImage::Format_RGB32);
            image.fill(Qt::red);
            return image;
        };
    }

    QTemporaryDir folder;
    int loads = 0;
};

TEST_F(PictureCacheTest, AnUnchangedFileIsReadOnceEvenWhenItIsNoPicture) {
    PictureCache cache;
    const QString path = write("a.bmp", "1234");
    const QString empty = write("empty.bmp", "");
    for (int lookup = 0; lookup < 2; ++lookup) {
        EXPECT_EQ(cache.picture(path, loader()).width(), 4);
        EXPECT_TRUE(cache.picture(empty, loader()).isNull());
    }
    EXPECT_EQ(loads, 2);
}

TEST_F(PictureCacheTest, AFileWithNewContentsOrANewTimeIsReadAgain) {
    PictureCache cache;
    const QString path = write("a.bmp", "1234");
    cache.picture(path, loader());
    write("a.bmp", "123456");
    EXPECT_EQ(cache.picture(path, loader()).width(), 6);
    EXPECT_EQ(loads, 2);

    // Same size, only the modification time moves on.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    file.close();
    cache.picture(path, loader());
    EXPECT_EQ(loads, 3);
    EXPECT_EQ(cache.entryCount(), 1u);
}

TEST_F(PictureCacheTest, AFileThatIsGoneGivesNothingAndLeavesNoEntry) {
    PictureCache cache;
    const QString path = write("a.bmp", "1234");
    cache.picture(path, loader());
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(cache.picture(path, loader()).isNull());
    EXPECT_EQ(cache.entryCount(), 0u);
    EXPECT_EQ(cache.byteCount(), 0);
    EXPECT_TRUE(cache.picture(folder.path(), loader()).isNull()) << "a folder is no picture file";
    EXPECT_EQ(loads, 1);
}

TEST_F(PictureCacheTest, TheLeastRecentlyUsedPictureGoesFirst) {
    PictureCache cache(2, kMaxCachedPictureBytes);
    const QString a = write("a.bmp", "1");
    const QString b = write("b.bmp", "22");
    const QString c = write("c.bmp", "333");
    cache.picture(a, loader());
    cache.picture(b, loader());
    cache.picture(a, loader());
    cache.picture(c, loader());  // b goes
    EXPECT_EQ(loads, 3);
    EXPECT_EQ(cache.entryCount(), 2u);
    cache.picture(a, loader());
    EXPECT_EQ(loads, 3) << "a was used after b";
    cache.picture(b, loader());
    EXPECT_EQ(loads, 4);
}

TEST_F(PictureCacheTest, PicturesStayWithinTheByteBudget) {
    constexpr qsizetype kBudget = 4 * 10;  // ten pixels of the stand-in pictures
    PictureCache cache(kMaxCachedPictures, kBudget);
    const QString six = write("six.bmp", "123456");
    const QString five = write("five.bmp", "12345");
    const QString large = write("large.bmp", "12345678901");
    cache.picture(six, loader());
    cache.picture(five, loader());  // 44 bytes: six goes
    EXPECT_EQ(cache.entryCount(), 1u);
    EXPECT_EQ(cache.byteCount(), 20);

    EXPECT_EQ(cache.picture(large, loader()).width(), 11) << "handed out though larger than the budget";
    EXPECT_EQ(cache.byteCount(), 20) << "and not kept";
    cache.picture(large, loader());
    EXPECT_EQ(loads, 4);
}

}  // namespace
}  // namespace keyui
