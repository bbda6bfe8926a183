// The main window's views filled from the day page: the shown day with its caption,
// notes and fact, and the marks of the displayed months.
#include "frmMain.h"

#include "DayCaptionLabel.h"
#include "basColor.h"
#include "basDayCaption.h"
#include "basFactOfTheDay.h"
#include "basMonthMarks.h"
#include "basOperation.h"
#include "frmMainParts.h"
#include "views/DayView.h"
#include "views/MonthView.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSplitter>

namespace quillon {

using basOperation::Steps;
using frmMainParts::FlagScope;

void frmMain::UpdateDayView()
{
    basOperation::TrapVoid("frmMain:UpdateDayView", [&](Steps &step) {
        step(10);
        PaintingSuspended suspended(*this, *m_left);
        StoreNotesBeforeLeavingDay();
        step(20);
        m_page.ClearAllDayEvents();
        m_dayView->RemoveAllTasks();
        m_dayView->SetSelectedTimeSlot(-1);
        m_tbEdit->setEnabled(false);
        m_tbDelete->setEnabled(false);
        UpdateStatusText();
        step(30);
        // The day's events with their data in one query.
        const QDate shown = m_page.CurrentDate();
        for (const Event &event : m_page.EventsOn(shown))
            AddEventToDayView(event);
        step(40);
        if (const std::optional<DayPage::Day> day = m_page.ReadDay(shown)) {
            step(50);
            UpdateDayViewCaption(day->DateColor);
            m_notes->setPlainText(day->Notes);
            m_notes->document()->setModified(day->NotesUnsaved);
            UpdateFactOfTheDay(day->DateColor, day->DateText);
        } else {
            // The box must not keep another day's notes: its next loss of focus would
            // store them for this one.
            step(60);
            m_notes->clear();
            m_notes->document()->setModified(false);
            UpdateDayViewCaption(QString());
            m_fact->clear();
        }
        step(70);
        UpdateRangeView();
    });
}

void frmMain::StoreNotesBeforeLeavingDay()
{
    // Notes typed but not yet stored: the box kept the focus while the day was reloaded.
    if (m_page.NotesDate().isValid() && m_notes->document()->isModified()) {
        txtNotes_LostFocus();
        // The store said why it refused them; the text stays for its day.
        if (m_notes->document()->isModified())
            m_page.KeepUnsaved(m_notes->toPlainText());
    }
}

void frmMain::AddEventToDayView(const Event &event)
{
    basOperation::TrapVoid("frmMain:AddEventToDayView", [&](Steps &step) {
        step(10);
        FlagScope busy(m_busy);
        PaintingSuspended suspended(*this, *m_left);
        step(20);
        if (event.AllDayEvent) {
            m_page.AddAllDayEvent(event.EventID, event.EventName);
            step(30);
            UpdateDayViewCaption(QString());
            return;
        }
        step(40);
        const std::int32_t color =
            event.EventColor.isEmpty() ? m_dayView->DurationBarFillColor() : m_colorFromName(event.EventColor);
        step(50);
        m_dayView->AddTask(event.StartTime, event.EndTime, event.EventName, color);
        step(60);
        const int index = m_dayView->TaskCount() - 1;
        if (index >= 0) {
            m_dayView->SetTaskTag(index, event.EventID);
            m_dayView->SetTaskLocation(index, event.Location);
            if (event.EventIcon > 0)
                m_dayView->SetTaskPicture(index, m_eventIcon(event.EventIcon));
        }
    });
}

void frmMain::UpdateDayViewCaption(const QString &dateColor)
{
    basOperation::TrapVoid("frmMain:UpdateDayViewCaption", [&](Steps &step) {
        step(10);
        FlagScope busy(m_busy);
        PaintingSuspended suspended(*this, *m_left);
        step(20);
        QStringList names;
        for (const DayPage::AllDayEvent &entry : m_page.AllDayEvents())
            names.append(entry.EventName);
        const basDayCaption::Caption caption = basDayCaption::BuildCaption(
            m_page.CurrentDate(), names, dateColor, QLocale(), palette().color(QPalette::Button),
            ToTwips(m_panelA->height()) / 2);
        step(40);
        m_caption->setText(caption.text);
        step(50);
        auto *label = static_cast<DayCaptionLabel *>(m_caption);
        label->SetColors(caption.background, caption.foreground);
        label->SetLineHeights(ToPixels(basDayCaption::kBaseHeight),
                              ToPixels(basDayCaption::kBaseHeight + basDayCaption::kLineHeight)
                                  - ToPixels(basDayCaption::kBaseHeight));
        step(60);
        m_captionHeight = caption.height;
        m_captionColor = dateColor;
        const int captionHeight = ToPixels(caption.height);
        m_caption->setGeometry(0, 0, m_panelA->width(), captionHeight);
        m_dayView->setGeometry(0, m_caption->y() + captionHeight, m_panelA->width(),
                               std::max(0, m_panelA->height() - captionHeight));
    });
}

int frmMain::GetTaskIndex(qint64 eventId)
{
    return basOperation::Trap("frmMain:GetTaskIndex", -1, [&](Steps &step) {
        step(10);
        for (int i = 0; i < m_dayView->TaskCount(); ++i)
            if (m_dayView->TaskTag(i) == eventId)
                return i;
        return -1;
    });
}

void frmMain::UpdateMonthView()
{
    basOperation::TrapVoid("frmMain:UpdateMonthView", [&](Steps &step) {
        step(10);
        FlagScope busy(m_busy);
        PaintingSuspended suspended(*this, *m_panelB);
        step(20);
        const GridMonth first = m_monthView->DisplayedMonth(0);
        const GridMonth last = m_monthView->DisplayedMonth(2);
        const QDate firstDate(first.year, first.month, 1);
        const QDate lastDate(last.year, last.month, last.days);
        step(30);
        // All rows of the displayed months in one query.
        const std::optional<QList<DayPage::Mark>> marks = m_page.ReadMarks(firstDate, lastDate);
        if (!marks)
            return;
        step(40);
        m_monthView->ResetMarks();
        step(50);
        for (const DayPage::Mark &mark : *marks)
            m_monthView->MarkDate(mark.Date, basMonthMarks::StyleSetName(mark.DateColor, mark.EventCount));
    });
}

void frmMain::SetStyleSets()
{
    basOperation::TrapVoid("frmMain:SetStyleSets", [&](Steps &step) {
        step(10);
        for (const basMonthMarks::StyleSetDefinition &set : basMonthMarks::StyleSets(ButtonFace()))
            m_monthView->AddStyleSet(set.name, set.backColor, set.textColor, set.bold);
    });
}

std::int32_t frmMain::ButtonFace() const { return basColor::FromQColor(palette().color(QPalette::Button)); }

void frmMain::UpdateFactOfTheDay(const QString &dateColor, const QString &dateText)
{
    basOperation::TrapVoid("frmMain:UpdateFactOfTheDay", [&](Steps &step) {
        step(10);
        const bool welcome = m_page.FirstRun();
        const QString fact = welcome ? QString() : m_page.FactOfTheDay(m_page.CurrentDate());
        step(20);
        const QString text = basFactOfTheDay::ComposeText(welcome, dateText, fact, dateColor);
        m_page.SetFirstRun(false);
        step(30);
        m_fact->setPlainText(text);
    });
}

void frmMain::txtNotes_LostFocus()
{
    if (m_page.StoreNotes(m_notes->toPlainText()))
        m_notes->document()->setModified(false);
}

} // namespace quillon
