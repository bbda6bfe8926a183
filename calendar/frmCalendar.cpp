#include "frmCalendar.h"

#include "BackgroundPicture.h"
#include "CalendarDayText.h"
#include "Legibility.h"
#include "PictureCache.h"
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

using basOperation::Steps;
using namespace CalendarGrid;

namespace {
const char *const kWeekdayCaptions[kColumns] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
using basOperation::kInvalidPicture;

// Labels that size themselves to their text, as the month, weekday and day-number
// labels do. An empty label keeps the height of one line.
void AutoSize(QLabel *label)
{
    const QSize hint = label->text().isEmpty() ? QSize(0, 0) : label->sizeHint();
    label->resize(hint.width(), std::max(hint.height(), label->fontMetrics().height()));
}

void SetCaption(QLabel *label, const QString &text, bool autoSize)
{
    // Captions carry CRLF between lines; the label breaks at a plain line feed.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    label->setText(shown);
    if (autoSize)
        AutoSize(label);
}

void ApplyFont(QLabel *label, const std::optional<QFont> &font, bool autoSize, double maxPoints)
{
    if (!font)
        return;
    QFont fitted = *font;
    if (maxPoints > 0 && fitted.pointSizeF() > maxPoints)
        fitted.setPointSizeF(maxPoints);
    basCalendarFonts::ApplyFontToLabel(fitted, *label);
    if (autoSize)
        AutoSize(label);
}

// The largest font size the screen takes: one line of it at most half the screen high.
// A size of thousands of points would only draw glyphs larger than any screen, slowly.
double MaxFontPoints(const QScreen *screen)
{
    if (!screen || screen->logicalDotsPerInchY() <= 0)
        return 0;
    return screen->geometry().height() * 72.0 / screen->logicalDotsPerInchY() / 2.0;
}

void SetColor(QLabel *label, std::int32_t color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, basColor::ToQColor(color));
    label->setPalette(palette);
}

CalendarLabel *MakeLabel(QWidget *parent, const char *font, Qt::Alignment alignment)
{
    auto *label = new CalendarLabel(parent);
    // Event names are shown as typed: never taken for markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setMargin(0);
    label->setIndent(0);
    if (const auto f = basCalendarFonts::SpecToFont(QLatin1String(font)))
        label->setFont(*f);
    return label;
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

// --- CalendarLabel --------------------------------------------------------------

QString CalendarLabel::ShownText() const
{
    if (!m_elided)
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, width());
}

int CalendarLabel::Flags() const
{
    return static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
}

void CalendarLabel::FitLines()
{
    m_hiddenLines = 0;
    const QString current = text();
    if (current.isEmpty())
        return;
    const QStringList lines = current.split(QLatin1Char('\n'));
    const QFontMetrics metrics = fontMetrics();
    const int flags = Flags();
    const QRect room(0, 0, std::max(1, width()), std::numeric_limits<int>::max() / 2);
    auto fits = [&](const QString &candidate) {
        return metrics.boundingRect(room, flags, candidate).height() <= height();
    };
    // Every line takes at least one line's height, wrapped or not: more lines than that
    // cannot fit, and need no layout to tell.
    const int spacing = std::max(1, metrics.lineSpacing());
    if (lines.size() <= height() / spacing + 1 && fits(current))
        return;
    QString kept;
    qsizetype shown = 0;
    for (qsizetype next = 1; next < lines.size(); ++next) {
        const QString candidate = lines.mid(0, next).join(QLatin1Char('\n'));
        const QString more = QStringLiteral("+%1 more").arg(lines.size() - next);
        if (!fits(candidate + QLatin1Char('\n') + more))
            break;
        kept = candidate;
        shown = next;
    }
    m_hiddenLines = static_cast<int>(lines.size() - shown);
    const QString more = QStringLiteral("+%1 more").arg(m_hiddenLines);
    if (shown > 0)
        setText(kept + QLatin1Char('\n') + more);
    else
        setText(fits(more) ? more : QString());
}

