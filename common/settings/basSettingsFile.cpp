#include "basSettingsFile.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>
#include <QThread>

namespace quillon {

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
    const QByteArray readable = WithoutUnclosedQuotes(current);
    if (!copy.open() || copy.write(readable) != readable.size() || !copy.flush())
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

QByteArray WithoutUnclosedQuotes(const QByteArray &text)
{
    // Scans as the INI reader does: a backslash escapes the next character (a line
    // ending too, which continues the line), a ';' outside quotes starts a comment, and
    // a line ends at a line break outside quotes. A line break inside quotes is never
    // written by a settings writer, so the line before it is damaged.
    QByteArray kept;
    qsizetype lineStart = 0;
    bool inQuotes = false;
    bool inComment = false;
    bool damaged = false;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char ch = text.at(i);
        if (ch == '\\' && !inComment) {
            ++i;
            // A backslash before CR LF (or LF CR) continues the line over both.
            if (i + 1 < size && ((text.at(i) == '\r' && text.at(i + 1) == '\n') || (text.at(i) == '\n' && text.at(i + 1) == '\r')))
                ++i;
            continue;
        }
        if (ch == '\n' || ch == '\r') {
            if (inQuotes) {
                damaged = true;
                inQuotes = false;
                lineStart = i + 1; // the damaged line is left out
                continue;
            }
            inComment = false;
            kept.append(text.constData() + lineStart, i + 1 - lineStart);
            lineStart = i + 1;
        } else if (!inComment && ch == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && ch == ';') {
            inComment = true;
        }
    }
    if (inQuotes)
        damaged = true;
    else
        kept.append(text.constData() + lineStart, size - lineStart);
    return damaged ? kept : text;
}

bool WriteValue(const QString &fileName, const QString &key, const QString &value, int lockWaitMs)
{
    const QFileInfo info(fileName);
    const QString lockName = fileName + QStringLiteral(".lock");
    // A folder in the lock's place can never be taken: fail now rather than wait.
    if (info.isDir() || QFileInfo(lockName).isDir() || !QDir().mkpath(info.absolutePath()))
        return false;
    QLockFile lock(lockName);
    // QLockFile's own wait doubles its pauses up to seconds, so a program writing many
    // values in a row keeps the lock from one that waits until that one gives up. Asking
    // again every few milliseconds gives both their turns.
    const QDeadlineTimer deadline(lockWaitMs);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            return false;
        QThread::msleep(QRandomGenerator::global()->bounded(2, 10));
    }

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

namespace {
// Settings read from a copy of repaired text; the copy lives as long as the settings.
struct RepairedCopy {
    explicit RepairedCopy(const QByteArray &text)
    {
        if (copy.open()) {
            copy.write(text);
            copy.flush();
        }
    }
    QTemporaryFile copy;
};

class RepairedSettings : private RepairedCopy, public QSettings {
public:
    explicit RepairedSettings(const QByteArray &text)
        : RepairedCopy(text), QSettings(copy.fileName(), QSettings::IniFormat)
    {
    }
};
} // namespace

std::unique_ptr<QSettings> Open(const QString &fileName)
{
    if (QFileInfo(fileName + QStringLiteral(".lock")).isDir())
        return std::make_unique<QSettings>(QStringLiteral("/dev/null/unusable.conf"), QSettings::IniFormat);
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll();
        const QByteArray readable = WithoutUnclosedQuotes(text);
        if (readable.size() != text.size())
            return std::make_unique<RepairedSettings>(readable);
    }
    return std::make_unique<QSettings>(fileName, QSettings::IniFormat);
}

} // namespace basSettingsFile

} // namespace quillon
