// Calendar files into and out of a real store file: all or nothing, idempotent
// re-import, round trips, and the UID table in the schema, the upgrade and the check.
#include "StoreTest.h"

#include "EventSeries.h"
#include "EventService.h"
#include "ICalendarFingerprint.h"
#include "ICalendarReader.h"
#include "ICalendarKept.h"
#include "basICalendar.h"
#include "basSchema.h"
#include "basStoreCheck.h"

#include <libical/ical.h>

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimeZone>

#include <functional>

namespace quillon {

namespace {

using quillontest::StoreTest;
namespace db = basDatabase;

QString DataPath(const char *name) { return QStringLiteral(QUILLON_ICAL_DATA "/") + QLatin1String(name); }

ICalendarReader::ReadOptions Berlin()
{
    ICalendarReader::ReadOptions options;
    options.LocalZone = QTimeZone("Europe/Berlin");
    return options;
}

// Every row of every table but the facts, in a fixed order: two equal dumps are two
// stores with the same contents.
QStringList Dump(const QString &file)
{
    QStringList rows;
    const QString name = QStringLiteral("dump-%1").arg(reinterpret_cast<quintptr>(&rows));
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        raw.setDatabaseName(file);
        if (!raw.open())
            return {QStringLiteral("cannot open")};
        for (const char *sql : {"SELECT * FROM Events ORDER BY EventID", "SELECT * FROM EventDates ORDER BY EventId, EventDate",
                                "SELECT * FROM Dates ORDER BY DateKey", "SELECT * FROM EventUids ORDER BY Uid"}) {
            QSqlQuery query(raw);
            if (!query.exec(QLatin1String(sql))) {
                rows.append(QStringLiteral("cannot read: %1").arg(QLatin1String(sql)));
                continue;
            }
            while (query.next()) {
                QStringList fields;
                for (int i = 0; i < query.record().count(); ++i)
                    fields.append(query.value(i).toString());
                rows.append(fields.join(QLatin1Char('\x1f')));
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

// An event by name with its days, as the store gives it back.
struct Stored {
    db::EventRecord event;
    QList<QDate> dates;
};

std::map<QString, Stored> EventsByName(db::EventStore &store)
{
    std::map<QString, Stored> events;
    QList<db::DatedEvent> dated;
    EXPECT_TRUE(store.GetEventsInRange(QDate(1900, 1, 1), QDate(2100, 12, 31), dated));
    for (const db::DatedEvent &one : std::as_const(dated)) {
        Stored &stored = events[one.Event.EventName];
        stored.event = one.Event;
        stored.event.EventID = 0;
        stored.dates.append(one.Date);
    }
    for (auto &[name, stored] : events)
        std::sort(stored.dates.begin(), stored.dates.end());
    return events;
}

// One floating event of a file.
const QByteArray kDentist = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//EN\r\nBEGIN:VEVENT\r\nUID:f@t\r\n"
                            "DTSTART:20270105T100000\r\nDTEND:20270105T110000\r\nSUMMARY:Dentist\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

class ICalendarStore : public StoreTest {
protected:
    bool Import(const QString &path, basICalendar::ImportSummary &summary)
    {
        return basICalendar::ImportCalendarFile(store, path, summary, Berlin());
    }

    // A calendar file of the test's own, by name in its data folder.
    QString Written(const QString &name, const QByteArray &text)
    {
        const QString path = TempPath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        return path;
    }

    void ExpectClean(const QString &file)
    {
        QStringList problems;
        EXPECT_TRUE(basStoreCheck::CheckDatabaseFile(file, false, problems)) << problems.join(QLatin1Char('\n')).toStdString();
    }
};

TEST_F(ICalendarStore, BrokenFilesChangeNothingAndNameFileLineAndReason)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("Already there")), {QDate(2026, 12, 8)}, id));
    basICalendar::ImportSummary summary;
    ASSERT_TRUE(Import(DataPath("timezones.ics"), summary));
    const QStringList before = Dump(DatabaseFile());
    ASSERT_GT(before.size(), 10);

    const struct {
        const char *file;
        const char *expected;
    } cases[] = {
        {"garbage.ics", "garbage.ics: line 1: this is not a text file; nothing was imported"},
        {"not_calendar.ics", "not_calendar.ics: line 1: this is not an iCalendar file"},
        {"truncated.ics", "truncated.ics: line 10: BEGIN:VEVENT has no END:VEVENT; the file is truncated"},
        {"unclosed_event.ics", "unclosed_event.ics: line 14:"},
        {"too_many.ics", "too_many.ics: line 13: the RRULE of \"Every minute\" gives more than 100,000 dates"},
        {"missing.ics", "missing.ics: file not found"},
    };
    for (const auto &c : cases) {
        messages.clear();
        EXPECT_FALSE(Import(DataPath(c.file), summary)) << c.file;
        ASSERT_EQ(messages.size(), 1u) << c.file;
        EXPECT_TRUE(messages[0].text.contains(QLatin1String(c.expected))) << messages[0].text.toStdString();
        EXPECT_TRUE(messages[0].text.contains(QStringLiteral("basICalendar.ImportCalendarFile")));
        EXPECT_EQ(Dump(DatabaseFile()), before) << c.file;
    }
    EXPECT_EQ(summary.Added, 0);
    ExpectClean(DatabaseFile());

    // Place markers in a file name stay text.
    const QString odd = TempPath(QStringLiteral("50%2 off %1.ics"));
    ASSERT_TRUE(QFile::copy(DataPath("truncated.ics"), odd));
    messages.clear();
    EXPECT_FALSE(Import(odd, summary));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("50%2 off %1.ics: line 10:"))) << messages[0].text.toStdString();
}

// An event that cannot be read, or whose rule no calendar can match, costs itself, not the file.
TEST_F(ICalendarStore, AnEventThatCannotBeTakenIsSkippedAndTheRestImported)
{
    const struct {
        const char *file;
        const char *warning;
    } cases[] = {
        {"never_matches.ics", "line 13, UID \"never@tests\": its repeat rule can never match (BYMONTHDAY=31 falls in "
                              "none of the months BYMONTH=2); skipped"},
        {"impossible_rule.ics", "line 13, UID \"never@tests\": its repeat rule can never match (BYMONTHDAY=30 falls in "
                                "none of the months BYMONTH=2); skipped"},
        {"bad_date.ics", "line 12, UID \"bad@tests\": the event's DTSTART is no date; skipped"},
        {"ends_before_start.ics", "line 13, UID \"backwards@tests\": ends before it starts; skipped"},
    };
    for (const auto &c : cases) {
        basICalendar::ImportSummary summary;
        ASSERT_TRUE(Import(DataPath(c.file), summary)) << c.file;
        EXPECT_EQ(summary.Added + summary.Unchanged, 1) << c.file;
        EXPECT_EQ(summary.Warnings, QStringList{QLatin1String(c.warning)});
    }
    EXPECT_TRUE(messages.empty());
    // Each file brings its own event, whatever UID they share.
    EXPECT_EQ(DayCount(QStringLiteral("2026-12-08")), 4);
    ExpectClean(DatabaseFile());
}

