#include "SchedulerFixture.h"

#include "basErrorHandler.h"
#include "basQuillon.h"
#include "basRegistry.h"
#include "basSeed.h"
#include "basTimeText.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace quillon {

namespace schedulertest {

namespace {
// Making the church year takes a moment: once per run, then copied per test.
QString ShippedDatabase()
{
    static QTemporaryDir folder;
    static QString path;
    if (path.isEmpty()) {
        QString error;
        const QString file = folder.path() + QStringLiteral("/shipped.sqlite");
        if (basSeed::CreateShippedDatabaseFile(file, QStringLiteral(QUILLON_SOURCE_DIR "/data/facts.tsv"), error))
            path = file;
        else
            ADD_FAILURE() << error.toStdString();
    }
    return path;
}
} // namespace

void SchedulerTest::SetUp()
{
    QuillonTest::SetUp();
    SetNow(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    ASSERT_TRUE(QFile::copy(ShippedDatabase(), DatabaseFile()));
    store = std::make_unique<basDatabase::EventStore>();
}

void SchedulerTest::TearDown()
{
    window.reset();
    store.reset();
    QuillonTest::TearDown();
}

qint64 SchedulerTest::AddEvent(const QString &name, const QList<QDate> &dates, const QString &start,
                               const QString &end, const QString &color, int icon)
{
    basDatabase::EventStore writer;
    EXPECT_TRUE(writer.OpenDatabaseConnection());
    basDatabase::EventRecord event;
    event.EventName = name;
    event.AllDayEvent = start.isEmpty();
    event.StartTime = event.AllDayEvent ? QTime(0, 0) : basTimeText::ParseTimeText(start);
    event.EndTime = event.AllDayEvent ? QTime(23, 59) : basTimeText::ParseTimeText(end);
    event.EventColor = color;
    event.EventIcon = icon;
    qint64 id = 0;
    EXPECT_TRUE(writer.AddEventToDatabase(event, dates, id));
    writer.CloseDatabaseConnection();
    return id;
}

void SchedulerTest::Sql(const QString &statement, const QVariantList &values)
{
    const QString name = QStringLiteral("scheduler-test-raw");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(DatabaseFile());
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.prepare(statement)) << query.lastError().text().toStdString();
        for (const QVariant &value : values)
            query.addBindValue(value);
        ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(name);
}

QString SchedulerTest::Notes(const QDate &date)
{
    // Read beside the window's own connection, never through the store it uses.
    const QString name = QStringLiteral("scheduler-test-notes");
    QString notes;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(DatabaseFile());
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT DateNotes FROM Dates WHERE DateKey = ?"));
        query.addBindValue(date.toString(Qt::ISODate));
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
        if (query.next())
            notes = query.value(0).toString();
    }
    QSqlDatabase::removeDatabase(name);
    return notes;
}

QString SchedulerTest::General(const char *name)
{
    return basRegistry::GetRegistryString(basRegistry::HKEY_CURRENT_USER, basQuillon::GeneralKey(),
                                          QLatin1String(name), QString());
}

void SchedulerTest::SetGeneral(const char *name, const QString &value)
{
    basRegistry::SaveRegistryString(basRegistry::HKEY_CURRENT_USER, basQuillon::GeneralKey(), QLatin1String(name),
                                    value);
}

frmMain &SchedulerTest::Load()
{
    window = std::make_unique<frmMain>(*store);
    window->SetStoreLookInterval(storeLookInterval);
    EXPECT_TRUE(window->Form_Load());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
}

void SchedulerTest::Unload()
{
    window->close();
    window.reset();
}

QStringList SchedulerTest::Reports() const
{
    QStringList modules;
    for (const basPlatform::MessageRequest &message : messages)
        if (message.title == QLatin1String(basErrorHandler::kMessageTitle)) {
            const qsizetype start = message.text.indexOf(QStringLiteral("Module: "));
            const qsizetype end = message.text.indexOf(QStringLiteral("\r\n"), start);
            modules.append(message.text.mid(start + 8, end - start - 8).trimmed());
        }
    return modules;
}

} // namespace schedulertest

} // namespace quillon
