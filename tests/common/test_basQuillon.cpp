#include "QuillonTestEnvironment.h"

#include "basQuillon.h"
#include "basRegistry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTranslator>

namespace quillon {

namespace {
using quillontest::QuillonTest;

class Settings : public QuillonTest {
protected:
    void WriteRaw(const QByteArray &contents)
    {
        const QString path = basPlatform::SettingsLocation();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(contents);
    }
};

TEST_F(Settings, RegistryRootAndKeysComeFromTheVersionData)
{
    EXPECT_EQ(basQuillon::GetRegistryRoot(), QStringLiteral("Software\\Velmora Software\\Quillon Desktop Calendar"));
    EXPECT_EQ(basQuillon::OptionsKey(), basQuillon::GetRegistryRoot() + QStringLiteral("\\Options"));
    basQuillon::SaveOption(QStringLiteral("X"), QStringLiteral("1"));
    EXPECT_TRUE(basPlatform::SettingsLocation().endsWith(
        QStringLiteral("/Velmora Software/Quillon Desktop Calendar.conf")));
    QSettings raw(basPlatform::SettingsLocation(), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Options/X")).toString(), QStringLiteral("1"));
}

TEST_F(Settings, NoStoredValuesGiveTheDefaults)
{
    const basQuillon::GeneralSettingsRecord s = basQuillon::LoadGeneralSettings();
    EXPECT_EQ(s.SchedulerBackColor, -1);
    EXPECT_EQ(s.SchedulerDurationFillColor, -1);
    EXPECT_EQ(s.DisplayCalendarOnDesktop, 0);
    EXPECT_EQ(s.ImagesLocation, QString());
    EXPECT_EQ(s.WallpaperFile, QString());
    EXPECT_EQ(s.WallpaperColor, -1);
    EXPECT_EQ(s.ChangeWallpaper, QStringLiteral("Monthly"));
    EXPECT_EQ(s.CalendarOrientation, QStringLiteral("0"));
    EXPECT_EQ(s.DisplaySchedulerOnStart, 0);
    EXPECT_EQ(s.DisplaySchedulerOnce, 0);
    EXPECT_TRUE(s.CheckForConflicts);
    EXPECT_FALSE(s.CalendarWarning);
    EXPECT_EQ(s.CalendarWarningTimeout, 30);
    EXPECT_FALSE(s.CalendarUseLiturgicalColors);
    EXPECT_EQ(s.CalendarLegibility, QStringLiteral("AutomaticKeepColours"));
    EXPECT_EQ(s.CalendarMonitors, QStringLiteral("Primary"));
    EXPECT_EQ(s, basQuillon::DefaultGeneralSettings());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Settings, SaveThenLoadGivesTheSameRecordInTheStoredForms)
{
    basQuillon::GeneralSettingsRecord r;
    r.SchedulerBackColor = 16777215;
    r.SchedulerDurationFillColor = -1;
    r.DisplayCalendarOnDesktop = 1;
    r.ImagesLocation = QStringLiteral("/home/ann/Pictures/Wall papers");
    r.WallpaperFile = QStringLiteral("/home/ann/Pictures/Wall papers/a, b's \"ü\".jpg");
    r.WallpaperColor = 8421504;
    r.ChangeWallpaper = QStringLiteral("Bi-weekly");
    r.CalendarOrientation = QStringLiteral("5");
    r.DisplaySchedulerOnStart = 1;
    r.DisplaySchedulerOnce = 1;
    r.CheckForConflicts = false;
    r.CalendarWarning = true;
    r.CalendarWarningTimeout = 0;
    r.CalendarUseLiturgicalColors = true;
    r.CalendarLegibility = QStringLiteral("Off");
    r.CalendarMonitors = QStringLiteral("All");
    r.WeekStartsOn = QStringLiteral("Saturday");
    basQuillon::SaveGeneralSettings(r);
    EXPECT_EQ(basQuillon::LoadGeneralSettings(), r);
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("CheckForConflicts"), {}), QStringLiteral("0"));
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("CalendarWarning"), {}), QStringLiteral("1"));
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("SchedulerDurationFillColor"), {}), QStringLiteral("-1"));
}

TEST_F(Settings, StoredFormsOfColoursAndBooleansRead)
{
    basQuillon::SaveOption(QStringLiteral("SchedulerBackColor"), QString());
    basQuillon::SaveOption(QStringLiteral("SchedulerDurationFillColor"), QStringLiteral("-1"));
    basQuillon::SaveOption(QStringLiteral("CheckForConflicts"), QStringLiteral("-1"));
    basQuillon::SaveOption(QStringLiteral("CalendarWarning"), QStringLiteral("TRUE"));
    basQuillon::SaveOption(QStringLiteral("CalendarUseLiturgicalColors"), QStringLiteral("false"));
    const auto s = basQuillon::LoadGeneralSettings();
    EXPECT_EQ(s.SchedulerBackColor, -1);
    EXPECT_EQ(s.SchedulerDurationFillColor, -1);
    EXPECT_TRUE(s.CheckForConflicts);
    EXPECT_TRUE(s.CalendarWarning);
    EXPECT_FALSE(s.CalendarUseLiturgicalColors);
}