TEST_F(ICalendarStore, ACancelledImportWritesAndReportsNothing)
{
    const QString path = TempPath(QStringLiteral("daily.ics"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:daily\r\nDTSTART:19000101T100000\r\n"
               "RRULE:FREQ=DAILY;UNTIL=21001231\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    file.close();
    const QStringList before = Dump(DatabaseFile());
    ICalendarReader::ReadOptions options = Berlin();
    options.Cancelled = [] { return true; };
    basICalendar::ImportSummary summary;
    EXPECT_FALSE(basICalendar::ImportCalendarFile(store, path, summary, options));
    EXPECT_TRUE(summary.Cancelled);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Dump(DatabaseFile()), before);

    // Stopped while the events are stored (300 events: two words of progress): all of
    // them go back.
    QByteArray many = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 300; ++i)
        many += "BEGIN:VEVENT\r\nUID:e" + QByteArray::number(i) + "\r\nDTSTART;VALUE=DATE:20270105\r\nSUMMARY:Event "
                + QByteArray::number(i) + "\r\nEND:VEVENT\r\n";
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(many + "END:VCALENDAR\r\n");
    file.close();
    QList<qsizetype> told;
    summary = {};
    EXPECT_FALSE(basICalendar::ImportCalendarFile(store, path, summary, Berlin(), {},
                                                  [&told](qsizetype stored, qsizetype total) {
                                                      told << stored << total;
                                                      return stored == 0;
                                                  }));
    EXPECT_EQ(told, (QList<qsizetype>{0, 300, 256, 300}));
    EXPECT_TRUE(summary.Cancelled);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Dump(DatabaseFile()), before);
}

// The file is read as the import goes: cut short or written to meanwhile, nothing of it
// is taken; replaced by another, the one opened is read to its end.
TEST_F(ICalendarStore, AFileChangedWhileItIsReadIsNotImported)
{
    const QString path = TempPath(QStringLiteral("changing.ics"));
    QByteArray text = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 3; ++i)
        text += "BEGIN:VEVENT\r\nUID:u" + QByteArray::number(i) + "\r\nDTSTART;VALUE=DATE:2026031" + QByteArray::number(i)
                + "\r\nSUMMARY:Event " + QByteArray::number(i) + "\r\nEND:VEVENT\r\n";
    text += "END:VCALENDAR\r\n";
    const auto write = [](const QString &file, const QByteArray &bytes) {
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    };
    const QStringList before = Dump(DatabaseFile());
    const struct {
        const char *name;
        std::function<bool()> change;
        bool imported;
    } cases[] = {
        {"cut short", [&] { return QFile::resize(path, text.size() / 2); }, false},
        {"written to", [&] { QFile f(path); return f.open(QIODevice::Append) && f.write("X") == 1; }, false},
        {"replaced", [&] { return write(path + QStringLiteral(".new"), "junk") && QFile::remove(path)
                                  && QFile::rename(path + QStringLiteral(".new"), path); }, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(write(path, text));
        messages.clear();
        basICalendar::ImportSummary summary;
        const bool imported = basICalendar::ImportCalendarFile(
            store, path, summary, Berlin(), [&](const ICalendarLines::Text &opened, const ICalendarReader::ReadOptions &options) {
                EXPECT_TRUE(c.change());
                return ICalendarReader::ReadCalendar(opened, options);
            });
        EXPECT_EQ(imported, c.imported);
        if (c.imported) {
            EXPECT_EQ(summary.Added, 3);
            continue;
        }
        EXPECT_EQ(Dump(DatabaseFile()), before);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].text.contains(QStringLiteral("changing.ics: the file changed while it was read; nothing was imported")))
            << messages[0].text.toStdString();
    }
}

TEST_F(ICalendarStore, AFileOverTheSizeLimitIsRefusedUnread)
{
    const QString big = TempPath(QStringLiteral("big.ics"));
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BEGIN:VCALENDAR\r\n");
    ASSERT_TRUE(file.resize(ICalendarReader::kMaxFileBytes + 1)); // sparse: nothing is written
    file.close();
    basICalendar::ImportSummary summary;
    EXPECT_FALSE(Import(big, summary));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("big.ics: the file is larger than 64 MB"))) << messages[0].text.toStdString();
}

TEST_F(ICalendarStore, AStoreFailureHalfwayRollsEverythingBack)
{
    const QStringList before = Dump(DatabaseFile());
    // A day row whose count cannot be raised makes the store refuse one occurrence.
    Raw(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) VALUES ('2026-07-21', '', NULL, '', '')"));
    const QStringList broken = Dump(DatabaseFile());
    basICalendar::ImportSummary summary;
    EXPECT_FALSE(Import(DataPath("rules_lf.ics"), summary));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("basDatabase.IncrementEventCount"))) << messages[0].text.toStdString();
    EXPECT_TRUE(summary.Refusal.endsWith(QStringLiteral("rules_lf.ics: line 76: the store did not take \"Holiday\"; nothing was imported")))
        << summary.Refusal.toStdString();
    EXPECT_EQ(Dump(DatabaseFile()), broken);
    EXPECT_NE(before, broken);
}

TEST_F(ICalendarStore, AStoreThatCannotWriteIsNamedAndAReadOnlyStoreStillExports)
{
    // The store's own reason, not the event's fault.
    Raw(QStringLiteral("CREATE TRIGGER Full BEFORE INSERT ON EventUids BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
    basICalendar::ImportSummary summary;
    EXPECT_FALSE(Import(DataPath("folded_crlf.ics"), summary));
    EXPECT_TRUE(summary.Refusal.contains(QStringLiteral("could not be stored: ")) && summary.Refusal.contains(QStringLiteral("disk is full")))
        << summary.Refusal.toStdString();
    Raw(QStringLiteral("DROP TRIGGER Full"));
    messages.clear();

    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("No UID yet")), {QDate(2026, 12, 9)}, id));
    // As SQLite opens a file the user may not write.
    for (const QString &name : QSqlDatabase::connectionNames()) {
        if (name.startsWith(QLatin1String("basDatabase."))) {
            ASSERT_TRUE(QSqlQuery(QSqlDatabase::database(name)).exec(QStringLiteral("PRAGMA query_only = 1")));
        }
    }
    ASSERT_FALSE(store.IsWritable());
    basICalendar::ExportSummary exported;
    ASSERT_TRUE(basICalendar::ExportCalendarFile(store, TempPath(QStringLiteral("ro.ics")), exported));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(exported.Events, 1);
    EXPECT_EQ(exported.UidsNotKept, 1);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventUids")), 0);
}

