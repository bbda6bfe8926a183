// Fixture for every test that touches files, settings, the clock or message boxes:
// a fresh temporary data folder and config folder, a fixed clock, and a recorder
// that answers message boxes instead of showing them.
#pragma once

#include "platform/basPlatform.h"

#include <QByteArray>
#include <QObject>
#include <QProcessEnvironment>
#include <QDate>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace quillon {

namespace quillontest {

// Sets environment variables and puts the old values back when it goes.
class ScopedEnvironment {
public:
    ~ScopedEnvironment();
    void Set(const char *name, const QByteArray &value);
    void Unset(const char *name);

private:
    std::map<QByteArray, std::pair<bool, QByteArray>> m_saved;
    void Save(const char *name);
};

// This process's environment for a program started in the given locale ("de_DE.UTF-8"):
// LC_ALL and LANG set, LANGUAGE taken away so that it cannot choose another language.
QProcessEnvironment InLocale(const QString &locale);

class QuillonTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The fixed "now" of this test; 6 December 2026, 18:46:25 unless changed.
    void SetNow(const QDateTime &now);

    QString DataDir() const { return m_dataDir.path(); }
    QString ConfigDir() const { return m_configDir.path(); }
    QString TempPath(const QString &name) const { return m_dataDir.path() + QLatin1Char('/') + name; }
    QString ReadDataFile(const QString &name) const;

    // Every message box shown during the test, with the answer given.
    std::vector<basPlatform::MessageRequest> messages;
    basPlatform::MessageResult nextAnswer = basPlatform::MessageResult::Ok;

    ScopedEnvironment env;

private:
    QTemporaryDir m_dataDir;
    QTemporaryDir m_configDir;
    QTemporaryDir m_runtimeDir;
    basPlatform::MessageHandler m_previousHandler;
};

// A window's control by its object name, as the user's tools see it; fails the test
// (and gives null) when there is none.
template <class T>
T *Find(const QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << "no " << name << " in " << window.objectName().toStdString();
    return found;
}

} // namespace quillontest

} // namespace quillon
