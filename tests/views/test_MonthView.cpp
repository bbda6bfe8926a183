#include "views/MonthView.h"

#include "QuillonTestEnvironment.h"

#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTextCharFormat>

namespace quillon {

namespace {

class MonthViewTest : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        view = std::make_unique<MonthView>(); // after the clock is fixed
        view->resize(420, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        table = view->Calendar()->findChild<QTableView *>();
        ASSERT_NE(table, nullptr);
        QObject::connect(view.get(), &MonthView::DaySelected,
                [this](const QDate &date) { events << "day " + date.toString(Qt::ISODate); });
        QObject::connect(view.get(), &MonthView::DisplayedMonthsChanged, [this] {
            const GridMonth shown = view->DisplayedMonth(1);
            events << QStringLiteral("months %1-%2").arg(shown.year).arg(shown.month);
        });
    }

    // The day number drawn in grid cell (row, column); row 0 of the table is the header.
    int DayInCell(int row, int column) const
    {
        return table->model()->index(row + 1, column).data(Qt::DisplayRole).toInt();
    }

    void ClickCell(int row, int column)
    {
        const QRect cell = table->visualRect(table->model()->index(row + 1, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

    std::unique_ptr<MonthView> view;
    QTableView *table = nullptr;
    QStringList events;
};

TEST_F(MonthViewTest, OpensOnTodayWithTheDefaultRange)
{
    EXPECT_EQ(view->Date(), QDate(2026, 12, 6));
    EXPECT_EQ(view->DisplayedMonth(1), (GridMonth{12, 2026, 31}));
    EXPECT_EQ(view->MinimumDate(), QDate(1900, 1, 1));
    EXPECT_EQ(view->MaximumDate(), QDate(2100, 12, 31));
    EXPECT_TRUE(events.isEmpty()); // opening is no selection by the user
}

TEST_F(MonthViewTest, GridShowsTheDaysTheModelNames)
{
    for (const QDate date : {QDate(2026, 2, 14), QDate(2024, 2, 29), QDate(2026, 12, 31),
                             QDate(2027, 1, 1), QDate(1900, 1, 1)}) {
        SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
        ASSERT_TRUE(view->SetDate(date));
        const QDate first = view->Model().FirstGridDate();
        EXPECT_EQ(first.dayOfWeek(), Qt::Sunday);
        EXPECT_EQ(DayInCell(0, 0), first.day());
        EXPECT_EQ(DayInCell(5, 6), view->Model().LastGridDate().day());
        const GridMonth earliest = view->DisplayedMonth(0);
        EXPECT_EQ(QDate(earliest.year, earliest.month, 1), QDate(first.year(), first.month(), 1));
    }
}

TEST_F(MonthViewTest, SelectingRaisesDaySelectedEveryTime)
{
    EXPECT_TRUE(view->SelectDate(QDate(2026, 12, 6))); // already selected: raised anyway
    EXPECT_TRUE(view->SelectDate(QDate(2026, 12, 9)));
    EXPECT_EQ(events, (QStringList{"day 2026-12-06", "day 2026-12-09"}));

    // Moving to another month: the months change first, then the day is selected.
    events.clear();
    EXPECT_TRUE(view->SetDate(QDate(2027, 3, 1)));
    EXPECT_EQ(events, (QStringList{"months 2027-3", "day 2027-03-01"}));
    EXPECT_EQ(view->Date(), QDate(2027, 3, 1));

    // Outside the range nothing happens.
    events.clear();
    view->SetSelectableRange(QDate(1900, 1, 1), QDate(2050, 12, 31));
    EXPECT_FALSE(view->SetDate(QDate(2051, 1, 1)));
    EXPECT_FALSE(view->SelectDate(QDate()));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(view->Date(), QDate(2027, 3, 1));
}

TEST_F(MonthViewTest, ClickingDaysRaisesTheNotifications)
{
    // December 2026: the grid starts on Sunday 29 November.
    ClickCell(1, 3); // Wednesday 9 December
    EXPECT_EQ(events, (QStringList{"day 2026-12-09"}));
    EXPECT_EQ(view->Date(), QDate(2026, 12, 9));

    events.clear();
    ClickCell(0, 0); // 29 November: the grid moves to November
    EXPECT_EQ(view->Date(), QDate(2026, 11, 29));
    EXPECT_TRUE(events.contains(QStringLiteral("months 2026-11")));
    EXPECT_TRUE(events.contains(QStringLiteral("day 2026-11-29")));
    EXPECT_EQ(view->DisplayedMonth(1), (GridMonth{11, 2026, 30}));

    events.clear();
    view->Calendar()->setFocus();
    QTest::keyClick(view->Calendar()->focusWidget(), Qt::Key_Right);
    EXPECT_EQ(events.value(events.size() - 1), QStringLiteral("day 2026-11-30"));
}

TEST_F(MonthViewTest, MarksDrawWithTheirStyleSetsUntilReset)
{
    view->AddStyleSet("GreenEvents", 0x008000, 0x800000, true);
    const QDate day(2026, 12, 10);
    view->MarkDate(day, "GreenEvents");
    view->MarkDate(day.addDays(1), "BlueEvents"); // undefined: plain, but remembered

    QTextCharFormat format = view->Calendar()->dateTextFormat(day);
    EXPECT_EQ(format.background().color(), QColor(0, 128, 0));
    EXPECT_EQ(format.foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_FALSE(view->Calendar()->dateTextFormat(day.addDays(1)).hasProperty(QTextFormat::BackgroundBrush));
    EXPECT_EQ(view->MarkOf(day.addDays(1)), QStringLiteral("BlueEvents"));

    // Marks do not move the selection.
    EXPECT_EQ(view->Date(), QDate(2026, 12, 6));
    EXPECT_TRUE(events.isEmpty());

    // Redefining a style set restyles the days that carry it.
    view->AddStyleSet("GreenEvents", 0x008000, 0x000000, false);
    format = view->Calendar()->dateTextFormat(day);
    EXPECT_EQ(format.foreground().color(), QColor(0, 0, 0));
    EXPECT_NE(format.fontWeight(), QFont::Bold);

    view->ResetMarks();
    EXPECT_TRUE(view->MarkOf(day).isEmpty());
    EXPECT_FALSE(view->Calendar()->dateTextFormat(day).hasProperty(QTextFormat::BackgroundBrush));
    EXPECT_TRUE(view->StyleSet("GreenEvents").has_value());
}

} // namespace

} // namespace quillon