TEST_F(ICalendarStore, ReimportChangesNothingAndAChangedFileUpdatesItsEvents)
{
    // The file is changed where it is: a UID is its file's own.
    const QString changed = TempPath(QStringLiteral("changed.ics"));
    ASSERT_TRUE(QFile::copy(DataPath("rules_lf.ics"), changed));
    basICalendar::ImportSummary summary;
    ASSERT_TRUE(Import(changed, summary));
    // Nine series; the moved occurrence and the night's morning are events of their own.
    EXPECT_EQ(summary.Added, 11);
    ExpectClean(DatabaseFile());
    const QStringList first = Dump(DatabaseFile());
    EXPECT_EQ(DayCount(QStringLiteral("2026-04-10")), 1); // the moved occurrence
    EXPECT_EQ(DayCount(QStringLiteral("2026-04-08")), -1);

    ASSERT_TRUE(Import(changed, summary));
    EXPECT_EQ(summary.Added, 0);
    EXPECT_EQ(summary.Updated, 0);
    EXPECT_EQ(summary.Unchanged, 11);
    EXPECT_EQ(Dump(DatabaseFile()), first);

    // The choir moves to Wednesdays and gets a new name; the rest stays as it was.
    QFile original(DataPath("rules_lf.ics"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray text = original.readAll();
    text.replace("RRULE:FREQ=WEEKLY;BYDAY=TU;UNTIL=20260127T180000", "RRULE:FREQ=WEEKLY;BYDAY=TU,WE;UNTIL=20260127T180000");
    text.replace("SUMMARY:Choir", "SUMMARY:Choir practice");
    QFile out(changed);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(text);
    out.close();
    ASSERT_TRUE(Import(changed, summary));
    EXPECT_EQ(summary.Added, 0);
    EXPECT_EQ(summary.Updated, 1);
    EXPECT_EQ(summary.Unchanged, 10);
    auto events = EventsByName(store);
    EXPECT_EQ(events.count(QStringLiteral("Choir")), 0u);
    EXPECT_EQ(events[QStringLiteral("Choir practice")].dates.size(), 7); // Tuesdays and Wednesdays to the 27th
    EXPECT_EQ(DayCount(QStringLiteral("2026-01-07")), 2); // the gym and the choir
    ExpectClean(DatabaseFile());
}

TEST_F(ICalendarStore, RoundTripThroughAFileKeepsEveryKindOfEvent)
{
    qint64 id = 0;
    db::EventRecord allDay = Event(QStringLiteral("All day"));
    allDay.AllDayEvent = true;
    ASSERT_TRUE(store.AddEventToDatabase(allDay, {QDate(2026, 12, 24), QDate(2026, 12, 25)}, id));
    db::EventRecord timed = Event(QStringLiteral("Timed \"quoted\" | piped 😀"),
                                  QStringLiteral("Notes with 'quotes', \"more\", a | and\nan emoji 🎄; commas, too"),
                                  QTime(8, 15), QTime(17, 45));
    timed.EventColor = QStringLiteral("Teal");
    timed.EventIcon = 142;
    ASSERT_TRUE(store.AddEventToDatabase(timed, {QDate(2026, 12, 7)}, id));
    db::EventRecord picked = Event(QStringLiteral("Hand-picked"), QString(), QTime(23, 30), QTime(23, 59), true);
    picked.EventColor = QStringLiteral("Fuschia");
    ASSERT_TRUE(store.AddEventToDatabase(picked, {QDate(1900, 1, 1), QDate(2000, 2, 29), QDate(2100, 12, 31)}, id));
    db::EventRecord once = Event(QStringLiteral("Picked once"), QString(), QTime(0, 0), QTime(0, 30), true);
    ASSERT_TRUE(store.AddEventToDatabase(once, {QDate(2026, 3, 29)}, id));
    // What no file can carry: a colour outside the 16, an icon that is none.
    db::EventRecord odd = Event(QStringLiteral("Odd colour"), QString(), QTime(7, 0), QTime(8, 0));
    odd.EventColor = QStringLiteral("crimson");
    odd.EventIcon = 999;
    ASSERT_TRUE(store.AddEventToDatabase(odd, {QDate(2026, 5, 1)}, id));
    const auto original = EventsByName(store);
    // An event without a day has nothing to write.
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("Nowhen")), {}, id));

    const QString exported = TempPath(QStringLiteral("out.ics"));
    basICalendar::ExportSummary exportSummary;
    ASSERT_TRUE(basICalendar::ExportCalendarFile(store, exported, exportSummary));
    EXPECT_EQ(exportSummary.Events, 5);
    EXPECT_EQ(exportSummary.LeftOut, QStringList{QStringLiteral("event %1 \"Nowhen\": no date").arg(id)});
    const QStringList afterExport = Dump(DatabaseFile());

    // A UID once given stays the event's UID.
    const QString again = TempPath(QStringLiteral("again.ics"));
    ASSERT_TRUE(basICalendar::ExportCalendarFile(store, again, exportSummary));
    EXPECT_EQ(Dump(DatabaseFile()), afterExport);

    // Into a fresh store: the same events on the same days.
    const QString freshFile = TempPath(QStringLiteral("fresh.sqlite"));
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(freshFile, error)) << error.toStdString();
    {
        db::EventStore fresh;
        ASSERT_TRUE(fresh.OpenDatabaseConnection(freshFile));
        basICalendar::ImportSummary summary;
        ASSERT_TRUE(basICalendar::ImportCalendarFile(fresh, exported, summary, Berlin()));
        EXPECT_EQ(summary.Added, 5);
        EXPECT_TRUE(summary.Warnings.isEmpty()) << summary.Warnings.join(QLatin1Char('\n')).toStdString();
        const auto copied = EventsByName(fresh);
        ASSERT_EQ(copied.size(), original.size());
        for (const auto &[name, stored] : original) {
            ASSERT_EQ(copied.count(name), 1u) << name.toStdString();
            EXPECT_EQ(copied.at(name).event, ICalendarFingerprint::FileForm(stored.event)) << name.toStdString();
            EXPECT_EQ(copied.at(name).dates, stored.dates) << name.toStdString();
        }
        // And a second time into the copy: nothing new.
        ASSERT_TRUE(basICalendar::ImportCalendarFile(fresh, again, summary, Berlin()));
        EXPECT_EQ(summary.Unchanged, 5);
    }
    ExpectClean(freshFile);

    // Back into the store it came from: nothing changes.
    basICalendar::ImportSummary summary;
    ASSERT_TRUE(Import(exported, summary));
    EXPECT_EQ(summary.Unchanged, 5);
    EXPECT_EQ(Dump(DatabaseFile()), afterExport);
    ExpectClean(DatabaseFile());
}

TEST_F(ICalendarStore, ChurchYearDaysGoOutAsColouredAllDayEvents)
{
    Raw(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                       "VALUES ('2026-12-25', 'White', 0, '', 'Christmas Day')"));
    Raw(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                       "VALUES ('2026-12-26', 'Red', 0, '', '')"));
    Raw(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                       "VALUES ('2027-01-06', 'White', 0, '', 'Epiphany')"));
    const QString exported = TempPath(QStringLiteral("church.ics"));
    basICalendar::ExportOptions options;
    options.ChurchYearFrom = 2026;
    options.ChurchYearTo = 2026;
    basICalendar::ExportSummary summary;
    ASSERT_TRUE(basICalendar::ExportCalendarFile(store, exported, summary, options));
    EXPECT_EQ(summary.ChurchDays, 1);
    QFile file(exported);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("UID:churchyear-20261225@quillon\r\n"));
    EXPECT_TRUE(text.contains("DTSTART;VALUE=DATE:20261225\r\n"));
    EXPECT_TRUE(text.contains("SUMMARY:Christmas Day\r\n"));
    EXPECT_TRUE(text.contains("COLOR:white\r\n"));
    EXPECT_FALSE(text.contains("Epiphany"));

    // Back into a store, which has the church year already: nothing to add.
    const QStringList before = Dump(DatabaseFile());
    basICalendar::ImportSummary imported;
    ASSERT_TRUE(Import(exported, imported));
    EXPECT_EQ(imported.Added, 0);
    EXPECT_EQ(imported.Warnings, QStringList{QStringLiteral("1 church-year days left out (the store has them already)")});
    EXPECT_EQ(Dump(DatabaseFile()), before);

    options.ChurchYearTo = 2101;
    EXPECT_FALSE(basICalendar::ExportCalendarFile(store, exported, summary, options));
}

TEST_F(ICalendarStore, AStoreOfThePreviousSchemaIsUpgradedOnOpen)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("Kept")), {QDate(2026, 12, 9)}, id));
    store.CloseDatabaseConnection();
    // The file as the previous version made it: the same tables without EventUids (nor the
    // later triggers that read it), and no schema version yet.
    for (const char *trigger : {"SearchTextsOfNewSeries", "SearchTextsOfChangedSeries", "SearchTextsOfGoneSeries",
                                "SearchTextsOfNewSeriesParts", "SearchTextsOfChangedSeriesParts", "SearchTextsOfGoneSeriesParts"})
        Raw(QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(QLatin1String(trigger)));
    Raw(QStringLiteral("DROP TABLE EventUids"));
    Raw(QStringLiteral("PRAGMA user_version = 0"));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'EventUids'")), 0);
    const QStringList before = Dump(DatabaseFile());

    ASSERT_TRUE(store.OpenDatabaseConnection());
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'EventUids'")), 1);
    // Every row is still there; only the new table (empty) can now be read.
    ASSERT_TRUE(before.last().startsWith(QStringLiteral("cannot read")));
    EXPECT_EQ(Dump(DatabaseFile()), before.mid(0, before.size() - 1));
    ExpectClean(DatabaseFile());
    basICalendar::ImportSummary summary;
    EXPECT_TRUE(Import(DataPath("folded_crlf.ics"), summary));
    EXPECT_EQ(summary.Added, 1);
}

