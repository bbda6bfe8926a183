// Test helper: saves EVENTS events of DAYS consecutive dates from FIRST (m/d/yyyy)
// through the store in the data folder, printing "ready" once open and "saved ID"
// after each save. Exits 1 when a save fails, 2 when the store does not open.
#include "EventStore.h"

#include <QCoreApplication>
#include <QDate>

#include <cstdio>

#include "basDateText.h"

namespace quillon {

int Main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4)
        return 64;
    const int events = QString::fromLocal8Bit(argv[1]).toInt();
    const int days = QString::fromLocal8Bit(argv[2]).toInt();
    const QDate first = basDateText::ParseDateText(QString::fromLocal8Bit(argv[3]));
    basDatabase::EventStore store;
    if (!store.OpenDatabaseConnection())
        return 2;
    QList<QDate> dates;
    for (int d = 0; d < days; ++d)
        dates.append(first.addDays(d));
    std::puts("ready");
    std::fflush(stdout);
    for (int i = 0; i < events; ++i) {
        qint64 id = 0;
        basDatabase::EventRecord event;
        event.EventName = QStringLiteral("event %1").arg(i);
        event.StartTime = QTime(9, 30);
        event.EndTime = QTime(10, 0);
        event.Notes = QStringLiteral("notes|%1").arg(i);
        event.Recurring = true;
        if (!store.AddEventToDatabase(event, dates, id))
            return 1;
        std::printf("saved %lld\n", static_cast<long long>(id));
        std::fflush(stdout);
    }
    return 0;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
