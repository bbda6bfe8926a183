#include "basICalendar.h"

#include "EventService.h"
#include "ICalendarColors.h"
#include "ICalendarFingerprint.h"
#include "ICalendarKept.h"
#include "ICalendarReadAhead.h"
#include "ICalendarTexts.h"
#include "EventSeries.h"
#include "ICalendarWriter.h"
#include "basOperation.h"
#include "platform/basPlatform.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>
#include <QUuid>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

namespace quillon {

namespace basICalendar {

namespace {

using basOperation::Failure;
using basOperation::Steps;

// A file's reading or writing refused: in English for error.log, in the user's language
// for the box.
Failure FileFailure(int number, const QString &english)
{
    return Failure(number, english, ICalendarTexts::Shown(english));
}

// The file opened for reading, with its size; its text is read as the reader goes.
struct OpenedFile {
    std::shared_ptr<QFile> file;
    qint64 size = 0;
    QDateTime modified;
};

OpenedFile OpenCalendarFile(const QString &path)
{
    const QFileInfo info(path);
    // A folder on the way that may not be entered hides the file: say so, not "not found".
    if (!info.exists() && !QFileInfo(info.absolutePath()).exists())
        throw FileFailure(basOperation::kFileNotFound,
                      QString::fromUtf8(ICalendarTexts::kFolderUnreachable)
                          .arg(path, info.absolutePath()));
    if (!info.exists() || !info.isFile())
        throw FileFailure(basOperation::kFileNotFound, QString::fromUtf8(ICalendarTexts::kFileNotFound).arg(path));
    if (!info.isReadable())
        throw FileFailure(basOperation::kPathFileAccessError,
                      QString::fromUtf8(ICalendarTexts::kFileUnreadable).arg(path));
    const auto tooLarge = [&path](qint64 bytes) {
        return FileFailure(basOperation::kOverflow,
                       QString::fromUtf8(ICalendarTexts::kFileTooLarge)
                           .arg(path, QString::number(ICalendarReader::kMaxFileBytes / (1024 * 1024)),
                                QString::number(bytes)));
    };
    if (info.size() > ICalendarReader::kMaxFileBytes)
        throw tooLarge(info.size());
    auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        throw FileFailure(basOperation::kPathFileAccessError, QStringLiteral("%1: %2").arg(path, file->errorString()));
    // The file may have grown since it was measured.
    const qint64 size = file->size();
    if (size > ICalendarReader::kMaxFileBytes)
        throw tooLarge(size);
    return {file, size, file->fileTime(QFileDevice::FileModificationTime)};
}

// A file written to while it was read gave a mix of two texts: none of it is taken.
// (One replaced by another is no matter: the open one is read to its end.)
void CheckUnchanged(const QString &path, const OpenedFile &opened)
{
    if (opened.file->size() != opened.size
        || opened.file->fileTime(QFileDevice::FileModificationTime) != opened.modified)
        throw FileFailure(basOperation::kPathFileAccessError,
                      QString::fromUtf8(ICalendarTexts::kFileChanged).arg(path));
}

// Why a file could not be written, as the user can act on it: the folder missing, the
// disk full, the system's own reason.
QString WriteFailure(const QString &path, qint64 bytes, const QString &systemReason)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir())
        return QString::fromUtf8(ICalendarTexts::kNoFolder).arg(path, folder);
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.bytesAvailable() < bytes + 4096)
        return QString::fromUtf8(ICalendarTexts::kDiskFull)
            .arg(path, QString::number(storage.bytesAvailable()), QString::number(bytes));
    return QString::fromUtf8(ICalendarTexts::kNotWritten).arg(path, systemReason);
}

// The file is replaced whole or left as it was: never half written.
void WriteWholeFile(const QString &path, const QByteArray &text)
{
    QSaveFile file(path);
    // Unbuffered: a small text held back in a buffer would fail only when it is flushed
    // on commit, which does not notice, and an empty file would replace the old one.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    QString reason = file.errorString();
    errno = 0;
    if (written && file.write(text) != text.size()) {
        written = false;
        reason = errno ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
    }
    if (written) {
        errno = 0;
        written = file.commit();
        if (!written)
            reason = errno ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
    } else {
        file.cancelWriting();
    }
    if (!written)
        throw FileFailure(basOperation::kPathFileAccessError, WriteFailure(path, text.size(), reason));
}

// The church-year days an export adds; every store has them already.
const QString kChurchDayUidPrefix = QStringLiteral("churchyear-");
const QString kChurchDayUidSuffix = QStringLiteral("@quillon");

