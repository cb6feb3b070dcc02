// Platform over POSIX files, for the benchmarks: real reads from the page
// cache, clocks the bench sets, and no boxes or settings.
#pragma once
#include "ports/platform.h"
#include "ports/window_system.h"

class PosixPlatform : public Platform {
public:
    LocalTime now;  // the bench's computer keeps UTC: both clocks read it
    int messages = 0;

    LocalTime Now() override { return now; }
    UtcTime UtcNow() override { return now; }
    bool FileExists(const std::string& name) override;
    // POSIX has no share modes: writers can't be kept out, only read past.
    FileHandle OpenForReading(const std::string& name) override;
    bool ReadFileAt(FileHandle file, std::uint64_t offset, char* into, std::size_t size,
                    std::size_t& got) override;
    bool FileSize(FileHandle file, std::uint64_t& size) override;
    bool DeleteFile(const std::string& name) override;
    bool CreateEmptyFile(const std::string& name) override;
    FileHandle OpenForAppend(const std::string& name) override;
    bool WriteFile(FileHandle file, const char* data, std::size_t size) override;
    void CloseFile(FileHandle file) override;
    bool ReplaceFileWith(const std::string&, const std::string&) override { return false; }

    void ShowMessage(const std::string&) override { ++messages; }
    bool AskOkCancel(const std::string&) override { return true; }
    void ShowError(const std::string&, const std::string&) override { ++messages; }
    std::string ExeDirectory() override { return "./"; }
    std::string ReadSetting(const std::string&, const std::string&, const std::string&,
                            const std::string& fallback) override { return fallback; }
    bool WriteSetting(const std::string&, const std::string&, const std::string&,
                      const std::string&) override { return false; }
    int CompareNoCase(const std::string& a, const std::string& b) override;
    void KeepSystemAwake(bool) override {}
    bool OpenDocument(const std::string&) override { return false; }
};

// Nobody presses anything in the bench; the scan may still ask.
struct NoWindows : WindowSystem {
    void EnumWindows(EnumProc, std::intptr_t) override {}
    void EnumChildWindows(PeerHandle, EnumProc, std::intptr_t) override {}
    void GetText(PeerHandle, char*, int) override {}
    bool SetText(PeerHandle, const char*) override { return true; }
    bool Press(PeerHandle) override { return true; }
    int GetCheck(PeerHandle) override { return 0; }
};
