// Subscriptions against real servers started here on 127.0.0.1: the counting feed
// server (feed_server.py), the same over TLS with certificates made by openssl, and
// Radicale for CalDAV. A server that cannot be started skips its test, saying why.
#include "DavServers.h"
#include "EventService.h"
#include "EventStore.h"
#include "FeedServer.h"
#include "LauncherSubscriptions.h"
#include "QuillonTestEnvironment.h"
#include "SubscriptionStore.h"
#include "basQuillon.h"
#include "basSchema.h"
#include "basSync.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <memory>

namespace quillon {

namespace {
using basDatabase::Subscription;
using basDatabase::SubscriptionStore;
using quillontest::MakeCertificate;
using quillontest::QuillonTest;
using quillontest::Radicale;
using quillontest::Xandikos;
using quillontest::StartFeedServer;

const QString kFeedServer = QStringLiteral(QUILLON_SOURCE_DIR "/tests/sync/feed_server.py");

QByteArray Calendar(const QStringList &events)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//quillon tests//EN\r\n";
    for (const QString &event : events)
        text += event.toUtf8();
    return text + "END:VCALENDAR\r\n";
}

// trigger: a VALARM's TRIGGER (e.g. "-PT15M"), none when empty.
QString Event(const QString &uid, const QString &summary, const QString &day, const QString &trigger = QString())
{
    const QString alarm = trigger.isEmpty() ? QString()
                                            : QStringLiteral("BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\n"
                                                             "TRIGGER:%1\r\nEND:VALARM\r\n")
                                                  .arg(trigger);
    return QStringLiteral("BEGIN:VEVENT\r\nUID:%1\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:%3T090000\r\n"
                          "DTEND:%3T100000\r\nSUMMARY:%2\r\n%4END:VEVENT\r\n")
        .arg(uid, summary, day, alarm);
}

basDatabase::EventRecord KeptRecord()
{
    basDatabase::EventRecord record;
    record.EventName = QStringLiteral("kept");
    record.AllDayEvent = true;
    return record;
}

void Write(const QString &path, const QByteArray &text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// The month the real renderer draws from the store in dataDir (the test's fixed today,
// December 2026), as pixels; null when it did not draw.
QImage DrawnMonth(const QString &dataDir)
{
    QProcess calendar;
    QProcessEnvironment childEnv = QProcessEnvironment::systemEnvironment();
    childEnv.insert(QStringLiteral("QUILLON_DATA_DIR"), dataDir);
    childEnv.insert(QStringLiteral("XDG_CACHE_HOME"), dataDir + QStringLiteral("/cache"));
    childEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    calendar.setProcessEnvironment(childEnv);
    calendar.start(QStringLiteral(QUILLON_PROGRAM_DIR "/calendar"), QStringList());
    if (!calendar.waitForFinished(30000) || calendar.exitStatus() != QProcess::NormalExit || calendar.exitCode() != 0) {
        ADD_FAILURE() << "the renderer failed: " << calendar.readAllStandardError().toStdString();
        return QImage();
    }
    return QImage(dataDir + QStringLiteral("/wallpaper.bmp")).convertToFormat(QImage::Format_RGB32);
}

// The same month drawn from a store of the user's own events: (name, day) at 9:00.
QImage DrawnOwnEvents(const QList<std::pair<QString, QDate>> &events)
{
    QTemporaryDir folder;
    QString error;
    EXPECT_TRUE(basSchema::CreateDatabaseFile(folder.filePath(QStringLiteral("dbcalndr.sqlite")), error)) << error.toStdString();
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(folder.filePath(QStringLiteral("dbcalndr.sqlite"))));
        for (const auto &[name, day] : events) {
            basDatabase::EventRecord record;
            record.EventName = name;
            record.StartTime = QTime(9, 0);
            record.EndTime = QTime(10, 0);
            qint64 id = 0;
            EXPECT_TRUE(store.AddEventToDatabase(record, {day}, id));
        }
    }
    return DrawnMonth(folder.path());
}

