#include "QuillonTestEnvironment.h"

#include "basQuillon.h"

#include <QFile>

namespace quillon {

namespace quillontest {

ScopedEnvironment::~ScopedEnvironment()
{
    for (const auto &[name, saved] : m_saved) {
        if (saved.first)
            qputenv(name.constData(), saved.second);
        else
            qunsetenv(name.constData());
    }
}

void ScopedEnvironment::Save(const char *name)
{
    if (!m_saved.count(name))
        m_saved[name] = {qEnvironmentVariableIsSet(name), qgetenv(name)};
}

void ScopedEnvironment::Set(const char *name, const QByteArray &value)
{
    Save(name);
    qputenv(name, value);
}

void ScopedEnvironment::Unset(const char *name)
{
    Save(name);
    qunsetenv(name);
}

void QuillonTest::SetUp()
{
    ASSERT_TRUE(m_dataDir.isValid());
    ASSERT_TRUE(m_configDir.isValid());
    ASSERT_TRUE(m_runtimeDir.isValid());
    env.Set("QUILLON_DATA_DIR", m_dataDir.path().toLocal8Bit());
    env.Set("XDG_CONFIG_HOME", m_configDir.path().toLocal8Bit());
    env.Set("XDG_DATA_HOME", (m_configDir.path() + QStringLiteral("/data")).toLocal8Bit());
    env.Set("XDG_RUNTIME_DIR", m_runtimeDir.path().toLocal8Bit());
    env.Set("QUILLON_NONINTERACTIVE", "1");
    // A redraw asked for in a test must not reach the launcher of the real session.
    env.Unset("DBUS_SESSION_BUS_ADDRESS");
    env.Unset("QUILLON_TODAY");
    SetNow(QDateTime(QDate(2026, 12, 6), QTime(18, 46, 25)));
    m_previousHandler = basPlatform::SetMessageHandler([this](const basPlatform::MessageRequest &request) {
        messages.push_back(request);
        return nextAnswer;
    });
}

void QuillonTest::TearDown()
{
    basPlatform::SetMessageHandler(std::move(m_previousHandler));
}

void QuillonTest::SetNow(const QDateTime &now)
{
    env.Set("QUILLON_NOW", now.toString(Qt::ISODate).toLatin1());
}

QString QuillonTest::ReadDataFile(const QString &name) const
{
    QFile file(TempPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QProcessEnvironment InLocale(const QString &locale)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    env.remove(QStringLiteral("LANGUAGE"));
    return env;
}

} // namespace quillontest

} // namespace quillon
