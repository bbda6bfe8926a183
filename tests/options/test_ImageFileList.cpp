#include "ImageFileList.h"
#include "OptionsFixture.h"
#include "basOperation.h"

#include <QSignalSpy>

namespace quillon {

namespace optionstest {

class ImageFileListTest : public OptionsTest {};

TEST_F(ImageFileListTest, ListsOnlyPicturesSortedByNameWithoutFreezing)
{
    QStringList files;
    for (int i = 0; i < 3000; ++i)
        files << QStringLiteral("p%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
    files << QStringLiteral("B.GIF") << QStringLiteral("a.bmp") << QStringLiteral("notes.txt")
          << QStringLiteral("jpg") << QStringLiteral("photo.jpeg") << QStringLiteral("Z.Jpg");
    const QString folder = MakeFolder(QStringLiteral("pictures"), files);

    ImageFileList list;
    list.SetPattern(QStringLiteral("*.jpg;*.gif;*.bmp"));
    QSignalSpy listed(&list, &ImageFileList::Listed);
    QSignalSpy clicks(&list, &ImageFileList::Click);
    list.SetPath(folder);
    list.SelectWhenListed(QStringLiteral("p2999.jpg"));
    // The folder is read elsewhere: the list is still empty when SetPath returns.
    EXPECT_TRUE(list.IsListing());
    EXPECT_EQ(list.ListCount(), 0);
    ASSERT_TRUE(listed.count() > 0 || listed.wait(10000));

    ASSERT_EQ(list.ListCount(), 3003);
    EXPECT_EQ(list.List(0), QLatin1String("a.bmp"));
    EXPECT_EQ(list.List(1), QLatin1String("B.GIF"));
    EXPECT_EQ(list.List(3002), QLatin1String("Z.Jpg"));
    // The pending name is selected when the names arrive, without a Click.
    EXPECT_EQ(list.FileName(), QLatin1String("p2999.jpg"));
    EXPECT_EQ(clicks.count(), 0);

    // A new folder forgets the old names and the pending selection.
    const QString empty = MakeFolder(QStringLiteral("empty"), {});
    list.SelectWhenListed(QStringLiteral("a.bmp"));
    list.SetPath(empty);
    ASSERT_TRUE(listed.wait(10000));
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ImageFileListTest, AFolderThatDoesNotExistIsAnErrorAndExactNamesAreSelected)
{
    ImageFileList list;
    list.SetPattern(QStringLiteral("*.jpg"));
    QSignalSpy listed(&list, &ImageFileList::Listed);
    QStringList missing;
    const auto record = [&](const basOperation::Failure &failure) {
        missing << QString::number(failure.number()) + QLatin1Char(' ') + failure.description();
    };
    // The folder is checked where it is read: the answer comes later, with Listed().
    list.SetPath(TempPath(QStringLiteral("gone")), record);
    EXPECT_TRUE(missing.isEmpty());
    ASSERT_TRUE(listed.wait(10000));
    EXPECT_EQ(missing, QStringList{QStringLiteral("76 Path not found: ") + TempPath(QStringLiteral("gone"))});

    list.SetPath(MakeFolder(QStringLiteral("pics"), {QStringLiteral("Sea.jpg"), QStringLiteral("sea.jpg")}), record);
    ASSERT_TRUE(listed.wait(10000));
    list.SelectWhenListed(QStringLiteral("sea.jpg"));
    EXPECT_EQ(list.FileName(), QLatin1String("sea.jpg"));
    list.SelectWhenListed(QStringLiteral("SEA.JPG"));   // no entry is exactly that: the selection stays
    EXPECT_EQ(list.FileName(), QLatin1String("sea.jpg"));
    EXPECT_EQ(missing.size(), 1);
}

} // namespace optionstest

} // namespace quillon
