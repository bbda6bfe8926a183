#include "frmWarning.h"

#include "ApplicationIcon.h"
#include "basConvert.h"
#include "basFormControl.h"
#include "basOperation.h"
#include "basQuillon.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace quillon {

namespace {
QLabel *WrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}
} // namespace

std::int32_t frmWarning::ReadTimeout()
{
    // A text that is not a number would otherwise stop every day's redraw for good;
    // it counts as no timeout instead.
    return basOperation::TrapSilently<std::int32_t>(0, [](basOperation::Steps &) {
        return basConvert::ToInt32(basQuillon::GetOption(QStringLiteral("CalendarWarningTimeout"),
                                                         QStringLiteral("0")));
    });
}

frmWarning::frmWarning(QWidget *parent)
    : QDialog(parent),
      m_lblTop(WrappedLabel(tr(kTopText), this)),
      m_lblOk(WrappedLabel(QString(), this)),
      m_lblLater(WrappedLabel(tr(kLaterText), this)),
      m_cmdOK(new QPushButton(tr("OK"), this)),
      m_cmdLater(new QPushButton(tr("Later"), this))
{
    setObjectName(QStringLiteral("frmWarning"));
    m_lblTop->setObjectName(QStringLiteral("lblTop"));
    m_lblOk->setObjectName(QStringLiteral("lblOk"));
    m_lblLater->setObjectName(QStringLiteral("lblLater"));
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdLater->setObjectName(QStringLiteral("cmdLater"));
    setWindowTitle(kCaption);
    setWindowIcon(ApplicationIcon::Icon());
    setModal(true);

    auto *Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    QFont bold = m_lblTop->font();
    bold.setBold(true);
    m_lblTop->setFont(bold);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdLater);
    auto *layout = new QGridLayout(this);
    layout->addWidget(Image1, 0, 0, 3, 1);
    layout->addWidget(m_lblTop, 0, 1);
    layout->addWidget(m_lblOk, 1, 1);
    layout->addWidget(m_lblLater, 2, 1);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(460);
    m_cmdOK->setDefault(true);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmWarning::cmdOK_Click);
    connect(m_cmdLater, &QPushButton::clicked, this, &frmWarning::cmdLater_Click);
    connect(&m_timer, &QTimer::timeout, this, &frmWarning::Timer_Timer);

    m_okPressed = false;
    m_secondsLeft = ReadTimeout();
    if (m_secondsLeft < 1) {
        m_lblOk->setText(tr(kOkText));
        m_cmdOK->setText(tr("OK"));
    } else {
        m_lblOk->setText(tr(kOkCountdownText));
        ShowSecondsLeft();
        m_timer.setInterval(kTickMs);
        m_timer.start();
    }
    // Its own size before the stay-on-top flag keeps whatever geometry it has.
    adjustSize();
    if (const int height = heightForWidth(width()); height > 0)
        resize(width(), height);
    basFormControl::SetAlwaysOnTop(*this);
}

void frmWarning::ShowSecondsLeft()
{
    //: The button with the seconds left before the calendar is changed.
    m_cmdOK->setText((m_secondsLeft < 2 ? tr("OK (%1 second)") : tr("OK (%1 seconds)")).arg(m_secondsLeft));
}

void frmWarning::Timer_Timer()
{
    --m_secondsLeft;
    if (m_secondsLeft < 1) {
        m_timer.stop();
        cmdOK_Click();
    } else {
        ShowSecondsLeft();
    }
}

void frmWarning::cmdOK_Click()
{
    m_okPressed = true;
    m_timer.stop();
    done(QDialog::Accepted);
}

void frmWarning::cmdLater_Click()
{
    m_okPressed = false;
    m_timer.stop();
    done(QDialog::Rejected);
}

void frmWarning::reject()
{
    // Escape, like the close box, means "Later".
    cmdLater_Click();
}

void frmWarning::closeEvent(QCloseEvent *event)
{
    if (!isVisible()) {
        QDialog::closeEvent(event);
        return;
    }
    // The close box counts as "Later"; the dialog is only hidden, for the caller to read.
    cmdLater_Click();
    event->ignore();
}

} // namespace quillon