class SubscriptionServers : public QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(Database(), error)) << error.toStdString();
    }
    QString Database() const { return TempPath(QStringLiteral("dbcalndr.sqlite")); }

    qint64 Add(const QString &address, Subscription::Kind kind = Subscription::Kind::ICalendar,
               const QString &user = QString(), const QString &certificate = QString())
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        Subscription s;
        s.Address = address;
        s.Type = kind;
        s.UserName = user;
        s.CertificateSha256 = certificate;
        EXPECT_TRUE(SubscriptionStore(store).AddSubscription(s));
        return s.Id;
    }
    // A refresh on the sync thread, as every caller runs it.
    basSync::RefreshResult Refresh(qint64 id, const QString &password = QString(), int timeoutMs = basSync::kTimeoutMs)
    {
        basSync::RefreshResult result;
        basSync::RunOnSyncThread([&] {
            basDatabase::EventStore store;
            if (store.OpenDatabaseConnection(Database())) {
                basSync::RefreshOptions options;
                options.TimeoutMs = timeoutMs;
                result = basSync::Refresh(store, id, password, options);
            }
        });
        return result;
    }
    // withReminders: each name followed by its reminder ("Alpha 15", "Beta -").
    QStringList Names(qint64 id, bool withReminders = false)
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        query.prepare(QStringLiteral("SELECT EventName, Reminder FROM Events WHERE COALESCE(SubscriptionId, 0) = ? ORDER BY EventName"));
        query.addBindValue(id);
        query.exec();
        QStringList names;
        while (query.next())
            names.append(!withReminders         ? query.value(0).toString()
                         : query.value(1).isNull() ? query.value(0).toString() + QStringLiteral(" -")
                                                   : query.value(0).toString() + QLatin1Char(' ') + query.value(1).toString());
        return names;
    }
    Subscription Row(qint64 id)
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        Subscription s;
        EXPECT_TRUE(SubscriptionStore(store).GetSubscription(id, s));
        return s;
    }
    QStringList Requests() const
    {
        return ReadDataFile(QStringLiteral("requests.log")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

TEST_F(SubscriptionServers, AFeedIsFetchedConditionallyAndAFailureKeepsTheLastGoodCopy)
{
    const auto server = StartFeedServer(DataDir());
    if (server->port == 0)
        GTEST_SKIP() << "python3 cannot run the feed server " << kFeedServer.toStdString();
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(server->port);
    Write(TempPath(QStringLiteral("cal.ics")),
          Calendar({Event(QStringLiteral("a"), QStringLiteral("Alpha"), QStringLiteral("20261207"), QStringLiteral("-PT15M")),
                    Event(QStringLiteral("b"), QStringLiteral("Beta"), QStringLiteral("20261208"))}));

    const qint64 feed = Add(base + QStringLiteral("/feed/cal.ics"));
    basSync::RefreshResult result = Refresh(feed);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Count.Added, 2);
    // A feed's alarm is the event's reminder, so that the launcher shows it too.
    EXPECT_EQ(Names(feed, true), (QStringList{QStringLiteral("Alpha 15"), QStringLiteral("Beta -")}));
    // Unchanged: one request, answered 304, nothing written.
    result = Refresh(feed);
    EXPECT_TRUE(result.Ok && result.NotModified);
    EXPECT_EQ(result.Requests, 1);
    EXPECT_EQ(Requests().constLast(), QStringLiteral("GET /feed/cal.ics 304"));
    // Changed: one event rewritten, one gone.
    Write(TempPath(QStringLiteral("cal.ics")),
          Calendar({Event(QStringLiteral("a"), QStringLiteral("Alpha moved"), QStringLiteral("20261209"), QStringLiteral("-PT1H"))}));
    result = Refresh(feed);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Count.Updated, 1);
    EXPECT_EQ(result.Count.Removed, 1);
    EXPECT_EQ(Names(feed, true), QStringList{QStringLiteral("Alpha moved 60")});
    EXPECT_EQ(Row(feed).LastError, QString());

    // Redirected and compressed answers are taken like the plain one.
    for (const char *path : {"/redirect/301/cal.ics", "/redirect/302/cal.ics", "/redirect/308/cal.ics", "/gzip/cal.ics"}) {
        SCOPED_TRACE(path);
        const qint64 id = Add(base + QLatin1String(path));
        result = Refresh(id);
        EXPECT_TRUE(result.Ok) << result.Message.toStdString();
        EXPECT_EQ(Names(id), QStringList{QStringLiteral("Alpha moved")});
    }

    // Each failure names its cause and leaves the events of the last success.
    const struct {
        const char *path;
        int timeoutMs;
        const char *message;
    } failures[] = {
        {"/status/500", basSync::kTimeoutMs, "the server answered HTTP 500 for /status/500"},
        {"/status/404", basSync::kTimeoutMs, "the server answered HTTP 404"},
        {"/html", basSync::kTimeoutMs, "the address gave no calendar (text/html) for /html"},
        {"/big", basSync::kTimeoutMs, "the answer is larger than 32 MB; nothing was changed"},
        {"/slow", 1000, "no answer within 1 seconds"},
        {"/auth/cal.ics", basSync::kTimeoutMs, "the server asks for a user name and password"},
    };
    for (const auto &failure : failures) {
        SCOPED_TRACE(failure.path);
        const qint64 id = Add(base + QLatin1String(failure.path));
        basDatabase::RefreshCount count;
        {
            basDatabase::EventStore store;
            ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
            ASSERT_TRUE(SubscriptionStore(store).ReplaceEvents(
                id, {basDatabase::IncomingEvent{QStringLiteral("kept"), QStringLiteral("1"), KeptRecord(), {QDate(2026, 12, 1)}}},
                count));
        }
        result = Refresh(id, QString(), failure.timeoutMs);
        EXPECT_FALSE(result.Ok);
        EXPECT_TRUE(result.Message.contains(QStringLiteral("127.0.0.1:%1: ").arg(server->port) + QLatin1String(failure.message)))
            << result.Message.toStdString();
        EXPECT_EQ(Row(id).LastError, result.Message);
        EXPECT_EQ(Names(id).size(), 1);
    }

    // With the password: taken; with a wrong one: refused, and nothing deleted.
    const qint64 guarded = Add(base + QStringLiteral("/auth/cal.ics"), Subscription::Kind::ICalendar, QStringLiteral("anna"));
    result = Refresh(guarded, QStringLiteral("s3cret pass"));
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    Write(TempPath(QStringLiteral("cal.ics")), Calendar({}));
    result = Refresh(guarded, QStringLiteral("wrong"));
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Message.contains(QStringLiteral("the server refused the user name or password"))) << result.Message.toStdString();
    EXPECT_EQ(Names(guarded), QStringList{QStringLiteral("Alpha moved")});
    EXPECT_FALSE(Row(guarded).LastError.contains(QStringLiteral("wrong")));

    // A server that takes Digest only: answered once it asks, a wrong password refused.
    Write(TempPath(QStringLiteral("cal.ics")), Calendar({Event(QStringLiteral("d"), QStringLiteral("Digest"), QStringLiteral("20261207"))}));
    const qint64 digest = Add(base + QStringLiteral("/digest/cal.ics"), Subscription::Kind::ICalendar, QStringLiteral("anna"));
    result = Refresh(digest, QStringLiteral("s3cret pass"));
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(Names(digest), QStringList{QStringLiteral("Digest")});
    EXPECT_TRUE(Requests().constLast().startsWith(QStringLiteral("GET /digest/cal.ics 200")));
    result = Refresh(digest, QStringLiteral("wrong"));
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Message.contains(QStringLiteral("the server refused the user name or password"))) << result.Message.toStdString();
    EXPECT_EQ(Names(digest), QStringList{QStringLiteral("Digest")});
}

