#include "Output.h"
#include "CalendarCommands.h"

#include "DesktopCalendar.h"
#include "ICalendarTexts.h"
#include "EventStore.h"
#include "basExecuteProgram.h"
#include "basICalendar.h"

#include <cstdio>
#include <QCoreApplication>

namespace quillon {

namespace CalendarCommands {

namespace {

// The exit codes of quillon-db; an import or export that failed changed nothing.
constexpr int kDone = 0;
constexpr int kFailed = 2;
constexpr int kUsage = 64;

using quillondb::Print;

int Usage(const char *usage)
{
    Print(stderr, QStringLiteral("usage: %1").arg(QLatin1String(usage)));
    return kUsage;
}

// Lines kept in English, in the user's language (their forms made once for all).
QStringList Shown(const QStringList &english)
{
    return english.isEmpty() ? english : ICalendarTexts::Shown(english.join(QLatin1Char('\n'))).split(QLatin1Char('\n'));
}

} // namespace

void RedrawDesktopCalendar()
{
    if (!DesktopCalendar::IsShown())
        return;
    const std::int32_t started = DesktopCalendar::RequestRedraw();
    if (started != 0)
        Print(stderr, basExecuteProgram::StartErrorText(QStringLiteral("calendar"), started));
}

int Import(const QStringList &arguments)
{
    if (arguments.size() != 2 || arguments[0].startsWith(QLatin1String("--")) || arguments[1].startsWith(QLatin1String("--")))
        return Usage(kImportUsage);
    const QString &calendarFile = arguments[0];
    const QString &databaseFile = arguments[1];
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(databaseFile))
        return kFailed;
    basICalendar::ImportSummary summary;
    if (!basICalendar::ImportCalendarFile(store, calendarFile, summary)) {
        if (!summary.Refusal.isEmpty())
            Print(stderr, QStringLiteral("quillon-db: %1").arg(ICalendarTexts::Shown(summary.Refusal)));
        Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: nothing was imported into %1").arg(databaseFile));
        return kFailed;
    }
    store.CloseDatabaseConnection();
    // The warnings in the user's language, each on a line a script still finds by "warning:".
    for (const QString &warning : Shown(summary.Warnings))
        Print(stdout, QStringLiteral("warning: %1: %2").arg(calendarFile, warning));
    Print(stdout, QStringLiteral("imported %1 into %2: %3 added, %4 updated, %5 unchanged")
                      .arg(calendarFile, databaseFile, QString::number(summary.Added),
                           QString::number(summary.Updated), QString::number(summary.Unchanged)));
    if (summary.TouchesCurrentMonth)
        RedrawDesktopCalendar();
    return kDone;
}

int Export(const QStringList &arguments)
{
    QStringList files;
    basICalendar::ExportOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--church-year") && i + 2 < arguments.size()) {
            bool fromOk = false;
            bool toOk = false;
            options.ChurchYearFrom = arguments[i + 1].toInt(&fromOk);
            options.ChurchYearTo = arguments[i + 2].toInt(&toOk);
            if (!fromOk || !toOk || options.ChurchYearFrom < 1900 || options.ChurchYearTo > 2100
                || options.ChurchYearFrom > options.ChurchYearTo)
                return Usage(kExportUsage);
            i += 2;
        } else if (!argument.startsWith(QLatin1String("--"))) {
            files.append(argument);
        } else {
            return Usage(kExportUsage);
        }
    }
    if (files.size() != 2)
        return Usage(kExportUsage);
    const QString &databaseFile = files[0];
    const QString &calendarFile = files[1];
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection(databaseFile))
        return kFailed;
    basICalendar::ExportSummary summary;
    if (!basICalendar::ExportCalendarFile(store, calendarFile, summary, options))
        return kFailed;
    for (const QString &leftOut : Shown(summary.LeftOut))
        Print(stdout, QStringLiteral("left out: %1").arg(leftOut));
    if (summary.UidsNotKept > 0)
        Print(stdout, QStringLiteral("note: %1 is read-only: the UIDs given to %2 events were not stored; "
                                     "the next export gives them new ones")
                          .arg(databaseFile)
                          .arg(summary.UidsNotKept));
    Print(stdout, QStringLiteral("exported %1 events and %2 church-year days from %3 to %4")
                      .arg(summary.Events)
                      .arg(summary.ChurchDays)
                      .arg(databaseFile, calendarFile));
    return kDone;
}

} // namespace CalendarCommands

} // namespace quillon
