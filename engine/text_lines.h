// Text files read into lines: the whole file in one buffer and the lines as
// views into it, so a large file costs one allocation, not one per line.
#pragma once
#include <string>
#include <string_view>
#include <vector>

class Platform;

struct TextLines {
    std::string buffer;                   // the file's bytes
    std::vector<std::string_view> lines;  // views into buffer

    std::size_t size() const { return lines.size(); }
    std::string_view operator[](std::size_t i) const { return lines[i]; }
    void clear() { lines.clear(); buffer.clear(); }
};

// Splits `buffer` into `lines`: CR LF, a lone CR and a lone LF each end a
// line; a NUL byte ends the text; a last line without a line end counts; a
// line end at the very end adds no empty line.
void SplitLines(TextLines& text);

// Reads the file whole (writers kept out) and splits it. False when the file
// can't be opened or read; `text` is then empty.
bool ReadTextLines(Platform& platform, const std::string& name, TextLines& text);
