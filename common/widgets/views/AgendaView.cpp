#include "views/AgendaView.h"

#include <QHash>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPixmap>

namespace quillon {

namespace {

constexpr int kIndexRole = Qt::UserRole;     // an event's index into m_events, -1 for a heading
constexpr int kDateRole = Qt::UserRole + 1;

QIcon Swatch(const QColor &color)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color);
    painter.setPen(color.darker(140));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 11, 11), 2, 2);
    return QIcon(pixmap);
}

} // namespace

AgendaView::AgendaView(QWidget *parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderLabels({tr("Time"), tr("Event")});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    header()->setStretchLastSection(true);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { Activated(item); });
    connect(this, &QTreeWidget::itemSelectionChanged, this, &AgendaView::SelectionChanged);
}

void AgendaView::SetEvents(QDate first, QDate last, const QList<ViewEvent> &events)
{
    const std::optional<ViewEvent> selected = SelectedEvent();
    // Built apart and put in at once: a tree laid out again for each row costs a frame.
    setUpdatesEnabled(false);
    clear();
    m_events.clear();
    const QLocale here = locale();
    QFont bold = font();
    bold.setBold(true);
    QHash<QRgb, QIcon> swatches;
    QList<QTreeWidgetItem *> days;
    QTreeWidgetItem *heading = nullptr;
    for (const ViewEvent &event : events) {
        if (event.date < first || event.date > last)
            continue;
        if (!heading || heading->data(0, kDateRole).toDate() != event.date) {
            heading = new QTreeWidgetItem;
            heading->setText(0, here.toString(event.date, QLocale::LongFormat));
            heading->setFont(0, bold);
            heading->setData(0, kIndexRole, -1);
            heading->setData(0, kDateRole, event.date);
            days.append(heading);
        }
        auto *item = new QTreeWidgetItem(heading);
        item->setText(0, event.allDay ? tr("All day")
                                      : ViewTimeText(here, event.start) + QStringLiteral(" \u2013 ")
                                            + ViewTimeText(here, event.end));
        item->setText(1, event.name);
        const QColor color = ViewEventColor(event, m_fill, palette());
        if (event.picture.isNull()) {
            auto swatch = swatches.find(color.rgb());
            if (swatch == swatches.end())
                swatch = swatches.insert(color.rgb(), Swatch(color));
            item->setIcon(1, *swatch);
        } else {
            item->setIcon(1, event.picture);
        }
        item->setData(0, kIndexRole, static_cast<int>(m_events.size()));
        item->setData(0, kDateRole, event.date);
        m_events.append(event);
    }
    if (m_events.isEmpty()) {
        auto *none = new QTreeWidgetItem;
        none->setText(0, tr("Nothing planned from %1 to %2.")
                             .arg(here.toString(first, QLocale::ShortFormat), here.toString(last, QLocale::ShortFormat)));
        none->setFlags(Qt::ItemIsEnabled);
        none->setData(0, kIndexRole, -2);
        days.append(none);
    }
    addTopLevelItems(days);
    for (QTreeWidgetItem *day : std::as_const(days))
        day->setFirstColumnSpanned(true);
    expandAll();
    resizeColumnToContents(0);
    setUpdatesEnabled(true);
    if (selected)
        Select(selected->id, selected->date);
}

std::optional<ViewEvent> AgendaView::SelectedEvent() const
{
    const QTreeWidgetItem *item = currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    const int index = item->data(0, kIndexRole).toInt();
    if (index < 0 || index >= m_events.size())
        return std::nullopt;
    return m_events[index];
}

void AgendaView::Select(qint64 id, QDate date)
{
    for (int top = 0; top < topLevelItemCount(); ++top) {
        QTreeWidgetItem *day = topLevelItem(top);
        for (int child = 0; child < day->childCount(); ++child) {
            const int index = day->child(child)->data(0, kIndexRole).toInt();
            if (index >= 0 && m_events[index].id == id && m_events[index].date == date) {
                setCurrentItem(day->child(child));
                return;
            }
        }
    }
}

QStringList AgendaView::Lines() const
{
    QStringList lines;
    for (int top = 0; top < topLevelItemCount(); ++top) {
        const QTreeWidgetItem *day = topLevelItem(top);
        lines.append(day->text(0));
        for (int child = 0; child < day->childCount(); ++child)
            lines.append(day->child(child)->text(0) + QStringLiteral("  ") + day->child(child)->text(1));
    }
    return lines;
}

void AgendaView::Activated(QTreeWidgetItem *item)
{
    const int index = item->data(0, kIndexRole).toInt();
    if (index >= 0 && index < m_events.size())
        emit EventActivated(m_events[index].id, m_events[index].date);
    else if (index == -1)
        emit DayActivated(item->data(0, kDateRole).toDate());
}

} // namespace quillon
