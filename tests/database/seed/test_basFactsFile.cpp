#include "basFactsFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

namespace quillon {

using namespace basFactsFile;

namespace {

bool Load(const QByteArray &content, QList<Fact> &facts, QString &error)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("facts.tsv")));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    file.close();
    return LoadFactsFile(file.fileName(), facts, error);
}

} // namespace

TEST(FactsFile, ReadsFactsAndRejectsMalformedLinesWithTheirNumber)
{
    QList<Fact> facts;
    QString error;
    ASSERT_TRUE(Load("\xEF\xBB\xBF# comment\r\n01-06\tEpiphany  \r\n\n02-29\t\xC3\xA9t\xC3\xA9 ' \" |", facts, error))
        << error.toStdString();
    ASSERT_EQ(facts.size(), 2);
    EXPECT_TRUE(facts[0].monthDay == QStringLiteral("01-06") && facts[0].text == QStringLiteral("Epiphany"));
    EXPECT_TRUE(facts[1].monthDay == QStringLiteral("02-29") && facts[1].text == QString::fromUtf8("\xC3\xA9t\xC3\xA9 ' \" |"));

    const struct { QByteArray line; const char *reason; } bad[] = {
        {"02-30\tNo such day", "not a month-day"}, {"13-01\tNo such month", "not a month-day"},
        {"1-05\tOne digit", "not a month-day"},    {"01-05 Blank, no tab", "no tab"},
        {"01-05\t   ", "empty"},                   {"01-05\tone\ttwo", "more than one tab"}};
    for (const auto &row : bad) {
        facts = {{QStringLiteral("01-01"), QStringLiteral("stale")}};
        EXPECT_FALSE(Load("# header\n01-01\tGood\n" + row.line + "\n12-31\tGood\n", facts, error));
        EXPECT_TRUE(error.contains(QStringLiteral("line 3")) && error.contains(QLatin1String(row.reason)))
            << error.toStdString();
        EXPECT_TRUE(facts.isEmpty());
    }
    EXPECT_FALSE(Load("01-01\tbad \xFF byte\n", facts, error));
    EXPECT_TRUE(error.contains(QStringLiteral("UTF-8")));
    EXPECT_FALSE(LoadFactsFile(QStringLiteral("/nonexistent/facts.tsv"), facts, error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/facts.tsv")));
}

TEST(FactsFile, ShippedFileLoadsAndCoversEveryMonth)
{
    QList<Fact> facts;
    QString error;
    ASSERT_TRUE(LoadFactsFile(QStringLiteral(QUILLON_SOURCE_DIR "/data/facts.tsv"), facts, error))
        << error.toStdString();
    EXPECT_GE(facts.size(), 60);
    QSet<QString> months, texts;
    for (const Fact &fact : facts) {
        months.insert(fact.monthDay.left(2));
        EXPECT_FALSE(texts.contains(fact.text)) << "repeated: " << fact.text.toStdString();
        texts.insert(fact.text);
    }
    EXPECT_EQ(months.size(), 12);
}

} // namespace quillon
