// Run control helpers that are worth testing on their own.
#pragma once
#include <string>
#include <string_view>

// A callsign-list line reduced to its callsign: the leading run of ASCII
// letters and digits, upper-cased. Empty when the line starts otherwise.
std::string ReduceCallsign(std::string_view line);

// Upper-cases the ASCII letters a to z only.
std::string UpperCaseAscii(std::string text);

// Messages of the run control, as Windows-1251 bytes.
namespace RunMessages {
constexpr const char* PartnerEmpty = "ToRadio Callsign is empty!";
constexpr const char* ListNotFound = "Callsigns list file not found";
constexpr const char* ListLoadFailure = "Callsigns list loading failure!";
// "Не задан позывной": own callsign not set.
constexpr const char* OwnCallMissing = "\xCD\xE5 \xE7\xE0\xE4\xE0\xED \xEF\xEE\xE7\xFB\xE2\xED\xEE\xE9";
// "Не найден работающий WSJT 4.9.7": no running WSJT 4.9.7 found.
constexpr const char* PeerNotFound =
    "\xCD\xE5 \xED\xE0\xE9\xE4\xE5\xED \xF0\xE0\xE1\xEE\xF2\xE0\xFE\xF9\xE8\xE9 WSJT 4.9.7";
constexpr const char* LogOpenFailure = "Log file open failure!";
constexpr const char* CloseQuestion = "Tavrix is active. Close anyway?";
}  // namespace RunMessages
