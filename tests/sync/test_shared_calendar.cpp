// One Radicale calendar shared with another client (vdirsyncer, keeping it in a folder
// of .ics files) and with another computer (a second data folder and store): each sees
// what the other sent, and a change made on both while the server was away is kept on
// both. A server or client that cannot be started skips its test.
#include "Conflicts.h"
#include "DavServers.h"
#include "EventService.h"
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "SubscriptionStore.h"
#include "basQuillon.h"
#include "basSchema.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <functional>
#include <string>

namespace quillon {

namespace {

using quillontest::QuillonTest;
using quillontest::Radicale;

const QString kTool = QStringLiteral(QUILLON_PROGRAM_DIR "/quillon-db");
const QString kNotSent = QStringLiteral(" (my change, not sent)");

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// A list as the failure messages show it.
std::string Joined(const QStringList &texts) { return texts.join(QStringLiteral(" | ")).toStdString(); }

ProgramRun Start(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.closeWriteChannel(); // a question asked is answered with its default
    ProgramRun run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished(5000);
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// A computer of the suite: its own data folder and store, subscribed to the calendar
// by quillon-db as its user would.
struct Computer {
    QString folder;
    QString database;
    QString calendar; // the subscription's id, as quillon-db takes it

    ProgramRun Tool(QStringList arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUILLON_DATA_DIR"), folder);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
        arguments.insert(1, database);
        return Start(kTool, arguments, environment);
    }
    ProgramRun Refresh() const { return Tool({QStringLiteral("refresh"), calendar}); }
    // The wallpaper this computer's calendar draws on the day (no desktop: only the file),
    // with the test's settings.
    QImage Wallpaper(QDate day) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUILLON_DATA_DIR"), folder);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QUILLON_NOW"), day.toString(Qt::ISODate) + QStringLiteral("T09:00:00"));
        environment.insert(QStringLiteral("QUILLON_NONINTERACTIVE"), QStringLiteral("1"));
        const ProgramRun drawn = Start(QStringLiteral(QUILLON_PROGRAM_DIR "/calendar"), {}, environment);
        EXPECT_EQ(drawn.exitCode, 0) << drawn.err.toStdString();
        return QImage(drawn.out).convertToFormat(QImage::Format_RGB32);
    }
    // Runs the changes on the service of a store connection of their own.
    void Change(const std::function<void(EventService &)> &changes) const
    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(database));
        EventService events(store);
        changes(events);
    }
    // The events of 2027 as the views get them: name -> id.
    QMap<QString, qint64> Events() const
    {
        QMap<QString, qint64> events;
        Change([&](EventService &service) {
            const std::optional<QList<Event>> found = service.Between(QDate(2027, 1, 1), QDate(2027, 12, 31));
            ASSERT_TRUE(found);
            for (const Event &event : *found)
                events.insert(event.EventName, event.EventID);
        });
        return events;
    }
};

// vdirsyncer keeping the calendar in a folder, one .ics file an event.
struct Vdirsyncer {
    QString folder;
    QString program = QStandardPaths::findExecutable(QStringLiteral("vdirsyncer"));

