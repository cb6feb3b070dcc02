// The Skeds page's pure decisions; see ui/skeds.h.
#include "ui/skeds.h"

#include "engine/clock_text.h"

std::string SkedsFilePath(const std::string& settingsFolder, const std::string& keyValue)
{
    if (keyValue.empty())
        return settingsFolder + DefaultSkedsFile;
    const bool absolute = keyValue[0] == '\\' || keyValue[0] == '/' || (keyValue.size() > 1 && keyValue[1] == ':');
    return absolute ? keyValue : settingsFolder + keyValue;
}

static std::string TwoDigits(int hour, int minute)
{
    std::string text;
    AppendClock(text, hour, minute);
    return text;
}

static std::string DateText(int year, int month, int day)
{
    std::string text;
    AppendDate(text, year, month, day);
    return text;
}

const char* PeriodColumnText(TxPeriod period)
{
    return period == TxPeriod::AsWsjt ? "as WSJT" : TxPeriodText(period);
}

SkedRow SkedRowOf(const SkedEntry& entry)
{
    return {entry.EveryDay() ? "every day" : DateText(entry.year, entry.month, entry.day),
            TwoDigits(entry.start / 60, entry.start % 60), TwoDigits(entry.end / 60, entry.end % 60),
            entry.station, PeriodColumnText(entry.period), entry.frequency ? MhzText(entry.frequency) : "", ""};
}

std::vector<int> MatchRunEntries(const std::vector<SkedEntry>& file, const std::vector<SkedEntry>& run)
{
    std::vector<int> match(file.size(), -1);
    std::vector<bool> taken(run.size(), false);
    for (std::size_t i = 0; i < file.size(); ++i) {
        for (std::size_t j = 0; j < run.size(); ++j) {
            if (!taken[j] && run[j] == file[i]) {
                taken[j] = true;
                match[i] = int(j);
                break;
            }
        }
    }
    return match;
}

SkedFields FieldsOf(const SkedEntry& entry)
{
    const SkedRow row = SkedRowOf(entry);
    return {entry.EveryDay(), entry.EveryDay() ? "" : row[ColDate], row[ColFrom], row[ColTo], entry.station,
            entry.period, row[ColMhz]};
}

SkedFields NewSkedFields(const UtcTime& now)
{
    const int hour = (now.hour + 1) % 24;
    // The next whole hour may be tomorrow's.
    const UtcTime day = now.hour == 23 ? UtcTimeOf(UtcSeconds(now) + 3600) : now;
    return {false, DateText(day.year, day.month, day.day), TwoDigits(hour, 0), TwoDigits((hour + 1) % 24, 0), ""};
}

static std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EntryOfFields(const SkedFields& fields, SkedEntry& entry, std::string& what)
{
    const std::pair<const char*, std::string> parts[] = {
        {"Date", fields.everyDay ? std::string("*") : Trimmed(fields.date)},
        {"From", Trimmed(fields.from)},
        {"To", Trimmed(fields.to)},
        {"Station", Trimmed(fields.station)},
    };
    std::string line;
    for (const auto& [name, text] : parts) {
        // A blank inside a field would shift the fields after it.
        if (text.empty() || text.find_first_of(" \t") != std::string::npos) {
            what = std::string(name) + (text.empty() ? " is empty." : " must be one word, without blanks.");
            return false;
        }
        line += (line.empty() ? "" : " ") + text;
    }
    if (fields.period != TxPeriod::AsWsjt)
        line += std::string(" ") + TxPeriodText(fields.period);
    // The frequency is read on its own first, so that a word that is no
    // number is named as the frequency it was typed as.
    const std::string mhz = Trimmed(fields.frequency);
    std::int64_t hz = 0;
    if (!mhz.empty() && !ParseMhz(mhz, hz, what)) {
        what[0] = char(what[0] - 'a' + 'A');
        what += '.';
        return false;
    }
    if (!mhz.empty())
        line += " " + mhz;
    if (ParseSkedEntry(line, entry, what))
        return true;
    // The file's reasons are parts of a message; here one stands alone.
    if (!what.empty() && what[0] >= 'a' && what[0] <= 'z')
        what[0] = char(what[0] - 'a' + 'A');
    what += '.';
    return false;
}

// The line of the row'th entry, or lines.size() when there is none.
static std::size_t LineOfRow(const std::vector<SkedLine>& lines, std::size_t row)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].entry && row-- == 0)
            return i;
    return lines.size();
}

static SkedLine LineOf(const SkedEntry& entry)
{
    return {FormatSkedEntry(entry), true, entry};
}

void AddSked(std::vector<SkedLine>& lines, const SkedEntry& entry)
{
    lines.push_back(LineOf(entry));
}

bool ReplaceSked(std::vector<SkedLine>& lines, std::size_t row, const SkedEntry& entry)
{
    const std::size_t at = LineOfRow(lines, row);
    if (at == lines.size())
        return false;
    lines[at] = LineOf(entry);
    return true;
}

bool DeleteSked(std::vector<SkedLine>& lines, std::size_t row)
{
    const std::size_t at = LineOfRow(lines, row);
    if (at == lines.size())
        return false;
    lines.erase(lines.begin() + std::ptrdiff_t(at));
    return true;
}

std::string RewrittenSkeds(const std::string& before, const std::vector<SkedLine>& lines)
{
    constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
    const std::string text = FormatSchedule(lines);
    return before.starts_with(Utf8Mark) ? std::string(Utf8Mark) + text : text;
}

std::string ScheduleProblemText(const std::string& path, const ScheduleProblem& problem)
{
    std::string text = path;
    if (problem.line > 0)
        text += ", line " + std::to_string(problem.line);
    return text + ": " + problem.what;
}

std::string SkedsUnreadableText(const std::string& path, bool exists)
{
    return path + (exists ? ": cannot be read (another program holds it, or it is too large)."
                          : ": no such file. Add a sked on the Skeds page, or write the file in a text editor.");
}