void CalendarLabel::SetGuard(const QImage *target, double requiredRatio)
{
    m_target = target;
    m_requiredRatio = requiredRatio;
    // Letting go of the bitmap keeps what the last paint did, for checks.
    if (target)
        m_haloDrawn = false;
}

QRect CalendarLabel::TextBox() const
{
    return fontMetrics().boundingRect(rect(), Flags(), ShownText()) & rect();
}

QImage CalendarLabel::GlyphLayer(qreal ratio, const QRect &box) const
{
    QImage glyphs(box.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    glyphs.setDevicePixelRatio(ratio);
    glyphs.fill(Qt::transparent);
    QPainter painter(&glyphs);
    painter.translate(-box.topLeft());
    painter.setFont(font());
    painter.setPen(TextColor());
    painter.drawText(rect(), Flags(), ShownText());
    return glyphs;
}

QImage CalendarLabel::GlyphCoverage(qreal ratio) const
{
    QImage coverage = GlyphLayer(ratio, rect()).convertToFormat(QImage::Format_Alpha8);
    coverage.setDevicePixelRatio(1.0);
    return coverage;
}

void CalendarLabel::PaintGuarded()
{
    const QColor color = TextColor();
    const qreal ratio = m_target->devicePixelRatio();
    // One pixel of outline for ordinary sizes, more for large type.
    const int radius = std::max(1, qRound(fontMetrics().height() * ratio / 18.0));
    // Only the part the text covers, with room for its outline: a cell is mostly empty,
    // and layers of its whole size cost more than the text itself.
    const int margin = static_cast<int>(std::ceil(radius / ratio)) + 1;
    const QRect box = TextBox().adjusted(-margin, -margin, margin, margin) & rect();
    if (box.isEmpty())
        return;
    // The text is laid out and rasterised once: its layer is both what is measured and
    // what is drawn, so the check is about exactly these pixels.
    const QImage layer = GlyphLayer(ratio, box);
    QImage coverage = layer.convertToFormat(QImage::Format_Alpha8);
    coverage.setDevicePixelRatio(1.0);
    const QPoint origin = mapTo(window(), box.topLeft()) * ratio;
    // Judged on the pixels the glyphs will stand on, panels included: a halo only where
    // the background does not already do it, so the user's look stays wherever it reads.
    const double contrast =
        Legibility::FrameContrast(*m_target, origin, Legibility::GlyphFrame(coverage), color);
    m_haloDrawn = contrast < m_requiredRatio;
    QPainter painter(this);
    if (m_haloDrawn) {
        const QImage halo = Legibility::Dilate(coverage, radius);
        const QColor opposite = Legibility::HaloColor(color, m_requiredRatio);
        QImage tinted(halo.size(), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < halo.height(); ++y) {
            const uchar *in = halo.constScanLine(y);
            auto *out = reinterpret_cast<QRgb *>(tinted.scanLine(y));
            for (int x = 0; x < halo.width(); ++x)
                out[x] = qPremultiply(qRgba(opposite.red(), opposite.green(), opposite.blue(), in[x]));
        }
        painter.drawImage(QRectF(box), tinted);
    }
    painter.drawImage(QRectF(box), layer);
}

void CalendarLabel::paintEvent(QPaintEvent *event)
{
    const QString shown = ShownText();
    if (m_target && !text().isEmpty()) {
        PaintGuarded();
        return;
    }
    if (text().isEmpty() || (!m_shadow && shown == text())) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QColor color = palette().color(QPalette::WindowText);
    const int flags = Flags();
    if (m_shadow) {
        const bool lightText = color.lightness() >= 128;
        painter.setPen(lightText ? QColor(0, 0, 0, 150) : QColor(255, 255, 255, 150));
        painter.drawText(rect().translated(1, 1), flags, shown);
    }
    painter.setPen(color);
    painter.drawText(rect(), flags, shown);
}

// --- StretchedPicture -----------------------------------------------------------

StretchedPicture::StretchedPicture(QWidget *parent) : QWidget(parent) {}

bool StretchedPicture::LoadPicture(const QString &path, const QSize &targetSize, QString &reason)
{
    m_picture = QImage();
    m_loadedPath.clear();
    if (QFileInfo(path).isFile())
        m_picture = PictureCache::Load(path, targetSize);
    if (m_picture.isNull()) {
        BackgroundPicture::Result read = BackgroundPicture::Read(path, targetSize);
        if (read.image.isNull()) {
            reason = read.reason;
            return false;
        }
        m_picture = std::move(read.image);
        PictureCache::Store(path, targetSize, m_picture);
    }
    m_loadedPath = path;
    return true;
}

QImage StretchedPicture::TakePicture()
{
    m_loadedPath.clear();
    return std::exchange(m_picture, QImage());
}

void StretchedPicture::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    // The picture is already at the bitmap's pixel size, so this is a plain copy;
    // only a window of another size stretches it.
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(rect()), m_picture);
}

