// Picture loading by file type with real JPEG, GIF and BMP files, the errors that name a
// missing or broken file, the numbered picture names and the program folder rule.
#include "app_test_support.h"
#include "data_module.h"
#include "picture_error.h"
#include "picture_writers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Four flat quarters; flat areas survive JPEG almost exactly.
QImage Quarters() {
    QImage image(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y,
                           x < 16 ? (y < 16 ? qRgb(220, 30, 30) : qRgb(30, 200, 40))
                                  : (y < 16 ? qRgb(20, 40, 210) : qRgb(250, 250, 250)));
    return image;
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TEST(NumberedName, ReplacesOnlyTheFirstQuestionMark) {
    EXPECT_EQ(NumberedName("Used?.jpg", 3), "Used3.jpg");
    EXPECT_EQ(NumberedName("UnUsed?.jpg", 0), "UnUsed0.jpg");
    EXPECT_EQ(NumberedName("VornaChange?.gif", 8), "VornaChange8.gif");
    EXPECT_EQ(NumberedName("A?B?", 12), "A12B?");
    EXPECT_EQ(NumberedName("WhitePawn.gif", 5), "WhitePawn.gif");
}

TEST(ProgramFolder, IsTheExecutablesFolderWhenItHoldsImages) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath("bin/Images");
    QDir(root.path()).mkpath("lib");
    EXPECT_EQ(ProgramFolderOf(root.path() + "/bin"), root.path() + "/bin/");
    EXPECT_EQ(ProgramFolderOf(root.path() + "/lib"), root.path() + "/share/quorvin/");
    // The build folder holds the pictures the build copied there.
    EXPECT_EQ(ProgramFolderOf(BuildFolder()), QDir(BuildFolder()).absolutePath() + "/");
}

TEST(LoadPicture, DecodesAJpegWithLibjpeg) {
    QTemporaryDir dir;
    const QString path = dir.filePath("quarters.jpg");
    art::WriteJpeg(Quarters(), path, 95);
    QImage picture;
    LoadPicture(picture, path);
    ASSERT_EQ(picture.size(), QSize(32, 32));
    EXPECT_FALSE(picture.hasAlphaChannel());
    EXPECT_TRUE(Near(picture.pixel(4, 4), qRgb(220, 30, 30), 4));
    EXPECT_TRUE(Near(picture.pixel(4, 27), qRgb(30, 200, 40), 4));
    EXPECT_TRUE(Near(picture.pixel(27, 4), qRgb(20, 40, 210), 4));
    EXPECT_TRUE(Near(picture.pixel(27, 27), qRgb(250, 250, 250), 4));
}

TEST(LoadPicture, ComparesTheExtensionInLowerCase) {
    QTemporaryDir dir;
    const QString path = dir.filePath("QUARTERS.JPG");
    art::WriteJpeg(Quarters(), path, 95);
    QImage picture;
    LoadPicture(picture, path);
    EXPECT_EQ(picture.size(), QSize(32, 32));
}

TEST(LoadPicture, KeepsTheTransparentColourOfAGif) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            image.setPixel(x, y, y < 8 ? qRgb(200, 120, 40) : qRgb(10, 60, 90));
    QTemporaryDir dir;
    const QString path = dir.filePath("half.gif");
    art::WriteGif(image, path, qRgb(1, 2, 3));

    QImage picture;
    LoadPicture(picture, path);
    ASSERT_EQ(picture.size(), QSize(16, 16));
    ASSERT_TRUE(picture.hasAlphaChannel());
    // Transparent pixels keep the file's transparent colour; the others are exact.
    EXPECT_EQ(picture.pixel(2, 2), qRgba(1, 2, 3, 0));
    EXPECT_EQ(picture.pixel(12, 2), qRgb(200, 120, 40));
    EXPECT_EQ(picture.pixel(12, 12), qRgb(10, 60, 90));
}

TEST(LoadPicture, AGifWithoutTransparencyIsOpaque) {
    QTemporaryDir dir;
    const QString path = dir.filePath("opaque.gif");
    art::WriteGif(Quarters(), path, qRgb(0, 0, 0));
    QImage picture;
    LoadPicture(picture, path);
    EXPECT_FALSE(picture.hasAlphaChannel());
    EXPECT_EQ(picture.pixel(27, 27), qRgb(250, 250, 250));
}

TEST(LoadPicture, LoadsABitmapThroughQt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("quarters.bmp");
    ASSERT_TRUE(Quarters().save(path, "BMP"));
    QImage picture;
    LoadPicture(picture, path);
    EXPECT_EQ(DifferingPixels(picture, Quarters()), 0);
}

TEST(LoadPicture, OtherExtensionsLeaveTheBitmapUnchanged) {
    QTemporaryDir dir;
    const QString path = dir.filePath("quarters.png");
    ASSERT_TRUE(Quarters().save(path, "PNG"));
    QImage picture(5, 5, QImage::Format_RGB32);
    picture.fill(Qt::red);
    LoadPicture(picture, path);
    EXPECT_EQ(picture.size(), QSize(5, 5));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 0, 0));
}

TEST(LoadPicture, AMissingFileRaisesAnErrorNamingIt) {
    QTemporaryDir dir;
    for (const char* name : {"Used7.jpg", "Select5.gif", "Board.bmp"}) {
        const QString path = dir.filePath(name);
        QImage picture(3, 3, QImage::Format_RGB32);
        try {
            LoadPicture(picture, path);
            ADD_FAILURE() << "no error for " << name;
        } catch (const TPictureError& e) {
            EXPECT_EQ(e.FileName, path);
            EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos);
        }
        EXPECT_EQ(picture.size(), QSize(3, 3));
    }
}

TEST(LoadPicture, AFileThatDoesNotDecodeRaisesAnErrorNamingIt) {
    QTemporaryDir dir;
    for (const char* name : {"broken.jpg", "broken.gif", "broken.bmp"}) {
        const QString path = dir.filePath(name);
        WriteText(path, "this is not a picture at all");
        QImage picture;
        try {
            LoadPicture(picture, path);
            ADD_FAILURE() << "no error for " << name;
        } catch (const TPictureError& e) {
            EXPECT_EQ(e.FileName, path);
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos);
        }
    }
}

TEST(LoadPicture, ATruncatedJpegRaisesAnError) {
    QTemporaryDir dir;
    const QString whole = dir.filePath("whole.jpg"), cut = dir.filePath("cut.jpg");
    art::WriteJpeg(Quarters(), whole, 90);
    QFile file(whole);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    WriteText(cut, bytes.left(bytes.size() * 2 / 3));
    QImage picture;
    EXPECT_THROW(LoadPicture(picture, cut), TPictureError);
}

} // namespace
} // namespace quorvin::test
