#include "frmCalendar.h"

#include "BackgroundPicture.h"
#include "CalendarDayText.h"
#include "basLocale.h"
#include "Legibility.h"
#include "PictureCache.h"
#include "ReadableSize.h"
#include "ScreenPixels.h"
#include "WallpaperRotation.h"
#include "basCalendarColor.h"
#include "basCalendarFonts.h"
#include "basColor.h"
#include "basConvert.h"
#include "basDateText.h"
#include "basErrorHandler.h"
#include "basOperation.h"
#include "basQuillon.h"
#include "platform/WallpaperSetter.h"
#include "platform/basPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace quillon {

using basOperation::Steps;
using namespace CalendarGrid;

namespace {
using basOperation::kInvalidPicture;

// The largest font size the screen takes: one line of it at most half the screen high.
// A size of thousands of points would only draw glyphs larger than any screen, slowly.
double MaxFontPoints(const QScreen *screen)
{
    if (!screen || screen->logicalDotsPerInchY() <= 0)
        return 0;
    return screen->geometry().height() * 72.0 / screen->logicalDotsPerInchY() / 2.0;
}

QRect ToPixels(const Rect &r, double tppX, double tppY)
{
    const int left = TwipsToPixels(r.left, tppX);
    const int top = TwipsToPixels(r.top, tppY);
    const int right = TwipsToPixels(r.left + r.width, tppX);
    const int bottom = TwipsToPixels(r.top + r.height, tppY);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

QString DateText(std::int16_t month, int day, std::int16_t year)
{
    return CalendarDayText::LookupDate(month, day, year);
}
} // namespace

// --- frmCalendar ----------------------------------------------------------------

Qt::DayOfWeek frmCalendar::WeekStart() const { return basLocale::FirstDayOfWeek(m_settings.WeekStartsOn); }

frmCalendar::frmCalendar(basQuillon::GeneralSettingsRecord settings, basCalendarFonts::CalendarFontSet fonts,
                         bool clearCalendarMode, QScreen *screen, basDatabase::EventStore *store)
    : m_settings(std::move(settings)), m_fonts(std::move(fonts)), m_clearCalendarMode(clearCalendarMode),
      m_screen(screen ? screen : QGuiApplication::primaryScreen()), m_events(store),
      m_legibilityGuard(basQuillon::LegibilityGuardOn(m_settings.CalendarLegibility))
{
    setWindowFlag(Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    imgBackground = new StretchedPicture(this);
    imgBackground->hide();

    // Design-time fonts are the settings' defaults, so a grid whose fonts cannot be
    // set still looks like the calendar.
    lblMonth = CalendarLabel::Make(this, basCalendarFonts::kMonthNameFontDefault, Qt::AlignLeft | Qt::AlignTop);
    // "Sun", "Mon" ... in the locale's words, from the week's first day on.
    const QLocale shown = basLocale::ShownLocale();
    for (int i = 0; i < kColumns; ++i) {
        lblDayOfWeek[i] = CalendarLabel::Make(this, basCalendarFonts::kDayNameFontDefault, Qt::AlignLeft | Qt::AlignTop);
        lblDayOfWeek[i]->SetCaption(shown.dayName((WeekStart() - 1 + i) % 7 + 1, QLocale::ShortFormat), true);
    }
    for (int i = 0; i < kCellCount; ++i) {
        lblDayNumber[i] = CalendarLabel::Make(this, basCalendarFonts::kDayNumberFontDefault, Qt::AlignLeft | Qt::AlignTop);
        lblDayAllDayEvents[i] = CalendarLabel::Make(this, basCalendarFonts::kAllDayEventsFontDefault, Qt::AlignLeft | Qt::AlignTop);
        // A long all-day name ends at its cell's edge, not in the next day's number.
        lblDayAllDayEvents[i]->SetElided(true);
        lblDayEvents[i] = CalendarLabel::Make(this, basCalendarFonts::kDayEventsFontDefault, Qt::AlignLeft | Qt::AlignTop);
        lblDayEvents[i]->setWordWrap(true);
    }
    lblMonth->AutoSize();

    if (m_screen) {
        setScreen(m_screen);
        setGeometry(m_screen->geometry());
    }
    SetBackgroundColor(basPlatform::DesktopBackgroundColor());
}

QSize frmCalendar::PhysicalSize() const
{
    if (!m_screen)
        return size();
    return ScreenPixels::DeviceSize(*m_screen);
}

QImage frmCalendar::TakeBackground()
{
    if (imgBackground->isHidden() || !imgBackground->HasPicture() || imgBackground->geometry() != rect())
        return {};
    QImage picture = imgBackground->TakePicture();
    if (picture.size() == PhysicalSize() && picture.format() == QImage::Format_RGB32)
        return picture;
    // Not usable as the bitmap itself: it is drawn as usual.
    QString unused;
    imgBackground->LoadPicture(m_settings.WallpaperFile, PhysicalSize(), unused);
    return {};
}

void frmCalendar::SetBackgroundColor(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    setPalette(palette);
}

void frmCalendar::SetTextShadows(bool on)
{
    lblMonth->SetShadow(on);
    for (CalendarLabel *label : lblDayOfWeek)
        label->SetShadow(on);
    for (int i = 0; i < kCellCount; ++i) {
        lblDayNumber[i]->SetShadow(on);
        lblDayAllDayEvents[i]->SetShadow(on);
        lblDayEvents[i]->SetShadow(on);
    }
}

void frmCalendar::paintEvent(QPaintEvent *event)
{
    if (m_panels.empty()) {
        QWidget::paintEvent(event);
        return;
    }
    if (m_panelsLater)
        return; // laid as the file is written
    QPainter painter(this);
    PaintPanels(painter, m_panels);
}

void frmCalendar::Form_Load()
{
    m_formLoadSuccessful = false;
    m_loadFailure = {};
    // A failure in the window's own steps leaves it unloaded without a message box;
    // the cause is kept so that the caller can say why the wallpaper was not drawn.
    Steps step;
    try {
        step(20);
        m_formLoadSuccessful = false;
        step(40);
        const QDate today = basPlatform::Today();
        CurrentMonth = static_cast<std::int16_t>(today.month());
        step(50);
        CurrentYear = static_cast<std::int16_t>(today.year());
        step(60);
        TodayKey = basDateText::FormatDateText(today);
        step(70);
        const QDate first(CurrentYear, CurrentMonth, 1);
        FirstDayOfMonth = basDateText::FormatDateText(first);
        step(80);
        DaysInMonth = static_cast<std::int16_t>(first.daysTo(first.addMonths(1)));

        step(100);
        setWindowTitle(QString());
        SetBackgroundColor(basPlatform::DesktopBackgroundColor());
        if (m_screen)
            setGeometry(m_screen->geometry());

        const basQuillon::GeneralSettingsRecord &settings = m_settings;
        step(140);
        if (settings.WallpaperFile.isEmpty()) {
            step(220);
            if (settings.WallpaperColor >= 0) {
                step(230);
                SetBackgroundColor(basColor::ToQColor(settings.WallpaperColor));
            }
        } else {
            step(150);
            if (m_rotation)
                ChangeWallpaper();
            step(160);
            imgBackground->setEnabled(false);
            step(170);
            // The rotation has already read the picture it chose.
            if (!imgBackground->HasPicture() || imgBackground->LoadedPath() != m_settings.WallpaperFile) {
                QString reason;
                QString shown;
                if (!imgBackground->LoadPicture(m_settings.WallpaperFile, PhysicalSize(), reason, &shown))
                    throw basOperation::Failure(QFileInfo::exists(m_settings.WallpaperFile) ? kInvalidPicture
                                                                                          : basOperation::kFileNotFound,
                                                QStringLiteral("WallpaperFile: %1").arg(reason), shown);
            }
            step(180);
            imgBackground->setGeometry(0, 0, width(), height());
            imgBackground->lower();
            imgBackground->show();
            // The guard measures the picture itself; the old faint shadow is for
            // drawing without it.
            SetTextShadows(!m_legibilityGuard);
        }

        step(260);
        if (m_clearCalendarMode) {
            step(310);
            ClearCalendar();
        } else {
            step(270);
            LoadCalendar();
            step(280);
            SetFonts_Error();
            step(285);
            if (m_legibilityGuard)
                GrowSmallTexts();
            step(290);
            ResizeCalendar();
        }
        step(330);
        m_formLoadSuccessful = true;
    } catch (const basOperation::Failure &failure) {
        m_loadFailure = LoadFailure{step.last(), failure.number(), failure.description(), failure.shown()};
    } catch (const std::exception &other) {
        m_loadFailure = LoadFailure{step.last(), basOperation::kInvalidProcedureCall, QString::fromLocal8Bit(other.what()), {}};
    } catch (...) {
        m_loadFailure = LoadFailure{step.last(), basOperation::kInvalidProcedureCall, QStringLiteral("Unexpected error"),
                                    QCoreApplication::translate("basErrorHandler", "Unexpected error")};
    }
}

namespace {
void ReportBadOrientation(int step, const QString &value)
{
    basErrorHandler::ReportError(QStringLiteral("frmCalendar.ResizeCalendar"),
                                 {basOperation::kTypeMismatch,
                                  QStringLiteral("Type mismatch: CalendarOrientation \"%1\" is no orientation; "
                                                 "the calendar is centred")
                                      .arg(value),
                                  step},
                                 true, QString());
}

// A picture of the folder that cannot be shown is passed over, and said so in the log
// and on stderr; a message box each day for one bad file would help no one.
void ReportSkippedPicture(int step, const QString &reason)
{
    basErrorHandler::ReportError(QStringLiteral("frmCalendar.ChangeWallpaper"),
                                 {kInvalidPicture, QStringLiteral("Invalid picture, skipped: %1").arg(reason), step}, true,
                                 QString(), true);
    std::fprintf(stderr, "calendar: %s; the rotation skips it\n", qPrintable(reason));
    std::fflush(stderr);
}
} // namespace

void frmCalendar::ChangeWallpaper()
{
    basOperation::TrapVoid("frmCalendar.ChangeWallpaper", [&](Steps &step) {
        step(30);
        const QString stored = basQuillon::GetOption(QLatin1String(basQuillon::kWallpaperChangedDate),
                                                     QLatin1String(basQuillon::kWallpaperChangedDateDefault));
        step(40);
        const QDate lastChange = basDateText::ParseDateText(stored);
        if (!lastChange.isValid())
            basOperation::ThrowTypeMismatch();

        step(50);
        const QDate today = basDateText::ParseDateText(TodayKey);
        basQuillon::GeneralSettingsRecord &settings = m_settings;
        if (!WallpaperRotation::IsDue(settings.ChangeWallpaper, lastChange, today))
            return; // step 240
        // No folder chosen means no rotation (not a walk through the current folder).
        step(260);
        if (settings.ImagesLocation.trimmed().isEmpty())
            return;

        step(270);
        const QFileInfo current(settings.WallpaperFile);
        const QString currentName = current.isFile() ? current.fileName() : QString();
        step(280);
        const QStringList listing = WallpaperRotation::ListFolder(settings.ImagesLocation);
        step(330);
        const QStringList order = WallpaperRotation::PictureOrder(listing, currentName);
        step(520);
        // The setting moves only to a picture that has loaded: one bad file must not
        // hold the calendar up for a whole period.
        for (const QString &next : order) {
            step(530);
            const QString file = QDir(settings.ImagesLocation).filePath(next);
            QString reason;
            if (!imgBackground->LoadPicture(file, PhysicalSize(), reason)) {
                ReportSkippedPicture(step.last(), reason);
                continue;
            }
            step(540);
            bool written = basQuillon::SaveOption(QStringLiteral("WallpaperFile"), file);
            settings.WallpaperFile = file;
            step(550);
            written = basQuillon::SaveOption(QLatin1String(basQuillon::kWallpaperChangedDate), TodayKey) && written;
            step(560);
            if (!written)
                throw basOperation::Failure(
                    basOperation::kPathFileAccessError,
                    QStringLiteral("The settings could not be written to %1 (WallpaperFile, %2)")
                        .arg(QDir::toNativeSeparators(basPlatform::SettingsLocation()),
                             QLatin1String(basQuillon::kWallpaperChangedDate)));
            return;
        }
    });
}

void frmCalendar::ClearCalendar()
{
    basOperation::TrapVoid("frmCalendar.ClearCalendar", [&](Steps &step) {
        step(20);
        lblMonth->SetCaption(QString(), true);
        step(30);
        for (CalendarLabel *label : lblDayOfWeek)
            label->SetCaption(QString(), true);
        step(60);
        for (int i = 0; i < kCellCount; ++i) {
            lblDayNumber[i]->SetCaption(QString(), true);
            lblDayAllDayEvents[i]->SetCaption(QString(), false);
            lblDayEvents[i]->SetCaption(QString(), false);
        }
    });
}

void frmCalendar::LoadCalendar()
{
    basOperation::TrapVoid("frmCalendar.LoadCalendar", [&](Steps &step) {
        step(20);
        lblMonth->SetCaption(QLocale().standaloneMonthName(CurrentMonth) + QLatin1Char(' ')
                                 + QString::number(CurrentYear), true);
        step(30);
        const QDate firstOfMonth = basDateText::ParseDateText(FirstDayOfMonth);
        const int offset = FirstCellOffset(firstOfMonth, WeekStart());
        // The shown days' events in one read.
        const QDate firstShown = firstOfMonth.addDays(-offset);
        ReadEvents(firstShown, firstShown.addDays(kCellCount - 1));
        step(40);
        int day = 1;
        for (int i = 0; i < kCellCount; ++i) {
            step(50);
            if (i < offset || day > DaysInMonth) {
                step(60);
                lblDayNumber[i]->SetCaption(QString(), true);
                lblDayAllDayEvents[i]->SetCaption(QString(), false);
                lblDayEvents[i]->SetCaption(QString(), false);
                continue;
            }
            step(110);
            lblDayNumber[i]->SetCaption(QString::number(day), true);
            step(120);
            const QString date = DateText(CurrentMonth, day, CurrentYear);
            step(130);
            QString timed, allDay;
            GetEvents(date, timed, allDay);
            step(160);
            lblDayAllDayEvents[i]->SetCaption(allDay, false);
            step(170);
            lblDayEvents[i]->SetCaption(timed, false);
            step(180);
            ++day;
        }
    });
}

void frmCalendar::ResizeCalendar()
{
    basOperation::TrapVoid("frmCalendar.ResizeCalendar", [&](Steps &step) {
        if (!m_screen)
            throw basOperation::Failure(basOperation::kInvalidProcedureCall, QStringLiteral("No screen"));
        const double tppX = TwipsPerPixel(m_screen->logicalDotsPerInchX());
        const double tppY = TwipsPerPixel(m_screen->logicalDotsPerInchY());
        const QRect screen = m_screen->geometry();
        LayoutInput in;
        step(20);
        in.screenWidthPixels = TwipsToPixels(PixelsToTwips(screen.width(), tppX), tppX);
        step(30);
        in.screenHeightPixels = TwipsToPixels(PixelsToTwips(screen.height(), tppY), tppY);
        step(40);
        // The work area relative to the window, which covers the screen.
        const QRect work = m_screen->availableGeometry().translated(-screen.topLeft());
        in.workArea = Rect{PixelsToTwips(work.left(), tppX), PixelsToTwips(work.top(), tppY),
                           PixelsToTwips(work.width(), tppX), PixelsToTwips(work.height(), tppY)};
        step(100);
        const QString orientation = m_settings.CalendarOrientation;
        const std::optional<int> parsed = ParseOrientation(orientation);
        // A value that is no whole number at all (text, 2.5, 2^40) takes the setting's
        // default, the centre, and is said once.
        if (!parsed)
            ReportBadOrientation(step.last(), orientation);
        in.orientation = parsed.value_or(0);
        step(170);
        in.monthHeight = PixelsToTwips(lblMonth->height(), tppY);
        in.dayOfWeekHeight = PixelsToTwips(lblDayOfWeek[0]->height(), tppY);
        in.dayNumberHeight = PixelsToTwips(lblDayNumber[0]->height(), tppY);
        step(180);
        in.sixRows = !lblDayNumber[35]->text().isEmpty();
        in.scale = m_textScale;
        // With the guard on, a name never runs into its number ("13Advent").
        if (m_legibilityGuard) {
            const auto first = std::find_if(lblDayNumber.begin(), lblDayNumber.end(),
                                            [](const CalendarLabel *l) { return !l->text().isEmpty(); });
            const CalendarLabel *allDay = lblDayAllDayEvents[first == lblDayNumber.end() ? 0 : first - lblDayNumber.begin()];
            in.minAllDayGap = PixelsToTwips(allDay->fontMetrics().horizontalAdvance(QLatin1Char(' ')), tppX);
        }
        for (int i = 0; i < kCellCount; ++i)
            in.dayNumberWidths[i] = PixelsToTwips(lblDayNumber[i]->width(), tppX);
        step(230);
        const Layout layout = ComputeLayout(in);
        step(550);
        PlaceLabels(layout, tppX, tppY);
        m_lastLayout = layout;
    });
}

void frmCalendar::PlaceLabels(const Layout &layout, double tppX, double tppY)
{
    lblMonth->move(ToPixels(layout.month, tppX, tppY).topLeft());
    for (int i = 0; i < kColumns; ++i)
        lblDayOfWeek[i]->move(ToPixels(layout.dayOfWeek[i], tppX, tppY).topLeft());
    for (int i = 0; i < kCellCount; ++i) {
        lblDayNumber[i]->setGeometry(ToPixels(layout.dayNumber[i], tppX, tppY));
        lblDayAllDayEvents[i]->setGeometry(ToPixels(layout.allDay[i], tppX, tppY));
        lblDayEvents[i]->setGeometry(ToPixels(layout.events[i], tppX, tppY));
        lblDayEvents[i]->FitLines();
    }
}

void frmCalendar::SetFonts_Error()
{
    basOperation::TrapVoid("frmCalendar.SetFonts_Error", [&](Steps &step) {
        const basCalendarFonts::CalendarFontSet &fonts = m_fonts;
        const bool liturgical = m_settings.CalendarUseLiturgicalColors;
        const double maxPoints = MaxFontPoints(m_screen);
        step(20);
        lblMonth->ApplyFont(fonts.MonthNameFont, true, maxPoints);
        step(30);
        std::int32_t todayColor = 0;
        if (liturgical) {
            step(40);
            todayColor = basCalendar::GetDateColor(m_events.Store(), TodayKey);
            step(50);
            lblMonth->SetColor(todayColor);
        } else {
            step(70);
            lblMonth->SetColor(fonts.MonthNameColor);
        }
        for (CalendarLabel *label : lblDayOfWeek) {
            step(90);
            label->ApplyFont(fonts.DayNameFont, true, maxPoints);
            step(110);
            label->SetColor(liturgical ? todayColor : fonts.DayNameColor);
        }
        step(170);
        const int offset = FirstCellOffset(basDateText::ParseDateText(FirstDayOfMonth), WeekStart());
        step(180);
        int day = 1;
        for (int i = 0; i < kCellCount; ++i) {
            step(190);
            if (i < offset || day > DaysInMonth)
                continue;
            step(210);
            lblDayNumber[i]->ApplyFont(fonts.DayNumberFont, true, maxPoints);
            step(220);
            lblDayAllDayEvents[i]->ApplyFont(fonts.AllDayEventsFont, false, maxPoints);
            step(230);
            lblDayEvents[i]->ApplyFont(fonts.DayEventsFont, false, maxPoints);
            step(240);
            const QString date = DateText(CurrentMonth, day, CurrentYear);
            step(250);
            if (basDateText::NormalizeDateText(date) == TodayKey) {
                step(260);
                lblDayNumber[i]->SetColor(fonts.CurrentDayColor);
                lblDayAllDayEvents[i]->SetColor(fonts.CurrentDayColor);
                lblDayEvents[i]->SetColor(fonts.CurrentDayColor);
            } else if (liturgical) {
                step(340);
                const std::int32_t color = basCalendar::GetDateColor(m_events.Store(), date);
                step(350);
                lblDayNumber[i]->SetColor(color);
                lblDayAllDayEvents[i]->SetColor(color);
                lblDayEvents[i]->SetColor(color);
            } else {
                step(390);
                lblDayNumber[i]->SetColor(fonts.DayNumberColor);
                step(400);
                lblDayAllDayEvents[i]->SetColor(fonts.AllDayEventsColor);
                step(410);
                lblDayEvents[i]->SetColor(fonts.DayEventsColor);
            }
            step(450);
            ++day;
        }
    });
}

void frmCalendar::GrowSmallTexts()
{
    basOperation::TrapVoid("frmCalendar.GrowSmallTexts", [&](Steps &step) {
        step(10);
        m_textScale = 1.0;
        if (!m_screen)
            return;
        // The events' fonts decide; every text and the grid grow alike, so the month
        // keeps its proportions and its cells hold as many lines as before.
        std::vector<QFont> events;
        for (int i = 0; i < kCellCount; ++i)
            if (!lblDayNumber[i]->text().isEmpty()) {
                events = {lblDayEvents[i]->font(), lblDayAllDayEvents[i]->font()};
                break;
            }
        step(20);
        const double ratio = ScreenPixels::Ratio(*m_screen);
        const double minimum =
            ReadableSize::MinimumInkPixels(PhysicalSize(), ratio, m_screen->logicalDotsPerInchY());
        m_textScale = ReadableSize::GrowthFactor(events, this, ratio, minimum);
        if (m_textScale <= 1.0)
            return;
        step(30);
        const double maxPoints = MaxFontPoints(m_screen);
        auto grow = [&](CalendarLabel *label, bool autoSize) {
            label->setFont(ReadableSize::Grown(label->font(), m_textScale, maxPoints));
            if (autoSize)
                label->AutoSize();
        };
        grow(lblMonth, true);
        for (CalendarLabel *label : lblDayOfWeek)
            grow(label, true);
        for (int i = 0; i < kCellCount; ++i) {
            grow(lblDayNumber[i], true);
            grow(lblDayAllDayEvents[i], false);
            grow(lblDayEvents[i], false);
        }
    });
}

void frmCalendar::ReadEvents(QDate firstDate, QDate lastDate)
{
    basOperation::TrapVoid("frmCalendar.ReadEvents", [&](Steps &step) {
        step(10);
        // Read or not, these days are done: a failed read is reported once, not per day.
        if (!m_events.Read(firstDate, lastDate))
            throw basOperation::Failure(basOperation::kDatabaseError, QStringLiteral("The database connection is not open"));
    });
}

void frmCalendar::GetEvents(const QString &dateText, QString &timedEvents, QString &allDayText)
{
    basOperation::TrapVoid("frmCalendar.GetEvents", [&](Steps &step) {
        step(20);
        timedEvents.clear();
        step(30);
        allDayText.clear();
        step(40);
        QStringList entries;
        step(50);
        const QDate date = basDateText::ParseDateText(dateText);
        if (!date.isValid())
            basOperation::ThrowTypeMismatch();
        step(60);
        if (!m_events.Covers(date))
            ReadEvents(date, date);
        // The store gives the all-day events first, then the timed ones by start time.
        for (const MonthEvents::DayEvent &event : m_events.On(date)) {
            step(140);
            if (event.AllDay) {
                step(150);
                if (allDayText.isEmpty())
                    allDayText = event.Name;
            } else {
                step(200);
                entries.append(CalendarDayText::SortKey(event.Start, event.Name));
            }
        }
        step(260);
        if (!entries.isEmpty())
            SortCollection_Error(entries);
        for (const QString &entry : entries) {
            step(280);
            if (!timedEvents.isEmpty())
                timedEvents += QLatin1String("\r\n");
            step(300);
            timedEvents += CalendarDayText::TimedLine(entry);
        }
    });
}

void frmCalendar::SortCollection_Error(QStringList &entries)
{
    basOperation::TrapVoid("frmCalendar.SortCollection_Error", [&](Steps &step) {
        step(20);
        if (entries.isEmpty())
            return;
        step(40);
        QStringList sorted = CalendarDayText::SortedEntries(entries);
        step(240);
        entries = std::move(sorted);
    });
}

} // namespace quillon
