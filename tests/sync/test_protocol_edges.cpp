// Answers of a CalDAV server that the real servers of the other tests never give, from a
// scripted server in place of the network: a write answered without an ETag, a 412 to
// a change and to a delete, a sync token the server has forgotten, an item listed but
// never sent. Each request is checked as it arrives (method, path, headers, and its
// XML read back).
#include "EventService.h"
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "SubscriptionStore.h"
#include "Transport.h"
#include "basSchema.h"
#include "basSync.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QXmlStreamReader>

#include <string>

namespace quillon {

namespace {

using basSync::HttpReply;
using basSync::HttpRequest;

const QString kNotSent = QStringLiteral(" (my change, not sent)");

// Answers each request with the next step of its script; a request the script does not
// expect next is answered 599 and named in unexpected.
class ScriptedServer : public basSync::Transport {
public:
    struct Step {
        QByteArray Method;
        HttpReply Reply;
    };
    void Expect(const QByteArray &method, int status, const QByteArray &body = {}, const QByteArray &etag = {})
    {
        HttpReply reply;
        reply.Status = status;
        reply.Body = body;
        if (!etag.isEmpty())
            reply.Headers.insert("etag", etag);
        script.append({method, reply});
    }
    HttpReply Send(const HttpRequest &request) override
    {
        asked.append(request);
        if (script.isEmpty() || script.constFirst().Method != request.Method || !request.Address.path().startsWith(kPath)) {
            unexpected << QString::fromLatin1(request.Method) + QLatin1Char(' ') + request.Address.path();
            HttpReply refused;
            refused.Status = 599;
            return refused;
        }
        HttpReply reply = script.takeFirst().Reply;
        reply.FinalAddress = request.Address;
        return reply;
    }
    int RequestsSent() const override { return int(asked.size()); }

    static inline const QString kPath = QStringLiteral("/cal/");
    QList<Step> script;
    QList<HttpRequest> asked;
    QStringList unexpected;
};

QByteArray Calendar(const QByteArray &uid, const QByteArray &summary)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\nBEGIN:VEVENT\r\nUID:" + uid
           + "\r\nDTSTAMP:20270101T000000Z\r\nDTSTART:20270503T090000Z\r\nDTEND:20270503T100000Z\r\nSUMMARY:" + summary
           + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// A sync-collection answer: the resources (path, ETag, text) and the new token.
QByteArray Listing(const QList<std::tuple<QString, QByteArray, QByteArray>> &resources, const QString &token)
{
    QByteArray xml = "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">";
    for (const auto &[href, etag, data] : resources) {
        xml += "<d:response><d:href>" + href.toUtf8() + "</d:href><d:propstat><d:prop><d:getetag>" + QString::fromUtf8(etag).toHtmlEscaped().toUtf8()
               + "</d:getetag>" + (data.isEmpty() ? QByteArray() : "<c:calendar-data>" + data + "</c:calendar-data>")
               + "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
    }
    return xml + "<d:sync-token>" + token.toHtmlEscaped().toUtf8() + "</d:sync-token></d:multistatus>";
}

// The answer to a PROPFIND of the calendar's colour; none when empty.
QByteArray State(const QByteArray &color = {})
{
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" xmlns:a=\"http://apple.com/ns/ical/\"><d:response>"
           "<d:href>/cal/</d:href><d:propstat><d:prop>"
           + (color.isEmpty() ? QByteArray() : "<a:calendar-color>" + color + "</a:calendar-color>")
           + "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response></d:multistatus>";
}

// The text of the first element named name in a request's XML body; null when the body
// is not well-formed or has none.
QString ElementText(const QByteArray &body, const QString &name)
{
    QXmlStreamReader reader(body);
    QString found;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && found.isNull() && reader.name() == name)
            found = reader.readElementText();
    }
    return reader.hasError() ? QString() : found;
}

