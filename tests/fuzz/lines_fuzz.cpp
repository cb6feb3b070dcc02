// Text files read into lines: no line holds a line end or a NUL, and the
// lines with their line ends give back the text up to its first NUL.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/text_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TextLines text;
    text.buffer.assign(reinterpret_cast<const char*>(data), size);
    SplitLines(text);

    const std::string original(reinterpret_cast<const char*>(data), size);
    const std::string upToNul = original.substr(0, original.find('\0'));
    std::size_t at = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view line = text[i];
        if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
            std::abort();
        if (upToNul.compare(at, line.size(), line) != 0)
            std::abort();
        at += line.size();
        // Then exactly one line end: CR LF, CR or LF; none only at the end.
        if (at == upToNul.size()) {
            if (i + 1 != text.size())
                std::abort();
            break;
        }
        if (upToNul[at] == '\r' && at + 1 < upToNul.size() && upToNul[at + 1] == '\n')
            at += 2;
        else if (upToNul[at] == '\r' || upToNul[at] == '\n')
            at += 1;
        else
            std::abort();
    }
    if (at != upToNul.size())
        std::abort();
    return 0;
}
