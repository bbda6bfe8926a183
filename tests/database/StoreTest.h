// Fixture for store tests: a fresh empty database in the test's data folder, opened
// through an EventStore, and a second raw connection to look at (or damage) the rows.
#pragma once

#include "EventStore.h"
#include "QuillonTestEnvironment.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace quillon {

namespace quillontest {

class StoreTest : public QuillonTest {
protected:
    void SetUp() override;
    void TearDown() override;

    QString DatabaseFile() const { return TempPath(QStringLiteral("dbcalndr.sqlite")); }
    // Runs raw SQL on the file; returns the first column of the first row.
    QVariant Raw(const QString &sql, const QVariantList &values = {});
    qint64 Count(const QString &sql, const QVariantList &values = {}) { return Raw(sql, values).toLongLong(); }
    // The EventCount of a day (ISO key), -1 when the day has no row.
    qint64 DayCount(const QString &isoDate);
    // The module names of the error reports shown so far.
    QStringList ReportedModules() const;

    basDatabase::EventStore store;

public:
    // A timed event with the given name and notes.
    static basDatabase::EventRecord Event(const QString &name, const QString &notes = QString(),
                                          QTime start = QTime(9, 30), QTime end = QTime(10, 0), bool recurring = false);

private:
    QString m_rawName;
};

} // namespace quillontest

} // namespace quillon