class ProtocolEdges : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(TempPath(QStringLiteral("dbcalndr.sqlite")), error)) << error.toStdString();
        ASSERT_TRUE(store.OpenDatabaseConnection(TempPath(QStringLiteral("dbcalndr.sqlite"))));
        basDatabase::Subscription subscription;
        subscription.Address = QStringLiteral("http://dav.test") + ScriptedServer::kPath;
        subscription.Type = basDatabase::Subscription::Kind::CalDav;
        subscription.Writable = true;
        ASSERT_TRUE(basDatabase::SubscriptionStore(store).AddSubscription(subscription));
        id = subscription.Id;
    }
    // A refresh over the script; the script must be used up and nothing else asked.
    basSync::RefreshResult Refresh()
    {
        const basSync::RefreshResult result = basSync::Refresh(store, id, server);
        EXPECT_TRUE(server.unexpected.isEmpty()) << server.unexpected.join(QLatin1Char(',')).toStdString();
        EXPECT_TRUE(server.script.isEmpty());
        server.unexpected.clear();
        return result;
    }
    // The events of May 2027 by name.
    QMap<QString, Event> Events()
    {
        QMap<QString, Event> events;
        const std::optional<QList<Event>> found = EventService(store).Between(QDate(2027, 5, 1), QDate(2027, 5, 31));
        EXPECT_TRUE(found);
        for (const Event &event : found.value_or(QList<Event>{}))
            events.insert(event.EventName, event);
        return events;
    }
    std::string Names() { return Events().keys().join(QStringLiteral(" | ")).toStdString(); }
    basDatabase::Subscription Row()
    {
        basDatabase::Subscription row;
        EXPECT_TRUE(basDatabase::SubscriptionStore(store).GetSubscription(id, row));
        return row;
    }

    basDatabase::EventStore store;
    ScriptedServer server;
    qint64 id = 0;
};

TEST_F(ProtocolEdges, WritesWithoutAnETagAndLostRacesKeepBothSides)
{
    // A token that needs escaping goes back as it came.
    const QString token = QStringLiteral("tok&<1>");
    server.Expect("PROPFIND", 207, State());
    server.Expect("REPORT", 207, Listing({}, token));
    ASSERT_TRUE(Refresh().Ok);

    // Made here; the server answers the PUT without an ETag: fetched.
    EventService events(store);
    Event made;
    made.EventName = QStringLiteral("Review");
    made.StartTime = QTime(9, 0);
    made.EndTime = QTime(10, 0);
    made.Dates = {QDate(2027, 5, 3)};
    made.Calendar = id;
    const std::optional<EventService::Saved> saved = events.Save(made);
    ASSERT_TRUE(saved);
    server.Expect("PUT", 201);
    server.Expect("GET", 200, {}, "\"e1\"");
    server.Expect("PROPFIND", 207, State());
    server.Expect("REPORT", 207, Listing({}, QStringLiteral("t2")));
    basSync::RefreshResult result = Refresh();
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(result.Sent, 1);
    ASSERT_EQ(server.asked.size(), 6);
    EXPECT_EQ(server.asked[2].Headers.value("If-None-Match"), "*");
    EXPECT_EQ(ElementText(server.asked[5].Body, QStringLiteral("sync-token")), token);
    const QString href = server.asked[2].Address.path();
    static const QRegularExpression kUid(QStringLiteral("\nUID:([^\r\n]+)"));
    const QByteArray uid = kUid.match(QString::fromUtf8(server.asked[2].Body)).captured(1).toUtf8();
    ASSERT_FALSE(uid.isEmpty());

    // Renamed here and there: the change goes with the fetched ETag, loses, and is kept.
    made = *events.Load(saved->EventID);
    made.EventName = QStringLiteral("Review here");
    ASSERT_TRUE(events.Save(made));
    const QByteArray theirs = Calendar(uid, "Review there");
    server.Expect("PUT", 412);
    server.Expect("GET", 200, theirs, "\"e2\"");
    server.Expect("PROPFIND", 207, State());
    server.Expect("REPORT", 207, Listing({{href, "\"e2\"", theirs}}, QStringLiteral("t3")));
    result = Refresh();
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(server.asked[6].Headers.value("If-Match"), "\"e1\"");
    EXPECT_EQ(Names(), "Review here" + kNotSent.toStdString() + " | Review there");
    EXPECT_EQ(Events().value(QStringLiteral("Review here") + kNotSent).Calendar, 0); // this computer's

    // Deleted here while changed there again: it stays, and says so.
    ASSERT_TRUE(events.DeleteSeries(Events().value(QStringLiteral("Review there")).EventID));
    const QByteArray again = Calendar(uid, "Review there again");
    server.Expect("DELETE", 412);
    server.Expect("GET", 200, again, "\"e3\"");
    server.Expect("PROPFIND", 207, State());
    server.Expect("REPORT", 207, Listing({{href, "\"e3\"", again}}, QStringLiteral("t4")));
    result = Refresh();
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(server.asked[10].Headers.value("If-Match"), "\"e2\"");
    EXPECT_TRUE(result.Message.contains(href + QStringLiteral(" was changed on the server; it stays, not deleted")))
        << result.Message.toStdString();
    EXPECT_EQ(Names(), "Review here" + kNotSent.toStdString() + " | Review there again");
}

