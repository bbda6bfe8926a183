#include "UnsavedNotes.h"

#include "basDateText.h"

#include <QCoreApplication>
#include <QStringList>

namespace quillon {

namespace UnsavedNotes {

QString ClosingQuestion(const QMap<QDate, QString> &notes)
{
    QStringList days;
    for (auto it = notes.cbegin(); it != notes.cend(); ++it)
        days << basDateText::FormatDateText(it.key());
    return QCoreApplication::translate("UnsavedNotes", "The notes for %1 could not be stored.\n\n"
                          "Copy them to the clipboard before closing?\n"
                          "(No closes without them; Cancel keeps the window open.)")
        .arg(days.join(QStringLiteral(", ")));
}

QString ClipboardText(const QMap<QDate, QString> &notes)
{
    QStringList parts;
    for (auto it = notes.cbegin(); it != notes.cend(); ++it)
        parts << basDateText::FormatDateText(it.key()) + QLatin1Char('\n') + it.value();
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace UnsavedNotes

} // namespace quillon
