// How the search compares texts: case and accents folded, so that "cafe" finds "Café"
// and "STRASSE" finds "Straße"; and how a typed query becomes the words looked for.
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

namespace SearchText {

// The text decomposed (compatibility forms too: "ﬁ" is "fi"), without its combining
// marks, the few letters that carry their accent inside them spelt out, case folded.
QString Fold(const QString &text);

// The folded words of a query, each once, in the order typed; whitespace separates them.
QStringList Words(const QString &query);

// What an event is found by: its name, notes and place, folded, one to a line (no word
// of a query holds a line break, so none reaches across two of them).
QString IndexText(const QString &name, const QString &notes, const QString &place);

} // namespace SearchText

} // namespace quillon
