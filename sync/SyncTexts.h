// Every text of a refresh that a person reads, in English as it is stored (a calendar's last
// error, a conflict) and logged; Shown gives it in the user's language.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace quillon {

namespace SyncTexts {

inline constexpr auto kRequestFailed = QT_TRANSLATE_NOOP("SyncTexts", "%1: %2 failed (HTTP %3)");
inline constexpr auto kNoMultiget = QT_TRANSLATE_NOOP("SyncTexts", "%1: the server did not answer calendar-multiget");
inline constexpr auto kNoCalendarData =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the server lists %2 but sends no calendar data for it (calendar-multiget)");
inline constexpr auto kCalDavRefused =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the server refused the CalDAV request (%2 answered HTTP %3)");
inline constexpr auto kPropfindOf = QT_TRANSLATE_NOOP("SyncTexts", "PROPFIND of %1");
inline constexpr auto kPropfindUnreadable =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the answer to PROPFIND of %2 is not readable");
inline constexpr auto kNoCalendarAt =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the server refused the CalDAV request (PROPFIND answered HTTP %2) and gives no calendar at %3 (HTTP %4)");
inline constexpr auto kSyncCollectionUnreadable =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the answer to sync-collection is not readable");
inline constexpr auto kNoListing =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the server answered neither sync-collection nor calendar-query");
inline constexpr auto kTooLarge =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the answer is larger than %2 MB; nothing was changed");
inline constexpr auto kRedirects = QT_TRANSLATE_NOOP("SyncTexts", "%1: too many redirects or a redirect to nowhere");
inline constexpr auto kRedirectToHttp = QT_TRANSLATE_NOOP("SyncTexts", "%1: refused a redirect from https to %2");
inline constexpr auto kGuiThread =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: a network request on the GUI thread was refused");
inline constexpr auto kOverTime =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the answer was not complete within %2 seconds; the request was stopped");
inline constexpr auto kUntrusted =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the certificate is not trusted (%2); its SHA-256 fingerprint is %3");
inline constexpr auto kCertificateChanged =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the certificate changed since it was trusted (%2); its SHA-256 fingerprint is now %3");
inline constexpr auto kNoAnswer = QT_TRANSLATE_NOOP("SyncTexts", "%1: no answer within %2 seconds");
inline constexpr auto kLoginRefused =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the server refused the user name or password");
inline constexpr auto kLoginNeeded = QT_TRANSLATE_NOOP("SyncTexts", "%1: the server asks for a user name and password");
inline constexpr auto kIncomplete =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the connection ended after %2 of the %3 bytes announced; the answer is incomplete");
inline constexpr auto kUnreadable = QT_TRANSLATE_NOOP("SyncTexts", "%1: the answer cannot be read (%2)");
inline constexpr auto kBrokeOff = QT_TRANSLATE_NOOP("SyncTexts", "%1: the connection broke off during the answer (%2)");
inline constexpr auto kNotDeleted =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: %2 was changed on the server; it stays, not deleted");
inline constexpr auto kChangeNotKept =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: %2 was changed on the server too; your change was not kept");
inline constexpr auto kChangeKeptAs =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: \"%2\" was changed on the server too; your change is kept on this computer as \"%3\"");
inline constexpr auto kWaitsForEarlier = QT_TRANSLATE_NOOP("SyncTexts", "waits for the change before it: %1");
inline constexpr auto kChangeRefused = QT_TRANSLATE_NOOP("SyncTexts", "%1: the server answered HTTP %2 to %3 of %4");
inline constexpr auto kChangesWait = QT_TRANSLATE_NOOP("SyncTexts", "%1 change(s) wait to be sent: %2");
inline constexpr auto kChangeWaits = QT_TRANSLATE_NOOP("SyncTexts", "%1; the change waits to be sent");
inline constexpr auto kLaterChangesWait =
    QT_TRANSLATE_NOOP("SyncTexts", "%1 later change(s) of the same events wait with them");
inline constexpr auto kRemoveAll =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the server now has none of the %2 events kept here. Remove them here too?");
inline constexpr auto kRemoveOthers =
    QT_TRANSLATE_NOOP("SyncTexts", "%1: the server now has %2 of the %3 events kept here. Remove the other %4 here too?");
inline constexpr auto kRemovedMeanwhile =
    QT_TRANSLATE_NOOP("SyncTexts", "The subscription %1 was removed meanwhile; nothing was stored");
inline constexpr auto kSkipped = QT_TRANSLATE_NOOP("SyncTexts", "%1: %2; skipped");
inline constexpr auto kHttpFor = QT_TRANSLATE_NOOP("SyncTexts", "%1: the server answered HTTP %2 for %3");
inline constexpr auto kNoCalendar = QT_TRANSLATE_NOOP("SyncTexts", "%1: the address gave no calendar (%2) for %3");
inline constexpr auto kNoContentType = QT_TRANSLATE_NOOP("SyncTexts", "no content type");
inline constexpr auto kCalendarUnreadable = QT_TRANSLATE_NOOP("SyncTexts", "%1: the calendar cannot be read: %2");
inline constexpr auto kNotStored = QT_TRANSLATE_NOOP("SyncTexts", "The events could not be stored: %1");
inline constexpr auto kSubscriptionUnreadable =
    QT_TRANSLATE_NOOP("SyncTexts", "The subscription %1 could not be read: %2");
inline constexpr auto kStateNotStored =
    QT_TRANSLATE_NOOP("SyncTexts", "The state of the subscription could not be stored: %1");
inline constexpr auto kNotAnAddress = QT_TRANSLATE_NOOP("SyncTexts", "%1 is not an http, https or webcal address");
inline constexpr auto kUnencrypted =
    QT_TRANSLATE_NOOP("SyncTexts", "%1 sends your password unencrypted (http://); use https:// if the server offers it");
inline constexpr auto kDatabaseUnopened = QT_TRANSLATE_NOOP("SyncTexts", "The database could not be opened: %1");

// Not stored in English: the name of the copy kept when the server's version won, which is
// the user's own event from then on and so is named in the user's words when it is made.
//: %1 is the event's own name.
inline constexpr auto kNotSentName = QT_TRANSLATE_NOOP("SyncTexts", "%1 (my change, not sent)");

// A refresh's English text, line by line, in the user's language, the calendar reading's
// warnings and reasons within it too; a server's own words stay.
QString Shown(const QString &english);

} // namespace SyncTexts

} // namespace quillon
