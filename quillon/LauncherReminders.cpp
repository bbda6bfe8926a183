#include "LauncherReminders.h"

#include "basICalendar.h"

#include "ReminderNotifier.h"
#include "ReminderSetting.h"
#include "basLocale.h"

#include <QFileInfo>
#include <QTimeZone>
#include <QLocale>
#include <QPointer>

#include <algorithm>

namespace quillon {

namespace {
// A timer further out than this is set again then: QTimer counts in int milliseconds.
constexpr qint64 kLongestWaitMs = 6LL * 60 * 60 * 1000;
// When the store cannot be read, the next try.
constexpr qint64 kRetryMs = 60 * 1000;
// The grouped notification names this many events, then "and N more".
constexpr qsizetype kNamedInGroup = 5;
} // namespace

LauncherReminders::LauncherReminders(ReminderServices services, QObject *parent)
    : QObject(parent), m_services(std::move(services))
{
    m_next.setSingleShot(true);
    m_next.setTimerType(Qt::PreciseTimer);
    connect(&m_next, &QTimer::timeout, this, &LauncherReminders::Replan);
    m_look.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_look, &QTimer::timeout, this, &LauncherReminders::LookAtStore);
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &LauncherReminders::LookAtStore);
    connect(&m_files, &QFileSystemWatcher::fileChanged, this, [this] {
        if (!m_settle.isActive())
            m_settle.start(m_services.storeSettleMs);
    });
    if (m_services.notifier)
        connect(m_services.notifier, &ReminderNotifier::ActionInvoked, this, &LauncherReminders::OnAction);
}

bool LauncherReminders::Start()
{
    const QString path = m_services.databasePath.isEmpty() ? basDatabase::EventStore::DatabasePath()
                                                           : m_services.databasePath;
    // No store yet is no error for the launcher (the scheduler says so when it starts);
    // one that is there but cannot be opened is reported.
    if (!QFileInfo::exists(path) || !m_store.OpenDatabaseConnection(path))
        return false;
    FollowZoneAndDate();
    m_version = m_store.ChangesByOthers();
    m_jump.Reset(*m_services.clock);
    m_path = path;
    m_look.start(m_services.storeLookMs);
    Replan();
    WatchStoreFiles();
    return true;
}

// Other programs' saves are heard of through the file system rather than by asking the
// store every few seconds: an idle launcher then does not wake for them. The WAL exists
// once the store has been read; a file replaced or deleted drops out of the watch and is
// taken up again at the next look.
void LauncherReminders::WatchStoreFiles()
{
    const QStringList wanted{m_path, m_path + QStringLiteral("-wal")};
    const QStringList watched = m_files.files();
    for (const QString &file : wanted)
        if (!watched.contains(file) && QFileInfo::exists(file))
            m_files.addPath(file);
}

// The store's times follow the system's zone, and its rules without end the date: looked
// at again when either has changed.
bool LauncherReminders::FollowZoneAndDate()
{
    const QByteArray zone = QTimeZone::systemTimeZoneId();
    const QDate today = m_services.clock->Today();
    if (zone == m_zone && today == m_indexDate)
        return false;
    m_zone = zone;
    m_indexDate = today;
    bool moved = false;
    basICalendar::KeepIndexCurrent(m_store, QTimeZone::systemTimeZone(), today, &moved);
    if (moved)
        emit EventTimesMoved();
    return moved;
}

void LauncherReminders::LookAtStore()
{
    WatchStoreFiles();
    const bool moved = FollowZoneAndDate();
    const bool jumped = moved || m_jump.Jumped(*m_services.clock);
    const qint64 version = m_store.ChangesByOthers();
    const bool changed = version != m_version;
    m_version = version;
    if (jumped || changed)
        Replan();
    if (changed)
        emit StoreChanged();
}

void LauncherReminders::Replan()
{
    const QDateTime now = m_services.clock->Now();
    QDateTime wake = now.addMSecs(kRetryMs);
    if (const std::optional<ReminderPlan::Plan> plan = m_planner.Replan(now)) {
        QList<ReminderOccurrence> due;
        for (const ReminderOccurrence &occurrence : plan->Due)
            if (!m_shownHere.contains(ReminderPlan::KeyOf(occurrence)))
                due.append(occurrence);
        if (!due.isEmpty())
            Show(due, now);
        wake = plan->WakeAt;
    }
    // Snoozed ones come back at their time (already recorded: they are shown once more
    // because the user asked for it).
    for (auto it = m_snoozed.begin(); it != m_snoozed.end();) {
        if (it->first <= now) {
            if (ReminderSetting::IsOn())
                ShowOne(it->second);
            it = m_snoozed.erase(it);
        } else {
            wake = std::min(wake, it->first);
            ++it;
        }
    }
    m_wakeAt = wake;
    const qint64 ms = std::clamp<qint64>(now.msecsTo(wake), 0, kLongestWaitMs);
    m_next.start(static_cast<int>(ms));
}

