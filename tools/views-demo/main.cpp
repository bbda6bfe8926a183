// views-demo: the day, month and year views side by side with sample data, and a
// line that reports each notification as it is raised.
//
//   views-demo [--screenshot FILE]
//
// With --screenshot the window is drawn once, saved as PNG to FILE, and the program ends.
#include "basColor.h"
#include "basTimeText.h"
#include "platform/basPlatform.h"
#include "views/DayView.h"
#include "views/MonthView.h"
#include "views/YearView.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace quillon {

namespace {

std::int32_t Rgb(int red, int green, int blue) { return basColor::FromQColor(QColor(red, green, blue)); }

void FillDayView(DayView &view)
{
    struct Sample {
        const char *start;
        const char *end;
        const char *text;
        std::int32_t color;
        const char *tag;
    };
    const Sample samples[] = {
        {"9:00 AM", "10:30 AM", "Staff meeting", Rgb(128, 128, 255), "11"},
        {"9:30 AM", "10:00 AM", "Call with the printer", Rgb(255, 255, 128), "12"},
        {"10:00 AM", "11:00 AM", "Dentist", Rgb(255, 128, 128), "13"},
        {"12:00 PM", "1:00 PM", "Lunch with Ann at the corner cafe", -1, "14"},
        {"2:00 PM", "3:30 PM", "Project review: budget and the spring schedule", Rgb(0, 128, 0), "15"},
        {"6:00 PM", "7:00 PM", "Choir rehearsal", Rgb(128, 0, 128), "16"},
    };
    for (const Sample &sample : samples) {
        const int index = view.AddTask(basTimeText::ParseTimeText(QString::fromLatin1(sample.start)),
                                       basTimeText::ParseTimeText(QString::fromLatin1(sample.end)),
                                       QString::fromLatin1(sample.text), sample.color);
        view.SetTaskTag(index, QByteArray(sample.tag).toLongLong());
    }
    view.SetTaskPicture(4, view.style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    view.SetTaskPicture(1, view.style()->standardIcon(QStyle::SP_MessageBoxInformation));
    view.SetSelectedTimeSlot(view.SlotOfTime(QTime(16, 0)));
}

void SetStyleSets(MonthView &view)
{
    const std::int32_t face = basColor::FromQColor(view.palette().color(QPalette::Button));
    const std::int32_t navy = Rgb(0, 0, 128), black = Rgb(0, 0, 0), white = Rgb(255, 255, 255);
    struct Look {
        const char *colour;
        std::int32_t back;
        std::int32_t plainText;
    };
    const Look looks[] = {{"Normal", face, black},           {"Green", Rgb(0, 128, 0), white},
                          {"Purple", Rgb(128, 0, 128), white}, {"White", white, black},
                          {"Red", Rgb(255, 0, 0), white},      {"Gray", Rgb(128, 128, 128), white}};
    for (const Look &look : looks) {
        const QString colour = QString::fromLatin1(look.colour);
        view.AddStyleSet(colour + QStringLiteral("Events"), look.back, navy, true);
        view.AddStyleSet(colour + QStringLiteral("NoEvents"), look.back, look.plainText, false);
    }
}

// Marks as the scheduler makes them from the day records: a colour for the
// church-year seasons and bold days for those with events.
void MarkMonths(MonthView &view)
{
    view.ResetMarks();
    const GridMonth first = view.DisplayedMonth(0);
    const GridMonth last = view.DisplayedMonth(2);
    const QDate from(first.year, first.month, 1);
    const QDate to(last.year, last.month, last.days);
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        const int n = static_cast<int>(date.toJulianDay());
        QString colour = QStringLiteral("Normal");
        if (date.month() % 3 == 0)
            colour = QStringLiteral("Green");
        else if (date.month() % 3 == 1 && date.day() < 8)
            colour = QStringLiteral("Purple");
        if (date.dayOfWeek() == Qt::Sunday)
            colour = date.day() % 2 ? QStringLiteral("White") : QStringLiteral("Red");
        const bool events = n % 5 == 0 || n % 7 == 3;
        view.MarkDate(date, colour + (events ? QStringLiteral("Events") : QStringLiteral("NoEvents")));
    }
}

} // namespace

