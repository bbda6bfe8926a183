// The Find window's list: what a query finds, one row an event, by the day it comes
// next (or came last). The search itself is handed in, so that the rows are tested
// without a window.
#pragma once

#include "EventService.h"

#include <QAbstractTableModel>
#include <QString>

#include <functional>
#include <optional>

namespace quillon {

class EventSearchModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kDate, kTime, kEvent, kLocation, kColumnCount };
    // Rows shown at most; a query finding more says how many there are.
    static constexpr int kMostShown = 500;

    using Search = std::function<std::optional<SearchResult>(const QString &text)>;
    explicit EventSearchModel(Search search, QObject *parent = nullptr);

    // Looks for the text; the rows become what was found. False when the store refused
    // (it has said why); the rows are then empty.
    bool SetQuery(const QString &text);
    QString Query() const { return m_query; }
    const FoundEvent &Found(int row) const { return m_found.Events.at(row); }

    // What the list holds, in a few words: "3 events", "No event holds “xyz”.", the
    // first of how many; empty before a query.
    QString Summary() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The texts of a row's cells, as shown.
    static QString DateText(const FoundEvent &found);
    static QString TimeText(const FoundEvent &found);

private:
    Search m_search;
    QString m_query;
    bool m_failed = false;
    SearchResult m_found;
};

} // namespace quillon
