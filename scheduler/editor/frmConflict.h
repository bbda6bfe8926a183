// The dialog that lists the existing events a new event runs into and lets the user
// accept the overlap, go back and reschedule, or switch the check off.
#pragma once

#include "EventService.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace quillon {

class frmConflict : public QDialog {
    Q_OBJECT

public:
    static constexpr auto kCaption = QT_TRANSLATE_NOOP("quillon::frmConflict", "Scheduling Conflict");
    static constexpr auto kExplanation =
        QT_TRANSLATE_NOOP("quillon::frmConflict", "This event conflicts with the existing events listed below.  Click on 'Accept' to accept the "
        "conflict, or 'Reschedule' to change the date and/or time of the event.");

    explicit frmConflict(QWidget *parent = nullptr);

    // "5-Jan-2004  9:00 AM - 10:30 AM  Staff meeting": month abbreviations fixed,
    // whatever the locale.
    static QString ConflictLine(const EventConflict &conflict);

    // Copied; shown from the next showing on.
    void SetEventConflicts(const QStringList &conflicts);
    bool AcceptPressed() const { return m_acceptPressed; }
    bool DisableConflictChecking() const { return m_disableChecking; }

    // Starts afresh: nothing accepted, checking on, the list refilled.
    void Form_Load();
    // Shows the dialog modally, starting afresh; the answer is in the properties.
    void ShowModal();

    void chkDisableChecking_Click();
    void cmdAccept_Click();
    void cmdReschedule_Click();

private:
    QStringList m_conflicts;
    bool m_acceptPressed = false;
    bool m_disableChecking = false;
    QLabel *m_picture;
    QListWidget *m_list;
    QCheckBox *m_disable;
    QPushButton *m_accept;
    QPushButton *m_reschedule;
};

} // namespace quillon