// --- frmCalendar ----------------------------------------------------------------

frmCalendar::frmCalendar(basQuillon::GeneralSettingsRecord settings, basCalendarFonts::CalendarFontSet fonts,
                         bool clearCalendarMode, QScreen *screen, basDatabase::EventStore *store)
    : m_settings(std::move(settings)), m_fonts(std::move(fonts)), m_clearCalendarMode(clearCalendarMode),
      m_screen(screen ? screen : QGuiApplication::primaryScreen()), m_store(store),
      m_legibilityGuard(basQuillon::LegibilityGuardOn(m_settings.CalendarLegibility))
{
    setWindowFlag(Qt::FramelessWindowHint);
    setAutoFillBackground(true);
    imgBackground = new StretchedPicture(this);
    imgBackground->hide();

    // Design-time fonts are the settings' defaults, so a grid whose fonts cannot be
    // set still looks like the calendar.
    lblMonth = MakeLabel(this, basCalendarFonts::kMonthNameFontDefault, Qt::AlignLeft | Qt::AlignTop);
    for (int i = 0; i < kColumns; ++i) {
        lblDayOfWeek[i] = MakeLabel(this, basCalendarFonts::kDayNameFontDefault, Qt::AlignLeft | Qt::AlignTop);
        SetCaption(lblDayOfWeek[i], QLatin1String(kWeekdayCaptions[i]), true);
    }
    for (int i = 0; i < kCellCount; ++i) {
        lblDayNumber[i] = MakeLabel(this, basCalendarFonts::kDayNumberFontDefault, Qt::AlignLeft | Qt::AlignTop);
        lblDayAllDayEvents[i] = MakeLabel(this, basCalendarFonts::kAllDayEventsFontDefault, Qt::AlignLeft | Qt::AlignTop);
        // A long all-day name ends at its cell's edge, not in the next day's number.
        lblDayAllDayEvents[i]->SetElided(true);
        lblDayEvents[i] = MakeLabel(this, basCalendarFonts::kDayEventsFontDefault, Qt::AlignLeft | Qt::AlignTop);
        lblDayEvents[i]->setWordWrap(true);
    }
    AutoSize(lblMonth);

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

std::vector<CalendarLabel *> frmCalendar::TextLabels() const
{
    std::vector<CalendarLabel *> labels;
    auto add = [&](CalendarLabel *label) {
        if (!label->text().isEmpty() && !label->isHidden())
            labels.push_back(label);
    };
    add(lblMonth);
    for (CalendarLabel *label : lblDayOfWeek)
        add(label);
    for (int i = 0; i < kCellCount; ++i) {
        add(lblDayNumber[i]);
        add(lblDayAllDayEvents[i]);
        add(lblDayEvents[i]);
    }
    return labels;
}

namespace {
QRect Padded(const QRect &r, int pad) { return r.adjusted(-pad, -pad, pad, pad); }
} // namespace

void frmCalendar::BeginLegibility(const QImage *target)
{
    m_panels.clear();
    if (!m_legibilityGuard || !target || target->isNull())
        return;
    const qreal ratio = target->devicePixelRatio();
    // Only where texts stand is measured.
    QRect texts;
    for (const CalendarLabel *label : TextLabels())
        texts |= label->geometry();
    const QRect area(texts.topLeft() * ratio, texts.size() * ratio);
    const Legibility::LuminanceMap map(*target, Legibility::SamplingStep(area.size()), area);
    // Where each text stands, and whether its background is too busy for a halo alone.
    struct Need {
        bool panel = false;
        double alpha = 0;
    };
    int towardsBlack = 0, towardsWhite = 0;
    double alpha = 0;
    auto judge = [&](CalendarLabel *label) {
        Need need;
        if (label->text().isEmpty() || label->isHidden())
            return need;
        const QFont font = label->font();
        const double required = Legibility::RequiredRatio(font.pointSizeF(), font.bold());
        label->SetGuard(target, required);
        // The lines' height without laying them out again (wrapped lines aside): this
        // only has to find the part of the cell the text covers.
        QRect box = label->geometry();
        if (label->wordWrap())
            box.setHeight(std::min(box.height(), static_cast<int>(label->text().count(QLatin1Char('\n')) + 1)
                                                     * label->fontMetrics().lineSpacing()));
        const QRect pixels(box.topLeft() * ratio, box.size() * ratio);
        const Legibility::Decision decision = Legibility::Decide(label->TextColor(), required, map.Stats(pixels));
        if (decision.panel) {
            need.panel = true;
            need.alpha = decision.panelAlpha;
            alpha = std::max(alpha, decision.panelAlpha);
            (decision.panelColor == QColor(Qt::black) ? towardsBlack : towardsWhite) += 1;
        }
        return need;
    };

    std::vector<QRect> busy;
    if (judge(lblMonth).panel)
        busy.push_back(lblMonth->geometry());
    bool weekdayPanel = false;
    for (CalendarLabel *label : lblDayOfWeek)
        weekdayPanel = judge(label).panel || weekdayPanel;
    const int columnWidth = lblDayEvents[0]->width();
    if (weekdayPanel)
        busy.push_back(QRect(lblDayOfWeek[0]->pos(),
                             QPoint(lblDayOfWeek[kColumns - 1]->x() + columnWidth - 1,
                                    lblDayOfWeek[0]->geometry().bottom())));
    int days = 0, busyDays = 0;
    for (int i = 0; i < kCellCount; ++i) {
        if (lblDayNumber[i]->text().isEmpty())
            continue;
        ++days;
        bool panel = judge(lblDayNumber[i]).panel;
        panel = judge(lblDayAllDayEvents[i]).panel || panel;
        panel = judge(lblDayEvents[i]).panel || panel;
        if (panel) {
            ++busyDays;
            const QRect number = lblDayNumber[i]->geometry();
            const QRect events = lblDayEvents[i]->geometry();
            busy.push_back(QRect(QPoint(number.left(), number.top()), QPoint(number.left() + columnWidth - 1, events.bottom())));
        }
    }
    if (busy.empty())
        return;
    QColor color = towardsWhite > towardsBlack ? QColor(Qt::white) : QColor(Qt::black);
    color.setAlphaF(static_cast<float>(alpha));
    // Many busy days: one calm panel behind the whole grid reads better than a patchwork.
    if (busyDays * 3 > days) {
        QRect grid = lblMonth->geometry();
        for (const CalendarLabel *label : lblDayOfWeek)
            grid |= label->geometry();
        for (int i = 0; i < kCellCount; ++i)
            if (!lblDayNumber[i]->text().isEmpty())
                grid |= lblDayNumber[i]->geometry() | lblDayEvents[i]->geometry();
        m_panels.push_back(Panel{Padded(grid, 8), color});
        return;
    }
    for (const QRect &r : busy)
        m_panels.push_back(Panel{Padded(r, 1), color});
}

void frmCalendar::EndLegibility()
{
    for (CalendarLabel *label : TextLabels())
        label->SetGuard(nullptr, label->RequiredRatio());
}

void frmCalendar::paintEvent(QPaintEvent *event)
{
    if (m_panels.empty()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Panel &panel : m_panels) {
        painter.setBrush(panel.color);
        painter.drawRoundedRect(QRectF(panel.rect), 6, 6);
    }
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
                if (!imgBackground->LoadPicture(m_settings.WallpaperFile, PhysicalSize(), reason))
                    throw basOperation::Failure(QFileInfo::exists(m_settings.WallpaperFile) ? kInvalidPicture
                                                                                          : basOperation::kFileNotFound,
                                                QStringLiteral("WallpaperFile: %1").arg(reason));
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
            step(290);
            ResizeCalendar();
        }
        step(330);
        m_formLoadSuccessful = true;
    } catch (const basOperation::Failure &failure) {
        m_loadFailure = LoadFailure{step.last(), failure.number(), failure.description()};
    } catch (const std::exception &other) {
        m_loadFailure = LoadFailure{step.last(), basOperation::kInvalidProcedureCall, QString::fromLocal8Bit(other.what())};
    } catch (...) {
        m_loadFailure = LoadFailure{step.last(), basOperation::kInvalidProcedureCall, QStringLiteral("Unexpected error")};
    }
}

