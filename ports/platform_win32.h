// Win32Platform: the Platform port (ports/platform.h) over kernel32 and user32.
#pragma once

// <windows.h> maps DeleteFile to DeleteFileA; the port's method keeps its
// name (include this header before any other that includes ports/platform.h).
#ifdef DeleteFile
#undef DeleteFile
#endif
#include <string>
#include <string_view>

#include "ports/platform.h"

struct HWND__;

// Single-byte text in the given code page as wide characters.
std::wstring Wide(std::string_view text, unsigned codePage);

class Win32Platform : public Platform {
public:
    // The window that owns the message boxes (the main window, once it exists).
    void SetOwner(HWND__* window) { owner = window; }

    LocalTime Now() override;
    UtcTime UtcNow() override;
    bool FileExists(const std::string& name) override;
    FileHandle OpenForReading(const std::string& name) override;
    bool ReadFileAt(FileHandle file, std::uint64_t offset, char* into, std::size_t size,
                    std::size_t& got) override;
    bool FileSize(FileHandle file, std::uint64_t& size) override;
    bool DeleteFile(const std::string& name) override;
    bool CreateEmptyFile(const std::string& name) override;
    FileHandle OpenForAppend(const std::string& name) override;
    bool WriteFile(FileHandle file, const char* data, std::size_t size) override;
    void CloseFile(FileHandle file) override;
    bool ReplaceFileWith(const std::string& name, const std::string& bytes) override;
    void ShowMessage(const std::string& text) override;
    bool AskOkCancel(const std::string& text) override;
    void ShowError(const std::string& title, const std::string& text) override;
    std::string ExeDirectory() override;
    std::string ReadSetting(const std::string& path, const std::string& section,
                            const std::string& key, const std::string& fallback) override;
    bool WriteSetting(const std::string& path, const std::string& section,
                      const std::string& key, const std::string& value) override;
    int CompareNoCase(const std::string& a, const std::string& b) override;
    void KeepSystemAwake(bool awake) override;
    bool OpenDocument(const std::string& path) override;

private:
    int Box(const std::string& title, const std::string& text, unsigned type, unsigned codePage);
    HWND__* owner = nullptr;
};
