// The real programs: the options program's single copy, and a change made in the
// dialog reaching the desktop through the real calendar program.
#include "OptionsFixture.h"
#include "frmOptions.h"
#include "platform/basPlatform.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRadioButton>
#include <QThread>

namespace quillon {

namespace optionstest {

class OptionsProgramTest : public OptionsTest {
protected:
    QString WriteScreens(int width, int height)
    {
        const QString path = TempPath(QStringLiteral("screens.json"));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(QStringLiteral("{\"screens\":[{\"name\":\"s0\",\"x\":0,\"y\":0,\"width\":%1,\"height\":%2,"
                                  "\"logicalDpi\":96,\"dpr\":1}]}")
                       .arg(width)
                       .arg(height)
                       .toUtf8());
        return path;
    }
    static bool WaitFor(const std::function<bool()> &condition, int milliseconds)
    {
        QDeadlineTimer deadline(milliseconds);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(50);
        }
        return true;
    }
};

TEST_F(OptionsProgramTest, ASecondCopySaysTheWindowIsOpenAndEnds)
{
    QProcess first;
    first.setProgram(QStringLiteral(QUILLON_PROGRAM_DIR "/options"));
    first.start();
    ASSERT_TRUE(first.waitForStarted(10000));
    const QString lock = basPlatform::RuntimeFolder() + QStringLiteral("/quillon-options.lock");
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(lock); }, 10000));

    QProcess second;
    second.start(QStringLiteral(QUILLON_PROGRAM_DIR "/options"), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(second.readAllStandardError())
                    .contains(QLatin1String("[Quillon Desktop Calendar] The Options windows is already open.")));
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(5000);
}

TEST_F(OptionsProgramTest, InGermanAndFrenchTheSecondCopySaysSoInTheUsersLanguage)
{
    const struct {
        const char *locale;
        const char *said;
    } cases[] = {{"de_DE.UTF-8", "[Quillon Desktop-Kalender] Das Fenster \u00bbEinstellungen\u00ab ist bereits ge\u00f6ffnet."},
                 {"fr_FR.UTF-8", "[Calendrier de bureau Quillon] La fen\u00eatre des pr\u00e9f\u00e9rences est d\u00e9j\u00e0 ouverte."}};
    QProcess locales;
    locales.start(QStringLiteral("locale"), {QStringLiteral("-a")});
    locales.waitForFinished(10000);
    const QString known = QString::fromLocal8Bit(locales.readAllStandardOutput()).toLower();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.locale);
        if (!known.contains(QString::fromLatin1(c.locale).toLower().replace(QLatin1String("utf-8"), QLatin1String("utf8"))))
            GTEST_SKIP() << c.locale << " is not generated (locale-gen; .ci/install-deps does it)";
        env.Set("LC_ALL", c.locale);
        env.Set("LANG", c.locale);
        env.Unset("LANGUAGE");
        QProcess first;
        first.start(QStringLiteral(QUILLON_PROGRAM_DIR "/options"), {});
        ASSERT_TRUE(first.waitForStarted(10000));
        const QString lock = basPlatform::RuntimeFolder() + QStringLiteral("/quillon-options.lock");
        ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(lock); }, 10000));
        QProcess second;
        second.start(QStringLiteral(QUILLON_PROGRAM_DIR "/options"), {});
        ASSERT_TRUE(second.waitForFinished(10000));
        EXPECT_EQ(second.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(second.readAllStandardError());
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.said))) << said.toStdString();
        first.kill();
        first.waitForFinished(5000);
        QFile::remove(lock); // a killed copy leaves its lock behind
    }
}

TEST_F(OptionsProgramTest, OkRedrawsTheWallpaperInTheNewColourWithTheGridInTheNewCorner)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_PROGRAM_DIR "/dbcalndr.sqlite"), TempPath(QStringLiteral("dbcalndr.sqlite"))));
    // The calendar inherits this environment: its own screen, no desktop to touch.
    env.Set("QT_QPA_PLATFORM", ("offscreen:configfile=" + WriteScreens(1920, 1080)).toLocal8Bit());
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "SWAYSOCK"})
        env.Unset(name);
    Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    Store("CalendarOrientation", QStringLiteral("0"));
    Store("WallpaperColor", QStringLiteral("0"));

    // The real starter and the calendar of the program folder; the colour dialog answers.
    OptionsEnvironment environment = SystemOptionsEnvironment();
    environment.calendarProgram = QStringLiteral(QUILLON_PROGRAM_DIR "/calendar");
    environment.screenPixels = screen;
    environment.chooseColor = [](QWidget *, const QColor &) -> std::optional<QColor> { return QColor(30, 160, 90); };
    m_form = std::make_unique<frmOptions>(environment);
    frmOptions &dialog = *m_form;
    dialog.Form_Load();

    dialog.cmdWallpaperColor_Click();
    dialog.optPosition[OptionsRules::kBottomRight]->setChecked(true);
    dialog.cmdOk_Click();
    EXPECT_EQ(Stored("CalendarOrientation"), QLatin1String("4"));
    EXPECT_EQ(ReportCount(), 0);

    const QString wallpaper = TempPath(QStringLiteral("wallpaper.bmp"));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(wallpaper); }, 20000)) << "calendar wrote no wallpaper";
    const QImage image = QImage(wallpaper).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(1920, 1080));
    const QRgb background = qRgb(30, 160, 90);
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, background & 0xFFFFFF);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
                ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    // The grid hugs the bottom-right corner (grown to a readable size, it reaches past the
    // middle; the last column's and row's short texts leave room to the edges).
    EXPECT_GT(ink.left(), 1920 / 5);
    EXPECT_GT(ink.right(), 1920 * 7 / 8);
    EXPECT_GT(ink.bottom(), 1080 * 4 / 5);
}

} // namespace optionstest

} // namespace quillon