TEST_F(ICalendarStore, CheckListsAndRepairsUidsOfDeletedEvents)
{
    basICalendar::ImportSummary summary;
    ASSERT_TRUE(Import(DataPath("folded_crlf.ics"), summary));
    // Deleting the event takes its UID with it.
    const qint64 id = Count(QStringLiteral("SELECT EventId FROM EventUids"));
    ASSERT_TRUE(store.DeleteEventFromDatabase(id));
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM EventUids")), 0);
    // A program that deleted without the foreign keys leaves one behind.
    Raw(QStringLiteral("INSERT INTO EventUids (Uid, EventId, Fingerprint) VALUES ('lost@x', 999, '')"));
    QStringList problems;
    EXPECT_FALSE(basStoreCheck::CheckDatabaseFile(DatabaseFile(), false, problems));
    EXPECT_TRUE(problems.contains(QStringLiteral("EventUids lost@x: no such event 999"))) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(basStoreCheck::CheckDatabaseFile(DatabaseFile(), true, problems));
    EXPECT_TRUE(problems.contains(QStringLiteral("repaired: removed 1 orphan EventUids rows")));
    // The file comes back after the repair with the event gone: imported again.
    ASSERT_TRUE(Import(DataPath("folded_crlf.ics"), summary));
    EXPECT_EQ(summary.Added, 1);
}

} // namespace

namespace {

// A series stored as events of several looks goes out as one series again (an
// occurrence past midnight as one), and reading that back, or the first file again,
// changes nothing; an occurrence the file no longer changes takes its event with it.
TEST_F(ICalendarStore, ASeriesOfSeveralLooksGoesOutAsOneAndComesBackTheSame)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
                      "BEGIN:VEVENT\r\nUID:dst\r\nDTSTART;TZID=America/New_York:20260302T090000\r\nDURATION:PT1H\r\n"
                      "RRULE:FREQ=WEEKLY;COUNT=5\r\nSUMMARY:Call\r\nEND:VEVENT\r\n"
                      "BEGIN:VEVENT\r\nUID:later\r\nDTSTART:20260504T100000\r\nDTEND:20260504T110000\r\n"
                      "RRULE:FREQ=DAILY;COUNT=5\r\nSUMMARY:Daily\r\nEND:VEVENT\r\n"
                      "BEGIN:VEVENT\r\nUID:later\r\nRECURRENCE-ID;RANGE=THISANDFUTURE:20260506T100000\r\n"
                      "DTSTART:20260506T120000\r\nDTEND:20260506T133000\r\nSUMMARY:Later\r\nEND:VEVENT\r\n"
                      "BEGIN:VEVENT\r\nUID:later\r\nRECURRENCE-ID:20260505T100000\r\nSUMMARY:Renamed\r\nEND:VEVENT\r\n"
                      "BEGIN:VEVENT\r\nUID:night\r\nDTSTART:20260612T220000\r\nDTEND:20260613T060000\r\nSUMMARY:Night\r\n"
                      "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const QString path = TempPath(QStringLiteral("series.ics"));
    const auto write = [&path](const QByteArray &contents) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
    };
    ASSERT_TRUE(write(text));
    basICalendar::ImportSummary summary;
    ASSERT_TRUE(Import(path, summary));
    EXPECT_EQ(summary.Added, 7);
    const QStringList imported = Dump(DatabaseFile());

    const QString out = TempPath(QStringLiteral("out.ics"));
    basICalendar::ExportSummary exported;
    ASSERT_TRUE(basICalendar::ExportCalendarFile(store, out, exported));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    // Each series goes out as the file had it: its rules and changed occurrences, the
    // night as one occurrence.
    EXPECT_TRUE(written.contains("DTSTART:20260612T220000\r\nDTEND:20260613T060000\r\n")) << written.toStdString();
    EXPECT_FALSE(written.mid(written.indexOf("BEGIN:VEVENT")).contains("RDATE:")) << written.toStdString();
    EXPECT_EQ(written.count("BEGIN:VEVENT"), 5);
    EXPECT_TRUE(written.contains("DTSTART;TZID=America/New_York:20260302T090000\r\nDURATION:PT1H\r\nRRULE:FREQ=WEEKLY;COUNT=5"));
    EXPECT_TRUE(written.contains("RECURRENCE-ID;RANGE=THISANDFUTURE:20260506T100000"));

    ASSERT_TRUE(Import(out, summary));
    EXPECT_EQ(summary.Added, 0);
    EXPECT_EQ(summary.Updated, 0);
    EXPECT_EQ(Dump(DatabaseFile()), imported);
    ASSERT_TRUE(Import(path, summary));
    EXPECT_EQ(summary.Unchanged, 7);
    EXPECT_EQ(Dump(DatabaseFile()), imported);

    text.replace("BEGIN:VEVENT\r\nUID:later\r\nRECURRENCE-ID:20260505T100000\r\nSUMMARY:Renamed\r\nEND:VEVENT\r\n", "");
    ASSERT_TRUE(write(text));
    ASSERT_TRUE(Import(path, summary));
    auto events = EventsByName(store);
    EXPECT_EQ(events.count(QStringLiteral("Renamed")), 0u);
    EXPECT_EQ(events[QStringLiteral("Daily")].dates, QList<QDate>({QDate(2026, 5, 4), QDate(2026, 5, 5)}));
    EXPECT_EQ(events[QStringLiteral("Later")].dates.size(), 3);
    EXPECT_EQ(DayCount(QStringLiteral("2026-05-05")), 1);
    ExpectClean(DatabaseFile());
}

} // namespace


namespace {

// Each property of each VEVENT (by UID and RECURRENCE-ID) and of its alarms, as libical
// writes it, but the stamps an export renews.
std::map<QString, QStringList> PropertiesOf(const QByteArray &text)
{
    std::map<QString, QStringList> found;
    icalcomponent *calendar = icalparser_parse_string(text.constData());
    for (icalcomponent *event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        icalproperty *recurrence = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY);
        QStringList &lines = found[QString::fromUtf8(icalcomponent_get_uid(event)) + QLatin1Char(' ')
                                   + (recurrence ? QString::fromUtf8(icalproperty_get_value_as_string(recurrence)) : QString())];
        const auto take = [&lines](icalcomponent *component, const QString &prefix) {
            for (icalproperty *p = icalcomponent_get_first_property(component, ICAL_ANY_PROPERTY); p;
                 p = icalcomponent_get_next_property(component, ICAL_ANY_PROPERTY)) {
                const icalproperty_kind kind = icalproperty_isa(p);
                const char *x = kind == ICAL_X_PROPERTY ? icalproperty_get_x_name(p) : nullptr;
                if (kind != ICAL_DTSTAMP_PROPERTY && !(x && QByteArray(x) == "X-QUILLON-ORIGIN"))
                    lines.append(prefix + QString::fromUtf8(icalproperty_as_ical_string(p)).trimmed());
            }
        };
        take(event, QString());
        for (icalcomponent *alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT); alarm;
             alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT))
            take(alarm, QStringLiteral("alarm "));
        lines.sort();
    }
    icalcomponent_free(calendar);
    return found;
}

