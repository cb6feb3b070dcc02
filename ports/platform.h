// Platform services the logic needs: the local and UTC clocks, files, message boxes,
// the settings file and collation. Win32 implementation:
// ports/platform_win32.cpp; tests use tests/support/fake_platform.h.
// All texts are single-byte, converted to wide characters only when shown:
// the program's own messages are Windows-1251 bytes (plain ASCII is the same
// in it), paths and error texts the system's ANSI code page.
#pragma once
#include <cstddef>
#include <cstdint>
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
    // Opens an existing file for reading and keeps writers out until it is
    // closed with CloseFile (other readers may share it): a program holding
    // it open for writing makes the open fail, and none can start meanwhile,
    // so no half-written line is read and the bytes stay as they were from
    // the first read to the last. NoFile on failure.
    virtual FileHandle OpenForReading(const std::string& name) = 0;
    // Reads up to `size` bytes from `offset` of a file open for reading and
    // tells in `got` how many arrived: 0 at or past the end, possibly fewer
    // than asked before it. False on failure.
    virtual bool ReadFileAt(FileHandle file, std::uint64_t offset, char* into, std::size_t size,
                            std::size_t& got) = 0;
    // The length in bytes of a file open for reading. False on failure.
    virtual bool FileSize(FileHandle file, std::uint64_t& size) = 0;
    // The whole file, writers kept out while it is read. False when it can't
    // be opened or read, or doesn't fit in memory; `out` is then unspecified.
    bool ReadWholeFile(const std::string& name, std::string& out);
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
    // Makes `bytes` the whole content of the file `name`, all or nothing: the
    // bytes go to a new file beside it, reach the disk, and only then take
    // the old one's place. False when any step fails (a full disk, a locked
    // or read-only file, a missing folder); the old file is then as it was
    // and the new one is gone. Blocks until the disk has the bytes.
    virtual bool ReplaceFileWith(const std::string& name, const std::string& bytes) = 0;

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

    // While a run is armed the computer must not go to sleep (the display
    // may): asked at START, cleared at the idle look. Called from the
    // user-interface thread, which the request belongs to.
    virtual void KeepSystemAwake(bool awake) = 0;
    // Opens a file with the program the system associates with its type (a
    // browser for .html). False when none could be started.
    virtual bool OpenDocument(const std::string& path) = 0;
};
