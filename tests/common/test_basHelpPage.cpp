// Help with no browser on the desktop: the page in our own window, its links followed there.
#include "QuillonTestEnvironment.h"
#include "basHelpPage.h"
#include "frmHelp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextBrowser>

namespace quillon {

namespace {

class HelpPage : public quillontest::QuillonTest {
protected:
    void TearDown() override
    {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (qobject_cast<frmHelp *>(top))
                delete top;
        QuillonTest::TearDown();
    }

    // The shipped pages, in a folder of the test's own.
    QUrl Contents()
    {
        const QString folder = TempPath(QStringLiteral("help"));
        QDir().mkpath(folder);
        const QDir source(QStringLiteral(QUILLON_SOURCE_DIR "/data/help"));
        for (const QString &name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), folder + QLatin1Char('/') + name);
        return QUrl::fromLocalFile(folder + QStringLiteral("/index.html"));
    }

    static frmHelp *Shown()
    {
        frmHelp *shown = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *help = qobject_cast<frmHelp *>(top); help && help->isVisible())
                shown = shown ? nullptr : help; // exactly one
        return shown;
    }
};

TEST_F(HelpPage, WithNoBrowserThePageShowsInAWindowOfOurOwn)
{
    const QUrl contents = Contents();
    // An opener that cannot show it (QDesktopServices without a handler).
    EXPECT_TRUE(basHelpPage::Open(contents, [](const QUrl &) { return false; }));
    frmHelp *help = Shown();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Quillon Desktop Calendar Help"));
    EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("Finding events")));

    // Its links stay in the window.
    emit help->Browser()->anchorClicked(QUrl(QStringLiteral("search.html")));
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Finding events - Quillon Desktop Calendar Help"));

    // No browser and no program for web pages on the path: the same window, used again.
    const QString empty = TempPath(QStringLiteral("empty-path"));
    QDir().mkpath(empty);
    env.Set("PATH", empty.toLocal8Bit());
    env.Unset("BROWSER");
    EXPECT_FALSE(basPlatform::CanShowWebPages());
    EXPECT_TRUE(basHelpPage::Open(contents));
    EXPECT_EQ(Shown(), help);
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Quillon Desktop Calendar Help"));

    // A page that is not there is no window.
    help->close();
    EXPECT_FALSE(basHelpPage::Open(QUrl::fromLocalFile(TempPath(QStringLiteral("none.html"))), [](const QUrl &) { return false; }));
}

} // namespace

} // namespace quillon
