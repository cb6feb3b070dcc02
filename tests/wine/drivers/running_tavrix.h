// A tavrix.exe started by a Windows test driver from a folder of its own,
// optionally with a tavrix.ini beside it, and what the driver reads of its
// window through window messages, for the window driver's tests.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tools/desk_win32.h"

namespace window_test {

inline std::string Env(const char* name)
{
    const char* value = getenv(name);
    return value ? value : "";
}

struct FoundWindow {
    DWORD process;
    HWND hwnd;
};

inline BOOL CALLBACK FindMain(HWND hwnd, LPARAM context)
{
    auto& found = *reinterpret_cast<FoundWindow*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char title[64] = "";
    GetWindowTextA(hwnd, title, sizeof title);
    if (process != found.process || std::string(title) != "Tavrix v0.13.3.1" || !IsWindowVisible(hwnd))
        return TRUE;
    found.hwnd = hwnd;
    return FALSE;
}

// A tavrix.exe running from a folder of its own, optionally with a
// tavrix.ini written byte for byte beside it.
class RunningTavrix {
public:
    RunningTavrix(const std::string& folder, const std::string* ini)
    {
        const std::string dir = WinePath(Env("TEST_DIR")) + "\\" + folder;
        CreateDirectoryA(dir.c_str(), nullptr);
        const std::string exe = dir + "\\tavrix.exe";
        EXPECT_TRUE(CopyFileA(WinePath(Env("TAVRIX_WIN64_DIR") + "/tavrix.exe").c_str(), exe.c_str(), FALSE));
        DeleteFileA((dir + "\\tavrix.ini").c_str());
        if (ini)
            WriteIni(dir + "\\tavrix.ini", *ini);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string command = "\"" + exe + "\"";
        if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                            &process)) {
            ADD_FAILURE() << "cannot start " << exe;
            return;
        }
        WaitForInputIdle(process.hProcess, 20000);
        FoundWindow found{process.dwProcessId, nullptr};
        for (int i = 0; i < 200 && !found.hwnd; ++i) {
            EnumWindows(FindMain, LPARAM(&found));
            if (!found.hwnd)
                Sleep(100);
        }
        main = found.hwnd;
        EXPECT_NE(main, nullptr) << "no window \"Tavrix v0.13.3.1\" within 20 s";
    }

    ~RunningTavrix()
    {
        if (!process.hProcess)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT && !Close())
            TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    // Posts WM_CLOSE as the close box does; true when the process ends in time.
    bool Close()
    {
        PostMessageA(main, WM_CLOSE, 0, 0);
        return WaitForSingleObject(process.hProcess, 15000) == WAIT_OBJECT_0;
    }

    DWORD ExitCode() const
    {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    HWND Control(int id) const
    {
        const HWND control = Child(main, id);
        EXPECT_NE(control, nullptr) << "no control " << id;
        return control;
    }

    std::string Text(HWND hwnd) const
    {
        std::string text(4096, '\0');
        DWORD_PTR length = 0;
        SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), LPARAM(text.data()), SMTO_ABORTIFHUNG, 5000, &length);
        text.resize(length);
        return text;
    }
    std::string Text(int id) const { return Text(Control(id)); }
    bool Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != 0; }
    void Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }

    HWND main = nullptr;

private:
    static void WriteIni(const std::string& path, const std::string& content)
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
        CloseHandle(file);
    }

    PROCESS_INFORMATION process{};
};

}  // namespace window_test
