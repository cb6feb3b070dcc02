// The Platform port over kernel32 and user32: clocks, files, message boxes,
// the settings file and collation.
#include <windows.h>

#include <shellapi.h>

#include "ports/platform_win32.h"

#include <algorithm>

// The program's own messages are Windows-1251 bytes whatever the system's
// code page; texts from the system (a path) are in its ANSI code page. Boxes
// convert each from its own code page and show it through the wide call.
std::wstring Wide(std::string_view text, unsigned codePage)
{
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

static HANDLE AsHandle(FileHandle file)
{
    return reinterpret_cast<HANDLE>(file);
}

static LocalTime FromSystemTime(const SYSTEMTIME& st)
{
    LocalTime t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.millisecond = st.wMilliseconds;
    return t;
}

LocalTime Win32Platform::Now()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return FromSystemTime(st);
}

UtcTime Win32Platform::UtcNow()
{
    SYSTEMTIME st;
    GetSystemTime(&st);
    return FromSystemTime(st);
}

bool Win32Platform::FileExists(const std::string& name)
{
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileHandle Win32Platform::OpenForReading(const std::string& name)
{
    // Only readers may share: a writer holding the file open makes the open
    // fail, and no writer can start while it is open.
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return NoFile;
    return reinterpret_cast<FileHandle>(file);
}

bool Win32Platform::ReadFileAt(FileHandle file, std::uint64_t offset, char* into, std::size_t size,
                               std::size_t& got)
{
    // An offset in the OVERLAPPED of a synchronous handle reads there and
    // waits for the bytes, as a plain read would.
    OVERLAPPED at{};
    at.Offset = DWORD(offset);
    at.OffsetHigh = DWORD(offset >> 32);
    DWORD read = 0;
    got = 0;
    if (!::ReadFile(AsHandle(file), into, DWORD(std::min<std::size_t>(size, 1u << 30)), &read, &at))
        return GetLastError() == ERROR_HANDLE_EOF;  // an offset past the end is the end, not a failure
    got = read;
    return true;
}

bool Win32Platform::FileSize(FileHandle file, std::uint64_t& size)
{
    LARGE_INTEGER length;
    if (!GetFileSizeEx(AsHandle(file), &length))
        return false;
    size = static_cast<std::uint64_t>(length.QuadPart);
    return true;
}

bool Win32Platform::DeleteFile(const std::string& name)
{
    return DeleteFileA(name.c_str()) != 0;
}

bool Win32Platform::CreateEmptyFile(const std::string& name)
{
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return true;
    }
    const DWORD error = GetLastError();
    return (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) && FileExists(name);
}

FileHandle Win32Platform::OpenForAppend(const std::string& name)
{
    // Append-only access puts every write at the current end, even when
    // another program appends to the same file; readers and writers may share.
    HANDLE file = CreateFileA(name.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return NoFile;
    return reinterpret_cast<FileHandle>(file);
}

bool Win32Platform::WriteFile(FileHandle file, const char* data, std::size_t size)
{
    while (size > 0) {
        const DWORD chunk = DWORD(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(AsHandle(file), data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

void Win32Platform::CloseFile(FileHandle file)
{
    if (file != NoFile)
        CloseHandle(AsHandle(file));
}

// ReplaceFile would keep the old file's attributes, but fails where it
// cannot (FAT, some shares); a flushed new file moved over the old one with
// a write-through move is as safe and works on every volume since XP.
bool Win32Platform::ReplaceFileWith(const std::string& name, const std::string& bytes)
{
    const std::string fresh = name + ".new";
    HANDLE file = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool written = WriteFile(reinterpret_cast<FileHandle>(file), bytes.data(), bytes.size()) &&
                         FlushFileBuffers(file);
    CloseHandle(file);
    if (written && MoveFileExA(fresh.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(fresh.c_str());
    return false;
}

int Win32Platform::Box(const std::string& title, const std::string& text, unsigned type, unsigned codePage)
{
    // Owned by the main window, whose timer goes on ticking in the box's loop.
    return MessageBoxW(owner, Wide(text, codePage).c_str(), Wide(title, codePage).c_str(), type);
}

void Win32Platform::ShowMessage(const std::string& text)
{
    Box("Tavrix", text, MB_OK, 1251);
}

bool Win32Platform::AskOkCancel(const std::string& text)
{
    return Box("Tavrix", text, MB_OKCANCEL, 1251) == IDOK;
}

void Win32Platform::ShowError(const std::string& title, const std::string& text)
{
    Box(title, text, MB_OK | MB_ICONERROR, CP_ACP);
}

std::string Win32Platform::ExeDirectory()
{
    // Grow the buffer until the whole path fits: installs may sit in long paths.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string Win32Platform::ReadSetting(const std::string& path, const std::string& section,
                                       const std::string& key, const std::string& fallback)
{
    // 2048 bytes: a value keeps its first 2047 characters.
    char buffer[2048];
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer,
                                                  sizeof buffer, path.c_str());
    return std::string(buffer, length);
}

bool Win32Platform::WriteSetting(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& value)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

// ES_SYSTEM_REQUIRED without ES_DISPLAY_REQUIRED: the screen may go dark,
// the radio's computer must not. ES_CONTINUOUS keeps the request until it
// is cleared.
void Win32Platform::KeepSystemAwake(bool awake)
{
    SetThreadExecutionState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

// ShellExecute's result above 32 means started.
bool Win32Platform::OpenDocument(const std::string& path)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", Wide(path, CP_ACP).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

int Win32Platform::CompareNoCase(const std::string& a, const std::string& b)
{
    const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), int(a.size()), b.data(),
                                      int(b.size()));
    if (result == 0)  // cannot happen with valid arguments; keep an order anyway
        return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
    return result - CSTR_EQUAL;
}