TEST_F(SubscriptionServers, WithoutSyncCollectionACalDavCalendarIsFollowedByItsETags)
{
    const auto server = StartFeedServer(DataDir());
    if (server->port == 0)
        GTEST_SKIP() << "python3 cannot run the feed server " << kFeedServer.toStdString();
    ASSERT_TRUE(QDir().mkpath(TempPath(QStringLiteral("dav"))));
    const auto put = [this](const QString &uid, const QString &summary) {
        Write(TempPath(QStringLiteral("dav/%1.ics").arg(uid)), Calendar({Event(uid, summary, QStringLiteral("20261207"))}));
    };
    put(QStringLiteral("a"), QStringLiteral("Alpha"));
    put(QStringLiteral("b"), QStringLiteral("Beta"));
    put(QStringLiteral("c"), QStringLiteral("Gamma"));
    const qint64 id = Add(QStringLiteral("http://127.0.0.1:%1/dav/").arg(server->port), Subscription::Kind::CalDav);
    // What each refresh asked: the calendar's colour, then the sync-collection the server
    // refuses, then the ETags.
    const auto reportsSince = [this](qsizetype from) {
        QStringList kinds;
        for (const QString &line : Requests().mid(from))
            kinds << line.section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ') + line.section(QLatin1Char(' '), 2);
        return kinds;
    };
    const QStringList full{QStringLiteral("PROPFIND 207"), QStringLiteral("REPORT:sync-collection 403"), QStringLiteral("REPORT:calendar-query 207"),
                           QStringLiteral("REPORT:calendar-multiget 207")};

    basSync::RefreshResult result = Refresh(id);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(reportsSince(0), full);
    EXPECT_EQ(Names(id), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}));
    EXPECT_EQ(Row(id).SyncToken, QString());

    // Unchanged: the ETags alone, no event fetched.
    qsizetype seen = Requests().size();
    result = Refresh(id);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(reportsSince(seen), full.mid(0, 3));
    EXPECT_EQ(result.Count.Unchanged, 3);

    // One changed, one gone: only the changed one fetched, the gone one removed.
    put(QStringLiteral("a"), QStringLiteral("Alpha moved"));
    ASSERT_TRUE(QFile::remove(TempPath(QStringLiteral("dav/b.ics"))));
    seen = Requests().size();
    result = Refresh(id);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(reportsSince(seen), full);
    EXPECT_EQ(result.Count.Updated, 1);
    EXPECT_EQ(result.Count.Removed, 1);
    EXPECT_EQ(Names(id), (QStringList{QStringLiteral("Alpha moved"), QStringLiteral("Gamma")}));
}

