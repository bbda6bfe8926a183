// EventService over a real store: save, change and delete with the dates they touch,
// the conflict rule and its query, and which changes touch the desktop calendar's month.
#include "EventSeries.h"
#include "EventService.h"
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "basSchema.h"

namespace quillon {

namespace quillontest {
namespace {

QDate Day(int month, int day, int year = 2027) { return QDate(year, month, day); }

Event Timed(const QString &name, QTime start, QTime end, const QList<QDate> &dates)
{
    Event draft;
    draft.EventName = name;
    draft.StartTime = start;
    draft.EndTime = end;
    draft.Dates = dates;
    return draft;
}

class Events : public QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QString error;
        const QString path = TempPath(QStringLiteral("dbcalndr.sqlite"));
        ASSERT_TRUE(basSchema::CreateDatabaseFile(path, error)) << error.toStdString();
        ASSERT_TRUE(store.OpenDatabaseConnection(path));
    }
    void TearDown() override
    {
        store.CloseDatabaseConnection();
        QuillonTest::TearDown();
    }

    qint64 Add(const Event &draft)
    {
        const auto saved = events.Save(draft);
        EXPECT_TRUE(saved.has_value()) << draft.EventName.toStdString();
        return saved ? saved->EventID : 0;
    }

    bool Reported(const char *operation) const
    {
        for (const auto &message : messages)
            if (message.text.contains(QLatin1String(operation)))
                return true;
        return false;
    }

    basDatabase::EventStore store;
    EventService events{store};
};

TEST_F(Events, SaveAddsAndChangesDeleteRemovesEachWithTheDatesTouched)
{
    Event draft = Timed(QStringLiteral("Course"), QTime(9, 0), QTime(10, 30), {Day(1, 7), Day(1, 5), Day(1, 5)});
    draft.EventColor = QStringLiteral("Teal");
    draft.EventIcon = 107;
    draft.Notes = QStringLiteral("room 2");
    draft.Recurring = true;
    draft.Reminder = 0; // at the start: not the same as none
    const auto added = events.Save(draft);
    ASSERT_TRUE(added);
    EXPECT_GT(added->EventID, 0);
    EXPECT_EQ(added->TouchedDates, (QList<QDate>{Day(1, 5), Day(1, 7)}));
    draft.EventID = added->EventID;
    draft.Dates = {Day(1, 5), Day(1, 7)};
    // Loaded with the text the save gave it.
    const auto withText = [&](qint64 id) {
        std::optional<Event> loaded = events.Load(id);
        EXPECT_TRUE(loaded && loaded->Component.contains("BEGIN:VEVENT"));
        if (loaded)
            loaded->Component.clear();
        return loaded;
    };
    EXPECT_EQ(withText(added->EventID), draft);

    // A change reports the days the event leaves as well as the ones it keeps or gains.
    draft.EventName = QStringLiteral("Course, moved");
    draft.Reminder.reset();
    draft.Dates = {Day(2, 1), Day(1, 7)};
    const auto changed = events.Save(draft);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->EventID, added->EventID);
    EXPECT_EQ(changed->TouchedDates, (QList<QDate>{Day(1, 5), Day(1, 7), Day(2, 1)}));
    draft.Dates = {Day(1, 7), Day(2, 1)};
    EXPECT_EQ(withText(added->EventID), draft);
    EXPECT_EQ(events.DatesOf(added->EventID), draft.Dates);

    EXPECT_EQ(events.Delete(added->EventID), draft.Dates);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(events.Load(added->EventID));
    EXPECT_TRUE(Reported("basDatabase.GetEventData"));
    QList<basDatabase::DayRecord> days;
    ASSERT_TRUE(store.GetDates(Day(1, 1), Day(2, 28), days));
    for (const auto &day : days)
        EXPECT_EQ(day.EventCount, 0) << day.DateKey.toString(Qt::ISODate).toStdString();
}

