// Fixture for the editor and command tests: a fresh empty event store in the test's
// data folder, the settings and refresh flag the main window would share, and helpers
// to store events and read back what the store holds.
#pragma once

#include "EventService.h"
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "basQuillon.h"

#include <QDate>
#include <QStringList>

#include <memory>

namespace quillon {

class frmEvent;

namespace quillontest {

class EditorTest : public QuillonTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new editor over the store, sharing settings and the refresh flag.
    std::unique_ptr<frmEvent> NewEditor();
    // A new event with the editor primed as the main window primes it.
    std::unique_ptr<frmEvent> NewEventEditor(const QDate &date, const QTime &start);

    // Stores a timed or all-day event directly; returns its id.
    qint64 Store(const QString &name, const QList<QDate> &dates, const QString &start = QStringLiteral("9:00 AM"),
                 const QString &end = QStringLiteral("10:00 AM"), bool allDay = false);
    basDatabase::EventRecord Read(qint64 id);
    QList<QDate> DatesOf(qint64 id);
    // The EventCount of a day, 0 when the day has no row.
    qint64 CountOn(const QDate &day);
    QStringList MessageTexts() const;

    basDatabase::EventStore store;
    EventService events{store};
    basQuillon::GeneralSettingsRecord settings;
    // Every date list the editors reported as touched by a save, in order.
    QList<QList<QDate>> changedDates;
    // Conflict dialogs shown by editors from NewEditor; each is answered with Accept.
    int conflictDialogs = 0;
};

} // namespace quillontest

} // namespace quillon
