// Text files read into lines: the whole file in one buffer and the lines as
// views into it, so a file costs one allocation, not one per line. For files
// of a modest size, such as the callsign list; the decoded file is read
// through a LineReader instead.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Platform;

struct TextLines {
    std::string buffer;                   // the file's bytes
    std::vector<std::string_view> lines;  // views into buffer

    std::size_t size() const { return lines.size(); }
    std::string_view operator[](std::size_t i) const { return lines[i]; }
};

// Cuts text.buffer into text.lines by the rules of text files
// (engine/line_reader.h).
void SplitLines(TextLines& text);

// Reads the file whole (writers kept out) and splits it. False when the file
// can't be opened or read; `text` then holds no lines.
bool ReadTextLines(Platform& platform, const std::string& name, TextLines& text);
