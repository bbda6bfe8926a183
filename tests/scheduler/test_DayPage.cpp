// The main window's state and store rules, on a real store and without a window.
#include "DayPage.h"
#include "SchedulerFixture.h"
#include "basOperation.h"

namespace quillon {

namespace {

using schedulertest::SchedulerTest;

const QDate kToday(2026, 12, 7);
const QDate kTomorrow(2026, 12, 8);

class DayPageTest : public SchedulerTest {
protected:
    void SetUp() override
    {
        SchedulerTest::SetUp();
        page = std::make_unique<DayPage>(*store);
        ASSERT_TRUE(page->Open(kToday));
    }
    std::unique_ptr<DayPage> page;
};

TEST_F(DayPageTest, NotesGoToTheDayTheyWereReadForAndRefusedOnesComeBack)
{
    ASSERT_TRUE(page->ReadDay(kToday));
    page->SetCurrentDate(kTomorrow); // the shown day moved on; the box still holds today's notes
    EXPECT_TRUE(page->StoreNotes(QStringLiteral("Choir at 7")));
    EXPECT_EQ(Notes(kToday), QStringLiteral("Choir at 7"));
    EXPECT_TRUE(Notes(kTomorrow).isEmpty());

    // Notes the store refused are shown again for their day, and tried once more later.
    page->KeepUnsaved(QStringLiteral("Call the plumber"));
    ASSERT_TRUE(page->ReadDay(kTomorrow));
    const std::optional<DayPage::Day> again = page->ReadDay(kToday);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Notes, QStringLiteral("Call the plumber"));
    EXPECT_TRUE(again->NotesUnsaved);
    ASSERT_TRUE(page->ReadDay(kTomorrow));
    page->RetryUnsaved();
    EXPECT_TRUE(page->Unsaved().isEmpty());
    EXPECT_EQ(Notes(kToday), QStringLiteral("Call the plumber"));

    // A day that could not be read owns no notes: nothing is stored for it.
    page->Close();
    EXPECT_FALSE(page->ReadDay(kToday));
    EXPECT_FALSE(page->NotesDate().isValid());
    EXPECT_FALSE(page->StoreNotes(QStringLiteral("lost?")));
}

TEST_F(DayPageTest, DaysFlagsAndOthersChanges)
{
    EXPECT_FALSE(page->IsNewDay(kToday.addDays(-1))); // a clock set back
    EXPECT_TRUE(page->IsNewDay(kTomorrow));

    page->NoteEventDatesChanged({QDate(2026, 11, 30), QDate(2027, 12, 7)});
    EXPECT_FALSE(page->CalendarRefreshNeeded());
    page->NoteEventDatesChanged({QDate(2026, 12, 31)});
    EXPECT_TRUE(page->CalendarRefreshNeeded());
    page->Redrawn();
    EXPECT_FALSE(page->CalendarRefreshNeeded());

    page->AddAllDayEvent(4, QStringLiteral("Feast"));
    try {
        page->AddAllDayEvent(4, QStringLiteral("Feast"));
        ADD_FAILURE() << "a second copy was taken";
    } catch (const basOperation::Failure &failure) {
        EXPECT_EQ(failure.number(), basOperation::kDuplicateKey);
    }
    EXPECT_EQ(page->AllDayEvents().size(), 1);

    page->WatchChanges();
    EXPECT_FALSE(page->ChangedByOthers());
    const qint64 id = AddEvent(QStringLiteral("Dentist"), {kToday}, QStringLiteral("8:00 AM"), QStringLiteral("9:00 AM"));
    EXPECT_TRUE(page->ChangedByOthers());
    EXPECT_FALSE(page->ChangedByOthers()); // once
    const QList<Event> events = page->EventsOn(kToday);
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].EventID, id);
    EXPECT_EQ(events[0].StartTime, QTime(8, 0));
}

} // namespace

} // namespace quillon
