// The one text form of a date that crosses component boundaries: "m/dd/yyyy"
// (1/05/2009). The store returns it, the editor produces it, so date lists from
// both sides compare as text. Parsing also takes m/d/yyyy without leading zeros.
#pragma once

#include <QDate>
#include <QString>

namespace quillon {

namespace basDateText {

QString FormatDateText(const QDate &date);
// An invalid QDate when the text is not a month/day/year date.
QDate ParseDateText(const QString &text);
// The same date in the one form, or an empty text when it is not a date.
QString NormalizeDateText(const QString &text);

} // namespace basDateText

} // namespace quillon
