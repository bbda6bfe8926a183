#include "StoreTest.h"

#include "basSchema.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace quillon {

namespace quillontest {

void StoreTest::SetUp()
{
    QuillonTest::SetUp();
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(DatabaseFile(), error)) << error.toStdString();
    ASSERT_TRUE(store.OpenDatabaseConnection());
    m_rawName = QStringLiteral("raw-%1").arg(reinterpret_cast<quintptr>(this));
    QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_rawName);
    raw.setDatabaseName(DatabaseFile());
    raw.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    ASSERT_TRUE(raw.open());
}

void StoreTest::TearDown()
{
    store.CloseDatabaseConnection();
    {
        QSqlDatabase raw = QSqlDatabase::database(m_rawName, false);
        raw.close();
    }
    QSqlDatabase::removeDatabase(m_rawName);
    QuillonTest::TearDown();
}

QVariant StoreTest::Raw(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(QSqlDatabase::database(m_rawName));
    EXPECT_TRUE(query.prepare(sql)) << query.lastError().text().toStdString();
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    EXPECT_TRUE(query.exec()) << sql.toStdString() << ": " << query.lastError().text().toStdString();
    return query.next() ? query.value(0) : QVariant();
}

qint64 StoreTest::DayCount(const QString &isoDate)
{
    const QVariant count = Raw(QStringLiteral("SELECT EventCount FROM Dates WHERE DateKey = ?"), {isoDate});
    return count.isValid() ? count.toLongLong() : -1;
}

QStringList StoreTest::ReportedModules() const
{
    static const QRegularExpression module(QStringLiteral("Module: \\t\\t([^\\r]*)"));
    QStringList modules;
    for (const auto &message : messages)
        modules.append(module.match(message.text).captured(1));
    return modules;
}

basDatabase::EventRecord StoreTest::Event(const QString &name, const QString &notes, QTime start, QTime end,
                                          bool recurring)
{
    basDatabase::EventRecord event;
    event.EventName = name;
    event.StartTime = start;
    event.EndTime = end;
    event.EventColor = QStringLiteral("Red");
    event.EventIcon = 101;
    event.Notes = notes;
    event.Recurring = recurring;
    return event;
}

} // namespace quillontest

} // namespace quillon
