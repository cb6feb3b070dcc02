// Lines of a text that arrives in pieces, cut by the rules of text files:
// CR LF, a lone CR and a lone LF each end a line; a NUL byte ends the text;
// a last line without a line end counts; a line end at the very end adds no
// empty line. LineReader reads a file through one small buffer this way, so
// a decoded file of hundreds of megabytes is examined line by line without
// ever being held whole. A reader can be told the longest line it hands
// over: a longer one is passed over, so no line grows its buffer without
// bound.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ports/platform.h"

// Finds the line ends of a buffer that fills in steps and reports each line
// once its end has arrived. Offsets are into the buffer.
class LineCutter {
public:
    // Looks for line ends in data[0, size), past what earlier calls looked
    // at, and calls line(begin, end) for each line that ends there.
    template <class Line>
    void Cut(const char* data, std::size_t size, Line&& line);
    // No more bytes: the unfinished line, if any, is the last one.
    template <class Line>
    void Finish(const char* data, std::size_t size, Line&& line);

    std::size_t LineStart() const { return start_; }
    bool Ended() const { return ended_; }
    // The buffer's bytes from `by` on have moved to its front.
    void Shift(std::size_t by)
    {
        start_ -= by;
        scanned_ -= by;
    }
    // The buffer's bytes were let go unfinished: cutting goes on at its
    // front, within the same line.
    void Restart()
    {
        start_ = scanned_ = 0;
        crEnded_ = false;
    }

private:
    std::size_t start_ = 0;    // where the unfinished line begins
    std::size_t scanned_ = 0;  // bytes looked at; at a NUL, where it stands
    bool crEnded_ = false;     // the last line end was a CR: an LF right after it is its part
    bool ended_ = false;       // a NUL has ended the text
};

// Reads an open file through one buffer of PieceBytes, piece by piece, and
// hands over each line while its piece is in the processor's cache. The
// buffer is taken at the first read and kept for the reader's life; only
// the unfinished line at a piece's end is moved to its front. A line longer
// than the buffer grows it for that read, up to the longest line handed
// over; a line longer still is let go as it arrives.
class LineReader {
public:
    static constexpr std::size_t PieceBytes = 256 * 1024;
    static constexpr std::size_t NoLongest = static_cast<std::size_t>(-1);
    // A smaller buffer lets tests cut lines at every place. Lines longer
    // than `longestLine` are passed over.
    explicit LineReader(std::size_t bufferBytes = PieceBytes, std::size_t longestLine = NoLongest)
        : standard_(bufferBytes), longest_(longestLine) {}

    // Reads `file` from `offset` to its end and calls line(text) for each
    // line in order; `offset` must be where a line begins. The view is
    // valid during the call. False when a read fails, perhaps after some
    // lines were handed over.
    template <class Line>
    bool Read(Platform& platform, FileHandle file, std::uint64_t offset, Line&& line);
    // Where in the file a line handed over by the read under way begins.
    std::uint64_t OffsetOf(std::string_view line) const
    {
        return base_ + static_cast<std::uint64_t>(line.data() - buffer_.get());
    }
    std::size_t Capacity() const { return capacity_; }

private:
    void Begin(std::uint64_t offset);
    // Makes room when the buffer is full and reads the next piece after
    // the bytes it holds; `got` is 0 at the end of the file.
    bool ReadPiece(Platform& platform, FileHandle file, std::size_t& got);
    void End();

    std::size_t standard_;
    std::size_t longest_;
    bool dropping_ = false;  // the line being cut was let go: its end hands over nothing
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t filled_ = 0;
    std::uint64_t base_ = 0;  // the file offset of buffer_[0]
    LineCutter cutter_;
};

