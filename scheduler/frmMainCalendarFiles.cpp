// The main window's File > Import Calendar... and Export Calendar...: events kept in other
// calendar programs brought in from an iCalendar file, and ours written out to one.
#include "frmMain.h"

#include "basICalendar.h"
#include "platform/basPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
const QString kTitle = QStringLiteral("Quillon Scheduler");
const QString kFilter = QStringLiteral("Calendar files (*.ics);;All files (*)");
// More warnings than this are counted, not listed, so the box stays on the screen.
constexpr int kWarningsShown = 10;

// The wait cursor for as long as a file is read or written.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

QString ListOf(const QStringList &lines)
{
    QString text = lines.mid(0, kWarningsShown).join(QLatin1Char('\n'));
    if (lines.size() > kWarningsShown)
        text += QStringLiteral("\n... and %1 more").arg(lines.size() - kWarningsShown);
    return text;
}
} // namespace

bool frmMain::ImportCalendar(QString path)
{
    if (path.isEmpty()) {
        path = m_chooseFile ? m_chooseFile(false)
                            : QFileDialog::getOpenFileName(this, tr("Import Calendar"), QDir::homePath(), kFilter);
        if (path.isEmpty())
            return false; // cancelled
    }
    // Notes being typed belong to the shown day, whatever the import brings.
    StoreNotesBeforeLeavingDay();
    basICalendar::ImportSummary summary;
    bool imported = false;
    {
        WaitCursor wait;
        // A failure has been reported, naming the file, the line and the reason; the
        // store is as it was.
        imported = basICalendar::ImportCalendarFile(m_store, path, summary);
    }
    if (!imported)
        return false;
    if (summary.TouchesCurrentMonth)
        NoteEventDatesChanged({basPlatform::Today()});
    UpdateMonthView();
    UpdateDayView();
    QString text = tr("%1:\n%2 added, %3 updated, %4 unchanged.")
                       .arg(QDir::toNativeSeparators(path))
                       .arg(summary.Added)
                       .arg(summary.Updated)
                       .arg(summary.Unchanged);
    if (!summary.Warnings.isEmpty())
        text += QStringLiteral("\n\n") + ListOf(summary.Warnings);
    basPlatform::ShowMessage(text, kTitle, basPlatform::MessageIcon::Information, basPlatform::MessageButtons::Ok);
    return true;
}

bool frmMain::ExportCalendar(QString path)
{
    if (path.isEmpty()) {
        path = m_chooseFile ? m_chooseFile(true)
                            : QFileDialog::getSaveFileName(this, tr("Export Calendar"),
                                                           QDir::homePath() + QStringLiteral("/quillon.ics"), kFilter);
        if (path.isEmpty())
            return false;
    }
    basICalendar::ExportSummary summary;
    bool exported = false;
    {
        WaitCursor wait;
        exported = basICalendar::ExportCalendarFile(m_store, path, summary);
    }
    if (!exported)
        return false;
    QString text = tr("%1 events were written to %2.").arg(summary.Events).arg(QDir::toNativeSeparators(path));
    if (!summary.LeftOut.isEmpty())
        text += QStringLiteral("\n\n") + tr("Left out:") + QLatin1Char('\n') + ListOf(summary.LeftOut);
    basPlatform::ShowMessage(text, kTitle, basPlatform::MessageIcon::Information, basPlatform::MessageButtons::Ok);
    return true;
}