TEST_F(SubscriptionServers, ASelfSignedCertificateIsRefusedUntilTrustedAndAgainWhenItChanges)
{
    const QString cert = TempPath(QStringLiteral("cert.pem"));
    const QString key = TempPath(QStringLiteral("key.pem"));
    if (!MakeCertificate(cert, key))
        GTEST_SKIP() << "openssl cannot make a test certificate";
    auto server = StartFeedServer(DataDir(), {QStringLiteral("--tls"), cert, key});
    if (server->port == 0)
        GTEST_SKIP() << "python3 cannot run the feed server with TLS";
    const int port = server->port;
    Write(TempPath(QStringLiteral("cal.ics")), Calendar({Event(QStringLiteral("a"), QStringLiteral("Alpha"), QStringLiteral("20261207"))}));
    const qint64 id = Add(QStringLiteral("https://127.0.0.1:%1/feed/cal.ics").arg(port));

    basSync::RefreshResult result = Refresh(id);
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Message.startsWith(QStringLiteral("127.0.0.1:%1: the certificate is not trusted (").arg(port)))
        << result.Message.toStdString();
    ASSERT_EQ(result.OfferedCertificate.size(), 95); // 32 bytes as hex pairs with colons
    EXPECT_TRUE(result.Message.contains(result.OfferedCertificate));

    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
        Subscription s = Row(id);
        s.CertificateSha256 = result.OfferedCertificate;
        ASSERT_TRUE(SubscriptionStore(store).UpdateSubscription(s));
    }
    result = Refresh(id);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(Names(id), QStringList{QStringLiteral("Alpha")});

    // Another certificate on the same address: stopped again, the events kept.
    server->Stop();
    ASSERT_TRUE(MakeCertificate(cert, key));
    server = StartFeedServer(DataDir(), {QStringLiteral("--port"), QString::number(port), QStringLiteral("--tls"), cert, key});
    ASSERT_EQ(server->port, port);
    result = Refresh(id);
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Message.contains(QStringLiteral("the certificate changed since it was trusted"))) << result.Message.toStdString();
    EXPECT_EQ(Names(id), QStringList{QStringLiteral("Alpha")});
}

