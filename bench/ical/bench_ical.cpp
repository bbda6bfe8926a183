// Calendar files in and out: importing a file of N events (a third of them weekly for a
// year) into a store that already holds N events, and exporting that store afterwards.
// N = 1,000 and 10,000 show whether the time grows linearly. ImportHostile: files of a few
// kilobytes whose rules never or hardly ever match, or cost much, each into an empty store.
// ImportLarge: a file of 200,000 events just under the 64 MB limit, as a feed of several
// years is; it reports the process's peak resident memory, which is the import's own when
// it runs alone (--benchmark_filter=ImportLarge). `bench_ical --write-large FILE` writes
// that file, to measure quillon-db import with /usr/bin/time -v.
// Run: build/bin/bench_ical --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "EventStore.h"
#include "basICalendar.h"
#include "basSchema.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <map>

namespace quillon {

namespace {

void Fail(const char *what)
{
    std::fprintf(stderr, "bench_ical: %s\n", what);
    std::exit(1);
}

// A file of count events: every third a weekly series of a year, the others single
// timed events and all-day events spread over two years.
QByteArray CalendarText(int count)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quillon bench//EN\r\n";
    const QDate first(2026, 1, 1);
    for (int i = 0; i < count; ++i) {
        const QDate day = first.addDays(i % 730);
        const QByteArray date = day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        text += "BEGIN:VEVENT\r\nUID:bench-" + QByteArray::number(i) + "@quillon\r\nDTSTAMP:20260101T000000Z\r\n";
        if (i % 3 == 0) {
            text += "DTSTART:" + date + "T090000\r\nDTEND:" + date + "T100000\r\nRRULE:FREQ=WEEKLY;COUNT=52\r\n";
        } else if (i % 3 == 1) {
            text += "DTSTART:" + date + "T140000\r\nDTEND:" + date + "T153000\r\nCOLOR:teal\r\n";
        } else {
            text += "DTSTART;VALUE=DATE:" + date + "\r\n";
        }
        text += "SUMMARY:Event number " + QByteArray::number(i) + "\r\nDESCRIPTION:Notes of event " + QByteArray::number(i)
                + "\r\nEND:VEVENT\r\n";
    }
    text += "END:VCALENDAR\r\n";
    return text;
}

// A large feed: count events of about 320 bytes, a third of them in Berlin time (one
// VTIMEZONE), every fifth weekly for a year, the others single timed or all-day events.
QByteArray LargeCalendarText(int count)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quillon bench//EN\r\n"
                      "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\n"
                      "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nTZNAME:CEST\r\n"
                      "DTSTART:19700329T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
                      "BEGIN:STANDARD\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\n"
                      "DTSTART:19701025T030000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
                      "END:VTIMEZONE\r\n";
    text.reserve(qsizetype(count) * 330);
    const QDate first(2020, 1, 1);
    for (int i = 0; i < count; ++i) {
        const QByteArray date = first.addDays(i % 3650).toString(QStringLiteral("yyyyMMdd")).toLatin1();
        const QByteArray number = QByteArray::number(i);
        text += "BEGIN:VEVENT\r\nUID:large-" + number + "-4b1f0c2e@example.com\r\nDTSTAMP:20260101T000000Z\r\n"
                "LAST-MODIFIED:20250102T120000Z\r\n";
        const QByteArray zone = i % 3 == 0 ? ";TZID=Europe/Berlin:" : ":";
        if (i % 5 == 0)
            text += "DTSTART" + zone + date + "T090000\r\nDTEND" + zone + date + "T100000\r\nRRULE:FREQ=WEEKLY;COUNT=52\r\n";
        else if (i % 5 == 4)
            text += "DTSTART;VALUE=DATE:" + date + "\r\n";
        else
            text += "DTSTART" + zone + date + "T140000\r\nDTEND" + zone + date + "T153000\r\n";
        text += "SUMMARY:Meeting number " + number + "\r\nLOCATION:Room " + QByteArray::number(i % 40)
                + "\r\nDESCRIPTION:Notes of meeting " + number + ": agenda\\, minutes and the actions agreed\r\n"
                + "STATUS:CONFIRMED\r\nEND:VEVENT\r\n";
    }
    text += "END:VCALENDAR\r\n";
    return text;
}

// For each size, a store file holding that many events (made once) and the file to
// import; each run imports into a fresh copy of the store.
class Fixture {
public:
    static Fixture &Of(int count)
    {
        static std::map<int, Fixture> fixtures;
        auto found = fixtures.find(count);
        if (found == fixtures.end())
            found = fixtures.try_emplace(count, count).first;
        return found->second;
    }

