#include "frmCalendars.h"

#include "ConflictsPane.h"
#include "SyncTexts.h"
#include "platform/basPlatform.h"

#include <QColorDialog>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace quillon {

namespace {
// The form behind Add: an address, and for a CalDAV account its user name and password.
bool AskAddition(QWidget *parent, CalendarList::Addition &addition)
{
    if (basPlatform::IsNonInteractive())
        return false;
    QDialog form(parent);
    form.setWindowTitle(frmCalendars::tr(frmCalendars::kAddTitle));
    auto *address = new QLineEdit(&form);
    address->setPlaceholderText(frmCalendars::tr("https://, webcal:// or a CalDAV server"));
    auto *user = new QLineEdit(&form);
    auto *password = new QLineEdit(&form);
    password->setEchoMode(QLineEdit::Password);
    auto *layout = new QFormLayout(&form);
    layout->addRow(frmCalendars::tr("&Address:"), address);
    layout->addRow(frmCalendars::tr("&User name:"), user);
    layout->addRow(frmCalendars::tr("&Password:"), password);
    layout->addRow(new QLabel(frmCalendars::tr("User name and password only for a CalDAV account or a private address."), &form));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    layout->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    if (form.exec() != QDialog::Accepted)
        return false;
    addition.Address = address->text();
    addition.UserName = user->text();
    addition.Password = password->text();
    return true;
}

// A password asked in the window's own loop; null when cancelled (or nobody to ask).
QString AskPassword(QWidget *parent, const QString &prompt)
{
    if (basPlatform::IsNonInteractive())
        return QString();
    bool ok = false;
    const QString password = QInputDialog::getText(parent, frmCalendars::tr(frmCalendars::kCaption), prompt,
                                                   QLineEdit::Password, QString(), &ok);
    return ok ? password : QString();
}

QIcon Swatch(const QString &color)
{
    QPixmap swatch(12, 12);
    swatch.fill(QColor::isValidColorName(color) ? QColor::fromString(color) : QColor(Qt::transparent));
    return QIcon(swatch);
}
} // namespace

frmCalendars::frmCalendars(CalendarList &list, QWidget *parent)
    : QDialog(parent), m_calendars(list), m_runAdd([this](CalendarList::Addition &addition) { return AskAddition(this, addition); })
{
    setObjectName(QStringLiteral("frmCalendars"));
    setWindowTitle(tr(kCaption));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstCalendars"));
    m_list->setHeaderLabels({tr("Calendar"), tr("Last refresh"), tr("Waiting to be sent"),
                             tr("Last error")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setStretchLastSection(true);
    for (int column = 0; column < 3; ++column)
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_add = new QPushButton(tr("&Add..."), this);
    m_add->setObjectName(QStringLiteral("cmdAdd"));
    m_remove = new QPushButton(tr("&Remove"), this);
    m_remove->setObjectName(QStringLiteral("cmdRemove"));
    m_refresh = new QPushButton(tr("Refresh &now"), this);
    m_refresh->setObjectName(QStringLiteral("cmdRefresh"));
    m_color = new QPushButton(tr("&Colour..."), this);
    m_color->setObjectName(QStringLiteral("cmdColor"));
    auto *close = new QPushButton(tr("Close"), this);
    m_conflicts = new ConflictsPane(m_calendars, this);
    m_busy = new QProgressBar(this);
    m_busy->setObjectName(QStringLiteral("prgBusy"));
    m_busy->setRange(0, 0); // no end known: a first sync reports none
    m_busy->hide();
    m_busyText = new QLabel(this);
    m_busyText->setObjectName(QStringLiteral("lblBusy"));
    m_newEvents = new QComboBox(this);
    m_newEvents->setObjectName(QStringLiteral("cboNewEvents"));
    m_newEventsLabel = new QLabel(tr("New events &go to:"), this);
    m_newEventsLabel->setBuddy(m_newEvents);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addWidget(m_refresh);
    buttons->addWidget(m_color);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *top = new QHBoxLayout;
    top->addWidget(m_list, 1);
    top->addLayout(buttons);
    auto *newEvents = new QHBoxLayout;
    newEvents->addWidget(m_newEventsLabel);
    newEvents->addWidget(m_newEvents);
    newEvents->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_conflicts);
    layout->addLayout(newEvents);
    layout->addWidget(m_busyText);
    layout->addWidget(m_busy);
    resize(640, 300);

    connect(m_add, &QPushButton::clicked, this, &frmCalendars::cmdAdd_Click);
    connect(m_remove, &QPushButton::clicked, this, &frmCalendars::cmdRemove_Click);
    connect(m_refresh, &QPushButton::clicked, this, &frmCalendars::cmdRefresh_Click);
    connect(m_color, &QPushButton::clicked, this, &frmCalendars::cmdColor_Click);
    connect(m_list, &QTreeWidget::itemChanged, this, &frmCalendars::OnItemChanged);
    connect(m_conflicts, &ConflictsPane::Problem, this, &frmCalendars::ShowProblem);
    connect(m_conflicts, &ConflictsPane::Settled, this, &frmCalendars::Fill);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_newEvents, &QComboBox::activated, this, &frmCalendars::cboNewEvents_Click);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, [this] {
        const bool selected = SelectedId() != 0 && !m_calendars.IsBusy();
        m_remove->setEnabled(selected);
        m_refresh->setEnabled(selected);
        m_color->setEnabled(selected);
    });
    connect(&m_calendars, &CalendarList::Busy, this, &frmCalendars::OnBusy);
    m_calendars.SetPasswordAsker([this](const QString &prompt) { return AskPassword(this, prompt); });
    m_calendars.SetCertificateAsker([this](const QString &problem) {
        return basPlatform::ShowMessage(TrustQuestion(problem), windowTitle(), basPlatform::MessageIcon::Question,
                                        basPlatform::MessageButtons::YesNo, basPlatform::MessageResult::No)
            == basPlatform::MessageResult::Yes;
    });
    m_calendars.SetMassDeleteAsker([this](const QString &question) {
        return basPlatform::ShowMessage(SyncTexts::Shown(question), windowTitle(), basPlatform::MessageIcon::Question,
                                        basPlatform::MessageButtons::YesNo, basPlatform::MessageResult::No)
            == basPlatform::MessageResult::Yes;
    });
    m_calendars.SetUnencryptedAsker([this](const QString &warning) {
        return basPlatform::ShowMessage(UnencryptedQuestion(warning), windowTitle(), basPlatform::MessageIcon::Exclamation,
                                        basPlatform::MessageButtons::YesNo, basPlatform::MessageResult::No)
            == basPlatform::MessageResult::Yes;
    });
    m_calendars.Reload();
    Fill();
}

