// Subscribed calendars in the store: a refresh makes the subscription's events what the
// server has, in one transaction, keeping the days' counts; the user's own events and
// other subscriptions are never touched.
#include "StoreTest.h"
#include "SubscriptionStore.h"
#include "basSchema.h"
#include "basStoreCheck.h"

#include <QFile>
#include <QSqlQuery>
#include <QTimeZone>

namespace quillon {

namespace {
using basDatabase::IncomingEvent;
using basDatabase::RefreshCount;
using basDatabase::Subscription;
using basDatabase::SubscriptionStore;
using quillontest::StoreTest;

IncomingEvent Incoming(const QString &key, const QString &fingerprint, const QList<QDate> &dates)
{
    return IncomingEvent{key, fingerprint, StoreTest::Event(key + QStringLiteral(" event")), dates};
}

class Subscriptions : public StoreTest {
protected:
    SubscriptionStore subscriptions{store};

    qint64 Add(const QString &address)
    {
        Subscription s;
        s.Address = address;
        s.DisplayName = address;
        EXPECT_TRUE(subscriptions.AddSubscription(s));
        return s.Id;
    }
    QStringList Names(qint64 subscriptionId)
    {
        QStringList names;
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        query.prepare(QStringLiteral("SELECT EventName FROM Events WHERE SubscriptionId IS ? ORDER BY EventName"));
        query.addBindValue(subscriptionId ? QVariant(subscriptionId) : QVariant());
        query.exec();
        while (query.next())
            names.append(query.value(0).toString());
        return names;
    }
};

TEST_F(Subscriptions, ARowKeepsEveryFieldAndTheStateARefreshLeaves)
{
    Subscription s;
    s.Address = QStringLiteral("https://example.org/cal/it's \"ours\".ics");
    s.Type = Subscription::Kind::CalDav;
    s.DisplayName = QStringLiteral("Team | Kalender");
    s.Color = QStringLiteral("#336699");
    s.RefreshMinutes = 15;
    s.UserName = QStringLiteral("anna");
    ASSERT_TRUE(subscriptions.AddSubscription(s)) << (messages.empty() ? std::string() : messages[0].text.toStdString());
    ASSERT_GT(s.Id, 0);
    s.LastSuccess = QDateTime(QDate(2026, 12, 6), QTime(17, 1, 2), QTimeZone::utc());
    s.LastError = QStringLiteral("401");
    s.ETag = QStringLiteral("\"abc\"");
    s.LastModified = QStringLiteral("Sun, 06 Dec 2026 17:00:00 GMT");
    s.SyncToken = QStringLiteral("http://radicale.org/ns/sync/1");
    s.CertificateSha256 = QStringLiteral("ab12");
    ASSERT_TRUE(subscriptions.UpdateSubscription(s));
    Subscription read;
    ASSERT_TRUE(subscriptions.GetSubscription(s.Id, read));
    EXPECT_EQ(read, s);
    QList<Subscription> all;
    ASSERT_TRUE(subscriptions.GetSubscriptions(all));
    EXPECT_EQ(all, QList<Subscription>{s});
    EXPECT_FALSE(subscriptions.GetSubscription(s.Id + 1, read));
    EXPECT_EQ(ReportedModules(), QStringList{QStringLiteral("basSubscriptions.GetSubscription")});
}

// What the views read: a hidden calendar's events not at all, and a calendar's events
// without a colour of their own in the calendar's, following a change of it (also those
// that an older version gave the calendar's colour itself).
TEST_F(Subscriptions, AHiddenCalendarLeavesTheViewsAndItsEventsFollowItsColour)
{
    const qint64 id = Add(QStringLiteral("https://one.example/cal.ics"));
    IncomingEvent plain = Incoming(QStringLiteral("plain"), QStringLiteral("1"), {QDate(2026, 12, 7)});
    plain.Event.EventColor.clear();
    IncomingEvent baked = Incoming(QStringLiteral("baked"), QStringLiteral("1"), {QDate(2026, 12, 7)});
    baked.Event.EventColor = QStringLiteral("Blue");
    IncomingEvent own = Incoming(QStringLiteral("own"), QStringLiteral("1"), {QDate(2026, 12, 7)});
    own.Event.EventColor = QStringLiteral("Red");
    RefreshCount count;
    ASSERT_TRUE(subscriptions.ReplaceEvents(id, {plain, baked, own}, count));
    const auto colours = [&] {
        QList<basDatabase::DatedEvent> shown;
        EXPECT_TRUE(store.GetEventsInRange(QDate(2026, 12, 7), QDate(2026, 12, 7), shown));
        QStringList texts;
        for (const basDatabase::DatedEvent &event : std::as_const(shown))
            texts << event.Event.EventName + QLatin1Char('=') + event.Event.EventColor;
        texts.sort();
        return texts.join(QLatin1Char(' ')).toStdString();
    };
    ASSERT_TRUE(subscriptions.SetColor(id, QStringLiteral("#0000ff"), QStringLiteral("Blue")));
    EXPECT_EQ(colours(), std::string("baked event=Blue own event=Red plain event=Blue"));
    ASSERT_TRUE(subscriptions.SetColor(id, QStringLiteral("#00ff00"), QStringLiteral("Green")));
    EXPECT_EQ(colours(), std::string("baked event=Green own event=Red plain event=Green"));

    ASSERT_TRUE(subscriptions.SetHidden(id, true));
    EXPECT_EQ(colours(), std::string());
    QList<basDatabase::DayRecord> days;
    ASSERT_TRUE(store.GetDates(QDate(2026, 12, 7), QDate(2026, 12, 7), days));
    ASSERT_EQ(days.size(), 1);
    EXPECT_EQ(days.first().EventCount, 0); // the day shows no events
    Subscription read;
    ASSERT_TRUE(subscriptions.GetSubscription(id, read));
    EXPECT_TRUE(read.Hidden);
    // A refresh's state written meanwhile keeps the user's choices.
    read.Hidden = false;
    read.Color.clear();
    ASSERT_TRUE(subscriptions.UpdateSubscription(read));
    ASSERT_TRUE(subscriptions.GetSubscription(id, read));
    EXPECT_TRUE(read.Hidden);
    EXPECT_EQ(read.Color, QStringLiteral("#00ff00"));
    ASSERT_TRUE(subscriptions.SetHidden(id, false));
    EXPECT_EQ(colours(), std::string("baked event=Green own event=Red plain event=Green"));
    EXPECT_FALSE(subscriptions.SetHidden(id + 1, true));
    EXPECT_TRUE(subscriptions.Gone());
}

TEST_F(Subscriptions, ARefreshReplacesOnlyItsOwnEventsAndKeepsTheDayCounts)
{
    qint64 own = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("mine")), {QDate(2026, 12, 7)}, own));
    // The user's own event knows the same UID under the store's own source.
    ASSERT_TRUE(store.SetEventUid(QString(), QStringLiteral("a"), own, QStringLiteral("x")));
    const qint64 first = Add(QStringLiteral("https://one.example/cal.ics"));
    const qint64 second = Add(QStringLiteral("https://two.example/cal.ics"));

    RefreshCount count;
    ASSERT_TRUE(subscriptions.ReplaceEvents(first,
                                            {Incoming(QStringLiteral("a"), QStringLiteral("1"), {QDate(2026, 12, 7)}),
                                             Incoming(QStringLiteral("b"), QStringLiteral("1"), {QDate(2026, 12, 8)})},
                                            count));
    EXPECT_EQ(count.Added, 2);
    EXPECT_EQ(count.TouchedDates, (QList<QDate>{QDate(2026, 12, 7), QDate(2026, 12, 8)}));
    ASSERT_TRUE(subscriptions.ReplaceEvents(second, {Incoming(QStringLiteral("a"), QStringLiteral("9"), {QDate(2026, 12, 7)})},
                                            count));
    EXPECT_EQ(DayCount(QStringLiteral("2026-12-07")), 3);

    // The same again changes nothing; a changed fingerprint rewrites; a missing key goes.
    ASSERT_TRUE(subscriptions.ReplaceEvents(first,
                                            {Incoming(QStringLiteral("a"), QStringLiteral("1"), {QDate(2026, 12, 7)}),
                                             Incoming(QStringLiteral("b"), QStringLiteral("1"), {QDate(2026, 12, 8)})},
                                            count));
    EXPECT_EQ(count.Unchanged, 2);
    EXPECT_TRUE(count.TouchedDates.isEmpty());
    ASSERT_TRUE(subscriptions.ReplaceEvents(first, {Incoming(QStringLiteral("a"), QStringLiteral("2"), {QDate(2026, 12, 9)})},
                                            count));
    EXPECT_EQ(count.Updated, 1);
    EXPECT_EQ(count.Removed, 1);
    EXPECT_EQ(count.TouchedDates, (QList<QDate>{QDate(2026, 12, 7), QDate(2026, 12, 8), QDate(2026, 12, 9)}));
    EXPECT_EQ(DayCount(QStringLiteral("2026-12-07")), 2);
    EXPECT_EQ(DayCount(QStringLiteral("2026-12-08")), 0);

    // An incremental sync: one changed, one removed, an unknown removal ignored.
    ASSERT_TRUE(subscriptions.ApplyChanges(first, {Incoming(QStringLiteral("c"), QStringLiteral("1"), {QDate(2026, 12, 10)})},
                                           {QStringLiteral("a"), QStringLiteral("nothing")}, count));
    EXPECT_EQ(count.Added, 1);
    EXPECT_EQ(count.Removed, 1);
    QHash<QString, QString> keys;
    ASSERT_TRUE(subscriptions.GetKnownKeys(first, keys));
    EXPECT_EQ(keys, (QHash<QString, QString>{{QStringLiteral("c"), QStringLiteral("1")}}));

    qint64 from = -1;
    ASSERT_TRUE(subscriptions.GetEventSubscription(own, from));
    EXPECT_EQ(from, 0);
    EXPECT_EQ(Names(0), QStringList{QStringLiteral("mine")});
    EXPECT_EQ(Names(second), QStringList{QStringLiteral("a event")});

    // Removing a subscription takes its events and nothing else.
    ASSERT_TRUE(subscriptions.RemoveSubscription(first));
    EXPECT_EQ(Names(first), QStringList());
    EXPECT_EQ(DayCount(QStringLiteral("2026-12-10")), 0);
    EXPECT_EQ(Names(0), QStringList{QStringLiteral("mine")});
    EXPECT_EQ(Count(QStringLiteral("SELECT count(*) FROM EventUids WHERE Source = ''")), 1);
    QList<Subscription> left;
    ASSERT_TRUE(subscriptions.GetSubscriptions(left));
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].Id, second);
    QStringList problems;
    EXPECT_TRUE(basStoreCheck::CheckDatabaseFile(DatabaseFile(), false, problems)) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(messages.empty());
}

