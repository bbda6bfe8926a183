#include "QuillonTestEnvironment.h"

#include "basQuillon.h"
#include "frmWarning.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace quillon {

namespace {
using quillontest::QuillonTest;

class Warning : public QuillonTest {
protected:
    void Timeout(const QString &value) { basQuillon::SaveOption(QStringLiteral("CalendarWarningTimeout"), value); }
};

TEST_F(Warning, CountsDownFromThirtyAndEndsAsOk)
{
    Timeout(QStringLiteral("30"));
    frmWarning dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quillon Calendar"));
    EXPECT_EQ(quillontest::Find<QLabel>(dialog, "lblOk")->text(), frmWarning::kOkCountdownText);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(dialog.Timer().isActive());
    EXPECT_EQ(dialog.Timer().interval(), 1000);
    EXPECT_EQ(quillontest::Find<QPushButton>(dialog, "cmdOK")->text(), QStringLiteral("OK (30 seconds)"));
    dialog.Timer_Timer();
    EXPECT_EQ(quillontest::Find<QPushButton>(dialog, "cmdOK")->text(), QStringLiteral("OK (29 seconds)"));
    for (int i = 0; i < 27; ++i)
        dialog.Timer_Timer();
    EXPECT_EQ(quillontest::Find<QPushButton>(dialog, "cmdOK")->text(), QStringLiteral("OK (2 seconds)"));
    dialog.Timer_Timer();
    EXPECT_EQ(quillontest::Find<QPushButton>(dialog, "cmdOK")->text(), QStringLiteral("OK (1 second)"));
    EXPECT_TRUE(dialog.isVisible());
    dialog.Timer_Timer();
    EXPECT_TRUE(dialog.OkPressed());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Timer().isActive());
}

TEST_F(Warning, OneSecondEndsOnItsOwnAsOk)
{
    Timeout(QStringLiteral("1"));
    // Timed from before the dialog exists: its countdown starts when it is made.
    QElapsedTimer took;
    took.start();
    frmWarning dialog;
    EXPECT_EQ(quillontest::Find<QPushButton>(dialog, "cmdOK")->text(), QStringLiteral("OK (1 second)"));
    QTimer guard; // a dialog that never ends would hang the test
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &dialog, &frmWarning::cmdLater_Click);
    guard.start(10000);
    dialog.exec();
    EXPECT_TRUE(dialog.OkPressed());
    EXPECT_GE(took.elapsed(), 900);
    EXPECT_LT(took.elapsed(), 9000);
}

TEST_F(Warning, NoUsableTimeoutWaitsWithoutLimit)
{
    // Missing, zero, negative, not a number, too large for the counter.
    for (const QString &value : {QString(), QStringLiteral("0"), QStringLiteral("-5"), QStringLiteral("soon"),
                                 QStringLiteral("1099511627776")}) {
        if (value.isNull())
            basQuillon::SaveOption(QStringLiteral("CalendarWarningTimeout"), QString());
        else
            Timeout(value);
        frmWarning dialog;
        EXPECT_EQ(quillontest::Find<QPushButton>(dialog, "cmdOK")->text(), QStringLiteral("OK")) << qPrintable(value);
        EXPECT_EQ(quillontest::Find<QLabel>(dialog, "lblOk")->text(), frmWarning::kOkText) << qPrintable(value);
        EXPECT_FALSE(dialog.Timer().isActive()) << qPrintable(value);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(Warning, OkLaterCloseBoxAndEscape)
{
    Timeout(QStringLiteral("30"));
    {
        frmWarning dialog;
        dialog.show();
        quillontest::Find<QPushButton>(dialog, "cmdOK")->click();
        EXPECT_TRUE(dialog.OkPressed());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(dialog.Timer().isActive());
    }
    {
        frmWarning dialog;
        dialog.show();
        quillontest::Find<QPushButton>(dialog, "cmdLater")->click();
        EXPECT_FALSE(dialog.OkPressed());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(dialog.Timer().isActive());
    }
    {
        frmWarning dialog;
        dialog.SetOkPressed(true);
        dialog.show();
        dialog.close(); // the close box: "Later", the dialog only hidden
        EXPECT_FALSE(dialog.OkPressed());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(dialog.Timer().isActive());
    }
    {
        frmWarning dialog;
        dialog.SetOkPressed(true);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.OkPressed());
        EXPECT_FALSE(dialog.isVisible());
    }
}
} // namespace

} // namespace quillon
