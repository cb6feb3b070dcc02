// Where the fresh lines at the end of the decoded file begin, found by
// reading the file backwards from its end: only the newest lines can be
// fresh, so a scan's cost follows them, not the file's length.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "ports/platform.h"

class FreshTail {
public:
    static constexpr std::size_t PieceBytes = 64 * 1024;
    // A smaller piece lets tests put a piece's edge at every place.
    explicit FreshTail(std::size_t pieceBytes = PieceBytes) : piece_(pieceBytes) {}

    // Reads `file`, `size` bytes long, back from its end and puts in `begin`
    // where its fresh lines begin (`size` when none is). Lines are cut as
    // LineReader cuts them. Going back line by line, the first line whose
    // first six characters are a valid time of day and which is not fresh
    // at `scanSecond`, or a NUL byte, ends the fresh lines; lines without
    // such a stamp and lines longer than LongestDecodeLine are passed over.
    // Reads nothing more than one piece before the line end that comes
    // before the line ending them.
    // False when a read fails.
    bool Find(Platform& platform, FileHandle file, std::uint64_t size, int scanSecond,
              std::uint64_t& begin);

private:
    // Fills the buffer with `bytes` from `offset`; false when they can't be read.
    bool ReadAt(Platform& platform, FileHandle file, std::uint64_t offset, std::size_t bytes);

    std::size_t piece_;
    std::unique_ptr<char[]> buffer_;  // a piece and the start of the line after it
};
