#include "SessionPasswords.h"

#include <QCoreApplication>
#include <QMutexLocker>

namespace quillon {

SessionPasswords::SessionPasswords(Store store) : m_store(std::move(store))
{
    if (!m_store.read)
        m_store.read = [](const QString &key) { return basSecrets::ReadSecret(key); };
    if (!m_store.write)
        m_store.write = [](const QString &key, const QString &secret) { return basSecrets::WriteSecret(key, secret); };
    if (!m_store.forget)
        m_store.forget = [](const QString &key) { return basSecrets::DeleteSecret(key); };
}

basSecrets::Answer SessionPasswords::Ask(const std::function<basSecrets::Answer()> &call)
{
    {
        const QMutexLocker lock(&m_mutex);
        if (!m_silent.isEmpty())
            return basSecrets::Answer{basSecrets::Status::NoStore, {}, m_silent, true};
    }
    const basSecrets::Answer answer = call();
    if (answer.TimedOut) {
        const QMutexLocker lock(&m_mutex);
        m_silent = answer.Error;
    }
    return answer;
}

SessionPasswords::Found SessionPasswords::Find(const QString &key)
{
    const basSecrets::Answer stored = Ask([&] { return m_store.read(key); });
    Found found;
    if (stored.Outcome == basSecrets::Status::Done) {
        found.Password = stored.Secret;
        return found;
    }
    // A store that cannot be asked (no session bus: "failed", not "no store") keeps
    // nothing either.
    if (stored.Outcome == basSecrets::Status::NoStore || stored.Outcome == basSecrets::Status::Failed) {
        found.NoStore = basSecrets::NoStoreText(stored.Error);
        found.ShownNoStore = basSecrets::ShownNoStoreText(stored.Error);
    }
    const QMutexLocker lock(&m_mutex);
    found.Password = m_session.value(key);
    return found;
}

QString SessionPasswords::Keep(const QString &key, const QString &password)
{
    const basSecrets::Answer kept = Ask([&] { return m_store.write(key, password); });
    if (kept.Outcome == basSecrets::Status::Done)
        return QString();
    Remember(key, password);
    if (kept.Outcome == basSecrets::Status::NoStore)
        return basSecrets::ShownNoStoreText(kept.Error);
    return QCoreApplication::translate("SessionPasswords", "The password could not be kept in the secret store (%1).")
        .arg(kept.Error);
}

void SessionPasswords::Forget(const QString &key)
{
    {
        const QMutexLocker lock(&m_mutex);
        m_session.remove(key);
        m_asked.remove(key);
    }
    Ask([&] { return m_store.forget(key); });
}

void SessionPasswords::Remember(const QString &key, const QString &password)
{
    const QMutexLocker lock(&m_mutex);
    m_session.insert(key, password);
}

bool SessionPasswords::FirstAsk(const QString &key)
{
    const QMutexLocker lock(&m_mutex);
    if (m_asked.contains(key))
        return false;
    m_asked.insert(key);
    return true;
}

} // namespace quillon
