#include "engine/line_reader.h"

void LineReader::Begin(std::uint64_t offset)
{
    if (!buffer_) {
        buffer_ = std::make_unique<char[]>(standard_);
        capacity_ = standard_;
    }
    filled_ = 0;
    base_ = offset;
    cutter_ = LineCutter();
    dropping_ = false;
}

bool LineReader::ReadPiece(Platform& platform, FileHandle file, std::size_t& got)
{
    if (cutter_.Ended()) {
        // The text has ended: what follows is read only to be passed over.
        base_ += filled_;
        filled_ = 0;
    } else if (filled_ == capacity_) {
        const std::size_t start = cutter_.LineStart();
        if (start > 0) {
            std::memmove(buffer_.get(), buffer_.get() + start, filled_ - start);
            filled_ -= start;
            base_ += start;
            cutter_.Shift(start);
        } else if (capacity_ > longest_) {
            // One line fills the buffer and is longer than any handed over:
            // its bytes are let go, and the rest of it when it ends.
            base_ += filled_;
            filled_ = 0;
            cutter_.Restart();
            dropping_ = true;
        } else {
            // One line fills the buffer: it is needed whole.
            auto larger = std::make_unique<char[]>(capacity_ * 2);
            std::memcpy(larger.get(), buffer_.get(), filled_);
            buffer_ = std::move(larger);
            capacity_ *= 2;
        }
    }
    if (!platform.ReadFileAt(file, base_ + filled_, buffer_.get() + filled_, capacity_ - filled_, got))
        return false;
    filled_ += got;
    return true;
}

void LineReader::End()
{
    // A buffer grown for a long line goes back to its standard size.
    if (capacity_ > standard_) {
        buffer_ = std::make_unique<char[]>(standard_);
        capacity_ = standard_;
    }
}