#if defined(__SSE2__)
// Bit i set when p[i] is below 14, for the 64 bytes from p.
inline std::uint64_t LowBytes64(const char* p)
{
    const __m128i thirteen = _mm_set1_epi8(13), zero = _mm_setzero_si128();
    std::uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        const __m128i low = _mm_cmpeq_epi8(_mm_subs_epu8(bytes, thirteen), zero);
        mask |= std::uint64_t(unsigned(_mm_movemask_epi8(low))) << (16 * i);
    }
    return mask;
}
#endif

// Flags the bytes below 14 of the eight from p in their top bits (and at
// worst a 14 right above one).
inline std::uint64_t LowBytes8(const char* p)
{
    constexpr std::uint64_t ones = 0x0101010101010101, highs = 0x8080808080808080;
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return (word - ones * 14) & ~word & highs;
}

// CR, LF and NUL are all below 14, and nearly every stretch of a text file
// has no byte below 14: the search passes over whole blocks at once and
// looks only at the bytes flagged. The state is held in locals meanwhile,
// where the compiler can keep it in registers across the calls of `line`.
template <class Line>
void LineCutter::Cut(const char* data, std::size_t size, Line&& line)
{
    if (ended_)
        return;
    std::size_t start = start_, at = scanned_;
    bool crEnded = crEnded_;
    // False at a NUL, which ends the text.
    const auto lowByte = [&](std::size_t low) {
        switch (data[low]) {
        case '\n':
            if (!crEnded || low != start)
                line(start, low);
            crEnded = false;
            start = low + 1;
            return true;
        case '\r':
            line(start, low);
            crEnded = true;
            start = low + 1;
            return true;
        case '\0':
            at = low;
            return false;
        default:
            return true;
        }
    };
    const auto cut = [&] {
#if defined(__SSE2__)
        for (; size - at >= 64; at += 64) {
            for (std::uint64_t low = LowBytes64(data + at); low; low &= low - 1) {
                const int bit = std::countr_zero(low);
                // A CR LF within the block, the usual line end, is taken
                // in one step.
                if (bit < 63 && data[at + bit] == '\r' && data[at + bit + 1] == '\n') {
                    line(start, at + bit);
                    crEnded = false;
                    start = at + bit + 2;
                    low &= low - 1;
                    continue;
                }
                if (!lowByte(at + bit))
                    return false;
            }
        }
#else
        if constexpr (std::endian::native == std::endian::little) {
            for (; size - at >= 8; at += 8) {
                for (std::uint64_t low = LowBytes8(data + at); low; low &= low - 1) {
                    if (!lowByte(at + std::countr_zero(low) / 8))
                        return false;
                }
            }
        }
#endif
        for (; at < size; ++at) {
            if (static_cast<unsigned char>(data[at]) < 14 && !lowByte(at))
                return false;
        }
        return true;
    };
    ended_ = !cut();
    start_ = start;
    scanned_ = at;
    crEnded_ = crEnded;
}

template <class Line>
void LineCutter::Finish(const char* data, std::size_t size, Line&& line)
{
    Cut(data, size, line);
    if (start_ < scanned_)
        line(start_, scanned_);
    start_ = scanned_;
}

template <class Line>
bool LineReader::Read(Platform& platform, FileHandle file, std::uint64_t offset, Line&& line)
{
    Begin(offset);
    const auto cut = [&](std::size_t begin, std::size_t end) {
        if (dropping_)
            dropping_ = false;
        else if (end - begin <= longest_)
            line(std::string_view(buffer_.get() + begin, end - begin));
    };
    // After a NUL the rest is still read, so that a failure to read it is
    // one as well.
    for (;;) {
        std::size_t got = 0;
        if (!ReadPiece(platform, file, got)) {
            End();
            return false;
        }
        if (got == 0)
            break;
        if (!cutter_.Ended()) {
            cutter_.Cut(buffer_.get(), filled_, cut);
            if (cutter_.Ended())
                cutter_.Finish(buffer_.get(), filled_, cut);
        }
    }
    if (!cutter_.Ended())
        cutter_.Finish(buffer_.get(), filled_, cut);
    End();
    return true;
}
