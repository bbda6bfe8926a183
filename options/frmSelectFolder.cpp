#include "frmSelectFolder.h"

#include "OptionsTexts.h"
#include "basOperation.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

namespace quillon {

namespace {
using basOperation::kDeviceUnavailable;
constexpr int kTreeWidth = 300;
constexpr int kTreeHeight = 260;

QString Clean(const QString &path) { return QDir::cleanPath(QDir::fromNativeSeparators(path)); }

bool Holds(const QString &place, const QString &folder)
{
    if (folder == place)
        return true;
    const QString prefix = place.endsWith(QLatin1Char('/')) ? place : place + QLatin1Char('/');
    return folder.startsWith(prefix);
}
} // namespace

frmSelectFolder::frmSelectFolder(QWidget *parent)
    : QDialog(parent), m_model(new QFileSystemModel(this))
{
    using namespace OptionsTexts;
    setWindowTitle(Tr(kSelectFolder));
    setModal(true);

    m_model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);

    Label1 = new QLabel(Tr(kLookIn), this);
    drvChange = new QComboBox(this);
    for (const QString &place : DrivePlaces())
        drvChange->addItem(QDir::toNativeSeparators(place), place);
    Label1->setBuddy(drvChange);

    dirLook = new QTreeView(this);
    dirLook->setModel(m_model);
    dirLook->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        dirLook->hideColumn(column);
    dirLook->setMinimumSize(kTreeWidth, kTreeHeight);

    Label2 = new QLabel(Tr(kFolderName), this);
    txtFolderName = new QLineEdit(this);
    Label2->setBuddy(txtFolderName);

    cmdOk = new QPushButton(Tr(kPickerOk), this);
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(Tr(kPickerCancel), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(drvChange);
    layout->addWidget(dirLook, 1);
    layout->addWidget(Label2);
    layout->addWidget(txtFolderName);
    layout->addLayout(buttons);

    connect(cmdOk, &QPushButton::clicked, this, &frmSelectFolder::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSelectFolder::cmdCancel_Click);
    connect(drvChange, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_settingDrive)
            drvChange_Change();
    });
    connect(dirLook->selectionModel(), &QItemSelectionModel::currentChanged, this, &frmSelectFolder::dirLook_Change);
    if (drvChange->count() > 0)
        ShowPlace(drvChange->itemData(0).toString());
}

QStringList frmSelectFolder::DrivePlaces()
{
    QStringList places;
    for (const QFileInfo &drive : QDir::drives())
        places << Clean(drive.absoluteFilePath());
    // One root and no drive letters: offer the user's own folders as well.
    if (places.size() <= 1) {
        for (const auto location : {QStandardPaths::HomeLocation, QStandardPaths::PicturesLocation}) {
            const QString folder = Clean(QStandardPaths::writableLocation(location));
            if (!folder.isEmpty() && QFileInfo(folder).isDir() && !places.contains(folder))
                places << folder;
        }
    }
    return places;
}

QString frmSelectFolder::PlaceOf(const QString &folder, const QStringList &places)
{
    const QString clean = Clean(folder);
    QString best;
    for (const QString &place : places)
        if (Holds(place, clean) && place.size() > best.size())
            best = place;
    return best;
}

QString frmSelectFolder::FolderName() const { return txtFolderName->text(); }

void frmSelectFolder::SetFolderName(const QString &strNewValue)
{
    // A folder that is gone (or none yet) opens at its nearest parent, or at the pictures.
    QString folder = Clean(strNewValue);
    if (strNewValue.isEmpty())
        folder = Clean(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).path();
        folder = parent == folder ? QString() : parent;
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = Clean(QDir::homePath());

    QStringList places;
    for (int i = 0; i < drvChange->count(); ++i)
        places << drvChange->itemData(i).toString();
    const QString place = PlaceOf(folder, places);
    if (!place.isEmpty() && place != m_place) {
        SelectDriveQuietly(place);
        ShowPlace(place);
    }
    const QModelIndex index = m_model->index(folder);
    if (index.isValid()) {
        dirLook->setCurrentIndex(index);
        dirLook->scrollTo(index);
    }
    // The box shows the folder even when the model has not reached it yet.
    txtFolderName->setText(QDir::toNativeSeparators(folder));
}

void frmSelectFolder::SelectDriveQuietly(const QString &place)
{
    m_settingDrive = true;
    drvChange->setCurrentIndex(drvChange->findData(place));
    m_settingDrive = false;
}

void frmSelectFolder::ShowPlace(const QString &place)
{
    // The tree lists the folders inside the place; the place itself is the name until
    // one of them is picked.
    m_place = place;
    dirLook->setRootIndex(m_model->setRootPath(place));
    dirLook->selectionModel()->clearCurrentIndex();
    txtFolderName->setText(QDir::toNativeSeparators(place));
}

void frmSelectFolder::cmdOk_Click()
{
    m_okPressed = true;
    done(QDialog::Accepted);
}

void frmSelectFolder::cmdCancel_Click()
{
    m_okPressed = false;
    done(QDialog::Rejected);
}

void frmSelectFolder::dirLook_Change()
{
    basOperation::TrapVoid("frmSelectFolder.dirLook_Change", [&](basOperation::Steps &step) {
        step(10);
        const QModelIndex current = dirLook->currentIndex();
        if (!current.isValid())
            return;
        step(20);
        txtFolderName->setText(QDir::toNativeSeparators(m_model->filePath(current)));
    });
}

void frmSelectFolder::drvChange_Change()
{
    basOperation::TrapVoid("frmSelectFolder.drvChange_Change", [&](basOperation::Steps &step) {
        step(10);
        const QString place = drvChange->currentData().toString();
        const QFileInfo info(place);
        if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
            // The folder list stays where it was, and so does the drive list.
            step(20);
            SelectDriveQuietly(m_place);
            throw OptionsTexts::Failed(kDeviceUnavailable, OptionsTexts::kDeviceUnavailable);
        }
        step(30);
        ShowPlace(place);
    });
}

void frmSelectFolder::closeEvent(QCloseEvent *event)
{
    // The title-bar close is a Cancel.
    event->ignore();
    cmdCancel_Click();
}

void frmSelectFolder::reject() { cmdCancel_Click(); }

} // namespace quillon
