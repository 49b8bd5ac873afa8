#pragma once
// Proleptic Gregorian dates as day counts, for the day-number conversions and the precise sun position.

// Days since 1970-01-01 of a date (month 1..12, any day: a day outside the month counts on).
long long DaysFromCivil(long long year, int month, long long day);
// The date of a count of days since 1970-01-01.
void CivilFromDays(long long days, int& year, int& month, int& day);
