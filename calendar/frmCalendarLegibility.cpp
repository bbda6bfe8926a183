// The calendar window's legibility guard: which texts it looks at, what each one gets
// (drawn as set, a solid outline, a panel behind its day or the whole grid, a shade of
// its colour), and the check of the finished bitmap.
#include "frmCalendar.h"

#include "BackgroundWork.h"
#include "Legibility.h"
#include "WritablePages.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>

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
// One text as the guard sees it.
struct GuardedText {
    CalendarLabel *label = nullptr;
    int group = 0;              // kMonthGroup, kWeekdayGroup, or kFirstCellGroup + cell
    bool timedEvents = false;   // the day's timed events (may take the large type)
    double required = 4.5;
    QColor color;
    QRect box;                  // the glyphs' part of the label, in the window's coordinates
    std::vector<QRgb> bare;     // the ring's pixels of the background
    std::vector<int> panels;    // the panels over that, in order
    std::vector<QRgb> backdrop; // the ring's pixels as they will be: the background through the panels
    double contrast = 21.0;     // the backdrop's ratio with the colour, and how busy it is (Judge)
    double spread = 1.0;
    bool wantsPanel = false;
};
constexpr int kMonthGroup = 0;
constexpr int kWeekdayGroup = 1;
constexpr int kFirstCellGroup = 2;
constexpr int kGridGroup = -1;

// Panel edges: clear of the rings of the texts they hold.
constexpr int kPanelPad = 3;
constexpr int kGridPanelPad = 8;
constexpr size_t kDecisionPixels = 400;

// Whether the text reads as it is drawn: its ratio over a calm backdrop.
bool Reads(const GuardedText &t) { return t.contrast >= t.required && t.spread <= Legibility::kBusySpread; }

// Cheapest first: drawn as set, else a solid outline where it carries the text; a text
// on a busy backdrop, or that an outline would not carry, asks for a panel.
bool WantsPanel(const GuardedText &t)
{
    if (t.spread > Legibility::kBusySpread)
        return true;
    return t.contrast < t.required && !Legibility::OutlineCarries(t.color, t.backdrop);
}

// The backdrop judged once each time it changes: the checks below ask often.
void Judge(GuardedText &t)
{
    t.contrast = Legibility::RingContrast(t.backdrop, t.color);
    t.spread = Legibility::RingSpread(t.backdrop);
    t.wantsPanel = WantsPanel(t);
}

// Timed events reach the large type's ratio over that backdrop: they may take the large
// type (bold, at least 14 pt) instead of a stronger means.
bool LargeTypeDoes(const GuardedText &t, double contrast, double spread)
{
    return t.timedEvents && t.required > Legibility::kLargeTextRatio && spread <= Legibility::kBusySpread
           && contrast >= Legibility::kLargeTextRatio * Legibility::kAimFactor;
}
bool LargeTypeDoes(const GuardedText &t) { return LargeTypeDoes(t, t.contrast, t.spread); }

int Majority(const std::vector<GuardedText *> &members)
{
    int towardsBlack = 0, towardsWhite = 0;
    for (const GuardedText *t : members)
        if (t->wantsPanel)
            (Legibility::OppositeColor(t->color) == QColor(Qt::black) ? towardsBlack : towardsWhite) += 1;
    return towardsWhite > towardsBlack ? 1 : 0;
}
} // namespace

QRect frmCalendar::CellTile(int cell) const
{
    // From a few pixels left of the day's texts, where their rings lie, to as far left of
    // the next column's texts; from above its day number to above the next row's. Taken
    // from the neighbours' places, so rounded positions leave no seam between tiles.
    const int column = cell % kColumns;
    const QPoint at = lblDayNumber[cell]->pos();
    const int right = column + 1 < kColumns ? lblDayNumber[cell + 1]->x()
                                            : at.x() + lblDayNumber[1]->x() - lblDayNumber[0]->x();
    const int bottom = cell + kColumns < kCellCount ? lblDayNumber[cell + kColumns]->y()
                                                    : at.y() + lblDayNumber[kColumns]->y() - lblDayNumber[0]->y();
    return QRect(QPoint(at.x() - kPanelPad, at.y() - kPanelPad), QPoint(right - kPanelPad - 1, bottom - kPanelPad - 1));
}

