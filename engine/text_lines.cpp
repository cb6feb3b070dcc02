#include "engine/text_lines.h"

#include "engine/line_reader.h"
#include "ports/platform.h"

void SplitLines(TextLines& text)
{
    text.lines.clear();
    const char* data = text.buffer.data();
    const auto add = [&](std::size_t begin, std::size_t end) { text.lines.emplace_back(data + begin, end - begin); };
    LineCutter cutter;
    cutter.Finish(data, text.buffer.size(), add);
}

bool ReadTextLines(Platform& platform, const std::string& name, TextLines& text)
{
    text.lines.clear();
    if (!platform.ReadWholeFile(name, text.buffer))
        return false;
    SplitLines(text);
    return true;
}