TEST_F(ProtocolEdges, AForgottenTokenStartsAgainAndAnItemNeverSentChangesNothing)
{
    const QString first = ScriptedServer::kPath + QStringLiteral("first.ics");
    server.Expect("PROPFIND", 207, State());
    server.Expect("REPORT", 207, Listing({{first, "\"a\"", Calendar("first", "First")}}, QStringLiteral("old")));
    ASSERT_TRUE(Refresh().Ok);

    // The token is forgotten: asked again from nothing, and what the answer leaves out goes.
    const QString second = ScriptedServer::kPath + QStringLiteral("second.ics");
    server.Expect("PROPFIND", 207, State());
    server.Expect("REPORT", 403, "<d:error xmlns:d=\"DAV:\"><d:valid-sync-token/></d:error>");
    server.Expect("REPORT", 207, Listing({{second, "\"b\"", Calendar("second", "Second")}}, QStringLiteral("new")));
    basSync::RefreshResult result = Refresh();
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(ElementText(server.asked[3].Body, QStringLiteral("sync-token")), QStringLiteral("old"));
    EXPECT_EQ(ElementText(server.asked[4].Body, QStringLiteral("sync-token")), QString(""));
    EXPECT_EQ(Names(), "Second");

    // Named without its data, and then not sent by calendar-multiget either: nothing changes.
    server.Expect("PROPFIND", 207, State());
    server.Expect("REPORT", 207,
                  Listing({{second, "\"b2\"", {}}, {ScriptedServer::kPath + QStringLiteral("third.ics"), "\"c\"", {}}},
                          QStringLiteral("newer")));
    server.Expect("REPORT", 207, Listing({{second, "\"b2\"", Calendar("second", "Second changed")}}, QString()));
    result = Refresh();
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(ElementText(server.asked[7].Body, QStringLiteral("href")), second);
    EXPECT_TRUE(result.Message.contains(QStringLiteral("lists /cal/third.ics but sends no calendar data for it")))
        << result.Message.toStdString();
    EXPECT_EQ(Names(), "Second");
}