void frmCalendar::BeginLegibility(QImage *target, bool inPlace)
{
    m_panels.clear();
    if (!m_legibilityGuard || !target || target->isNull())
        return;
    const qreal ratio = target->devicePixelRatio();
    const bool shades = basQuillon::LegibilityMayShade(m_settings.CalendarLegibility);
    // Keeping the user's colours, a panel may go all the way to opaque: black or white
    // reaches the ratio against any colour.
    const int maxAlpha = shades ? Legibility::kShadePanelAlpha : 255;

    std::vector<GuardedText> texts;
    auto through = [&](GuardedText &t) {
        t.backdrop = t.bare;
        for (const int k : t.panels)
            t.backdrop = Legibility::ThroughPanel(t.backdrop, m_panels[k].color.toRgb(), m_panels[k].color.alpha());
        Judge(t);
    };
    // Planned only, the month's texts are then rasterised on two threads at once.
    BackgroundWork work;
    auto prepare = [&](GuardedText &t, bool planOnly = false) {
        if (planOnly)
            t.label->PlanGlyphs(ratio);
        else
            t.label->PrepareGlyphs(ratio);
        const CalendarLabel::Glyphs &glyphs = t.label->PreparedGlyphs();
        t.required = Legibility::RequiredRatio(t.label->font().pointSizeF(), t.label->font().bold());
        t.box = glyphs.box.translated(t.label->pos());
        return !glyphs.box.isEmpty();
    };
    auto measure = [&](GuardedText &t) {
        const CalendarLabel::Glyphs &glyphs = t.label->PreparedGlyphs();
        // Decided on a few hundred pixels of each ring; the finished bitmap is checked on all.
        // A ring wholly on the bitmap needs only those few read.
        const bool inside = target->rect().contains(QRect(glyphs.origin, glyphs.coverage.size()));
        const std::vector<QPoint> &ring = glyphs.ring;
        t.bare = inside ? Legibility::Sample(*target, glyphs.origin, Legibility::Thinned(ring, kDecisionPixels))
                        : Legibility::Thinned(Legibility::Sample(*target, glyphs.origin, ring), kDecisionPixels);
        through(t);
    };
    auto largeType = [&](GuardedText &t) {
        t.label->setFont(Legibility::LargeType(t.label->font()));
        t.label->FitLines();
        prepare(t);
        measure(t);
    };
    auto add = [&](CalendarLabel *label, int group, bool timedEvents = false) {
        if (label->text().isEmpty() || label->isHidden())
            return;
        GuardedText t;
        t.label = label;
        t.group = group;
        t.timedEvents = timedEvents;
        t.color = label->TextColor();
        if (prepare(t, true))
            texts.push_back(std::move(t));
    };
    add(lblMonth, kMonthGroup);
    for (CalendarLabel *label : lblDayOfWeek)
        add(label, kWeekdayGroup);
    int days = 0;
    for (int i = 0; i < kCellCount; ++i) {
        if (lblDayNumber[i]->text().isEmpty())
            continue;
        ++days;
        add(lblDayNumber[i], kFirstCellGroup + i);
        add(lblDayAllDayEvents[i], kFirstCellGroup + i);
        add(lblDayEvents[i], kFirstCellGroup + i, true);
    }
    work.ForEach(texts.size(), [&texts](size_t k) { texts[k].label->RasteriseGlyphs(); });
    // The rows the texts will be drawn over made writable before anything reads them: a
    // page of the picture that was read is mapped already, and copying it then costs a
    // flush of its old mapping too.
    if (inPlace && ratio == 1.0) {
        std::vector<QRect> rows;
        for (const GuardedText &t : texts) {
            const CalendarLabel::Glyphs &glyphs = t.label->PreparedGlyphs();
            for (const QRect &r : glyphs.inkedRows)
                rows.push_back(r.translated(glyphs.origin));
        }
        target->bits(); // its own pages before two threads ask for them
        work.ForEach(2, [&](size_t k) { MakeWritable(*target, rows, static_cast<int>(k), 2); });
    }
    // Each text's backdrop read and judged on two threads at once.
    work.ForEach(texts.size(), [&](size_t k) { measure(texts[k]); });

    const int columnWidth = lblDayEvents[0]->width();
    auto addPanel = [&](const QRect &rect, const QColor &color, const std::vector<GuardedText *> &members) {
        m_panels.push_back(Panel{rect, color});
        // The panels lie one over the other: the new one over what each text had.
        const QColor rgb = color.toRgb();
        for (GuardedText *t : members) {
            t->panels.push_back(static_cast<int>(m_panels.size()) - 1);
            t->backdrop = Legibility::ThroughPanel(t->backdrop, rgb, color.alpha());
            Judge(*t);
        }
    };

    // A picture that more than a fifth of the days, or the month's heading, do not read on
    // gets one calm panel behind the whole grid (a scrim), bringing every text of the
    // panel's side to its ratio: one look for the month rather than a patchwork of fixes,
    // which over a photo's glow reads worse than either.
    std::vector<int> unread;
    for (const GuardedText &t : texts)
        if (!Reads(t) && std::find(unread.begin(), unread.end(), t.group) == unread.end())
            unread.push_back(t.group);
    const long unreadDays = std::count_if(unread.begin(), unread.end(), [](int g) { return g >= kFirstCellGroup; });
    QColor surround; // the grid panel's colour, if there is one
    QRect scrim;     // and where it lies
    const bool headerUnread = std::find(unread.begin(), unread.end(), kMonthGroup) != unread.end()
                              || std::find(unread.begin(), unread.end(), kWeekdayGroup) != unread.end();
    if ((unreadDays * 5 > days || headerUnread) && !texts.empty()) {
        std::vector<GuardedText *> members;
        QRect rect;
        for (GuardedText &t : texts) {
            t.wantsPanel = t.wantsPanel || !Reads(t);
            members.push_back(&t);
            rect |= t.box;
        }
        QColor color = Majority(members) ? QColor(Qt::white) : QColor(Qt::black);
        std::vector<Legibility::PanelText> aims;
        for (const GuardedText *t : members)
            if (Legibility::OppositeColor(t->color) == color)
                aims.push_back({&t->bare, t->color, t->required});
        color.setAlpha(Legibility::PanelAlpha(aims, color, maxAlpha, &work).value_or(maxAlpha));
        surround = color;
        scrim = rect.adjusted(-kGridPanelPad, -kGridPanelPad, kGridPanelPad, kGridPanelPad);
        addPanel(scrim, color, members);
    }

    // Events that reach the large type's ratio as they stand take it rather than a box:
    // red today over light grey stays red, crisp and unboxed.
    for (GuardedText &t : texts)
        if (t.wantsPanel && LargeTypeDoes(t))
            largeType(t);

    // Each day that still asks gets a tile behind the texts that need it, the column's
    // width. Its colour keeps the side of what is around it where it can (a light tile
    // on a light scrim, with today's events in the large type), so the month reads as
    // one page; otherwise the side most of its texts stand out from.
    std::vector<int> needy;
    for (const GuardedText &t : texts)
        if (t.wantsPanel && std::find(needy.begin(), needy.end(), t.group) == needy.end())
            needy.push_back(t.group);
    // A day's texts that ask, how light what is round them is, and the tile they get.
    struct Tile {
        int group = 0;
        std::vector<GuardedText *> members;
        QRect around;      // the texts' boxes
        double light = 0;  // what is round them
        QRect rect;
        QColor color;
        bool cell = false; // the whole cell, on the scrim
    };
    std::vector<Tile> tiles;
    for (const int group : needy) {
        Tile tile;
        tile.group = group;
        for (GuardedText &t : texts)
            if (t.group == group && t.wantsPanel) {
                tile.members.push_back(&t);
                tile.around |= t.box;
                for (const QRgb px : t.backdrop)
                    tile.light += Legibility::RelativeLuminance(px) / static_cast<double>(t.backdrop.size());
            }
        if (tile.members.empty())
            continue;
        tile.light /= static_cast<double>(tile.members.size());
        tiles.push_back(std::move(tile));
    }
    // Each tile's colour and opacity, from its texts' backdrops alone: judged on two
    // threads at once. Where it lies is taken from the labels afterwards, here.
    work.ForEach(tiles.size(), [&](size_t k) {
        Tile &tile = tiles[k];
        // The side of the surroundings, and what each text needs on it.
        QColor color = surround.isValid() ? QColor(surround.rgb()) : QColor(tile.light > 0.18 ? Qt::white : Qt::black);
        std::vector<Legibility::PanelText> aims;
        for (const GuardedText *t : tile.members) {
            const std::vector<QRgb> plain(1, color.rgb());
            const bool large = LargeTypeDoes(*t, Legibility::RingContrast(plain, t->color), Legibility::RingSpread(plain));
            aims.push_back({&t->backdrop, t->color, large ? Legibility::kLargeTextRatio : t->required});
        }
        std::optional<int> alpha = Legibility::PanelAlpha(aims, color, maxAlpha);
        if (!alpha) {
            color = Majority(tile.members) ? QColor(Qt::white) : QColor(Qt::black);
            aims.clear();
            for (const GuardedText *t : tile.members)
                if (Legibility::OppositeColor(t->color) == color)
                    aims.push_back({&t->backdrop, t->color, t->required});
            alpha = Legibility::PanelAlpha(aims, color, maxAlpha);
        }
        color.setAlpha(alpha.value_or(maxAlpha));
        tile.color = color;
    });
    for (Tile &tile : tiles) {
        const int group = tile.group;
        tile.cell = scrim.isValid() && group >= kFirstCellGroup;
        if (tile.cell) {
            // On the scrim a day's tile is its whole cell, edge to edge with the next and
            // out to the scrim's edge at the grid's sides: the month stays a page of even
            // cells, not of strips hugging lines of text.
            const int cell = group - kFirstCellGroup;
            tile.rect = CellTile(cell);
            if (cell % kColumns == 0)
                tile.rect.setLeft(std::min(tile.rect.left(), scrim.left()));
            if (cell % kColumns == kColumns - 1)
                tile.rect.setRight(std::max(tile.rect.right(), scrim.right()));
        } else {
            QRect rect = tile.around;
            if (group >= kFirstCellGroup)
                rect = QRect(lblDayNumber[group - kFirstCellGroup]->x(), rect.top(), columnWidth, rect.height());
            // A day's tile keeps out of the gap to the next day, where that day's ring lies.
            const int across = group >= kFirstCellGroup ? 1 : kPanelPad;
            tile.rect = rect.adjusted(-across, -kPanelPad, across, kPanelPad);
        }
    }
    // Where most days ask for a tile of the scrim's own colour, the scrim itself goes as
    // deep as the deepest of them, headings' strips included: cells and strips of two
    // depths over a grainy picture read as a patchwork, with a bright seam where a strip
    // and a row of cells overlap. A few tiles stay tiles (today's cell over a dark photo).
    if (scrim.isValid()) {
        const QRgb side = surround.rgb();
        auto folds = [side](const Tile &tile) { return tile.color.rgb() == side; };
        const long cells = std::count_if(tiles.begin(), tiles.end(), [&](const Tile &tile) { return tile.cell && folds(tile); });
        if (cells * 2 >= days) {
            int deepestTile = 0;
            for (const Tile &tile : tiles)
                if (folds(tile)) {
                    deepestTile = std::max(deepestTile, tile.color.alpha());
                    m_panels.front().rect |= tile.rect;
                }
            // The scrim and a tile one over the other, rounded up: no text gets less.
            const int under = 255 - surround.alpha();
            const int deeper = 255 - (under * (255 - deepestTile)) / 255;
            m_panels.front().color.setAlpha(std::max(surround.alpha(), deeper));
            for (GuardedText &t : texts)
                through(t);
            for (const Tile &tile : tiles)
                if (folds(tile))
                    for (GuardedText *t : tile.members)
                        if (t->contrast < t->required && LargeTypeDoes(*t))
                            largeType(*t);
            std::erase_if(tiles, folds);
        }
    }
    // The cells of one colour take its deepest shade, so that days side by side read as
    // one block rather than a patchwork (deeper only brings their texts further apart).
    std::map<QRgb, int> deepest;
    for (const Tile &tile : tiles)
        if (tile.cell)
            deepest[tile.color.rgb()] = std::max(deepest[tile.color.rgb()], tile.color.alpha());
    for (Tile &tile : tiles) {
        if (tile.cell)
            tile.color.setAlpha(deepest[tile.color.rgb()]);
        addPanel(tile.rect, tile.color, tile.members);
        m_panels.back().square = tile.cell;
        bool grown = false;
        for (GuardedText *t : tile.members)
            if (t->contrast < t->required && LargeTypeDoes(*t)) {
                largeType(*t);
                grown = true;
            }
        if (grown) {
            // The tile follows the larger lines.
            QRect grownTile = m_panels.back().rect;
            for (const GuardedText *t : tile.members)
                grownTile |= QRect(grownTile.left(), t->box.top() - kPanelPad, grownTile.width(), t->box.height() + 2 * kPanelPad);
            m_panels.back().rect = grownTile;
        }
        // The scrim holds its cells, the last row's and column's too.
        if (tile.cell)
            m_panels.front().rect |= m_panels.back().rect;
    }

    // Every text over what it will stand on: as set where that reads; else an outline
    // where it carries; else, where allowed, a shade of its colour; else an outline
    // after all, which always reaches the ratio.
    for (GuardedText &t : texts) {
        CalendarLabel::Means means;
        means.on = true;
        means.color = t.color;
        if (t.contrast < t.required) {
            const std::optional<QColor> shade = shades && !Legibility::OutlineCarries(t.color, t.backdrop)
                                                    ? Legibility::Shade(t.color, t.backdrop, t.required)
                                                    : std::nullopt;
            if (shade) {
                means.color = *shade;
            } else {
                means.outline = Legibility::OppositeColor(t.color);
                means.outlineRadius = t.label->PreparedGlyphs().outlineRadius;
            }
        }
        t.label->SetMeans(means);
        t.label->SetMeasured(0, t.required);
    }
}

