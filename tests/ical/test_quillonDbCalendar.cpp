// quillon-db import and export, and add, edit and delete, as a user runs them.
#include "EventService.h"
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "basQuillon.h"
#include "basSchema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace quillon {

namespace {

using quillontest::QuillonTest;

const QString kTool = QStringLiteral(QUILLON_PROGRAM_DIR "/quillon-db");

QString DataPath(const char *name) { return QStringLiteral(QUILLON_ICAL_DATA "/") + QLatin1String(name); }

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList &arguments, const QString &program = kTool, const QString &locale = QString())
{
    QProcess tool;
    if (!locale.isEmpty())
        tool.setProcessEnvironment(quillontest::InLocale(locale));
    tool.start(program, arguments);
    ToolRun run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.out = QString::fromLocal8Bit(tool.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(tool.readAllStandardError());
    return run;
}

class QuillonDbCalendar : public QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(Store(), error)) << error.toStdString();
    }
    QString Store() const { return TempPath(QStringLiteral("store with blanks.sqlite")); }
};

TEST_F(QuillonDbCalendar, ImportReportsWhatItDidAndRefusesBrokenFiles)
{
    ToolRun run = RunTool({QStringLiteral("import"), DataPath("rules_lf.ics"), Store()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral(": 11 added, 0 updated, 0 unchanged"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("rules_lf.ics: line 40: \"Leap birthday\" repeats without end; "
                                                "dates taken up to 2031-12-06")))
        << run.out.toStdString();

    run = RunTool({QStringLiteral("import"), DataPath("rules_lf.ics"), Store()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral(": 0 added, 0 updated, 11 unchanged"))) << run.out.toStdString();

    // Rules that would take forever: skipped by name, the rest imported.
    run = RunTool({QStringLiteral("import"), DataPath("hostile_rules.ics"), Store()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Four events; the 78 a hour an afternoon less on its last day, the DTSTART of the
    // rare one at another time than its rule's: an event each of their own.
    EXPECT_TRUE(run.out.contains(QStringLiteral(": 6 added, 0 updated, 0 unchanged"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("hostile_rules.ics: line 13, UID \"never@tests\": its repeat rule can never "
                                                "match (BYDAY=1MO: a numbered weekday fits only a monthly or yearly rule); skipped")))
        << run.out.toStdString();
    EXPECT_EQ(run.out.count(QStringLiteral("; skipped")), 3);

    run = RunTool({QStringLiteral("import"), DataPath("truncated.ics"), Store()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("truncated.ics: line 10: BEGIN:VEVENT has no END:VEVENT"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("nothing was imported")));

    run = RunTool({QStringLiteral("import"), DataPath("rules_lf.ics"), TempPath(QStringLiteral("missing.sqlite"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(QFile::exists(TempPath(QStringLiteral("missing.sqlite"))));

    run = RunTool({QStringLiteral("check"), Store()});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();

    EXPECT_EQ(RunTool({QStringLiteral("import"), DataPath("rules_lf.ics")}).exitCode, 64);
    EXPECT_EQ(RunTool({QStringLiteral("import"), QStringLiteral("--x"), Store()}).exitCode, 64);
}

TEST_F(QuillonDbCalendar, ExportWritesTheEventsAndOptionallyTheChurchYear)
{
    ASSERT_EQ(RunTool({QStringLiteral("import"), DataPath("folded_crlf.ics"), Store()}).exitCode, 0);
    const QString out = TempPath(QStringLiteral("out.ics"));
    ToolRun run = RunTool({QStringLiteral("export"), Store(), out, QStringLiteral("--church-year"), QStringLiteral("2026"),
                           QStringLiteral("2027")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("exported 1 events and 0 church-year days"))) << run.out.toStdString();
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("UID:folded-1@tests\r\n"));

    for (const QStringList &wrong : {QStringList{QStringLiteral("export"), Store()},
                                     QStringList{QStringLiteral("export"), Store(), out, QStringLiteral("--church-year"),
                                                 QStringLiteral("2027"), QStringLiteral("2026")},
                                     QStringList{QStringLiteral("export"), Store(), out, QStringLiteral("--church-year"),
                                                 QStringLiteral("1800"), QStringLiteral("1801")},
                                     QStringList{QStringLiteral("export"), Store(), out, QStringLiteral("--church-year")}})
        EXPECT_EQ(RunTool(wrong).exitCode, 64) << wrong.join(QLatin1Char(' ')).toStdString();

    // A folder that cannot take the file: an error, not a half-written file.
    run = RunTool({QStringLiteral("export"), Store(), TempPath(QStringLiteral("no/such/folder/out.ics"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("basICalendar.ExportCalendarFile"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("the folder %1 does not exist").arg(TempPath(QStringLiteral("no/such/folder")))))
        << run.err.toStdString();
}

void WriteFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray OneEvent(const char *uid, const char *summary)
{
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:") + uid
           + "\r\nDTSTART;VALUE=DATE:20260310\r\nSUMMARY:" + summary + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

TEST_F(QuillonDbCalendar, AUidIsTheFilesOwnAndOurExportReadBackAddsNothing)
{
    const QString work = TempPath(QStringLiteral("work.ics"));
    const QString club = TempPath(QStringLiteral("club.ics"));
    WriteFile(work, OneEvent("1", "Dentist"));
    WriteFile(club, OneEvent("1", "Soccer practice"));
    const auto import = [this](const QString &file) {
        const ToolRun run = RunTool({QStringLiteral("import"), file, Store()});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out;
    };
    EXPECT_TRUE(import(work).contains(QStringLiteral(": 1 added, 0 updated, 0 unchanged")));
    EXPECT_TRUE(import(club).contains(QStringLiteral(": 1 added, 0 updated, 0 unchanged")));
    // Each file updates only its own event, also when named by another path.
    WriteFile(work, OneEvent("1", "Dentist at 3"));
    EXPECT_TRUE(import(TempPath(QStringLiteral("./work.ics"))).contains(QStringLiteral(": 0 added, 1 updated, 0 unchanged")));
    EXPECT_TRUE(import(club).contains(QStringLiteral(": 0 added, 0 updated, 1 unchanged")));

    // Our own export, read back, is the same events: its file is a source of its own, but
    // the store knows the events it wrote.
    const QString out = TempPath(QStringLiteral("out.ics"));
    ASSERT_EQ(RunTool({QStringLiteral("export"), Store(), out}).exitCode, 0);
    EXPECT_TRUE(import(out).contains(QStringLiteral(": 0 added, 0 updated, 2 unchanged")));
    // Changed there, it changes the event; the source file, unchanged, then changes nothing.
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    file.close();
    WriteFile(out, text.replace("SUMMARY:Soccer practice", "SUMMARY:Soccer match"));
    EXPECT_TRUE(import(out).contains(QStringLiteral(": 0 added, 1 updated, 1 unchanged")));
    EXPECT_TRUE(import(club).contains(QStringLiteral(": 0 added, 0 updated, 1 unchanged")));
    ASSERT_EQ(RunTool({QStringLiteral("export"), Store(), out}).exitCode, 0);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    text = file.readAll();
    EXPECT_TRUE(text.contains("SUMMARY:Dentist at 3") && text.contains("SUMMARY:Soccer match")) << text.constData();
    EXPECT_FALSE(text.contains(TempPath(QString()).toUtf8())) << "no path of the user's goes into the file";
}

TEST_F(QuillonDbCalendar, BlanksAroundANameSurviveTheRoundTrip)
{
    const QString in = TempPath(QStringLiteral("padded.ics"));
    const QString out = TempPath(QStringLiteral("out.ics"));
    WriteFile(in, OneEvent("pad", "  Padded  "));
    ASSERT_EQ(RunTool({QStringLiteral("import"), in, Store()}).exitCode, 0);
    ASSERT_EQ(RunTool({QStringLiteral("export"), Store(), out}).exitCode, 0);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("\r\nSUMMARY:  Padded  \r\n")) << text.constData();
}

// A disk that fills up, a real one where the test may mount it: the import takes nothing
// and says the disk is full; so does the export, which leaves the file it would have
// replaced as it was.
TEST_F(QuillonDbCalendar, AFullDiskIsNamedAndChangesNothing)
{
    const QString disk = TempPath(QStringLiteral("small disk"));
    ASSERT_TRUE(QDir().mkpath(disk));
    const qint64 storeBytes = QFileInfo(Store()).size();
    const QString size = QStringLiteral("size=%1k").arg(storeBytes / 1024 + 256);
    if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), size,
                                                    QStringLiteral("tmpfs"), disk}) != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    struct Unmount {
        QString at;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {at}); }
    } unmount{disk};
    const QString store = disk + QStringLiteral("/store.sqlite");
    ASSERT_TRUE(QFile::copy(Store(), store));
    const QString small = TempPath(QStringLiteral("one.ics"));
    WriteFile(small, OneEvent("one", "Before"));
    ASSERT_EQ(RunTool({QStringLiteral("import"), small, store}).exitCode, 0);

    QByteArray big = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    for (int i = 0; i < 2000; ++i)
        big += "BEGIN:VEVENT\r\nUID:big-" + QByteArray::number(i) + "\r\nDTSTART;VALUE=DATE:20260401\r\nSUMMARY:Big\r\n"
               "DESCRIPTION:" + QByteArray(400, 'n') + "\r\nEND:VEVENT\r\n";
    WriteFile(TempPath(QStringLiteral("big.ics")), big + "END:VCALENDAR\r\n");
    ToolRun run = RunTool({QStringLiteral("import"), TempPath(QStringLiteral("big.ics")), store});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("disk is full")) && run.err.contains(QStringLiteral("nothing was imported")))
        << run.err.toStdString();
    EXPECT_EQ(RunTool({QStringLiteral("check"), store}).exitCode, 0);
    const QString out = TempPath(QStringLiteral("out.ics"));
    run = RunTool({QStringLiteral("export"), store, out});
    EXPECT_TRUE(run.out.contains(QStringLiteral("exported 1 events"))) << run.out.toStdString() << run.err.toStdString();

    // The disk filled to its last byte, an earlier export on it stays whole.
    const QString onDisk = disk + QStringLiteral("/out.ics");
    WriteFile(onDisk, "old");
    {
        QFile filler(disk + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'f')) == 4096 && filler.flush()) {
        }
    }
    run = RunTool({QStringLiteral("export"), Store(), onDisk});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("the disk is full"))) << run.err.toStdString();
    QFile kept(onDisk);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
}

