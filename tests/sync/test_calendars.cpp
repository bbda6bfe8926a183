// The "Calendars..." window's work against the counting feed server: adding keeps only
// what synced, a refresh and a removal tell which days changed, the secret store gets
// the password, and the window shows the list and a busy bar while a server is asked.
#include "CalendarList.h"
#include "ConflictStore.h"
#include "EventService.h"
#include "EventStore.h"
#include "SubscriptionStore.h"
#include "HttpSession.h"
#include "basSync.h"
#include "FeedServer.h"
#include "QuillonTestEnvironment.h"
#include "basSchema.h"
#include "frmCalendars.h"

#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTreeWidget>

namespace quillon {

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
        m_server = quillontest::StartFeedServer(DataDir());
        m_port = m_server->port;
        if (m_port == 0)
            GTEST_SKIP() << "the feed server did not start (it needs python3)";
        store.read = [this](const QString &key) {
            if (noStore)
                return basSecrets::Answer{basSecrets::Status::NoStore, {}, QStringLiteral("no bus")};
            return kept.contains(key) ? basSecrets::Answer{basSecrets::Status::Done, kept.value(key), {}}
                                      : basSecrets::Answer{basSecrets::Status::NotFound, {}, {}};
        };
        store.write = [this](const QString &key, const QString &password) {
            if (noStore)
                return basSecrets::Answer{basSecrets::Status::NoStore, {}, QStringLiteral("no bus")};
            kept.insert(key, password);
            return basSecrets::Answer{basSecrets::Status::Done, {}, {}};
        };
        store.forget = [this](const QString &key) {
            kept.remove(key);
            return basSecrets::Answer{basSecrets::Status::Done, {}, {}};
        };
    }
    std::shared_ptr<SessionPasswords> Passwords() { return std::make_shared<SessionPasswords>(store); }
    void TearDown() override
    {
        m_server.reset();
        QuillonTest::TearDown();
    }
    QString Address(const QString &path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path); }
    void Write(const QString &name, const QByteArray &text)
    {
        QFile file(TempPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    SessionPasswords::Store store;
    QHash<QString, QString> kept;
    bool noStore = false;

private:
    std::unique_ptr<quillontest::Server> m_server;
    int m_port = 0;
};

TEST_F(Calendars, AddKeepsOnlyWhatSyncedAndRefreshAndRemoveTellTheChangedDays)
{
    Write(QStringLiteral("team.ics"), Feed(QStringLiteral("20261210")));
    CalendarList list(QString(), Passwords());
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
    CalendarList list(QString(), Passwords());
    frmCalendars window(list);
    EXPECT_EQ(quillontest::Find<QTreeWidget>(window, "lstCalendars")->topLevelItemCount(), 0);
    EXPECT_FALSE(quillontest::Find<QPushButton>(window, "cmdRemove")->isEnabled());
    bool busyShown = false;
    QObject::connect(&list, &CalendarList::Busy, [&](bool busy, const QString &) {
        busyShown = busyShown || (busy && quillontest::Find<QProgressBar>(window, "prgBusy")->isVisibleTo(&window) && !quillontest::Find<QPushButton>(window, "cmdAdd")->isEnabled());
    });
    window.SetAddRunner([&](CalendarList::Addition &addition) {
        addition.Address = Address(QStringLiteral("/feed/team.ics"));
        return true;
    });
    window.cmdAdd_Click();
    EXPECT_TRUE(busyShown);
    EXPECT_FALSE(quillontest::Find<QProgressBar>(window, "prgBusy")->isVisibleTo(&window));
    ASSERT_EQ(quillontest::Find<QTreeWidget>(window, "lstCalendars")->topLevelItemCount(), 1);
    EXPECT_TRUE(quillontest::Find<QTreeWidget>(window, "lstCalendars")->topLevelItem(0)->text(3).isEmpty());
    EXPECT_EQ(quillontest::Find<QTreeWidget>(window, "lstCalendars")->topLevelItem(0)->text(2), QStringLiteral("read only"));
    EXPECT_TRUE(messages.empty());

    window.SetAddRunner([&](CalendarList::Addition &addition) {
        addition.Address = Address(QStringLiteral("/html"));
        return true;
    });
    window.cmdAdd_Click();
    EXPECT_EQ(quillontest::Find<QTreeWidget>(window, "lstCalendars")->topLevelItemCount(), 1);
    ASSERT_EQ(messages.size(), 1u);

    // Removal asks first; No keeps it.
    quillontest::Find<QTreeWidget>(window, "lstCalendars")->setCurrentItem(quillontest::Find<QTreeWidget>(window, "lstCalendars")->topLevelItem(0));
    EXPECT_TRUE(quillontest::Find<QPushButton>(window, "cmdRemove")->isEnabled());
    window.cmdRemove_Click();
    EXPECT_EQ(quillontest::Find<QTreeWidget>(window, "lstCalendars")->topLevelItemCount(), 1);
    nextAnswer = basPlatform::MessageResult::Yes;
    window.cmdRemove_Click();
    EXPECT_EQ(quillontest::Find<QTreeWidget>(window, "lstCalendars")->topLevelItemCount(), 0);
}

TEST_F(Calendars, AddWarnsOfPlainHttpRefusesTheSameAddressTwiceAndKeepsOnlyAPasswordThatWorked)
{
    Write(QStringLiteral("team.ics"), Feed(QStringLiteral("20261210")));
    CalendarList list(QString(), Passwords());
    frmCalendars window(list);
    CalendarList::Addition next;
    window.SetAddRunner([&](CalendarList::Addition &addition) {
        addition = next;
        return true;
    });
    const auto rows = [&] { return quillontest::Find<QTreeWidget>(window, "lstCalendars")->topLevelItemCount(); };

    // 0.0.0.0 reaches this machine, but not by its loopback: asked first; declined, nothing is sent.
    const QString plain = Address(QStringLiteral("/auth/team.ics")).replace(QStringLiteral("127.0.0.1"), QStringLiteral("0.0.0.0"));
    next = {plain, QStringLiteral("anna"), QStringLiteral("s3cret pass")};
    nextAnswer = basPlatform::MessageResult::No;
    window.cmdAdd_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("0.0.0.0:%1 sends your password unencrypted (http://); use https:// "
                                                           "if the server offers it.")
                                                .arg(QUrl(plain).port())))
        << messages[0].text.toStdString();
    EXPECT_EQ(rows(), 0);
    nextAnswer = basPlatform::MessageResult::Yes;
    window.cmdAdd_Click();
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(kept.size(), 1);

    // The same address again: refused, naming the one there, without asking the server.
    messages.clear();
    window.cmdAdd_Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("%1 is already subscribed as ID %2 (0.0.0.0/auth/team.ics).")
                                    .arg(plain)
                                    .arg(list.Calendars()[0].Id));
    EXPECT_EQ(rows(), 1);

    // A password the server refuses is not kept.
    next = {Address(QStringLiteral("/auth/team.ics")), QStringLiteral("anna"), QStringLiteral("wrong")};
    window.cmdAdd_Click();
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(kept.keys(), QStringList{basSync::SecretKey(QStringLiteral("anna"), QUrl(plain))});
}

