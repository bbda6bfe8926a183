#pragma once
// What the scheduler says and keeps when a day's notes could not be stored as it closes.

#include <QDate>
#include <QMap>
#include <QString>

namespace quillon {

namespace UnsavedNotes {

// The question asked before the window closes: Yes copies the notes, No lets them go,
// Cancel keeps the window open.
QString ClosingQuestion(const QMap<QDate, QString> &notes);

// The notes as one text, each under its day, for the clipboard.
QString ClipboardText(const QMap<QDate, QString> &notes);

} // namespace UnsavedNotes

} // namespace quillon
