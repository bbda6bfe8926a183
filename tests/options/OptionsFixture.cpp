#include "OptionsFixture.h"

#include "ImageFileList.h"
#include "basErrorHandler.h"
#include "basQuillon.h"
#include "frmSelectFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

namespace quillon {

namespace optionstest {

void OptionsTest::SetUp()
{
    QuillonTest::SetUp();
    folderPicker = [](frmSelectFolder &picker) { picker.cmdCancel_Click(); };
}

void OptionsTest::TearDown()
{
    m_form.reset();
    QuillonTest::TearDown();
}

frmOptions &OptionsTest::Open()
{
    Load();
    WaitForImageList();
    return *m_form;
}

frmOptions &OptionsTest::Load()
{
    OptionsEnvironment environment;
    environment.calendarProgram = calendarProgram;
    environment.screenPixels = screen;
    environment.logicalDpi = 96;
    environment.startProgram = [this](const QString &program, const QStringList &arguments) {
        started.push_back({program, arguments});
        return startResult;
    };
    environment.chooseColor = [this](QWidget *, const QColor &initial) -> std::optional<QColor> {
        colorDialogStarts.push_back(initial);
        if (colorAnswers.empty())
            return std::nullopt;
        auto answer = colorAnswers.front();
        colorAnswers.pop_front();
        return answer;
    };
    environment.chooseFont = [this](QWidget *, const QFont &) -> std::optional<QFont> {
        if (fontAnswers.empty())
            return std::nullopt;
        auto answer = fontAnswers.front();
        fontAnswers.pop_front();
        return answer;
    };
    if (systemFontDialog)
        environment.chooseFont = SystemOptionsEnvironment().chooseFont;
    environment.showFolderPicker = [this](frmSelectFolder &picker) { folderPicker(picker); };
    m_form = std::make_unique<frmOptions>(std::move(environment));
    m_form->Form_Load();
    return *m_form;
}

void OptionsTest::WaitForImageList()
{
    if (m_form->lstImages->IsListing()) {
        QSignalSpy listed(m_form->lstImages, &ImageFileList::Listed);
        ASSERT_TRUE(listed.wait(10000));
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_form->IsReadingWallpaper(); }, 10000));
}

QString OptionsTest::Stored(const char *name)
{
    return basQuillon::GetOption(QLatin1String(name), QStringLiteral("<none>"));
}

void OptionsTest::Store(const char *name, const QString &value)
{
    basQuillon::SaveOption(QLatin1String(name), value);
}

QString OptionsTest::MakeFolder(const QString &name, const QStringList &files)
{
    const QString folder = TempPath(name);
    QDir().mkpath(folder);
    for (const QString &file : files) {
        QFile f(folder + QLatin1Char('/') + file);
        f.open(QIODevice::WriteOnly);
    }
    return folder;
}

QString OptionsTest::MakePicture(const QString &path, const QColor &color)
{
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(color);
    image.save(path);
    return path;
}

int OptionsTest::ReportsUnder(const QString &operation) const
{
    int count = 0;
    for (const auto &message : messages)
        if (message.title == QLatin1String(basErrorHandler::kMessageTitle)
            && message.text.contains(QLatin1Char('\t') + operation + QStringLiteral("\r\n")))
            ++count;
    return count;
}

int OptionsTest::ReportCount() const
{
    int count = 0;
    for (const auto &message : messages)
        count += message.title == QLatin1String(basErrorHandler::kMessageTitle);
    return count;
}

QStringList OptionsTest::Notices() const
{
    QStringList notices;
    for (const auto &message : messages)
        if (message.title != QLatin1String(basErrorHandler::kMessageTitle))
            notices << message.title + QLatin1Char('|') + message.text;
    return notices;
}

} // namespace optionstest

} // namespace quillon
