#include "frmHelp.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quillon {

frmHelp::frmHelp(QWidget *parent)
    : QDialog(parent), m_page(new QTextBrowser(this)), m_back(new QPushButton(tr("&Back"), this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_page->setObjectName(QStringLiteral("txtPage"));
    // Our pages open here; a page elsewhere is the desktop's to open, if it can.
    m_page->setOpenLinks(false);
    m_back->setObjectName(QStringLiteral("cmdBack"));
    m_back->setEnabled(false);
    auto *contents = new QPushButton(tr("&Contents"), this);
    contents->setObjectName(QStringLiteral("cmdContents"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(contents);
    bar->addStretch(1);
    bar->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_page, 1);
    layout->addLayout(bar);

    // A page's width of text in the user's font.
    const QFontMetrics metrics = fontMetrics();
    resize(metrics.averageCharWidth() * 84, metrics.height() * 34);

    connect(m_page, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        if (link.isLocalFile() || link.isRelative())
            m_page->setSource(m_page->source().resolved(link));
        else
            QDesktopServices::openUrl(link);
    });
    connect(m_page, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_page, &QTextBrowser::sourceChanged, this, [this] { setWindowTitle(m_page->documentTitle()); });
    connect(m_back, &QPushButton::clicked, m_page, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this, [this] { m_page->setSource(m_contents); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
}

void frmHelp::ShowPage(const QUrl &page)
{
    if (m_contents.isEmpty())
        m_contents = page;
    m_page->setSource(page);
    setWindowTitle(m_page->documentTitle());
}

} // namespace quillon
