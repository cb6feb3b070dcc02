// The schedule file's text: its encodings and line ends, its entries, and
// the text written back.
#include "engine/schedule.h"

#include <array>

#include "engine/clock_text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A field as a message quotes it: short, and without control characters.
std::string Quoted(std::string_view field)
{
    constexpr std::size_t Longest = 20;
    std::string out = "\"";
    for (std::size_t i = 0; i < field.size() && i < Longest; ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        out += c < 0x20 || c == 0x7F ? '?' : field[i];
    }
    if (field.size() > Longest)
        out += "...";
    return out + "\"";
}

// Digits only, at most four of them.
bool ReadNumber(std::string_view digits, int& value)
{
    if (digits.empty() || digits.size() > 4)
        return false;
    value = 0;
    for (char c : digits) {
        if (!IsDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && LeapYear(year) ? 29 : days[month - 1];
}

const char* const MonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

bool ParseDate(std::string_view field, SkedEntry& entry, std::string& what)
{
    if (field == "*") {
        entry.year = entry.month = entry.day = 0;
        return true;
    }
    int year = 0, month = 0, day = 0;
    if (field.size() != 10 || field[4] != '-' || field[7] != '-' || !ReadNumber(field.substr(0, 4), year) ||
        !ReadNumber(field.substr(5, 2), month) || !ReadNumber(field.substr(8, 2), day)) {
        what = "the date " + Quoted(field) + " is not YYYY-MM-DD (e.g. 2026-12-13), nor * for every day";
        return false;
    }
    if (year < 1970 || month < 1 || month > 12) {
        what = "the date " + Quoted(field) + " does not exist";
        return false;
    }
    if (day < 1 || day > DaysInMonth(year, month)) {
        what = "the date " + Quoted(field) + " does not exist: " + MonthNames[month - 1] + " " +
               std::to_string(year) + " has " + std::to_string(DaysInMonth(year, month)) + " days";
        return false;
    }
    entry.year = year;
    entry.month = month;
    entry.day = day;
    return true;
}

// "H:MM" or "HH:MM", 00:00 to 23:59, as minutes of the day.
bool ParseTime(std::string_view field, const char* which, int& minutes, std::string& what)
{
    const std::size_t colon = field.find(':');
    int hour = 0, minute = 0;
    if (colon == std::string_view::npos || colon < 1 || colon > 2 || field.size() != colon + 3 ||
        !ReadNumber(field.substr(0, colon), hour) || !ReadNumber(field.substr(colon + 1), minute)) {
        what = std::string("the ") + which + " time " + Quoted(field) + " is not HH:MM (e.g. 22:00)";
        return false;
    }
    if (hour > 23 || minute > 59) {
        what = std::string("the ") + which + " time " + Quoted(field) +
               " is no time of day: times go from 00:00 to 23:59 UTC";
        return false;
    }
    minutes = hour * 60 + minute;
    return true;
}

bool ParseStation(std::string_view field, std::string& station, std::string& what)
{
    if (field.size() == 2 && (field[0] == 'C' || field[0] == 'c') && (field[1] == 'Q' || field[1] == 'q')) {
        station = "CQ";
        return true;
    }
    for (char c : field) {
        if (!IsLetter(c) && !IsDigit(c) && c != '/') {
            what = "the station " + Quoted(field) +
                   " has a character no callsign has: only letters, digits and / (or CQ)";
            return false;
        }
    }
    if (field.size() > MaxSkedCallLength) {
        what = "the station " + Quoted(field) + " has " + std::to_string(field.size()) +
               " characters: a callsign has at most " + std::to_string(MaxSkedCallLength);
        return false;
    }
    station.assign(field);
    for (char& c : station)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return true;
}

// "1st" or "2nd" in any case, and nothing else: a word that looks like a
// period but isn't one is refused rather than guessed at, since a wrong
// period loses the sked.
bool ParsePeriod(std::string_view field, TxPeriod& period)
{
    auto is = [field](std::string_view word) {
        if (field.size() != word.size())
            return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if ((IsLetter(field[i]) ? field[i] | 0x20 : field[i]) != word[i])
                return false;
        return true;
    };
    if (is("1st")) {
        period = TxPeriod::First;
        return true;
    }
    if (is("2nd")) {
        period = TxPeriod::Second;
        return true;
    }
    return false;
}

// Digits, points and commas: what the operator meant as a frequency, to be
// read as one or refused as one.
bool LooksLikeNumber(std::string_view field)
{
    bool digit = false;
    for (char c : field) {
        if (!IsDigit(c) && c != '.' && c != ',')
            return false;
        digit = digit || IsDigit(c);
    }
    return digit;
}

// Blank or a comment: kept as it is.
bool IsNote(std::string_view line)
{
    for (char c : line) {
        if (!IsBlank(c))
            return c == '#';
    }
    return true;
}

// UTF-16 of plain ASCII becomes ASCII; anything else is refused with the
// line it stands on.
bool FromUtf16(std::string_view bytes, bool bigEndian, std::string& text, ScheduleProblem& problem)
{
    if (bytes.size() % 2 != 0) {
        problem = {0, "the file is UTF-16 but ends in half a character"};
        return false;
    }
    text.clear();
    text.reserve(bytes.size() / 2);
    int line = 1;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned first = static_cast<unsigned char>(bytes[i]);
        const unsigned second = static_cast<unsigned char>(bytes[i + 1]);
        const unsigned unit = bigEndian ? first << 8 | second : second << 8 | first;
        if (unit >= 0x80) {
            problem = {line, "the file is UTF-16 and this line has characters other than plain English "
                             "letters, digits and signs: save the file as UTF-8 or ANSI"};
            return false;
        }
        text += static_cast<char>(unit);
        line += unit == '\n';
    }
    return true;
}

// The optional fields after the station, in either order and each once.
bool ParseOptional(std::string_view field, const char* after, SkedEntry& entry, bool& period, bool& frequency,
                   std::string& what)
{
    const std::string prefix = std::string("after the ") + after + " comes ";
    if (LooksLikeNumber(field)) {
        if (frequency) {
            what = prefix + Quoted(field) + ": an entry has one frequency";
            return false;
        }
        frequency = true;
        return ParseMhz(field, entry.frequency, what);
    }
    if (period) {
        what = prefix + Quoted(field) + ": an entry has one period";
        return false;
    }
    period = true;
    if (ParsePeriod(field, entry.period))
        return true;
    what = prefix + Quoted(field) +
           ": the only fields that may follow the station are the transmit period, 1st or 2nd, and the "
           "frequency in MHz, e.g. 144.366";
    return false;
}

}  // namespace