// What the suite does not show goes out as it came in, a rule as a rule in its zone; a
// change made here is written into the kept text (the rest untouched, the sequence one
// higher), reading that back changes nothing, and the text goes with the event.
TEST_F(ICalendarStore, AnEventKeepsEveryPropertyOfItsFileThroughEditAndExport)
{
    const QByteArray text =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//elsewhere//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:STANDARD\r\nDTSTART:19701101T020000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:19700308T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
        "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
        "BEGIN:VEVENT\r\nUID:weekly@elsewhere\r\nDTSTAMP:20260101T000000Z\r\nSEQUENCE:2\r\n"
        "DTSTART;TZID=America/New_York:20270104T090000\r\nDTEND;TZID=America/New_York:20270104T100000\r\n"
        "RRULE:FREQ=WEEKLY;BYDAY=MO;UNTIL=20270301T140000Z\r\nSUMMARY:Planning\r\nLOCATION:Room 4\\, east wing\r\n"
        "URL:https://example.org/planning\r\nORGANIZER;CN=Ann:mailto:ann@example.org\r\n"
        "ATTENDEE;PARTSTAT=ACCEPTED:mailto:bob@example.org\r\nCATEGORIES:Work,Team\r\nCLASS:PRIVATE\r\n"
        "X-OTHER-APP-FLAG:keep me\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Planning\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const QString path = TempPath(QStringLiteral("kept.ics"));
    const auto write = [](const QString &to, const QByteArray &contents) {
        QFile file(to);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
    };
    const auto exportText = [this](const QString &to) {
        basICalendar::ExportSummary exported;
        EXPECT_TRUE(basICalendar::ExportCalendarFile(store, to, exported));
        QFile file(to);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    ASSERT_TRUE(write(path, text));
    basICalendar::ImportSummary summary;
    ASSERT_TRUE(Import(path, summary));
    ASSERT_EQ(summary.Added, 1);

    const QString out = TempPath(QStringLiteral("out.ics"));
    const QByteArray first = exportText(out);
    EXPECT_EQ(PropertiesOf(first), PropertiesOf(text)) << first.toStdString();
    EXPECT_TRUE(first.contains("BEGIN:VTIMEZONE\r\nTZID:America/New_York")) << first.toStdString();
    const QStringList imported = Dump(DatabaseFile());
    ASSERT_TRUE(Import(out, summary));
    EXPECT_EQ(summary.Added + summary.Updated, 0);
    EXPECT_EQ(Dump(DatabaseFile()), imported);

    // Renamed, an hour later, one Monday taken off.
    const auto stored = EventsByName(store);
    ASSERT_EQ(stored.count(QStringLiteral("Planning")), 1u);
    QList<db::DatedEvent> dated;
    ASSERT_TRUE(store.GetEventsInRange(QDate(2027, 1, 4), QDate(2027, 1, 4), dated));
    ASSERT_EQ(dated.size(), 1);
    EventService events(store, Berlin().LocalZone);
    std::optional<quillon::Event> event = events.Load(dated.front().Event.EventID);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->StartTime, QTime(15, 0)); // 9:00 in New York
    event->EventName = QStringLiteral("Planning, moved");
    event->StartTime = QTime(16, 0);
    event->EndTime = QTime(17, 0);
    ASSERT_TRUE(event->Dates.removeOne(QDate(2027, 1, 18)));
    ASSERT_TRUE(events.Save(*event));

    const QByteArray changed = exportText(out);
    std::map<QString, QStringList> expected = PropertiesOf(text);
    QStringList &lines = expected.begin()->second;
    lines.removeOne(QStringLiteral("SUMMARY:Planning"));
    lines.removeOne(QStringLiteral("SEQUENCE:2"));
    lines.replaceInStrings(QStringLiteral("T090000"), QStringLiteral("T100000"));
    lines.replaceInStrings(QStringLiteral("UNTIL=20270301T140000Z"), QStringLiteral("UNTIL=20270301T150000Z"));
    lines.replaceInStrings(QStringLiteral("DTEND;TZID=America/New_York:20270104T100000"),
                           QStringLiteral("DTEND;TZID=America/New_York:20270104T110000"));
    lines << QStringLiteral("SUMMARY:Planning\\, moved") << QStringLiteral("SEQUENCE:3")
          << QStringLiteral("EXDATE;TZID=America/New_York:20270118T100000");
    lines.sort();
    std::map<QString, QStringList> got = PropertiesOf(changed);
    ASSERT_EQ(got.size(), 1u);
    got.begin()->second.removeIf([](const QString &line) { return line.startsWith(QLatin1String("LAST-MODIFIED:")); });
    EXPECT_EQ(got, expected) << changed.toStdString();
    const QStringList edited = Dump(DatabaseFile());
    ASSERT_TRUE(Import(out, summary));
    EXPECT_EQ(Dump(DatabaseFile()).join(QLatin1Char('\n')).toStdString(), edited.join(QLatin1Char('\n')).toStdString());

    // The event deleted, its text goes with it.
    ASSERT_TRUE(events.DeleteSeries(event->EventID));
    QList<db::EventStore::SeriesText> series;
    ASSERT_TRUE(store.GetAllSeries(series));
    EXPECT_TRUE(series.isEmpty());
}

// An event made here carries its zone and its rule out; when the system's zone changes,
// the zoned times follow it and a floating one stays where it was.
TEST_F(ICalendarStore, AnEventMadeHereKeepsItsRuleAndZoneAndTheStoreFollowsTheSystemZone)
{
    const QTimeZone berlin("Europe/Berlin");
    const QTimeZone newYork("America/New_York");
    ASSERT_TRUE(basICalendar::KeepIndexCurrent(store, berlin));
    EventService events(store, berlin);
    quillon::Event weekly;
    weekly.EventName = QStringLiteral("Team call");
    weekly.StartTime = QTime(9, 0);
    weekly.EndTime = QTime(9, 30);
    weekly.Location = QStringLiteral("Room 2");
    weekly.Rule = Recurrence{};
    weekly.Rule->Weekdays = {Qt::Monday};
    weekly.Rule->Until = QDate(2027, 6, 30);
    weekly.RuleStart = QDate(2027, 1, 4);
    weekly.Dates = weekly.Rule->Days(weekly.RuleStart, weekly.RuleStart, QDate(2027, 6, 30));
    ASSERT_EQ(weekly.Dates.size(), 26);
    const std::optional<EventService::Saved> saved = events.Save(weekly);
    ASSERT_TRUE(saved);
    const QString floating = Written(QStringLiteral("floating.ics"), kDentist);
    basICalendar::ImportSummary summary;
    ASSERT_TRUE(Import(floating, summary));

    const QString out = TempPath(QStringLiteral("made.ics"));
    basICalendar::ExportSummary exported;
    ASSERT_TRUE(basICalendar::ExportCalendarFile(store, out, exported));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_EQ(written.count("BEGIN:VEVENT"), 2) << written.toStdString();
    EXPECT_TRUE(written.contains("DTSTART;TZID=Europe/Berlin:20270104T090000")) << written.toStdString();
    // The end of 30 June in Berlin.
    EXPECT_TRUE(written.contains("RRULE:FREQ=WEEKLY;UNTIL=20270630T215959Z;BYDAY=MO")) << written.toStdString();
    EXPECT_TRUE(written.contains("BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin")) << written.toStdString();
    EXPECT_TRUE(written.contains("LOCATION:Room 2"));
    EXPECT_FALSE(written.mid(written.indexOf("BEGIN:VEVENT")).contains("RDATE")) << written.toStdString();
    const std::optional<quillon::Event> loaded = events.Load(saved->EventID);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Location, QStringLiteral("Room 2"));
    EXPECT_EQ(loaded->Rule, weekly.Rule);

    bool changed = false;
    ASSERT_TRUE(basICalendar::KeepIndexCurrent(store, newYork, {}, &changed));
    EXPECT_TRUE(changed);
    auto stored = EventsByName(store);
    EXPECT_EQ(stored[QStringLiteral("Team call")].event.StartTime, QTime(3, 0));
    EXPECT_EQ(stored[QStringLiteral("Team call")].dates.size(), 26);
    EXPECT_EQ(stored[QStringLiteral("Dentist")].event.StartTime, QTime(10, 0));
    ASSERT_TRUE(basICalendar::KeepIndexCurrent(store, newYork, {}, &changed));
    EXPECT_FALSE(changed);
}

