// The part of the Calendars window that lists the changes made here that lost to the
// server's, with the user's three ways out: send it anyway, keep both, drop it. Hidden
// while there are none.
#pragma once

#include "CalendarList.h"

#include <QGroupBox>

class QListWidget;
class QPushButton;

namespace quillon {

class ConflictsPane : public QGroupBox {
    Q_OBJECT

public:
    explicit ConflictsPane(CalendarList &list, QWidget *parent = nullptr);

    // A choice's own words (a change deleted here has its own).
    static QString SettleText(basSync::Settle how, bool deletedHere);
    // From the list's conflicts (after its Reload).
    void Fill();
    // Settles the one selected; a problem is said through Problem.
    void Settle(basSync::Settle how);

signals:
    void Problem(const QString &text);
    void Settled();

private:
    const basDatabase::Conflict *Selected() const;
    void UpdateButtons();

    CalendarList &m_calendars;
    QListWidget *m_list;
    QPushButton *m_send;
    QPushButton *m_keep;
    QPushButton *m_drop;
};

} // namespace quillon
