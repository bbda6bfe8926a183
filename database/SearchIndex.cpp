#include "SearchIndex.h"

#include "StoreQuery.h"

#include "EventStore.h"

#include "basConnection.h"
#include "basOperation.h"
#include "basStoredForms.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace quillon {

namespace basDatabase {

namespace {

using basOperation::Failure;
using basOperation::Steps;

using StoreQuery::Connection;
using StoreQuery::Run;

// A word as a LIKE pattern that finds it anywhere: its own % and _ (and the escape
// itself) stand for themselves.
QString ContainsPattern(const QString &word)
{
    QString escaped;
    escaped.reserve(word.size() + 2);
    escaped += QLatin1Char('%');
    for (const QChar c : word) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    escaped += QLatin1Char('%');
    return escaped;
}

// The trigram index finds only runs of three characters or more: those words, each a
// quoted string (its own quotes doubled), so that nothing a user types is query syntax.
// Empty when no word is long enough.
QString TrigramQuery(const QStringList &words)
{
    QStringList phrases;
    for (const QString &word : words) {
        if (word.toUcs4().size() < 3)
            continue;
        phrases.append(QLatin1Char('"') + QString(word).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"'));
    }
    return phrases.join(QLatin1Char(' '));
}

} // namespace

bool SearchIndex::GetUnindexed(QList<Unindexed> &events)
{
    events.clear();
    return basOperation::Trap("basSearchIndex.GetUnindexed", false, [&](Steps &step) {
        step(10);
        // The series text of an event is the one kept under its UID less any part number,
        // as the store finds it.
        QSqlQuery query = Run(m_store, QStringLiteral(
            "SELECT e.EventID, e.EventName, e.Notes, s.Component FROM Events e "
            "LEFT JOIN EventUids u ON u.EventId = e.EventID "
            "LEFT JOIN Series s ON s.Source = u.Source AND s.Uid = "
            "CASE WHEN instr(u.Uid, char(31)) > 0 THEN substr(u.Uid, 1, instr(u.Uid, char(31)) - 1) ELSE u.Uid END "
            "WHERE NOT EXISTS (SELECT 1 FROM SearchTexts t WHERE t.EventId = e.EventID) ORDER BY e.EventID"));
        step(20);
        while (query.next())
            events.append(Unindexed{query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toString(),
                                    query.value(3).toString().toUtf8()});
        return true;
    });
}

bool SearchIndex::AllIndexed(bool &all)
{
    all = false;
    return basOperation::Trap("basSearchIndex.AllIndexed", false, [&](Steps &step) {
        step(10);
        QSqlQuery query = Run(m_store, QStringLiteral("SELECT (SELECT count(*) FROM Events) = (SELECT count(*) FROM SearchTexts)"));
        all = query.next() && query.value(0).toInt() == 1;
        return true;
    });
}

bool SearchIndex::SetEntries(const QList<Entry> &entries)
{
    if (entries.isEmpty())
        return true;
    return m_store.RunInTransaction([&] {
        return basOperation::Trap("basSearchIndex.SetEntries", false, [&](Steps &step) {
            step(10);
            QSqlQuery insert(Connection(m_store));
            // An event deleted meanwhile (by another program) gets no row.
            basConnection::Prepare(insert, QStringLiteral(
                "INSERT OR REPLACE INTO SearchTexts (EventId, Folded, Place, Trigrams) "
                "SELECT ?, ?, ?, 0 WHERE EXISTS (SELECT 1 FROM Events WHERE EventID = ?)"));
            step(20);
            for (const Entry &entry : entries) {
                insert.bindValue(0, entry.EventId);
                insert.bindValue(1, entry.Folded.isNull() ? QStringLiteral("") : entry.Folded);
                insert.bindValue(2, entry.Place.isNull() ? QStringLiteral("") : entry.Place);
                insert.bindValue(3, entry.EventId);
                basConnection::Exec(insert);
            }
            step(30);
            if (HasTrigramIndex()) {
                // Rows of events gone since.
                Run(m_store, QStringLiteral("DELETE FROM SearchTrigrams WHERE rowid NOT IN (SELECT EventId FROM SearchTexts)"));
                CatchUpTrigrams();
            }
            return true;
        });
    });
}

void SearchIndex::CatchUpTrigrams()
{
    Run(m_store, QStringLiteral("DELETE FROM SearchTrigrams WHERE rowid IN (SELECT EventId FROM SearchTexts WHERE Trigrams = 0)"));
    Run(m_store, QStringLiteral("INSERT INTO SearchTrigrams (rowid, Folded) SELECT EventId, Folded FROM SearchTexts WHERE Trigrams = 0"));
    Run(m_store, QStringLiteral("UPDATE SearchTexts SET Trigrams = 1 WHERE Trigrams = 0"));
}

bool SearchIndex::HasTrigramIndex()
{
    if (!m_trigramsAllowed)
        return false;
    if (m_hasTrigrams < 0) {
        m_hasTrigrams = basOperation::TrapSilently(0, [&](Steps &) {
            QSqlQuery table = Run(m_store, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'SearchTrigrams'"));
            if (!table.next())
                return 0;
            table.finish();
            // A SQLite without the module cannot even prepare a read of it.
            Run(m_store, QStringLiteral("SELECT rowid FROM SearchTrigrams LIMIT 0"));
            return 1;
        });
    }
    return m_hasTrigrams == 1;
}

bool SearchIndex::Find(const QStringList &words, QDate today, int limit, QList<Hit> &hits, int *total)
{
    hits.clear();
    if (total)
        *total = 0;
    if (words.isEmpty() || limit <= 0)
        return true;
    QList<Hit> found;
    int count = 0;
    const bool done = basOperation::Trap("basSearchIndex.Find", false, [&](Steps &step) {
        step(10);
        const QStringList looked = words.mid(0, kMostWords);
        const bool trigrams = HasTrigramIndex();
        const QString match = trigrams ? TrigramQuery(looked) : QString();
        if (trigrams) {
            step(20);
            // Texts written where the module was missing go into the index first.
            QSqlQuery pending = Run(m_store, QStringLiteral("SELECT 1 FROM SearchTexts WHERE Trigrams = 0 LIMIT 1"));
            if (pending.next()) {
                pending.finish();
                if (!m_store.RunInTransaction([&] {
                        CatchUpTrigrams();
                        return true;
                    }))
                    return false;
            }
        }
        step(30);
        // The statement has one placeholder per word; the words themselves are only bound.
        // Found is worked out once (MATERIALIZED): each event's next and last day, read
        // through the key of EventDates. Only the first limit of them, by day, are joined
        // with their events and ordered within their day. A hidden calendar's events are
        // not found, and a calendar's colour goes to its events without one, as in the views.
        QString sql = QStringLiteral(
            "WITH Found AS MATERIALIZED (SELECT s.EventId, s.Place, "
            "(SELECT min(d.EventDate) FROM EventDates d WHERE d.EventId = s.EventId AND d.EventDate >= ?) AS NextDate, "
            "(SELECT max(d.EventDate) FROM EventDates d WHERE d.EventId = s.EventId) AS LastDate "
            "FROM SearchTexts s WHERE s.EventId NOT IN (SELECT h.EventID FROM Events h JOIN Subscriptions c "
            "ON c.SubscriptionId = h.SubscriptionId WHERE NOT %1) AND ").arg(StoreQuery::CalendarShown(QStringLiteral("c")));
        QList<QVariant> values{basStoredForms::DateText(today)};
        if (!match.isEmpty()) {
            sql += QStringLiteral("s.EventId IN (SELECT rowid FROM SearchTrigrams WHERE SearchTrigrams MATCH ?) AND ");
            values.append(match);
        }
        for (qsizetype i = 0; i < looked.size(); ++i) {
            sql += (i == 0 ? QString() : QStringLiteral(" AND ")) + QStringLiteral("s.Folded LIKE ? ESCAPE '\\'");
            values.append(ContainsPattern(looked[i]));
        }
        const QString byDay = QStringLiteral("f.NextDate IS NULL, COALESCE(f.NextDate, ''), "
                                             "COALESCE(CASE WHEN f.NextDate IS NULL THEN f.LastDate END, '') DESC");
        sql += QStringLiteral("), Dated AS (SELECT * FROM Found WHERE LastDate IS NOT NULL), "
                              "First AS (SELECT * FROM Dated f ORDER BY %1, f.EventId LIMIT ?) "
                              "SELECT f.EventId, COALESCE(f.NextDate, f.LastDate), f.NextDate IS NULL, e.EventName, "
                              "e.AllDayEvent, e.StartTime, e.EndTime, %2, f.Place, (SELECT count(*) FROM Dated) "
                              "FROM First f JOIN Events e ON e.EventID = f.EventId "
                              "LEFT JOIN Subscriptions c ON c.SubscriptionId = e.SubscriptionId "
                              "ORDER BY %1, e.AllDayEvent DESC, e.StartTime, e.EventID")
                   .arg(byDay, StoreQuery::ShownColor(QStringLiteral("e"), QStringLiteral("c")));
        values.append(limit);
        step(40);
        QSqlQuery query = Run(m_store, sql, values);
        step(50);
        while (query.next()) {
            Hit hit;
            hit.EventId = query.value(0).toLongLong();
            hit.Date = basStoredForms::ReadDate(query.value(1));
            hit.Past = query.value(2).toInt() != 0;
            hit.EventName = query.value(3).toString();
            hit.AllDayEvent = query.value(4).toInt() != 0;
            hit.StartTime = basStoredForms::ReadTime(query.value(5));
            hit.EndTime = basStoredForms::ReadTime(query.value(6));
            hit.EventColor = query.value(7).toString();
            hit.Place = query.value(8).toString();
            count = query.value(9).toInt();
            found.append(hit);
        }
        return true;
    });
    if (done) {
        hits = std::move(found);
        if (total)
            *total = count;
    }
    return done;
}

} // namespace basDatabase

} // namespace quillon
