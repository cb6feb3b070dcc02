// Text files read into lines: the whole file in one buffer and the lines as
// views into it, so a large file costs one allocation, not one per line.
// The file is split piece by piece as it is read, while each piece is still
// in the processor's cache: a decoded file nobody clears grows to hundreds
// of megabytes and is read twice a minute on the user-interface thread.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Platform;

struct TextLines {
    std::string buffer;                   // the file's bytes
    std::vector<std::string_view> lines;  // views into buffer

    std::size_t size() const { return lines.size(); }
    std::string_view operator[](std::size_t i) const { return lines[i]; }
    // Forgets the lines. The buffer keeps its bytes and capacity, so the
    // next read overwrites them instead of zero-filling the whole buffer.
    void clear() { lines.clear(); }
};

// Splits text.buffer into text.lines as it fills: CR LF, a lone CR and a
// lone LF each end a line; a NUL byte ends the text; a last line without a
// line end counts; a line end at the very end adds no empty line.
class LineSplitter {
public:
    explicit LineSplitter(TextLines& text) : text_(text) { text.lines.clear(); }
    // Splits the bytes up to `filled` not split yet. A line whose end has
    // not arrived waits for the next piece.
    void Feed(std::size_t filled);
    // No more bytes: the unfinished last line counts.
    void Finish();

private:
    TextLines& text_;
    std::size_t start_ = 0;    // the line not yet ended
    std::size_t scanned_ = 0;  // no line end in [start_, scanned_)
    bool afterCr_ = false;     // the last piece ended with a CR: skip an LF
    bool ended_ = false;       // a NUL was found
};

// The whole buffer at once.
void SplitLines(TextLines& text);

// Lines [from, to) have just been split and are still in cache. A call with
// from == 0 after others means the lines were split again from the start.
using LinesReady = std::function<void(std::size_t from, std::size_t to)>;

// Reads the file whole (writers kept out) and splits it. False when the file
// can't be opened or read; `text` then holds no lines.
bool ReadTextLines(Platform& platform, const std::string& name, TextLines& text,
                   const LinesReady& ready = {});