void frmCalendar::EndLegibility(QImage &image)
{
    if (!m_legibilityGuard)
        return;
    // Judged on the finished bitmap: a text is done only when its ring reaches the
    // ratio. One that does not (another text's outline over it, the rounding of a
    // panel) gets its outline drawn over everything.
    // In device pixels, where the rings are.
    const qreal ratio = image.devicePixelRatio();
    image.setDevicePixelRatio(1.0);
    std::vector<CalendarLabel *> guarded;
    for (CalendarLabel *label : TextLabels())
        if (label->GuardMeans().on)
            guarded.push_back(label);
    auto measure = [&image](const CalendarLabel *label) {
        const CalendarLabel::Glyphs &glyphs = label->PreparedGlyphs();
        return Legibility::RingContrast(Legibility::Sample(image, glyphs.origin, glyphs.ring), label->GuardMeans().color);
    };
    // Read on two threads at once, the bitmap left as it is; a text after one whose
    // outline was drawn over everything is read again.
    std::vector<double> reached(guarded.size());
    {
        BackgroundWork work;
        work.ForEach(guarded.size(), [&](size_t k) { reached[k] = measure(guarded[k]); });
    }
    bool redrawn = false;
    for (size_t k = 0; k < guarded.size(); ++k) {
        CalendarLabel *label = guarded[k];
        const CalendarLabel::Means means = label->GuardMeans();
        const CalendarLabel::Glyphs &glyphs = label->PreparedGlyphs();
        double measured = redrawn ? measure(label) : reached[k];
        if (measured < label->RequiredRatio()) {
            CalendarLabel::Means outlined = means;
            outlined.outline = Legibility::OppositeColor(means.color);
            outlined.outlineRadius = glyphs.outlineRadius;
            QPainter painter(&image);
            label->PaintMeans(painter, QRectF(QRect(glyphs.origin, glyphs.coverage.size())), outlined);
            painter.end();
            label->SetMeans(outlined);
            redrawn = true;
            measured = measure(label);
        }
        label->SetMeasured(measured, label->RequiredRatio());
        label->ReleaseGlyphs();
    }
    image.setDevicePixelRatio(ratio);
}

