#include "ImageFileList.h"

#include "OptionsTexts.h"
#include "basOperation.h"

#include <QDir>
#include <QFileInfo>
#include <QStringListModel>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <utility>

namespace quillon {

namespace {
using basOperation::kPathNotFound;

// Nothing for a folder that does not exist; unreadable folders simply give no names.
std::optional<QStringList> ReadNames(const QString &folder, const QStringList &filters)
{
    if (!QFileInfo(folder).isDir())
        return std::nullopt;
    return QDir(folder).entryList(filters, QDir::Files, QDir::Name | QDir::IgnoreCase);
}
} // namespace

ImageFileList::ImageFileList(QWidget *parent)
    : QListView(parent), m_model(new QStringListModel(this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);   // thousands of names lay out at once
    // A mouse press makes the row current before it selects it, the arrow keys the
    // other way round: only the selection answers both with the row chosen.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_programmatic && ListIndex() >= 0)
            emit Click();
    });
}

ImageFileList::~ImageFileList()
{
    // A reading still running finishes on its own; its result is dropped.
    if (m_watcher)
        m_watcher->disconnect(this);
}

void ImageFileList::SetPattern(const QString &pattern)
{
    m_filters = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

void ImageFileList::SetPath(const QString &folder, Missing missing)
{
    m_path = folder;
    m_pendingName.clear();
    ShowNames({});
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
    }
    auto *watcher = new QFutureWatcher<std::optional<QStringList>>(this);
    m_watcher = watcher;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, folder, missing = std::move(missing)] {
        if (watcher != m_watcher)
            return;
        m_watcher = nullptr;
        watcher->deleteLater();
        const std::optional<QStringList> names = watcher->result();
        if (names) {
            ShowNames(*names);
            if (!m_pendingName.isEmpty())
                SelectName(std::exchange(m_pendingName, QString()));
        } else {
            m_pendingName.clear();
            if (missing)
                missing(OptionsTexts::Failed(kPathNotFound, OptionsTexts::kPathNotFound, QDir::toNativeSeparators(folder)));
        }
        emit Listed();
    });
    watcher->setFuture(QtConcurrent::run(ReadNames, folder, m_filters));
}

void ImageFileList::ShowNames(const QStringList &names)
{
    m_programmatic = true;
    m_model->setStringList(names);
    m_programmatic = false;
}

int ImageFileList::ListCount() const { return m_model->rowCount(); }

QString ImageFileList::List(int index) const
{
    return m_model->data(m_model->index(index), Qt::DisplayRole).toString();
}

int ImageFileList::ListIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isSelected(current) ? current.row() : -1;
}

void ImageFileList::SetListIndex(int index)
{
    m_programmatic = true;
    if (index >= 0 && index < ListCount()) {
        setCurrentIndex(m_model->index(index));
        scrollTo(m_model->index(index));
    } else {
        selectionModel()->clear();
    }
    m_programmatic = false;
}

QString ImageFileList::FileName() const
{
    const int index = ListIndex();
    return index < 0 ? QString() : List(index);
}

void ImageFileList::SelectWhenListed(const QString &name)
{
    if (IsListing())
        m_pendingName = name;
    else
        SelectName(name);
}

void ImageFileList::SelectName(const QString &name)
{
    if (name.isEmpty())
        return;
    const QStringList names = m_model->stringList();
    const auto found = std::find(names.cbegin(), names.cend(), name);
    if (found != names.cend())
        SetListIndex(static_cast<int>(found - names.cbegin()));
}

} // namespace quillon
