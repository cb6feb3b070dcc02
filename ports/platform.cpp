// The one Platform operation built on the others: a whole-file read.
#include "ports/platform.h"

#include <new>

bool Platform::ReadWholeFile(const std::string& name, std::string& out)
{
    const FileHandle file = OpenForReading(name);
    if (file == NoFile)
        return false;
    constexpr std::size_t Piece = 64 * 1024;
    bool ok = true;
    out.clear();
    try {
        for (std::size_t got = Piece; ok && got > 0;) {
            const std::size_t at = out.size();
            out.resize(at + Piece);
            ok = ReadFileAt(file, at, out.data() + at, Piece, got);
            out.resize(at + (ok ? got : 0));
        }
    } catch (const std::bad_alloc&) {
        // A file larger than this process can hold is a failure to read, not a crash.
        std::string().swap(out);
        ok = false;
    }
    CloseFile(file);
    return ok;
}