QString ChurchDayUid(QDate day)
{
    return kChurchDayUidPrefix + day.toString(QStringLiteral("yyyyMMdd")) + kChurchDayUidSuffix;
}

// The UIDs an export gives events that have none.
const QString kOwnUidSuffix = QString::fromLatin1(EventSeries::kOwnUidSuffix);

bool IsOwnUid(const QString &uid) { return EventSeries::SeriesUid(uid).endsWith(kOwnUidSuffix); }

// What an export says of an event's source (X-QUILLON-ORIGIN): enough to know it again
// when the file is read back, without writing the user's paths into the file. Each
// source's is hashed once: a store has a few sources and thousands of events.
class OriginTags {
public:
    QString Of(const QString &source)
    {
        auto tag = m_tags.constFind(source);
        if (tag == m_tags.cend())
            tag = m_tags.insert(
                source,
                QString::fromLatin1(QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha256).toHex().left(16)));
        return *tag;
    }

private:
    QHash<QString, QString> m_tags;
};

bool IsChurchDayUid(const QString &uid)
{
    return uid.startsWith(kChurchDayUidPrefix) && uid.endsWith(kChurchDayUidSuffix)
           && uid.size() == kChurchDayUidPrefix.size() + 8 + kChurchDayUidSuffix.size();
}

// How many events are stored between two words of progress.
constexpr qsizetype kStoringStep = 256;
// Up to this size a file is read into memory whole before its events are read.
constexpr qsizetype kWholeFileBytes = 4 * 1024 * 1024;

struct ImportWork {
    basDatabase::EventStore &store;
    EventService &events;
    ICalendarReader::CalendarContents &contents; // each event let go once stored
    const QString &source;
    QDate today;
    ImportSummary &summary;
    // Which event the store refused, for the caller to name.
    struct Named {
        int line = 0;
        QString name;
    };
    static Named NameOf(const ICalendarReader::CalendarEvent &event) { return {event.Line, event.Event.EventName}; }

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

    // The file's own text of each series (ICalendarKept), and the series kept so far.
    const ICalendarKept::SeriesTexts *kept = nullptr;

    // The UIDs and texts of the events just added, written many by one statement: they
    // are written before anything else is asked of the store, so that it reads as if
    // each had been written with its event.
    QList<basDatabase::EventStore::EventUid> newUids{};
    QList<basDatabase::EventStore::SeriesText> newTexts{};
    std::optional<Named> firstNew{};
    bool WriteNew()
    {
        if (newUids.isEmpty() && newTexts.isEmpty())
            return true;
        // The store does not say which row of them it refused: the first event is named.
        refused = firstNew;
        if (!store.SetEventUids(newUids) || !store.SetSeriesTexts(newTexts))
            return false;
        newUids.clear();
        newTexts.clear();
        firstNew.reset();
        return true;
    }

    bool Keep(const QString &where, const ICalendarReader::CalendarEvent &event, bool added = false)
    {
        if (!kept)
            return true;
        const QString series = EventSeries::SeriesUid(event.Uid);
        if (keptSeries.contains({where, series}))
            return true;
        keptSeries.insert({where, series});
        // Without a text of its own in this file, an older one would no longer say what
        // the events do.
        const std::optional<QByteArray> text = kept->Of(ICalendarKept::SeriesKey(event.Origin, series));
        if (!text)
            return WriteNew() && store.DeleteSeries(where, series);
        if (added) {
            newTexts.append({where, series, *text, 0});
            return true;
        }
        return store.SetSeries({where, series, *text, 0});
    }

    // The event the store refused, for the caller to name (the store has reported why).
    std::optional<Named> refused{};
    // Told how the storing goes; stopped when it said to stop.
    const StoringProgress *storing = nullptr;
    bool stopped = false;

    void Touched(const QList<QDate> &dates)
    {
        summary.TouchesCurrentMonth = summary.TouchesCurrentMonth || EventService::TouchesShownMonth(dates, today);
    }

