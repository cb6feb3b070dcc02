#include "ui/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

bool AcceptsNumberText(const std::string& text)
{
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == text.size())
        return true;
    if (text[i] != ',' && text[i] != '.')
        return false;
    const std::size_t decimals = text.size() - i - 1;
    if (decimals > 2)
        return false;
    for (std::size_t j = i + 1; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9')
            return false;
    return true;
}

bool ParseNumberText(const std::string& text, double& value)
{
    if (!AcceptsNumberText(text))
        return false;
    std::string plain = text;
    for (char& c : plain)
        if (c == ',')
            c = '.';
    // An unfinished text holds no digit and reads 0.
    if (plain.find_first_of("0123456789") == std::string::npos) {
        value = 0;
        return true;
    }
    // "-.5" and "5." are numbers to the operator; from_chars wants digits on
    // both sides of the point.
    if (plain.back() == '.')
        plain.pop_back();
    const bool negative = plain[0] == '-';
    std::string digits = negative ? plain.substr(1) : plain;
    if (digits[0] == '.')
        digits.insert(digits.begin(), '0');
    double magnitude = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

std::string FormatGrouped(double value, const std::string& thousands)
{
    if (!std::isfinite(value))
        return "0";
    // printf rounds an exact half to the even neighbour, as the program's
    // minutes do, so the box never shows a number the run would not use.
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    std::string digits = buffer;
    const bool negative = digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    if (digits == "0")
        return "0";  // no "-0"
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += thousands;
        grouped += digits[i];
    }
    return negative ? "-" + grouped : grouped;
}

std::string FormatForEditing(double value, char decimal)
{
    if (!std::isfinite(value))
        return std::string();
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text = buffer;
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
        else
            text[point] = decimal;
    }
    if (text == "0" || text == "-0")
        return std::string();
    return text;
}