    explicit Fixture(int count)
    {
        if (!m_dir.isValid())
            Fail("no temporary folder");
        QString error;
        if (!basSchema::CreateDatabaseFile(BasePath(), error))
            Fail("cannot make the store");
        {
            basDatabase::EventStore store;
            if (!store.OpenDatabaseConnection(BasePath()))
                Fail("cannot open the store");
            basDatabase::EventRecord event;
            event.StartTime = QTime(8, 0);
            event.EndTime = QTime(8, 30);
            const bool filled = store.RunInTransaction([&] {
                for (int i = 0; i < count; ++i) {
                    qint64 id = 0;
                    event.EventName = QStringLiteral("Stored %1").arg(i);
                    if (!store.AddEventToDatabase(event, {QDate(2025, 1, 1).addDays(i % 1000)}, id))
                        return false;
                }
                return true;
            });
            if (!filled)
                Fail("cannot fill the store");
        }
        QFile file(CalendarPath());
        if (!file.open(QIODevice::WriteOnly) || file.write(CalendarText(count)) < 0)
            Fail("cannot write the calendar file");
    }

    QString BasePath() const { return m_dir.filePath(QStringLiteral("base.sqlite")); }
    QString CalendarPath() const { return m_dir.filePath(QStringLiteral("in.ics")); }
    QString WorkPath() const { return m_dir.filePath(QStringLiteral("work.sqlite")); }
    QString ExportPath() const { return m_dir.filePath(QStringLiteral("out.ics")); }

    void FreshCopy() const
    {
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(WorkPath() + QLatin1String(suffix));
        if (!QFile::copy(BasePath(), WorkPath()))
            Fail("cannot copy the store");
    }

private:
    QTemporaryDir m_dir{QCoreApplication::applicationDirPath() + QStringLiteral("/bench-XXXXXX")};
};

void ImportFile(benchmark::State &state)
{
    const Fixture &fixture = Fixture::Of(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fixture.FreshCopy();
        basDatabase::EventStore store;
        if (!store.OpenDatabaseConnection(fixture.WorkPath()))
            Fail("cannot open the copy");
        state.ResumeTiming();
        basICalendar::ImportSummary summary;
        if (!basICalendar::ImportCalendarFile(store, fixture.CalendarPath(), summary))
            state.SkipWithError("import failed");
        state.counters["added"] = summary.Added;
    }
}

// The file alone: libical's parse and expansion and the conversion to local days.
void ReadFileOnly(benchmark::State &state)
{
    const QByteArray text = CalendarText(int(state.range(0)));
    for (auto _ : state) {
        const ICalendarReader::CalendarContents contents = ICalendarReader::ReadCalendar(text, {});
        benchmark::DoNotOptimize(contents.Events.size());
    }
}

// The large feed into an empty store, once: time and the peak resident memory.
void ImportLarge(benchmark::State &state)
{
    static QTemporaryDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/bench-XXXXXX"));
    const QString store = dir.filePath(QStringLiteral("large.sqlite"));
    const QString calendar = dir.filePath(QStringLiteral("large.ics"));
    {
        QFile file(calendar);
        if (!file.open(QIODevice::WriteOnly) || file.write(LargeCalendarText(int(state.range(0)))) < 0)
            Fail("cannot write the calendar file");
    }
    QString error;
    for (auto _ : state) {
        state.PauseTiming();
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(store + QLatin1String(suffix));
        basDatabase::EventStore events;
        if (!basSchema::CreateDatabaseFile(store, error) || !events.OpenDatabaseConnection(store))
            Fail("cannot make the store");
        state.ResumeTiming();
        basICalendar::ImportSummary summary;
        if (!basICalendar::ImportCalendarFile(events, calendar, summary))
            state.SkipWithError("import failed");
        state.counters["added"] = summary.Added;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["bytes"] = double(QFileInfo(calendar).size());
    state.counters["peak_rss_mb"] = double(usage.ru_maxrss) / 1024.0;
}

// Hostile calendar files of a few kilobytes: rules that never or hardly ever match at a
// fine frequency, and rules that are costly but legal, many times over.
struct HostileFile {
    const char *name;
    QByteArray text;
};

QByteArray Events(int count, const QByteArray &lines)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quillon bench//EN\r\n"
                      "BEGIN:VEVENT\r\nUID:fine@quillon\r\nDTSTART;VALUE=DATE:20261208\r\nSUMMARY:Fine\r\nEND:VEVENT\r\n";
    for (int i = 0; i < count; ++i)
        text += "BEGIN:VEVENT\r\nUID:hostile-" + QByteArray::number(i) + "@quillon\r\nSUMMARY:Hostile\r\n" + lines + "END:VEVENT\r\n";
    return text + "END:VCALENDAR\r\n";
}

