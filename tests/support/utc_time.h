// A UTC date and time written out field by field, for the tests' contacts.
#pragma once
#include "ports/platform.h"

inline UtcTime At(int year, int month, int day, int hour, int minute, int second)
{
    UtcTime t;
    t.year = year, t.month = month, t.day = day;
    t.hour = hour, t.minute = minute, t.second = second;
    return t;
}