// The user's events of a store from before texts were kept become series of their days,
// in the system's zone, on the first look; a file's event is left to its file.
TEST_F(ICalendarStore, OlderOwnEventsGetTheirTextsOnce)
{
    qint64 own = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("Old call")), {QDate(2027, 2, 1), QDate(2027, 2, 8)}, own));
    const QString path = Written(QStringLiteral("file.ics"), kDentist);
    basICalendar::ImportSummary summary;
    ASSERT_TRUE(Import(path, summary));
    QList<db::EventStore::SeriesText> before;
    ASSERT_TRUE(store.GetAllSeries(before));
    const auto days = EventsByName(store);
    ASSERT_TRUE(basICalendar::KeepIndexCurrent(store, QTimeZone("Europe/Berlin")));
    QList<db::EventStore::SeriesText> after;
    ASSERT_TRUE(store.GetAllSeries(after));
    ASSERT_EQ(after.size(), before.size() + 1);
    const auto made = std::find_if(after.cbegin(), after.cend(), [](const auto &s) { return s.Source.isEmpty(); });
    ASSERT_NE(made, after.cend());
    EXPECT_TRUE(made->Component.contains("DTSTART;TZID=Europe/Berlin:20270201T")) << made->Component.toStdString();
    EXPECT_TRUE(made->Component.contains("RDATE;TZID=Europe/Berlin:20270208T")) << made->Component.toStdString();
    const auto same = EventsByName(store);
    EXPECT_EQ(same.at(QStringLiteral("Old call")).dates, days.at(QStringLiteral("Old call")).dates);
    EXPECT_EQ(same.at(QStringLiteral("Old call")).event, days.at(QStringLiteral("Old call")).event);
    const QStringList once = Dump(DatabaseFile());
    ASSERT_TRUE(basICalendar::KeepIndexCurrent(store, QTimeZone("Europe/Berlin")));
    EXPECT_EQ(Dump(DatabaseFile()), once);
}

// A rule without end is laid out again as today moves on, once a month or so.
TEST_F(ICalendarStore, ARuleWithoutEndGainsDaysAsTodayMovesOn)
{
    const QString path = Written(QStringLiteral("open.ics"),
                                 "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//EN\r\nBEGIN:VEVENT\r\nUID:open@t\r\n"
                                 "DTSTART:20270104T090000\r\nDTEND:20270104T100000\r\nRRULE:FREQ=WEEKLY\r\n"
                                 "SUMMARY:Weekly\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    const QTimeZone berlin("Europe/Berlin");
    ICalendarReader::ReadOptions options = Berlin();
    options.Today = QDate(2027, 1, 4);
    basICalendar::ImportSummary summary;
    ASSERT_TRUE(basICalendar::ImportCalendarFile(store, path, summary, options));
    const auto last = [&] { return EventsByName(store)[QStringLiteral("Weekly")].dates.last(); };
    ASSERT_LE(last(), QDate(2032, 1, 4));
    bool changed = true;
    ASSERT_TRUE(basICalendar::KeepIndexCurrent(store, berlin, QDate(2027, 1, 4), &changed));
    EXPECT_FALSE(changed);
    ASSERT_TRUE(basICalendar::KeepIndexCurrent(store, berlin, QDate(2027, 1, 20), &changed));
    EXPECT_FALSE(changed) << "not a month on yet";
    ASSERT_TRUE(basICalendar::KeepIndexCurrent(store, berlin, QDate(2027, 3, 1), &changed));
    EXPECT_TRUE(changed);
    EXPECT_GT(last(), QDate(2032, 2, 20));
    EXPECT_EQ(EventsByName(store)[QStringLiteral("Weekly")].dates.first(), QDate(2027, 1, 4));
}

// One occurrence changed on its own is an override of its series: it goes out as one
// RECURRENCE-ID, reads back the same elsewhere, and later edits and deletes keep the series.
TEST_F(ICalendarStore, OneOccurrenceChangedOnItsOwnStaysPartOfItsSeries)
{
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(basICalendar::KeepIndexCurrent(store, berlin));
    EventService events(store, berlin);
    quillon::Event weekly;
    weekly.EventName = QStringLiteral("Team call");
    weekly.StartTime = QTime(9, 0);
    weekly.EndTime = QTime(9, 30);
    weekly.Rule = Recurrence{};
    weekly.Rule->Weekdays = {Qt::Monday};
    weekly.Rule->Until = QDate(2027, 6, 30);
    weekly.RuleStart = QDate(2027, 1, 4);
    weekly.Dates = weekly.Rule->Days(weekly.RuleStart, weekly.RuleStart, QDate(2027, 6, 30));
    const std::optional<EventService::Saved> saved = events.Save(weekly);
    ASSERT_TRUE(saved);
    const auto exported = [&] {
        const QString out = TempPath(QStringLiteral("series.ics"));
        basICalendar::ExportSummary summary;
        EXPECT_TRUE(basICalendar::ExportCalendarFile(store, out, summary));
        QFile file(out);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    };

    // Monday 18 January moved to Tuesday at 11:00 and renamed.
    quillon::Event moved = *events.Load(saved->EventID);
    moved.EventName = QStringLiteral("Team call (moved)");
    moved.StartTime = QTime(11, 0);
    moved.EndTime = QTime(11, 30);
    const std::optional<EventService::Saved> one =
        events.SaveOccurrence(moved, QDate(2027, 1, 18), EventService::Occurrences::OnlyThis, QDate(2027, 1, 19));
    ASSERT_TRUE(one);
    EXPECT_EQ(one->TouchedDates, (QList<QDate>{QDate(2027, 1, 18), QDate(2027, 1, 19)}));
    auto stored = EventsByName(store);
    EXPECT_EQ(stored[QStringLiteral("Team call")].dates.size(), 25);
    EXPECT_FALSE(stored[QStringLiteral("Team call")].dates.contains(QDate(2027, 1, 18)));
    EXPECT_EQ(stored[QStringLiteral("Team call (moved)")].dates, QList<QDate>{QDate(2027, 1, 19)});
    EXPECT_EQ(stored[QStringLiteral("Team call (moved)")].event.StartTime, QTime(11, 0));
    QByteArray written = exported();
    EXPECT_EQ(written.count("BEGIN:VEVENT"), 2) << written.toStdString();
    EXPECT_EQ(written.count("RECURRENCE-ID;TZID=Europe/Berlin:20270118T090000"), 1) << written.toStdString();
    EXPECT_TRUE(written.contains("DTSTART;TZID=Europe/Berlin:20270119T110000")) << written.toStdString();
    EXPECT_EQ(written.count("RRULE:FREQ=WEEKLY"), 1) << written.toStdString();

    // Read into another store: the same occurrences.
    const QString freshFile = TempPath(QStringLiteral("fresh.sqlite"));
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(freshFile, error)) << error.toStdString();
    const QString copy = Written(QStringLiteral("copy.ics"), written);
    {
        db::EventStore fresh;
        ASSERT_TRUE(fresh.OpenDatabaseConnection(freshFile));
        basICalendar::ImportSummary summary;
        ASSERT_TRUE(basICalendar::ImportCalendarFile(fresh, copy, summary, Berlin()));
        const auto copied = EventsByName(fresh);
        for (const QString &name : {QStringLiteral("Team call"), QStringLiteral("Team call (moved)")}) {
            EXPECT_EQ(copied.at(name).dates, stored[name].dates) << name.toStdString();
            EXPECT_EQ(copied.at(name).event.StartTime, stored[name].event.StartTime) << name.toStdString();
        }
    }

    // The moved occurrence renamed again, then the series renamed: each keeps its own name.
    quillon::Event again = *events.Load(one->EventID);
    again.EventName = QStringLiteral("Moved call");
    ASSERT_TRUE(events.SaveOccurrence(again, QDate(2027, 1, 19), EventService::Occurrences::OnlyThis));
    quillon::Event series = *events.Load(saved->EventID);
    series.EventName = QStringLiteral("Weekly call");
    ASSERT_TRUE(events.SaveOccurrence(series, QDate(2027, 2, 1), EventService::Occurrences::All));
    written = exported();
    EXPECT_EQ(written.count("BEGIN:VEVENT"), 2) << written.toStdString();
    EXPECT_TRUE(written.contains("SUMMARY:Moved call") && written.contains("SUMMARY:Weekly call")) << written.toStdString();
    EXPECT_EQ(written.count("RRULE:FREQ=WEEKLY"), 1) << written.toStdString();
    stored = EventsByName(store);
    EXPECT_EQ(stored[QStringLiteral("Weekly call")].dates.size(), 25);
    EXPECT_EQ(stored[QStringLiteral("Moved call")].dates, QList<QDate>{QDate(2027, 1, 19)});

    // Deleting the moved occurrence takes only it: its instance is excluded.
    ASSERT_TRUE(events.IsOneLookOfSeveral(one->EventID));
    ASSERT_TRUE(events.DeleteOccurrences(one->EventID, QDate(2027, 1, 19), EventService::Occurrences::OnlyThis));
    stored = EventsByName(store);
    EXPECT_EQ(stored.count(QStringLiteral("Moved call")), 0u);
    EXPECT_EQ(stored[QStringLiteral("Weekly call")].dates.size(), 25);
    written = exported();
    EXPECT_EQ(written.count("BEGIN:VEVENT"), 1) << written.toStdString();
    EXPECT_TRUE(written.contains("EXDATE;TZID=Europe/Berlin:20270118T090000")) << written.toStdString();
}

