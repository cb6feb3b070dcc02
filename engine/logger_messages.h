// The messages loggers take contacts in as they happen: WSJT-X's UDP
// protocol (its Network/NetworkMessage.hpp), written byte for byte without
// Qt. Every number is big-endian; a datagram opens with the magic number,
// the schema number, the message type and the id "Tavrix".
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ports/platform.h"

namespace LoggerProtocol {
constexpr std::uint32_t Magic = 0xadbccbda;
// Schema 3 is the encoding of Qt 5.4's data streams, the one WSJT-X itself
// sends and the highest the protocol defines: every reader built to the
// header takes it, and one written for an older schema reads the few types
// used here the same way.
constexpr std::uint32_t Schema = 3;
constexpr const char* Id = "Tavrix";
enum Type : std::uint32_t { Heartbeat = 0, QsoLogged = 5, Close = 6, LoggedAdif = 12 };
constexpr int HeartbeatSeconds = 15;  // the protocol's pulse
}  // namespace LoggerProtocol

// The data stream's pieces, appended to `out`.
void AppendUint32(std::string& out, std::uint32_t value);
void AppendUint64(std::string& out, std::uint64_t value);
// A text: its length in bytes (32 bits), then its bytes, no terminator.
// No text at all (a null one) has the length 0xffffffff and no bytes.
void AppendText(std::string& out, std::optional<std::string_view> text);
// A date and time on the UTC clock: the Julian day number (64 bits), the
// milliseconds since midnight (32 bits), then 1 for UTC (8 bits).
void AppendUtcDateTime(std::string& out, const UtcTime& time);

// The Julian day number of a day of the Gregorian calendar, as Qt counts
// it: 2000-01-01 is 2451545.
std::int64_t JulianDay(int year, int month, int day);

// What a QSO Logged message says of one contact.
struct LoggedQso {
    UtcTime timeOn, timeOff;
    std::string dxCall, dxGrid;
    std::uint64_t txFrequencyHz = 0;
    std::string mode, reportSent, reportReceived;
    std::string ownCall;
};

std::string HeartbeatMessage(std::string_view version, std::string_view revision);
std::string QsoLoggedMessage(const LoggedQso& qso);
std::string CloseMessage();
// `adif` is a whole ADIF text: header, <EOH> and the record.
std::string LoggedAdifMessage(std::string_view adif);

// A frequency in MHz as ADIF's FREQ writes it ("144.370") in whole hertz:
// decimal digits with at most one point, anything past the sixth decimal
// dropped. 0 for an empty text, any other text, or more than 10^12 Hz.
std::uint64_t FrequencyHz(std::string_view megahertz);
