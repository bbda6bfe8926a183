// The search over a real store: every word in name, notes or place, folded; the order
// of what comes and what is past; text that looks like query syntax; the index following
// changes; and the trigram index finding what LIKE alone finds.
#include "EventService.h"
#include "SubscriptionStore.h"
#include "EventStore.h"
#include "QuillonTestEnvironment.h"
#include "SearchIndex.h"
#include "SearchText.h"
#include "basSchema.h"

namespace quillon {

namespace quillontest {
namespace {

const QDate kToday(2026, 12, 6);

TEST(SearchText, FoldsCaseAccentsAndCompatibilityForms)
{
    const struct {
        const char *text;
        const char *folded;
    } table[] = {
        {"Café", "cafe"},           {"ÅNGSTRÖM", "angstrom"}, {"Straße", "strasse"},
        {"ﬁle", "file"},            {"Łódź", "lodz"},         {"Ærøskøbing", "aeroskobing"},
        {"Ｚürich", "zurich"},       {"naïve résumé", "naive resume"},
    };
    for (const auto &row : table)
        EXPECT_EQ(SearchText::Fold(QString::fromUtf8(row.text)), QString::fromUtf8(row.folded)) << row.text;
    EXPECT_EQ(SearchText::Words(QStringLiteral("  Staff\tMEETING staff ")), (QStringList{QStringLiteral("staff"), QStringLiteral("meeting")}));
    EXPECT_TRUE(SearchText::Words(QStringLiteral(" \t ")).isEmpty());
}

class Search : public QuillonTest {
protected:
    void SetUp() override
    {
        QuillonTest::SetUp();
        QString error;
        const QString path = TempPath(QStringLiteral("dbcalndr.sqlite"));
        ASSERT_TRUE(basSchema::CreateDatabaseFile(path, error)) << error.toStdString();
        ASSERT_TRUE(store.OpenDatabaseConnection(path));
    }
    void TearDown() override
    {
        store.CloseDatabaseConnection();
        QuillonTest::TearDown();
    }

    qint64 Add(const QString &name, const QList<QDate> &dates, const QString &notes = {}, const QString &place = {})
    {
        Event draft;
        draft.EventName = name;
        draft.StartTime = QTime(9, 0);
        draft.EndTime = QTime(10, 0);
        draft.Notes = notes;
        draft.Location = place;
        draft.Dates = dates;
        draft.Recurring = dates.size() > 1;
        const auto saved = events.Save(draft);
        EXPECT_TRUE(saved) << name.toStdString();
        return saved ? saved->EventID : 0;
    }

    // The names found, in order, each with its day and "past" where it is.
    QStringList Found(const QString &text)
    {
        const auto result = events.Search(text, kToday, 500);
        EXPECT_TRUE(result) << text.toStdString();
        QStringList found;
        if (result)
            for (const FoundEvent &event : result->Events)
                found << QStringLiteral("%1 %2%3").arg(event.EventName, event.Date.toString(Qt::ISODate),
                                                     event.Past ? QStringLiteral(" past") : QString());
        return found;
    }