TEST_F(Settings, EachBadValueTakesItsDefaultAndTheOthersStillLoad)
{
    WriteRaw("[Options]\n"
             "SchedulerBackColor=oops\n"
             "DisplayCalendarOnDesktop=1099511627776\n" // past 16 bits
             "WallpaperFile=/a/b.jpg\n"
             "WallpaperColor=255\n"
             "CalendarWarning=1\n"
             "CalendarWarningTimeout=abc\n"
             "CalendarUseLiturgicalColors=1\n");
    const auto s = basQuillon::LoadGeneralSettings();
    EXPECT_EQ(s.SchedulerBackColor, -1);
    EXPECT_EQ(s.DisplayCalendarOnDesktop, 0);
    EXPECT_EQ(s.CalendarWarningTimeout, 30);
    // The keys after each bad one load as usual.
    EXPECT_EQ(s.WallpaperFile, QStringLiteral("/a/b.jpg"));
    EXPECT_EQ(s.WallpaperColor, 255);
    EXPECT_TRUE(s.CalendarWarning);
    EXPECT_TRUE(s.CalendarUseLiturgicalColors);
    // One report names every bad key with its value, at the first bad one's step.
    ASSERT_EQ(messages.size(), 1u);
    const QString &text = messages[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("Module: \t\tbasQuillon.LoadGeneralSettings")));
    EXPECT_TRUE(text.contains(QStringLiteral("Line Number: \t30")));
    for (const char *named : {"SchedulerBackColor = \"oops\"", "DisplayCalendarOnDesktop = \"1099511627776\"",
                              "CalendarWarningTimeout = \"abc\""})
        EXPECT_TRUE(text.contains(QLatin1String(named))) << named;
    EXPECT_TRUE(ReadDataFile(QStringLiteral("error.log")).contains(QStringLiteral("CalendarWarningTimeout")));
}

TEST_F(Settings, ValuesThatAreNotTextOrAreCutReadSensibly)
{
    WriteRaw("[Options]\n"
             "ChangeWallpaper=Daily, Weekly\n"          // a list, not text: default
             "WallpaperColor=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n" // a typed value: default
             "ImagesLocation=\"/pics\\0/hidden\"\n"      // cut at the NUL
             "WallpaperFile=/a/b.jpg\n");
    const auto s = basQuillon::LoadGeneralSettings();
    EXPECT_EQ(s.ChangeWallpaper, QStringLiteral("Monthly"));
    EXPECT_EQ(s.WallpaperColor, -1);
    EXPECT_EQ(s.ImagesLocation, QStringLiteral("/pics"));
    EXPECT_EQ(s.WallpaperFile, QStringLiteral("/a/b.jpg"));
}

// A quote never closed on its line must cost only its own key: the INI reader would
// take every later line as part of that value, and the next write would keep them so.
TEST_F(Settings, AnUnclosedQuoteCostsOnlyItsOwnKey)
{
    WriteRaw("[Options]\n"
             "DayNameFont=\"Arial\n"
             "WallpaperFile=\"/a/b c.jpg\" ; a comment with a \" in it\n"
             "ImagesLocation=/pics/\\\"quoted\\\"\n"
             "WallpaperColor=255\r\n"
             "[General]\n"
             "Other=1\n");
    const auto s = basQuillon::LoadGeneralSettings();
    EXPECT_EQ(s.WallpaperFile, QStringLiteral("/a/b c.jpg"));
    EXPECT_EQ(s.ImagesLocation, QStringLiteral("/pics/\"quoted\""));
    EXPECT_EQ(s.WallpaperColor, 255);
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("DayNameFont"), QStringLiteral("default")), QStringLiteral("default"));

    // A write keeps every other key as it was; the damaged line is gone for good.
    ASSERT_TRUE(basQuillon::SaveOption(QStringLiteral("CalendarOrientation"), QStringLiteral("3")));
    QFile file(basPlatform::SettingsLocation());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_FALSE(written.contains("Arial"));
    EXPECT_TRUE(written.contains("[General]\nOther=1")) << written.toStdString();
    const auto after = basQuillon::LoadGeneralSettings();
    EXPECT_EQ(after.WallpaperFile, s.WallpaperFile);
    EXPECT_EQ(after.ImagesLocation, s.ImagesLocation);
    EXPECT_EQ(after.WallpaperColor, 255);
    EXPECT_EQ(after.CalendarOrientation, QStringLiteral("3"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(Settings, GarbageOrUnreadableFileGivesDefaults)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 131 + 7) % 256));
    WriteRaw(garbage);
    EXPECT_EQ(basQuillon::LoadGeneralSettings(), basQuillon::DefaultGeneralSettings());
    // A damaged file does not stop the next write.
    EXPECT_TRUE(basQuillon::SaveOption(QStringLiteral("CalendarOrientation"), QStringLiteral("3")));
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("CalendarOrientation"), QString()), QStringLiteral("3"));

    QFile::remove(basPlatform::SettingsLocation());
    ASSERT_TRUE(QDir().mkpath(basPlatform::SettingsLocation())); // a folder in its place
    messages.clear();
    EXPECT_EQ(basQuillon::LoadGeneralSettings(), basQuillon::DefaultGeneralSettings());
    ASSERT_EQ(messages.size(), 1u); // said once, naming the folder
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("is a folder")));
    {
        // In the user's language in the box; error.log keeps the English.
        struct German : QTranslator {
            QString translate(const char *context, const char *source, const char *, int) const override
            {
                return qstrcmp(context, "basRegistry") == 0 && qstrcmp(source, "%1 is a folder, not a settings file") == 0
                           ? QStringLiteral("%1 ist ein Ordner, keine Einstellungsdatei")
                           : QString();
            }
            bool isEmpty() const override { return false; }
        } german;
        QCoreApplication::installTranslator(&german);
        messages.clear();
        basQuillon::LoadGeneralSettings();
        QCoreApplication::removeTranslator(&german);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].text.contains(QStringLiteral("ist ein Ordner, keine Einstellungsdatei"))) << qPrintable(messages[0].text);
        const QString log = ReadDataFile(QStringLiteral("error.log"));
        EXPECT_TRUE(log.contains(QStringLiteral("is a folder, not a settings file")));
        EXPECT_FALSE(log.contains(QStringLiteral("Einstellungsdatei")));
    }
    EXPECT_FALSE(basQuillon::SaveOption(QStringLiteral("CalendarOrientation"), QStringLiteral("3")));
    // A whole-record save that cannot write reports once, not once per value.
    messages.clear();
    basQuillon::SaveGeneralSettings(basQuillon::DefaultGeneralSettings());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("basQuillon.SaveGeneralSettings")));

    // A folder where the file's write lock goes is a failed write, not a wait forever.
    ASSERT_TRUE(QDir().rmdir(basPlatform::SettingsLocation()));
    ASSERT_TRUE(QDir().mkpath(basPlatform::SettingsLocation() + QStringLiteral(".lock")));
    EXPECT_FALSE(basQuillon::SaveOption(QStringLiteral("CalendarOrientation"), QStringLiteral("3")));
}

