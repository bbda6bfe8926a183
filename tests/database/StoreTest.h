// Fixture for store tests: a fresh empty database in the test's data folder, opened
// through basDatabase, and a second raw connection to look at (or damage) the rows.
#pragma once

#include "QuillonTestEnvironment.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

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

public:
    // Eight event values with the given name and notes.
    static QStringList Values(const QString &name, const QString &notes = QString(), const QString &start = QStringLiteral("9:30 AM"),
                              const QString &end = QStringLiteral("10:00 AM"), const QString &recurring = QStringLiteral("0"));

private:
    QString m_rawName;
};

} // namespace quillontest