TEST_F(QuillonDbCalendar, FilesInOtherEncodingsAndLineEndsAreRead)
{
    const QByteArray crOnly = OneEvent("cr", "Old Mac").replace("\r\n", "\r");
    const QString name = QStringLiteral("Caf\u00e9 \u20ac");
    QByteArray utf16("\xFF\xFE");
    const QString utf16Text = QString::fromUtf8(OneEvent("u16", "x")).replace(QStringLiteral("SUMMARY:x"), QStringLiteral("SUMMARY:") + name);
    utf16.append(reinterpret_cast<const char *>(utf16Text.utf16()), utf16Text.size() * 2);
    const struct {
        const char *file;
        QByteArray text;
        const char *said;
    } cases[] = {
        {"cr.ics", crOnly, nullptr},
        {"latin1.ics", OneEvent("l1", "Caf\xE9 \x80"), "not UTF-8; read as Latin-1"},
        {"utf16.ics", utf16, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = TempPath(QLatin1String(c.file));
        WriteFile(path, c.text);
        const ToolRun run = RunTool({QStringLiteral("import"), path, Store()});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral(": 1 added"))) << run.out.toStdString();
        EXPECT_EQ(run.out.count(QStringLiteral("warning:")), c.said ? 1 : 0) << run.out.toStdString();
        if (c.said) {
            EXPECT_TRUE(run.out.contains(QLatin1String(c.said))) << run.out.toStdString();
        }
    }
    const QString out = TempPath(QStringLiteral("out.ics"));
    ASSERT_EQ(RunTool({QStringLiteral("export"), Store(), out}).exitCode, 0);
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_EQ(text.count(QStringLiteral("SUMMARY:") + name), 2) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("SUMMARY:Old Mac")));

    // A missing folder on the way is named.
    const ToolRun run = RunTool({QStringLiteral("import"), TempPath(QStringLiteral("gone/x.ics")), Store()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("the folder %1 does not exist").arg(TempPath(QStringLiteral("gone")))))
        << run.err.toStdString();
}

