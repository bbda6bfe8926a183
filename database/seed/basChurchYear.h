// The church year: Easter by the Gregorian computus, and the liturgical colour and
// name of every day, computed from Easter and the First Sunday of Advent.
#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace quillon {

namespace basChurchYear {

// The five liturgical colour names, exactly as the Dates table stores them.
inline constexpr char kGreen[] = "Green";
inline constexpr char kPurple[] = "Purple";
inline constexpr char kRed[] = "Red";
inline constexpr char kWhite[] = "White";
inline constexpr char kGray[] = "Gray";

// Easter Sunday of a Gregorian year (Meeus/Jones/Butcher); invalid date for year < 1583.
QDate EasterSunday(int year);

// The First Sunday of Advent: the Sunday on or after 27 November.
QDate FirstSundayOfAdvent(int year);

struct ChurchDay {
    QString color; // one of the five names above; empty only for an invalid date
    QString text;  // name of the festival or Sunday, empty for an ordinary weekday
};

// Colour and name of one day (any Gregorian year from 1583 on).
ChurchDay ChurchYearDay(const QDate &date);

// Every day of one year, 1 January first: Easter is computed once.
QList<ChurchDay> ChurchYear(int year);

// "First", "Second", ... "Twenty-eighth" ... "Ninety-ninth"; decimal digits beyond.
QString OrdinalWord(int n);

} // namespace basChurchYear

} // namespace quillon