TEST_F(Subscriptions, ARefreshTheStoreRefusesChangesNothing)
{
    const qint64 id = Add(QStringLiteral("https://one.example/cal.ics"));
    RefreshCount count;
    ASSERT_TRUE(subscriptions.ReplaceEvents(id, {Incoming(QStringLiteral("a"), QStringLiteral("1"), {QDate(2026, 12, 7)})}, count));
    // The second event is timed without times: the store refuses it, and the first stays.
    IncomingEvent broken = Incoming(QStringLiteral("b"), QStringLiteral("1"), {QDate(2026, 12, 8)});
    broken.Event.StartTime = QTime();
    EXPECT_FALSE(subscriptions.ReplaceEvents(id, {Incoming(QStringLiteral("z"), QStringLiteral("1"), {QDate(2026, 12, 9)}), broken},
                                             count));
    EXPECT_EQ(Names(id), QStringList{QStringLiteral("a event")});
    EXPECT_EQ(DayCount(QStringLiteral("2026-12-09")), -1);
    EXPECT_FALSE(messages.empty());
    EXPECT_FALSE(subscriptions.RemoveSubscription(id + 10));
}

TEST_F(Subscriptions, TheSameAddressTwiceIsRefusedAndOneRemovedMeanwhileIsNoFault)
{
    const qint64 id = Add(QStringLiteral("https://one.example/cal.ics"));
    Subscription again;
    again.Address = QStringLiteral("https://one.example/cal.ics");
    EXPECT_FALSE(subscriptions.AddSubscription(again));
    EXPECT_EQ(ReportedModules(), QStringList{QStringLiteral("basSubscriptions.AddSubscription")});
    EXPECT_EQ(subscriptions.LastFailure(), QStringLiteral("https://one.example/cal.ics is already subscribed as ID %1").arg(id));
    // Another account's view of the same address is another calendar.
    again.UserName = QStringLiteral("anna");
    EXPECT_TRUE(subscriptions.AddSubscription(again));

    messages.clear();
    ASSERT_TRUE(subscriptions.RemoveSubscription(id));
    RefreshCount count;
    EXPECT_FALSE(subscriptions.ReplaceEvents(id, {Incoming(QStringLiteral("a"), QStringLiteral("1"), {QDate(2026, 12, 7)})}, count));
    EXPECT_TRUE(subscriptions.Gone());
    Subscription gone;
    gone.Id = id;
    EXPECT_FALSE(subscriptions.UpdateSubscription(gone));
    EXPECT_TRUE(subscriptions.Gone());
    EXPECT_FALSE(subscriptions.LastFailure().isEmpty());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(DayCount(QStringLiteral("2026-12-07")), -1);
}

} // namespace