TEST_F(SubscriptionServers, ACalDavAccountIsFoundAndFollowedByOneSyncCollectionARefresh)
{
    Radicale radicale;
    if (!radicale.Start(DataDir()))
        GTEST_SKIP() << "radicale (Debian package radicale) cannot be started";
    const QByteArray work = "<?xml version=\"1.0\"?><C:mkcalendar xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\" "
                            "xmlns:A=\"http://apple.com/ns/ical/\"><D:set><D:prop><D:displayname>Work</D:displayname>"
                            "<A:calendar-color>#FF8000FF</A:calendar-color></D:prop></D:set></C:mkcalendar>";
    radicale.Send("MKCOL", QStringLiteral("/anna/")); // Radicale may have made it at the login
    ASSERT_EQ(radicale.Send("MKCALENDAR", QStringLiteral("/anna/work/"), work), 201);
    ASSERT_EQ(radicale.Send("MKCALENDAR", QStringLiteral("/anna/home/")), 201);
    // A task list holds no events: not offered.
    ASSERT_EQ(radicale.Send("MKCALENDAR", QStringLiteral("/anna/tasks/"),
                            "<?xml version=\"1.0\"?><C:mkcalendar xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">"
                            "<D:set><D:prop><C:supported-calendar-component-set><C:comp name=\"VTODO\"/>"
                            "</C:supported-calendar-component-set></D:prop></D:set></C:mkcalendar>"),
              201);
    for (const auto &[uid, day] : {std::pair{"w1", "20261207"}, {"w2", "20261209"}, {"w3", "20261210"}})
        ASSERT_EQ(radicale.Send("PUT", QStringLiteral("/anna/work/%1.ics").arg(QLatin1String(uid)),
                                Calendar({Event(QLatin1String(uid), QStringLiteral("Work %1").arg(QLatin1String(uid)),
                                                QLatin1String(day))})),
                  201);

    // Discovery from the server's root: both calendars of events, with the name and
    // colour, each writable; not the task list.
    basSync::Probe probe;
    basSync::RunOnSyncThread([&] {
        probe = basSync::ProbeAddress(QUrl(radicale.base + QStringLiteral("/")), QStringLiteral("anna"),
                                      QStringLiteral("s3cret pass"), QString());
    });
    ASSERT_TRUE(probe.CalDav) << probe.Error.toStdString();
    ASSERT_EQ(probe.Calendars.size(), 2);
    EXPECT_TRUE(probe.Calendars[0].Writable && probe.Calendars[1].Writable);
    const auto found = std::find_if(probe.Calendars.cbegin(), probe.Calendars.cend(),
                                    [](const basSync::CalDav::Calendar &c) { return c.DisplayName == QLatin1String("Work"); });
    ASSERT_NE(found, probe.Calendars.cend());
    EXPECT_EQ(found->Color, QStringLiteral("#ff8000"));
    EXPECT_EQ(found->Address, QUrl(radicale.base + QStringLiteral("/anna/work/")));

    const qint64 id = Add(found->Address.toString(), Subscription::Kind::CalDav, QStringLiteral("anna"));
    basSync::RefreshResult result = Refresh(id, QStringLiteral("s3cret pass"));
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(Names(id), (QStringList{QStringLiteral("Work w1"), QStringLiteral("Work w2"), QStringLiteral("Work w3")}));
    EXPECT_FALSE(Row(id).SyncToken.isEmpty());
    // The wallpaper shows them as it would the user's own events of those names and days.
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    const QImage synced = DrawnMonth(DataDir());
    ASSERT_FALSE(synced.isNull());
    EXPECT_EQ(synced, DrawnOwnEvents({{QStringLiteral("Work w1"), QDate(2026, 12, 7)},
                                      {QStringLiteral("Work w2"), QDate(2026, 12, 9)},
                                      {QStringLiteral("Work w3"), QDate(2026, 12, 10)}}));

    // One changed, one deleted on the server: the launcher's next refresh asks the
    // calendar's colour, then one sync-collection, and it asks for the wallpaper to be
    // drawn again.
    ASSERT_EQ(radicale.Send("PUT", QStringLiteral("/anna/work/w1.ics"),
                            Calendar({Event(QStringLiteral("w1"), QStringLiteral("Work w1 moved"), QStringLiteral("20261208"))})),
              201);
    ASSERT_EQ(radicale.Send("DELETE", QStringLiteral("/anna/work/w2.ics")), 200);
    const int reportsBefore = radicale.Logged(QStringLiteral("REPORT"));
    {
        SystemLauncherClock clock;
        int redraws = 0;
        SubscriptionRefreshServices services;
        services.clock = &clock;
        services.databasePath = Database();
        services.password = [](const Subscription &) { return QStringLiteral("s3cret pass"); };
        services.monthChanged = [&redraws] { ++redraws; };
        LauncherSubscriptions launcher(services);
        QObject::connect(&launcher, &LauncherSubscriptions::Refreshed,
                         [&result](const basSync::RefreshResult &refreshed) { result = refreshed; });
        QSignalSpy settled(&launcher, &LauncherSubscriptions::Settled);
        result = basSync::RefreshResult();
        launcher.RefreshAll();
        ASSERT_TRUE(!settled.isEmpty() || settled.wait(30000));
        EXPECT_EQ(redraws, 1);
    }
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Requests, 2);
    QThread::msleep(200); // the log line may trail the answer
    EXPECT_EQ(radicale.Logged(QStringLiteral("REPORT")), reportsBefore + 1);
    EXPECT_EQ(result.Count.Updated, 1);
    EXPECT_EQ(result.Count.Removed, 1);
    EXPECT_EQ(Names(id), (QStringList{QStringLiteral("Work w1 moved"), QStringLiteral("Work w3")}));
    const QImage changed = DrawnMonth(DataDir());
    EXPECT_NE(changed, synced);
    EXPECT_EQ(changed, DrawnOwnEvents({{QStringLiteral("Work w1 moved"), QDate(2026, 12, 8)},
                                       {QStringLiteral("Work w3"), QDate(2026, 12, 10)}}));

    // Nothing changed since: a sync-collection naming nothing (after the colour), and
    // nothing written.
    const QString token = Row(id).SyncToken;
    result = Refresh(id, QStringLiteral("s3cret pass"));
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Requests, 2);
    EXPECT_EQ(result.Count.Added + result.Count.Updated + result.Count.Removed, 0);
    EXPECT_EQ(Row(id).SyncToken, token);

    // A new colour on the server is the calendar's at the next refresh.
    ASSERT_EQ(radicale.Send("PROPPATCH", QStringLiteral("/anna/work/"),
                            "<?xml version=\"1.0\"?><D:propertyupdate xmlns:D=\"DAV:\" xmlns:A=\"http://apple.com/ns/ical/\">"
                            "<D:set><D:prop><A:calendar-color>#0080FFFF</A:calendar-color></D:prop></D:set></D:propertyupdate>"),
              207);
    result = Refresh(id, QStringLiteral("s3cret pass"));
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(Row(id).Color, QStringLiteral("#0080ff"));
    EXPECT_EQ(result.Count.TouchedDates.size(), 2); // its events' days, drawn anew

    // A wrong password: a clear message, and nothing deleted.
    result = Refresh(id, QStringLiteral("wrong"));
    EXPECT_FALSE(result.Ok);
    EXPECT_TRUE(result.Message.contains(QStringLiteral("refused the user name or password"))) << result.Message.toStdString();
    EXPECT_EQ(Names(id).size(), 2);
}


