#include "QuillonTestEnvironment.h"

#include "basErrorHandler.h"
#include "basOperation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <thread>
#include <vector>

namespace quillon {

namespace {
using quillontest::QuillonTest;

class ErrorReport : public QuillonTest {};

TEST_F(ErrorReport, MessageTextHasTheFixedLayout)
{
    const basErrorHandler::ErrorState error{13, QStringLiteral("Type mismatch"), 40};
    const QString text = basErrorHandler::MessageText(QStringLiteral("Quillon Desktop Calendar"),
                                                      QStringLiteral("calendar"),
                                                      QStringLiteral("frmCalendar.LoadCalendar"), error,
                                                      QStringLiteral("extra"));
    EXPECT_EQ(text, QStringLiteral("An error has occurred.\r\n\r\n"
                                   "Product Name: \tQuillon Desktop Calendar\r\n"
                                   "Application File:  \tcalendar\r\n"
                                   "Module: \t\tfrmCalendar.LoadCalendar\r\n"
                                   "Line Number: \t40\r\n\r\n"
                                   "Error Number: \t13\r\n"
                                   "Error Description: \tType mismatch\r\n\r\n"
                                   "\r\nextra\r\n"));
}

TEST_F(ErrorReport, TrappedFailureLogsTwoCompleteBlocksByteForByte)
{
    const auto failing = [](int stepReached) {
        return basOperation::Trap("basTest.Fails", false, [&](basOperation::Steps &step) {
            step(10);
            step(stepReached);
            basOperation::ThrowTypeMismatch();
            return true;
        });
    };
    EXPECT_FALSE(failing(30));
    EXPECT_FALSE(failing(50));

    const QString app = basPlatform::ExecutableName();
    const QString block = QStringLiteral("06-%1-2026  18:46:25\r\n"
                                         "Error logged by application: %2\r\n"
                                         "In module: basTest.Fails\r\n"
                                         "At line: %3\r\n"
                                         "Error Number: 13\r\n"
                                         "Error Description: Type mismatch\r\n"
                                         "--------------------------------------------------\r\n"
                                         "\r\n");
    const QString month = QLocale::system().monthName(12, QLocale::ShortFormat);
    EXPECT_EQ(ReadDataFile(QStringLiteral("error.log")),
              block.arg(month, app, QStringLiteral("30")) + block.arg(month, app, QStringLiteral("50")));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title, QStringLiteral("Application Error"));
    EXPECT_EQ(messages[0].icon, basPlatform::MessageIcon::Information);
    EXPECT_TRUE(messages[1].text.contains(QStringLiteral("Line Number: \t50")));
}

// The box speaks the user's language; error.log keeps the English description for
// whoever reads it to help.
TEST_F(ErrorReport, TheBoxShowsTheTranslatedTextAndTheLogTheEnglishOne)
{
    basOperation::TrapVoid("basTest.Shown", [](basOperation::Steps &) {
        throw basOperation::Failure(basOperation::kFileNotFound, QStringLiteral("File not found: x"),
                                    QStringLiteral("Datei nicht gefunden: x"));
    });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("\tDatei nicht gefunden: x\r\n"))) << qPrintable(messages[0].text);
    const QString log = ReadDataFile(QStringLiteral("error.log"));
    EXPECT_TRUE(log.contains(QStringLiteral("Error Description: File not found: x\r\n"))) << qPrintable(log);
    EXPECT_FALSE(log.contains(QStringLiteral("Datei")));
}

TEST_F(ErrorReport, QuietAndLogFlagsDecideWhatHappens)
{
    basErrorHandler::ReportError(QStringLiteral("basTest.Quiet"), {5, QStringLiteral("x"), 0}, true, QString(), true);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(ReadDataFile(QStringLiteral("error.log")).contains(QStringLiteral("At line: 0\r\n")));

    QFile::remove(TempPath(QStringLiteral("error.log")));
    // A report carries only the error handed to it: nothing of the one before.
    basErrorHandler::ReportError(QStringLiteral("basTest.NoLog"), {}, false, QString());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("Error Number: \t0\r\n")));
    EXPECT_FALSE(QFile::exists(TempPath(QStringLiteral("error.log"))));
}

TEST_F(ErrorReport, ReportsFromOtherThreadsAreWholeAndShownOnTheGuiThread)
{
    constexpr int kThreads = 4;
    constexpr int kEach = 25;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < kEach; ++i)
                basErrorHandler::ReportError(QStringLiteral("basTest.Thread%1").arg(t), {5, QString(100, QLatin1Char('x')), i},
                                             true, QString());
        });
    for (std::thread &thread : threads)
        thread.join();
    // No box was shown on the threads themselves: they were handed over.
    EXPECT_TRUE(messages.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.size(), size_t{kThreads * kEach});

    const QStringList blocks = ReadDataFile(QStringLiteral("error.log"))
                                   .split(QStringLiteral("--------------------------------------------------\r\n\r\n"),
                                          Qt::SkipEmptyParts);
    ASSERT_EQ(blocks.size(), kThreads * kEach);
    for (const QString &block : blocks)
        EXPECT_EQ(block.count(QStringLiteral("\r\n")), 6) << qPrintable(block);
}

TEST_F(ErrorReport, UnwritableLogStillShowsTheReport)
{
    // A folder where the log file should be: opening it for append fails.
    ASSERT_TRUE(QDir(DataDir()).mkdir(QStringLiteral("error.log")));
    EXPECT_FALSE(basOperation::Trap("basTest.NoLog", false, [](basOperation::Steps &step) {
        step(20);
        throw basOperation::Failure(53, QStringLiteral("File not found"));
        return true;
    }));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("basTest.NoLog")));
}

TEST_F(ErrorReport, NestedOperationsReportOnlyTheirOwnFailure)
{
    const auto inner = [] {
        return basOperation::Trap("basTest.Inner", false, [](basOperation::Steps &step) {
            step(70);
            throw std::runtime_error("boom");
            return true;
        });
    };
    const int result = basOperation::Trap("basTest.Outer", -1, [&](basOperation::Steps &step) {
        step(10);
        return inner() ? 1 : 0;
    });
    EXPECT_EQ(result, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("basTest.Inner")));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("Line Number: \t70")));
}
} // namespace

} // namespace quillon
