#include "basICalendar.h"

#include "EventService.h"
#include "ICalendarColors.h"
#include "ICalendarFingerprint.h"
#include "ICalendarWriter.h"
#include "basOperation.h"
#include "platform/basPlatform.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>

namespace basICalendar {

namespace {

using basOperation::Failure;
using basOperation::Steps;

QByteArray ReadWholeFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        throw Failure(basOperation::kFileNotFound, QStringLiteral("%1: file not found").arg(path));
    const auto tooLarge = [&path](qint64 bytes) {
        return Failure(basOperation::kOverflow,
                       QStringLiteral("%1: the file is larger than %2 MB (%3 bytes); nothing was imported")
                           .arg(path, QString::number(ICalendarReader::kMaxFileBytes / (1024 * 1024)),
                                QString::number(bytes)));
    };
    if (info.size() > ICalendarReader::kMaxFileBytes)
        throw tooLarge(info.size());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(basOperation::kPathFileAccessError, QStringLiteral("%1: %2").arg(path, file.errorString()));
    // The file may have grown since it was measured.
    QByteArray text = file.read(ICalendarReader::kMaxFileBytes + 1);
    if (text.size() > ICalendarReader::kMaxFileBytes)
        throw tooLarge(text.size());
    return text;
}

// The church-year days an export adds; every store has them already.
const QString kChurchDayUidPrefix = QStringLiteral("churchyear-");
const QString kChurchDayUidSuffix = QStringLiteral("@quillon");

QString ChurchDayUid(QDate day)
{
    return kChurchDayUidPrefix + day.toString(QStringLiteral("yyyyMMdd")) + kChurchDayUidSuffix;
}

bool IsChurchDayUid(const QString &uid)
{
    return uid.startsWith(kChurchDayUidPrefix) && uid.endsWith(kChurchDayUidSuffix)
           && uid.size() == kChurchDayUidPrefix.size() + 8 + kChurchDayUidSuffix.size();
}

struct ImportWork {
    basDatabase::EventStore &store;
    EventService &events;
    const ICalendarReader::CalendarContents &contents;
    QDate today;
    ImportSummary &summary;

    // Whether the stored event already is what the file says (in the file's terms).
    bool SameAsStored(qint64 eventId, const ICalendarReader::CalendarEvent &incoming, bool &ok)
    {
        basDatabase::EventRecord stored;
        QList<QDate> sorted;
        ok = store.GetEventData(eventId, stored) && store.GetAllDatesForEvent(eventId, sorted);
        if (!ok)
            return false;
        std::sort(sorted.begin(), sorted.end());
        return ICalendarFingerprint::FileForm(stored) == ICalendarFingerprint::FileForm(incoming.Event)
               && sorted == incoming.Dates;
    }

    // The event the store refused, for the caller to name (the store has reported why).
    const ICalendarReader::CalendarEvent *refused = nullptr;

    void Touched(const QList<QDate> &dates)
    {
        summary.TouchesCurrentMonth = summary.TouchesCurrentMonth || EventService::TouchesShownMonth(dates, today);
    }

    bool Run()
    {
        QHash<QString, basDatabase::EventStore::EventUid> known;
        if (!store.GetEventUids(known))
            return false;
        int churchDays = 0;
        for (const ICalendarReader::CalendarEvent &event : contents.Events) {
            if (IsChurchDayUid(event.Uid)) {
                ++churchDays;
                continue;
            }
            refused = &event;
            const QString fingerprint = ICalendarFingerprint::Fingerprint(event.Event, event.Dates);
            const auto found = known.constFind(event.Uid);
            if (found == known.cend()) {
                EventDraft draft = EventService::ToDraft(event.Event, event.Dates);
                draft.EventID = 0; // a new event, whatever the file's record says
                const std::optional<EventService::Saved> saved = events.Save(draft);
                if (!saved || !store.SetEventUid(event.Uid, saved->EventID, fingerprint))
                    return false;
                ++summary.Added;
                Touched(saved->TouchedDates);
                known.insert(event.Uid, {saved->EventID, fingerprint});
                continue;
            }
            // The file says what it said last time: whatever was done to the event
            // since then stays.
            if (found->Fingerprint == fingerprint) {
                ++summary.Unchanged;
                continue;
            }
            bool ok = false;
            const qint64 id = found->EventId;
            if (SameAsStored(id, event, ok)) {
                ++summary.Unchanged;
                continue;
            }
            if (!ok)
                return false;
            EventDraft draft = EventService::ToDraft(event.Event, event.Dates);
            draft.EventID = id;
            const std::optional<EventService::Saved> saved = events.Save(draft);
            if (!saved || !store.SetEventUid(event.Uid, id, fingerprint))
                return false;
            ++summary.Updated;
            Touched(saved->TouchedDates);
            known.insert(event.Uid, {id, fingerprint});
        }
        refused = nullptr;
        if (churchDays > 0)
            summary.Warnings.append(
                QStringLiteral("%1 church-year days left out (the store has them already)").arg(churchDays));
        return true;
    }
};

QList<ICalendarWriter::OutgoingEvent> ChurchDays(basDatabase::EventStore &store, const ExportOptions &options, bool &ok)
{
    QList<ICalendarWriter::OutgoingEvent> days;
    QList<basDatabase::DayRecord> records;
    ok = store.GetDates(QDate(options.ChurchYearFrom, 1, 1), QDate(options.ChurchYearTo, 12, 31), records);
    for (const basDatabase::DayRecord &day : std::as_const(records)) {
        if (day.DateText.trimmed().isEmpty())
            continue;
        ICalendarWriter::OutgoingEvent outgoing;
        outgoing.Uid = ChurchDayUid(day.DateKey);
        outgoing.Event.EventName = day.DateText;
        outgoing.Event.AllDayEvent = true;
        outgoing.Event = ICalendarFingerprint::FileForm(outgoing.Event);
        outgoing.Dates = {day.DateKey};
        const QString color = day.DateColor.trimmed().toLower();
        if (!ICalendarColors::NearestEventColor(color).isEmpty())
            outgoing.CssColor = color;
        days.append(outgoing);
    }
    return days;
}

} // namespace

