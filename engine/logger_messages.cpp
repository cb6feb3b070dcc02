// The bytes of the loggers' messages.
#include "engine/logger_messages.h"

void AppendUint32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xff);
}

void AppendUint64(std::string& out, std::uint64_t value)
{
    AppendUint32(out, static_cast<std::uint32_t>(value >> 32));
    AppendUint32(out, static_cast<std::uint32_t>(value));
}

void AppendText(std::string& out, std::optional<std::string_view> text)
{
    if (!text) {
        AppendUint32(out, 0xffffffffu);
        return;
    }
    AppendUint32(out, static_cast<std::uint32_t>(text->size()));
    out.append(*text);
}

// Fliegel and Van Flandern's formula, in whole numbers.
std::int64_t JulianDay(int year, int month, int day)
{
    const std::int64_t a = (14 - month) / 12;
    const std::int64_t y = year + 4800 - a;
    const std::int64_t m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

void AppendUtcDateTime(std::string& out, const UtcTime& time)
{
    AppendUint64(out, static_cast<std::uint64_t>(JulianDay(time.year, time.month, time.day)));
    const std::uint32_t ms = ((time.hour * 60u + time.minute) * 60u + time.second) * 1000u;
    AppendUint32(out, ms);
    out += '\x01';
}

static std::string Message(LoggerProtocol::Type type)
{
    std::string out;
    AppendUint32(out, LoggerProtocol::Magic);
    AppendUint32(out, LoggerProtocol::Schema);
    AppendUint32(out, type);
    AppendText(out, LoggerProtocol::Id);
    return out;
}

std::string HeartbeatMessage(std::string_view version, std::string_view revision)
{
    std::string out = Message(LoggerProtocol::Heartbeat);
    AppendUint32(out, LoggerProtocol::Schema);
    AppendText(out, version);
    AppendText(out, revision);
    return out;
}

// The fields in the header's order; those Tavrix knows nothing of (power,
// comments, name, operator, own grid, the exchanges, the propagation mode)
// are empty texts, as WSJT-X sends an empty box.
std::string QsoLoggedMessage(const LoggedQso& qso)
{
    std::string out = Message(LoggerProtocol::QsoLogged);
    AppendUtcDateTime(out, qso.timeOff);
    AppendText(out, qso.dxCall);
    AppendText(out, qso.dxGrid);
    AppendUint64(out, qso.txFrequencyHz);
    AppendText(out, qso.mode);
    AppendText(out, qso.reportSent);
    AppendText(out, qso.reportReceived);
    AppendText(out, "");  // Tx power
    AppendText(out, "");  // comments
    AppendText(out, "");  // name
    AppendUtcDateTime(out, qso.timeOn);
    AppendText(out, "");  // operator call
    AppendText(out, qso.ownCall);
    for (int i = 0; i < 4; ++i)
        AppendText(out, "");  // own grid, exchange sent and received, propagation mode
    return out;
}

std::string CloseMessage()
{
    return Message(LoggerProtocol::Close);
}

std::string LoggedAdifMessage(std::string_view adif)
{
    std::string out = Message(LoggerProtocol::LoggedAdif);
    AppendText(out, adif);
    return out;
}

std::uint64_t FrequencyHz(std::string_view megahertz)
{
    constexpr std::uint64_t MostHz = 1'000'000'000'000ull;
    std::uint64_t hz = 0;
    int decimals = -1;  // digits after the point; -1 before it
    bool digits = false;
    for (char c : megahertz) {
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9')
            return 0;
        digits = true;
        if (decimals >= 6)
            continue;
        hz = hz * 10 + static_cast<std::uint64_t>(c - '0');
        if (decimals >= 0)
            ++decimals;
        if (hz > MostHz)
            return 0;
    }
    for (int i = decimals < 0 ? 0 : decimals; i < 6; ++i)
        hz *= 10;
    return digits && hz <= MostHz ? hz : 0;
}
