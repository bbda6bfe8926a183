#include "frmAbout.h"

#include "basOperation.h"
#include "basToolbarIcons.h"
#include "quillonVersion.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QSysInfo>

namespace quillon {

namespace {
QString SystemName()
{
    const QString kernel = QSysInfo::kernelType();
    if (kernel == QLatin1String("winnt"))
        return QStringLiteral("Windows");
    if (kernel == QLatin1String("linux"))
        return QStringLiteral("Linux");
    if (kernel == QLatin1String("darwin"))
        return QStringLiteral("macOS");
    return QSysInfo::productType();
}
} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent), m_icon(new QLabel(this)), m_title(new QLabel(this)), m_version(new QLabel(this)),
      m_description(new QLabel(this)), m_disclaimer(new QLabel(this)), m_ok(new QPushButton(tr("OK"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    m_icon->setObjectName(QStringLiteral("picIcon"));
    m_title->setObjectName(QStringLiteral("lblTitle"));
    m_version->setObjectName(QStringLiteral("lblVersion"));
    m_description->setObjectName(QStringLiteral("lblDescription"));
    m_disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    m_ok->setObjectName(QStringLiteral("cmdOK"));

    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_disclaimer->setWordWrap(true);
    m_icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_icon, 0, 0, 3, 1);
    layout->addWidget(m_title, 0, 1);
    layout->addWidget(m_version, 1, 1);
    layout->addWidget(m_description, 2, 1, Qt::AlignTop);
    layout->addWidget(m_disclaimer, 3, 0, 1, 2);
    layout->addWidget(m_ok, 4, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    layout->setRowMinimumHeight(2, m_description->sizeHint().height() * 2); // air above the notice
    layout->setHorizontalSpacing(12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_disclaimer->setFixedWidth(360);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::close);
    Form_Load();
}

QString frmAbout::VersionText()
{
    return tr("Version %1.%2.%3").arg(QUILLON_VERSION_MAJOR).arg(QUILLON_VERSION_MINOR).arg(QUILLON_VERSION_BUILD);
}

QString frmAbout::DescriptionText()
{
    return tr("Desktop Calendar/Schedule for ") + SystemName();
}

QString frmAbout::DisclaimerText()
{
    return tr("Warning: this computer program is protected by copyright law and international "
                          "treaties; unauthorized reproduction or distribution of it, or of any part of it, "
                          "is prohibited.");
}

void frmAbout::Form_Load()
{
    basOperation::TrapVoid("frmAbout.Form_Load", [&](basOperation::Steps &step) {
        step(10);
        const QString product = QStringLiteral(QUILLON_PRODUCT_NAME);
        setWindowTitle(tr("About ") + product);
        step(20);
        const int side = style()->pixelMetric(QStyle::PM_LargeIconSize) * 3 / 2;
        m_icon->setPixmap(basToolbarIcons::ProgramIcon()
                              .pixmap(QSize(side, side), devicePixelRatio()));
        step(30);
        m_title->setText(product);
        step(40);
        m_version->setText(VersionText());
        step(50);
        m_description->setText(DescriptionText());
        step(60);
        m_disclaimer->setText(DisclaimerText());
    });
}

} // namespace quillon
