// The numeric box's text rules: what may be typed, how a text reads as a
// number, and how a number shows with and without the focus.
#pragma once
#include <string>

// True for a text that is, or is on its way to being, a number with at most
// two decimals: an optional leading "-", digits, and at most one decimal
// separator ("," or ".") followed by at most two digits. The empty text, "-"
// and "-," are accepted since typing passes through them.
bool AcceptsNumberText(const std::string& text);

// The number a text of the box holds: an empty or unfinished text ("-", ",")
// reads 0. False, leaving `value` alone, for a text AcceptsNumberText refuses.
bool ParseNumberText(const std::string& text, double& value);

// The value as shown without the focus: no decimals, digits grouped in
// threes with `thousands` between the groups. Rounded as the program rounds
// minutes, a half going to the even neighbour, so 2.5 shows as 2.
std::string FormatGrouped(double value, const std::string& thousands);

// The value as shown while being edited: at most two decimals, trailing
// zeros dropped, `decimal` as the separator; 0 shows as the empty text.
std::string FormatForEditing(double value, char decimal);
