#include "LauncherFixture.h"

#include "basQuillon.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace quillon {

namespace launchertest {

bool FakeTray::AddTrayIcon(const QString &tipText, QMenu *trayMenu)
{
    if (!available)
        return false;
    if (onAdd)
        onAdd();
    tip = tipText;
    menu = trayMenu;
    shown = true;
    return true;
}

void LauncherTest::SetUp()
{
    QuillonTest::SetUp();
    // Blanks in the folder: the path reaches the program whole, with no shell to split it.
    programFolder = TempPath(QStringLiteral("Program Files/Quillon"));
    ASSERT_TRUE(QDir().mkpath(programFolder));
    m_log = TempPath(QStringLiteral("started.log"));
    env.Set("QUILLON_STUB_LOG", m_log.toLocal8Bit());
    clock.now = QDateTime(QDate(2026, 12, 6), QTime(18, 46, 25));
    InstallStubs({QStringLiteral("calendar"), QStringLiteral("scheduler"), QStringLiteral("options")});
}

void LauncherTest::TearDown()
{
    launcher.reset();
    QuillonTest::TearDown();
}

void LauncherTest::InstallStubs(const QStringList &names)
{
    for (const QString &name : names) {
        const QString target = frmMain::ProgramFileIn(programFolder, name);
        QFile::remove(target);
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_record_start"), target));
        QFile(target).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

void LauncherTest::Option(const QString &name, const QString &value) { basQuillon::SaveOption(name, value); }

QString LauncherTest::StoredOption(const QString &name) const
{
    return basQuillon::GetOption(name, QStringLiteral("(missing)"));
}

frmMain &LauncherTest::NewLauncher()
{
    launcher.reset();
    LauncherServices services;
    services.programFolder = programFolder;
    services.clock = &clock;
    services.tray = &tray;
    services.askBeforeRedraw = [this] {
        ++warningsShown;
        return warningAnswer;
    };
    services.openUrl = [this](const QUrl &url) {
        openedUrls.append(url);
        return true;
    };
    services.quit = [this] { ++quitRequests; };
    services.trayRetryMs = 20;
    services.desktopWaitMs = desktopWaitMs;
    services.desktopFirstRetryMs = desktopFirstRetryMs;
    services.calendarTimeoutMs = calendarTimeoutMs;
    services.refreshCalendars = refreshCalendars;
    launcher = std::make_unique<frmMain>(services);
    return *launcher;
}

QStringList LauncherTest::StartedSoFar() const
{
    QFile file(m_log);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList LauncherTest::Started(int count)
{
    QDeadlineTimer deadline(5000);
    while (StartedSoFar().size() < count && !deadline.hasExpired())
        QTest::qWait(20);
    QTest::qWait(250);
    return StartedSoFar();
}

} // namespace launchertest

} // namespace quillon