TEST_F(QuillonDbCalendar, AFilesWarningsAndRefusalAreInTheUsersLanguageAndLoggedInEnglish)
{
    const QString path = TempPath(QStringLiteral("warnings.ics"));
    WriteFile(path, "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//tests//EN\r\n"
                    "BEGIN:VEVENT\r\nUID:off@tests\r\nDTSTART;VALUE=DATE:20260105\r\nSUMMARY:Off\r\n"
                    "STATUS:CANCELLED\r\nEND:VEVENT\r\n"
                    "BEGIN:VEVENT\r\nUID:weekly@tests\r\nDTSTART;VALUE=DATE:20260105\r\nSUMMARY:Weekly\r\n"
                    "RRULE:FREQ=WEEKLY;BYMONTHDAY=3\r\nEND:VEVENT\r\n"
                    "BEGIN:VEVENT\r\nUID:zoned@tests\r\nDTSTART;TZID=Nowhere/Zone:20260105T090000\r\n"
                    "DTEND;TZID=Nowhere/Zone:20260105T100000\r\nSUMMARY:Zoned\r\nEND:VEVENT\r\n"
                    "END:VCALENDAR\r\n");
    const QString truncated = DataPath("truncated.ics");
    // The reason of a skipped event holds the reason its rule never matches: each in the
    // language, the words of the file as they are.
    const struct {
        const char *locale;
        QStringList warnings;
        QString refusal;
    } cases[] = {
        {"C.UTF-8",
         {QStringLiteral("line 4: a cancelled event (left out)"),
          QStringLiteral("line 14, UID \"weekly@tests\": its repeat rule can never match (BYMONTHDAY does not fit a "
                         "weekly rule); skipped"),
          QStringLiteral("line 18: unknown time zone \"Nowhere/Zone\"; its times are taken as local times")},
         QStringLiteral("%1: line 10: BEGIN:VEVENT has no END:VEVENT; the file is truncated; nothing was imported")},
        {"de_DE.UTF-8",
         {QStringLiteral("Zeile 4: Ein abgesagter Termin (ausgelassen)"),
          QStringLiteral("Zeile 14, UID »weekly@tests«: seine Wiederholungsregel trifft nie zu (BYMONTHDAY passt nicht zu "
                         "einer wöchentlichen Regel); übersprungen"),
          QStringLiteral("Zeile 18: Unbekannte Zeitzone »Nowhere/Zone«; ihre Uhrzeiten gelten als Ortszeit")},
         QStringLiteral("%1: Zeile 10: BEGIN:VEVENT hat kein END:VEVENT; die Datei ist unvollständig; es wurde nichts "
                        "importiert")},
        {"fr_FR.UTF-8",
         {QStringLiteral("ligne 4 : un événement annulé (ignoré)"),
          QStringLiteral("ligne 14, UID « weekly@tests » : sa règle de périodicité ne peut jamais s’appliquer "
                         "(BYMONTHDAY ne convient pas à une règle hebdomadaire) ; ignoré"),
          QStringLiteral("ligne 18 : fuseau horaire « Nowhere/Zone » inconnu ; ses heures sont prises comme heures locales")},
         QStringLiteral("%1 : ligne 10 : BEGIN:VEVENT n’a pas de END:VEVENT ; le fichier est tronqué ; rien n’a été importé")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.locale);
        const QString locale = QLatin1String(c.locale);
        ToolRun run = RunTool({QStringLiteral("import"), path, Store()}, kTool, locale);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        QStringList said;
        for (const QString &line : run.out.split(QLatin1Char('\n')))
            if (line.startsWith(QStringLiteral("warning: %1: ").arg(path)))
                said << line.mid(path.size() + 11);
        EXPECT_EQ(said.join(QLatin1Char('\n')).toStdString(), c.warnings.join(QLatin1Char('\n')).toStdString());
        run = RunTool({QStringLiteral("import"), truncated, Store()}, kTool, locale);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.refusal.arg(truncated))) << run.err.toStdString();
    }
    // error.log keeps the English for whoever reads it later, whatever the language shown.
    EXPECT_EQ(ReadDataFile(QStringLiteral("error.log")).count(cases[0].refusal.arg(truncated)), 3);
}