void frmCalendars::Fill()
{
    const qint64 selected = SelectedId();
    const QSignalBlocker filling(m_list);
    m_list->clear();
    for (const basDatabase::Subscription &calendar : m_calendars.Calendars()) {
        // One row a calendar: the warnings of a sync are one a line, shown whole on hover.
        const int waiting = m_calendars.WaitingChanges(calendar.Id);
        auto *item = new QTreeWidgetItem(
            m_list, {calendar.DisplayName, CalendarList::LastRefreshText(calendar),
                     !calendar.Writable ? tr("read only")
                     : waiting == 0     ? tr("none")
                                        : tr("%1 change(s)").arg(waiting),
                     SyncTexts::Shown(calendar.LastError).replace(QLatin1Char('\n'), QStringLiteral(" | "))});
        item->setIcon(0, Swatch(calendar.Color));
        item->setToolTip(3, SyncTexts::Shown(calendar.LastError));
        item->setData(0, Qt::UserRole, calendar.Id);
        // Ticked: shown in the views and on the wallpaper.
        item->setCheckState(0, calendar.Hidden ? Qt::Unchecked : Qt::Checked);
        item->setToolTip(0, calendar.Address + QLatin1Char('\n') + tr("Ticked: shown in the views and on the desktop"));
        if (calendar.Id == selected)
            m_list->setCurrentItem(item);
    }
    FillNewEventsChoice();
    m_conflicts->Fill();
    m_remove->setEnabled(SelectedId() != 0);
    m_refresh->setEnabled(SelectedId() != 0);
    m_color->setEnabled(SelectedId() != 0);
}

void frmCalendars::OnItemChanged(QTreeWidgetItem *item, int column)
{
    if (column != 0)
        return;
    const qint64 id = item->data(0, Qt::UserRole).toLongLong();
    if (!m_calendars.SetShown(id, item->checkState(0) == Qt::Checked))
        ShowProblem(tr("Whether the calendar is shown could not be kept."));
    // Not from inside the list's own signal: Fill makes its rows anew.
    QTimer::singleShot(0, this, &frmCalendars::Fill);
}

