#include "basStoreCheck.h"

#include "basConnection.h"
#include "basOperation.h"
#include "basStoredForms.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace quillon {

namespace basStoreCheck {

namespace {

using basConnection::ExecuteStatement;
using basConnection::Exec;
using basConnection::Prepare;
using basOperation::Failure;

// SQLite's date() with a modifier gives back exactly the text of a well-formed ISO
// date, and something else (or null) for anything that is not one; the modifier makes
// it roll 2026-02-30 over to March instead of passing it through.
constexpr auto kNotADate = "date(%1, '+0 days') IS NOT %1";

QString NotADate(const char *column) { return QString::fromLatin1(kNotADate).arg(QLatin1String(column)); }

// Collects at most a screenful of lines of one kind, then counts the rest.
class Findings {
public:
    explicit Findings(QStringList &out) : m_out(out) {}
    void Add(const QString &line)
    {
        if (m_shown < kShown)
            m_out.append(line);
        ++m_shown;
        ++total;
    }
    void End(const QString &kind)
    {
        if (m_shown > kShown)
            m_out.append(QStringLiteral("... and %1 more %2").arg(m_shown - kShown).arg(kind));
        m_shown = 0;
    }
    int total = 0;

private:
    static constexpr int kShown = 50;
    QStringList &m_out;
    int m_shown = 0;
};

void FindWrongCounts(const QSqlDatabase &db, Findings &findings)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    Prepare(query, QStringLiteral("SELECT d.DateKey, d.EventCount, "
                                  "(SELECT COUNT(*) FROM EventDates e WHERE e.EventDate = d.DateKey) AS Actual "
                                  "FROM Dates d WHERE d.EventCount IS NULL OR d.EventCount < 0 OR d.EventCount <> Actual "
                                  "ORDER BY d.DateKey"));
    Exec(query);
    while (query.next()) {
        const QVariant count = query.value(1);
        const QString shown = count.isNull() ? QStringLiteral("missing") : count.toString();
        const QString kind = !count.isNull() && count.toLongLong() < 0 ? QStringLiteral("negative ") : QString();
        findings.Add(QStringLiteral("Dates %1: %2EventCount %3, but %4 EventDates rows")
                         .arg(query.value(0).toString(), kind, shown, query.value(2).toString()));
    }
    findings.End(QStringLiteral("wrong counts"));

    Prepare(query, QStringLiteral("SELECT e.EventDate, COUNT(*) FROM EventDates e "
                                  "WHERE NOT EXISTS (SELECT 1 FROM Dates d WHERE d.DateKey = e.EventDate) AND NOT ")
                       + NotADate("e.EventDate") + QStringLiteral(" GROUP BY e.EventDate ORDER BY e.EventDate"));
    Exec(query);
    while (query.next()) {
        findings.Add(QStringLiteral("Dates %1: no row, but %2 EventDates rows")
                         .arg(query.value(0).toString(), query.value(1).toString()));
    }
    findings.End(QStringLiteral("days without a Dates row"));

    Prepare(query, QStringLiteral("SELECT e.EventId, e.EventDate FROM EventDates e "
                                  "WHERE NOT EXISTS (SELECT 1 FROM Events v WHERE v.EventID = e.EventId) "
                                  "ORDER BY e.EventId, e.EventDate"));
    Exec(query);
    while (query.next()) {
        findings.Add(QStringLiteral("EventDates %1 on %2: no such event")
                         .arg(query.value(0).toString(), query.value(1).toString()));
    }
    findings.End(QStringLiteral("orphan EventDates rows"));

    Prepare(query, QStringLiteral("SELECT u.Uid, u.EventId FROM EventUids u "
                                  "WHERE NOT EXISTS (SELECT 1 FROM Events v WHERE v.EventID = u.EventId) "
                                  "ORDER BY u.EventId"));
    Exec(query);
    while (query.next()) {
        findings.Add(QStringLiteral("EventUids %1: no such event %2")
                         .arg(query.value(0).toString(), query.value(1).toString()));
    }
    findings.End(QStringLiteral("orphan EventUids rows"));
}

// Stored dates and times the programs cannot read. Nothing can mend them without
// guessing what was meant.
void FindUnreadableValues(const QSqlDatabase &db, Findings &findings)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    Prepare(query, QStringLiteral("SELECT EventId, EventDate FROM EventDates WHERE ") + NotADate("EventDate")
                       + QStringLiteral(" ORDER BY EventId"));
    Exec(query);
    while (query.next()) {
        findings.Add(QStringLiteral("EventDates %1 on \"%2\": not a date")
                         .arg(query.value(0).toString(), query.value(1).toString()));
    }
    findings.End(QStringLiteral("EventDates rows without a date"));

    Prepare(query, QStringLiteral("SELECT DateKey FROM Dates WHERE ") + NotADate("DateKey")
                       + QStringLiteral(" ORDER BY DateKey"));
    Exec(query);
    while (query.next())
        findings.Add(QStringLiteral("Dates \"%1\": not a date").arg(query.value(0).toString()));
    findings.End(QStringLiteral("Dates rows without a date"));

    // An all-day event is shown without its times; a timed one needs both.
    Prepare(query, QStringLiteral("SELECT EventID, EventName, StartTime, EndTime FROM Events "
                                  "WHERE AllDayEvent = 0 ORDER BY EventID"));
    Exec(query);
    while (query.next()) {
        for (int column : {2, 3}) {
            const QVariant stored = query.value(column);
            if (basStoredForms::ReadTime(stored).isValid())
                continue;
            findings.Add(QStringLiteral("Events %1 \"%2\": no readable %3 time (\"%4\")")
                             .arg(query.value(0).toString(), query.value(1).toString(),
                                  column == 2 ? QStringLiteral("start") : QStringLiteral("end"),
                                  stored.isNull() ? QStringLiteral("null") : stored.toString()));
        }
    }
    findings.End(QStringLiteral("events without readable times"));
}