TEST_F(Events, DeleteSeriesTakesEveryLookOfTheFilesSeriesAndNothingElse)
{
    const QString file = QStringLiteral("/cal/a.ics");
    const qint64 summer = Add(Timed(QStringLiteral("Class"), QTime(9, 0), QTime(10, 0), {Day(3, 2), Day(3, 9)}));
    const qint64 winter = Add(Timed(QStringLiteral("Class"), QTime(8, 0), QTime(9, 0), {Day(3, 30)}));
    const qint64 otherFile = Add(Timed(QStringLiteral("Class"), QTime(9, 0), QTime(10, 0), {Day(3, 3)}));
    const qint64 prefix = Add(Timed(QStringLiteral("Classic"), QTime(9, 0), QTime(10, 0), {Day(3, 4)}));
    const qint64 own = Add(Timed(QStringLiteral("Own"), QTime(9, 0), QTime(10, 0), {Day(3, 5)}));
    ASSERT_TRUE(store.SetEventUid(file, QStringLiteral("s1"), summer, QStringLiteral("f")));
    ASSERT_TRUE(store.SetEventUid(file, EventSeries::PartUid(QStringLiteral("s1"), 1), winter, QStringLiteral("f")));
    ASSERT_TRUE(store.SetEventUid(QStringLiteral("/cal/b.ics"), QStringLiteral("s1"), otherFile, QStringLiteral("f")));
    ASSERT_TRUE(store.SetEventUid(file, QStringLiteral("s10"), prefix, QStringLiteral("f")));

    // Deleting the later look takes the first with it, and says every day they were on.
    EXPECT_EQ(events.DeleteSeries(winter), (QList<QDate>{Day(3, 2), Day(3, 9), Day(3, 30)}));
    for (const qint64 gone : {summer, winter})
        EXPECT_FALSE(events.DatesOf(gone).value_or(QList<QDate>{}).size()) << gone;
    for (const qint64 kept : {otherFile, prefix, own})
        EXPECT_EQ(events.DatesOf(kept).value_or(QList<QDate>{}).size(), 1) << kept;
    // An event no file gave is deleted alone.
    EXPECT_EQ(events.DeleteSeries(own), (QList<QDate>{Day(3, 5)}));
}

TEST_F(Events, AllDayIsSavedWholeDayAndPlainAndRefusalsChangeNothing)
{
    Event holiday = Timed(QStringLiteral("Holiday"), QTime(9, 0), QTime(10, 0), {Day(1, 6)});
    holiday.AllDayEvent = true;
    holiday.EventColor = QStringLiteral("Red");
    holiday.EventIcon = 120;
    holiday.Reminder = 10080;
    const qint64 id = Add(holiday);
    const auto loaded = events.Load(id);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Reminder, 10080);
    EXPECT_EQ(loaded->StartTime, QTime(0, 0));
    EXPECT_EQ(loaded->EndTime, QTime(23, 59));
    EXPECT_EQ(loaded->EventColor, QString());
    EXPECT_EQ(loaded->EventIcon, 0);

    // The store refuses and reports under its own names; the service only says no.
    EXPECT_FALSE(events.Save(Timed(QStringLiteral("No times"), QTime(), QTime(), {Day(1, 6)})));
    EXPECT_TRUE(Reported("basDatabase.AddEventToDatabase"));
    Event gone = Timed(QStringLiteral("Gone"), QTime(9, 0), QTime(10, 0), {Day(1, 8)});
    gone.EventID = id + 100;
    EXPECT_FALSE(events.Save(gone));
    EXPECT_TRUE(Reported("basDatabase.UpdateEventInDatabase"));
    EXPECT_EQ(events.DatesOf(id), QList<QDate>{Day(1, 6)});
    QList<qint64> onEighth;
    ASSERT_TRUE(store.GetEventsByDate(Day(1, 8), onEighth));
    EXPECT_TRUE(onEighth.isEmpty());
}