namespace {
void ReportBadOrientation(int step, const QString &value)
{
    basErrorHandler::SetCurrentError(basOperation::kTypeMismatch,
                                     QStringLiteral("Type mismatch: CalendarOrientation \"%1\" is no orientation; "
                                                    "the calendar is centred")
                                         .arg(value),
                                     step);
    basErrorHandler::ReportError(QStringLiteral("frmCalendar.ResizeCalendar"), true, QString());
}

// A picture of the folder that cannot be shown is passed over, and said so in the log
// and on stderr; a message box each day for one bad file would help no one.
void ReportSkippedPicture(int step, const QString &reason)
{
    basErrorHandler::SetCurrentError(kInvalidPicture, QStringLiteral("Invalid picture, skipped: %1").arg(reason), step);
    basErrorHandler::ReportError(QStringLiteral("frmCalendar.ChangeWallpaper"), true, QString(), true);
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
        SetCaption(lblMonth, QString(), true);
        step(30);
        for (QLabel *label : lblDayOfWeek)
            SetCaption(label, QString(), true);
        step(60);
        for (int i = 0; i < kCellCount; ++i) {
            SetCaption(lblDayNumber[i], QString(), true);
            SetCaption(lblDayAllDayEvents[i], QString(), false);
            SetCaption(lblDayEvents[i], QString(), false);
        }
    });
}

