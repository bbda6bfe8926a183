// The Fonts and Colors page: pick a text element, then its font or colour; five
// samples show the result, and the liturgical box paints them in the church year's
// green (the calendar then colours the days itself).
#include "frmOptions.h"

#include "basCalendarFonts.h"
#include "basColor.h"
#include "basOperation.h"
#include "basQuillon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace quillon {

using basOperation::Steps;

namespace {
// The report names of the six element options.
constexpr const char *kElementClickNames[] = {
    "frmOptions.optMonthName_Click",   "frmOptions.optDayName_Click",   "frmOptions.optDayNumber_Click",
    "frmOptions.optAllDayEvent_Click", "frmOptions.optDayEvents_Click", "frmOptions.optCurrentDay_Click",
};
// The samples the current-day colour shows on.
constexpr int kCurrentDaySamples[] = {frmOptions::kDayNumber, frmOptions::kAllDayEvent, frmOptions::kDayEvents};

std::int32_t LiturgicalSampleColor() { return basQuillon::LiturgicalColorFromName(QStringLiteral("Green")); }
} // namespace

std::int32_t frmOptions::ElementColor(int element) const
{
    switch (element) {
    case kMonthName: return m_fonts.MonthNameColor;
    case kDayName: return m_fonts.DayNameColor;
    case kDayNumber: return m_fonts.DayNumberColor;
    case kAllDayEvent: return m_fonts.AllDayEventsColor;
    case kDayEvents: return m_fonts.DayEventsColor;
    default: return m_fonts.CurrentDayColor;
    }
}

void frmOptions::SetElementColor(int element, std::int32_t color)
{
    switch (element) {
    case kMonthName: m_fonts.MonthNameColor = color; break;
    case kDayName: m_fonts.DayNameColor = color; break;
    case kDayNumber: m_fonts.DayNumberColor = color; break;
    case kAllDayEvent: m_fonts.AllDayEventsColor = color; break;
    case kDayEvents: m_fonts.DayEventsColor = color; break;
    default: m_fonts.CurrentDayColor = color; break;
    }
}

std::optional<QFont> &frmOptions::ElementFont(int element)
{
    switch (element) {
    case kMonthName: return m_fonts.MonthNameFont;
    case kDayName: return m_fonts.DayNameFont;
    case kDayNumber: return m_fonts.DayNumberFont;
    case kAllDayEvent: return m_fonts.AllDayEventsFont;
    default: return m_fonts.DayEventsFont;
    }
}

void frmOptions::PaintLabel(int index, std::int32_t color)
{
    if (color == basColor::kNoColor)
        return;
    QPalette palette = lblSample[index]->palette();
    palette.setColor(QPalette::WindowText, basColor::ToQColor(color));
    lblSample[index]->setPalette(palette);
}

void frmOptions::PopulateFontsPage()
{
    for (int i = 0; i < kSampleCount; ++i)
        if (const std::optional<QFont> &font = ElementFont(i))
            basCalendarFonts::ApplyFontToLabel(*font, *lblSample[i]);
    if (m_settings.CalendarUseLiturgicalColors) {
        chkUseLiturgicalColors->setChecked(true);
        if (!optElement[kCurrentDay]->isChecked())
            for (int i = 0; i < kSampleCount; ++i)
                PaintLabel(i, LiturgicalSampleColor());
    } else {
        chkUseLiturgicalColors->setChecked(false);
        for (int i = 0; i < kSampleCount; ++i)
            PaintLabel(i, ElementColor(i));
    }
    cboLegibility->setCurrentIndex(
        std::max(0, cboLegibility->findData(basQuillon::LegibilityValue(m_settings.CalendarLegibility))));
}

void frmOptions::cboLegibility_Click()
{
    MarkChanged();
}

void frmOptions::cboMonitors_Click()
{
    MarkChanged();
}

void frmOptions::SetLabelBorder(int index)
{
    basOperation::TrapVoid("frmOptions.SetLabelBorder", [&](Steps &step) {
        step(10);
        for (int i = 0; i < kSampleCount; ++i)
            lblSample[i]->setFrameShape(i == index ? QFrame::Box : QFrame::NoFrame);
    });
}

void frmOptions::SetLabelColors(int element)
{
    basOperation::TrapVoid("frmOptions.SetLabelColors", [&](Steps &step) {
        step(10);
        if (element == kCurrentDay) {
            for (int i : kCurrentDaySamples)
                PaintLabel(i, m_fonts.CurrentDayColor);
            return;
        }
        step(20);
        for (int i = 0; i < kSampleCount; ++i)
            PaintLabel(i, ElementColor(i));
    });
}

void frmOptions::optElement_Click(int element)
{
    if (m_loading)
        return;
    // Picking an element changes no setting: Apply stays as it is.
    basOperation::TrapVoid(kElementClickNames[element], [&](Steps &step) {
        step(10);
        SetLabelColors(element);
        step(20);
        if (element == kCurrentDay) {
            SetLabelBorder(-1);
            cmdFont->setEnabled(false);
            cmdFontColor->setEnabled(true);
            return;
        }
        SetLabelBorder(element);
        step(30);
        cmdFont->setEnabled(true);
        cmdFontColor->setEnabled(!chkUseLiturgicalColors->isChecked());
    });
}

void frmOptions::cmdFont_Click()
{
    basOperation::TrapVoid("frmOptions.cmdFont_Click", [&](Steps &step) {
        step(10);
        const int element = SelectedElement();
        if (element < 0 || element == kCurrentDay)
            return;
        step(20);
        std::optional<QFont> font = SelectFont(ElementFont(element));
        if (!font)
            return;
        step(30);
        ElementFont(element) = *font;
        basCalendarFonts::ApplyFontToLabel(*font, *lblSample[element]);
        step(40);
        MarkChanged();
    });
}

void frmOptions::cmdFontColor_Click()
{
    basOperation::TrapVoid("frmOptions.cmdFontColor_Click", [&](Steps &step) {
        step(10);
        const int element = SelectedElement();
        if (element < 0)
            return;
        step(20);
        const std::int32_t color = SelectColor(ElementColor(element));
        step(30);
        if (color != basColor::kNoColor) {
            SetElementColor(element, color);
            if (element == kCurrentDay)
                SetLabelColors(kCurrentDay);
            else
                PaintLabel(element, color);
        }
        step(40);
        MarkChanged();   // also when the dialog was cancelled
    });
}

void frmOptions::chkUseLiturgicalColors_Click()
{
    // Runs while loading too, and never marks the dialog changed.
    basOperation::TrapVoid("frmOptions.chkUseLiturgicalColors_Click", [&](Steps &step) {
        const bool currentDay = optElement[kCurrentDay]->isChecked();
        if (chkUseLiturgicalColors->isChecked()) {
            step(10);
            cmdFontColor->setEnabled(false);
            step(20);
            PaintLabel(kMonthName, LiturgicalSampleColor());
            PaintLabel(kDayName, LiturgicalSampleColor());
            step(30);
            if (!currentDay)
                for (int i : kCurrentDaySamples)
                    PaintLabel(i, LiturgicalSampleColor());
            return;
        }
        step(40);
        PaintLabel(kMonthName, m_fonts.MonthNameColor);
        PaintLabel(kDayName, m_fonts.DayNameColor);
        step(50);
        if (!currentDay) {
            for (int i : kCurrentDaySamples)
                PaintLabel(i, ElementColor(i));
        } else {
            SetLabelColors(kCurrentDay);
        }
        step(60);
        cmdFontColor->setEnabled(SelectedElement() >= 0);
    });
}

} // namespace quillon
