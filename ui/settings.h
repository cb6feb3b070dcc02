// Reading and writing the settings of tavrix.ini: the number and flag rules
// are ours; the file itself goes through the platform's profile routines.
#pragma once
#include <cstdint>
#include <string>

// A whole number: decimal digits, or hexadecimal digits behind "$", "0x",
// "0X", "x" or "X", with an optional "+" or "-" in front. False for any other
// text, the empty text, or a value outside the signed 32-bit range; `value`
// is then left alone.
bool ParseWholeNumber(const std::string& text, std::int32_t& value);

// A whole number, or `fallback` when the text is not one.
std::int32_t ReadWholeNumber(const std::string& text, std::int32_t fallback);

// A flag: a whole number whose default is 1 when `fallback` is set; any value
// other than 0 means set.
bool ReadFlag(const std::string& text, bool fallback);