bool ParseMhz(std::string_view text, std::int64_t& hz, std::string& what)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        for (char c : part)
            if (!IsDigit(c))
                return false;
        return true;
    };
    if (text.find(',') != std::string_view::npos) {
        what = "the frequency " + Quoted(text) + " has a comma: write MHz with a point, e.g. 144.366";
        return false;
    }
    if (whole.empty() || !digits(whole) || !digits(decimals) || (point != std::string_view::npos && decimals.empty())) {
        what = "the frequency " + Quoted(text) + " is not a number of MHz, e.g. 144.366";
        return false;
    }
    if (decimals.size() > 6) {
        what = "the frequency " + Quoted(text) + " has more than 6 decimals: MHz to the Hz has 6";
        return false;
    }
    std::size_t first = 0;
    while (first + 1 < whole.size() && whole[first] == '0')
        ++first;
    std::int64_t value = 0;
    if (whole.size() - first <= 5) {
        for (char c : whole.substr(first))
            value = value * 10 + (c - '0');
        std::int64_t scale = 1000000;
        value *= scale;
        for (char c : decimals)
            value += (c - '0') * (scale /= 10);
    } else {
        value = HighestSkedHz + 1;
    }
    if (value < LowestSkedHz || value > HighestSkedHz) {
        what = "the frequency " + Quoted(text) + " MHz is outside 1.8 to 1300 MHz";
        return false;
    }
    hz = value;
    return true;
}

std::string MhzText(std::int64_t hz)
{
    std::string text = std::to_string(hz / 1000000);
    std::string decimals = std::to_string(1000000 + hz % 1000000).substr(1);
    while (!decimals.empty() && decimals.back() == '0')
        decimals.pop_back();
    if (!decimals.empty())
        text += "." + decimals;
    return text;
}

