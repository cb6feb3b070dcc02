// Callsign-list lines: the reduced callsign is the line's leading run of
// letters and digits, upper-cased, and nothing else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/run_control.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::string call = ReduceCallsign(line);
    if (call.size() > line.size())
        std::abort();
    for (std::size_t i = 0; i < call.size(); ++i) {
        const char c = call[i];
        const bool ok = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
        const char in = line[i];
        if (!ok || (in != c && !(in >= 'a' && in <= 'z' && in - 'a' + 'A' == c)))
            std::abort();
    }
    // It stops exactly at the first character that is no letter or digit.
    if (call.size() < line.size()) {
        const char next = line[call.size()];
        if ((next >= '0' && next <= '9') || (next >= 'A' && next <= 'Z') || (next >= 'a' && next <= 'z'))
            std::abort();
    }
    return 0;
}
