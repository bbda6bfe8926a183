#include "SyncTexts.h"

#include "ICalendarTexts.h"
#include "basShownText.h"

namespace quillon {

namespace SyncTexts {

QString Shown(const QString &english)
{
    static constexpr const char *kForms[] = {
        kRequestFailed,
        kNoMultiget,
        kNoCalendarData,
        kCalDavRefused,
        kPropfindOf,
        kPropfindUnreadable,
        kNoCalendarAt,
        kSyncCollectionUnreadable,
        kNoListing,
        kTooLarge,
        kRedirects,
        kRedirectToHttp,
        kGuiThread,
        kOverTime,
        kUntrusted,
        kCertificateChanged,
        kNoAnswer,
        kLoginRefused,
        kLoginNeeded,
        kIncomplete,
        kUnreadable,
        kBrokeOff,
        kNotDeleted,
        kChangeNotKept,
        kChangeKeptAs,
        kWaitsForEarlier,
        kChangeRefused,
        kChangesWait,
        kChangeWaits,
        kLaterChangesWait,
        kRemoveAll,
        kRemoveOthers,
        kRemovedMeanwhile,
        kSkipped,
        kHttpFor,
        kNoCalendar,
        kNoContentType,
        kCalendarUnreadable,
        kNotStored,
        kSubscriptionUnreadable,
        kStateNotStored,
        kNotAnAddress,
        kUnencrypted,
        kDatabaseUnopened,
    };
    // A calendar's own warnings and why it could not be read come from its reading.
    const basShownText::Forms groups[] = {{"SyncTexts", kForms}, {"ICalendarTexts", ICalendarTexts::Forms()}};
    return basShownText::Of(english, groups);
}

} // namespace SyncTexts

} // namespace quillon