bool ImportCalendarFile(basDatabase::EventStore &store, const QString &path, ImportSummary &summary,
                        ICalendarReader::ReadOptions options, const CalendarReading &read)
{
    summary = ImportSummary{};
    ImportSummary result;
    QString refusal;
    bool cancelled = false;
    const bool done = basOperation::Trap("basICalendar.ImportCalendarFile", false, [&](Steps &step) {
        step(10);
        const QByteArray text = ReadWholeFile(path);
        step(20);
        if (!options.Today.isValid())
            options.Today = basPlatform::Today();
        ICalendarReader::CalendarContents contents;
        try {
            contents = read ? read(text, options) : ICalendarReader::ReadCalendar(text, options);
        } catch (const Failure &failure) {
            throw Failure(failure.number(), QStringLiteral("%1: %2; nothing was imported").arg(path, failure.description()));
        } catch (const ICalendarReader::Cancelled &) {
            cancelled = true;
            return false;
        }
        result.Warnings = contents.Warnings;
        step(30);
        EventService events(store);
        ImportWork work{store, events, contents, options.Today, result};
        // A store operation that fails has reported itself; all of the import goes.
        if (store.RunInTransaction([&work] { return work.Run(); }))
            return true;
        if (work.refused)
            refusal = QStringLiteral("%1: line %2: the store did not take \"%3\"; nothing was imported")
                          .arg(path, QString::number(work.refused->Line), work.refused->Event.EventName);
        return false;
    });
    if (done)
        summary = result;
    summary.Refusal = refusal;
    summary.Cancelled = cancelled;
    return done;
}

bool ExportCalendarFile(basDatabase::EventStore &store, const QString &path, ExportSummary &summary,
                        const ExportOptions &options)
{
    summary = ExportSummary{};
    ExportSummary result;
    return basOperation::Trap("basICalendar.ExportCalendarFile", false, [&](Steps &step) {
        step(10);
        const bool withChurchYear = options.ChurchYearFrom != 0 || options.ChurchYearTo != 0;
        if (withChurchYear
            && (options.ChurchYearFrom < ICalendarReader::kFirstDate.year()
                || options.ChurchYearTo > ICalendarReader::kLastDate.year() || options.ChurchYearFrom > options.ChurchYearTo))
            throw Failure(basOperation::kInvalidProcedureCall,
                          QStringLiteral("The church-year range %1-%2 is not within 1900-2100")
                              .arg(options.ChurchYearFrom)
                              .arg(options.ChurchYearTo));
        step(20);
        QList<basDatabase::EventStore::EventWithDates> events;
        if (!store.GetAllEvents(events))
            return false;
        QHash<QString, basDatabase::EventStore::EventUid> known;
        if (!store.GetEventUids(known))
            return false;
        QHash<qint64, QString> uidOf;
        for (auto it = known.cbegin(); it != known.cend(); ++it)
            uidOf.insert(it->EventId, it.key());
        step(30);
        QList<ICalendarWriter::OutgoingEvent> outgoing;
        QList<qint64> ids; // parallel to outgoing
        outgoing.reserve(events.size());
        ids.reserve(events.size());
        for (const basDatabase::EventStore::EventWithDates &stored : std::as_const(events)) {
            const basDatabase::EventRecord &record = stored.Event;
            const QString name = QStringLiteral("event %1 \"%2\"").arg(record.EventID).arg(record.EventName);
            if (stored.Dates.isEmpty()) {
                result.LeftOut.append(name + QStringLiteral(": no date"));
                continue;
            }
            if (!record.AllDayEvent && (!record.StartTime.isValid() || !record.EndTime.isValid())) {
                result.LeftOut.append(name + QStringLiteral(": no readable time"));
                continue;
            }
            ICalendarWriter::OutgoingEvent event;
            event.Uid = uidOf.value(record.EventID);
            event.Event = ICalendarFingerprint::FileForm(record);
            event.Dates = stored.Dates;
            event.CssColor = ICalendarColors::CssNameOf(event.Event.EventColor);
            outgoing.append(event);
            ids.append(record.EventID);
        }
        // New UIDs are kept before the file is written: the same event must never be
        // written with two of them.
        const bool recorded = store.RunInTransaction([&] {
            for (qsizetype i = 0; i < outgoing.size(); ++i) {
                ICalendarWriter::OutgoingEvent &event = outgoing[i];
                if (!event.Uid.isEmpty())
                    continue;
                event.Uid = QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("@quillon");
                if (!store.SetEventUid(event.Uid, ids[i], ICalendarFingerprint::Fingerprint(event.Event, event.Dates)))
                    return false;
            }
            return true;
        });
        if (!recorded)
            return false;
        result.Events = int(outgoing.size());
        step(40);
        if (withChurchYear) {
            bool ok = false;
            QList<ICalendarWriter::OutgoingEvent> days = ChurchDays(store, options, ok);
            if (!ok)
                return false;
            result.ChurchDays = int(days.size());
            outgoing += days;
        }
        step(50);
        const QByteArray text = ICalendarWriter::WriteCalendar(outgoing, basPlatform::Now());
        step(60);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
            throw Failure(basOperation::kPathFileAccessError, QStringLiteral("%1: %2").arg(path, file.errorString()));
        summary = result;
        return true;
    });
}

} // namespace basICalendar
