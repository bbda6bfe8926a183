// Fixture for the main window's tests: a copy of a store with the shipped church year
// in the test's data folder, the clock at 7 December 2026 9:00, events added through
// a store of its own, and the window over a second store.
#pragma once

#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "frmMain.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace quillon {

namespace schedulertest {

class SchedulerTest : public quillontest::QuillonTest {
protected:
    void SetUp() override;
    void TearDown() override;

    QString DatabaseFile() const { return TempPath(QStringLiteral("dbcalndr.sqlite")); }
    // A timed event (start and end "h:mm AM") or, with empty times, an all-day one.
    qint64 AddEvent(const QString &name, const QList<QDate> &dates, const QString &start = QString(),
                    const QString &end = QString(), const QString &color = QString(), int icon = 0);
    // Runs SQL on the file through a connection of its own.
    void Sql(const QString &statement, const QVariantList &values = {});
    QString Notes(const QDate &date);
    // A stored General value, or its absence as "".
    static QString General(const char *name);
    static void SetGeneral(const char *name, const QString &value);

    // Builds and loads the window; fails the test when it does not load.
    frmMain &Load();
    void Unload(); // closes the window as the user would, then deletes it
    // Off unless a test looks at it: the rows tests write directly are changes by others.
    int storeLookInterval = 0;

    // Module names of the error reports shown so far.
    QStringList Reports() const;

    std::unique_ptr<basDatabase::EventStore> store;
    std::unique_ptr<frmMain> window;
};

} // namespace schedulertest

} // namespace quillon