TEST_F(Calendars, WithoutASecretStoreThePasswordIsAskedOnceASessionAndKeptInMemory)
{
    noStore = true;
    Write(QStringLiteral("team.ics"), Feed(QStringLiteral("20261210")));
    const auto passwords = Passwords();
    CalendarList list(QString(), passwords);
    QStringList prompts;
    QString answer;
    list.SetPasswordAsker([&](const QString &prompt) {
        prompts << prompt;
        return answer;
    });
    // Added: said that no store keeps it, and the calendar works on the password typed.
    const QString note = list.Add({Address(QStringLiteral("/auth/team.ics")), QStringLiteral("anna"), QStringLiteral("s3cret pass")});
    EXPECT_TRUE(note.contains(QStringLiteral("No secret store is running (no bus)"))) << note.toStdString();
    ASSERT_EQ(list.Calendars().size(), 1);
    const qint64 id = list.Calendars()[0].Id;
    EXPECT_TRUE(kept.isEmpty());
    // This session knows it: no question.
    EXPECT_EQ(list.Refresh(id), QString());
    EXPECT_TRUE(prompts.isEmpty());

    // Another session (the program started again): asked, saying why; a cancel fails.
    CalendarList next(QString(), Passwords());
    next.Reload();
    next.SetPasswordAsker([&](const QString &prompt) {
        prompts << prompt;
        return answer;
    });
    EXPECT_TRUE(next.Refresh(id).contains(QStringLiteral("asks for a user name and password")));
    ASSERT_EQ(prompts.size(), 1);
    EXPECT_TRUE(prompts[0].contains(QStringLiteral("No secret store is running")));
    EXPECT_TRUE(prompts[0].contains(QStringLiteral("Password for anna at 127.0.0.1")));
    answer = QStringLiteral("s3cret pass");
    EXPECT_EQ(next.Refresh(id), QString());
    EXPECT_EQ(next.Refresh(id), QString());
    EXPECT_EQ(prompts.size(), 2);
    // Nothing of it reached the store's files.
    EXPECT_FALSE(ReadDataFile(QStringLiteral("dbcalndr.sqlite")).contains(QStringLiteral("s3cret")));
}

