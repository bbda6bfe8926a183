// A program's first look at its event database: none yet (made anew or not, as the user
// answers), one that cannot be opened (named, with the report behind Details), and
// nobody to ask.
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "basFirstStart.h"
#include "basSchema.h"

#include <QFile>

namespace quillon {

namespace {

using basFirstStart::Outcome;
using basPlatform::MessageResult;

class FirstStart : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        env.Unset("QUILLON_NONINTERACTIVE"); // the recorder answers
        start = basFirstStart::Start{TempPath(QStringLiteral("dbcalndr.sqlite")), TempPath(QStringLiteral("shipped.sqlite")),
                                     QStringLiteral("Quillon Scheduler"), true};
    }

    bool Opens(const QString &path)
    {
        basDatabase::EventStore store;
        return store.OpenDatabaseConnection(path);
    }

    basFirstStart::Start start;
};

TEST_F(FirstStart, WithoutADatabaseItAsksAndMakesOneFromTheShippedCopyOrAnEmptyOne)
{
    // Quit: nothing is made.
    nextAnswer = MessageResult::Cancel;
    EXPECT_EQ(basFirstStart::PrepareStore(start), Outcome::Quit);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QLatin1String(basFirstStart::kNoDatabaseQuestion)));
    EXPECT_TRUE(messages[0].text.contains(start.databasePath));
    EXPECT_EQ(messages[0].buttonTexts, (QStringList{QStringLiteral("&Create"), QStringLiteral("&Quit")}));
    EXPECT_EQ(messages[0].defaultButton, MessageResult::Ok);
    EXPECT_FALSE(QFile::exists(start.databasePath));

    // Create, with nothing shipped: an empty store of the newest version.
    nextAnswer = MessageResult::Ok;
    EXPECT_EQ(basFirstStart::PrepareStore(start), Outcome::Ready);
    EXPECT_TRUE(Opens(start.databasePath));
    EXPECT_EQ(messages.size(), 2u);

    // Create, with a shipped database: a copy of it, private to the user.
    ASSERT_TRUE(QFile::rename(start.databasePath, start.shippedPath));
    EXPECT_EQ(basFirstStart::PrepareStore(start), Outcome::Ready);
    QFile made(start.databasePath), shipped(start.shippedPath);
    ASSERT_TRUE(made.open(QIODevice::ReadOnly) && shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(made.readAll(), shipped.readAll());
    EXPECT_EQ(made.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());

    // A store that is there and opens asks nothing.
    messages.clear();
    EXPECT_EQ(basFirstStart::PrepareStore(start), Outcome::Ready);
    EXPECT_TRUE(messages.empty());

    // A folder that takes no file: the reason, and the program ends.
    start.databasePath = TempPath(QStringLiteral("no-such-folder/dbcalndr.sqlite"));
    EXPECT_EQ(basFirstStart::PrepareStore(start), Outcome::Quit);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.startsWith(QLatin1String(basFirstStart::kCannotCreateText)));
    EXPECT_TRUE(messages[1].details.contains(QStringLiteral("basFirstStart.CreateStore")));
}

TEST_F(FirstStart, ADatabaseThatCannotBeOpenedIsNamedWithItsReasonAndTheReportBehindDetails)
{
    QFile garbage(start.databasePath);
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, '\x5a'));
    garbage.close();

    EXPECT_EQ(basFirstStart::PrepareStore(start), Outcome::Quit);
    ASSERT_EQ(messages.size(), 1u);
    const basPlatform::MessageRequest &box = messages[0];
    EXPECT_EQ(box.title, QStringLiteral("Quillon Desktop Calendar"));
    EXPECT_TRUE(box.text.startsWith(QLatin1String(basFirstStart::kCannotOpenText)));
    EXPECT_TRUE(box.text.contains(start.databasePath + QStringLiteral(" is not a database"))) << qPrintable(box.text);
    EXPECT_TRUE(box.text.contains(QStringLiteral("will close")));
    EXPECT_TRUE(box.details.contains(QStringLiteral("Module: \t\tbasDatabase.OpenDatabaseConnection")))
        << qPrintable(box.details);
    EXPECT_EQ(ReadDataFile(QStringLiteral("error.log")).count(QStringLiteral("In module: basDatabase.OpenDatabaseConnection")), 1);

    // A program that works without events goes on after saying so.
    start.needsStore = false;
    EXPECT_EQ(basFirstStart::PrepareStore(start), Outcome::Ready);
    EXPECT_FALSE(messages.back().text.contains(QStringLiteral("will close")));

    // With nobody to ask, the program opens the store as it always did.
    messages.clear();
    env.Set("QUILLON_NONINTERACTIVE", "1");
    start.needsStore = true;
    EXPECT_EQ(basFirstStart::PrepareStore(start), Outcome::Ready);
    QFile::remove(start.databasePath);
    EXPECT_EQ(basFirstStart::PrepareStore(start), Outcome::Ready);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(QFile::exists(start.databasePath));
}

} // namespace

} // namespace quillon
