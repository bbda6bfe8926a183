#include "frmConflict.h"

#include "basOperation.h"
#include "basLocale.h"
#include "platform/basPlatform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace quillon {

namespace {

constexpr const char *kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

QString frmConflict::ConflictLine(const EventConflict &conflict)
{
    const QDate &day = conflict.Date;
    return QStringLiteral("%1-%2-%3  %4 - %5  %6")
        .arg(day.day())
        .arg(QLatin1String(kMonths[day.month() - 1]))
        .arg(day.year())
        .arg(basLocale::ShownTime(conflict.StartTime), basLocale::ShownTime(conflict.EndTime),
             conflict.EventName);
}

frmConflict::frmConflict(QWidget *parent)
    : QDialog(parent), m_picture(new QLabel(this)), m_list(new QListWidget(this)),
      m_disable(new QCheckBox(tr("&Do not check for event conflicts."), this)),
      m_accept(new QPushButton(tr("&Accept"), this)),
      m_reschedule(new QPushButton(tr("&Reschedule"), this))
{
    setWindowTitle(tr(kCaption));
    setObjectName(QStringLiteral("frmConflict"));
    m_list->setObjectName(QStringLiteral("lstConflicts"));
    m_disable->setObjectName(QStringLiteral("chkDisableChecking"));
    m_accept->setObjectName(QStringLiteral("cmdAccept"));
    m_reschedule->setObjectName(QStringLiteral("cmdReschedule"));

    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(iconSize));
    m_picture->setAlignment(Qt::AlignTop);
    auto *explanation = new QLabel(tr(kExplanation), this);
    explanation->setWordWrap(true);
    auto *listLabel = new QLabel(tr("Existing events:"), this);
    listLabel->setBuddy(m_list);
    m_list->setMinimumWidth(420);
    m_list->setMinimumHeight(120);

    auto *top = new QHBoxLayout;
    top->addWidget(m_picture);
    top->addWidget(explanation, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_disable);
    buttons->addStretch(1);
    buttons->addWidget(m_accept);
    buttons->addWidget(m_reschedule);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(listLabel);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    m_accept->setDefault(true);
    connect(m_disable, &QCheckBox::clicked, this, [this] { chkDisableChecking_Click(); });
    connect(m_accept, &QPushButton::clicked, this, [this] { cmdAccept_Click(); });
    connect(m_reschedule, &QPushButton::clicked, this, [this] { cmdReschedule_Click(); });
    setTabOrder(m_list, m_disable);
    setTabOrder(m_disable, m_accept);
    setTabOrder(m_accept, m_reschedule);
}

void frmConflict::SetEventConflicts(const QStringList &conflicts)
{
    m_conflicts = conflicts;
}

void frmConflict::Form_Load()
{
    basOperation::TrapVoid("frmConflict:Form_Load", [&](basOperation::Steps &step) {
        step(10);
        m_acceptPressed = false;
        m_disableChecking = false;
        m_disable->setChecked(false);
        m_reschedule->setEnabled(true);
        step(20);
        m_list->clear();
        for (const QString &line : std::as_const(m_conflicts)) {
            if (!line.isEmpty())
                m_list->addItem(line);
        }
        if (m_list->count() > 0)
            m_list->setCurrentRow(0);
    });
}

void frmConflict::ShowModal()
{
    Form_Load();
    // With nobody to answer, the dialog is not shown and counts as Reschedule.
    if (basPlatform::IsNonInteractive())
        return;
    m_accept->setFocus();
    exec();
}

void frmConflict::chkDisableChecking_Click()
{
    m_disableChecking = m_disable->isChecked();
    m_reschedule->setEnabled(!m_disableChecking);
}

void frmConflict::cmdAccept_Click()
{
    m_acceptPressed = true;
    hide();
    done(QDialog::Accepted);
}

void frmConflict::cmdReschedule_Click()
{
    m_acceptPressed = false;
    hide();
    done(QDialog::Rejected);
}

} // namespace quillon
