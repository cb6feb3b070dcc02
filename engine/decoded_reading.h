// What the scan keeps of the decoded file from one scan to the next: not its
// lines, only the buffers it reads the file through and how many lines the
// last scan read.
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/fresh_tail.h"
#include "engine/line_reader.h"
#include "engine/scan_rules.h"

struct DecodedReading {
    FreshTail tail;  // back from the end to where the fresh lines begin
    LineReader reader{LineReader::PieceBytes, LongestDecodeLine};  // then through them
    std::size_t lines = 0;  // read by the last scan; 0 after a failed one
    // The file's length when the last scan read it whole: lines before it
    // were counted for the night already, as a line stays fresh for two scans.
    std::uint64_t counted = 0;

    std::size_t size() const { return lines; }
    void clear() { lines = 0; }
};
