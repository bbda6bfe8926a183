#include "CalDav.h"

#include "basOperation.h"
#include "DavRequests.h"
#include "HttpSession.h"
#include "SyncTexts.h"

#include <QColor>
#include <QSet>
#include <QXmlStreamReader>

#include <utility>

namespace quillon {

namespace basSync::CalDav {

namespace {

using basOperation::Failure;

const QByteArray kXml = "application/xml; charset=utf-8";

[[noreturn]] void Fail(const HttpReply &reply, const QString &what)
{
    if (!reply.Error.isEmpty())
        throw Failure(basOperation::kDeviceUnavailable, reply.Error);
    throw Failure(basOperation::kDeviceUnavailable,
                  QString::fromUtf8(SyncTexts::kRequestFailed).arg(HttpSession::HostOf(reply.FinalAddress), what).arg(reply.Status));
}

HttpReply Dav(Transport &session, const QByteArray &method, const QUrl &address, const QByteArray &depth,
              const QByteArray &body)
{
    HttpRequest request;
    request.Method = method;
    request.Address = address;
    request.Headers.insert("Content-Type", kXml);
    request.Headers.insert("Depth", depth);
    request.Body = body;
    return session.Send(request);
}

std::optional<Multistatus> Ask(Transport &session, const QByteArray &method, const QUrl &address,
                               const QByteArray &depth, const QByteArray &body)
{
    const HttpReply reply = Dav(session, method, address, depth, body);
    if (reply.Failed != HttpReply::Failure::None)
        Fail(reply, QString::fromLatin1(method));
    if (reply.Status != 207)
        return std::nullopt;
    return ParseMultistatus(reply.Body);
}

// "#RRGGBBAA" (Apple's form) as "#rrggbb".
QString ColorOf(const QString &text)
{
    QString value = text.trimmed();
    if (value.size() == 9 && value.startsWith(QLatin1Char('#')))
        value.chop(2);
    const QColor color = QColor::fromString(value);
    return color.isValid() ? color.name() : QString();
}

bool IsCalendar(const Response &response)
{
    return response.Properties.value(Key(kDav, QStringLiteral("resourcetype")))
        .Children.contains(Key(kCalDav, QStringLiteral("calendar")));
}

// A calendar that says which components it takes must name VEVENT; one that says
// nothing takes any.
bool HoldsEvents(const Response &response)
{
    const auto found = response.Properties.constFind(Key(kCalDav, QStringLiteral("supported-calendar-component-set")));
    return found == response.Properties.cend() || found->Names.contains(QLatin1String("VEVENT"), Qt::CaseInsensitive);
}

bool GrantsWriting(const Response &response)
{
    const QStringList granted = response.Properties.value(Key(kDav, QStringLiteral("current-user-privilege-set"))).Descendants;
    return granted.contains(Key(kDav, QStringLiteral("write"))) || granted.contains(Key(kDav, QStringLiteral("write-content")))
           || granted.contains(Key(kDav, QStringLiteral("all")));
}

Calendar CalendarOf(const QUrl &base, const Response &response)
{
    return Calendar{base.resolved(QUrl(response.Href)),
                    response.Properties.value(Key(kDav, QStringLiteral("displayname"))).Text,
                    ColorOf(response.Properties.value(Key(kApple, QStringLiteral("calendar-color"))).Text),
                    GrantsWriting(response)};
}

QString FirstHref(const Multistatus &status, const QString &property)
{
    for (const Response &response : status.Responses) {
        const auto found = response.Properties.constFind(property);
        if (found != response.Properties.cend() && !found->Hrefs.isEmpty())
            return found->Hrefs.constFirst();
    }
    return QString();
}

// Paths compared as the server may write them: whole or relative, encoded or not.
QString PathOf(const QUrl &calendar, const QString &href)
{
    QString path = calendar.resolved(QUrl(href)).path(QUrl::FullyDecoded);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// Asked in batches: one request naming every event of a large calendar may be refused
// for its size, and its answer is the whole calendar at once.
constexpr qsizetype kMultigetBatch = 100;

// The data of the resources at hrefs. One the server still lists but sends no data for
// fails the whole: taking the others would remove its events here.
QList<Changes::Resource> Multiget(Transport &session, const QUrl &calendar, const QStringList &hrefs)
{
    QList<Changes::Resource> resources;
    for (qsizetype from = 0; from < hrefs.size(); from += kMultigetBatch) {
        const QStringList batch = hrefs.mid(from, kMultigetBatch);
        const QByteArray body = DavRequests::Multiget(batch);
        const std::optional<Multistatus> answer = Ask(session, "REPORT", calendar, "1", body);
        if (!answer)
            throw Failure(basOperation::kDeviceUnavailable,
                          QString::fromUtf8(SyncTexts::kNoMultiget).arg(HttpSession::HostOf(calendar)));
        QSet<QString> answered;
        for (const Response &response : answer->Responses) {
            const auto data = response.Properties.constFind(Key(kCalDav, QStringLiteral("calendar-data")));
            if (response.Status == 200 && data != response.Properties.cend() && !data->Text.isEmpty())
                resources.append({response.Href, response.Properties.value(Key(kDav, QStringLiteral("getetag"))).Text,
                                  data->Text.toUtf8()});
            else if (response.Status != 404) // a 404 is gone since it was listed
                continue;
            answered.insert(PathOf(calendar, response.Href));
        }
        for (const QString &href : batch) {
            if (!answered.contains(PathOf(calendar, href)))
                throw Failure(basOperation::kDeviceUnavailable,
                              QString::fromUtf8(SyncTexts::kNoCalendarData)
                                  .arg(HttpSession::HostOf(calendar), href));
        }
    }
    return resources;
}

// A PROPFIND refused outright, as a server does where it will not speak WebDAV.
bool Refused(int status) { return status == 403 || status == 405 || status == 501; }

[[noreturn]] void FailRefused(const QUrl &address, const QString &what, int status)
{
    throw Failure(basOperation::kDeviceUnavailable,
                  QString::fromUtf8(SyncTexts::kCalDavRefused)
                      .arg(HttpSession::HostOf(address), what)
                      .arg(status));
}

// A PROPFIND of a server that has shown it speaks CalDAV: any answer but 207 is a refusal.
Multistatus AskCalDav(Transport &session, const QUrl &address, const QByteArray &depth)
{
    const HttpReply reply = Dav(session, "PROPFIND", address, depth, DavRequests::DiscoveryPropfind());
    if (reply.Failed != HttpReply::Failure::None)
        Fail(reply, QStringLiteral("PROPFIND"));
    if (reply.Status != 207)
        FailRefused(address, QString::fromUtf8(SyncTexts::kPropfindOf).arg(address.path()), reply.Status);
    std::optional<Multistatus> answer = ParseMultistatus(reply.Body);
    if (!answer)
        throw Failure(basOperation::kDeviceUnavailable, QString::fromUtf8(SyncTexts::kPropfindUnreadable)
                                                            .arg(HttpSession::HostOf(address), address.path()));
    return *answer;
}

// After a refused PROPFIND the address may still be a plain calendar; when it gives none
// either, the refusal is what the user needs to hear.
void CheckRefusal(Transport &session, const QUrl &start, int propfindStatus)
{
    HttpRequest request;
    request.Method = "HEAD";
    request.Address = start;
    const HttpReply reply = session.Send(request);
    // Nothing to tell, or HEAD itself is not taken (then the refresh's GET tells).
    if (reply.Failed != HttpReply::Failure::None || reply.Status < 400 || reply.Status == 405 || reply.Status == 501)
        return;
    throw Failure(basOperation::kDeviceUnavailable,
                  QString::fromUtf8(SyncTexts::kNoCalendarAt)
                      .arg(HttpSession::HostOf(start))
                      .arg(propfindStatus)
                      .arg(start.path())
                      .arg(reply.Status));
}

} // namespace

QString Key(const QString &ns, const QString &name) { return ns + QLatin1Char('|') + name; }

namespace {
// The DAV: elements the reader follows; any other element is Other.
enum class Element { Other, Multistatus, Response, Propstat, Prop, Href, Status, SyncToken };

Element ElementOf(const QXmlStreamReader &reader)
{
    static constexpr struct {
        QLatin1String name;
        Element element;
    } kElements[] = {{QLatin1String("href"), Element::Href},
                     {QLatin1String("response"), Element::Response},
                     {QLatin1String("propstat"), Element::Propstat},
                     {QLatin1String("prop"), Element::Prop},
                     {QLatin1String("status"), Element::Status},
                     {QLatin1String("multistatus"), Element::Multistatus},
                     {QLatin1String("sync-token"), Element::SyncToken}};
    if (reader.namespaceUri() != kDav)
        return Element::Other;
    const QStringView name = reader.name();
    for (const auto &known : kElements) {
        if (name == known.name)
            return known.element;
    }
    return Element::Other;
}

int StatusCode(QStringView line) { return line.trimmed().split(QLatin1Char(' ')).value(1).toInt(); }
} // namespace

// A sync-collection of a large calendar is megabytes of one answer: elements are told
// apart without making a text of each name, and only a property's name is kept as one.
std::optional<Multistatus> ParseMultistatus(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    Multistatus result;
    bool seenRoot = false;
    Response *response = nullptr;
    int propstatStatus = 200;
    QList<std::pair<QString, Property>> pending; // properties of the propstat being read
    const QString calendarData = Key(kCalDav, QStringLiteral("calendar-data"));
    // The path of elements from the root.
    QList<Element> path;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const Element element = ElementOf(reader);
            path.append(element);
            if (!seenRoot) {
                if (element != Element::Multistatus)
                    return std::nullopt;
                seenRoot = true;
            } else if (element == Element::Response && path.size() == 2) {
                result.Responses.append(Response{});
                response = &result.Responses.last();
            } else if (element == Element::Propstat) {
                propstatStatus = 200;
                pending.clear();
            } else if (response && path.size() == 5 && path[3] == Element::Prop) {
                pending.append({Key(reader.namespaceUri().toString(), reader.name().toString()), Property{}});
            } else if (response && path.size() >= 6 && !pending.isEmpty()) {
                const QString key = Key(reader.namespaceUri().toString(), reader.name().toString());
                if (path.size() == 6) {
                    pending.last().second.Children.append(key);
                    const QStringView name = reader.attributes().value(QLatin1String("name"));
                    if (!name.isEmpty())
                        pending.last().second.Names.append(name.toString());
                }
                pending.last().second.Descendants.append(key);
            }
        } else if (reader.isCharacters() && !path.isEmpty()) {
            const QStringView text = reader.text();
            const Element here = path.last();
            if (path.size() == 3 && here == Element::Href && response)
                response->Href += text.trimmed();
            else if (path.size() == 3 && here == Element::Status && response)
                response->Status = StatusCode(text);
            else if (path.size() == 4 && here == Element::Status)
                propstatStatus = StatusCode(text);
            else if (path.size() == 2 && here == Element::SyncToken)
                result.SyncToken += text.trimmed();
            else if (path.size() >= 5 && !pending.isEmpty()) {
                if (path.size() == 5)
                    pending.last().second.Text += text;
                else if (here == Element::Href)
                    pending.last().second.Hrefs.append(text.trimmed().toString());
            }
        } else if (reader.isEndElement() && !path.isEmpty()) {
            const Element element = path.takeLast();
            if (element == Element::Propstat && response) {
                if (propstatStatus == 200) {
                    for (auto &[name, property] : pending) {
                        if (name != calendarData)
                            property.Text = property.Text.trimmed();
                        response->Properties.insert(name, std::move(property));
                    }
                }
                pending.clear();
            } else if (element == Element::Response && path.size() == 1) {
                response = nullptr;
            }
        }
    }
    if (reader.hasError() || !seenRoot)
        return std::nullopt;
    return result;
}

std::optional<QList<Calendar>> Discover(Transport &session, const QUrl &start)
{
    const HttpReply asked = Dav(session, "PROPFIND", start, "0", DavRequests::DiscoveryPropfind());
    if (asked.Failed != HttpReply::Failure::None)
        Fail(asked, QStringLiteral("PROPFIND"));
    std::optional<Multistatus> first = asked.Status == 207 ? ParseMultistatus(asked.Body) : std::nullopt;
    QUrl base = start;
    // The address of a calendar itself: that calendar, whoever the user is (a calendar
    // shared by another user lies outside the user's own calendar home).
    if (first && !first->Responses.isEmpty() && IsCalendar(first->Responses.constFirst()))
        return HoldsEvents(first->Responses.constFirst())
                   ? QList<Calendar>{CalendarOf(start, first->Responses.constFirst())}
                   : QList<Calendar>();
    if (!first || FirstHref(*first, Key(kDav, QStringLiteral("current-user-principal"))).isEmpty()) {
        // RFC 6764: the server's own pointer to its CalDAV root.
        QUrl wellKnown = start;
        wellKnown.setPath(QStringLiteral("/.well-known/caldav"));
        wellKnown.setQuery(QString());
        const HttpReply reply = Dav(session, "PROPFIND", wellKnown, "0", DavRequests::DiscoveryPropfind());
        if (reply.Failed == HttpReply::Failure::Authentication || reply.Failed == HttpReply::Failure::Certificate)
            Fail(reply, QStringLiteral("PROPFIND"));
        if (reply.Failed != HttpReply::Failure::None || reply.Status != 207) {
            if (first)
                return QList<Calendar>();
            if (Refused(asked.Status))
                CheckRefusal(session, start, asked.Status);
            return std::nullopt;
        }
        first = ParseMultistatus(reply.Body);
        base = reply.FinalAddress;
        if (!first)
            return std::nullopt;
    }
    QString home = FirstHref(*first, Key(kCalDav, QStringLiteral("calendar-home-set")));
    if (home.isEmpty()) {
        const QString principal = FirstHref(*first, Key(kDav, QStringLiteral("current-user-principal")));
        if (principal.isEmpty())
            return QList<Calendar>();
        const QUrl principalAddress = base.resolved(QUrl(principal));
        home = FirstHref(AskCalDav(session, principalAddress, "0"), Key(kCalDav, QStringLiteral("calendar-home-set")));
        base = principalAddress;
        if (home.isEmpty())
            return QList<Calendar>();
    }
    const QUrl homeAddress = base.resolved(QUrl(home));
    QList<Calendar> calendars;
    for (const Response &response : AskCalDav(session, homeAddress, "1").Responses) {
        if (IsCalendar(response) && HoldsEvents(response))
            calendars.append(CalendarOf(homeAddress, response));
    }
    return calendars;
}

QString AskColor(Transport &session, const QUrl &calendar)
{
    const HttpReply reply = Dav(session, "PROPFIND", calendar, "0", DavRequests::ColorPropfind());
    if (reply.Failed != HttpReply::Failure::None)
        Fail(reply, QStringLiteral("PROPFIND"));
    const std::optional<Multistatus> answer = reply.Status == 207 ? ParseMultistatus(reply.Body) : std::nullopt;
    if (!answer || answer->Responses.isEmpty())
        return QString();
    return ColorOf(answer->Responses.constFirst().Properties.value(Key(kApple, QStringLiteral("calendar-color"))).Text);
}

Changes AskChanges(Transport &session, const QUrl &calendar, const QString &syncToken,
                   const std::function<QHash<QString, QString>()> &known)
{
    Changes changes;
    const QByteArray syncBody = DavRequests::SyncCollection(syncToken);
    const HttpReply reply = Dav(session, "REPORT", calendar, "0", syncBody);
    if (reply.Failed != HttpReply::Failure::None)
        Fail(reply, QStringLiteral("REPORT"));
    // A token the server no longer knows: start again from nothing.
    if (reply.Status == 403 && !syncToken.isEmpty() && reply.Body.contains("valid-sync-token"))
        return AskChanges(session, calendar, QString(), known);
    if (reply.Status == 207) {
        const std::optional<Multistatus> answer = ParseMultistatus(reply.Body);
        if (!answer)
            throw Failure(basOperation::kDeviceUnavailable,
                          QString::fromUtf8(SyncTexts::kSyncCollectionUnreadable).arg(HttpSession::HostOf(calendar)));
        changes.SyncToken = answer->SyncToken;
        changes.Complete = syncToken.isEmpty();
        // A server may name what changed without its data (or even its ETag): asked for.
        const QString calendarPath = PathOf(calendar, QString());
        for (const Response &response : answer->Responses) {
            if (response.Status == 404) {
                changes.Removed.append(response.Href);
                continue;
            }
            const auto data = response.Properties.constFind(Key(kCalDav, QStringLiteral("calendar-data")));
            const QString etag = response.Properties.value(Key(kDav, QStringLiteral("getetag"))).Text;
            if (data != response.Properties.cend() && !data->Text.isEmpty())
                changes.Changed.append({response.Href, etag, data->Text.toUtf8()});
            else if (!response.Href.isEmpty() && PathOf(calendar, response.Href) != calendarPath)
                changes.Missing.append(response.Href);
        }
        return changes;
    }
    // No sync-collection here: the ETags of every event, compared with the store's.
    const std::optional<Multistatus> listing = Ask(session, "REPORT", calendar, "1", DavRequests::EventEtagsQuery());
    if (!listing)
        throw Failure(basOperation::kDeviceUnavailable,
                      QString::fromUtf8(SyncTexts::kNoListing)
                          .arg(HttpSession::HostOf(calendar)));
    changes.Complete = true;
    const QHash<QString, QString> etags = known();
    for (const Response &response : listing->Responses) {
        const QString etag = response.Properties.value(Key(kDav, QStringLiteral("getetag"))).Text;
        if (response.Status == 200 && (!etags.contains(response.Href) || etags.value(response.Href) != etag))
            changes.Missing.append(response.Href);
        else if (response.Status == 200)
            changes.Changed.append({response.Href, etag, QByteArray()}); // unchanged: no data needed
    }
    return changes;
}

void FetchItems(Transport &session, const QUrl &calendar, Changes &changes)
{
    changes.Changed += Multiget(session, calendar, std::exchange(changes.Missing, {}));
}

} // namespace basSync::CalDav

} // namespace quillon
