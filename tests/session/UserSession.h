// The fixture of the tests that drive the real programs as a user does: a private X
// display with a window manager, the programs started on the test's own folders, and
// the mouse and keys through xdotool.
#pragma once

#include "DesktopSession.h"
#include "QuillonTestEnvironment.h"
#include "basQuillon.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRect>
#include <QThread>

#include <functional>
#include <memory>

namespace quillon {

namespace sessiontest {

using calendartest::DesktopSession;

class UserSession : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        const QStringList missing = DesktopSession::Missing(
            {QStringLiteral("Xvfb"), QStringLiteral("dbus-daemon"), QStringLiteral("xfwm4"), QStringLiteral("trayer"),
             QStringLiteral("xdotool")});
        if (!missing.isEmpty())
            GTEST_SKIP() << "not installed: " << qPrintable(missing.join(QLatin1String(", ")))
                         << " (.ci/install-deps installs them)";
        // Real message boxes: an error must show as a window the test can see.
        env.Unset("QUILLON_NONINTERACTIVE");
        ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLON_PROGRAM_DIR "/dbcalndr.sqlite"),
                                TempPath(QStringLiteral("dbcalndr.sqlite"))));
        basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));
        basQuillon::SaveOption(QStringLiteral("DisplaySchedulerOnStart"), QStringLiteral("0"));
        session = std::make_unique<DesktopSession>(TempPath(QStringLiteral("home")));
        QString error;
        ASSERT_TRUE(session->Start(error)) << qPrintable(error);
        ASSERT_TRUE(session->Launch(QStringLiteral("xfwm4"), {}));
    }

    bool Start(const char *program)
    {
        QProcessEnvironment ours;
        ours.insert(QStringLiteral("XDG_CONFIG_HOME"), ConfigDir());
        return session->Launch(QStringLiteral(QUILLON_PROGRAM_DIR "/") + QLatin1String(program), {}, ours);
    }

    // The first shown window with exactly this title (xdotool matches it in any case),
    // or that a search with these options finds; empty when none.
    QRect Window(const QString &title) { return Found({QStringLiteral("--name"), QLatin1Char('^') + title + QLatin1Char('$')}); }
    QRect Found(const QStringList &search)
    {
        QString out;
        session->Run(QStringLiteral("xdotool"), QStringList{QStringLiteral("search"), QStringLiteral("--onlyvisible")}
                                                     + search
                                                     + QStringList{QStringLiteral("getwindowgeometry"),
                                                                   QStringLiteral("--shell"), QStringLiteral("%@")},
                     &out);
        QRect rect;
        for (const QString &line : out.split(QLatin1Char('\n'))) {
            const int value = line.section(QLatin1Char('='), 1).toInt();
            if (line.startsWith(QLatin1String("X=")))
                rect.moveLeft(value);
            else if (line.startsWith(QLatin1String("Y=")))
                rect.moveTop(value);
            else if (line.startsWith(QLatin1String("WIDTH=")))
                rect.setWidth(value);
            else if (line.startsWith(QLatin1String("HEIGHT=")))
                rect.setHeight(value);
            else if (line.startsWith(QLatin1String("SCREEN=")) && rect.width() > 1)
                return rect;
        }
        return QRect();
    }

    void Xdo(const QStringList &arguments) { session->Run(QStringLiteral("xdotool"), arguments); }
    void Click(const QPoint &at, int button)
    {
        Xdo({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
             QString::number(button)});
    }
    void Activate(const QString &title)
    {
        Xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
             QLatin1Char('^') + title + QLatin1Char('$'), QStringLiteral("windowactivate"), QStringLiteral("--sync")});
    }

    // The title of the window that has the focus; empty when none.
    QString ActiveWindow()
    {
        QString out;
        session->Run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow"), QStringLiteral("getwindowname")}, &out);
        return out.trimmed();
    }

    // As a person pauses between two clicks on the same thing: two clicks on the icon
    // closer than the double-click interval (400 ms) are a double click, which a middle
    // button does not report. Between the clicks as the X server sees them, whatever the load.
    static void Pause() { QThread::msleep(1000); }

    // Generous: a loaded machine may take many seconds to start a program or map a window.
    static bool WaitFor(const std::function<bool()> &condition, int milliseconds = 30000)
    {
        QDeadlineTimer deadline(milliseconds);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(100);
        }
        return true;
    }

    std::unique_ptr<DesktopSession> session;
};

} // namespace sessiontest

} // namespace quillon
