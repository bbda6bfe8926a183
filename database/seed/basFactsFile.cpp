#include "basFactsFile.h"

#include <QDate>
#include <QFile>
#include <QStringDecoder>

namespace quillon {

namespace basFactsFile {

namespace {

// "MM-DD" with two digits each, for a day that exists in some year (02-29 included).
bool IsMonthDay(const QString &key)
{
    if (key.size() != 5 || key.at(2) != QLatin1Char('-'))
        return false;
    for (int i : {0, 1, 3, 4})
        if (key.at(i) < QLatin1Char('0') || key.at(i) > QLatin1Char('9'))
            return false;
    const int month = key.left(2).toInt();
    const int day = key.mid(3).toInt();
    return QDate::isValid(2000, month, day); // 2000 is a leap year
}

} // namespace

bool LoadFactsFile(const QString &path, QList<Fact> &facts, QString &error)
{
    facts.clear();
    error.clear();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: cannot read the file: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8); // drops a leading byte-order mark
    const QString content = decoder(bytes);
    if (decoder.hasError()) {
        error = QStringLiteral("%1: the file is not valid UTF-8").arg(path);
        return false;
    }

    QList<Fact> read;
    const QStringList lines = content.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;

        const auto fail = [&](const QString &reason) {
            error = QStringLiteral("%1, line %2: %3").arg(path).arg(i + 1).arg(reason);
            return false;
        };
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            return fail(QStringLiteral("no tab between the month-day and the text"));
        const QString key = line.left(tab);
        if (!IsMonthDay(key))
            return fail(QStringLiteral("\"%1\" is not a month-day MM-DD of any year").arg(key));
        const QString text = line.mid(tab + 1).trimmed();
        if (text.isEmpty())
            return fail(QStringLiteral("the fact's text is empty"));
        if (text.contains(QLatin1Char('\t')))
            return fail(QStringLiteral("more than one tab"));
        read.append(Fact{key, text});
    }
    facts = read;
    return true;
}

} // namespace basFactsFile

} // namespace quillon
