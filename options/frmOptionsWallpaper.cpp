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
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using basOperation::Steps;

namespace {
constexpr int kInvalidPicture = 481;
} // namespace

void frmOptions::PopulateWallpaperList()
{
    if (!m_settings.ImagesLocation.isEmpty())
        lstImages->SetPath(m_settings.ImagesLocation);
}

void frmOptions::PopulateWallpaperPreview()
{
    // The stored picture's name is selected once the folder has been read, even when
    // the picture itself lies in another folder.
    const QFileInfo picture(m_settings.WallpaperFile);
    lstImages->SelectWhenListed(!m_settings.WallpaperFile.isEmpty() && picture.exists() ? picture.fileName()
                                                                                      : QString());
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
    ShowWallpaperPicture(m_settings.WallpaperFile);
}

void frmOptions::PopulateWallpaperState()
{
    if (m_settings.WallpaperColor >= 0) {
        ShowWallpaperSwatch(m_settings.WallpaperColor);
        for (QWidget *control : std::initializer_list<QWidget *>{txtImagesFolder, lstImages, cboChangeWallpaper})
            control->setEnabled(false);
    }
    // A period the list does not offer means no change, as the calendar reads it.
    int index = cboChangeWallpaper->findText(m_settings.ChangeWallpaper, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        index = cboChangeWallpaper->findText(QLatin1String(OptionsTexts::kNoRotation));
    cboChangeWallpaper->setCurrentIndex(index);
}

void frmOptions::ShowWallpaperPicture(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw basOperation::Failure(basOperation::kFileNotFound, QStringLiteral("File not found: ") + path);
    // Read straight at the preview's size: a photo of many megapixels loads quickly.
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize box = imgWallpaper->parentWidget()->contentsRect().size() * devicePixelRatioF();
    if (reader.size().isValid() && !box.isEmpty())
        reader.setScaledSize(box);
    const QImage image = reader.read();
    if (image.isNull())
        throw basOperation::Failure(kInvalidPicture, QStringLiteral("Invalid picture: ") + path);
    QPixmap pixmap = QPixmap::fromImage(image);
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
        ShowWallpaperPicture(path);
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
        lstImages->SetPath(m_picker->FolderName());
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
}

void frmOptions::optPosition_Click(int)
{
    // Full Screen marks the dialog changed like the other five: it changes what is saved.
    MarkChanged();
}
