// A text kept in English because it is stored or logged (a refresh's error, a conflict),
// shown in the user's language: each line is matched against the English forms it was
// made from, and the matching form's translation is filled with the same words.
#pragma once

#include <QString>

#include <span>

namespace quillon {

namespace basShownText {

// The English texts with %1..%9 for their words, marked for translation in context.
struct Forms {
    const char *context;
    std::span<const char *const> forms;
};

// A word that is itself such a text is shown the same way, of whichever of the groups it
// is (a reading's reason within a refresh's message); a line no form makes (a server's
// own words, a system's message) stays as it is.
QString Of(const QString &english, std::span<const Forms> groups);
QString Of(const QString &english, const char *context, std::span<const char *const> forms);

} // namespace basShownText

} // namespace quillon