#ifdef Q_OS_UNIX
namespace {
constexpr QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
    | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
}

// Subscribed events are private: a store made or opened is the owner's only, journal
// included, and its owner's own rights stay.
TEST_F(Subscriptions, TheStoreIsTheOwnersOnlyWhenMadeOrOpened)
{
    EXPECT_FALSE(QFile::permissions(DatabaseFile()) & kOthers);
    const QString made = TempPath(QStringLiteral("made.sqlite"));
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(made, error)) << error.toStdString();
    EXPECT_FALSE(QFile::permissions(made) & kOthers);

    store.CloseDatabaseConnection();
    const auto shared = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    for (const QString &file : {DatabaseFile(), DatabaseFile() + QStringLiteral("-wal")}) {
        QFile(file).open(QIODevice::Append);
        ASSERT_TRUE(QFile::setPermissions(file, shared));
    }
    ASSERT_TRUE(store.OpenDatabaseConnection(DatabaseFile()));
    for (const QString &file : {DatabaseFile(), DatabaseFile() + QStringLiteral("-wal")}) {
        EXPECT_FALSE(QFile::permissions(file) & kOthers) << file.toStdString();
        EXPECT_TRUE(QFile::permissions(file) & QFileDevice::WriteOwner) << file.toStdString();
    }
}
#endif

} // namespace quillon