void frmCalendars::cmdColor_Click()
{
    const qint64 id = SelectedId();
    if (id == 0 || basPlatform::IsNonInteractive())
        return;
    QColor current;
    for (const basDatabase::Subscription &calendar : m_calendars.Calendars())
        if (calendar.Id == id && QColor::isValidColorName(calendar.Color))
            current = QColor::fromString(calendar.Color);
    const QColor chosen = QColorDialog::getColor(current.isValid() ? current : QColor(Qt::blue), this,
                                                 tr("Calendar Colour"));
    if (!chosen.isValid())
        return;
    if (!m_calendars.SetColor(id, chosen.name()))
        ShowProblem(tr("The calendar's colour could not be kept."));
    Fill();
}

void frmCalendars::FillNewEventsChoice()
{
    m_newEvents->clear();
    for (const CalendarChoice &choice : m_calendars.NewEventsChoices())
        m_newEvents->addItem(choice.Name, choice.Id);
    m_newEvents->setCurrentIndex(std::max(0, m_newEvents->findData(m_calendars.NewEventsCalendar())));
    // Only a writable calendar makes it a choice.
    m_newEvents->setVisible(m_newEvents->count() > 1);
    m_newEventsLabel->setVisible(m_newEvents->count() > 1);
}

void frmCalendars::cboNewEvents_Click()
{
    if (!m_calendars.SetNewEventsCalendar(m_newEvents->currentData().toLongLong()))
        ShowProblem(tr("Where new events go could not be kept."));
}

qint64 frmCalendars::SelectedId() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item && item->isSelected() ? item->data(0, Qt::UserRole).toLongLong() : 0;
}

void frmCalendars::ShowProblem(const QString &text)
{
    if (!text.isEmpty())
        basPlatform::ShowMessage(SyncTexts::Shown(text), windowTitle(), basPlatform::MessageIcon::Exclamation,
                                 basPlatform::MessageButtons::Ok, basPlatform::MessageResult::Ok);
}

void frmCalendars::OnBusy(bool busy, const QString &what)
{
    m_busy->setVisible(busy);
    m_busyText->setText(what);
    m_add->setEnabled(!busy);
    m_remove->setEnabled(!busy && SelectedId() != 0);
    m_refresh->setEnabled(!busy && SelectedId() != 0);
    m_color->setEnabled(!busy && SelectedId() != 0);
}

void frmCalendars::cmdAdd_Click()
{
    CalendarList::Addition addition;
    if (!m_runAdd || !m_runAdd(addition))
        return;
    const QString problem = m_calendars.Add(addition);
    Fill();
    ShowProblem(problem);
}

void frmCalendars::cmdRemove_Click()
{
    const qint64 id = SelectedId();
    if (id == 0)
        return;
    const QString name = m_list->currentItem()->text(0);
    if (basPlatform::ShowMessage(tr("Remove the calendar '%1' and its events?").arg(name), windowTitle(),
                                 basPlatform::MessageIcon::Question, basPlatform::MessageButtons::YesNo,
                                 basPlatform::MessageResult::No)
        != basPlatform::MessageResult::Yes)
        return;
    m_calendars.Remove(id);
    Fill();
}

void frmCalendars::cmdRefresh_Click()
{
    const qint64 id = SelectedId();
    if (id == 0)
        return;
    const QString problem = m_calendars.Refresh(id);
    Fill();
    ShowProblem(problem);
}

QString frmCalendars::TrustQuestion(const QString &problem)
{
    return tr("%1\n\nTrust this certificate for this calendar?").arg(SyncTexts::Shown(problem));
}

QString frmCalendars::UnencryptedQuestion(const QString &warning)
{
    return tr("%1\n\nSend the password anyway?").arg(SyncTexts::Shown(warning));
}

void frmCalendars::AskPasswordLater(const QString &prompt, std::function<void(const QString &password)> answer)
{
    if (basPlatform::IsNonInteractive()) {
        std::fprintf(stderr, "%s\n", qPrintable(prompt));
        return;
    }
    auto *dialog = new QInputDialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr(kCaption));
    dialog->setLabelText(prompt);
    dialog->setTextEchoMode(QLineEdit::Password);
    QObject::connect(dialog, &QInputDialog::textValueSelected, dialog,
                     [answer = std::move(answer)](const QString &password) { answer(password); });
    dialog->show();
}

} // namespace quillon
