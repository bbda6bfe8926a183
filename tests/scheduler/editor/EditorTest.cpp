#include "EditorTest.h"

#include "basSchema.h"
#include "basTimeText.h"
#include "frmConflict.h"
#include "frmEvent.h"

namespace quillon {

namespace quillontest {

void EditorTest::SetUp()
{
    QuillonTest::SetUp();
    QString error;
    const QString path = TempPath(QStringLiteral("dbcalndr.sqlite"));
    ASSERT_TRUE(basSchema::CreateDatabaseFile(path, error)) << error.toStdString();
    ASSERT_TRUE(store.OpenDatabaseConnection(path));
    settings = {};
    settings.CheckForConflicts = true;
    settings.DisplayCalendarOnDesktop = 1;
}

void EditorTest::TearDown()
{
    store.CloseDatabaseConnection();
    QuillonTest::TearDown();
}

std::unique_ptr<frmEvent> EditorTest::NewEditor()
{
    auto editor = std::make_unique<frmEvent>(events, settings, [this](const QList<QDate> &dates) { changedDates << dates; });
    editor->SetConflictDialogRunner([this](frmConflict &dialog) {
        ++conflictDialogs;
        dialog.Form_Load();
        dialog.cmdAccept_Click();
    });
    return editor;
}

std::unique_ptr<frmEvent> EditorTest::NewEventEditor(const QDate &date, const QTime &start)
{
    auto editor = NewEditor();
    editor->SetEventID(0);
    editor->SetEventSubject(QString());
    editor->SetAllDayEvent(false);
    editor->SetEventDate(date);
    editor->SetEventStartTime(start);
    editor->SetEventColor(QString());
    editor->SetEventIconIndex(0);
    editor->SetEventNotes(QString());
    editor->SetEventRecurring(false);
    return editor;
}

qint64 EditorTest::Store(const QString &name, const QList<QDate> &dates, const QString &start, const QString &end,
                         bool allDay)
{
    basDatabase::EventRecord event;
    event.EventName = name;
    event.AllDayEvent = allDay;
    event.StartTime = allDay ? QTime(0, 0) : basTimeText::ParseTimeText(start);
    event.EndTime = allDay ? QTime(23, 59) : basTimeText::ParseTimeText(end);
    event.Recurring = dates.size() > 1;
    qint64 id = 0;
    EXPECT_TRUE(store.AddEventToDatabase(event, dates, id));
    return id;
}

basDatabase::EventRecord EditorTest::Read(qint64 id)
{
    basDatabase::EventRecord event;
    EXPECT_TRUE(store.GetEventData(id, event));
    return event;
}

QList<QDate> EditorTest::DatesOf(qint64 id)
{
    QList<QDate> dates;
    EXPECT_TRUE(store.GetAllDatesForEvent(id, dates));
    std::sort(dates.begin(), dates.end());
    return dates;
}

qint64 EditorTest::CountOn(const QDate &day)
{
    QList<basDatabase::DayRecord> days;
    EXPECT_TRUE(store.GetDates(day, day, days));
    return days.isEmpty() ? 0 : days.first().EventCount;
}

QStringList EditorTest::MessageTexts() const
{
    QStringList texts;
    for (const auto &message : messages)
        texts << message.text;
    return texts;
}

} // namespace quillontest

} // namespace quillon