// A writable calendar's event changed here goes back to the server at the next refresh:
// changed whole, one occurrence changed, and deleted; a change the server overtook is
// kept here as the user's own event; one made while the server is away waits for it;
// one made for the calendar, or moved to it, becomes a resource of its own there.
template <class Dav>
void ExpectChangesReachTheServer(Dav &dav, const QString &calendar, const QString &database,
                                 const std::function<QStringList(qint64)> &names)
{
    const auto Database = [&] { return database; };
    const auto Names = names;
    const auto Refresh = [&](qint64 id, const QString &password, int timeoutMs = basSync::kTimeoutMs) {
        basSync::RefreshResult result;
        basSync::RunOnSyncThread([&] {
            basDatabase::EventStore store;
            if (store.OpenDatabaseConnection(database)) {
                basSync::RefreshOptions options;
                options.TimeoutMs = timeoutMs;
                result = basSync::Refresh(store, id, password, options);
            }
        });
        return result;
    };
    const QByteArray weekly = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//EN\r\nBEGIN:VEVENT\r\nUID:weekly@t\r\n"
                              "DTSTAMP:20261201T000000Z\r\nDTSTART;TZID=Europe/Berlin:20270104T090000\r\n"
                              "DTEND;TZID=Europe/Berlin:20270104T093000\r\nRRULE:FREQ=WEEKLY;COUNT=8\r\n"
                              "SUMMARY:Standup\r\nATTENDEE:mailto:bo@example.org\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    ASSERT_EQ(dav.Send("PUT", calendar + QStringLiteral("weekly.ics"), weekly) / 100, 2);
    basSync::Probe probe;
    basSync::RunOnSyncThread([&] {
        probe = basSync::ProbeAddress(QUrl(dav.base + calendar), dav.user, dav.password, QString());
    });
    ASSERT_EQ(probe.Calendars.size(), 1) << probe.Error.toStdString();
    EXPECT_TRUE(probe.Calendars[0].Writable);
    qint64 id = 0;
    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
        Subscription s;
        s.Address = probe.Calendars[0].Address.toString();
        s.Type = Subscription::Kind::CalDav;
        s.UserName = dav.user;
        s.Writable = true;
        ASSERT_TRUE(SubscriptionStore(store).AddSubscription(s));
        id = s.Id;
    }
    const QString password = dav.password;
    ASSERT_TRUE(Refresh(id, password).Ok);
    const auto eventNamed = [&](const QString &name) {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        query.prepare(QStringLiteral("SELECT EventID FROM Events WHERE EventName = ?"));
        query.addBindValue(name);
        query.exec();
        return query.next() ? query.value(0).toLongLong() : 0;
    };
    const auto change = [&](const std::function<bool(EventService &)> &edit) {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Database()));
        EventService events(store);
        EXPECT_TRUE(edit(events));
        QList<basDatabase::OutboxEntry> waiting;
        EXPECT_TRUE(SubscriptionStore(store).GetOutbox(id, waiting));
        return waiting.size();
    };

    // Renamed as a whole: one PUT, the rule and what we do not show as they were.
    EXPECT_EQ(change([&](EventService &events) {
                  quillon::Event event = *events.Load(eventNamed(QStringLiteral("Standup")));
                  event.EventName = QStringLiteral("Team standup");
                  return events.Save(event).has_value();
              }),
              1);
    basSync::RefreshResult result = Refresh(id, password);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Sent, 1);
    QByteArray onServer = dav.Get(calendar + QStringLiteral("weekly.ics"));
    EXPECT_TRUE(onServer.contains("SUMMARY:Team standup")) << onServer.toStdString();
    EXPECT_TRUE(onServer.contains("RRULE:FREQ=WEEKLY;COUNT=8")) << onServer.toStdString();
    EXPECT_TRUE(onServer.contains("ATTENDEE:mailto:bo@example.org")) << onServer.toStdString();
    EXPECT_EQ(Names(id), QStringList{QStringLiteral("Team standup")});

    // One occurrence moved to 11:00 in Berlin: the override goes into the same resource.
    EXPECT_EQ(change([&](EventService &events) {
                  quillon::Event event = *events.Load(eventNamed(QStringLiteral("Team standup")));
                  event.StartTime = event.StartTime.addSecs(2 * 3600);
                  event.EndTime = event.EndTime.addSecs(2 * 3600);
                  return events.SaveOccurrence(event, QDate(2027, 1, 18), EventService::Occurrences::OnlyThis).has_value();
              }),
              1);
    result = Refresh(id, password);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    onServer = dav.Get(calendar + QStringLiteral("weekly.ics"));
    EXPECT_EQ(onServer.count("BEGIN:VEVENT"), 2) << onServer.toStdString();
    EXPECT_TRUE(onServer.contains("RECURRENCE-ID;TZID=Europe/Berlin:20270118T090000")) << onServer.toStdString();
    EXPECT_TRUE(onServer.contains("DTSTART;TZID=Europe/Berlin:20270118T110000")) << onServer.toStdString();
    EXPECT_EQ(Names(id), (QStringList{QStringLiteral("Team standup"), QStringLiteral("Team standup")}));
    EXPECT_EQ(Names(0).size(), 0) << "nothing of the calendar's became this computer's";

    // Changed on the server by another client, and here too: the server's version wins
    // here, and the change made here stays as the user's own event.
    QByteArray other = onServer;
    other.replace("SUMMARY:Team standup", "SUMMARY:Standup (phone)");
    ASSERT_EQ(dav.Send("PUT", calendar + QStringLiteral("weekly.ics"), other) / 100, 2);
    change([&](EventService &events) {
        quillon::Event event = *events.Load(eventNamed(QStringLiteral("Team standup")));
        event.Notes = QStringLiteral("Bring the figures");
        return events.Save(event).has_value();
    });
    result = Refresh(id, password);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_TRUE(result.Message.contains(QStringLiteral("your change is kept on this computer as \"Team standup (my change, not sent)\"")))
        << result.Message.toStdString();
    EXPECT_NE(eventNamed(QStringLiteral("Team standup (my change, not sent)")), 0);
    EXPECT_TRUE(Names(id).contains(QStringLiteral("Standup (phone)"))) << Names(id).join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(dav.Get(calendar + QStringLiteral("weekly.ics")).contains("SUMMARY:Standup (phone)"));

    // Deleted here: gone from the server.
    EXPECT_EQ(change([&](EventService &events) {
                  return events.DeleteSeries(eventNamed(QStringLiteral("Standup (phone)"))).has_value();
              }),
              1);
    result = Refresh(id, password);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_TRUE(dav.Get(calendar + QStringLiteral("weekly.ics")).isEmpty());
    EXPECT_TRUE(Names(id).isEmpty()) << Names(id).join(QLatin1Char(',')).toStdString();

    // Made while the server is away: the change waits, says why, and goes at the next refresh.
    ASSERT_EQ(dav.Send("PUT", calendar + QStringLiteral("weekly.ics"), weekly) / 100, 2);
    ASSERT_TRUE(Refresh(id, password).Ok);
    dav.server.process->kill();
    dav.server.process->waitForFinished();
    EXPECT_EQ(change([&](EventService &events) {
                  quillon::Event event = *events.Load(eventNamed(QStringLiteral("Standup")));
                  event.EventName = QStringLiteral("Offline standup");
                  return events.Save(event).has_value();
              }),
              1);
    result = Refresh(id, password, 2000);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Waiting, 1);
    ASSERT_TRUE(dav.Start(dav.folder));
    result = Refresh(id, password);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Sent, 1);
    EXPECT_TRUE(dav.Get(calendar + QStringLiteral("weekly.ics")).contains("SUMMARY:Offline standup"));

    // Made here for the calendar, and one of this computer's moved to it: each a resource
    // of its own there, with its zone.
    EXPECT_EQ(change([&](EventService &events) {
                  quillon::Event made;
                  made.EventName = QStringLiteral("Made here");
                  made.StartTime = QTime(14, 0);
                  made.EndTime = QTime(15, 0);
                  made.Dates = {QDate(2027, 2, 1)};
                  made.Calendar = id;
                  quillon::Event mine = made;
                  mine.EventName = QStringLiteral("Moved there");
                  mine.Calendar = 0;
                  const std::optional<EventService::Saved> own = events.Save(mine);
                  if (!own || !events.Save(made))
                      return false;
                  mine = *events.Load(own->EventID);
                  mine.Calendar = id;
                  return events.Save(mine).has_value();
              }),
              2);
    result = Refresh(id, password);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Sent, 2);
    for (const QString &name : {QStringLiteral("Made here"), QStringLiteral("Moved there")}) {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        query.prepare(QStringLiteral("SELECT u.Uid FROM EventUids u JOIN Events e ON e.EventID = u.EventId WHERE e.EventName = ?"));
        query.addBindValue(name);
        ASSERT_TRUE(query.exec() && query.next()) << name.toStdString();
        const QByteArray there = dav.Get(query.value(0).toString());
        EXPECT_TRUE(there.contains("SUMMARY:" + name.toUtf8())) << name.toStdString() << there.toStdString();
        EXPECT_TRUE(there.contains("DTSTART;TZID=")) << there.toStdString();
    }
    EXPECT_TRUE(Names(id).contains(QStringLiteral("Made here")) && Names(id).contains(QStringLiteral("Moved there")))
        << Names(id).join(QLatin1Char(',')).toStdString();
}



