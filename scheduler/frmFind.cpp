#include "frmFind.h"

#include "EventService.h"
#include "platform/basPlatform.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace quillon {

frmFind::frmFind(basDatabase::EventStore &store, QWidget *parent)
    : QDialog(parent),
      m_model([&store](const QString &text) {
          return EventService(store).Search(text, basPlatform::Today(), EventSearchModel::kMostShown);
      }),
      m_text(new QLineEdit(this)), m_list(new QTreeView(this)), m_summary(new QLabel(this)),
      m_showDay(new QPushButton(tr("&Show Day"), this))
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(tr("Find Events"));
    setModal(false);

    auto *label = new QLabel(tr("&Find:"), this);
    label->setBuddy(m_text);
    m_text->setObjectName(QStringLiteral("txtFind"));
    m_text->setPlaceholderText(tr("Name, notes or place"));
    m_text->setClearButtonEnabled(true);
    m_text->installEventFilter(this);

    m_list->setObjectName(QStringLiteral("lstFound"));
    m_list->setModel(&m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Widths from the longest texts a date and a time can have, not from the rows: a
    // column sized to its contents measures every row at every key.
    QHeaderView *header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(EventSearchModel::kEvent, QHeaderView::Stretch);
    const QFontMetrics metrics = m_list->fontMetrics();
    const int margin = m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) * 2
                       + metrics.averageCharWidth() * 2;
    FoundEvent widest;
    widest.Date = QDate(2026, 9, 30); // a long month and weekday name in most languages
    widest.StartTime = QTime(12, 30);
    widest.EndTime = QTime(10, 30);
    header->resizeSection(EventSearchModel::kDate,
                          metrics.horizontalAdvance(EventSearchModel::DateText(widest)) + margin);
    header->resizeSection(EventSearchModel::kTime,
                          metrics.horizontalAdvance(EventSearchModel::TimeText(widest)) + margin);
    header->resizeSection(EventSearchModel::kLocation, metrics.averageCharWidth() * 20);

    m_summary->setObjectName(QStringLiteral("lblFound"));
    m_showDay->setObjectName(QStringLiteral("cmdShowDay"));
    m_showDay->setDefault(true);
    m_showDay->setEnabled(false);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_showDay, QDialogButtonBox::AcceptRole);
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);

    auto *query = new QHBoxLayout;
    query->addWidget(label);
    query->addWidget(m_text, 1);
    auto *foot = new QHBoxLayout;
    foot->addWidget(m_summary, 1);
    foot->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(query);
    layout->addWidget(m_list, 1);
    layout->addLayout(foot);

    // Room for a date, a time span, a name and a place, in the user's font.
    resize(fontMetrics().averageCharWidth() * 96, fontMetrics().height() * 26);

    connect(m_text, &QLineEdit::textChanged, this, &frmFind::txtFind_Change);
    connect(m_list, &QTreeView::doubleClicked, this, &frmFind::cmdShowDay_Click);
    connect(m_showDay, &QPushButton::clicked, this, &frmFind::cmdShowDay_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void frmFind::Refresh()
{
    // The first look at a store reads every event for the search, which a large one
    // feels: it happens here, when the window opens, rather than at the first key.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    txtFind_Change();
    QApplication::restoreOverrideCursor();
    m_text->setFocus();
    m_text->selectAll();
}

void frmFind::txtFind_Change()
{
    m_model.SetQuery(m_text->text());
    if (m_model.rowCount() > 0)
        m_list->setCurrentIndex(m_model.index(0, 0));
    m_showDay->setEnabled(m_model.rowCount() > 0);
    UpdateSummary();
}

void frmFind::LookAgain()
{
    const QModelIndex current = m_list->currentIndex();
    const qint64 chosen = current.isValid() ? m_model.Found(current.row()).EventID : 0;
    txtFind_Change();
    for (int row = 0; row < m_model.rowCount(); ++row)
        if (m_model.Found(row).EventID == chosen)
            m_list->setCurrentIndex(m_model.index(row, 0));
}

bool frmFind::event(QEvent *event)
{
    // Back from the main window, where an event may have been changed or deleted.
    if (event->type() == QEvent::WindowActivate && !m_text->text().trimmed().isEmpty())
        QTimer::singleShot(0, this, &frmFind::LookAgain);
    return QDialog::event(event);
}

void frmFind::UpdateSummary() { m_summary->setText(m_model.Summary()); }

void frmFind::cmdShowDay_Click()
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid())
        return;
    const FoundEvent &found = m_model.Found(current.row());
    emit DayChosen(found.Date, found.EventID);
}

bool frmFind::eventFilter(QObject *watched, QEvent *event)
{
    // Enter is the default button's (Show Day), wherever the focus is. The arrows and page keys move through the list while the text keeps the focus.
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QApplication::sendEvent(m_list, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quillon
