// Options start to dialog shown, with a pictures folder of 5,000 files, one of them a
// full-HD photo that is the current wallpaper; and the settings written on OK.
//
//   bench_options [benchmark flags]     each iteration starts a fresh process of itself
//                                        that runs the options program's start and
//                                        reports the moment the dialog is on the screen
//                                        with the folder's names in its list
//
// The platform is whatever QT_QPA_PLATFORM says (offscreen when there is no display).
#include "ImageFileList.h"
#include "OptionsEnvironment.h"
#include "basMessageBox.h"
#include "basQuillon.h"
#include "frmOptions.h"
#include "platform/basPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>

extern char **environ;

namespace quillon {

namespace {

constexpr int kPictureFiles = 5000;
constexpr auto kChildFlag = "--shown-child";

std::int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The child: what the options program does at start, up to the dialog being shown
// with its list filled; then it writes the moment into the file named.
int ShownChild(int argc, char **argv, const char *timeFile)
{
    QApplication app(argc, argv);
    basMessageBox::Install();
    if (basPlatform::PreviousInstanceRunning(QStringLiteral("options")))
        return 2;
    frmOptions form(SystemOptionsEnvironment());
    form.Form_Load();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form, 10000))
        return 3;
    if (form.lstImages->IsListing()) {
        QSignalSpy listed(form.lstImages, &ImageFileList::Listed);
        if (!listed.wait(10000))
            return 4;
    }
    QCoreApplication::processEvents();   // the filled list drawn
    const std::int64_t shown = Now();
    if (form.lstImages->ListCount() != kPictureFiles)
        return 5;
    QFile file(QString::fromLocal8Bit(timeFile));
    if (!file.open(QIODevice::WriteOnly))
        return 6;
    file.write(QByteArray::number(static_cast<qlonglong>(shown)));
    return 0;
}

struct Fixture {
    QTemporaryDir dir;
    QString timeFile;
    Fixture()
    {
        const QString root = dir.path();
        const QString pictures = root + QStringLiteral("/Pictures");
        QDir().mkpath(pictures);
        QImage photo(1920, 1080, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        // Only the current wallpaper is read; the others are listed by name.
        for (int i = 0; i < kPictureFiles; ++i) {
            const QString name = pictures + QStringLiteral("/photo %1.jpg").arg(i, 4, 10, QLatin1Char('0'));
            if (i == 2500)
                photo.save(name, "JPG", 85);
            else
                QFile(name).open(QIODevice::WriteOnly);
        }
        qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", root.toLocal8Bit());
        qputenv("QUILLON_DATA_DIR", root.toLocal8Bit());
        qputenv("QUILLON_NONINTERACTIVE", "1");
        basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
        basQuillon::SaveOption(QStringLiteral("ImagesLocation"), pictures);
        basQuillon::SaveOption(QStringLiteral("WallpaperFile"), pictures + QStringLiteral("/photo 2500.jpg"));
        timeFile = root + QStringLiteral("/shown");
    }
};

void BM_OptionsStartToShown(benchmark::State &state)
{
    static Fixture fixture;
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    const QByteArray timeFile = fixture.timeFile.toLocal8Bit();
    double cpuSeconds = 0;
    for (auto _ : state) {
        QFile::remove(fixture.timeFile);
        char *argv[] = {const_cast<char *>(self.constData()), const_cast<char *>(kChildFlag),
                        const_cast<char *>(timeFile.constData()), nullptr};
        const std::int64_t start = Now();
        pid_t pid = 0;
        int status = -1;
        rusage usage{};
        if (posix_spawn(&pid, self.constData(), nullptr, nullptr, argv, environ) == 0)
            wait4(pid, &status, 0, &usage);
        cpuSeconds += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
            + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        QFile file(fixture.timeFile);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("the options start failed");
            return;
        }
        const std::int64_t shown = file.readAll().toLongLong();
        state.SetIterationTime(static_cast<double>(shown - start) / 1e9);
    }
    // The child's own processor time (the whole run, exit included): what the start
    // costs when the machine is not shared.
    state.counters["child_cpu_ms"] = cpuSeconds * 1000.0 / static_cast<double>(state.iterations());
}

BENCHMARK(BM_OptionsStartToShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// What OK costs in the settings store: every general setting written, each at once.
void BM_OkWritesEverySetting(benchmark::State &state)
{
    static Fixture fixture;
    basQuillon::GeneralSettingsRecord record = basQuillon::LoadGeneralSettings();
    for (auto _ : state) {
        record.CalendarWarningTimeout = record.CalendarWarningTimeout == 30 ? 45 : 30;
        basQuillon::SaveGeneralSettings(record);
    }
}

BENCHMARK(BM_OkWritesEverySetting)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int Main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], kChildFlag) == 0)
        return ShownChild(argc, argv, argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