TEST_F(SubscriptionServers, ChangesMadeHereReachAWritableRadicaleCalendar)
{
    Radicale radicale;
    if (!radicale.Start(DataDir()))
        GTEST_SKIP() << "radicale (Debian package radicale) cannot be started";
    radicale.Send("MKCOL", QStringLiteral("/anna/"));
    ASSERT_EQ(radicale.Send("MKCALENDAR", QStringLiteral("/anna/work/")), 201);
    ExpectChangesReachTheServer(radicale, QStringLiteral("/anna/work/"), Database(), [this](qint64 id) { return Names(id); });

    // The launcher sends a change as soon as it hears of it, before the next refresh is due.
    qint64 made = 0;
    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
        EventService events(store);
        quillon::Event event;
        event.EventName = QStringLiteral("Sent at once");
        event.StartTime = QTime(8, 0);
        event.EndTime = QTime(9, 0);
        event.Dates = {QDate(2027, 3, 1)};
        event.Calendar = 1;
        const std::optional<EventService::Saved> saved = events.Save(event);
        ASSERT_TRUE(saved);
        made = saved->EventID;
        // Until it is sent, the event says it waits (the editor and the status line show it).
        EXPECT_EQ(events.WaitingToBeSent(made), std::optional<QString>(QString()));
    }
    SystemLauncherClock clock;
    SubscriptionRefreshServices services;
    services.clock = &clock;
    services.databasePath = Database();
    services.password = [](const Subscription &) { return QStringLiteral("s3cret pass"); };
    LauncherSubscriptions launcher(services);
    QSignalSpy settled(&launcher, &LauncherSubscriptions::Settled);
    launcher.SendWaiting();
    ASSERT_TRUE(!settled.isEmpty() || settled.wait(30000));
    basDatabase::EventStore store;
    ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
    QList<basDatabase::OutboxEntry> waiting;
    ASSERT_TRUE(SubscriptionStore(store).GetOutbox(0, waiting));
    EXPECT_TRUE(waiting.isEmpty());
    EXPECT_FALSE(EventService(store).WaitingToBeSent(made));
    QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
    query.prepare(QStringLiteral("SELECT Uid FROM EventUids WHERE EventId = ?"));
    query.addBindValue(made);
    ASSERT_TRUE(query.exec() && query.next());
    EXPECT_TRUE(radicale.Get(query.value(0).toString()).contains("SUMMARY:Sent at once"));
}

