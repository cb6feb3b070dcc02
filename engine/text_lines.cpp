#include "engine/text_lines.h"

#include <cstring>

#include "engine/platform.h"

void SplitLines(TextLines& text)
{
    text.lines.clear();
    const char* data = text.buffer.data();
    std::size_t size = text.buffer.size();
    if (const void* nul = std::memchr(data, '\0', size))
        size = static_cast<const char*>(nul) - data;

    std::size_t start = 0;
    while (start < size) {
        // memchr-style search for the next CR or LF keeps the inner loop tight.
        std::size_t end = start;
        while (end < size && data[end] != '\n' && data[end] != '\r')
            ++end;
        text.lines.emplace_back(data + start, end - start);
        if (end >= size)
            break;
        if (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

bool ReadTextLines(Platform& platform, const std::string& name, TextLines& text)
{
    text.lines.clear();
    if (!platform.ReadWholeFile(name, text.buffer)) {
        text.buffer.clear();
        return false;
    }
    SplitLines(text);
    return true;
}