std::vector<LaidText> frmCalendar::TextsForLater()
{
    std::vector<LaidText> texts;
    m_textsLater.clear();
    if (!m_legibilityGuard)
        return texts;
    for (CalendarLabel *label : TextLabels()) {
        CalendarLabel::Means means = label->GuardMeans();
        const CalendarLabel::Glyphs &glyphs = label->PreparedGlyphs();
        if (!means.on || glyphs.coverage.isNull())
            continue;
        LaidText text;
        text.origin = glyphs.origin;
        text.coverage = glyphs.coverage;
        text.color = means.color.rgb();
        if (means.outline.isValid()) {
            text.outline = Legibility::OutlineMask(glyphs.coverage, means.outlineRadius);
            text.outlineColor = means.outline.rgb();
        }
        text.ring = &glyphs.ring;
        texts.push_back(std::move(text));
        means.later = true;
        label->SetMeans(means);
        m_textsLater.push_back(label);
    }
    return texts;
}

bool frmCalendar::EndLegibility(const RingPixels &rings)
{
    std::vector<double> reached(m_textsLater.size(), 0.0);
    bool all = rings.size() == m_textsLater.size();
    if (all) {
        BackgroundWork work;
        work.ForEach(m_textsLater.size(), [&](size_t k) {
            reached[k] = Legibility::RingContrast(rings[k], m_textsLater[k]->GuardMeans().color);
        });
    }
    for (size_t k = 0; all && k < m_textsLater.size(); ++k)
        all = reached[k] >= m_textsLater[k]->RequiredRatio();
    for (size_t k = 0; k < m_textsLater.size(); ++k) {
        CalendarLabel *label = m_textsLater[k];
        CalendarLabel::Means means = label->GuardMeans();
        means.later = false;
        label->SetMeans(means);
        if (all) {
            label->SetMeasured(reached[k], label->RequiredRatio());
            label->ReleaseGlyphs();
        }
    }
    m_textsLater.clear();
    return all;
}

} // namespace quillon
