#include "EventSearchModel.h"

#include "basColor.h"
#include "basColorCombo.h"
#include "basLocale.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <QPixmap>

namespace quillon {

EventSearchModel::EventSearchModel(Search search, QObject *parent)
    : QAbstractTableModel(parent), m_search(std::move(search))
{
}

bool EventSearchModel::SetQuery(const QString &text)
{
    beginResetModel();
    m_query = text;
    std::optional<SearchResult> found = m_search ? m_search(text) : SearchResult{};
    m_failed = !found;
    m_found = found ? std::move(*found) : SearchResult{};
    endResetModel();
    return !m_failed;
}

QString EventSearchModel::Summary() const
{
    if (m_failed)
        return tr("The events could not be read.");
    if (m_query.trimmed().isEmpty())
        return QString();
    const QLocale locale;
    const qsizetype shown = m_found.Events.size();
    if (shown == 0)
        return tr("No event holds \u201c%1\u201d.").arg(m_query.trimmed());
    if (m_found.Total > shown)
        return tr("The first %1 of %2 events").arg(locale.toString(shown), locale.toString(m_found.Total));
    return shown == 1 ? tr("1 event") : tr("%1 events").arg(locale.toString(shown));
}

int EventSearchModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_found.Events.size());
}

int EventSearchModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : kColumnCount; }

QString EventSearchModel::DateText(const FoundEvent &found)
{
    // The weekday helps more than the year for what is coming; both are there.
    return QLocale().toString(found.Date, tr("ddd d MMM yyyy", "date form of a found event"));
}

QString EventSearchModel::TimeText(const FoundEvent &found)
{
    if (found.AllDayEvent)
        return tr("All day");
    if (!found.StartTime.isValid())
        return QString();
    return basLocale::ShownTime(found.StartTime) + QStringLiteral(" - ") + basLocale::ShownTime(found.EndTime);
}

QVariant EventSearchModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FoundEvent &found = m_found.Events.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case kDate: return DateText(found);
        case kTime: return TimeText(found);
        case kEvent: return found.EventName;
        case kLocation: return found.Location;
        default: return {};
        }
    case Qt::ToolTipRole:
        if (found.Past)
            return tr("Past: last on %1").arg(QLocale().toString(found.Date, QLocale::LongFormat));
        return {};
    case Qt::ForegroundRole:
        // What is over reads quieter than what is to come.
        if (found.Past)
            return QGuiApplication::palette().color(QPalette::PlaceholderText);
        return {};
    case Qt::DecorationRole:
        // The event's colour, where it has one of ours.
        if (index.column() == kEvent && basColorCombo::ColorNames().contains(found.EventColor)) {
            QPixmap swatch(10, 10);
            swatch.fill(basColor::ToQColor(basColorCombo::ColorFromName(found.EventColor)));
            return swatch;
        }
        return {};
    default:
        return {};
    }
}

QVariant EventSearchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case kDate: return tr("Date");
    case kTime: return tr("Time");
    case kEvent: return tr("Event");
    case kLocation: return tr("Location");
    default: return {};
    }
}

} // namespace quillon
