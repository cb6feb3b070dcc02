// What the scan keeps of the decoded file from one scan to the next: not its
// lines, only the buffer it reads the file through and how many lines the
// last scan read.
#pragma once
#include <cstddef>

#include "engine/line_reader.h"

struct DecodedReading {
    LineReader reader;
    std::size_t lines = 0;  // read by the last scan; 0 after a failed one

    std::size_t size() const { return lines; }
    void clear() { lines = 0; }
};
