// Reminders planning: due times (all-day events from 9:00), what is due and missed, when
// to wake, and the planner over a real store remembering what was shown.
#include "EventService.h"
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "ReminderPlan.h"
#include "basSchema.h"

namespace quillon {

namespace quillontest {
namespace {

const QDate kDay(2026, 12, 7);

basDatabase::DatedEvent Stored(qint64 id, QDate date, QTime start, QTime end, int minutes, bool allDay = false)
{
    basDatabase::DatedEvent dated;
    dated.Date = date;
    dated.Event.EventID = id;
    dated.Event.EventName = QStringLiteral("event %1").arg(id);
    dated.Event.AllDayEvent = allDay;
    dated.Event.StartTime = allDay ? QTime(0, 0) : start;
    dated.Event.EndTime = allDay ? QTime(23, 59) : end;
    dated.Event.Reminder = minutes;
    return dated;
}

QDateTime At(int hour, int minute, int dayOffset = 0) { return QDateTime(kDay.addDays(dayOffset), QTime(hour, minute)); }

TEST(ReminderRules, DueTimesCountBackFromTheStartOrFromNineOnAnAllDayEventsDay)
{
    struct Row {
        const char *what;
        basDatabase::DatedEvent stored;
        QDateTime due;
    };
    const Row rows[] = {
        {"timed, 10 minutes", Stored(1, kDay, QTime(14, 0), QTime(15, 0), 10), At(13, 50)},
        {"timed, at the start", Stored(2, kDay, QTime(14, 0), QTime(15, 0), 0), At(14, 0)},
        {"timed, a week", Stored(3, kDay, QTime(9, 30), QTime(10, 0), 10080), At(9, 30, -7)},
        {"all day, at 9:00", Stored(4, kDay, {}, {}, 0, true), At(9, 0)},
        {"all day, 1 hour", Stored(5, kDay, {}, {}, 60, true), At(8, 0)},
        {"all day, 1 day", Stored(6, kDay, {}, {}, 1440, true), At(9, 0, -1)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ReminderPlan::FromStored(row.stored).Due, row.due);
    }
}

TEST(ReminderRules, DueMissedShownAndTheWake)
{
    const QList<ReminderOccurrence> all = {
        ReminderPlan::FromStored(Stored(1, kDay, QTime(14, 0), QTime(15, 0), 10)),         // due 13:50
        ReminderPlan::FromStored(Stored(2, kDay, QTime(14, 30), QTime(15, 0), 30)),        // due 14:00
        ReminderPlan::FromStored(Stored(3, kDay, QTime(16, 0), QTime(17, 0), 15)),         // due 15:45
        ReminderPlan::FromStored(Stored(4, kDay.addDays(-1), QTime(13, 0), QTime(13, 30), 5)), // ended 24.5 h before 14:00
        ReminderPlan::FromStored(Stored(5, kDay.addDays(-1), QTime(15, 0), QTime(15, 30), 5)), // ended 22.5 h before
        ReminderPlan::FromStored(Stored(6, kDay, QTime(15, 0), QTime(16, 0), 30)),         // due 14:30, shown
    };
    const QSet<ReminderPlan::Key> shown = {ReminderPlan::KeyOf(all[5])};

    // At 14:00: the missed one of yesterday still within a day, 13:50 and 14:00, in due
    // order; the one shown never again, not even for the wake.
    ReminderPlan::Plan plan = ReminderPlan::Make(all, shown, At(14, 0));
    QList<qint64> ids;
    for (const auto &one : std::as_const(plan.Due))
        ids.append(one.EventID);
    EXPECT_EQ(ids, (QList<qint64>{5, 1, 2}));
    EXPECT_EQ(plan.WakeAt, At(15, 45));
    EXPECT_TRUE(plan.WakeIsReminder);

    // Before them all: nothing due, the wake is the first; nothing left: the window's end.
    plan = ReminderPlan::Make(all.mid(0, 3), {}, At(13, 0));
    EXPECT_TRUE(plan.Due.isEmpty());
    EXPECT_EQ(plan.WakeAt, At(13, 50));
    plan = ReminderPlan::Make({}, {}, At(13, 0));
    EXPECT_EQ(plan.WakeAt, At(13, 0, 1));
    EXPECT_FALSE(plan.WakeIsReminder);
}

class ReminderStore : public QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QString error;
        path = TempPath(QStringLiteral("dbcalndr.sqlite"));
        ASSERT_TRUE(basSchema::CreateDatabaseFile(path, error)) << error.toStdString();
        ASSERT_TRUE(store.OpenDatabaseConnection(path));
    }
    qint64 Add(const QString &name, QDate date, QTime start, std::optional<int> reminder, bool allDay = false)
    {
        Event draft;
        draft.EventName = name;
        draft.AllDayEvent = allDay;
        draft.StartTime = start;
        draft.EndTime = start.addSecs(3600);
        draft.Reminder = reminder;
        draft.Dates = {date};
        const auto saved = EventService(store).Save(draft);
        EXPECT_TRUE(saved);
        return saved ? saved->EventID : 0;
    }
    static QStringList Names(const QList<ReminderOccurrence> &due)
    {
        QStringList names;
        for (const auto &one : due)
            names.append(one.EventName);
        return names;
    }
    QString path;
    basDatabase::EventStore store;
};

TEST_F(ReminderStore, ShownOnceWhateverTheClockAndStoreDoAfterwards)
{
    Add(QStringLiteral("No reminder"), kDay, QTime(14, 0), std::nullopt);
    const qint64 meeting = Add(QStringLiteral("Meeting"), kDay, QTime(14, 0), 10);
    Add(QStringLiteral("Holiday"), kDay, {}, 60, true);
    Add(QStringLiteral("Trip"), kDay.addDays(10), QTime(8, 0), 14 * 1440); // longer than the editor offers
    Add(QStringLiteral("Next week"), kDay.addDays(7), QTime(15, 0), 10080);

    ReminderPlanner planner(store);
    auto plan = planner.Replan(At(13, 55));
    ASSERT_TRUE(plan);
    EXPECT_EQ(Names(plan->Due), (QStringList{QStringLiteral("Trip"), QStringLiteral("Holiday"), QStringLiteral("Meeting")}));
    EXPECT_EQ(plan->WakeAt, At(15, 0));
    ASSERT_TRUE(planner.MarkShown(plan->Due));

    // A planner of a fresh start, and the clock set back an hour: nothing again.
    basDatabase::EventStore other;
    ASSERT_TRUE(other.OpenDatabaseConnection(path));
    ReminderPlanner restarted(other);
    for (const QDateTime &now : {At(13, 56), At(12, 55)}) {
        plan = restarted.Replan(now);
        ASSERT_TRUE(plan);
        EXPECT_TRUE(plan->Due.isEmpty()) << now.toString(Qt::ISODate).toStdString() << Names(plan->Due).join(',').toStdString();
    }
    plan = restarted.Replan(At(15, 0));
    EXPECT_EQ(Names(plan->Due), QStringList{QStringLiteral("Next week")});
    ASSERT_TRUE(restarted.MarkShown(plan->Due));

    // Moved to another time it is another occurrence; deleted, its records go with it.
    Event moved = *EventService(store).Load(meeting);
    moved.StartTime = QTime(16, 0);
    moved.EndTime = QTime(17, 0);
    ASSERT_TRUE(EventService(store).Save(moved));
    plan = restarted.Replan(At(15, 55));
    EXPECT_EQ(Names(plan->Due), QStringList{QStringLiteral("Meeting")});
    ASSERT_TRUE(restarted.MarkShown(plan->Due));
    ASSERT_TRUE(EventService(store).Delete(meeting));
    QList<basDatabase::EventStore::FiredReminder> fired;
    ASSERT_TRUE(store.GetFiredReminders(At(0, 0, -30), fired));
    EXPECT_EQ(fired.size(), 3) << "the trip, the holiday and next week";
    // Recording an event deleted meanwhile is no error and records nothing.
    ASSERT_TRUE(restarted.MarkShown(plan->Due));
    ASSERT_TRUE(store.GetFiredReminders(At(0, 0, -30), fired));
    EXPECT_EQ(fired.size(), 3);
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace quillontest

} // namespace quillon
