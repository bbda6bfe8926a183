#include "basTranslations.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillon {

namespace {

TEST(basTranslations, HelpOpensInTheUsersLanguageWhereThereArePages)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString help = folder.path() + QStringLiteral("/help/");
    ASSERT_TRUE(QDir().mkpath(help + QStringLiteral("de")));
    ASSERT_TRUE(QDir().mkpath(help + QStringLiteral("fr")));  // a folder without pages
    for (const QString &page : {help + QStringLiteral("index.html"), help + QStringLiteral("de/index.html")}) {
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(basTranslations::HelpContents(folder.path(), QLocale(QStringLiteral("de_AT"))), help + QStringLiteral("de/index.html"));
    EXPECT_EQ(basTranslations::HelpContents(folder.path(), QLocale(QStringLiteral("fr_FR"))), help + QStringLiteral("index.html"));
    EXPECT_EQ(basTranslations::HelpContents(folder.path(), QLocale(QStringLiteral("ja_JP"))), help + QStringLiteral("index.html"));
}

} // namespace

} // namespace quillon
