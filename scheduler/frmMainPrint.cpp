// The main window's printing: the shown day, week, month or agenda, to a printer or a
// PDF file, through the system's print dialog or its preview.
#include "frmMain.h"

#include "EventService.h"
#include "ViewPrint.h"
#include "basOperation.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

namespace quillon {

using basOperation::Steps;

ShownRange frmMain::RangeToPrint()
{
    ShownRange range;
    range.Show(m_view, m_page.CurrentDate(), m_range.WeekStart(), m_agendaDays);
    EventService events(m_page.Store());
    range.Load(events, m_colorFromName, m_eventIcon);
    return range;
}

void frmMain::PrintView(bool preview)
{
    basOperation::TrapVoid("frmMain:PrintView", [&](Steps &step) {
        step(10);
        if (basPlatform::IsNonInteractive())
            return;
        const ShownRange range = RangeToPrint();
        const basCalendarFonts::CalendarFontSet fonts = basCalendarFonts::LoadCalendarFonts();
        const std::int32_t fill = m_dayView->DurationBarFillColor();
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(range.Title(QLocale()));
        step(20);
        if (preview) {
            QPrintPreviewDialog dialog(&printer, this);
            dialog.setWindowTitle(tr("Print Preview"));
            // Large enough to read the page.
            if (const QScreen *screen = this->screen())
                dialog.resize(screen->availableSize() * 0.8);
            connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
                    [&](QPrinter *target) { ViewPrint::Print(*target, range, basPlatform::Today(), fonts, fill); });
            dialog.exec();
            return;
        }
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted)
            ViewPrint::Print(printer, range, basPlatform::Today(), fonts, fill);
    });
}

} // namespace quillon
