// The Find window: a query typed in, what it finds listed as it is typed, and the day of
// the chosen event opened (Enter, a double click or "Show Day"). Modeless, beside the
// main window, which shows the day while the list stays.
#pragma once

#include "EventSearchModel.h"

#include <QDate>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace quillon {

namespace basDatabase {
class EventStore;
} // namespace basDatabase

class frmFind : public QDialog {
    Q_OBJECT

public:
    explicit frmFind(basDatabase::EventStore &store, QWidget *parent = nullptr);

    EventSearchModel &Model() { return m_model; }
    // Looks again for what is typed: the events may have changed since.
    void Refresh();

signals:
    // The user chose the event found on that day.
    void DayChosen(const QDate &date, qint64 eventId);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void txtFind_Change();
    // Looks again for the same text, the chosen event kept chosen where it is still found.
    void LookAgain();
    void cmdShowDay_Click();
    void UpdateSummary();

    EventSearchModel m_model;
    QLineEdit *m_text;
    QTreeView *m_list;
    QLabel *m_summary;
    QPushButton *m_showDay;
};

} // namespace quillon
