#include "ConflictsPane.h"

#include "SyncTexts.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillon {

QString ConflictsPane::SettleText(basSync::Settle how, bool deletedHere)
{
    switch (how) {
    case basSync::Settle::SendMine:
        return deletedHere ? tr("Delete It Anyway") : tr("Send My Change");
    case basSync::Settle::KeepBoth:
        return tr("Keep Both");
    case basSync::Settle::DropMine:
        return deletedHere ? tr("Keep the Server's") : tr("Drop My Change");
    }
    return {};
}

ConflictsPane::ConflictsPane(CalendarList &list, QWidget *parent)
    : QGroupBox(tr("Changes the server also had"), parent), m_calendars(list)
{
    setObjectName(QStringLiteral("fraConflicts"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstConflicts"));
    m_list->setWordWrap(true);
    m_send = new QPushButton(SettleText(basSync::Settle::SendMine, false), this);
    m_send->setObjectName(QStringLiteral("cmdSendMine"));
    m_keep = new QPushButton(SettleText(basSync::Settle::KeepBoth, false), this);
    m_keep->setObjectName(QStringLiteral("cmdKeepBoth"));
    m_drop = new QPushButton(SettleText(basSync::Settle::DropMine, false), this);
    m_drop->setObjectName(QStringLiteral("cmdDropMine"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_send);
    buttons->addWidget(m_keep);
    buttons->addWidget(m_drop);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, &ConflictsPane::UpdateButtons);
    connect(m_send, &QPushButton::clicked, this, [this] { Settle(basSync::Settle::SendMine); });
    connect(m_keep, &QPushButton::clicked, this, [this] { Settle(basSync::Settle::KeepBoth); });
    connect(m_drop, &QPushButton::clicked, this, [this] { Settle(basSync::Settle::DropMine); });
    Fill();
}

void ConflictsPane::Fill()
{
    m_list->clear();
    for (const basDatabase::Conflict &conflict : m_calendars.Conflicts())
        m_list->addItem(SyncTexts::Shown(conflict.Message));
    setVisible(m_list->count() > 0);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    UpdateButtons();
}

const basDatabase::Conflict *ConflictsPane::Selected() const
{
    const int row = m_list->currentRow();
    const QList<basDatabase::Conflict> &conflicts = m_calendars.Conflicts();
    return row >= 0 && row < conflicts.size() ? &conflicts[row] : nullptr;
}

void ConflictsPane::UpdateButtons()
{
    const basDatabase::Conflict *conflict = Selected();
    const bool deleted = conflict && conflict->Delete;
    m_send->setText(SettleText(basSync::Settle::SendMine, deleted));
    m_drop->setText(SettleText(basSync::Settle::DropMine, deleted));
    // A delete left nothing here to keep beside the server's version.
    m_keep->setVisible(!deleted);
    for (QPushButton *button : {m_send, m_keep, m_drop})
        button->setEnabled(conflict != nullptr && !m_calendars.IsBusy());
}

void ConflictsPane::Settle(basSync::Settle how)
{
    const basDatabase::Conflict *conflict = Selected();
    if (!conflict)
        return;
    const QString problem = m_calendars.Settle(basDatabase::Conflict(*conflict), how);
    Fill();
    emit Settled();
    if (!problem.isEmpty())
        emit Problem(problem);
}

} // namespace quillon
