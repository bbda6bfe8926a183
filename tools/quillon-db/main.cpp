// quillon-db: makes a new event database, or checks (and mends) an existing one, brings
// calendar files in and out, follows calendars on servers, and writes events for scripts.
//   quillon-db create [--force] [--empty] [--facts FACTS.tsv] FILE
//   quillon-db check [--repair] [--timeout MS] FILE
//   quillon-db import FILE.ics DB
//   quillon-db export DB FILE.ics [--church-year FROM TO]
//   quillon-db subscribe DB URL [--name TEXT] [--user NAME] [--password-stdin] [--calendar NAME] [--trust SHA256]
//   quillon-db subscriptions DB | refresh DB [ID] | unsubscribe DB ID | trust DB ID SHA256
//   quillon-db add DB [--calendar ID] --name TEXT --start "YYYY-MM-DD HH:MM" --end "..." [--rrule RULE]
//   quillon-db edit DB EVENT-ID [--name TEXT] [--start ...] [--end ...] | delete DB EVENT-ID
// check names the file's schema version (and upgrades an older file, as every open
// does); a file from a newer version is refused and left unchanged.
// Exit codes: 0 done and clean, 1 problems found (or left after repair, or the repair
// failed and changed nothing), 2 the file could not be made or read (missing, locked,
// corrupt, a folder), 64 wrong usage.
#include "Output.h"
#include "CalendarCommands.h"
#include "EventCommands.h"
#include "SubscriptionCommands.h"
#include "basMigrations.h"
#include "basSchema.h"
#include "basSeed.h"
#include "basStoreCheck.h"
#include "basTranslations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <cstdio>