    bool Configure(const QString &calendarAddress) const
    {
        if (!QDir().mkpath(folder + QStringLiteral("/events")) || !QDir().mkpath(folder + QStringLiteral("/status")))
            return false;
        QFile config(folder + QStringLiteral("/config"));
        if (!config.open(QIODevice::WriteOnly))
            return false;
        // collections = null: the address is the calendar itself, not an account.
        config.write(QStringLiteral("[general]\nstatus_path = \"%1/status/\"\n\n"
                                    "[pair work]\na = \"work_folder\"\nb = \"work_server\"\ncollections = null\n\n"
                                    "[storage work_folder]\ntype = \"filesystem\"\npath = \"%1/events/\"\nfileext = \".ics\"\n\n"
                                    "[storage work_server]\ntype = \"caldav\"\nurl = \"%2\"\n")
                         .arg(folder, calendarAddress)
                         .toUtf8());
        return true;
    }
    ProgramRun Do(const QString &command) const
    {
        return Start(program, {QStringLiteral("-c"), folder + QStringLiteral("/config"), command},
                     QProcessEnvironment::systemEnvironment());
    }
    // The folder's events: summary -> text, lines unfolded.
    QMap<QString, QString> Files() const
    {
        QMap<QString, QString> files;
        QDirIterator found(folder + QStringLiteral("/events"), {QStringLiteral("*.ics")}, QDir::Files);
        while (found.hasNext()) {
            QFile file(found.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            QString text = QString::fromUtf8(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            text.replace(QStringLiteral("\n "), QString());
            const qsizetype at = text.indexOf(QStringLiteral("\nSUMMARY:"));
            files.insert(at < 0 ? QString() : text.mid(at + 9, text.indexOf(QLatin1Char('\n'), at + 1) - at - 9), text);
        }
        return files;
    }
    // Changes the folder's file of the event named summary by replacing from with to.
    bool Edit(const QString &summary, const QByteArray &from, const QByteArray &to) const
    {
        QDirIterator found(folder + QStringLiteral("/events"), {QStringLiteral("*.ics")}, QDir::Files);
        while (found.hasNext()) {
            QFile file(found.next());
            if (!file.open(QIODevice::ReadWrite))
                return false;
            QByteArray text = file.readAll();
            if (!text.contains("SUMMARY:" + summary.toUtf8()) || !text.contains(from))
                continue;
            text.replace(from, to);
            return file.seek(0) && file.resize(0) && file.write(text) == text.size();
        }
        return false;
    }
};

class SharedCalendar : public QuillonTest {
protected:
    // Radicale (without accounts) with an empty calendar; false when it cannot be started.
    bool StartServer()
    {
        radicale.accounts = false;
        if (!radicale.Start(DataDir()))
            return false;
        radicale.Send("MKCOL", QStringLiteral("/shared/"));
        EXPECT_EQ(radicale.Send("MKCALENDAR", calendar), 201);
        return true;
    }
    // A computer with a data folder of its own, following the calendar as writable.
    // (quillon-db subscribe cannot: Radicale without accounts refuses an anonymous
    // PROPFIND that asks for the calendar home.)
    Computer NewComputer(const QString &name)
    {
        Computer computer{TempPath(name), TempPath(name) + QStringLiteral("/dbcalndr.sqlite"), {}};
        QString error;
        EXPECT_TRUE(QDir().mkpath(computer.folder));
        EXPECT_TRUE(basSchema::CreateDatabaseFile(computer.database, error)) << error.toStdString();
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection(computer.database));
        basDatabase::Subscription subscription;
        subscription.Address = radicale.base + calendar;
        subscription.Type = basDatabase::Subscription::Kind::CalDav;
        subscription.Writable = true;
        EXPECT_TRUE(basDatabase::SubscriptionStore(store).AddSubscription(subscription));
        computer.calendar = QString::number(subscription.Id);
        const ProgramRun first = computer.Refresh();
        EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
        return computer;
    }
    // The server's events by summary (its one resource each).
    QStringList OnServer() const
    {
        QStringList summaries;
        QDirIterator files(radicale.folder + QStringLiteral("/collections/collection-root") + calendar,
                           {QStringLiteral("*.ics")}, QDir::Files);
        while (files.hasNext()) {
            QFile file(files.next());
            if (file.open(QIODevice::ReadOnly)) {
                const QString text = QString::fromUtf8(file.readAll());
                const qsizetype at = text.indexOf(QStringLiteral("\nSUMMARY:"));
                summaries << text.mid(at + 9, text.indexOf(QLatin1Char('\r'), at) - at - 9);
            }
        }
        summaries.sort();
        return summaries;
    }

    Radicale radicale;
    const QString calendar = QStringLiteral("/shared/work/");
};

// Our changes (made by the service and by script, sent by our refresh) in vdirsyncer's
// folder after its sync; its change (an edited file, sent by its sync) in our store after
// our refresh, with what it wrote that we do not show kept when we change the event again.
TEST_F(SharedCalendar, VdirsyncerSeesOurChangesAndWeSeeItsChange)
{
    if (!StartServer())
        GTEST_SKIP() << "radicale (Debian package radicale) cannot be started";
    Vdirsyncer other{TempPath(QStringLiteral("vdirsyncer"))};
    if (other.program.isEmpty())
        GTEST_SKIP() << "vdirsyncer (Debian package vdirsyncer) is not installed";
    const Computer here = NewComputer(QStringLiteral("here"));
    ASSERT_TRUE(other.Configure(radicale.base + calendar));
    const ProgramRun discovered = other.Do(QStringLiteral("discover"));
    ASSERT_EQ(discovered.exitCode, 0) << discovered.err.toStdString();

    // Made: one by the service, a weekly one by script.
    here.Change([&](EventService &service) {
        Event event;
        event.EventName = QStringLiteral("Lunch with Bo");
        event.StartTime = QTime(12, 0);
        event.EndTime = QTime(13, 0);
        event.Dates = {QDate(2027, 3, 10)};
        event.Calendar = here.calendar.toLongLong();
        EXPECT_TRUE(service.Save(event));
    });
    const ProgramRun weekly = here.Tool({QStringLiteral("add"), QStringLiteral("--calendar"), here.calendar, QStringLiteral("--name"),
                                  QStringLiteral("Weekly review"), QStringLiteral("--start"), QStringLiteral("2027-03-01 08:00"),
                                  QStringLiteral("--end"), QStringLiteral("2027-03-01 08:30"), QStringLiteral("--rrule"),
                                  QStringLiteral("FREQ=WEEKLY;COUNT=4")});
    ASSERT_EQ(weekly.exitCode, 0) << weekly.err.toStdString();
    ASSERT_EQ(here.Refresh().exitCode, 0);
    ASSERT_EQ(other.Do(QStringLiteral("sync")).exitCode, 0);
    QMap<QString, QString> files = other.Files();
    EXPECT_EQ(Joined(files.keys()), Joined((QStringList{QStringLiteral("Lunch with Bo"), QStringLiteral("Weekly review")})));
    EXPECT_TRUE(files.value(QStringLiteral("Weekly review")).contains(QStringLiteral("\nRRULE:FREQ=WEEKLY;COUNT=4")))
        << files.value(QStringLiteral("Weekly review")).toStdString();

    // Changed by script, deleted by the service.
    const qint64 lunch = here.Events().value(QStringLiteral("Lunch with Bo"));
    const ProgramRun edited = here.Tool({QStringLiteral("edit"), QString::number(lunch), QStringLiteral("--name"),
                                  QStringLiteral("Lunch with Bo and Cy")});
    ASSERT_EQ(edited.exitCode, 0) << edited.err.toStdString();
    here.Change([&](EventService &service) { EXPECT_TRUE(service.DeleteSeries(weekly.out.toLongLong())); });
    ASSERT_EQ(here.Refresh().exitCode, 0);
    ASSERT_EQ(other.Do(QStringLiteral("sync")).exitCode, 0);
    EXPECT_EQ(Joined(other.Files().keys()), Joined(QStringList{QStringLiteral("Lunch with Bo and Cy")}));

    // Its change: a new name, and a line of its own that we do not show.
    ASSERT_TRUE(other.Edit(QStringLiteral("Lunch with Bo and Cy"), "SUMMARY:Lunch with Bo and Cy",
                           "SUMMARY:Lunch moved by phone\r\nX-PHONE-NOTE:bring the slides"));
    const ProgramRun sent = other.Do(QStringLiteral("sync"));
    ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString();
    ASSERT_EQ(here.Refresh().exitCode, 0);
    const QMap<QString, qint64> events = here.Events();
    ASSERT_EQ(Joined(events.keys()), Joined(QStringList{QStringLiteral("Lunch moved by phone")}));
    // And on the wallpaper, exactly as an event of that name made on this computer.
    const Computer mine{TempPath(QStringLiteral("mine")), TempPath(QStringLiteral("mine/dbcalndr.sqlite")), {}};
    QString error;
    ASSERT_TRUE(QDir().mkpath(mine.folder) && basSchema::CreateDatabaseFile(mine.database, error)) << error.toStdString();
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    const QImage none = mine.Wallpaper(QDate(2027, 3, 10));
    mine.Change([&](EventService &service) {
        Event made;
        made.EventName = QStringLiteral("Lunch moved by phone");
        made.StartTime = QTime(12, 0);
        made.EndTime = QTime(13, 0);
        made.Dates = {QDate(2027, 3, 10)};
        EXPECT_TRUE(service.Save(made));
    });
    const QImage drawn = here.Wallpaper(QDate(2027, 3, 10));
    EXPECT_FALSE(drawn.isNull() || drawn == none);
    EXPECT_TRUE(drawn == mine.Wallpaper(QDate(2027, 3, 10)));

    // Changed here once more: its line goes back with our change.
    here.Change([&](EventService &service) {
        std::optional<Event> event = service.Load(events.first());
        ASSERT_TRUE(event);
        event->Location = QStringLiteral("Room 4");
        EXPECT_TRUE(service.Save(*event));
    });
    ASSERT_EQ(here.Refresh().exitCode, 0);
    ASSERT_EQ(other.Do(QStringLiteral("sync")).exitCode, 0);
    files = other.Files();
    ASSERT_EQ(Joined(files.keys()), Joined(QStringList{QStringLiteral("Lunch moved by phone")}));
    EXPECT_TRUE(files.first().contains(QStringLiteral("\nX-PHONE-NOTE:bring the slides\n"))) << files.first().toStdString();
    EXPECT_TRUE(files.first().contains(QStringLiteral("\nLOCATION:Room 4\n"))) << files.first().toStdString();
}

// Two data folders on one calendar: what the first makes reaches the second; a change
// made on both while the server was stopped ends as the first sender's on both, and
// the second keeps its own as an event of that computer.
TEST_F(SharedCalendar, TwoComputersKeepBothChangesOfOneEvent)
{
    if (!StartServer())
        GTEST_SKIP() << "radicale (Debian package radicale) cannot be started";
    const Computer first = NewComputer(QStringLiteral("first"));
    const Computer second = NewComputer(QStringLiteral("second"));
    const ProgramRun made = first.Tool({QStringLiteral("add"), QStringLiteral("--calendar"), first.calendar, QStringLiteral("--name"),
                                 QStringLiteral("Planning"), QStringLiteral("--start"), QStringLiteral("2027-04-06 09:00"),
                                 QStringLiteral("--end"), QStringLiteral("2027-04-06 10:00")});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    ASSERT_EQ(first.Refresh().exitCode, 0);
    ASSERT_EQ(second.Refresh().exitCode, 0);
    const QMap<QString, qint64> arrived = second.Events();
    ASSERT_EQ(Joined(arrived.keys()), Joined(QStringList{QStringLiteral("Planning")}));

    radicale.server.Stop();
    const ProgramRun changed = first.Tool({QStringLiteral("edit"), made.out, QStringLiteral("--name"), QStringLiteral("Planning in room 2")});
    ASSERT_EQ(changed.exitCode, 0) << changed.err.toStdString();
    second.Change([&](EventService &service) {
        std::optional<Event> event = service.Load(arrived.first());
        ASSERT_TRUE(event);
        event->EventName = QStringLiteral("Planning at 11");
        event->StartTime = QTime(11, 0);
        event->EndTime = QTime(12, 0);
        EXPECT_TRUE(service.Save(*event));
    });
    EXPECT_NE(first.Refresh().exitCode, 0); // the server is away: both changes wait
    ASSERT_TRUE(radicale.Start(radicale.folder));

    ASSERT_EQ(first.Refresh().exitCode, 0);
    const ProgramRun lost = second.Refresh();
    ASSERT_EQ(lost.exitCode, 0) << lost.err.toStdString();
    EXPECT_TRUE(lost.out.contains(QStringLiteral("\"Planning at 11") + kNotSent + QLatin1Char('"'))) << lost.out.toStdString();
    ASSERT_EQ(first.Refresh().exitCode, 0);
    ASSERT_EQ(second.Refresh().exitCode, 0);

    EXPECT_EQ(Joined(OnServer()), Joined(QStringList{QStringLiteral("Planning in room 2")}));
    EXPECT_EQ(Joined(first.Events().keys()), Joined(QStringList{QStringLiteral("Planning in room 2")}));
    const QMap<QString, qint64> kept = second.Events();
    EXPECT_EQ(Joined(kept.keys()), Joined((QStringList{QStringLiteral("Planning at 11") + kNotSent, QStringLiteral("Planning in room 2")})));
    second.Change([&](EventService &service) {
        const std::optional<Event> mine = service.Load(kept.value(QStringLiteral("Planning at 11") + kNotSent));
        ASSERT_TRUE(mine);
        EXPECT_EQ(mine->Calendar, 0); // this computer's own, not sent anywhere
        EXPECT_EQ(mine->StartTime, QTime(11, 0));
    });

    // The user of the second sends the change after all: it replaces the server's
    // version everywhere, and the copy kept meanwhile goes.
    {
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection(second.database));
        QList<basDatabase::Conflict> open;
        ASSERT_TRUE(basDatabase::ConflictStore(store).Get(0, open));
        ASSERT_EQ(open.size(), 1);
        EXPECT_EQ(open.first().Copies, QList<qint64>{kept.value(QStringLiteral("Planning at 11") + kNotSent)});
        ASSERT_TRUE(basSync::SettleConflict(store, open.first(), basSync::Settle::SendMine));
        EXPECT_FALSE(basSync::SettleConflict(store, open.first(), basSync::Settle::DropMine)); // settled already
    }
    EXPECT_EQ(Joined(second.Events().keys()), Joined(QStringList{QStringLiteral("Planning at 11")}));
    const ProgramRun sentAfterAll = second.Refresh();
    ASSERT_EQ(sentAfterAll.exitCode, 0) << sentAfterAll.err.toStdString();
    ASSERT_EQ(first.Refresh().exitCode, 0);
    EXPECT_EQ(Joined(OnServer()), Joined(QStringList{QStringLiteral("Planning at 11")}));
    EXPECT_EQ(Joined(first.Events().keys()), Joined(QStringList{QStringLiteral("Planning at 11")}));
    EXPECT_EQ(Joined(second.Events().keys()), Joined(QStringList{QStringLiteral("Planning at 11")}));
}

} // namespace

} // namespace quillon