TEST_F(QuillonDbCalendar, AnImportIntoThisMonthRedrawsTheDesktopCalendarWhenItIsShown)
{
    // A program folder of its own, whose "calendar" only notes that it ran.
    const QString folder = TempPath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString tool = folder + QStringLiteral("/quillon-db");
    ASSERT_TRUE(QFile::copy(kTool, tool));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_fake_tool"), folder + QStringLiteral("/calendar")));
    const QString log = TempPath(QStringLiteral("calendar.log"));
    env.Set("FAKE_TOOL_LOG", log.toLocal8Bit());
    // The tool starts the calendar before it ends; give it a moment to write.
    const auto calendarRan = [&log](int patienceMs) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < patienceMs) {
            if (QFile::exists(log))
                return true;
            QThread::msleep(50);
        }
        return false;
    };

    // The file is changed where it is later: a file updates only the events it brought.
    const QString changed = TempPath(QStringLiteral("changed.ics"));
    ASSERT_TRUE(QFile::copy(DataPath("folded_crlf.ics"), changed));
    // Switched off: no redraw.
    ASSERT_EQ(RunTool({QStringLiteral("import"), changed, Store()}, tool).exitCode, 0);
    EXPECT_FALSE(calendarRan(1000));

    ASSERT_TRUE(basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1")));
    // Nothing in December 2026: no redraw.
    ASSERT_EQ(RunTool({QStringLiteral("import"), DataPath("rules_lf.ics"), Store()}, tool).exitCode, 0);
    EXPECT_FALSE(calendarRan(1000));
    // The same file again changes nothing: no redraw.
    ASSERT_EQ(RunTool({QStringLiteral("import"), changed, Store()}, tool).exitCode, 0);
    EXPECT_FALSE(calendarRan(1000));
    // A change on 10 December 2026: the calendar is drawn again.
    QFile original(DataPath("folded_crlf.ics"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray text = original.readAll();
    text.replace("DTSTART:20261210T090000", "DTSTART:20261210T080000");
    QFile out(changed);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(text);
    out.close();
    const ToolRun run = RunTool({QStringLiteral("import"), changed, Store()}, tool);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("0 added, 1 updated"))) << run.out.toStdString();
    EXPECT_TRUE(calendarRan(10000));
}


