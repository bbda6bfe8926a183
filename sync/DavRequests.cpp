#include "DavRequests.h"

#include "CalDav.h"

#include <QXmlStreamWriter>

#include <functional>

namespace quillon {

namespace basSync::DavRequests {

namespace {

// A document whose root is root (in ns), with the DAV: and CalDAV prefixes declared on it.
QByteArray Document(const QString &ns, const QString &root, const std::function<void(QXmlStreamWriter &)> &inside)
{
    QByteArray body;
    QXmlStreamWriter xml(&body);
    xml.writeStartDocument();
    xml.writeNamespace(CalDav::kDav, QStringLiteral("d"));
    xml.writeNamespace(CalDav::kCalDav, QStringLiteral("c"));
    xml.writeNamespace(CalDav::kApple, QStringLiteral("a"));
    xml.writeStartElement(ns, root);
    inside(xml);
    xml.writeEndElement();
    xml.writeEndDocument();
    return body;
}

void EtagAndData(QXmlStreamWriter &xml)
{
    xml.writeStartElement(CalDav::kDav, QStringLiteral("prop"));
    xml.writeEmptyElement(CalDav::kDav, QStringLiteral("getetag"));
    xml.writeEmptyElement(CalDav::kCalDav, QStringLiteral("calendar-data"));
    xml.writeEndElement();
}

} // namespace

QByteArray DiscoveryPropfind()
{
    return Document(CalDav::kDav, QStringLiteral("propfind"), [](QXmlStreamWriter &xml) {
        xml.writeStartElement(CalDav::kDav, QStringLiteral("prop"));
        xml.writeEmptyElement(CalDav::kDav, QStringLiteral("current-user-principal"));
        xml.writeEmptyElement(CalDav::kCalDav, QStringLiteral("calendar-home-set"));
        xml.writeEmptyElement(CalDav::kDav, QStringLiteral("resourcetype"));
        xml.writeEmptyElement(CalDav::kDav, QStringLiteral("displayname"));
        xml.writeEmptyElement(CalDav::kApple, QStringLiteral("calendar-color"));
        xml.writeEmptyElement(CalDav::kDav, QStringLiteral("current-user-privilege-set"));
        xml.writeEmptyElement(CalDav::kCalDav, QStringLiteral("supported-calendar-component-set"));
        xml.writeEndElement();
    });
}

QByteArray ColorPropfind()
{
    return Document(CalDav::kDav, QStringLiteral("propfind"), [](QXmlStreamWriter &xml) {
        xml.writeStartElement(CalDav::kDav, QStringLiteral("prop"));
        xml.writeEmptyElement(CalDav::kApple, QStringLiteral("calendar-color"));
        xml.writeEndElement();
    });
}

QByteArray SyncCollection(const QString &token)
{
    return Document(CalDav::kDav, QStringLiteral("sync-collection"), [&](QXmlStreamWriter &xml) {
        xml.writeTextElement(CalDav::kDav, QStringLiteral("sync-token"), token);
        xml.writeTextElement(CalDav::kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
        EtagAndData(xml);
    });
}

QByteArray EventEtagsQuery()
{
    return Document(CalDav::kCalDav, QStringLiteral("calendar-query"), [](QXmlStreamWriter &xml) {
        xml.writeStartElement(CalDav::kDav, QStringLiteral("prop"));
        xml.writeEmptyElement(CalDav::kDav, QStringLiteral("getetag"));
        xml.writeEndElement();
        xml.writeStartElement(CalDav::kCalDav, QStringLiteral("filter"));
        xml.writeStartElement(CalDav::kCalDav, QStringLiteral("comp-filter"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("VCALENDAR"));
        xml.writeStartElement(CalDav::kCalDav, QStringLiteral("comp-filter"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("VEVENT"));
        // Every event the suite can keep, whenever it falls.
        xml.writeEmptyElement(CalDav::kCalDav, QStringLiteral("time-range"));
        xml.writeAttribute(QStringLiteral("start"), QStringLiteral("19000101T000000Z"));
        xml.writeAttribute(QStringLiteral("end"), QStringLiteral("21010101T000000Z"));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

QByteArray Multiget(const QStringList &hrefs)
{
    return Document(CalDav::kCalDav, QStringLiteral("calendar-multiget"), [&](QXmlStreamWriter &xml) {
        EtagAndData(xml);
        for (const QString &href : hrefs)
            xml.writeTextElement(CalDav::kDav, QStringLiteral("href"), href);
    });
}

} // namespace basSync::DavRequests

} // namespace quillon
