#include "QuillonTestEnvironment.h"

#include "basExecuteProgram.h"

#include <QFile>
#include <QTimer>
#include <QWidget>

namespace quillon {

namespace {
using quillontest::QuillonTest;
using namespace basExecuteProgram;

const QString kExitWith = QStringLiteral(QUILLON_TEST_BIN_DIR "/quillon_exit_with");

class Launching : public QuillonTest {};

TEST_F(Launching, MissingOrNotExecutableProgramGivesANonZeroNumber)
{
    EXPECT_NE(ExecuteProgram(TempPath(QStringLiteral("calendar"))), 0);
    QFile plain(TempPath(QStringLiteral("not-a-program")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_NE(ExecuteProgram(plain.fileName()), 0);
    EXPECT_EQ(ExecuteAndWait(TempPath(QStringLiteral("options"))), -1);
}

TEST_F(Launching, StartsWithoutWaitingAndPassesArgumentsUnquoted)
{
    // A folder with blanks and a shell metacharacter: no shell ever sees it.
    EXPECT_EQ(ExecuteProgram(kExitWith, {QStringLiteral("-1")}), 0);
    EXPECT_EQ(ExecuteAndWait(kExitWith, {QStringLiteral("7")}), 7);
    EXPECT_EQ(ExecuteAndWait(kExitWith, {QStringLiteral("0; touch pwned")}), 0);
    EXPECT_FALSE(QFile::exists(QStringLiteral("pwned")));
}

TEST_F(Launching, WaitingKeepsTimersRunning)
{
    QWidget window;
    window.show();
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(1);
    EXPECT_EQ(ExecuteAndWait(QStringLiteral("/bin/sleep"), {QStringLiteral("0.3")}), 0);
    EXPECT_GT(ticks, 0);
}

TEST_F(Launching, StartErrorMessageNamesTheProgramOneWayWhoeverStartedIt)
{
    // A path, a bare name and a Windows file name all name the file of this system.
    for (const QString &program : {QStringLiteral("/opt/q r/calendar"), QStringLiteral("calendar"),
                                   QStringLiteral("calendar.exe")})
        ShowStartError(program, 53);
    ASSERT_EQ(messages.size(), 3u);
    for (const auto &message : messages)
        EXPECT_TRUE(message.text.startsWith(QStringLiteral("Error starting program '") + basPlatform::ExecutableFileName(
                                    QStringLiteral("calendar")) + QStringLiteral("'.\r\nExit code: 53\r\nThe file ")));
    // What the number means, naming the file that was tried.
    EXPECT_TRUE(messages[0].text.endsWith(QStringLiteral("\r\nThe file /opt/q r/calendar does not exist.")));
    EXPECT_TRUE(messages[1].text.endsWith(ProgramPath(QStringLiteral("calendar")) + QStringLiteral(" does not exist.")));
    EXPECT_TRUE(StartErrorText(QStringLiteral("/x/options"), 75).endsWith(
        QStringLiteral("The file /x/options cannot be run: it is no program, or there is no permission to run it.")));
    EXPECT_EQ(messages[0].title, QStringLiteral("Quillon Error"));
    EXPECT_EQ(messages[0].icon, basPlatform::MessageIcon::Critical);
    EXPECT_EQ(messages[0].buttons, basPlatform::MessageButtons::OkCancel);
}
} // namespace

} // namespace quillon
