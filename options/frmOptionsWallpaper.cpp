// The Wallpaper page (a picture from the images folder, or a plain colour, and how
// often the picture changes) and the Orientation page (where the grid sits).
#include "frmOptions.h"

#include "ImageFileList.h"
#include "OptionsRules.h"
#include "OptionsTexts.h"
#include "basColor.h"
#include "basOperation.h"
#include "frmSelectFolder.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtConcurrent/QtConcurrentRun>

#include <optional>

namespace quillon {

using basOperation::Steps;

struct WallpaperRead {
    bool exists = false;
    QImage image;
    std::optional<basOperation::Failure> failure;
};

namespace {
using basOperation::kInvalidPicture;

// The stored picture is read off the GUI thread, as it may lie on a share that does not
// answer; a picture clicked in the list is read at once, from a folder that has just
// answered. Read straight at the preview's size: a photo of many megapixels loads quickly.
WallpaperRead ReadWallpaper(const QString &path, const QSize &box)
{
    WallpaperRead read;
    const QFileInfo file(path);
    read.exists = file.exists();
    if (!file.isFile()) {
        read.failure = OptionsTexts::Failed(basOperation::kFileNotFound, OptionsTexts::kFileNotFound, path);
        return read;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (reader.size().isValid() && !box.isEmpty())
        reader.setScaledSize(box);
    read.image = reader.read();
    if (read.image.isNull())
        read.failure = OptionsTexts::Failed(kInvalidPicture, OptionsTexts::kInvalidPicture, path);
    return read;
}

// A folder found missing off the GUI thread is reported under the operation that
// asked for it, at the step it had reached.
ImageFileList::Missing ReportUnder(const char *operation, int step)
{
    return [operation, step](const basOperation::Failure &failure) {
        basOperation::TrapVoid(operation, [&](Steps &at) {
            at(step);
            throw failure;
        });
    };
}
} // namespace

void frmOptions::PopulateWallpaperList()
{
    if (!m_settings.ImagesLocation.isEmpty())
        lstImages->SetPath(m_settings.ImagesLocation, ReportUnder("frmOptions.PopulateControls", 0));
}

void frmOptions::PopulateWallpaperPreview()
{
    txtImagesFolder->setText(m_settings.ImagesLocation);
    if (m_settings.WallpaperFile.isEmpty()) {
        for (QWidget *control : std::initializer_list<QWidget *>{fraLocation, txtImagesFolder, fraChangeWallpaper,
                                                                 cboChangeWallpaper})
            control->setEnabled(false);
        return;
    }
    // A picture is set: it wins over the colour, and the folder controls are on. A
    // picture that cannot be shown is reported; the page is still filled.
    m_settings.WallpaperColor = basColor::kNoColor;
    lblWallpaper->hide();
    for (QWidget *control : std::initializer_list<QWidget *>{fraLocation, txtImagesFolder, lstImages,
                                                             fraChangeWallpaper, cboChangeWallpaper})
        control->setEnabled(true);
    ReadStoredWallpaper(m_settings.WallpaperFile);
}

void frmOptions::ReadStoredWallpaper(const QString &path)
{
    auto *watcher = new QFutureWatcher<WallpaperRead>(this);
    m_wallpaperRead = watcher;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, path] {
        watcher->deleteLater();
        // A picture or colour chosen meanwhile wins over the stored one.
        if (watcher != m_wallpaperRead)
            return;
        m_wallpaperRead = nullptr;
        basOperation::TrapVoid("frmOptions.PopulateControls", [&](Steps &) {
            const WallpaperRead read = watcher->result();
            // Its name is selected once the folder has been read, even when the picture
            // itself lies in another folder.
            if (read.exists)
                lstImages->SelectWhenListed(QFileInfo(path).fileName());
            ShowWallpaperPicture(read);
        });
    });
    watcher->setFuture(QtConcurrent::run(ReadWallpaper, path, PreviewSize()));
}

void frmOptions::PopulateWallpaperState()
{
    if (m_settings.WallpaperColor >= 0) {
        ShowWallpaperSwatch(m_settings.WallpaperColor);
        for (QWidget *control : std::initializer_list<QWidget *>{txtImagesFolder, lstImages, cboChangeWallpaper})
            control->setEnabled(false);
    }
    // A period the list does not offer means no change, as the calendar reads it.
    int index = cboChangeWallpaper->findData(m_settings.ChangeWallpaper);
    if (index < 0)
        index = cboChangeWallpaper->findData(QLatin1String(OptionsTexts::kNoRotation));
    cboChangeWallpaper->setCurrentIndex(index);
}