TEST_F(Calendars, ASelfSignedCertificateIsShownAndTrustedForTheCalendarUntilItChanges)
{
    const QString cert = TempPath(QStringLiteral("cert.pem"));
    const QString key = TempPath(QStringLiteral("key.pem"));
    if (!quillontest::MakeCertificate(cert, key))
        GTEST_SKIP() << "openssl cannot make a test certificate";
    Write(QStringLiteral("team.ics"), Feed(QStringLiteral("20261210")));
    const auto startTls = [&](int port) {
        auto server = std::make_unique<QProcess>();
        QStringList arguments{QStringLiteral(QUILLON_SOURCE_DIR "/tests/sync/feed_server.py"), DataDir(),
                              QStringLiteral("--tls"), cert, key};
        if (port != 0)
            arguments << QStringLiteral("--port") << QString::number(port);
        server->start(QStringLiteral("python3"), arguments);
        return server;
    };
    auto server = startTls(0);
    ASSERT_TRUE(server->waitForReadyRead(10000));
    const int port = server->readLine().trimmed().toInt();
    const QString address = QStringLiteral("https://127.0.0.1:%1/feed/team.ics").arg(port);

    CalendarList list(QString(), Passwords());
    QStringList problems;
    bool trust = false;
    list.SetCertificateAsker([&](const QString &problem) {
        problems << problem;
        return trust;
    });
    // Declined: nothing added, the question named the host, the error and the fingerprint.
    EXPECT_FALSE(list.Add({address, {}, {}}).isEmpty());
    EXPECT_TRUE(list.Calendars().isEmpty());
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith(QStringLiteral("127.0.0.1:%1: the certificate is not trusted (").arg(port)))
        << problems[0].toStdString();
    const QString fingerprint = problems[0].section(QStringLiteral("fingerprint is "), 1);
    EXPECT_EQ(fingerprint.size(), 95);
    // Trusted: kept with the calendar, and its refreshes ask nothing.
    trust = true;
    EXPECT_EQ(list.Add({address, {}, {}}), QString());
    ASSERT_EQ(list.Calendars().size(), 1);
    EXPECT_EQ(list.Calendars()[0].CertificateSha256, basSync::HttpSession::CanonicalFingerprint(fingerprint));
    EXPECT_EQ(list.Refresh(list.Calendars()[0].Id), QString());
    EXPECT_EQ(problems.size(), 2);

    // A new certificate on the same address stops again; declined, it stays stopped.
    server->kill();
    server->waitForFinished(5000);
    ASSERT_TRUE(quillontest::MakeCertificate(cert, key));
    server = startTls(port);
    ASSERT_TRUE(server->waitForReadyRead(10000));
    trust = false;
    const QString refused = list.Refresh(list.Calendars()[0].Id);
    EXPECT_TRUE(refused.contains(QStringLiteral("the certificate changed since it was trusted"))) << refused.toStdString();
    ASSERT_EQ(problems.size(), 3);
    EXPECT_EQ(list.Calendars()[0].CertificateSha256, basSync::HttpSession::CanonicalFingerprint(fingerprint));
    trust = true;
    EXPECT_EQ(list.Refresh(list.Calendars()[0].Id), QString());
    EXPECT_NE(list.Calendars()[0].CertificateSha256, basSync::HttpSession::CanonicalFingerprint(fingerprint));
    server->kill();
    server->waitForFinished(5000);
}

