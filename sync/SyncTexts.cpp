#include "SyncTexts.h"

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
    return basShownText::Of(english, "SyncTexts", kForms);
}

} // namespace SyncTexts

} // namespace quillon
