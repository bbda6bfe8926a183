#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace quillon {

// The background picture, stretched over the whole control.
class StretchedPicture : public QWidget {
public:
    explicit StretchedPicture(QWidget *parent);
    // Reads a picture file scaled to the target size (from the cache when it was read
    // before). False, with the reason naming the file, when it cannot be used (in English,
    // and in shown in the user's language).
    bool LoadPicture(const QString &path, const QSize &targetSize, QString &reason, QString *shown = nullptr);
    bool HasPicture() const { return !m_picture.isNull(); }
    // The file the picture shown was read from.
    const QString &LoadedPath() const { return m_loadedPath; }
    // Hands the picture over (to be drawn on in place); the control is empty afterwards.
    QImage TakePicture();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QString m_loadedPath;
};

} // namespace quillon
