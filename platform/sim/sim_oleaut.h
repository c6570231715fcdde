// OLE automation dates of the simulated backend: the two conversions between a date as a
// double (days from 30 December 1899, the fraction being the time of day) and calendar fields.
//
// They follow the automation rules: the valid days run from 1 January 100 (-657434) to
// 31 December 9999 (2958465); before day 0 the integer part counts days backwards while the
// fraction still counts the time forward from that day's midnight, so -1.25 is 29 December 1899
// at 06:00. Times are read to the nearest second; milliseconds are ignored on the way in and 0
// on the way out.
#pragma once

#include "platform/sim/sim_types.h"

typedef double DOUBLE;
typedef SYSTEMTIME* LPSYSTEMTIME;

// Calendar fields to a date. Fails (FALSE) unless the fields name a real day and time within
// the years 100 to 9999; day of week and milliseconds are not looked at.
INT SystemTimeToVariantTime(LPSYSTEMTIME st, DOUBLE* date);
// A date to calendar fields, with the day of week filled in. Fails (FALSE) for NaN and for a
// date whose day lies outside the valid range.
INT VariantTimeToSystemTime(DOUBLE date, LPSYSTEMTIME st);
