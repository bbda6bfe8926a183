#include "BackgroundPicture.h"
#include "WallpaperRotation.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillon {

namespace {
using namespace WallpaperRotation;

TEST(WallpaperRotation, DueByPeriod)
{
    const QDate today(2026, 12, 7);
    struct Case {
        const char *period;
        QDate last;
        bool due;
    };
    const Case cases[] = {
        {"Daily", today, false},
        {"Daily", today.addDays(-1), true},
        {"Weekly", today.addDays(-6), false},
        {"Weekly", today.addDays(-7), true},
        {"Bi-weekly", today.addDays(-13), false},
        {"Bi-weekly", today.addDays(-14), true},
        {"Monthly", QDate(2026, 12, 1), false},
        {"Monthly", QDate(2026, 11, 30), true},
        {"Monthly", QDate(2025, 12, 7), true},   // same month, another year
        {"Monthly", QDate(2000, 1, 1), true},    // the default: due at once
        {"Weekly", QDate(2000, 1, 1), true},
        {"daily", today.addDays(-3), false},     // the names are exact
        {"", QDate(2000, 1, 1), false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(IsDue(QLatin1String(c.period), c.last, today), c.due) << c.period << " " << qPrintable(c.last.toString());
    // On the 1st, a change on the 31st of last month is a month ago.
    EXPECT_TRUE(IsDue(QStringLiteral("Monthly"), QDate(2026, 10, 31), QDate(2026, 11, 1)));
}

TEST(WallpaperRotation, NextPictureSkipsOtherFiles)
{
    const QStringList folder = {QStringLiteral("a.jpg"), QStringLiteral("b.txt"), QStringLiteral("c.GIF")};
    EXPECT_EQ(NextPicture(folder, QStringLiteral("a.jpg")), QStringLiteral("c.GIF"));
    EXPECT_EQ(NextPicture(folder, QStringLiteral("c.GIF")), QStringLiteral("a.jpg"));  // wraps
    EXPECT_EQ(NextPicture(folder, QStringLiteral("gone.jpg")), QStringLiteral("a.jpg"));
    EXPECT_EQ(NextPicture(folder, QString()), QStringLiteral("a.jpg"));
    EXPECT_EQ(NextPicture({QStringLiteral("only.bmp")}, QStringLiteral("only.bmp")), QStringLiteral("only.bmp"));
    // The wrap and the start both skip what is no picture; PNG and the long JPEG name
    // are pictures too.
    const QStringList notes = {QStringLiteral("0-notes.txt"), QStringLiteral("x.jpeg"), QStringLiteral("y.BMP"),
                               QStringLiteral("z.png"), QStringLiteral("z.tiff")};
    EXPECT_EQ(NextPicture(notes, QStringLiteral("y.BMP")), QStringLiteral("z.png"));
    EXPECT_EQ(NextPicture(notes, QStringLiteral("z.png")), QStringLiteral("x.jpeg"));
    EXPECT_EQ(NextPicture(notes, QStringLiteral("missing")), QStringLiteral("x.jpeg"));
    EXPECT_EQ(NextPicture({QStringLiteral("a.txt"), QStringLiteral("jpg")}, QString()), QString());
    EXPECT_EQ(NextPicture({}, QStringLiteral("a.jpg")), QString());
    // The current name is compared exactly.
    EXPECT_EQ(NextPicture(folder, QStringLiteral("A.JPG")), QStringLiteral("a.jpg"));
}

TEST(WallpaperRotation, FolderListingIsFilesByName)
{
    QTemporaryDir dir;
    for (const char *name : {"b.jpg", "A.gif", "c.bmp"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("d.jpg")));
    EXPECT_EQ(ListFolder(dir.path()),
              (QStringList{QStringLiteral("A.gif"), QStringLiteral("b.jpg"), QStringLiteral("c.bmp")}));
    EXPECT_TRUE(ListFolder(dir.filePath(QStringLiteral("missing"))).isEmpty());
}

// A camera photo past the limit for its full size is taken: the JPEG decoder shrinks it
// on reading, and only that size must fit.
TEST(BackgroundPicture, AJpegLargerThanTheLimitIsDecodedSmallerAndTaken)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("camera.jpeg"));
    QImage photo(9600, 7200, QImage::Format_Grayscale8); // 69 million pixels
    photo.fill(90);
    ASSERT_TRUE(photo.save(path, "JPEG", 10));
    ASSERT_GT(qint64(photo.width()) * photo.height(), BackgroundPicture::PixelLimit(QSize(1920, 1080)));
    photo = QImage();
    const BackgroundPicture::Result read = BackgroundPicture::Read(path, QSize(1920, 1080));
    EXPECT_TRUE(read.reason.isEmpty()) << read.reason.toStdString();
    EXPECT_EQ(read.image.size(), QSize(1920, 1080));
}

} // namespace

} // namespace quillon