// Each step's requests in order: the change sent, the calendar's colour asked, its
// changes, the data those left out.
TEST_F(ProtocolEdges, ARefreshSendsThenAsksTheCalendarThenItsChangesThenTheirData)
{
    const QString first = ScriptedServer::kPath + QStringLiteral("first.ics");
    server.Expect("PROPFIND", 207, State());
    server.Expect("REPORT", 207, Listing({{first, "\"a\"", {}}}, QStringLiteral("t1")));
    server.Expect("REPORT", 207, Listing({{first, "\"a\"", Calendar("first", "First")}}, QString()));
    basSync::RefreshResult result = Refresh();
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    EXPECT_EQ(server.asked[0].Headers.value("Depth"), "0");
    EXPECT_EQ(ElementText(server.asked[0].Body, QStringLiteral("calendar-color")), QString(""));
    EXPECT_EQ(ElementText(server.asked[2].Body, QStringLiteral("href")), first);
    EXPECT_EQ(Names(), "First");

    EventService events(store);
    Event event = *events.Load(Events().value(QStringLiteral("First")).EventID);
    event.EventName = QStringLiteral("First, renamed");
    ASSERT_TRUE(events.Save(event));
    server.Expect("PUT", 204, {}, "\"a2\"");
    server.Expect("PROPFIND", 207, State());
    server.Expect("REPORT", 207, Listing({}, QStringLiteral("t2")));
    ASSERT_TRUE(Refresh().Ok);
    QStringList order;
    for (const HttpRequest &request : std::as_const(server.asked))
        order << QString::fromLatin1(request.Method);
    EXPECT_EQ(order.join(QLatin1Char(' ')), QStringLiteral("PROPFIND REPORT REPORT PUT PROPFIND REPORT"));
    EXPECT_EQ(ElementText(server.asked[5].Body, QStringLiteral("sync-token")), QStringLiteral("t1"));
    EXPECT_EQ(Names(), "First, renamed");
}

// The server's colour is the calendar's until the user chooses one here. One from before
// the store knew who chose it stays, unless it is the server's already.
TEST_F(ProtocolEdges, TheServersColourFollowsUntilTheUserChoosesOne)
{
    const auto refreshWith = [&](const QByteArray &color) {
        server.Expect("PROPFIND", 207, State(color));
        server.Expect("REPORT", 207, Listing({}, QStringLiteral("t1")));
        EXPECT_TRUE(Refresh().Ok);
        return Row().Color;
    };
    EXPECT_EQ(refreshWith("#112233FF"), QStringLiteral("#112233"));
    EXPECT_EQ(refreshWith("#445566"), QStringLiteral("#445566"));
    ASSERT_TRUE(basSync::SetCalendarColor(store, id, QStringLiteral("#00aa00")));
    EXPECT_EQ(refreshWith("#778899"), QStringLiteral("#00aa00"));

    const auto fromBefore = [&](const QString &color) {
        QSqlQuery query(QSqlDatabase::database(store.ConnectionName()));
        ASSERT_TRUE(query.exec(QStringLiteral("UPDATE Subscriptions SET ColorChosen = NULL, Color = '%1'").arg(color)));
    };
    fromBefore(QStringLiteral("#00aa00"));
    EXPECT_EQ(refreshWith("#778899"), QStringLiteral("#00aa00"));
    EXPECT_EQ(refreshWith("#abcdef"), QStringLiteral("#00aa00"));
    fromBefore(QStringLiteral("#778899"));
    EXPECT_EQ(refreshWith("#778899"), QStringLiteral("#778899"));
    EXPECT_EQ(refreshWith("#abcdef"), QStringLiteral("#abcdef"));
}

// The address of a calendar itself, shared with the user from outside their own calendar
// home (as Radicale answers for any user name when it keeps no accounts): that calendar.
TEST_F(ProtocolEdges, ACalendarsOwnAddressIsThatCalendarWhoeverTheUserIs)
{
    server.Expect("PROPFIND", 207,
                  "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                  "<d:response><d:href>/cal/</d:href><d:propstat><d:prop>"
                  "<d:current-user-principal><d:href>/anyone/</d:href></d:current-user-principal>"
                  "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>Work</d:displayname>"
                  "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response></d:multistatus>");
    const std::optional<QList<basSync::CalDav::Calendar>> found =
        basSync::CalDav::Discover(server, QUrl(QStringLiteral("http://127.0.0.1:1/cal/")));
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 1);
    EXPECT_EQ(found->first().DisplayName, QStringLiteral("Work"));
    EXPECT_EQ(found->first().Address.path(), QStringLiteral("/cal/"));
    EXPECT_TRUE(server.unexpected.isEmpty()) << server.unexpected.join(QLatin1Char(' ')).toStdString();
}

} // namespace

} // namespace quillon
