// quillon-db import and export as a user runs them.
#include "QuillonTestEnvironment.h"

#include "basQuillon.h"
#include "basSchema.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

namespace {

using quillontest::QuillonTest;

const QString kTool = QStringLiteral(QUILLON_PROGRAM_DIR "/quillon-db");

QString DataPath(const char *name) { return QStringLiteral(QUILLON_ICAL_DATA "/") + QLatin1String(name); }

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun RunTool(const QStringList &arguments, const QString &program = kTool)
{
    QProcess tool;
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
    EXPECT_TRUE(run.out.contains(QStringLiteral(": 9 added, 0 updated, 0 unchanged"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("rules_lf.ics: line 40: \"Leap birthday\" repeats without end; "
                                                "dates taken up to 2031-12-06")))
        << run.out.toStdString();

    run = RunTool({QStringLiteral("import"), DataPath("rules_lf.ics"), Store()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral(": 0 added, 0 updated, 9 unchanged"))) << run.out.toStdString();

    // Rules that would take forever: skipped by name, the rest imported.
    run = RunTool({QStringLiteral("import"), DataPath("hostile_rules.ics"), Store()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral(": 4 added, 0 updated, 0 unchanged"))) << run.out.toStdString();
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

    // Switched off: no redraw.
    ASSERT_EQ(RunTool({QStringLiteral("import"), DataPath("folded_crlf.ics"), Store()}, tool).exitCode, 0);
    EXPECT_FALSE(calendarRan(1000));

    ASSERT_TRUE(basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1")));
    // Nothing in December 2026: no redraw.
    ASSERT_EQ(RunTool({QStringLiteral("import"), DataPath("rules_lf.ics"), Store()}, tool).exitCode, 0);
    EXPECT_FALSE(calendarRan(1000));
    // The same file again changes nothing: no redraw.
    ASSERT_EQ(RunTool({QStringLiteral("import"), DataPath("folded_crlf.ics"), Store()}, tool).exitCode, 0);
    EXPECT_FALSE(calendarRan(1000));
    // A change on 10 December 2026: the calendar is drawn again.
    QFile original(DataPath("folded_crlf.ics"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QByteArray text = original.readAll();
    text.replace("DTSTART:20261210T090000", "DTSTART:20261210T080000");
    const QString changed = TempPath(QStringLiteral("changed.ics"));
    QFile out(changed);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
    out.close();
    const ToolRun run = RunTool({QStringLiteral("import"), changed, Store()}, tool);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("0 added, 1 updated"))) << run.out.toStdString();
    EXPECT_TRUE(calendarRan(10000));
}

} // namespace
