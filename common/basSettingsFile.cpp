#include "basSettingsFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>

namespace basSettingsFile {

namespace {
// QSettings keeps what it parsed of a file for the life of the process and parses it
// again only when the size or the modification time (to the millisecond) differs. Two
// writes within one clock tick that leave the size alone would so overwrite each
// other. The value is therefore set on a private copy of the current bytes, which no
// one has parsed before; the copy sits beside the file, in the folder a write needs
// anyway. Lines QSettings cannot read are dropped, as the readers ignore them too: a
// damaged file must not stop every later write.
bool Edited(const QFileInfo &file, const QByteArray &current, const QString &key, const QString &value,
            QByteArray &edited)
{
    QTemporaryFile copy(file.absolutePath() + QStringLiteral("/.") + file.fileName() + QStringLiteral(".XXXXXX"));
    if (!copy.open() || copy.write(current) != current.size() || !copy.flush())
        return false;
    copy.close();
    {
        QSettings settings(copy.fileName(), QSettings::IniFormat);
        settings.setValue(key, value);
        settings.sync();
        if (settings.status() == QSettings::AccessError)
            return false;
    }
    // QSettings replaced the copy by renaming, so it is read again by its name.
    QFile result(copy.fileName());
    if (!result.open(QIODevice::ReadOnly))
        return false;
    edited = result.readAll();
    return true;
}
} // namespace

bool WriteValue(const QString &fileName, const QString &key, const QString &value, int lockWaitMs)
{
    const QFileInfo info(fileName);
    const QString lockName = fileName + QStringLiteral(".lock");
    // A folder in the lock's place can never be taken: fail now rather than wait.
    if (info.isDir() || QFileInfo(lockName).isDir() || !QDir().mkpath(info.absolutePath()))
        return false;
    QLockFile lock(lockName);
    if (!lock.tryLock(lockWaitMs))
        return false;

    QByteArray current;
    QDateTime previousTime;
    QFile file(fileName);
    if (file.exists()) {
        // An unreadable file is never replaced by one holding only the new value.
        if (!file.open(QIODevice::ReadOnly))
            return false;
        current = file.readAll();
        previousTime = file.fileTime(QFileDevice::FileModificationTime);
        file.close();
    }
    QByteArray edited;
    if (!Edited(info, current, key, value, edited))
        return false;

    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly) || out.write(edited) != edited.size() || !out.flush())
        return false;
    // The file system's clock ticks coarsely; a version written within the tick of the
    // one before must still look newer to a reader comparing times.
    const QDateTime written = out.fileTime(QFileDevice::FileModificationTime);
    if (previousTime.isValid() && written.isValid() && written <= previousTime)
        out.setFileTime(previousTime.addMSecs(1), QFileDevice::FileModificationTime);
    return out.commit();
}

} // namespace basSettingsFile
