// Servers that send too much, too slowly, too little or something else than asked, and
// a password over plain http: each against the feed server on 127.0.0.1, through a
// refresh or a probe as the tools and windows run them, judged by what the user reads,
// what is kept and what the server was sent.
#include "EventStore.h"
#include "FeedServer.h"
#include "QuillonTestEnvironment.h"
#include "SubscriptionStore.h"
#include "basSchema.h"
#include "basSync.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkProxy>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <sys/resource.h>

namespace quillon {

namespace {
using basDatabase::Subscription;
using basDatabase::SubscriptionStore;
using quillontest::StartFeedServer;

const QByteArray kCalendar = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//quillon tests//EN\r\n"
                             "BEGIN:VEVENT\r\nUID:a\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261207T090000\r\n"
                             "DTEND:20261207T100000\r\nSUMMARY:Alpha\r\nEND:VEVENT\r\n"
                             "BEGIN:VEVENT\r\nUID:b\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20261208T090000\r\n"
                             "DTEND:20261208T100000\r\nSUMMARY:Beta\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

// The most this process has held in memory so far.
qint64 PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

class HttpLimits : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(TempPath(QStringLiteral("dbcalndr.sqlite")), error)) << error.toStdString();
        ASSERT_TRUE(store.OpenDatabaseConnection(TempPath(QStringLiteral("dbcalndr.sqlite"))));
    }
    void TearDown() override
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QuillonTest::TearDown();
    }
    // A subscription holding one event from an earlier refresh.
    qint64 Add(const QString &address, Subscription::Kind kind, const QString &user)
    {
        Subscription s;
        s.Address = address;
        s.Type = kind;
        s.UserName = user;
        EXPECT_TRUE(SubscriptionStore(store).AddSubscription(s));
        basDatabase::EventRecord kept;
        kept.EventName = QStringLiteral("kept");
        kept.AllDayEvent = true;
        basDatabase::RefreshCount count;
        EXPECT_TRUE(SubscriptionStore(store).ReplaceEvents(
            s.Id, {basDatabase::IncomingEvent{QStringLiteral("kept"), QStringLiteral("1"), kept, {QDate(2026, 12, 1)}}}, count));
        return s.Id;
    }
    QStringList Names(qint64 id)
    {
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        query.prepare(QStringLiteral("SELECT EventName FROM Events WHERE SubscriptionId = ? ORDER BY EventName"));
        query.addBindValue(id);
        query.exec();
        QStringList names;
        while (query.next())
            names.append(query.value(0).toString());
        return names;
    }
    QStringList Requests() const
    {
        return ReadDataFile(QStringLiteral("requests.log")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    basDatabase::EventStore store;
};

TEST_F(HttpLimits, NoServerCanExhaustStallOrFoolARefreshAndEachFailureSaysWhatHappened)
{
    const auto server = StartFeedServer(DataDir());
    if (server->port == 0)
        GTEST_SKIP() << "python3 cannot run the feed server";
    QFile file(TempPath(QStringLiteral("cal.ics")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kCalendar);
    file.close();
    ASSERT_TRUE(QDir().mkpath(TempPath(QStringLiteral("dav"))));
    ASSERT_TRUE(QFile::copy(file.fileName(), TempPath(QStringLiteral("dav/ab.ics"))));
    const QString local = QStringLiteral("http://127.0.0.1:%1").arg(server->port);
    const QStringList kept{QStringLiteral("kept")};
    const QStringList fetched{QStringLiteral("Alpha"), QStringLiteral("Beta")};

    enum class Ask { Feed, CalDav, Probe };
    const struct {
        const char *address; // on the server, or an address of another computer reached through it
        Ask ask;
        const char *message; // in the outcome's message; empty: a success
        QStringList events;  // of the subscription afterwards
        QStringList requests; // the server's log of the case, when it tells
        bool unencrypted = false;
        const char *user = "";
    } cases[] = {
        {"/endless", Ask::Feed, ": the answer is larger than 32 MB; nothing was changed", kept, {}},
        {"/bomb", Ask::Feed, ": the answer is larger than 32 MB; nothing was changed", kept, {}},
        {"/drip", Ask::Feed, ": the answer was not complete within 2 seconds; the request was stopped", kept, {}},
        {"/short/cal.ics", Ask::Feed, ": the connection ended after 158 of the 317 bytes announced; the answer is incomplete",
         kept, {}},
        {"/reset/cal.ics", Ask::Feed, ": the connection ended after 158 of the 317 bytes announced; the answer is incomplete",
         kept, {}},
        {"/refuse/405/anna/", Ask::Probe,
         ": the server refused the CalDAV request (PROPFIND answered HTTP 405) and gives no calendar at /refuse/405/anna/ "
         "(HTTP 404)",
         {}, {}},
        {"/refuse/403/anna/", Ask::Probe, ": the server refused the CalDAV request (PROPFIND answered HTTP 403)", {}, {}},
        {"/sync/", Ask::CalDav, "", fetched,
         {QStringLiteral("PROPFIND /sync/ 207"), QStringLiteral("REPORT:sync-collection /sync/ 207"),
          QStringLiteral("REPORT:calendar-multiget /sync/ 207")}},
        // Over plain http the password waits for the server to ask; to this computer it
        // goes at once, readable by no one else.
        {"http://calendar.example/auth/cal.ics", Ask::Feed, "", fetched,
         {QStringLiteral("GET /auth/cal.ics 401"), QStringLiteral("GET /auth/cal.ics 200")}, true, "anna"},
        {"/auth/cal.ics", Ask::Feed, "", fetched, {QStringLiteral("GET /auth/cal.ics 200")}, false, "anna"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.address);
        QString address = QLatin1String(c.address);
        if (address.startsWith(QLatin1Char('/'))) {
            address.prepend(local);
            QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        } else {
            QNetworkProxy::setApplicationProxy(
                QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), quint16(server->port)));
        }
        const qsizetype logged = Requests().size();
        basSync::RefreshOptions options;
        options.TotalTimeoutMs = 2000;
        QString message;
        bool unencrypted = false;
        qint64 id = 0;
        const qint64 peakBefore = PeakMegabytes();
        QElapsedTimer clock;
        clock.start();
        if (c.ask == Ask::Probe) {
            basSync::Probe probe;
            basSync::RunOnSyncThread(
                [&] { probe = basSync::ProbeAddress(QUrl(address), QString(), QString(), QString(), options); });
            message = probe.Error;
        } else {
            id = Add(address, c.ask == Ask::CalDav ? Subscription::Kind::CalDav : Subscription::Kind::ICalendar,
                     QLatin1String(c.user));
            basSync::RefreshResult result;
            basSync::RunOnSyncThread([&] {
                basDatabase::EventStore own;
                if (own.OpenDatabaseConnection(TempPath(QStringLiteral("dbcalndr.sqlite"))))
                    result = basSync::Refresh(own, id, QStringLiteral("s3cret pass"), options);
            });
            EXPECT_EQ(result.Ok, *c.message == 0) << result.Message.toStdString();
            message = result.Message;
            unencrypted = result.PasswordSentUnencrypted;
        }
        EXPECT_LT(clock.elapsed(), 30000); // the dripping answer alone would take twelve minutes
        // An answer without end, or unpacked without end, is read no further than the limit.
        EXPECT_LT(PeakMegabytes() - peakBefore, 100);
        if (*c.message != 0) {
            EXPECT_TRUE(message.startsWith(QStringLiteral("127.0.0.1:%1").arg(server->port))
                        && message.contains(QLatin1String(c.message)))
                << message.toStdString();
        } else {
            EXPECT_EQ(message, QString());
        }
        if (id != 0) {
            EXPECT_EQ(Names(id).join(QLatin1String(", ")).toStdString(), c.events.join(QLatin1String(", ")).toStdString());
        }
        if (!c.requests.isEmpty()) {
            EXPECT_EQ(Requests().mid(logged).join(QLatin1String("; ")).toStdString(),
                      c.requests.join(QLatin1String("; ")).toStdString());
        }
        EXPECT_EQ(unencrypted, c.unencrypted);
    }
}

} // namespace

} // namespace quillon