// "This and following events" ends the series before the day and starts the change there.
TEST_F(ICalendarStore, ThisAndFollowingSplitsTheSeriesAtTheDay)
{
    const QTimeZone berlin("Europe/Berlin");
    EventService events(store, berlin);
    quillon::Event weekly;
    weekly.EventName = QStringLiteral("Class");
    weekly.StartTime = QTime(18, 0);
    weekly.EndTime = QTime(19, 0);
    weekly.Rule = Recurrence{};
    weekly.Rule->Weekdays = {Qt::Monday};
    weekly.Rule->Count = 10;
    weekly.RuleStart = QDate(2027, 1, 4);
    weekly.Dates = weekly.Rule->Days(weekly.RuleStart, weekly.RuleStart, QDate(2027, 12, 31));
    const std::optional<EventService::Saved> saved = events.Save(weekly);
    ASSERT_TRUE(saved);
    quillon::Event later = *events.Load(saved->EventID);
    later.EventName = QStringLiteral("Later class");
    later.StartTime = QTime(19, 0);
    later.EndTime = QTime(20, 0);
    const std::optional<EventService::Saved> split =
        events.SaveOccurrence(later, QDate(2027, 1, 25), EventService::Occurrences::ThisAndFollowing);
    ASSERT_TRUE(split);
    auto stored = EventsByName(store);
    EXPECT_EQ(stored[QStringLiteral("Class")].dates,
              (QList<QDate>{QDate(2027, 1, 4), QDate(2027, 1, 11), QDate(2027, 1, 18)}));
    EXPECT_EQ(stored[QStringLiteral("Later class")].dates.size(), 7);
    EXPECT_EQ(stored[QStringLiteral("Later class")].dates.front(), QDate(2027, 1, 25));
    const std::optional<quillon::Event> following = events.Load(split->EventID);
    ASSERT_TRUE(following && following->Rule);
    EXPECT_EQ(following->Rule->Count, 7);
    EXPECT_EQ(following->RuleStart, QDate(2027, 1, 25));
}

// An event stored before texts were kept, once exported, keeps its UID when an edit
// gives it a text of its own.
TEST_F(ICalendarStore, AnOlderEventKeepsItsUidWhenItGetsItsText)
{
    qint64 id = 0;
    ASSERT_TRUE(store.AddEventToDatabase(Event(QStringLiteral("Old call")), {QDate(2027, 2, 1)}, id));
    const QString out = TempPath(QStringLiteral("old.ics"));
    const auto uidOf = [&] {
        basICalendar::ExportSummary exported;
        EXPECT_TRUE(basICalendar::ExportCalendarFile(store, out, exported));
        QFile file(out);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        const qsizetype at = text.indexOf("\r\nUID:") + 7;
        return std::pair(text.mid(at, text.indexOf("\r\n", at) - at), text);
    };
    const QByteArray before = uidOf().first;
    ASSERT_TRUE(before.endsWith("@quillon"));
    EventService events(store, Berlin().LocalZone);
    std::optional<quillon::Event> event = events.Load(id);
    ASSERT_TRUE(event);
    event->EventName = QStringLiteral("Old call, renamed");
    ASSERT_TRUE(events.Save(*event));
    const auto [after, text] = uidOf();
    EXPECT_EQ(after, before);
    EXPECT_TRUE(text.contains("SUMMARY:Old call\\, renamed")) << text.toStdString();
}

