#include "CalendarRunFixture.h"

#include "EventStore.h"
#include "basTimeText.h"
#include "basQuillon.h"
#include "basSchema.h"

#include <QFile>
#include <QProcess>
#include <QThread>

namespace quillon {

namespace calendartest {

void CalendarRun::SetUp()
{
    QuillonTest::SetUp();
    env.Set("XDG_CACHE_HOME", CacheDir().toLocal8Bit());
    SetScreen(1920, 1080);
    Option("DisplayCalendarOnDesktop", QStringLiteral("1"));
}

void CalendarRun::SetScreen(int width, int height, double dpr, int logicalDpi)
{
    m_screens = TempPath(QStringLiteral("screens.json"));
    QFile file(m_screens);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("{\"screens\":[{\"name\":\"s0\",\"x\":0,\"y\":0,\"width\":%1,\"height\":%2,"
                              "\"logicalDpi\":%4,\"dpr\":%3}]}")
                   .arg(width)
                   .arg(height)
                   .arg(dpr)
                   .arg(logicalDpi)
                   .toUtf8());
}

void CalendarRun::Option(const char *name, const QString &value)
{
    basQuillon::SaveOption(QLatin1String(name), value);
}

void CalendarRun::CreateDatabase()
{
    QString error;
    ASSERT_TRUE(basSchema::CreateDatabaseFile(basDatabase::EventStore::DatabasePath(), error)) << qPrintable(error);
}

void CalendarRun::AddEvent(const QString &name, bool allDay, const QString &start, const QDate &date)
{
    basDatabase::EventStore store;
    ASSERT_TRUE(store.OpenDatabaseConnection());
    basDatabase::EventRecord event;
    event.EventName = name;
    event.AllDayEvent = allDay;
    event.StartTime = event.EndTime = basTimeText::ParseTimeText(start);
    qint64 id = 0;
    EXPECT_TRUE(store.AddEventToDatabase(event, {date}, id));
}

RunResult CalendarRun::Run(const QStringList &arguments, int killAfterMs)
{
    QProcess process;
    QProcessEnvironment childEnv = QProcessEnvironment::systemEnvironment();
    childEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + m_screens);
    childEnv.insert(QStringLiteral("QUILLON_NOW"), m_today.toString(Qt::ISODate) + QStringLiteral("T09:00:00"));
    childEnv.insert(QStringLiteral("QUILLON_NONINTERACTIVE"), QStringLiteral("1"));
    if (m_noDisplay) {
        childEnv.remove(QStringLiteral("QT_QPA_PLATFORM"));
        childEnv.remove(QStringLiteral("DISPLAY"));
        childEnv.remove(QStringLiteral("WAYLAND_DISPLAY"));
    }
    if (!m_desktopEnv.isEmpty()) {
        // Only the desktop's own display, compositor and bus: none of the host's.
        for (const char *variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK", "DBUS_SESSION_BUS_ADDRESS"})
            childEnv.remove(QLatin1String(variable));
        childEnv.insert(m_desktopEnv);
    }
    process.setProcessEnvironment(childEnv);
    const QStringList command = m_runAs + QStringList{QStringLiteral(QUILLON_PROGRAM_DIR "/calendar")} + arguments;
    process.start(command.front(), command.mid(1));
    RunResult result;
    if (!process.waitForStarted(10000))
        return result;
    if (killAfterMs >= 0) {
        QThread::msleep(static_cast<unsigned long>(killAfterMs));
        process.kill();
    }
    result.finished = process.waitForFinished(20000);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

namespace {
quint32 Crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void AppendBigEndian(QByteArray &out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

void AppendChunk(QByteArray &out, const char *type, const QByteArray &data)
{
    AppendBigEndian(out, static_cast<quint32>(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    out.append(typed);
    AppendBigEndian(out, Crc32(typed));
}
} // namespace

bool CalendarRun::WritePng(const QString &path, int width, int height, QRgb color, int rowsStored)
{
    QByteArray header;
    AppendBigEndian(header, static_cast<quint32>(width));
    AppendBigEndian(header, static_cast<quint32>(height));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, no interlace
    QByteArray row(1 + 3 * width, 0);         // filter byte 0, then the pixels
    for (int x = 0; x < width; ++x) {
        row[1 + 3 * x] = static_cast<char>(qRed(color));
        row[2 + 3 * x] = static_cast<char>(qGreen(color));
        row[3 + 3 * x] = static_cast<char>(qBlue(color));
    }
    // qCompress gives a zlib stream after a four-byte length.
    const QByteArray pixels = qCompress(row.repeated(rowsStored < 0 ? height : rowsStored), 1).mid(4);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", pixels);
    AppendChunk(png, "IEND", QByteArray());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(png) == png.size();
}

QRect CalendarRun::Box(const QImage &image, QRgb color, bool matching)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (((line[x] & 0xFFFFFF) == (color & 0xFFFFFF)) == matching)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

} // namespace calendartest

} // namespace quillon