// Lists what is wrong; returns how many findings there were.
int FindProblems(const QSqlDatabase &db, QStringList &problems)
{
    Findings findings(problems);
    FindWrongCounts(db, findings);
    FindUnreadableValues(db, findings);
    return findings.total;
}

// Mends counts, missing day rows and orphans in one transaction. The lines saying what
// was mended are given only once it is committed.
QStringList Repair(const QSqlDatabase &db)
{
    QStringList repaired;
    ExecuteStatement(db, QStringLiteral("BEGIN IMMEDIATE"));
    try {
        QSqlQuery query(db);
        Prepare(query, QStringLiteral("DELETE FROM EventDates WHERE NOT EXISTS "
                                      "(SELECT 1 FROM Events v WHERE v.EventID = EventDates.EventId)"));
        Exec(query);
        if (query.numRowsAffected() > 0)
            repaired.append(QStringLiteral("repaired: removed %1 orphan EventDates rows").arg(query.numRowsAffected()));
        Prepare(query, QStringLiteral("DELETE FROM EventUids WHERE NOT EXISTS "
                                      "(SELECT 1 FROM Events v WHERE v.EventID = EventUids.EventId)"));
        Exec(query);
        if (query.numRowsAffected() > 0)
            repaired.append(QStringLiteral("repaired: removed %1 orphan EventUids rows").arg(query.numRowsAffected()));
        Prepare(query, QStringLiteral("UPDATE Dates SET EventCount = "
                                      "(SELECT COUNT(*) FROM EventDates e WHERE e.EventDate = Dates.DateKey) "
                                      "WHERE EventCount IS NULL OR EventCount <> "
                                      "(SELECT COUNT(*) FROM EventDates e WHERE e.EventDate = Dates.DateKey)"));
        Exec(query);
        if (query.numRowsAffected() > 0)
            repaired.append(QStringLiteral("repaired: set %1 EventCount values").arg(query.numRowsAffected()));
        // Only a real date becomes a day's key.
        Prepare(query, QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                                      "SELECT e.EventDate, '', COUNT(*), '', '' FROM EventDates e "
                                      "WHERE NOT EXISTS (SELECT 1 FROM Dates d WHERE d.DateKey = e.EventDate) AND NOT ")
                           + NotADate("e.EventDate") + QStringLiteral(" GROUP BY e.EventDate"));
        Exec(query);
        if (query.numRowsAffected() > 0)
            repaired.append(QStringLiteral("repaired: added %1 Dates rows").arg(query.numRowsAffected()));
        ExecuteStatement(db, QStringLiteral("COMMIT"));
    } catch (const Failure &failure) {
        QSqlQuery rollback(db);
        rollback.exec(QStringLiteral("ROLLBACK"));
        throw Failure(failure.number(),
                      QStringLiteral("the repair failed and nothing was changed: %1").arg(failure.description()));
    }
    return repaired;
}

} // namespace

CheckResult CheckDatabaseFile(const QString &path, bool repair, QStringList &problems, int busyTimeoutMs,
                              int *fileVersion)
{
    problems.clear();
    if (fileVersion)
        *fileVersion = -1;
    basConnection::ScopedConnection connection(QStringLiteral("check"));
    QSqlDatabase &db = connection.db();
    try {
        basConnection::ConfigureConnection(db, path, busyTimeoutMs);
        const int found = basConnection::OpenAndVerify(db, path, busyTimeoutMs);
        if (fileVersion)
            *fileVersion = found;
    } catch (const Failure &failure) {
        problems.append(failure.description());
        return CheckResult::CannotOpen;
    }
    QStringList found;
    try {
        QSqlQuery integrity(db);
        if (!integrity.exec(QStringLiteral("PRAGMA integrity_check")))
            basConnection::ThrowError(integrity.lastError());
        QStringList damage;
        while (integrity.next()) {
            const QString line = integrity.value(0).toString();
            if (line != QLatin1String("ok"))
                damage.append(QStringLiteral("integrity: %1").arg(line));
        }
        integrity.finish();
        if (!damage.isEmpty()) {
            // Counts cannot be trusted in a damaged file: report and stop.
            problems += damage;
            return CheckResult::Problems;
        }
        if (FindProblems(db, found) == 0)
            return CheckResult::Clean;
    } catch (const Failure &failure) {
        problems.append(failure.description());
        return CheckResult::CannotOpen;
    }
    problems += found;
    if (!repair)
        return CheckResult::Problems;
    try {
        problems += Repair(db);
    } catch (const Failure &failure) {
        problems.append(failure.description());
        return CheckResult::RepairFailed;
    }
    try {
        QStringList left;
        if (FindProblems(db, left) == 0)
            return CheckResult::Clean;
        for (const QString &line : std::as_const(left))
            problems.append(QStringLiteral("not mended: %1").arg(line));
        return CheckResult::Problems;
    } catch (const Failure &failure) {
        problems.append(failure.description());
        return CheckResult::CannotOpen;
    }
}

bool CheckDatabaseFile(const QString &path, bool repair, QStringList &problems)
{
    return CheckDatabaseFile(path, repair, problems, basConnection::kBusyTimeoutMs) == CheckResult::Clean;
}

} // namespace basStoreCheck

} // namespace quillon
