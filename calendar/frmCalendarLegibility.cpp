// The calendar window's legibility guard: which texts it looks at, the translucent
// panels behind busy parts of the picture, and the labels' view of the bitmap.
#include "frmCalendar.h"

#include "Legibility.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quillon {

using namespace CalendarGrid;

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

} // namespace quillon
