// The main window's File > Import Calendar... and Export Calendar...: events kept in other
// calendar programs brought in from an iCalendar file, and ours written out to one.
#include "frmMain.h"

#include "CalendarList.h"
#include "ICalendarTexts.h"
#include "basICalendar.h"
#include "basOperation.h"
#include "frmCalendars.h"
#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <exception>
#include <limits>
#include <memory>

namespace quillon {

namespace {
const QString kTitle = QCoreApplication::translate("quillon::frmMain", "Quillon Scheduler");
const QString kFilter = QCoreApplication::translate("quillon::frmMain", "Calendar files (*.ics);;All files (*)");
// More warnings than this are counted, not listed, so the box stays on the screen.
constexpr int kWarningsShown = 10;
// A read that takes longer shows its progress dialog; a quick one shows nothing.
constexpr int kProgressDelayMs = 400;

// The wait cursor (or the busy one, while the window can still be used) for as long as a
// file is read or written.
class WaitCursor {
public:
    explicit WaitCursor(Qt::CursorShape shape = Qt::WaitCursor) { QApplication::setOverrideCursor(shape); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// The calendar text is read on a thread of its own, so that the window stays drawn and a
// long read can be cancelled from its progress dialog; the events are written afterwards
// on this thread, where the store was opened.
ICalendarReader::CalendarContents ReadOnAThread(QWidget *parent, const QString &path, const ICalendarLines::Text &text,
                                                ICalendarReader::ReadOptions options)
{
    std::atomic_bool cancel = false;
    options.Cancelled = [&cancel] { return cancel.load(); };
    ICalendarReader::CalendarContents contents;
    std::exception_ptr error;
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            contents = ICalendarReader::ReadCalendar(text, options);
        } catch (...) {
            error = std::current_exception();
        }
    }));
    QProgressDialog progress(QObject::tr("Reading %1...").arg(QFileInfo(path).fileName()), QObject::tr("Cancel"), 0, 0,
                             parent);
    progress.setWindowTitle(kTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&cancel] { cancel = true; });
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    progress.setValue(0);
    loop.exec();
    thread->wait();
    if (error)
        std::rethrow_exception(error);
    return contents;
}

// The events read are stored on this thread, where the store was opened: a progress
// dialog keeps the window drawn, and its Cancel takes all of them back.
class StoringDialog {
public:
    StoringDialog(QWidget *parent, const QString &path)
        : m_progress(QObject::tr("Storing the events of %1...").arg(QFileInfo(path).fileName()), QObject::tr("Cancel"),
                     0, 0, parent)
    {
        m_progress.setWindowTitle(kTitle);
        m_progress.setWindowModality(Qt::WindowModal);
        m_progress.setMinimumDuration(kProgressDelayMs);
    }
    bool Stored(qsizetype stored, qsizetype total)
    {
        m_progress.setMaximum(int(std::min<qsizetype>(total, std::numeric_limits<int>::max())));
        m_progress.setValue(int(std::min<qsizetype>(stored, m_progress.maximum())));
        QApplication::processEvents();
        return !m_progress.wasCanceled();
    }

private:
    QProgressDialog m_progress;
};

// The file's warnings (kept in English, as logged) in the user's language.
QString ListOf(const QStringList &lines)
{
    QString text = ICalendarTexts::Shown(lines.mid(0, kWarningsShown).join(QLatin1Char('\n')));
    if (lines.size() > kWarningsShown)
        text += QCoreApplication::translate("quillon::frmMain", "\n... and %1 more").arg(lines.size() - kWarningsShown);
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
        WaitCursor wait(Qt::BusyCursor);
        // A failure has been reported, naming the file, the line and the reason; the
        // store is as it was. So it is after Cancel, with nothing to report.
        StoringDialog storing(this, path);
        imported = basICalendar::ImportCalendarFile(
            m_page.Store(), path, summary, {},
            [this, &path](const ICalendarLines::Text &text, const ICalendarReader::ReadOptions &options) {
                return ReadOnAThread(this, path, text, options);
            },
            [&storing](qsizetype stored, qsizetype total) { return storing.Stored(stored, total); });
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
        exported = basICalendar::ExportCalendarFile(m_page.Store(), path, summary);
    }
    if (!exported)
        return false;
    QString text = tr("%1 events were written to %2.").arg(summary.Events).arg(QDir::toNativeSeparators(path));
    if (!summary.LeftOut.isEmpty())
        text += QStringLiteral("\n\n") + tr("Left out:") + QLatin1Char('\n') + ListOf(summary.LeftOut);
    basPlatform::ShowMessage(text, kTitle, basPlatform::MessageIcon::Information, basPlatform::MessageButtons::Ok);
    return true;
}

void frmMain::mnuFileCalendars_Click()
{
    basOperation::TrapVoid("frmMain.mnuFileCalendars_Click", [&](basOperation::Steps &step) {
        step(10);
        if (basPlatform::IsNonInteractive())
            return;
        CalendarList list;
        connect(&list, &CalendarList::DatesChanged, this, &frmMain::NoteEventDatesChanged);
        frmCalendars window(list, this);
        step(20);
        window.exec();
        step(30);
        // The window wrote through a connection of its own.
        ShowChangesByOthers();
    });
}

} // namespace quillon
