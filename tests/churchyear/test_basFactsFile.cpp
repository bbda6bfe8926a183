#include "basFactsFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

using namespace basFactsFile;

namespace {

QString Write(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath(QStringLiteral("facts.tsv"));
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
    return path;
}

} // namespace

TEST(FactsFile, ReadsFactsSkipsCommentsAndBlankLines)
{
    QTemporaryDir dir;
    const QString path = Write(dir, "\xEF\xBB\xBF# facts\r\n"
                                    "01-06\tEpiphany  \r\n"
                                    "\n"
                                    "02-29\tLeap day: \xC3\xA9t\xC3\xA9, quotes ' \" and | kept\n"
                                    "12-31\tLast day");
    QList<Fact> facts;
    QString error;
    ASSERT_TRUE(LoadFactsFile(path, facts, error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    ASSERT_EQ(facts.size(), 3);
    EXPECT_EQ(facts[0].monthDay, QStringLiteral("01-06"));
    EXPECT_EQ(facts[0].text, QStringLiteral("Epiphany"));
    EXPECT_EQ(facts[1].monthDay, QStringLiteral("02-29"));
    EXPECT_EQ(facts[1].text, QString::fromUtf8("Leap day: \xC3\xA9t\xC3\xA9, quotes ' \" and | kept"));
    EXPECT_EQ(facts[2].text, QStringLiteral("Last day"));
}

TEST(FactsFile, RejectsMalformedLinesWithTheirNumber)
{
    const struct { QByteArray line; const char *reason; } bad[] = {
        {"02-30\tNo such day", "is not a month-day"},
        {"13-01\tNo such month", "is not a month-day"},
        {"1-05\tOne digit", "is not a month-day"},
        {"01/05\tSlash", "is not a month-day"},
        {"01-05 Blank instead of tab", "no tab"},
        {"01-05\t   ", "empty"},
        {"01-05\tone\ttwo", "more than one tab"},
    };
    QTemporaryDir dir;
    for (const auto &row : bad) {
        const QString path = Write(dir, "# header\n01-01\tGood line\n" + row.line + "\n12-31\tGood\n");
        QList<Fact> facts{{QStringLiteral("99-99"), QStringLiteral("stale")}};
        QString error;
        EXPECT_FALSE(LoadFactsFile(path, facts, error)) << row.line.constData();
        EXPECT_TRUE(error.contains(QStringLiteral("line 3"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(row.reason))) << error.toStdString();
        EXPECT_TRUE(facts.isEmpty());
    }

    QList<Fact> facts;
    QString error;
    EXPECT_FALSE(LoadFactsFile(dir.filePath(QStringLiteral("missing.tsv")), facts, error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.tsv")));
    EXPECT_FALSE(LoadFactsFile(Write(dir, "01-01\tbad \xFF byte\n"), facts, error));
    EXPECT_TRUE(error.contains(QStringLiteral("UTF-8")));
}

TEST(FactsFile, ShippedFileLoadsAndCoversEveryMonth)
{
    QList<Fact> facts;
    QString error;
    ASSERT_TRUE(LoadFactsFile(QStringLiteral(QUILLON_SOURCE_DIR "/data/facts.tsv"), facts, error))
        << error.toStdString();
    EXPECT_GE(facts.size(), 60);
    QSet<QString> months;
    QSet<QString> texts;
    for (const Fact &fact : facts) {
        months.insert(fact.monthDay.left(2));
        EXPECT_FALSE(texts.contains(fact.text)) << "repeated: " << fact.text.toStdString();
        texts.insert(fact.text);
    }
    EXPECT_EQ(months.size(), 12);
}