// Changes that lost to the server's are listed until the user settles each; keeping both
// leaves the copy, dropping removes it. A calendar's box hides it from the views.
TEST_F(Calendars, TheWindowListsLostChangesUntilSettledAndHidesACalendarByItsBox)
{
    basDatabase::EventStore db;
    ASSERT_TRUE(db.OpenDatabaseConnection());
    basDatabase::Subscription work;
    work.Address = QStringLiteral("https://dav.example/work/");
    work.Type = basDatabase::Subscription::Kind::CalDav;
    work.Writable = true;
    ASSERT_TRUE(basDatabase::SubscriptionStore(db).AddSubscription(work));
    EventService events(db);
    const auto lostChange = [&](const QString &name) {
        Event copy;
        copy.EventName = name + QStringLiteral(" (my change, not sent)");
        copy.StartTime = QTime(9, 0);
        copy.EndTime = QTime(10, 0);
        copy.Dates = {QDate(2026, 12, 10)};
        const std::optional<EventService::Saved> saved = events.Save(copy);
        EXPECT_TRUE(saved);
        basDatabase::Conflict conflict;
        conflict.SubscriptionId = work.Id;
        conflict.Href = QStringLiteral("/work/%1.ics").arg(name);
        conflict.Message = name + QStringLiteral(" was changed on the server too");
        conflict.Copies = {saved ? saved->EventID : 0};
        EXPECT_TRUE(basDatabase::ConflictStore(db).Add(conflict));
        return conflict.Copies.first();
    };
    const qint64 keptCopy = lostChange(QStringLiteral("Review"));
    const qint64 dropped = lostChange(QStringLiteral("Planning"));

    CalendarList list(QString(), Passwords());
    frmCalendars window(list);
    auto *conflicts = quillontest::Find<QListWidget>(window, "lstConflicts");
    ASSERT_TRUE(quillontest::Find<QGroupBox>(window, "fraConflicts")->isVisibleTo(&window));
    ASSERT_EQ(conflicts->count(), 2);
    EXPECT_EQ(conflicts->item(0)->text(), QStringLiteral("Review was changed on the server too"));
    quillontest::Find<QPushButton>(window, "cmdKeepBoth")->click();
    ASSERT_EQ(conflicts->count(), 1);
    quillontest::Find<QPushButton>(window, "cmdDropMine")->click();
    EXPECT_FALSE(quillontest::Find<QGroupBox>(window, "fraConflicts")->isVisibleTo(&window));
    EXPECT_EQ(events.Exists(keptCopy), std::optional<bool>(true));
    EXPECT_EQ(events.Exists(dropped), std::optional<bool>(false));

    auto *calendars = quillontest::Find<QTreeWidget>(window, "lstCalendars");
    ASSERT_EQ(calendars->topLevelItemCount(), 1);
    EXPECT_EQ(calendars->topLevelItem(0)->checkState(0), Qt::Checked);
    calendars->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    basDatabase::Subscription read;
    ASSERT_TRUE(basDatabase::SubscriptionStore(db).GetSubscription(work.Id, read));
    EXPECT_TRUE(read.Hidden);
    EXPECT_TRUE(messages.empty());
}

} // namespace

} // namespace quillon