namespace quillon {

namespace {

constexpr int kClean = 0;
constexpr int kProblems = 1;
constexpr int kCannotOpen = 2;
constexpr int kUsage = 64;

using quillondb::Print;

int Usage()
{
    Print(stderr, QStringLiteral("usage: quillon-db create [--force] [--empty] [--facts FACTS.tsv] FILE\n"
                                 "       quillon-db check [--repair] [--timeout MS] FILE\n"
                                 "       %1\n"
                                 "       %2\n"
                                 "       %3\n"
                                 "       %4\n"
                                 "       %5\n"
                                 "       %6\n"
                                 "       %7\n"
                                 "       %8\n"
                                 "       %9\n"
                                 "       %10")
                      .arg(QLatin1String(CalendarCommands::kImportUsage), QLatin1String(CalendarCommands::kExportUsage),
                           QLatin1String(SubscriptionCommands::kSubscribeUsage),
                           QLatin1String(SubscriptionCommands::kSubscriptionsUsage),
                           QLatin1String(SubscriptionCommands::kRefreshUsage),
                           QLatin1String(SubscriptionCommands::kUnsubscribeUsage),
                           QLatin1String(SubscriptionCommands::kTrustUsage), QLatin1String(EventCommands::kAddUsage),
                           QLatin1String(EventCommands::kEditUsage))
                      .arg(QLatin1String(EventCommands::kDeleteUsage)));
    return kUsage;
}

int Create(const QStringList &arguments)
{
    bool force = false;
    bool empty = false;
    QString facts;
    QString file;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--force"))
            force = true;
        else if (argument == QLatin1String("--empty"))
            empty = true;
        else if (argument == QLatin1String("--facts") && i + 1 < arguments.size())
            facts = arguments[++i];
        else if (!argument.startsWith(QLatin1String("--")) && file.isEmpty())
            file = argument;
        else
            return Usage();
    }
    if (file.isEmpty())
        return Usage();
    if (QFileInfo::exists(file) && !force) {
        Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: %1 already exists (use --force to replace it)").arg(file));
        return kCannotOpen;
    }
    QString error;
    // The shipped facts are compiled in; --facts names another file.
    const bool made = empty ? basSchema::CreateDatabaseFile(file, error)
                            : basSeed::CreateShippedDatabaseFile(
                                  file, facts.isEmpty() ? QStringLiteral(":/quillon-db/facts.tsv") : facts, error);
    if (!made) {
        Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: cannot create %1: %2").arg(file, error));
        return kCannotOpen;
    }
    Print(stdout, QStringLiteral("created %1").arg(file));
    return kClean;
}

int Check(const QStringList &arguments)
{
    bool repair = false;
    int timeout = 8000;
    QString file;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--repair")) {
            repair = true;
        } else if (argument == QLatin1String("--timeout") && i + 1 < arguments.size()) {
            bool ok = false;
            timeout = arguments[++i].toInt(&ok);
            if (!ok || timeout < 0)
                return Usage();
        } else if (!argument.startsWith(QLatin1String("--")) && file.isEmpty()) {
            file = argument;
        } else {
            return Usage();
        }
    }
    if (file.isEmpty())
        return Usage();
    QStringList problems;
    int version = -1;
    const basStoreCheck::CheckResult result = basStoreCheck::CheckDatabaseFile(file, repair, problems, timeout, &version);
    if (result != basStoreCheck::CheckResult::CannotOpen) {
        // Opening brought an older file up to date; a repair never changes the version.
        const int current = basMigrations::CurrentVersion();
        Print(stdout, version == current
                          ? QStringLiteral("%1: database version %2").arg(file).arg(version)
                          : QStringLiteral("%1: database version %2, upgraded to %3").arg(file).arg(version).arg(current));
    }
    switch (result) {
    case basStoreCheck::CheckResult::CannotOpen:
        for (const QString &problem : problems)
            Print(stderr, QCoreApplication::translate("quillon-db", "quillon-db: cannot check %1: %2").arg(file, problem));
        return kCannotOpen;
    case basStoreCheck::CheckResult::RepairFailed:
        // The findings stand; the last line says why none of them was mended.
        for (qsizetype i = 0; i + 1 < problems.size(); ++i)
            Print(stdout, problems[i]);
        Print(stderr, QStringLiteral("quillon-db: %1: %2").arg(file, problems.value(problems.size() - 1)));
        return kProblems;
    case basStoreCheck::CheckResult::Problems:
        for (const QString &problem : problems)
            Print(stdout, problem);
        Print(stdout, QStringLiteral("%1: problems found").arg(file));
        return kProblems;
    case basStoreCheck::CheckResult::Clean:
        break;
    }
    for (const QString &problem : problems)
        Print(stdout, problem);
    Print(stdout, QStringLiteral("%1: ok").arg(file));
    return kClean;
}

} // namespace

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Its messages to the person at the terminal; what it writes for scripts stays English.
    basTranslations::Install(app, QLocale());
    QStringList arguments = app.arguments().mid(1);
    SubscriptionCommands::HidePasswords(argc, argv);
    if (arguments.isEmpty())
        return Usage();
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("create"))
        return Create(arguments);
    if (command == QLatin1String("check"))
        return Check(arguments);
    if (command == QLatin1String("import"))
        return CalendarCommands::Import(arguments);
    if (command == QLatin1String("export"))
        return CalendarCommands::Export(arguments);
    if (command == QLatin1String("subscribe"))
        return SubscriptionCommands::Subscribe(arguments);
    if (command == QLatin1String("subscriptions"))
        return SubscriptionCommands::List(arguments);
    if (command == QLatin1String("refresh"))
        return SubscriptionCommands::Refresh(arguments);
    if (command == QLatin1String("unsubscribe"))
        return SubscriptionCommands::Unsubscribe(arguments);
    if (command == QLatin1String("trust"))
        return SubscriptionCommands::Trust(arguments);
    if (command == QLatin1String("add"))
        return EventCommands::Add(arguments);
    if (command == QLatin1String("edit"))
        return EventCommands::Edit(arguments);
    if (command == QLatin1String("delete"))
        return EventCommands::Delete(arguments);
    return Usage();
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
