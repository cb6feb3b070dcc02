// Platform services the logic needs: the local and UTC clocks, files, message boxes,
// the settings file and collation. Win32 implementation:
// ports/platform_win32.cpp; tests use tests/support/fake_platform.h.
// All texts are single-byte, converted to wide characters only when shown:
// the program's own messages are Windows-1251 bytes (plain ASCII is the same
// in it), paths and error texts the system's ANSI code page.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

struct LocalTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The same fields read from the UTC clock, whatever the time zone: the time
// logbooks keep contacts in.
using UtcTime = LocalTime;

// An open file, or none (0).
using FileHandle = std::uintptr_t;
constexpr FileHandle NoFile = 0;

class Platform {
public:
    virtual ~Platform() = default;

    virtual LocalTime Now() = 0;
    virtual UtcTime UtcNow() = 0;

    // True when a file (not a folder) of that name exists.
    virtual bool FileExists(const std::string& name) = 0;
    // Reads the whole file while keeping writers out (other readers are
    // allowed). False when it can't be opened or read; `out` is then
    // unspecified. The buffer is reused, so repeated reads don't reallocate.
    virtual bool ReadWholeFile(const std::string& name, std::string& out) = 0;
    // The same, telling `filled(n)` after each piece that out[0, n) holds
    // the file's first n bytes, so the caller can work on a piece while it
    // is still in cache. `out` is sized before the first piece and doesn't
    // move until the last (it may only shrink, when the file was shorter
    // than its size said). Adapters should read pieces of about 256 KiB and,
    // when `out` must grow, release it before allocating: its old bytes are
    // not needed. This fallback reads whole and reports one piece.
    virtual bool ReadFileInPieces(const std::string& name, std::string& out,
                                  const std::function<void(std::size_t filled)>& filled)
    {
        if (!ReadWholeFile(name, out))
            return false;
        filled(out.size());
        return true;
    }
    // Result ignored by every caller; a missing or locked file stays.
    virtual bool DeleteFile(const std::string& name) = 0;
    // Creates an empty file if none exists; false if it can't.
    virtual bool CreateEmptyFile(const std::string& name) = 0;
    // Opens an existing file for writing at its end, shared for reading and
    // writing with other programs. NoFile on failure.
    virtual FileHandle OpenForAppend(const std::string& name) = 0;
    // Appends bytes with a single write; false on failure.
    virtual bool WriteFile(FileHandle file, const char* data, std::size_t size) = 0;
    virtual void CloseFile(FileHandle file) = 0;

    // Modal box titled "Tavrix", OK only, no icon. Keeps the timer ticking.
    virtual void ShowMessage(const std::string& text) = 0;
    // Modal question titled "Tavrix", OK and Cancel, no icon. True for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;
    // Modal error box (error icon, OK) with the given title. Its texts are in
    // the system's ANSI code page, as the paths that come from it are.
    virtual void ShowError(const std::string& title, const std::string& text) = 0;

    // The folder of the running executable, ending in a path separator.
    virtual std::string ExeDirectory() = 0;
    // Profile-file reading rules: blanks around the value dropped, one pair
    // of enclosing quotes dropped, at most 2047 characters; `fallback` when
    // the file, section or key is missing.
    virtual std::string ReadSetting(const std::string& path, const std::string& section,
                                    const std::string& key, const std::string& fallback) = 0;
    // Writes one key in place, keeping every other line; false on failure.
    virtual bool WriteSetting(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& value) = 0;

    // Case-insensitive order of the user's locale: <0, 0 or >0.
    virtual int CompareNoCase(const std::string& a, const std::string& b) = 0;
};