QSize frmOptions::PreviewSize() const
{
    return imgWallpaper->parentWidget()->contentsRect().size() * devicePixelRatioF();
}

void frmOptions::ShowWallpaperPicture(const WallpaperRead &read)
{
    if (read.failure)
        throw *read.failure;
    QPixmap pixmap = QPixmap::fromImage(read.image);
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    imgWallpaper->setPixmap(pixmap);
    imgWallpaper->show();
}

void frmOptions::ShowWallpaperSwatch(std::int32_t color)
{
    imgWallpaper->hide();
    QPalette palette = lblWallpaper->palette();
    palette.setColor(QPalette::Window, basColor::ToQColor(color));
    lblWallpaper->setPalette(palette);
    lblWallpaper->show();
}

void frmOptions::lstImages_Click()
{
    if (m_loading || lstImages->ListIndex() < 0)
        return;
    basOperation::TrapVoid("frmOptions.lstImages_Click", [&](Steps &step) {
        step(10);
        const QString path = QDir::toNativeSeparators(QDir(lstImages->Path()).filePath(lstImages->FileName()));
        step(20);
        lblWallpaper->hide();
        ShowWallpaperPicture(ReadWallpaper(path, PreviewSize()));
        m_wallpaperRead = nullptr;
        step(30);
        m_settings.WallpaperFile = path;
        m_settings.WallpaperColor = basColor::kNoColor;
        step(40);
        MarkChanged();
    });
}

void frmOptions::cmdWallpaperColor_Click()
{
    basOperation::TrapVoid("frmOptions.cmdWallpaperColor_Click", [&](Steps &step) {
        step(10);
        const std::int32_t color = SelectColor(m_settings.WallpaperColor);
        step(20);
        if (color == basColor::kNoColor)
            return;
        step(30);
        m_wallpaperRead = nullptr;
        ShowWallpaperSwatch(color);
        step(40);
        m_settings.WallpaperFile.clear();
        m_settings.WallpaperColor = color;
        step(50);
        for (QWidget *control : std::initializer_list<QWidget *>{lstImages, fraChangeWallpaper, txtImagesFolder,
                                                                 fraLocation, cboChangeWallpaper})
            control->setEnabled(false);
        MarkChanged();
    });
}

void frmOptions::cmdBrowse_Click()
{
    basOperation::TrapVoid("frmOptions.cmdBrowse_Click", [&](Steps &step) {
        step(10);
        if (!m_picker)
            m_picker = new frmSelectFolder(this);
        // The folder as last loaded or saved, not the text in the box.
        m_picker->SetFolderName(m_settings.ImagesLocation);
        step(20);
        m_environment.showFolderPicker(*m_picker);
        step(30);
        if (!m_picker->OkPressed())
            return;
        // The folder reaches the settings from the box on Apply or OK; the picture
        // and colour stay as they are until a picture is picked.
        step(40);
        lblWallpaper->hide();
        imgWallpaper->show();
        fraLocation->setEnabled(true);
        step(50);
        txtImagesFolder->setText(m_picker->FolderName());
        txtImagesFolder->setEnabled(true);
        step(60);
        lstImages->SetPath(m_picker->FolderName(), ReportUnder("frmOptions.cmdBrowse_Click", step.last()));
        lstImages->setEnabled(true);
        step(70);
        fraChangeWallpaper->setEnabled(true);
        cboChangeWallpaper->setEnabled(true);
    });
}

void frmOptions::cboChangeWallpaper_Click() { MarkChanged(); }

void frmOptions::PopulatePositionOption()
{
    optPosition[OptionsRules::PositionFromCode(m_settings.CalendarOrientation)]->setChecked(true);
    cboMonitors->setCurrentIndex(cboMonitors->findData(QLatin1String(
        basQuillon::CalendarOnEveryMonitor(m_settings.CalendarMonitors) ? basQuillon::kMonitorsAll
                                                                         : basQuillon::kMonitorsPrimary)));
}

void frmOptions::optPosition_Click(int)
{
    // Full Screen marks the dialog changed like the other five: it changes what is saved.
    MarkChanged();
}

} // namespace quillon
