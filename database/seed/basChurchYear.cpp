#include "basChurchYear.h"

namespace quillon {

// How the rules are read where they leave room:
// - Sundays of Christmas: the Sundays from 26 December to 5 January are counted from
//   the first Sunday after Christmas Day ("First Sunday of Christmas", "Second Sunday
//   of Christmas"), across the turn of the year. A Sunday on 1 January is "Name of Jesus".
// - Sundays after Epiphany: the Baptism Sunday (7-13 January) is the first; the next is
//   the "Second Sunday after Epiphany", and so on up to the Transfiguration (E-49).
//   The two can never meet: E-49 falls on 1 February at the earliest (Easter 22 March).
// - Sundays after Pentecost: Holy Trinity (E+56) is the first, so the next is the
//   "Second Sunday after Pentecost"; the last, before Advent, is Christ the King.
//   Christ the King is at most the twenty-eighth, so names stop at "Twenty-seventh";
//   OrdinalWord spells any number up to 99 all the same.
// - Lent: E-42 is the "First Sunday in Lent" up to E-14, the "Fifth"; E-7 is Palm Sunday.
// - Easter: E is "Easter Sunday", E+7 the "Second Sunday of Easter" up to E+42, the
//   "Seventh"; E+49 is the Day of Pentecost.
// - Fixed festivals (Christmas Eve, Christmas Day, Name of Jesus, Epiphany of Our Lord,
//   Reformation Day, All Saints' Day) win over the Sunday that falls on them, and keep
//   the colour their rule gives. Christmas Eve stays Purple (Advent runs to 24 December);
//   when it is a Sunday, that year has no day named "Fourth Sunday of Advent".

namespace basChurchYear {

namespace {

// The Julian day numbers a year's days are measured against.
struct YearAnchors {
    int year = 0;
    qint64 easter = 0;
    qint64 advent = 0;  // First Sunday of Advent
    qint64 baptism = 0; // first Sunday after 6 January
};

constexpr int kSunday = 7; // QDate::dayOfWeek

YearAnchors AnchorsOf(int year)
{
    YearAnchors anchors;
    anchors.year = year;
    anchors.easter = EasterSunday(year).toJulianDay();
    anchors.advent = FirstSundayOfAdvent(year).toJulianDay();
    const QDate jan7(year, 1, 7);
    anchors.baptism = jan7.toJulianDay() + (kSunday - jan7.dayOfWeek());
    return anchors;
}

// The Sunday on or after a date.
qint64 SundayOnOrAfter(const QDate &date)
{
    return date.toJulianDay() + (kSunday - date.dayOfWeek());
}

ChurchDay Day(const char *color, const QString &text = QString())
{
    return ChurchDay{QString::fromLatin1(color), text};
}

QString SundayName(qint64 number, const char *season)
{
    return OrdinalWord(int(number)) + QStringLiteral(" Sunday ") + QLatin1String(season);
}

ChurchDay DayOf(const YearAnchors &a, const QDate &date)
{
    const int month = date.month();
    const int dayOfMonth = date.day();
    const qint64 jd = date.toJulianDay();
    const bool sunday = date.dayOfWeek() == kSunday;

    // Fixed festivals first: they win over a Sunday.
    if (month == 12 && dayOfMonth == 24)
        return Day(kPurple, QStringLiteral("Christmas Eve"));
    if (month == 12 && dayOfMonth == 25)
        return Day(kWhite, QStringLiteral("Christmas Day"));
    if (month == 1 && dayOfMonth == 1)
        return Day(kWhite, QStringLiteral("Name of Jesus"));
    if (month == 1 && dayOfMonth == 6)
        return Day(kWhite, QStringLiteral("Epiphany of Our Lord"));
    if (month == 10 && dayOfMonth == 31)
        return Day(kRed, QStringLiteral("Reformation Day"));
    if (month == 11 && dayOfMonth == 1)
        return Day(kWhite, QStringLiteral("All Saints' Day"));

    // Christmas: 25 December to 5 January.
    if ((month == 12 && dayOfMonth > 25) || (month == 1 && dayOfMonth <= 5)) {
        if (!sunday)
            return Day(kWhite);
        const int christmasYear = month == 12 ? date.year() : date.year() - 1;
        const qint64 first = SundayOnOrAfter(QDate(christmasYear, 12, 26));
        return Day(kWhite, SundayName((jd - first) / 7 + 1, "of Christmas"));
    }

    // Advent: the First Sunday of Advent to 23 December (24 December is above).
    if (jd >= a.advent) {
        if (!sunday)
            return Day(kPurple);
        return Day(kPurple, SundayName((jd - a.advent) / 7 + 1, "of Advent"));
    }

    const qint64 e = jd - a.easter;

    // Time after Epiphany: 7 January to the day before Ash Wednesday.
    if (e < -46) {
        if (jd == a.baptism)
            return Day(kWhite, QStringLiteral("Baptism of Our Lord"));
        if (e == -49)
            return Day(kWhite, QStringLiteral("Transfiguration of Our Lord"));
        if (!sunday)
            return Day(kGreen);
        return Day(kGreen, SundayName((jd - a.baptism) / 7 + 1, "after Epiphany"));
    }

    // Lent and Holy Week.
    if (e <= -4) {
        if (e == -46)
            return Day(kPurple, QStringLiteral("Ash Wednesday"));
        if (e == -7)
            return Day(kPurple, QStringLiteral("Palm Sunday"));
        if (!sunday)
            return Day(kPurple);
        return Day(kPurple, SundayName((e + 42) / 7 + 1, "in Lent"));
    }
    if (e == -3)
        return Day(kWhite, QStringLiteral("Maundy Thursday"));
    if (e == -2)
        return Day(kGray, QStringLiteral("Good Friday"));
    if (e == -1)
        return Day(kGray, QStringLiteral("Holy Saturday"));

    // Easter season and Pentecost.
    if (e == 0)
        return Day(kWhite, QStringLiteral("Easter Sunday"));
    if (e == 39)
        return Day(kWhite, QStringLiteral("Ascension of Our Lord"));
    if (e <= 48)
        return sunday ? Day(kWhite, SundayName(e / 7 + 1, "of Easter")) : Day(kWhite);
    if (e == 49)
        return Day(kRed, QStringLiteral("Day of Pentecost"));

    // Time after Pentecost: E+50 to the Saturday before Advent.
    if (e == 56)
        return Day(kWhite, QStringLiteral("Holy Trinity"));
    if (jd == a.advent - 7)
        return Day(kWhite, QStringLiteral("Christ the King"));
    if (!sunday)
        return Day(kGreen);
    return Day(kGreen, SundayName((e - 49) / 7, "after Pentecost"));
}

} // namespace

QDate EasterSunday(int year)
{
    if (year < 1583)
        return {};
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int monthDay = h + l - 7 * m + 114;
    return QDate(year, monthDay / 31, monthDay % 31 + 1);
}

QDate FirstSundayOfAdvent(int year)
{
    return QDate::fromJulianDay(SundayOnOrAfter(QDate(year, 11, 27)));
}

ChurchDay ChurchYearDay(const QDate &date)
{
    if (!date.isValid() || date.year() < 1583)
        return {};
    // The database build asks for every day in order: keep the last year's anchors.
    thread_local YearAnchors cached;
    if (cached.year != date.year())
        cached = AnchorsOf(date.year());
    return DayOf(cached, date);
}

QList<ChurchDay> ChurchYear(int year)
{
    QList<ChurchDay> days;
    if (year < 1583)
        return days;
    const YearAnchors anchors = AnchorsOf(year);
    const QDate first(year, 1, 1);
    days.reserve(first.daysInYear());
    for (QDate date = first; date.year() == year; date = date.addDays(1))
        days.append(DayOf(anchors, date));
    return days;
}

QString OrdinalWord(int n)
{
    static const char *const kUnits[] = {
        "", "First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth",
        "Ninth", "Tenth", "Eleventh", "Twelfth", "Thirteenth", "Fourteenth", "Fifteenth",
        "Sixteenth", "Seventeenth", "Eighteenth", "Nineteenth"};
    static const char *const kTens[] = {"", "", "Twent", "Thirt", "Fort", "Fift",
                                        "Sixt", "Sevent", "Eight", "Ninet"};
    if (n <= 0 || n > 99)
        return QString::number(n);
    if (n < 20)
        return QLatin1String(kUnits[n]);
    const QString tens = QLatin1String(kTens[n / 10]);
    if (n % 10 == 0)
        return tens + QStringLiteral("ieth");
    return tens + QStringLiteral("y-") + QString(QLatin1String(kUnits[n % 10])).toLower();
}

} // namespace basChurchYear

} // namespace quillon