TEST(ConflictRule, StartOrEndInsideOrEnclosingConflicts)
{
    struct Case {
        QTime existingStart, existingEnd, newStart, newEnd;
        bool conflict;
    };
    const QTime t800(8, 0), t900(9, 0), t930(9, 30), t1000(10, 0), t1100(11, 0), t1200(12, 0);
    const Case cases[] = {
        {t900, t1000, t930, t1100, true},   // start inside
        {t900, t1000, t800, t930, true},    // end inside
        {t900, t1000, t1000, t1100, false}, // starts as it ends
        {t900, t1000, t800, t900, false},   // ends as it starts
        {t1000, t1100, t900, t1200, true},  // encloses it
        {t900, t1000, t900, t900, true},    // starts with it
        {t900, t1000, t900, t1000, true},   // the same span
        {t930, t930, t900, t1000, false},   // an existing span of no length
        {t900, t1000, t1100, t1200, false},
        {t900, t1000, QTime(9, 59, 59), t1100, true},  // seconds do not decide
        {t900, t1000, QTime(10, 0, 30), t1100, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(EventService::Overlaps(c.newStart, c.newEnd, c.existingStart, c.existingEnd), c.conflict)
            << c.existingStart.toString().toStdString() << "-" << c.existingEnd.toString().toStdString() << " vs "
            << c.newStart.toString().toStdString() << "-" << c.newEnd.toString().toStdString();
}

TEST_F(Events, ConflictsListTimedOverlapsByDateThenIdLeavingOutTheEventItself)
{
    const qint64 meeting = Add(Timed(QStringLiteral("Meeting"), QTime(10, 0), QTime(11, 0), {Day(1, 5), Day(1, 12)}));
    const qint64 call = Add(Timed(QStringLiteral("Call"), QTime(9, 0), QTime(9, 30), {Day(1, 12)}));
    Event feast = Timed(QStringLiteral("Feast"), {}, {}, {Day(1, 5)});
    feast.AllDayEvent = true;
    Add(feast);
    Add(Timed(QStringLiteral("Instant"), QTime(10, 30), QTime(10, 30), {Day(1, 5)}));

    struct Case {
        const char *what;
        Event draft;
        QList<EventConflict> expected;
    };
    const EventConflict meeting5{Day(1, 5), meeting, QStringLiteral("Meeting"), QTime(10, 0), QTime(11, 0)};
    const EventConflict meeting12{Day(1, 12), meeting, QStringLiteral("Meeting"), QTime(10, 0), QTime(11, 0)};
    const EventConflict call12{Day(1, 12), call, QStringLiteral("Call"), QTime(9, 0), QTime(9, 30)};
    Event itself = Timed(QStringLiteral("Meeting"), QTime(9, 0), QTime(12, 0), {Day(1, 5), Day(1, 12)});
    itself.EventID = meeting;
    Event allDay = Timed(QStringLiteral("All day"), QTime(9, 0), QTime(12, 0), {Day(1, 5)});
    allDay.AllDayEvent = true;
    const Case cases[] = {
        {"enclosing", Timed(QStringLiteral("Long"), QTime(8, 0), QTime(12, 0), {Day(1, 12), Day(1, 5)}),
         {meeting12, call12, meeting5}}, // in the draft's order of days, by id within a day
        {"touching", Timed(QStringLiteral("After"), QTime(11, 0), QTime(12, 0), {Day(1, 5), Day(1, 12)}), {}},
        {"end inside, one day", Timed(QStringLiteral("Early"), QTime(9, 15), QTime(10, 15), {Day(1, 5)}), {meeting5}},
        {"the event itself", itself, {call12}},
        {"an all-day draft", allDay, {}},
        {"no day stored", Timed(QStringLiteral("Free"), QTime(10, 0), QTime(11, 0), {Day(3, 1)}), {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(events.Conflicts(c.draft), c.expected) << c.what;
    EXPECT_TRUE(messages.empty());
}

TEST(ShownMonth, OnlyTodaysMonthAndYearCountAcrossYearEnds)
{
    struct Case {
        QDate today;
        QList<QDate> touched;
        bool shown;
    };
    const Case cases[] = {
        {QDate(2026, 12, 31), {QDate(2027, 1, 1)}, false},
        {QDate(2026, 12, 31), {QDate(2025, 12, 31)}, false},
        {QDate(2026, 12, 31), {QDate(2027, 3, 1), QDate(2026, 12, 1)}, true},
        {QDate(2027, 1, 1), {QDate(2026, 12, 31), QDate(2028, 1, 1)}, false},
        {QDate(2027, 1, 1), {QDate(2027, 1, 31)}, true},
        {QDate(2027, 1, 1), {QDate(), QDate(2026, 1, 1)}, false},
        {QDate(2027, 1, 1), {}, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(EventService::TouchesShownMonth(c.touched, c.today), c.shown) << c.today.toString(Qt::ISODate).toStdString();
}

} // namespace
} // namespace quillontest

} // namespace quillon