const QList<HostileFile> &HostileFiles()
{
    static const QList<HostileFile> files = {
        {"never-matching secondly rules",
         Events(20, "DTSTART:19000101T000000\r\nRRULE:FREQ=SECONDLY;BYMONTH=4;BYMONTHDAY=31;UNTIL=99991231T235959Z\r\n")},
        {"secondly rules matching seven times in two centuries",
         Events(20, "DTSTART:19000101T000000\r\nRRULE:FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=29;BYDAY=MO;BYHOUR=3;BYMINUTE=3;"
                    "BYSECOND=3;UNTIL=99991231T235959Z\r\n")},
        {"hourly rules of 78 a hour from 1900, COUNT=99999",
         Events(5, "DTSTART:19000101T000000\r\nRRULE:FREQ=HOURLY;BYSECOND=0,1,2,3,4,5,6,7,8,9,10,11,12;"
                   "BYMINUTE=0,1,2,3,4,5;COUNT=99999\r\n")},
        {"daily rules over two centuries", Events(40, "DTSTART:19000101T100000\r\nRRULE:FREQ=DAILY;UNTIL=21001231\r\n")},
        {"daily rules over two centuries in New York time",
         Events(40, "DTSTART;TZID=America/New_York:19000101T100000\r\nRRULE:FREQ=DAILY;UNTIL=21001231T000000Z\r\n")},
    };
    return files;
}

// Each file into an empty store; the figure that matters is the worst.
void ImportHostile(benchmark::State &state)
{
    static QTemporaryDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/bench-XXXXXX"));
    const HostileFile &hostile = HostileFiles()[state.range(0)];
    const QString base = dir.filePath(QStringLiteral("empty.sqlite"));
    const QString work = dir.filePath(QStringLiteral("hostile.sqlite"));
    const QString calendar = dir.filePath(QStringLiteral("hostile.ics"));
    QString error;
    if (!QFile::exists(base) && !basSchema::CreateDatabaseFile(base, error))
        Fail("cannot make the store");
    QFile file(calendar);
    if (!file.open(QIODevice::WriteOnly) || file.write(hostile.text) < 0)
        Fail("cannot write the calendar file");
    file.close();
    state.SetLabel(hostile.name);
    for (auto _ : state) {
        state.PauseTiming();
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(work + QLatin1String(suffix));
        if (!QFile::copy(base, work))
            Fail("cannot copy the store");
        basDatabase::EventStore store;
        if (!store.OpenDatabaseConnection(work))
            Fail("cannot open the copy");
        state.ResumeTiming();
        basICalendar::ImportSummary summary;
        if (!basICalendar::ImportCalendarFile(store, calendar, summary))
            state.SkipWithError("import failed");
        state.counters["bytes"] = double(hostile.text.size());
        state.counters["added"] = summary.Added;
        state.counters["skipped"] = double(summary.Warnings.filter(QStringLiteral("; skipped")).size());
    }
}

void ExportStore(benchmark::State &state)
{
    const Fixture &fixture = Fixture::Of(int(state.range(0)));
    fixture.FreshCopy();
    basDatabase::EventStore store;
    basICalendar::ImportSummary imported;
    if (!store.OpenDatabaseConnection(fixture.WorkPath())
        || !basICalendar::ImportCalendarFile(store, fixture.CalendarPath(), imported))
        Fail("cannot prepare the store to export");
    // The first export gives the stored events their UIDs; the ones measured find them.
    basICalendar::ExportSummary summary;
    if (!basICalendar::ExportCalendarFile(store, fixture.ExportPath(), summary))
        Fail("cannot export");
    for (auto _ : state) {
        if (!basICalendar::ExportCalendarFile(store, fixture.ExportPath(), summary))
            state.SkipWithError("export failed");
        state.counters["events"] = summary.Events;
    }
}

} // namespace

BENCHMARK(ImportFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ReadFileOnly)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ExportStore)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ImportHostile)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ImportLarge)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(1);

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write-large") == 0) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        return file.open(QIODevice::WriteOnly) && file.write(LargeCalendarText(200000)) >= 0 ? 0 : 1;
    }
    qputenv("QUILLON_NONINTERACTIVE", "1");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
