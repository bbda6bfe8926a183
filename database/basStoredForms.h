// The forms values take inside the store file: dates as ISO text ("2026-12-07"),
// times of day as "HH:mm" ("09:30"). The store writes only these; reading is lenient
// about the "9:30 AM" of older files. Used by the store and by its check.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

namespace quillon {

namespace basStoredForms {

// "2026-12-07"; throws basOperation::Failure (Type mismatch) for an invalid date.
QString DateText(QDate date);
// DateText(date) written (in ASCII) at text, which has room for kDateTextMax characters;
// returns how many it wrote. For lists of many days, without a text of each between.
inline constexpr qsizetype kDateTextMax = 10;
qsizetype WriteDateText(QDate date, char *text);
// Invalid for null, empty or anything but an ISO date.
QDate ReadDate(const QVariant &value);
// The same of a text.
QDate ReadDateText(QStringView text);

// "09:30", or an empty text for an invalid time.
QString TimeText(QTime time);
// Null for null, empty or unreadable text.
QTime ReadTime(const QVariant &value);

} // namespace basStoredForms

} // namespace quillon