bool ParseSkedEntry(std::string_view text, SkedEntry& entry, std::string& what)
{
    // The four fields every entry has, then the optional ones.
    constexpr std::size_t Required = 4, MostFields = 6;
    std::array<std::string_view, MostFields> fields;
    std::size_t count = 0, at = 0;
    std::string_view beyond;  // what follows the last field an entry may have
    while (at < text.size() && beyond.empty()) {
        if (IsBlank(text[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !IsBlank(text[end]))
            ++end;
        if (count == fields.size())
            beyond = text.substr(at);
        else
            fields[count++] = text.substr(at, end - at);
        at = end;
    }
    if (count < Required) {
        what = "this is not an entry: an entry is a date (or * for every day), a start, an end and a "
               "station, e.g. 2026-12-13 22:00 23:00 Q9XYZ";
        return false;
    }
    SkedEntry parsed;
    if (!ParseDate(fields[0], parsed, what) || !ParseTime(fields[1], "start", parsed.start, what) ||
        !ParseTime(fields[2], "end", parsed.end, what) || !ParseStation(fields[3], parsed.station, what))
        return false;
    bool period = false, frequency = false;
    for (std::size_t i = Required; i < count; ++i) {
        const char* after = i == Required ? "station" : period ? "period" : "frequency";
        if (!ParseOptional(fields[i], after, parsed, period, frequency, what))
            return false;
    }
    if (!beyond.empty()) {
        what = "after the period and the frequency comes " + Quoted(beyond) +
               ": an entry ends with them, and a comment goes on a line of its own starting with #";
        return false;
    }
    if (parsed.start == parsed.end) {
        what = "the end is the same as the start: an entry lasts at least a minute";
        return false;
    }
    entry = std::move(parsed);
    return true;
}

const char* TxPeriodText(TxPeriod period)
{
    switch (period) {
    case TxPeriod::First: return "1st";
    case TxPeriod::Second: return "2nd";
    case TxPeriod::AsWsjt: break;
    }
    return "";
}

std::string FormatSkedEntry(const SkedEntry& entry)
{
    std::string out;
    if (entry.EveryDay())
        out += '*';
    else
        AppendDate(out, entry.year, entry.month, entry.day);
    out += ' ';
    AppendClock(out, entry.start / 60, entry.start % 60);
    out += ' ';
    AppendClock(out, entry.end / 60, entry.end % 60);
    out += ' ';
    out += entry.station;
    if (entry.period != TxPeriod::AsWsjt) {
        out += ' ';
        out += TxPeriodText(entry.period);
    }
    if (entry.frequency != 0) {
        out += ' ';
        out += MhzText(entry.frequency);
    }
    return out;
}

bool ParseSchedule(std::string_view bytes, std::vector<SkedLine>& lines, ScheduleProblem& problem)
{
    lines.clear();
    if (bytes.size() > MaxSkedFileBytes) {
        problem = {0, "the file is " + std::to_string(bytes.size() / 1024) + " KB: a schedule is at most " +
                          std::to_string(MaxSkedFileBytes / 1024) + " KB"};
        return false;
    }
    std::string converted;
    const bool littleEndian = bytes.starts_with("\xFF\xFE");
    if (littleEndian || bytes.starts_with("\xFE\xFF")) {
        if (!FromUtf16(bytes.substr(2), !littleEndian, converted, problem))
            return false;
        bytes = converted;
    } else if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::string what;
    while (!bytes.empty()) {
        const std::size_t lineEnd = bytes.find('\n');
        std::string_view text = bytes.substr(0, lineEnd);
        bytes.remove_prefix(lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1);
        if (text.ends_with('\r'))
            text.remove_suffix(1);
        const int number = static_cast<int>(lines.size()) + 1;
        if (lines.size() == MaxSkedLines) {
            problem = {number, "the file has more than " + std::to_string(MaxSkedLines) + " lines"};
            return false;
        }
        SkedLine& line = lines.emplace_back();
        line.text.assign(text);
        if (IsNote(text))
            continue;
        if (!ParseSkedEntry(text, line.sked, what)) {
            problem = {number, what};
            return false;
        }
        line.entry = true;
    }
    return true;
}

std::string FormatSchedule(const std::vector<SkedLine>& lines)
{
    std::string out;
    for (const SkedLine& line : lines) {
        out += line.entry ? FormatSkedEntry(line.sked) : line.text;
        out += "\r\n";
    }
    return out;
}

std::vector<SkedEntry> EntriesOf(const std::vector<SkedLine>& lines)
{
    std::vector<SkedEntry> entries;
    for (const SkedLine& line : lines)
        if (line.entry)
            entries.push_back(line.sked);
    return entries;
}
