#include "basExecuteProgram.h"

#include "basOperation.h"

#include "platform/basPlatform.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QDir>
#include <QProcess>

namespace quillon {

namespace basExecuteProgram {

QString ProgramPath(const QString &programName)
{
    return basPlatform::ProgramFolder() + QLatin1Char('/') + basPlatform::ExecutableFileName(programName);
}

std::int32_t ExecuteProgram(const QString &program, const QStringList &arguments)
{
    return basPlatform::StartDetached(program, arguments);
}

namespace {
// Swallows user input to every window while a started program runs; paint and
// timer events still pass, so windows stay drawn.
class InputBlocker : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::ContextMenu:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Close:
            return true;
        default:
            return false;
        }
    }
};
} // namespace

std::int32_t ExecuteAndWait(const QString &program, const QStringList &arguments)
{
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        return -1;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted())
        return -1;

    InputBlocker blocker;
    QCoreApplication *app = QCoreApplication::instance();
    if (app)
        app->installEventFilter(&blocker);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (app)
        app->removeEventFilter(&blocker);

    if (process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

QString ProgramDisplayName(const QString &program)
{
    return basPlatform::ExecutableFileName(QFileInfo(program).completeBaseName());
}

QString StartErrorText(const QString &program, std::int32_t number)
{
    QString text = QCoreApplication::translate("basExecuteProgram", "Error starting program '%1'.").arg(ProgramDisplayName(program))
                   + QStringLiteral("\r\n") + QCoreApplication::translate("basExecuteProgram", "Exit code: %1").arg(number);
    // The number alone tells the user nothing: say what it means, naming the file.
    const QString file = QDir::toNativeSeparators(
        QFileInfo(program).isAbsolute() ? program : ProgramPath(QFileInfo(program).completeBaseName()));
    if (number == basOperation::kFileNotFound)
        text += QStringLiteral("\r\n") + QCoreApplication::translate("basExecuteProgram", "The file %1 does not exist.").arg(file);
    else if (number == basOperation::kPathFileAccessError)
        text += QStringLiteral("\r\n")
                + QCoreApplication::translate("basExecuteProgram",
                                              "The file %1 cannot be run: it is no program, or there is no permission to run it.")
                      .arg(file);
    else if (number == -1)
        text += QStringLiteral("\r\n")
                + QCoreApplication::translate("basExecuteProgram", "It could not be started, or it ended abnormally.");
    return text;
}

void ShowStartError(const QString &program, std::int32_t number)
{
    basPlatform::ShowMessage(StartErrorText(program, number), QCoreApplication::translate("basExecuteProgram", "Quillon Error"),
                             basPlatform::MessageIcon::Critical, basPlatform::MessageButtons::OkCancel);
}

} // namespace basExecuteProgram

} // namespace quillon