TEST_F(Settings, TwoProcessesWritingAtOnceLoseNothing)
{
    const QString writer = QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_settings_writer");
    QProcess a, b;
    a.start(writer, {QStringLiteral("A"), QStringLiteral("500")});
    b.start(writer, {QStringLiteral("B"), QStringLiteral("500")});
    ASSERT_TRUE(a.waitForFinished(120000));
    ASSERT_TRUE(b.waitForFinished(120000));
    ASSERT_EQ(a.exitCode(), 0);
    ASSERT_EQ(b.exitCode(), 0);
    QSettings raw(basPlatform::SettingsLocation(), QSettings::IniFormat);
    int found = 0;
    for (int i = 0; i < 500; ++i)
        for (const char *prefix : {"Options/A", "Options/B"})
            found += raw.value(QLatin1String(prefix) + QString::number(i)).toString() == QString::number(i * 7);
    EXPECT_EQ(found, 1000);
}

// Another program's write in the same clock tick that leaves the file's size alone
// looks, by size and time, like no change at all; it must still survive our next write,
// and a reader must see our write.
TEST_F(Settings, AWriteThatLooksLikeNoChangeIsKept)
{
    ASSERT_TRUE(basQuillon::SaveOption(QStringLiteral("A"), QStringLiteral("1")));
    ASSERT_EQ(basQuillon::GetOption(QStringLiteral("A"), QString()), QStringLiteral("1"));
    QFile file(basPlatform::SettingsLocation());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime time = file.fileTime(QFileDevice::FileModificationTime);
    QByteArray bytes = file.readAll();
    bytes.replace("A=1", "A=2");
    file.seek(0);
    file.write(bytes);
    file.flush();
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    file.close();

    ASSERT_TRUE(basQuillon::SaveOption(QStringLiteral("B"), QStringLiteral("3")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("A=2")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("B=3")) << bytes.constData();
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("A"), QString()), QStringLiteral("2"));
}

TEST(LiturgicalColor, ExactNamesOnly)
{
    EXPECT_EQ(basQuillon::LiturgicalColorFromName(QStringLiteral("Green")), 32768);
    EXPECT_EQ(basQuillon::LiturgicalColorFromName(QStringLiteral("Purple")), 8388736);
    EXPECT_EQ(basQuillon::LiturgicalColorFromName(QStringLiteral("Red")), 255);
    EXPECT_EQ(basQuillon::LiturgicalColorFromName(QStringLiteral("White")), 16777215);
    EXPECT_EQ(basQuillon::LiturgicalColorFromName(QStringLiteral("Gray")), 8421504);
    EXPECT_EQ(basQuillon::LiturgicalColorFromName(QStringLiteral("green")), 0);
    EXPECT_EQ(basQuillon::LiturgicalColorFromName(QString()), 0);
    EXPECT_EQ(basQuillon::LiturgicalColorFromName(QStringLiteral("Grey")), 0);
}
} // namespace

} // namespace quillon
