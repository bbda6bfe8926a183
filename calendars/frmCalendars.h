// The "Calendars..." window of the scheduler and the tray: the subscribed calendars,
// Add, Remove and Refresh now, and a busy bar while a server is asked. The work is
// CalendarList's; this is only its face.
#pragma once

#include "CalendarList.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QTreeWidgetItem;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace quillon {

class frmCalendars : public QDialog {
    Q_OBJECT

public:
    static constexpr auto kCaption = QT_TRANSLATE_NOOP("quillon::frmCalendars", "Calendars");
    static constexpr auto kAddTitle = QT_TRANSLATE_NOOP("quillon::frmCalendars", "Add Calendar");

    explicit frmCalendars(CalendarList &list, QWidget *parent = nullptr);

    // How the Add form is answered (modal by default); tests fill it in instead. False: cancelled.
    using AddRunner = std::function<bool(CalendarList::Addition &)>;
    void SetAddRunner(AddRunner runner) { m_runAdd = std::move(runner); }

    // Asks for a password in a window of its own and answers when the user did (never
    // for a cancel), the caller's loop not nested: the launcher's way.
    static void AskPasswordLater(const QString &prompt, std::function<void(const QString &password)> answer);
    // "... Trust this certificate for this calendar?"; problem names the host, the error and the fingerprint.
    static QString TrustQuestion(const QString &problem);
    // "HOST sends your password unencrypted ... Send the password anyway?"
    static QString UnencryptedQuestion(const QString &warning);

    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdRefresh_Click();
    // The calendar's colour, asked in the colour dialog.
    void cmdColor_Click();
    void Fill();
    // "New events go to": this computer or a writable calendar, kept at once.
    void cboNewEvents_Click();

private:
    qint64 SelectedId() const;
    void ShowProblem(const QString &text);
    void OnBusy(bool busy, const QString &what);
    void FillNewEventsChoice();
    // A row's box ticked or cleared: the calendar shown or hidden.
    void OnItemChanged(QTreeWidgetItem *item, int column);

    CalendarList &m_calendars;
    AddRunner m_runAdd;
    QTreeWidget *m_list;
    QPushButton *m_add;
    QPushButton *m_remove;
    QPushButton *m_refresh;
    QPushButton *m_color;
    class ConflictsPane *m_conflicts;
    QProgressBar *m_busy;
    QLabel *m_busyText;
    QLabel *m_newEventsLabel;
    QComboBox *m_newEvents;
};

} // namespace quillon
