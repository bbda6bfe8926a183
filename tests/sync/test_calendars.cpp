// The "Calendars..." window's work against the counting feed server: adding keeps only
// what synced, a refresh and a removal tell which days changed, the secret store gets
// the password, and the window shows the list and a busy bar while a server is asked.
#include "CalendarList.h"
#include "QuillonTestEnvironment.h"
#include "basSchema.h"
#include "frmCalendars.h"

#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTreeWidget>

namespace {

QByteArray Feed(const QString &day)
{
    return QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//quillon tests//EN\r\n"
                          "BEGIN:VEVENT\r\nUID:one\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:%1T090000\r\n"
                          "DTEND:%1T100000\r\nSUMMARY:Standup\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
        .arg(day)
        .toUtf8();
}

class Calendars : public quillontest::QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(TempPath(QStringLiteral("dbcalndr.sqlite")), error));
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            GTEST_SKIP() << "python3 is missing: the feed server cannot run";
        m_server.start(python, {QStringLiteral(QUILLON_SOURCE_DIR "/tests/sync/feed_server.py"), DataDir()});
        if (m_server.waitForReadyRead(10000))
            m_port = m_server.readLine().trimmed().toInt();
        if (m_port == 0)
            GTEST_SKIP() << "the feed server did not start";
        secrets.read = [this](const QString &key) { return kept.value(key); };
        secrets.write = [this](const QString &key, const QString &password) {
            kept.insert(key, password);
            return QString();
        };
        secrets.forget = [this](const QString &key) { kept.remove(key); };
    }
    void TearDown() override
    {
        m_server.kill();
        m_server.waitForFinished(5000);
        QuillonTest::TearDown();
    }
    QString Address(const QString &path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path); }
    void Write(const QString &name, const QByteArray &text)
    {
        QFile file(TempPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    CalendarList::Secrets secrets;
    QHash<QString, QString> kept;

private:
    QProcess m_server;
    int m_port = 0;
};

TEST_F(Calendars, AddKeepsOnlyWhatSyncedAndRefreshAndRemoveTellTheChangedDays)
{
    Write(QStringLiteral("team.ics"), Feed(QStringLiteral("20261210")));
    CalendarList list(QString(), secrets);
    QSignalSpy changed(&list, &CalendarList::DatesChanged);
    QSignalSpy busy(&list, &CalendarList::Busy);

    EXPECT_FALSE(list.Add({Address(QStringLiteral("/status/500")), {}, {}}).isEmpty());
    EXPECT_FALSE(list.Add({QStringLiteral("ftp://example.invalid/x.ics"), {}, {}}).isEmpty());
    ASSERT_TRUE(list.Calendars().isEmpty());

    // A password given goes to the secret store only, and goes with the calendar.
    EXPECT_EQ(list.Add({Address(QStringLiteral("/auth/team.ics")), QStringLiteral("anna"), QStringLiteral("s3cret pass")}),
              QString());
    ASSERT_EQ(list.Calendars().size(), 1);
    EXPECT_EQ(kept.size(), 1);
    const basDatabase::Subscription team = list.Calendars()[0];
    EXPECT_FALSE(team.Address.contains(QStringLiteral("s3cret")));
    EXPECT_NE(CalendarList::LastRefreshText(team), QStringLiteral("never"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QList<QDate>>(), QList<QDate>{QDate(2026, 12, 10)});
    // Each server conversation said it was busy and then that it was done.
    ASSERT_GE(busy.size(), 2);
    EXPECT_TRUE(busy.first()[0].toBool());
    EXPECT_FALSE(busy.last()[0].toBool());

    Write(QStringLiteral("team.ics"), Feed(QStringLiteral("20261211")));
    EXPECT_EQ(list.Refresh(team.Id), QString());
    ASSERT_EQ(changed.size(), 2);
    EXPECT_EQ(changed[1][0].value<QList<QDate>>().size(), 2);

    EXPECT_TRUE(list.Remove(team.Id));
    EXPECT_TRUE(list.Calendars().isEmpty());
    EXPECT_TRUE(kept.isEmpty());
    ASSERT_EQ(changed.size(), 3);
    EXPECT_EQ(changed[2][0].value<QList<QDate>>(), QList<QDate>{QDate(2026, 12, 11)});
}

TEST_F(Calendars, TheWindowListsAddsAndShowsWhatFailed)
{
    Write(QStringLiteral("team.ics"), Feed(QStringLiteral("20261210")));
    CalendarList list(QString(), secrets);
    frmCalendars window(list);
    EXPECT_EQ(window.lstCalendars()->topLevelItemCount(), 0);
    EXPECT_FALSE(window.cmdRemove()->isEnabled());
    bool busyShown = false;
    QObject::connect(&list, &CalendarList::Busy, [&](bool busy, const QString &) {
        busyShown = busyShown || (busy && window.prgBusy()->isVisibleTo(&window) && !window.cmdAdd()->isEnabled());
    });
    window.SetAddRunner([&](CalendarList::Addition &addition) {
        addition.Address = Address(QStringLiteral("/feed/team.ics"));
        return true;
    });
    window.cmdAdd_Click();
    EXPECT_TRUE(busyShown);
    EXPECT_FALSE(window.prgBusy()->isVisibleTo(&window));
    ASSERT_EQ(window.lstCalendars()->topLevelItemCount(), 1);
    EXPECT_TRUE(window.lstCalendars()->topLevelItem(0)->text(2).isEmpty());
    EXPECT_TRUE(messages.empty());

    window.SetAddRunner([&](CalendarList::Addition &addition) {
        addition.Address = Address(QStringLiteral("/html"));
        return true;
    });
    window.cmdAdd_Click();
    EXPECT_EQ(window.lstCalendars()->topLevelItemCount(), 1);
    ASSERT_EQ(messages.size(), 1u);

    // Removal asks first; No keeps it.
    window.lstCalendars()->setCurrentItem(window.lstCalendars()->topLevelItem(0));
    EXPECT_TRUE(window.cmdRemove()->isEnabled());
    window.cmdRemove_Click();
    EXPECT_EQ(window.lstCalendars()->topLevelItemCount(), 1);
    nextAnswer = basPlatform::MessageResult::Yes;
    window.cmdRemove_Click();
    EXPECT_EQ(window.lstCalendars()->topLevelItemCount(), 0);
}

} // namespace