void LauncherReminders::Show(const QList<ReminderOccurrence> &due, const QDateTime &now)
{
    // Switched off: they pass unseen, and do not come back as missed when it is on again.
    if (!ReminderSetting::IsOn() || !m_services.notifier) {
        Record(due);
        return;
    }
    QList<ReminderOccurrence> onTime;
    QList<ReminderOccurrence> missed;
    const QDateTime lateLimit = now.addSecs(-kLateSecs);
    for (const ReminderOccurrence &occurrence : due)
        (occurrence.Due >= lateLimit ? onTime : missed).append(occurrence);
    if (missed.size() == 1)
        onTime.prepend(missed.takeFirst());
    if (!missed.isEmpty())
        ShowGroup(AwayTitle(missed.size()), missed);
    // A feed with an alarm on every event must not flood the desktop.
    if (onTime.size() > kShownApart) {
        ShowGroup(TogetherTitle(onTime.size()), onTime);
        return;
    }
    for (const ReminderOccurrence &occurrence : std::as_const(onTime)) {
        Record({occurrence});
        ShowOne(occurrence);
    }
}

// Each recorded just before it is shown: a launcher killed while showing neither
// repeats the ones it showed nor loses the rest.
void LauncherReminders::Record(const QList<ReminderOccurrence> &occurrences)
{
    m_planner.MarkShown(occurrences);
    for (const ReminderOccurrence &occurrence : occurrences)
        m_shownHere.insert(ReminderPlan::KeyOf(occurrence));
}

void LauncherReminders::ShowGroup(const QString &title, const QList<ReminderOccurrence> &members)
{
    QStringList lines;
    for (qsizetype i = 0; i < members.size() && i < kNamedInGroup; ++i)
        lines.append(members[i].EventName + QStringLiteral(": ") + BodyOf(members[i]));
    if (members.size() > kNamedInGroup)
        lines.append(tr("and %1 more").arg(members.size() - kNamedInGroup));
    Record(members);
    m_services.notifier->Show(title, lines.join(QLatin1Char('\n')), {kOpen, tr(kOpenText)});
}

void LauncherReminders::ShowOne(const ReminderOccurrence &occurrence)
{
    // The id comes with the server's answer: Snooze and Open find the reminder by it.
    const QPointer<LauncherReminders> self(this);
    m_services.notifier->Show(occurrence.EventName, BodyOf(occurrence), {kSnooze, tr(kSnoozeText), kOpen, tr(kOpenText)},
                              [self, occurrence](quint32 id) {
                                  if (self && id != 0)
                                      self->m_onScreen.insert(id, occurrence);
                              });
}

void LauncherReminders::OnAction(quint32 id, const QString &key)
{
    if (key == kOpen) {
        if (m_services.openScheduler)
            m_services.openScheduler();
        return;
    }
    const auto found = m_onScreen.constFind(id);
    if (key != kSnooze || found == m_onScreen.cend())
        return;
    m_snoozed.append({m_services.clock->Now().addSecs(kSnoozeSecs), *found});
    m_onScreen.erase(found);
    Replan();
}

QString LauncherReminders::AwayTitle(qsizetype count)
{
    return tr("%1 reminders while you were away").arg(count);
}

QString LauncherReminders::TogetherTitle(qsizetype count) { return tr("%1 reminders").arg(count); }

QString LauncherReminders::BodyOf(const ReminderOccurrence &occurrence)
{
    const QLocale locale;
    const QString day = locale.toString(occurrence.Start.date(), QLocale::LongFormat);
    if (occurrence.AllDayEvent)
        return day + tr(" (all day)");
    // Times as the scheduler shows them ("9:30 AM - 10:30 AM").
    return QStringLiteral("%1, %2 - %3")
        .arg(day, basLocale::ShownTime(occurrence.Start.time(), locale), basLocale::ShownTime(occurrence.End.time(), locale));
}

} // namespace quillon