int Main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("views-demo"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The calendar views with sample data."));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the window as PNG to <file> and quit."),
                                        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Calendar views"));
    auto *status = new QLabel(QStringLiteral("Click, double-click or right-click the views."));
    window.statusBar()->addWidget(status, 1);
    auto report = [status](const QString &text) { status->setText(text); };

    auto *splitter = new QSplitter(&window);
    auto *dayPane = new QWidget(splitter);
    auto *dayLayout = new QVBoxLayout(dayPane);
    dayLayout->setContentsMargins(6, 6, 6, 6);
    auto *caption = new QLabel(QLocale().toString(basPlatform::Today(), QLocale::LongFormat), dayPane);
    QFont captionFont = caption->font();
    captionFont.setBold(true);
    captionFont.setPointSizeF(captionFont.pointSizeF() * 1.3);
    caption->setFont(captionFont);
    auto *dayView = new DayView(dayPane);
    dayLayout->addWidget(caption);
    dayLayout->addWidget(dayView, 1);

    auto *right = new QWidget(splitter);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(6, 6, 6, 6);
    auto *monthView = new MonthView(right);
    auto *today = new QPushButton(QStringLiteral("&Today"), right);
    auto *yearLabel = new QLabel(QStringLiteral("Select the days on which this event occurs:"), right);
    auto *yearView = new YearView(right);
    rightLayout->addWidget(monthView, 2);
    rightLayout->addWidget(today, 0, Qt::AlignRight);
    rightLayout->addWidget(yearLabel);
    rightLayout->addWidget(yearView, 3);
    splitter->addWidget(dayPane);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    window.setCentralWidget(splitter);

    FillDayView(*dayView);
    SetStyleSets(*monthView);
    MarkMonths(*monthView);
    const QDate now = basPlatform::Today();
    yearView->Clear();
    yearView->AddDate(now);
    for (int week = 0; week < 10; ++week)
        yearView->AddDate(QDate(now.year(), 1, 6).addDays(7 * week));

    QObject::connect(dayView, &DayView::Click, [=] {
        const int task = dayView->SelectedTask();
        report(task >= 0 ? QStringLiteral("Click: task %1 \"%2\" (id %3)")
                               .arg(task)
                               .arg(dayView->TaskText(task)).arg(dayView->TaskTag(task))
                         : QStringLiteral("Click: time slot %1 (%2)")
                               .arg(dayView->SelectedTimeSlot())
                               .arg(basTimeText::FormatTimeText(dayView->TimeOfSlot(dayView->SelectedTimeSlot()))));
    });
    QObject::connect(dayView, &DayView::DblClick, [=] {
        report(dayView->SelectedTask() >= 0 ? QStringLiteral("DblClick: edit the selected task")
                                            : QStringLiteral("DblClick: new event at %1")
                                                  .arg(basTimeText::FormatTimeText(dayView->TimeOfSlot(dayView->SelectedTimeSlot()))));
    });
    QObject::connect(dayView, &DayView::MouseUp, [=](int button, int shift, int x, int y) {
        if (button != DayView::kRightButton)
            return;
        const int task = dayView->TaskAt(x, y);
        report(QStringLiteral("MouseUp: button %1, shift %2 at (%3, %4): area %5, task %6, time %7")
                   .arg(button)
                   .arg(shift)
                   .arg(x)
                   .arg(y)
                   .arg(dayView->AreaAt(x, y))
                   .arg(task)
                   .arg(basTimeText::FormatTimeText(dayView->TimeAt(x, y))));
    });
    QObject::connect(dayView, &DayView::AddRequest, [=](QTime time) {
        report(QStringLiteral("AddRequest at %1").arg(basTimeText::FormatTimeText(time)));
    });
    QObject::connect(monthView, &MonthView::DaySelected, [=](const QDate &date) {
        caption->setText(QLocale().toString(date, QLocale::LongFormat));
        report(QStringLiteral("DaySelected: %1").arg(date.toString(Qt::ISODate)));
    });
    QObject::connect(monthView, &MonthView::DisplayedMonthsChanged, [=] {
        MarkMonths(*monthView);
        const GridMonth first = monthView->DisplayedMonth(0);
        const GridMonth last = monthView->DisplayedMonth(2);
        report(QStringLiteral("DisplayedMonthsChanged: %1/%2 to %3/%4")
                   .arg(first.month)
                   .arg(first.year)
                   .arg(last.month)
                   .arg(last.year));
    });
    QObject::connect(today, &QPushButton::clicked, [=] { monthView->SetDate(basPlatform::Today()); });
    QObject::connect(yearView, &YearView::SelectionChanged, [=] {
        report(QStringLiteral("Year view: %1 days selected, the first %2")
                   .arg(yearView->SelectedCount())
                   .arg(yearView->SelectedCount() > 0
                            ? yearView->SelectedDate(0).toString(Qt::ISODate)
                            : QStringLiteral("none")));
    });

    window.resize(1400, 900);
    window.show();

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(500, &window, [&window, file] {
            const bool saved = window.grab().save(file, "PNG");
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
