// Test helper: saves EVENTS events of DAYS consecutive dates from FIRST (m/d/yyyy)
// through the store in the data folder, printing "ready" once open and "saved ID"
// after each save. Exits 1 when a save fails, 2 when the store does not open.
#include "basDatabase.h"

#include <QCoreApplication>
#include <QDate>

#include <cstdio>

#include "basDateText.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4)
        return 64;
    const int events = QString::fromLocal8Bit(argv[1]).toInt();
    const int days = QString::fromLocal8Bit(argv[2]).toInt();
    const QDate first = basDateText::ParseDateText(QString::fromLocal8Bit(argv[3]));
    if (!basDatabase::OpenDatabaseConnection())
        return 2;
    QStringList dates;
    for (int d = 0; d < days; ++d)
        dates.append(basDateText::FormatDateText(first.addDays(d)));
    std::puts("ready");
    std::fflush(stdout);
    for (int i = 0; i < events; ++i) {
        QString id;
        const QStringList values{QStringLiteral("event %1").arg(i), QStringLiteral("0"), QStringLiteral("9:30 AM"),
                                 QStringLiteral("10:00 AM"), QString(), QString(), QStringLiteral("notes|%1").arg(i),
                                 QStringLiteral("1")};
        if (!basDatabase::AddEventToDatabase(values, dates, id))
            return 1;
        std::printf("saved %s\n", id.toLatin1().constData());
        std::fflush(stdout);
    }
    basDatabase::CloseDatabaseConnection();
    return 0;
}