// The bytes of an export of every kind of event, pinned: the store's own (days in a run
// and apart, a series with a changed occurrence, an evening into the next morning,
// reminders, colour, icon, texts to escape and fold) and a file's, whose text is kept
// (a zone given, a zone only named, an origin from another store), and a church day.
TEST_F(ICalendarStore, AnExportOfEveryKindIsWrittenByteForByteAsPinned)
{
    SetNow(QDateTime(QDate(2026, 12, 6), QTime(18, 46, 25), QTimeZone::utc()));
    const QByteArray file =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//elsewhere//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
        "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
        "BEGIN:VEVENT\r\nUID:weekly@elsewhere\r\nDTSTAMP:20260101T000000Z\r\n"
        "DTSTART;TZID=Europe/Berlin:20270104T090000\r\nDTEND;TZID=Europe/Berlin:20270104T100000\r\n"
        "RRULE:FREQ=WEEKLY;COUNT=4\r\nSUMMARY:Planning\r\nDESCRIPTION:A long description that a writer folded at sev\r\n"
        " enty-five bytes\\, as files do\r\nX-OTHER-APP:kept\r\n"
        "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:weekly@elsewhere\r\nDTSTAMP:20260101T000000Z\r\n"
        "RECURRENCE-ID;TZID=Europe/Berlin:20270111T090000\r\nDTSTART;TZID=Europe/Berlin:20270111T110000\r\n"
        "DTEND;TZID=Europe/Berlin:20270111T120000\r\nSUMMARY:Planning\\, later\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:call@elsewhere\r\nDTSTAMP:20260101T000000Z\r\nX-QUILLON-ORIGIN:0123456789abcdef\r\n"
        "DTSTART;TZID=America/Chicago:20270201T080000\r\nDURATION:PT30M\r\nSUMMARY:Call\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:trip@elsewhere\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20270301\r\n"
        "DTEND;VALUE=DATE:20270304\r\nSUMMARY:Trip\r\nLOCATION:Lyon\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    basICalendar::ImportSummary imported;
    ASSERT_TRUE(Import(Written(QStringLiteral("elsewhere.ics"), file), imported));
    ASSERT_EQ(imported.Added, 4) << imported.Warnings.join(QLatin1Char('\n')).toStdString();

    const auto add = [this](const db::EventRecord &event, const QList<QDate> &dates, const QString &uid) {
        qint64 id = 0;
        ASSERT_TRUE(store.AddEventToDatabase(event, dates, id));
        ASSERT_TRUE(store.SetEventUid(QString(), uid, id, QString()));
    };
    db::EventRecord timed = Event(QStringLiteral("Dentist; bring \\ the card, \"forms\""),
                                  QStringLiteral("Line one\nLine two, with ünïcödé and 😀 repeated past the fold: "
                                                 "éééééééééééééééééééééééééééééééééééé\x01 end"),
                                  QTime(8, 15), QTime(9, 0));
    timed.EventColor = QStringLiteral("Fuschia");
    timed.EventIcon = 123;
    timed.Reminder = 15;
    add(timed, {QDate(2026, 12, 7)}, QStringLiteral("dentist@quillon"));
    db::EventRecord holiday = Event(QStringLiteral("Holiday"));
    holiday.AllDayEvent = true;
    holiday.Reminder = 1440;
    add(holiday, {QDate(2026, 7, 20), QDate(2026, 7, 21), QDate(2026, 7, 22)}, QStringLiteral("holiday@quillon"));
    db::EventRecord picked = Event(QString(), QString(), QTime(9, 0), QTime(9, 0), true);
    picked.AllDayEvent = true;
    add(picked, {QDate(1900, 1, 1), QDate(2000, 2, 29), QDate(2100, 12, 31)}, QStringLiteral("picked@quillon"));
    db::EventRecord gym = Event(QStringLiteral("Gym"), QString(), QTime(18, 0), QTime(19, 30), true);
    gym.Reminder = 0;
    add(gym, {QDate(2027, 1, 5), QDate(2027, 1, 12), QDate(2027, 1, 26)}, QStringLiteral("gym@quillon"));
    gym.StartTime = QTime(19, 0);
    gym.EndTime = QTime(20, 0);
    add(gym, {QDate(2027, 1, 19)}, EventSeries::PartUid(QStringLiteral("gym@quillon"), 1));
    db::EventRecord evening = Event(QStringLiteral("Night shift"), QString(), QTime(22, 0), QTime(23, 59));
    add(evening, {QDate(2027, 2, 10)}, QStringLiteral("shift@quillon"));
    evening.StartTime = QTime(0, 0);
    evening.EndTime = QTime(6, 0);
    add(evening, {QDate(2027, 2, 11)}, EventSeries::PartUid(QStringLiteral("shift@quillon"), 1));
    add(Event(QStringLiteral("Said once, but recurring"), QString(), QTime(7, 0), QTime(7, 30), true), {QDate(2027, 3, 1)},
        QStringLiteral("said@quillon"));
    Raw(QStringLiteral("INSERT INTO Dates (DateKey, DateColor, EventCount, DateNotes, DateText) "
                       "VALUES ('2026-12-25', 'White', 0, '', 'Christmas Day')"));

    basICalendar::ExportOptions options;
    options.ChurchYearFrom = options.ChurchYearTo = 2026;
    const QString out = TempPath(QStringLiteral("out.ics"));
    basICalendar::ExportSummary summary;
    ASSERT_TRUE(basICalendar::ExportCalendarFile(store, out, summary, options));
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    // What depends on the machine: where the file was (the origin tag), the system's zones.
    QByteArray text = written.readAll();
    text.replace(ICalendarKept::SystemZone("America/Chicago"), "(the system's America/Chicago)\r\n");
    static const QRegularExpression origin(QStringLiteral("X-QUILLON-ORIGIN:(?!0123456789abcdef)[0-9a-f]{16}"));
    text = QString::fromUtf8(text).replace(origin, QStringLiteral("X-QUILLON-ORIGIN:(tag of the file)")).toUtf8();
    QFile pinned(DataPath("export_every_kind.ics"));
    ASSERT_TRUE(pinned.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.toStdString(), pinned.readAll().toStdString());
}


// Read while its events are stored, a file gives the rows of one read whole first (a
// caller's own reading): many days, so that the index is made anew, a file changed
// since, and one whose flaw comes late, which takes everything back.
TEST_F(ICalendarStore, AFileReadWhileStoredGivesTheRowsOfOneReadFirst)
{
    const auto file = [](int changed) {
        QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
        for (int i = 0; i < 1200; ++i) {
            const QByteArray day = QDate(2026, 1, 1).addDays(i % 200).toString(QStringLiteral("yyyyMMdd")).toLatin1();
            text += "BEGIN:VEVENT\r\nUID:e" + QByteArray::number(i) + "\r\nDTSTART:" + day + "T090000\r\nDTEND:" + day
                    + "T100000\r\nSUMMARY:Event " + QByteArray::number(i % changed) + "\r\n"
                    + (i % 3 == 0 ? "RRULE:FREQ=WEEKLY;COUNT=20\r\n" : "") + (i % 101 == 0 ? "COLOR:nocolor\r\n" : "")
                    + "END:VEVENT\r\n";
        }
        return text + "END:VCALENDAR\r\n";
    };
    const QString calendar = TempPath(QStringLiteral("many.ics"));
    const auto rows = [](const QString &storeFile) {
        QStringList all = Dump(storeFile);
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("series"));
        raw.setDatabaseName(storeFile);
        EXPECT_TRUE(raw.open());
        QSqlQuery query(QStringLiteral("SELECT Source, Uid, Component FROM Series ORDER BY Source, Uid"), raw);
        while (query.next())
            all.append(query.value(0).toString() + query.value(1).toString() + query.value(2).toString());
        query = QSqlQuery();
        raw = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("series"));
        return all;
    };
    QList<QStringList> dumps;
    for (const bool whole : {true, false}) {
        const QString storeFile = TempPath(whole ? QStringLiteral("whole.sqlite") : QStringLiteral("ahead.sqlite"));
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(storeFile, error)) << error.toStdString();
        messages.clear();
        {
            db::EventStore two;
            ASSERT_TRUE(two.OpenDatabaseConnection(storeFile));
            const basICalendar::CalendarReading readWhole = [](const ICalendarLines::Text &text,
                                                                const ICalendarReader::ReadOptions &options) {
                return ICalendarReader::ReadCalendar(text, options);
            };
            QStringList warnings;
            for (const int changed : {1200, 7}) {
                Written(QStringLiteral("many.ics"), file(changed));
                basICalendar::ImportSummary summary;
                ASSERT_TRUE(basICalendar::ImportCalendarFile(two, calendar, summary, Berlin(), whole ? readWhole : nullptr));
                warnings += summary.Warnings;
                warnings.append(QStringLiteral("%1 %2 %3").arg(summary.Added).arg(summary.Updated).arg(summary.Unchanged));
            }
            const QStringList before = rows(storeFile);
            Written(QStringLiteral("many.ics"), file(5).replace("END:VCALENDAR", "BEGIN:VEVENT\r\nUID:many\r\nDTSTART:20260101T000000\r\n"
                                                                           "RRULE:FREQ=MINUTELY;COUNT=200000\r\nEND:VEVENT\r\nEND:VCALENDAR"));
            basICalendar::ImportSummary summary;
            EXPECT_FALSE(basICalendar::ImportCalendarFile(two, calendar, summary, Berlin(), whole ? readWhole : nullptr));
            EXPECT_EQ(rows(storeFile), before);
            dumps.append(before + warnings + ReportedModules());
        }
        ExpectClean(storeFile);
    }
    ASSERT_EQ(dumps[1].size(), dumps[0].size());
    for (qsizetype i = 0; i < dumps[0].size(); ++i)
        ASSERT_EQ(dumps[1][i], dumps[0][i]) << i;
    EXPECT_GT(dumps[0].size(), 10000);
}

} // namespace

} // namespace quillon