void frmCalendar::LoadCalendar()
{
    basOperation::TrapVoid("frmCalendar.LoadCalendar", [&](Steps &step) {
        step(20);
        SetCaption(lblMonth, QLocale().standaloneMonthName(CurrentMonth) + QLatin1Char(' ')
                                 + QString::number(CurrentYear), true);
        step(30);
        const QDate firstOfMonth = basDateText::ParseDateText(FirstDayOfMonth);
        const int offset = FirstCellOffset(firstOfMonth);
        // The shown days' events in one read.
        const QDate firstShown = firstOfMonth.addDays(-offset);
        ReadEvents(firstShown, firstShown.addDays(kCellCount - 1));
        step(40);
        int day = 1;
        for (int i = 0; i < kCellCount; ++i) {
            step(50);
            if (i < offset || day > DaysInMonth) {
                step(60);
                SetCaption(lblDayNumber[i], QString(), true);
                SetCaption(lblDayAllDayEvents[i], QString(), false);
                SetCaption(lblDayEvents[i], QString(), false);
                continue;
            }
            step(110);
            SetCaption(lblDayNumber[i], QString::number(day), true);
            step(120);
            const QString date = DateText(CurrentMonth, day, CurrentYear);
            step(130);
            QString timed, allDay;
            GetEvents(date, timed, allDay);
            step(160);
            SetCaption(lblDayAllDayEvents[i], allDay, false);
            step(170);
            SetCaption(lblDayEvents[i], timed, false);
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
        ApplyFont(lblMonth, fonts.MonthNameFont, true, maxPoints);
        step(30);
        std::int32_t todayColor = 0;
        if (liturgical) {
            step(40);
            todayColor = basCalendar::GetDateColor(m_store, TodayKey);
            step(50);
            SetColor(lblMonth, todayColor);
        } else {
            step(70);
            SetColor(lblMonth, fonts.MonthNameColor);
        }
        for (QLabel *label : lblDayOfWeek) {
            step(90);
            ApplyFont(label, fonts.DayNameFont, true, maxPoints);
            step(110);
            SetColor(label, liturgical ? todayColor : fonts.DayNameColor);
        }
        step(170);
        const int offset = FirstCellOffset(basDateText::ParseDateText(FirstDayOfMonth));
        step(180);
        int day = 1;
        for (int i = 0; i < kCellCount; ++i) {
            step(190);
            if (i < offset || day > DaysInMonth)
                continue;
            step(210);
            ApplyFont(lblDayNumber[i], fonts.DayNumberFont, true, maxPoints);
            step(220);
            ApplyFont(lblDayAllDayEvents[i], fonts.AllDayEventsFont, false, maxPoints);
            step(230);
            ApplyFont(lblDayEvents[i], fonts.DayEventsFont, false, maxPoints);
            step(240);
            const QString date = DateText(CurrentMonth, day, CurrentYear);
            step(250);
            if (basDateText::NormalizeDateText(date) == TodayKey) {
                step(260);
                SetColor(lblDayNumber[i], fonts.CurrentDayColor);
                SetColor(lblDayAllDayEvents[i], fonts.CurrentDayColor);
                SetColor(lblDayEvents[i], fonts.CurrentDayColor);
            } else if (liturgical) {
                step(340);
                const std::int32_t color = basCalendar::GetDateColor(m_store, date);
                step(350);
                SetColor(lblDayNumber[i], color);
                SetColor(lblDayAllDayEvents[i], color);
                SetColor(lblDayEvents[i], color);
            } else {
                step(390);
                SetColor(lblDayNumber[i], fonts.DayNumberColor);
                step(400);
                SetColor(lblDayAllDayEvents[i], fonts.AllDayEventsColor);
                step(410);
                SetColor(lblDayEvents[i], fonts.DayEventsColor);
            }
            step(450);
            ++day;
        }
    });
}

void frmCalendar::ReadEvents(QDate firstDate, QDate lastDate)
{
    // Read or not, these days are done: a failed read is reported once, not per day.
    m_eventsFirst = firstDate;
    m_eventsLast = lastDate;
    m_events.clear();
    basOperation::TrapVoid("frmCalendar.ReadEvents", [&](Steps &step) {
        step(10);
        if (!m_store)
            throw basOperation::Failure(basOperation::kDatabaseError, QStringLiteral("The database connection is not open"));
        step(20);
        QList<basDatabase::DatedEvent> events;
        if (!m_store->GetEventsInRange(firstDate, lastDate, events))
            return;
        step(30);
        for (basDatabase::DatedEvent &dated : events)
            m_events[dated.Date].append(std::move(dated.Event));
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
        if (!m_eventsFirst.isValid() || date < m_eventsFirst || date > m_eventsLast)
            ReadEvents(date, date);
        // The store gives the all-day events first, then the timed ones by start time.
        for (const basDatabase::EventRecord &event : m_events.value(date)) {
            step(140);
            if (event.AllDayEvent) {
                step(150);
                if (allDayText.isEmpty())
                    allDayText = event.EventName;
            } else {
                step(200);
                entries.append(CalendarDayText::SortKey(event.StartTime, event.EventName));
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
