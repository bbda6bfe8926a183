// The editor's building blocks: colour names and swatches, the combo look-ups, the time
// list and its arithmetic, the conflict line, the refresh flag.
#include "QuillonTestEnvironment.h"
#include "basColorCombo.h"
#include "basComboBox.h"
#include "basEventIcons.h"
#include "basOperation.h"
#include "basTimeList.h"
#include "frmConflict.h"

#include <QComboBox>
#include <QImage>

#include <gtest/gtest.h>

namespace quillon {

namespace {

TEST(ColorFromName, MatchesExactNamesOnlyAndGivesBlackOtherwise)
{
    EXPECT_EQ(basColorCombo::ColorFromName(QStringLiteral("Red")), 255);
    EXPECT_EQ(basColorCombo::ColorFromName(QStringLiteral("Blue")), 16711680);
    EXPECT_EQ(basColorCombo::ColorFromName(QStringLiteral("Fuschia")), 255 + 65536 * 255);
    EXPECT_EQ(basColorCombo::ColorFromName(QStringLiteral("White")), 0xFFFFFF);
    for (const char *other : {"red", "Fuchsia", "", " Red", "Orange"})
        EXPECT_EQ(basColorCombo::ColorFromName(QString::fromLatin1(other)), 0) << other;
    // Every name of the list has its own colour.
    QSet<int> values;
    for (const QString &name : basColorCombo::ColorNames())
        values.insert(basColorCombo::ColorFromName(name));
    EXPECT_EQ(values.size(), 16);
}

TEST(ColorCombo, HoldsDefaultThenSixteenKeyedSwatches)
{
    QComboBox combo;
    basColorCombo::LoadColorCombo(combo, true);
    ASSERT_EQ(combo.count(), 17);
    EXPECT_EQ(combo.itemData(0).toString(), QStringLiteral("Default"));
    EXPECT_EQ(combo.itemText(0), QStringLiteral("(Default)"));
    EXPECT_TRUE(combo.itemIcon(0).isNull());
    EXPECT_EQ(combo.itemText(1), QStringLiteral("White"));
    EXPECT_EQ(basColorCombo::FindKey(combo, QStringLiteral("Fuschia")), 15);
    EXPECT_EQ(basColorCombo::FindKey(combo, QStringLiteral("red")), -1);

    // A swatch is filled with its colour and edged in black, at ratio 1 and 2.
    for (qreal ratio : {1.0, 2.0}) {
        const QImage image = combo.itemIcon(11).pixmap(QSize(32, 12), ratio).toImage();
        ASSERT_EQ(image.size(), QSize(qRound(32 * ratio), qRound(12 * ratio))) << ratio;
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::red));
        EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(1, image.height() / 2), QColor(Qt::red)) << "edge one pixel wide";
    }
    QComboBox wide;
    basColorCombo::LoadColorCombo(wide, false);
    EXPECT_TRUE(wide.itemText(1).isEmpty());
    EXPECT_EQ(wide.itemData(1).toString(), QStringLiteral("White"));
}

TEST(ComboSearch, FindsTheFirstExactMatch)
{
    QComboBox combo;
    combo.addItems({QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("b"), QStringLiteral("b")});
    EXPECT_EQ(basComboBox::FindComboItem(combo, QStringLiteral("b")), 2);
    EXPECT_EQ(basComboBox::FindComboItem(combo, QStringLiteral("c")), -1);
}

TEST(TimeList, HalfHoursNextPeriodAndComparisonNumbers)
{
    const QStringList times = basTimeList::LoadTimes();
    ASSERT_EQ(times.size(), 48);
    EXPECT_EQ(times.first(), QStringLiteral("12:00 AM"));
    EXPECT_EQ(times[24], QStringLiteral("12:00 PM"));
    EXPECT_EQ(times.last(), QStringLiteral("11:30 PM"));

    const std::pair<const char *, const char *> next[] = {
        {"9:00 AM", "9:30"}, {"9:15 AM", "9:30"}, {"9:30 AM", "10:0"}, {"2:29 PM", "14:30"},
        {"11:45 PM", "0:0"}, {"11:30 PM", "0:0"}, {"12:00 AM", "0:30"}, {"nonsense", ""}};
    for (const auto &[time, expected] : next)
        EXPECT_EQ(basTimeList::GetNextTimePeriod(QString::fromLatin1(time)), QString::fromLatin1(expected)) << time;

    EXPECT_EQ(basTimeList::ToSecondsNumber(QStringLiteral("9:30 AM")), 93000);
    EXPECT_EQ(basTimeList::ToSecondsNumber(QStringLiteral("5:30 PM")), 173000);
    EXPECT_EQ(basTimeList::ToSecondsNumber(QStringLiteral("12:00 AM")), 0);
    EXPECT_EQ(basTimeList::ToSecondsNumber(QString()), -1);
    EXPECT_EQ(basTimeList::ToMinutesNumber(QStringLiteral("9:30 AM")), 930);
    EXPECT_EQ(basTimeList::ToMinutesNumber(QStringLiteral("5:30 PM")), 1730);
    EXPECT_EQ(basTimeList::ToMinutesNumber(QStringLiteral("12:00 AM")), 0);
}

TEST(ConflictRule, LineNamesDayTimesAndSubject)
{
    const EventConflict conflict{QDate(2004, 1, 5), 7, QStringLiteral("Staff meeting"), QTime(9, 0), QTime(10, 30)};
    EXPECT_EQ(frmConflict::ConflictLine(conflict),
              QStringLiteral("5-Jan-2004  9:00 AM - 10:30 AM  Staff meeting"));
}

TEST(EventIcons, FiftySixDrawnIconsAndStrictNumbers)
{
    for (int number = basEventIcons::kFirstIcon; number <= basEventIcons::kLastIcon; ++number) {
        const QImage image = basEventIcons::EventIcon(number).pixmap(QSize(32, 32), 2.0).toImage();
        ASSERT_EQ(image.width(), 64) << number;
        // The tile is painted: a pixel near the middle of its left edge is opaque.
        EXPECT_EQ(image.pixelColor(4, 32).alpha(), 255) << number;
        EXPECT_FALSE(basEventIcons::EventIconTitle(number).isEmpty()) << number;
    }
    EXPECT_TRUE(basEventIcons::EventIcon(100).isNull());
    EXPECT_TRUE(basEventIcons::EventIcon(157).isNull());
    EXPECT_EQ(basEventIcons::IconNumberFromText(QString()), 0);
    EXPECT_EQ(basEventIcons::IconNumberFromText(QStringLiteral("120")), 120);
    for (const char *bad : {"100", "157", "12x", "-101"})
        EXPECT_THROW(basEventIcons::IconNumberFromText(QString::fromLatin1(bad)), basOperation::Failure) << bad;
}

} // namespace

} // namespace quillon
