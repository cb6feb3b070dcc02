// rigctld's commands and answers; see engine/rig_protocol.h.
#include "engine/rig_protocol.h"

std::string RigSetCommand(std::int64_t hz)
{
    return "F " + std::to_string(hz) + "\n";
}

namespace {

// Digits, with a sign when `sign`; false when none or too many to be a
// frequency or a code.
bool ReadInteger(std::string_view text, bool sign, std::int64_t& value)
{
    bool negative = false;
    if (sign && !text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 12)
        return false;
    std::int64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    value = negative ? -number : number;
    return true;
}

std::string Shown(std::string_view line)
{
    std::string out;
    for (std::size_t i = 0; i < line.size() && i < 40; ++i)
        out += static_cast<unsigned char>(line[i]) < 0x20 || static_cast<unsigned char>(line[i]) >= 0x7F ? '?' : line[i];
    return line.size() > 40 ? out + "..." : out;
}

}  // namespace

RigAnswer ReadRigAnswer(std::string_view bytes)
{
    RigAnswer answer;
    if (bytes.empty())
        return answer;
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) {
        // A line that long is no answer of rigctld's, whatever follows.
        answer.kind = bytes.size() > 256 ? RigAnswer::Garbage : RigAnswer::Partial;
        if (answer.kind == RigAnswer::Garbage)
            answer.used = bytes.size(), answer.line = Shown(bytes);
        return answer;
    }
    answer.used = end + 1;
    std::string_view line = bytes.substr(0, end);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    std::int64_t number = 0;
    if (line.starts_with("RPRT ") && ReadInteger(line.substr(5), true, number)) {
        answer.kind = number == 0 ? RigAnswer::Value : number < 0 ? RigAnswer::Error : RigAnswer::Garbage;
        answer.value = number;
    } else if (ReadInteger(line.substr(0, line.find('.')), false, number) &&
               (line.find('.') == std::string_view::npos ||
                line.find_first_not_of("0123456789", line.find('.') + 1) == std::string_view::npos)) {
        answer.kind = RigAnswer::Value;
        answer.value = number;
    } else {
        answer.kind = RigAnswer::Garbage;
    }
    if (answer.kind == RigAnswer::Garbage)
        answer.line = Shown(line);
    return answer;
}