// An event of this computer made, changed and deleted by script; each wrong argument
// named, and the store left as it was.
TEST_F(QuillonDbCalendar, AScriptAddsEditsAndDeletesEventsAndIsToldWhichArgumentIsWrong)
{
    const QString start = QStringLiteral("2027-01-04 09:00");
    ToolRun run = RunTool({QStringLiteral("add"), Store(), QStringLiteral("--name"), QStringLiteral("Standup"),
                           QStringLiteral("--start"), start, QStringLiteral("--end"), QStringLiteral("2027-01-04 09:15"),
                           QStringLiteral("--rrule"), QStringLiteral("FREQ=WEEKLY;COUNT=3")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString id = run.out.trimmed();
    const auto stored = [this](const QString &eventId) {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(Store()));
        return EventService(store).Load(eventId.toLongLong());
    };
    std::optional<Event> event = stored(id);
    ASSERT_TRUE(event) << run.out.toStdString();
    EXPECT_EQ(event->EventName, QStringLiteral("Standup"));
    EXPECT_EQ(event->Dates, (QList<QDate>{QDate(2027, 1, 4), QDate(2027, 1, 11), QDate(2027, 1, 18)}));
    EXPECT_EQ(event->EndTime, QTime(9, 15));

    // A new start keeps the length; the days of a series stay.
    run = RunTool({QStringLiteral("edit"), Store(), id, QStringLiteral("--name"), QStringLiteral("Standup moved"),
                   QStringLiteral("--start"), QStringLiteral("2027-01-04 10:00")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QStringLiteral("changed %1: Standup moved").arg(id));
    event = stored(id);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->EventName, QStringLiteral("Standup moved"));
    EXPECT_EQ(std::pair(event->StartTime, event->EndTime), std::pair(QTime(10, 0), QTime(10, 15)));
    EXPECT_EQ(event->Dates.size(), 3);

    const struct {
        QStringList arguments;
        int exitCode;
        QString message;
    } wrong[] = {
        {{QStringLiteral("add"), Store(), QStringLiteral("--start"), start, QStringLiteral("--end"), start}, 64,
         QStringLiteral("add needs --name")},
        {{QStringLiteral("add"), Store(), QStringLiteral("--name"), QStringLiteral("x"), QStringLiteral("--start"),
          QStringLiteral("2027-13-01 09:00"), QStringLiteral("--end"), start},
         64, QStringLiteral("--start takes a day and time as \"YYYY-MM-DD HH:MM\", not \"2027-13-01 09:00\"")},
        {{QStringLiteral("add"), Store(), QStringLiteral("--name"), QStringLiteral("x"), QStringLiteral("--start"), start,
          QStringLiteral("--end"), QStringLiteral("2027-01-04 08:00")},
         64, QStringLiteral("--end (08:00) is before --start (09:00)")},
        {{QStringLiteral("add"), Store(), QStringLiteral("--name"), QStringLiteral("x"), QStringLiteral("--start"), start,
          QStringLiteral("--end"), QStringLiteral("2027-01-05 08:00")},
         64, QStringLiteral("--end (2027-01-05 08:00) is not on the day of --start (2027-01-04 09:00)")},
        {{QStringLiteral("add"), Store(), QStringLiteral("--name"), QStringLiteral("x"), QStringLiteral("--start"), start,
          QStringLiteral("--end"), start, QStringLiteral("--rrule"), QStringLiteral("FREQ=HOURLY")},
         64, QStringLiteral("--rrule \"FREQ=HOURLY\" is not a rule quillon-db takes")},
        {{QStringLiteral("add"), Store(), QStringLiteral("--name"), QStringLiteral("x"), QStringLiteral("--start"), start,
          QStringLiteral("--end"), start, QStringLiteral("--calendar"), QStringLiteral("7")},
         2, QStringLiteral("--calendar 7: no calendar of that ID takes events from here")},
        {{QStringLiteral("add"), Store(), QStringLiteral("--colour"), QStringLiteral("Blue")}, 64,
         QStringLiteral("--colour is not an option of this command")},
        {{QStringLiteral("edit"), Store()}, 64, QStringLiteral("edit takes a DB and an EVENT-ID")},
        {{QStringLiteral("edit"), Store(), QStringLiteral("abc"), QStringLiteral("--name"), QStringLiteral("x")}, 64,
         QStringLiteral("EVENT-ID is a number, not \"abc\"")},
        {{QStringLiteral("edit"), Store(), id}, 64, QStringLiteral("edit needs --name, --start or --end")},
        {{QStringLiteral("edit"), Store(), id, QStringLiteral("--start"), QStringLiteral("2027-01-11 10:00")}, 64,
         QStringLiteral("--start: the event %1 falls on several days from 2027-01-04").arg(id)},
        {{QStringLiteral("delete"), Store(), QStringLiteral("999")}, 2, QStringLiteral("no event with the id 999")},
    };
    for (const auto &refused : wrong) {
        SCOPED_TRACE(refused.arguments.join(QLatin1Char(' ')).toStdString());
        run = RunTool(refused.arguments);
        EXPECT_EQ(run.exitCode, refused.exitCode);
        EXPECT_TRUE(run.err.contains(refused.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    EXPECT_EQ(stored(id)->EventName, QStringLiteral("Standup moved"));

    run = RunTool({QStringLiteral("delete"), Store(), id});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.trimmed(), QStringLiteral("deleted %1: Standup moved").arg(id));
    basDatabase::EventStore store;
    ASSERT_TRUE(store.OpenDatabaseConnection(Store()));
    EXPECT_EQ(EventService(store).Exists(id.toLongLong()), false);
}

} // namespace

} // namespace quillon