TEST_F(SubscriptionServers, ChangesMadeHereReachAWritableXandikosCalendar)
{
    Xandikos xandikos;
    if (!xandikos.Start(DataDir()))
        GTEST_SKIP() << "xandikos (Debian package xandikos) cannot be started";
    ExpectChangesReachTheServer(xandikos, QStringLiteral("/user/calendars/calendar/"), Database(),
                                [this](qint64 id) { return Names(id); });
}

// A server that suddenly has none of a calendar's events empties it here only when told so.
TEST_F(SubscriptionServers, ACalendarEmptiedOnTheServerIsKeptUntilTheUserSaysSo)
{
    Radicale radicale;
    if (!radicale.Start(DataDir()))
        GTEST_SKIP() << "radicale (Debian package radicale) cannot be started";
    radicale.Send("MKCOL", QStringLiteral("/anna/"));
    ASSERT_EQ(radicale.Send("MKCALENDAR", QStringLiteral("/anna/work/")), 201);
    for (int i = 1; i <= 12; ++i)
        ASSERT_EQ(radicale.Send("PUT", QStringLiteral("/anna/work/e%1.ics").arg(i),
                                Calendar({Event(QStringLiteral("e%1").arg(i), QStringLiteral("Work %1").arg(i),
                                                QStringLiteral("202612%1").arg(i, 2, 10, QLatin1Char('0')))})),
                  201);
    const qint64 id = Add(radicale.base + QStringLiteral("/anna/work/"), Subscription::Kind::CalDav, QStringLiteral("anna"));
    const QString password = QStringLiteral("s3cret pass");
    ASSERT_TRUE(Refresh(id, password).Ok);
    for (int i = 1; i <= 12; ++i)
        ASSERT_EQ(radicale.Send("DELETE", QStringLiteral("/anna/work/e%1.ics").arg(i)), 200);
    basSync::RefreshResult result = Refresh(id, password);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.HeldBack, 12);
    EXPECT_EQ(result.Message, Row(id).Address + QStringLiteral(": the server now has none of the 12 events kept here. "
                                                               "Remove them here too?"));
    EXPECT_EQ(Names(id).size(), 12);
    // Asked again at the next refresh, not forgotten.
    EXPECT_EQ(Refresh(id, password).HeldBack, 12);
    basSync::RunOnSyncThread([&] {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(Database()));
        basSync::RefreshOptions options;
        options.AllowMassDelete = true;
        result = basSync::Refresh(store, id, password, options);
    });
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Count.Removed, 12);
    EXPECT_TRUE(Names(id).isEmpty());
}

} // namespace

} // namespace quillon
