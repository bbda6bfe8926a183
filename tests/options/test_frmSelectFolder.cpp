#include "OptionsFixture.h"
#include "frmSelectFolder.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTreeView>

namespace quillon {

namespace optionstest {

class SelectFolderTest : public OptionsTest {};

TEST_F(SelectFolderTest, PlacesAreTheRootsAndTheUsersFoldersAndTheLongestHoldsAFolder)
{
    const QStringList places = frmSelectFolder::DrivePlaces();
    ASSERT_FALSE(places.isEmpty());
    EXPECT_EQ(places.first(), QDir::rootPath());
    if (QDir::drives().size() <= 1) {
        EXPECT_TRUE(places.contains(QDir::cleanPath(QDir::homePath())));
    }
    const QStringList sample = {QStringLiteral("/"), QStringLiteral("/home/ann"), QStringLiteral("/home/ann/Pictures")};
    EXPECT_EQ(frmSelectFolder::PlaceOf(QStringLiteral("/home/ann/Pictures/2026"), sample),
              QLatin1String("/home/ann/Pictures"));
    EXPECT_EQ(frmSelectFolder::PlaceOf(QStringLiteral("/home/anna"), sample), QLatin1String("/"));
    EXPECT_EQ(frmSelectFolder::PlaceOf(QStringLiteral("/home/ann"), sample), QLatin1String("/home/ann"));
}

TEST_F(SelectFolderTest, FolderNameMovesTheListAndAGoneFolderOpensAtItsParent)
{
    const QString deep = MakeFolder(QStringLiteral("a/b/c"), {});
    frmSelectFolder picker;
    picker.SetFolderName(deep);
    EXPECT_EQ(picker.FolderName(), QDir::toNativeSeparators(deep));
    EXPECT_EQ(picker.drvChange->currentData().toString(), frmSelectFolder::PlaceOf(deep, frmSelectFolder::DrivePlaces()));

    picker.SetFolderName(deep + QStringLiteral("/removed/long/ago"));
    EXPECT_EQ(picker.FolderName(), QDir::toNativeSeparators(deep));

    // Typed by hand: returned as typed, unchecked.
    picker.txtFolderName->setText(QStringLiteral("/no/such/folder"));
    EXPECT_EQ(picker.FolderName(), QLatin1String("/no/such/folder"));
}

TEST_F(SelectFolderTest, OkCancelAndTheCloseBoxSetOkPressed)
{
    frmSelectFolder picker;
    picker.show();
    picker.cmdOk_Click();
    EXPECT_TRUE(picker.OkPressed());
    EXPECT_FALSE(picker.isVisible());

    picker.show();
    EXPECT_FALSE(picker.close());   // refused, and turned into Cancel
    EXPECT_FALSE(picker.OkPressed());
    EXPECT_FALSE(picker.isVisible());

    picker.show();
    picker.cmdOk_Click();
    picker.show();
    picker.reject();   // Esc
    EXPECT_FALSE(picker.OkPressed());
}

TEST_F(SelectFolderTest, ChoosingAPlaceShowsItAndAnUnreadablePlaceIsReportedAndUndone)
{
    frmSelectFolder picker;
    const int last = picker.drvChange->count() - 1;
    picker.drvChange->setCurrentIndex(last);
    EXPECT_EQ(picker.FolderName(), QDir::toNativeSeparators(picker.drvChange->itemData(last).toString()));

    // A place that has gone away since the list was made.
    const QString gone = MakeFolder(QStringLiteral("usb"), {});
    picker.drvChange->addItem(gone, gone);
    QDir(gone).removeRecursively();
    picker.drvChange->setCurrentIndex(picker.drvChange->count() - 1);
    EXPECT_EQ(ReportsUnder(QStringLiteral("frmSelectFolder.drvChange_Change")), 1);
    EXPECT_EQ(picker.drvChange->currentIndex(), last);
    EXPECT_EQ(picker.FolderName(), QDir::toNativeSeparators(picker.drvChange->itemData(last).toString()));
}

} // namespace optionstest

} // namespace quillon