    basDatabase::EventStore store;
    EventService events{store};
};

// A hidden calendar's events are not found; a calendar's event without a colour of its
// own is listed in the calendar's.
TEST_F(Search, LeavesOutHiddenCalendarsAndListsACalendarsColour)
{
    basDatabase::SubscriptionStore subscriptions(store);
    basDatabase::Subscription work;
    work.Address = QStringLiteral("https://dav.example/work/");
    ASSERT_TRUE(subscriptions.AddSubscription(work));
    ASSERT_TRUE(subscriptions.SetColor(work.Id, QStringLiteral("#0000ff"), QStringLiteral("Blue")));
    const qint64 review = Add(QStringLiteral("Budget review"), {QDate(2026, 12, 9)});
    Add(QStringLiteral("Review of the year"), {QDate(2026, 12, 10)});
    ASSERT_TRUE(subscriptions.SetEventCalendar(review, work.Id));
    const auto result = events.Search(QStringLiteral("review"), kToday, 10);
    ASSERT_TRUE(result && result->Events.size() == 2);
    EXPECT_EQ(result->Events[0].EventColor, QStringLiteral("Blue"));
    EXPECT_EQ(result->Events[1].EventColor, QString());
    ASSERT_TRUE(subscriptions.SetHidden(work.Id, true));
    EXPECT_EQ(Found(QStringLiteral("review")), QStringList{QStringLiteral("Review of the year 2026-12-10")});
}

TEST_F(Search, FindsEveryWordFoldedComingEventsFirstThenThePastLatestFirst)
{
    const qint64 staff = Add(QStringLiteral("Staff meeting"), {QDate(2026, 11, 2), QDate(2026, 12, 14), QDate(2027, 1, 11)},
                             QStringLiteral("bring the minutes"), QStringLiteral("Zürich office"));
    const qint64 cafe = Add(QStringLiteral("Café with Anna"), {QDate(2026, 12, 8)});
    Add(QStringLiteral("Meeting of the choir"), {QDate(2025, 3, 1)}, QStringLiteral("Hauptstraße 5"));
    Add(QStringLiteral("Old staff party"), {QDate(2026, 1, 10)});
    Add(QStringLiteral("100% review_2"), {QDate(2027, 2, 1)}, QStringLiteral("say \"hi\" NEAR(x) * OR -"));
    Add(QStringLiteral("Today's call"), {kToday});

    // A letter all of them have: what comes, nearest first (today counts), then the past.
    EXPECT_EQ(Found(QStringLiteral("a")),
              (QStringList{QStringLiteral("Today's call 2026-12-06"), QStringLiteral("Café with Anna 2026-12-08"),
                           QStringLiteral("Staff meeting 2026-12-14"), QStringLiteral("100% review_2 2027-02-01"),
                           QStringLiteral("Old staff party 2026-01-10 past"),
                           QStringLiteral("Meeting of the choir 2025-03-01 past")}));
    EXPECT_EQ(Found(QStringLiteral("STAFF")),
              (QStringList{QStringLiteral("Staff meeting 2026-12-14"), QStringLiteral("Old staff party 2026-01-10 past")}));
    // Notes and place; accents and case; every word, in any order, parts of words too.
    EXPECT_EQ(Found(QStringLiteral("zurich")), QStringList{QStringLiteral("Staff meeting 2026-12-14")});
    EXPECT_EQ(Found(QStringLiteral("MINUTES")), QStringList{QStringLiteral("Staff meeting 2026-12-14")});
    EXPECT_EQ(Found(QStringLiteral("anna CAFÉ")), QStringList{QStringLiteral("Café with Anna 2026-12-08")});
    EXPECT_EQ(Found(QStringLiteral("strasse chOIR")), QStringList{QStringLiteral("Meeting of the choir 2025-03-01 past")});
    EXPECT_EQ(Found(QStringLiteral("meet")).size(), 2);
    EXPECT_TRUE(Found(QStringLiteral("anna choir")).isEmpty());
    // What means something to LIKE or to a full-text query is only text.
    for (const char *literal : {"%", "_2", "\"hi\"", "NEAR(x)", "*", "OR -", "'s"})
        EXPECT_EQ(Found(QString::fromUtf8(literal)).size(), 1) << literal;
    EXPECT_TRUE(Found(QStringLiteral("  ")).isEmpty());

    const auto place = events.Search(QStringLiteral("office"), kToday, 500);
    ASSERT_TRUE(place && place->Events.size() == 1);
    EXPECT_EQ(place->Events[0].Location, QStringLiteral("Zürich office"));
    EXPECT_EQ(place->Events[0].StartTime, QTime(9, 0));

    // A limit keeps the first; the total says how many there are.
    const auto two = events.Search(QStringLiteral("a"), kToday, 2);
    ASSERT_TRUE(two);
    EXPECT_EQ(two->Events.size(), 2);
    EXPECT_EQ(two->Total, 6);

    // Changes show at the next search: a new name, a new place, a deletion.
    Event changed = *events.Load(staff);
    changed.EventName = QStringLiteral("Team sync");
    changed.Location = QStringLiteral("Basel");
    ASSERT_TRUE(events.Save(changed));
    EXPECT_EQ(Found(QStringLiteral("staff")), QStringList{QStringLiteral("Old staff party 2026-01-10 past")});
    EXPECT_EQ(Found(QStringLiteral("basel team")), QStringList{QStringLiteral("Team sync 2026-12-14")});
    EXPECT_TRUE(Found(QStringLiteral("zurich")).isEmpty());
    ASSERT_TRUE(events.Delete(cafe));
    EXPECT_TRUE(Found(QStringLiteral("anna")).isEmpty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(Search, TheTrigramIndexFindsWhatLikeAloneFinds)
{
    for (int i = 0; i < 40; ++i)
        Add(QStringLiteral("Event %1 %2").arg(i).arg(i % 3 == 0 ? QStringLiteral("Rehearsal") : QStringLiteral("Visit")),
            {kToday.addDays(i * 5 - 100)}, i % 4 == 0 ? QStringLiteral("bring ✓ the kit") : QString());
    ASSERT_TRUE(events.UpdateSearchIndex());
    basDatabase::SearchIndex index(store);
    // FTS5 with its trigram tokenizer is part of the SQLite this suite is built with.
    EXPECT_TRUE(index.HasTrigramIndex());
    for (const char *query : {"re", "rehearsal", "hears", "visit 1", "✓ kit", "event 3", "nothing here"}) {
        const QStringList words = SearchText::Words(QString::fromUtf8(query));
        QList<basDatabase::SearchIndex::Hit> withTrigrams;
        QList<basDatabase::SearchIndex::Hit> withLike;
        ASSERT_TRUE(index.Find(words, kToday, 500, withTrigrams));
        basDatabase::SearchIndex likeOnly(store);
        likeOnly.SetTrigramIndexUsed(false);
        ASSERT_TRUE(likeOnly.Find(words, kToday, 500, withLike));
        QList<qint64> a, b;
        for (const auto &hit : withTrigrams)
            a << hit.EventId;
        for (const auto &hit : withLike)
            b << hit.EventId;
        EXPECT_EQ(a, b) << query;
    }

    // A text stored by a SQLite without the module reaches the trigram index at the next
    // search that uses it.
    Event renamed = *events.Load(1);
    renamed.EventName = QStringLiteral("Quartet");
    ASSERT_TRUE(events.Save(renamed));
    basDatabase::SearchIndex without(store);
    without.SetTrigramIndexUsed(false);
    QList<basDatabase::SearchIndex::Unindexed> unindexed;
    ASSERT_TRUE(without.GetUnindexed(unindexed));
    ASSERT_EQ(unindexed.size(), 1);
    ASSERT_TRUE(without.SetEntries({{1, SearchText::IndexText(renamed.EventName, renamed.Notes, {}), {}}}));
    QList<basDatabase::SearchIndex::Hit> hits;
    ASSERT_TRUE(index.Find(SearchText::Words(QStringLiteral("quartet")), kToday, 500, hits));
    ASSERT_EQ(hits.size(), 1);
    EXPECT_EQ(hits[0].EventId, 1);
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace quillontest

} // namespace quillon
