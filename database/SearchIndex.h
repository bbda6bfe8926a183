// The search over every event's name, notes and place, in the store: the folded texts
// (SearchTexts, made by the caller, who knows how to fold and where a place is written)
// and the query that finds events holding every word. Where the file has the trigram
// index (FTS5), it narrows the rows first; the same LIKE decides in either case, so both
// find the same. It works on an open EventStore's connection. Each operation returns true
// when done; on failure it reports once (under "basSearchIndex.<operation>") and returns
// false.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

namespace quillon {

namespace basDatabase {

class EventStore;

class SearchIndex {
public:
    // Words beyond this many are not looked for.
    static constexpr int kMostWords = 8;

    explicit SearchIndex(EventStore &store) : m_store(store) {}

    // An event whose folded text is missing or out of date: what it is made from.
    struct Unindexed {
        qint64 EventId = 0;
        QString EventName;
        QString Notes;
        QByteArray Component; // the kept iCalendar text of its series; empty when none
    };
    bool GetUnindexed(QList<Unindexed> &events);
    // Whether every event has its folded text: the cheap look before GetUnindexed. A
    // text goes with its event (the key's cascade), so equal counts mean none is missing.
    bool AllIndexed(bool &all);

    struct Entry {
        qint64 EventId = 0;
        QString Folded; // what the words are looked for in
        QString Place;  // as shown
    };
    // Stores the entries in one transaction, each replacing the event's earlier one, and
    // brings the trigram index up to date.
    bool SetEntries(const QList<Entry> &entries);

    // One event found, on its next day from today on, or else on its last day.
    struct Hit {
        qint64 EventId = 0;
        QDate Date;
        bool Past = false; // no day from today on
        QString EventName;
        bool AllDayEvent = false;
        QTime StartTime;
        QTime EndTime;
        QString EventColor;
        QString Place;
    };
    // The events whose folded text holds every one of the words (already folded): those
    // to come first, by their next day, then those past, the latest first; within a day
    // all-day events first, then by start (of a day cut by the limit, those kept are the
    // first by id). At most limit of them; total (when given) is how many there are in
    // all. No words find nothing.
    bool Find(const QStringList &words, QDate today, int limit, QList<Hit> &hits, int *total = nullptr);

    // Whether the file has the trigram index and this SQLite can read it.
    bool HasTrigramIndex();

    // For a test or a look at the difference: Find by LIKE alone, as without FTS5.
    void SetTrigramIndexUsed(bool used) { m_trigramsAllowed = used; }

private:
    // Copies the folded texts the trigram index lacks into it (a file written where the
    // module was missing); drops what belongs to no event any more.
    void CatchUpTrigrams();

    EventStore &m_store;
    bool m_trigramsAllowed = true;
    int m_hasTrigrams = -1; // unknown until asked
};

} // namespace basDatabase

} // namespace quillon