    // Where the file's events were met before: under its own source, through the origin
    // our own export wrote beside them, or among the store's own UIDs and those from
    // before sources. A large feed brings hundreds of thousands: each is kept as digests
    // of where and which UID it is and of its fingerprint, not as copies of the texts.
    struct Digest {
        quint64 high = 0;
        quint64 low = 0;
        bool operator==(const Digest &) const = default;
        friend size_t qHash(const Digest &digest, size_t seed = 0) { return size_t(digest.low) ^ seed; }
    };
    enum class Table : char { Source = 's', Origin = 'o', Own = 'w', Fingerprint = 'f' };
    // 16 bytes of SHA-256: no two texts of a store are alike in them.
    static Digest DigestOf(Table table, const QString &where, const QString &text)
    {
        const QByteArray whereBytes = where.toUtf8();
        QByteArray data;
        data.reserve(whereBytes.size() + text.size() * 3 + 24);
        data.append(char(table));
        data.append(QByteArray::number(whereBytes.size()));
        data.append(':');
        data.append(whereBytes);
        data.append(text.toUtf8());
        const QByteArray result = QCryptographicHash::hash(data, QCryptographicHash::Sha256);
        Digest digest;
        std::memcpy(&digest.high, result.constData(), sizeof digest.high);
        std::memcpy(&digest.low, result.constData() + sizeof digest.high, sizeof digest.low);
        return digest;
    }
    // A fingerprint is itself a digest (ICalendarFingerprint): its first 16 bytes are
    // taken as they are; any other text is hashed.
    static Digest FingerprintDigest(const QString &fingerprint)
    {
        constexpr qsizetype kHexDigits = 40;
        if (fingerprint.size() != kHexDigits)
            return DigestOf(Table::Fingerprint, {}, fingerprint);
        const QByteArray hex = fingerprint.toLatin1();
        if (!std::all_of(hex.cbegin(), hex.cend(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
            return DigestOf(Table::Fingerprint, {}, fingerprint);
        const QByteArray bytes = QByteArray::fromHex(hex);
        Digest digest;
        std::memcpy(&digest.high, bytes.constData(), sizeof digest.high);
        std::memcpy(&digest.low, bytes.constData() + sizeof digest.high, sizeof digest.low);
        return digest;
    }

    // An event to store with what is asked of it first: worked out where it is read,
    // when it is read on a thread of its own.
    struct Incoming {
        ICalendarReader::CalendarEvent event;
        QString fingerprint;
        Digest fingerprintDigest;
        Digest ownKey; // Table::Source, under the file's source
    };
    static Incoming Prepared(ICalendarReader::CalendarEvent &&event, const QString &source)
    {
        Incoming incoming{std::move(event), {}, {}, {}};
        incoming.fingerprint = ICalendarFingerprint::Fingerprint(incoming.event.Event, incoming.event.Dates);
        incoming.fingerprintDigest = FingerprintDigest(incoming.fingerprint);
        incoming.ownKey = DigestOf(Table::Source, source, incoming.event.Uid);
        return incoming;
    }
    using Reading = ICalendarReadAhead::Reading<Incoming>;
    // Instead of contents' events, those of a read still going on; once they are all
    // taken, allRead says whether the read ended well (false ends the import).
    Reading *reading = nullptr;
    std::function<bool()> allRead{};
    qsizetype nextEvent = 0; // in contents.Events

    bool NextEvent(Incoming &incoming)
    {
        if (reading)
            return reading->Next(incoming);
        if (nextEvent >= contents.Events.size())
            return false;
        incoming = Prepared(std::move(contents.Events[nextEvent++]), source);
        return true;
    }
    // Of how many events the storing tells: all of them, or those read so far.
    qsizetype EventsKnown() { return reading ? reading->EventsRead() : contents.Events.size(); }

    struct Known {
        int source = 0; // in sources
        qint64 eventId = 0;
        Digest fingerprint;
        bool viaOrigin = false;
    };
    QStringList sources{};
    QHash<QString, int> sourceIndex{};
    // By Table::Source (source, UID), Origin (tag, UID), Own (UID).
    QHash<Digest, Known> known{};
    // The stored rows of a source, by UID: found through our export's origin or as one of
    // our UIDs only by the file's events that have such, so those lookups are made the
    // first time one comes.
    QList<std::pair<QString, Known>> elsewhere{};
    bool originsMade = false;
    bool ownMade = false;
    void MakeOrigins()
    {
        if (std::exchange(originsMade, true))
            return;
        OriginTags tags;
        for (const auto &[uid, entry] : std::as_const(elsewhere))
            known.insert(DigestOf(Table::Origin, tags.Of(sources[entry.source]), uid), entry);
    }
    void MakeOwn()
    {
        if (std::exchange(ownMade, true))
            return;
        // The UIDs our exports make are unique wherever they are read from.
        for (const auto &[uid, entry] : std::as_const(elsewhere)) {
            if (IsOwnUid(uid)) {
                known.insert(DigestOf(Table::Own, {}, uid), entry);
                ownElsewhere = true;
            }
        }
    }
    // The stored later looks of series (few), and which of them and of their series the
    // file brought.
    QList<basDatabase::EventStore::EventUid> parts{};
    QSet<Digest> partSeries{};
    QSet<Digest> partsBrought{};
    QSet<Digest> seriesBrought{};
    QSet<std::pair<QString, QString>> keptSeries{}; // (source, series UID) whose text is kept
    // Whether the store has UIDs from before sources (or its own), and ours read under
    // another source: the lookups that only these can answer are left out otherwise.
    bool unnamedRows = false;
    bool ownElsewhere = false;
    void Brought(const QString &where, const QString &uid)
    {
        if (parts.isEmpty())
            return;
        const QString series = EventSeries::SeriesUid(uid);
        if (series != uid)
            partsBrought.insert(DigestOf(Table::Source, where, uid));
        if (const Digest key = DigestOf(Table::Source, where, series); partSeries.contains(key))
            seriesBrought.insert(key);
    }
    int SourceIndex(const QString &name)
    {
        auto found = sourceIndex.find(name);
        if (found == sourceIndex.end()) {
            found = sourceIndex.insert(name, int(sources.size()));
            sources.append(name);
        }
        return *found;
    }

    // A Known found through another source (our export's origin, one of our UIDs) keeps
    // its row: the source it belongs to still says what it said. Each event is let go
    // once it is stored.
    bool Run()
    {
        {
            QList<basDatabase::EventStore::EventUid> rows;
            if (!store.GetEventUids(rows))
                return false;
            known.reserve(rows.size());
            for (basDatabase::EventStore::EventUid &row : rows) {
                unnamedRows = unnamedRows || row.Source.isEmpty();
                if (const QString series = EventSeries::SeriesUid(row.Uid); series != row.Uid) {
                    parts.append(row);
                    partSeries.insert(DigestOf(Table::Source, row.Source, series));
                }
                const Known entry{SourceIndex(row.Source), row.EventId, FingerprintDigest(row.Fingerprint), false};
                known.insert(DigestOf(Table::Source, row.Source, row.Uid), entry);
                if (row.Source.isEmpty())
                    continue;
                Known viaOrigin = entry;
                viaOrigin.viaOrigin = true;
                elsewhere.append({std::move(row.Uid), viaOrigin});
            }
        }
        int churchDays = 0;
        const int sourceAt = SourceIndex(source);
        qsizetype done = 0;
        Incoming incoming;
        while (NextEvent(incoming)) {
            if (storing && *storing && done++ % kStoringStep == 0 && !(*storing)(done - 1, EventsKnown())) {
                stopped = true;
                return false;
            }
            if (IsChurchDayUid(incoming.event.Uid)) {
                ++churchDays;
                continue;
            }
            refused = NameOf(incoming.event);
            if (!Store(incoming, sourceAt))
                return false;
            if (newUids.size() >= kStoringStep && !WriteNew())
                return false;
        }
        incoming = {};
        if (allRead && !allRead())
            return false;
        elsewhere.clear();
        if (!WriteNew())
            return false;
        refused.reset();
        // The later looks of a series that the file brought without them (a changed
        // occurrence taken back) go.
        for (const basDatabase::EventStore::EventUid &row : std::as_const(parts)) {
            if (partsBrought.contains(DigestOf(Table::Source, row.Source, row.Uid))
                || !seriesBrought.contains(DigestOf(Table::Source, row.Source, EventSeries::SeriesUid(row.Uid))))
                continue;
            const std::optional<QList<QDate>> left = events.Delete(row.EventId);
            if (!left)
                return false;
            Touched(*left);
            ++summary.Updated;
        }
        if (churchDays > 0)
            summary.Warnings.append(
                QString::fromUtf8(ICalendarTexts::kChurchDaysLeftOut).arg(churchDays));
        return true;
    }

    bool Store(const Incoming &incoming, int sourceAt)
    {
        const ICalendarReader::CalendarEvent &event = incoming.event;
        const QString &fingerprintText = incoming.fingerprint;
        const Digest &fingerprint = incoming.fingerprintDigest;
        const Digest &ownKey = incoming.ownKey;
        std::optional<Known> found;
        if (!event.Origin.isEmpty())
            MakeOrigins();
        if (IsOwnUid(event.Uid))
            MakeOwn();
        if (const auto own = known.constFind(ownKey); own != known.cend())
            found = *own;
        else if (const auto exported = event.Origin.isEmpty() ? known.cend()
                                                              : known.constFind(DigestOf(Table::Origin, event.Origin, event.Uid));
                 exported != known.cend())
            found = *exported;
        else if (const auto unnamed = unnamedRows ? known.constFind(DigestOf(Table::Source, QString(), event.Uid)) : known.cend();
                 unnamed != known.cend())
            found = *unnamed;
        else if (const auto ours = ownElsewhere && IsOwnUid(event.Uid) ? known.constFind(DigestOf(Table::Own, {}, event.Uid))
                                                                       : known.cend();
                 ours != known.cend())
            found = *ours;
        if (!found) {
            Event draft = EventService::ToDraft(event.Event, event.Dates);
            draft.EventID = 0; // a new event, whatever the file's record says
            const std::optional<EventService::Saved> saved = events.Save(draft, EventService::Text::FromFile);
            if (!saved)
                return false;
            if (!firstNew)
                firstNew = NameOf(event);
            newUids.append({source, event.Uid, saved->EventID, fingerprintText});
            if (!Keep(source, event, true))
                return false;
            ++summary.Added;
            Touched(saved->TouchedDates);
            known.insert(ownKey, Known{sourceAt, saved->EventID, fingerprint, false});
            Brought(source, event.Uid);
            return true;
        }
        const QString foundSource = sources[found->source];
        Brought(foundSource, event.Uid);
        // A UID from before sources that is not one of the store's own belongs to the
        // first file that brings it again; the store's own stay the store's.
        const QString keptSource =
            found->viaOrigin || !foundSource.isEmpty() || IsOwnUid(event.Uid) ? foundSource : source;
        const bool claimed = keptSource != foundSource;
        // The file says what it said last time: whatever was done to the event
        // since then stays.
        if (found->fingerprint == fingerprint && !claimed) {
            ++summary.Unchanged;
            return true;
        }
        if (!WriteNew())
            return false;
        refused = NameOf(event);
        bool ok = false;
        const qint64 id = found->eventId;
        const bool same = SameAsStored(id, event, ok);
        if (!ok)
            return false;
        if (!same) {
            Event draft = EventService::ToDraft(event.Event, event.Dates);
            draft.EventID = id;
            const std::optional<EventService::Saved> saved = events.Save(draft, EventService::Text::FromFile);
            if (!saved)
                return false;
            ++summary.Updated;
            Touched(saved->TouchedDates);
        } else {
            ++summary.Unchanged;
        }
        // Our own export read back keeps what the event's own source last said, so
        // that the next import of that source still knows it; the text follows the change.
        if (found->viaOrigin)
            return same || Keep(foundSource, event);
        if (!store.SetEventUid(keptSource, event.Uid, id, fingerprintText) || !Keep(keptSource, event))
            return false;
        known.remove(DigestOf(Table::Source, foundSource, event.Uid));
        known.insert(DigestOf(Table::Source, keptSource, event.Uid), Known{SourceIndex(keptSource), id, fingerprint, false});
        Brought(keptSource, event.Uid);
        return true;
    }
};

// The file's own text of each series, in the form the reader reads it (UTF-8 with its
// line ends). A file the reader read is a calendar; should its text still not be
// mapped, its events are kept in the store's terms only.
ICalendarKept::SeriesTexts KeptTexts(const ICalendarLines::Text &text)
{
    try {
        if (!text.InMemory())
            return ICalendarKept::SeriesTexts(text);
        QStringList notes;
        return ICalendarKept::SeriesTexts(ICalendarLines::Text(ICalendarReader::AsUtf8(text.Bytes(), notes)));
    } catch (const Failure &) {
        return {};
    }
}

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
                        ICalendarReader::ReadOptions options, const CalendarReading &read,
                        const StoringProgress &storing)
{
    summary = ImportSummary{};
    ImportSummary result;
    QString refusal;
    bool cancelled = false;
    const bool done = basOperation::Trap("basICalendar.ImportCalendarFile", false, [&](Steps &step) {
        step(10);
        OpenedFile opened = OpenCalendarFile(path);
        ICalendarLines::Text text = ICalendarReader::FileText(opened.file, opened.size);
        // A small file is read whole, so that its series' texts are mapped while it is read.
        const auto readFailure = [&path](const Failure &failure) {
            return FileFailure(failure.number(), QString::fromUtf8(ICalendarTexts::kNothingImported).arg(path, failure.description()));
        };
        try {
            if (!read && !text.InMemory() && text.size() <= kWholeFileBytes)
                text = ICalendarLines::Text(text.Slice(0, text.size()));
        } catch (const Failure &failure) {
            throw readFailure(failure);
        }
        step(20);
        if (!options.Today.isValid())
            options.Today = basPlatform::Today();
        // What went wrong with the file: refused as a whole, before the store is touched or
        // once its work is taken back.
        std::optional<Failure> unread;
        ICalendarReader::CalendarContents contents;
        ICalendarKept::SeriesTexts kept;
        // A UID is unique within its file: the file's canonical path is its source.
        const QString source = QFileInfo(path).canonicalFilePath();
        // Without a caller's way of reading, the file is read on a thread of its own while
        // its events are stored.
        std::unique_ptr<ImportWork::Reading> reading;
        const auto allRead = [&] {
            try {
                result.Warnings = reading->Finish();
            } catch (const ICalendarReader::Cancelled &) {
                cancelled = true;
                return false;
            } catch (const Failure &failure) {
                unread = readFailure(failure);
                return false;
            }
            try {
                CheckUnchanged(path, opened);
            } catch (const Failure &failure) {
                unread = failure;
                return false;
            }
            return true;
        };
        if (read) {
            try {
                contents = read(text, options);
            } catch (const Failure &failure) {
                throw readFailure(failure);
            } catch (const ICalendarReader::Cancelled &) {
                cancelled = true;
                return false;
            }
            CheckUnchanged(path, opened);
            kept = KeptTexts(text);
            result.Warnings = contents.Warnings;
        } else {
            // One read from its file is never read by two at once.
            if (!text.InMemory())
                kept = KeptTexts(text);
            reading = std::make_unique<ImportWork::Reading>(text, options, [source](ICalendarReader::CalendarEvent &&event) {
                return ImportWork::Prepared(std::move(event), source);
            });
            if (text.InMemory())
                kept = KeptTexts(text);
            // A file that gives no event has been read whole: one that could not be read
            // is refused as it was read.
            reading->DaysAtLeast(1);
            if (reading->EventsRead() == 0 && !allRead()) {
                if (unread)
                    throw *unread;
                return false;
            }
        }
        text = {}; // not needed here while the events are stored (a reading keeps its own)
        if (!reading)
            opened.file.reset();
        step(30);
        EventService events(store);
        ImportWork work{store, events, contents, source, options.Today, result};
        work.storing = &storing;
        work.kept = &kept;
        work.reading = reading.get();
        if (reading)
            work.allRead = allRead;
        const auto days = [&contents, &reading](qint64 enough) {
            if (reading)
                return reading->DaysAtLeast(enough);
            qint64 all = 0;
            for (const ICalendarReader::CalendarEvent &event : std::as_const(contents.Events))
                all += event.Dates.size();
            return all;
        };
        // A store operation that fails has reported itself; all of the import goes.
        const bool stored = store.RunAddingDays(days, [&work] { return work.Run(); });
        reading.reset(); // stopped, when the storing did not take all of it
        if (stored)
            return true;
        if (unread)
            throw *unread;
        if (work.stopped || cancelled) {
            cancelled = true;
            return false;
        }
        // The store's own reason (a full disk, a locked file) is named; the event is only
        // where it happened.
        const QString reason = store.LastFailure();
        if (work.refused && !reason.isEmpty())
            refusal = QString::fromUtf8(ICalendarTexts::kNotStored)
                          .arg(path, QString::number(work.refused->line), work.refused->name, reason);
        else if (work.refused)
            refusal = QString::fromUtf8(ICalendarTexts::kStoreRefused)
                          .arg(path, QString::number(work.refused->line), work.refused->name);
        return false;
    });
    if (done)
        summary = result;
    summary.Refusal = refusal;
    summary.Cancelled = cancelled;
    return done;
}

namespace {
const QString kIndexZone = QStringLiteral("IndexZone");
const QString kIndexWindowFrom = QStringLiteral("IndexWindowFrom");
const QString kOwnTextsGiven = QStringLiteral("OwnTextsGiven");
// Rules without end are laid out again once today has moved this far.
constexpr qint64 kWindowMoveDays = 28;

// Whether a series' times depend on where the user is: a zone, or UTC.
bool NamesAZone(const QByteArray &text)
{
    static const QRegularExpression utc(QStringLiteral("\n(DTSTART|DTEND|RDATE|RECURRENCE-ID)[^:\r\n]*:[0-9T,]*Z"));
    return text.contains("TZID=") || utc.match(QString::fromUtf8(text)).hasMatch();
}

// Whether one of its rules has neither UNTIL nor COUNT.
bool HasOpenRule(const QByteArray &text)
{
    static const QRegularExpression rule(QStringLiteral("\n[RE]X?RULE[;:][^\r\n]*"));
    for (QRegularExpressionMatchIterator it = rule.globalMatch(QString::fromUtf8(text)); it.hasNext();) {
        const QString line = it.next().captured();
        if (!line.contains(QLatin1String("UNTIL=")) && !line.contains(QLatin1String("COUNT=")))
            return true;
    }
    return false;
}
} // namespace

bool KeepIndexCurrent(basDatabase::EventStore &store, const QTimeZone &zone, QDate today, bool *changed)
{
    if (changed)
        *changed = false;
    if (!today.isValid())
        today = basPlatform::Today();
    bool moved = false;
    const bool done = basOperation::Trap("basICalendar.KeepIndexCurrent", false, [&](Steps &step) {
        step(10);
        QString storedZone;
        QString storedFrom;
        QString texts;
        bool zoneFound = false;
        bool fromFound = false;
        bool textsGiven = false;
        if (!store.GetStoreValue(kIndexZone, storedZone, zoneFound)
            || !store.GetStoreValue(kIndexWindowFrom, storedFrom, fromFound)
            || !store.GetStoreValue(kOwnTextsGiven, texts, textsGiven))
            return false;
        const QString id = QString::fromUtf8(zone.id());
        const QDate from = QDate::fromString(storedFrom, Qt::ISODate);
        const bool zoneMoved = zoneFound && storedZone != id;
        const bool windowMoved = fromFound && (!from.isValid() || from.daysTo(today) >= kWindowMoveDays || today < from);
        const bool record = !zoneFound || !fromFound || !textsGiven || zoneMoved || windowMoved;
        // A store that cannot be written is shown as it is.
        if (!record || !store.IsWritable())
            return true;
        step(20);
        ICalendarReader::ReadOptions options;
        options.LocalZone = zone;
        options.Today = today;
        std::map<QString, ICalendarReader::CalendarContents> bySource;
        if (zoneMoved || windowMoved) {
            QList<basDatabase::EventStore::SeriesText> series;
            if (!store.GetAllSeries(series))
                return false;
            for (const basDatabase::EventStore::SeriesText &text : std::as_const(series)) {
                if (!(zoneMoved && NamesAZone(text.Component)) && !(windowMoved && HasOpenRule(text.Component)))
                    continue;
                try {
                    ICalendarReader::CalendarContents read = ICalendarReader::ReadCalendar(text.Component, options);
                    bySource[text.Source].Events += std::move(read.Events);
                } catch (const Failure &) {
                    // A text that no longer reads keeps its events where they are.
                }
            }
        }
        step(30);
        return store.RunInTransaction([&] {
            // The events of a store from before texts were kept become series of their days, once.
            if (!textsGiven
                && (!EventService(store, zone).GiveOwnEventsTheirTexts() || !store.SetStoreValue(kOwnTextsGiven, QStringLiteral("1"))))
                return false;
            for (auto &[source, contents] : bySource) {
                ImportSummary summary;
                EventService events(store, zone);
                ImportWork work{store, events, contents, source, options.Today, summary};
                if (!work.Run())
                    return false;
                moved = moved || summary.Updated > 0 || summary.Added > 0;
            }
            return store.SetStoreValue(kIndexZone, id)
                   && store.SetStoreValue(kIndexWindowFrom, today.toString(Qt::ISODate));
        });
    });
    if (changed)
        *changed = done && moved;
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
            throw FileFailure(basOperation::kInvalidProcedureCall,
                          QString::fromUtf8(ICalendarTexts::kChurchYearRange)
                              .arg(options.ChurchYearFrom)
                              .arg(options.ChurchYearTo));
        step(20);
        QList<basDatabase::EventStore::EventUid> known;
        if (!store.GetEventUids(known))
            return false;
        QList<basDatabase::EventStore::SeriesText> series;
        if (!store.GetAllSeries(series))
            return false;
        QHash<std::pair<QString, QString>, const QByteArray *> keptOf;
        for (const basDatabase::EventStore::SeriesText &text : std::as_const(series))
            keptOf.insert({text.Source, text.Uid}, &text.Component);
        QHash<qint64, const basDatabase::EventStore::EventUid *> uidOf;
        QSet<qint64> written; // the events of series written from their texts: their days are not needed
        for (const basDatabase::EventStore::EventUid &row : std::as_const(known)) {
            uidOf.insert(row.EventId, &row);
            if (keptOf.contains({row.Source, EventSeries::SeriesUid(row.Uid)}))
                written.insert(row.EventId);
        }
        QList<basDatabase::EventStore::EventWithDates> events;
        if (!store.GetAllEvents(events, written))
            return false;

        step(30);
        QList<ICalendarWriter::OutgoingEvent> outgoing;
        QList<qint64> ids; // parallel to outgoing
        outgoing.reserve(events.size());
        ids.reserve(events.size());
        // The events of one series (source, UID) go out as one: the further ones join the
        // first met, which is the series' own UID when that comes before them.
        QHash<std::pair<QString, QString>, qsizetype> seriesAt;
        OriginTags tags;
        for (const basDatabase::EventStore::EventWithDates &stored : std::as_const(events)) {
            const basDatabase::EventRecord &record = stored.Event;
            const auto leftOut = [&record](const char *why) {
                return QString::fromUtf8(why).arg(record.EventID).arg(record.EventName);
            };
            if (stored.Dates.isEmpty()) {
                result.LeftOut.append(leftOut(ICalendarTexts::kEventWithoutDate));
                continue;
            }
            if (!record.AllDayEvent && (!record.StartTime.isValid() || !record.EndTime.isValid())) {
                result.LeftOut.append(leftOut(ICalendarTexts::kEventWithoutTime));
                continue;
            }
            ICalendarWriter::OutgoingEvent event;
            const basDatabase::EventStore::EventUid *row = uidOf.value(record.EventID);
            if (row) {
                event.Uid = EventSeries::SeriesUid(row->Uid);
                if (!row->Source.isEmpty())
                    event.Origin = tags.Of(row->Source);
            }
            event.Event = ICalendarFingerprint::FileForm(record);
            event.Dates = stored.Dates;
            event.CssColor = ICalendarColors::CssNameOf(event.Event.EventColor);
            if (row) {
                const std::pair<QString, QString> key{row->Source, event.Uid};
                const auto joined = seriesAt.constFind(key);
                if (joined != seriesAt.cend()) {
                    ICalendarWriter::OutgoingEvent &first = outgoing[*joined];
                    ICalendarWriter::OutgoingEvent::Part part{event.Event, event.Dates, event.CssColor};
                    // The series' own UID leads: its event is the one the UID was given to.
                    if (row->Uid == event.Uid) {
                        std::swap(part.Event, first.Event);
                        std::swap(part.Dates, first.Dates);
                        std::swap(part.CssColor, first.CssColor);
                        ids[*joined] = record.EventID;
                    }
                    first.Others.append(part);
                    continue;
                }
                seriesAt.insert(key, outgoing.size());
                // Kept in step with every change made here (EventService), so written as it is.
                if (const QByteArray *kept = keptOf.value(key))
                    event.Kept = *kept;
            }
            outgoing.append(event);
            ids.append(record.EventID);
        }
        QList<qsizetype> unnamed; // outgoing events without a UID yet
        for (qsizetype i = 0; i < outgoing.size(); ++i) {
            if (outgoing[i].Uid.isEmpty()) {
                outgoing[i].Uid = QUuid::createUuid().toString(QUuid::WithoutBraces) + kOwnUidSuffix;
                unnamed.append(i);
            }
        }
        // New UIDs are kept before the file is written: the same event must never be
        // written with two of them. A store the user may not write still exports; its
        // new UIDs are not kept, and the summary says so.
        if (!unnamed.isEmpty() && !store.IsWritable()) {
            result.UidsNotKept = int(unnamed.size());
        } else if (!unnamed.isEmpty()) {
            const bool recorded = store.RunInTransaction([&] {
                for (const qsizetype i : std::as_const(unnamed)) {
                    const ICalendarWriter::OutgoingEvent &event = outgoing[i];
                    if (!store.SetEventUid(QString(), event.Uid, ids[i],
                                           ICalendarFingerprint::Fingerprint(event.Event, event.Dates)))
                        return false;
                }
                return true;
            });
            if (!recorded)
                return false;
        }
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
        WriteWholeFile(path, text);
        summary = result;
        return true;
    });
}

} // namespace basICalendar

} // namespace quillon
