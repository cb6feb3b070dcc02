// Text files read into lines: no line holds a line end or a NUL, and the
// lines with their line ends give back the text up to its first NUL. Read
// in pieces through a small buffer, the text gives the same lines, each at
// its place in the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/line_reader.h"
#include "engine/text_lines.h"
#include "tests/support/fake_platform.h"

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

    FakePlatform platform;
    platform.files["f"] = original;
    platform.pieceSize = size ? 1 + data[0] % 64 : 1;
    LineReader reader(size ? 1 + data[size - 1] % 128 : 1);
    std::size_t next = 0;
    const FileHandle file = platform.OpenForReading("f");
    const bool read = reader.Read(platform, file, 0, [&](std::string_view line) {
        if (next >= text.size() || line != text[next] ||
            reader.OffsetOf(line) != static_cast<std::size_t>(text[next].data() - text.buffer.data()))
            std::abort();
        ++next;
    });
    if (!read || next != text.size())
        std::abort();
    return 0;
}
