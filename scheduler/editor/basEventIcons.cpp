#include "basEventIcons.h"

#include "basOperation.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

namespace quillon {

namespace basEventIcons {

namespace {

QString ResourcePath(int number)
{
    return QStringLiteral(":/events/%1.svg").arg(number);
}

} // namespace

bool IsEventIcon(int number)
{
    return number >= kFirstIcon && number <= kLastIcon;
}

QIcon EventIcon(int number)
{
    if (!IsEventIcon(number))
        return {};
    return QIcon(ResourcePath(number));
}

QString EventIconTitle(int number)
{
    if (!IsEventIcon(number))
        return {};
    QFile file(ResourcePath(number));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"));
    return title.match(QString::fromUtf8(file.readAll())).captured(1);
}

int IconNumberFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    bool ok = false;
    const int number = trimmed.toInt(&ok);
    if (!ok || !IsEventIcon(number))
        throw basOperation::Failure(326, QStringLiteral("Resource with identifier '%1' not found").arg(text),
                                    QCoreApplication::translate("basErrorHandler", "Resource with identifier '%1' not found")
                                        .arg(text));
    return number;
}

} // namespace basEventIcons

} // namespace quillon
