// Times and dates written into a text, digit by digit, as the status bar,
// the schedule file and the Skeds page show them. Nothing is allocated when
// the text has room already: the status bar is written every tick.
#pragma once
#include <charconv>
#include <string>

inline void AppendNumber(std::string& out, long long number)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, end);
}

inline void AppendTwoDigits(std::string& out, long long number)
{
    out += static_cast<char>('0' + number / 10 % 10);
    out += static_cast<char>('0' + number % 10);
}

// "HH:MM".
inline void AppendClock(std::string& out, int hour, int minute)
{
    AppendTwoDigits(out, hour);
    out += ':';
    AppendTwoDigits(out, minute);
}

// "YYYY-MM-DD".
inline void AppendDate(std::string& out, int year, int month, int day)
{
    AppendNumber(out, year);
    out += '-';
    AppendTwoDigits(out, month);
    out += '-';
    AppendTwoDigits(out, day);
}
