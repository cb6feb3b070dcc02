// The contacts file's text, its appending and its settings.
#include "engine/contacts_file.h"

#include <cstddef>

std::string RecordedCall(std::string_view word)
{
    std::string call(word);
    for (char& c : call) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (!(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9') && c != '/')
            return std::string();
    }
    return call;
}

std::string AdifBand(std::int64_t hz)
{
    // ADIF's band table, lowest edge to highest, in kHz.
    static const struct { std::int64_t low, high; const char* band; } bands[] = {
        {1800, 2000, "160m"},     {3500, 4000, "80m"},       {5060, 5450, "60m"},    {7000, 7300, "40m"},
        {10100, 10150, "30m"},    {14000, 14350, "20m"},     {18068, 18168, "17m"},  {21000, 21450, "15m"},
        {24890, 24990, "12m"},    {28000, 29700, "10m"},     {50000, 54000, "6m"},   {70000, 71000, "4m"},
        {144000, 148000, "2m"},   {222000, 225000, "1.25m"}, {420000, 450000, "70cm"},
        {902000, 928000, "33cm"}, {1240000, 1300000, "23cm"},
    };
    for (const auto& b : bands)
        if (hz >= b.low * 1000 && hz <= b.high * 1000)
            return b.band;
    return "";
}

static void AppendDigits(std::string& out, int value, std::size_t width)
{
    const std::string digits = std::to_string(value);
    if (digits.size() < width)
        out.append(width - digits.size(), '0');
    out += digits;
}

// Three numbers run together, zero-padded: ADIF's Date (YYYYMMDD) and Time
// (HHMMSS).
static std::string Digits(int first, std::size_t firstWidth, int second, int third)
{
    std::string text;
    AppendDigits(text, first, firstWidth);
    AppendDigits(text, second, 2);
    AppendDigits(text, third, 2);
    return text;
}

static std::string AdifDate(const UtcTime& t) { return Digits(t.year, 4, t.month, t.day); }
static std::string AdifTime(const UtcTime& t) { return Digits(t.hour, 2, t.minute, t.second); }

// The length counts bytes, so a reader finds the next field whatever the
// value holds, non-ASCII bytes and '<' included.
static void AppendField(std::string& out, const char* name, const std::string& value, const char* end)
{
    if (value.empty())
        return;
    out += '<';
    out += name;
    out += ':';
    out += std::to_string(value.size());
    out += '>';
    out += value;
    out += end;
}

std::string AdifRecord(const CompletedContact& contact)
{
    std::string record;
    AppendField(record, "CALL", contact.partner, " ");
    AppendField(record, "QSO_DATE", AdifDate(contact.firstHeard), " ");
    AppendField(record, "TIME_ON", AdifTime(contact.firstHeard), " ");
    AppendField(record, "QSO_DATE_OFF", AdifDate(contact.completed), " ");
    AppendField(record, "TIME_OFF", AdifTime(contact.completed), " ");
    AppendField(record, "BAND", contact.band, " ");
    AppendField(record, "FREQ", contact.freq, " ");
    AppendField(record, "MODE", "FSK441", " ");
    AppendField(record, "RST_RCVD", contact.report, " ");
    AppendField(record, "STATION_CALLSIGN", contact.ownCall, " ");
    AppendField(record, "COMMENT", contact.cq ? "Tavrix unattended, CQ" : "Tavrix unattended, sked", " ");
    record += "<EOR>\r\n";
    return record;
}

std::string AdifHeader(const UtcTime& created)
{
    // The free text keeps the file from starting with '<', which would tell
    // a reader it has no header.
    std::string header = "Contacts completed by Tavrix\r\n";
    AppendField(header, "ADIF_VER", "3.1.4", "\r\n");
    AppendField(header, "PROGRAMID", "Tavrix", "\r\n");
    AppendField(header, "PROGRAMVERSION", AdifProgramVersion, "\r\n");
    AppendField(header, "CREATED_TIMESTAMP", AdifDate(created) + " " + AdifTime(created), "\r\n");
    header += "<EOH>\r\n";
    return header;
}

static bool WriteOnce(Platform& platform, const std::string& path, const std::string& text)
{
    const FileHandle file = platform.OpenForAppend(path);
    if (file == NoFile)
        return false;
    const bool written = platform.WriteFile(file, text.data(), text.size());
    platform.CloseFile(file);
    return written;
}

bool AppendContact(Platform& platform, const std::string& path, const CompletedContact& contact)
{
    try {
        std::string text = AdifRecord(contact);
        const bool created = !platform.FileExists(path);
        if (created) {
            if (!platform.CreateEmptyFile(path))
                return false;
            text.insert(0, AdifHeader(platform.UtcNow()));
        }
        if (WriteOnce(platform, path, text))
            return true;
        // Only a file still empty goes: another program may have written
        // into it since it was made, and what it wrote stays.
        std::string content;
        if (created && platform.ReadWholeFile(path, content) && content.empty())
            platform.DeleteFile(path);
        return false;
    } catch (...) {
        return false;  // out of memory: the record is lost, the run goes on
    }
}

// The folder part of a file name, separator included: empty for a bare
// name, which stands for the current folder. "C:log.txt" keeps its drive.
static std::string FolderOf(const std::string& fileName)
{
    const std::size_t end = fileName.find_last_of("\\/:");
    return end == std::string::npos ? std::string() : fileName.substr(0, end + 1);
}

ContactsSettings ReadContactsSettings(Platform& platform, const std::string& iniPath,
                                      const std::string& logFileName)
{
    constexpr const char* section = "Options";
    ContactsSettings settings;
    settings.path = platform.ReadSetting(iniPath, section, "ADIF", "");
    if (settings.path.empty())
        settings.path = FolderOf(logFileName) + ContactsFileName;
    settings.band = platform.ReadSetting(iniPath, section, "Band", "");
    settings.freq = platform.ReadSetting(iniPath, section, "Freq", "");
    return settings;
}
