// The rows of another process's list view, read as its status bar's parts
// are (tools/desk_win32.cpp): through an LVITEMW and a buffer placed in the
// list's own process, since the list's messages carry pointers that are not
// carried over between processes.
#include "tools/desk_win32.h"

#include <commctrl.h>

namespace {

constexpr UINT MessageWaitMs = 20000;

std::string Narrow(const std::wstring& text)
{
    std::string narrow(text.size() * 2, '\0');
    narrow.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), narrow.data(), int(narrow.size()),
                                      nullptr, nullptr));
    return narrow;
}

std::wstring RemoteItemText(HANDLE process, HWND list, int row, int column)
{
    constexpr int Chars = 256;
    const SIZE_T bytes = sizeof(LVITEMW) + Chars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
    if (!remote)
        return std::wstring();
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    item.cchTextMax = Chars;
    std::wstring text(Chars, L'\0');
    DWORD_PTR ignored = 0;
    if (!WriteProcessMemory(process, remote, &item, sizeof item, nullptr) ||
        !SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, LPARAM(remote), SMTO_ABORTIFHUNG, MessageWaitMs, &ignored) ||
        !ReadProcessMemory(process, item.pszText, text.data(), Chars * sizeof(wchar_t), nullptr))
        text.clear();
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text.substr(0, text.find(L'\0'));
}

}  // namespace

std::vector<std::vector<std::string>> ListViewRows(HWND list, int columns)
{
    std::vector<std::vector<std::string>> rows;
    DWORD_PTR count = 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    if (!SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, MessageWaitMs, &count))
        return rows;
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return rows;
    for (int row = 0; row < int(count); ++row) {
        rows.emplace_back();
        for (int column = 0; column < columns; ++column)
            rows.back().push_back(Narrow(RemoteItemText(process, list, row, column)));
    }
    CloseHandle(process);
    return rows;
}
