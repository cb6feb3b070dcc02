#include "tools/skeds_page_win32.h"

#include <commctrl.h>

namespace {

constexpr int StateColumn = 4;
constexpr UINT AnswerWaitMs = 10000;

struct ClassSearch {
    const char* cls;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<ClassSearch*>(param);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpiA(cls, s->cls) != 0)
        return TRUE;
    s->found = window;
    return FALSE;
}

}  // namespace

HWND ChildOfClass(HWND parent, const char* cls)
{
    ClassSearch search{cls, nullptr};
    EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The list view's item structure and its text buffer live in the list's own
// process: a pointer of ours would mean nothing there.
std::string ListViewCell(HWND list, int row, int column)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return std::string();
    constexpr int TextChars = 128;
    const SIZE_T bytes = sizeof(LVITEMW) + TextChars * sizeof(wchar_t);
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
    std::wstring text(TextChars, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
    item.cchTextMax = TextChars;
    DWORD_PTR length = 0;
    if (!remote || !WriteProcessMemory(process, remote, &item, sizeof item, nullptr) ||
        !SendMessageTimeoutW(list, LVM_GETITEMTEXTW, row, LPARAM(remote), SMTO_ABORTIFHUNG, AnswerWaitMs, &length) ||
        !ReadProcessMemory(process, remote + sizeof(LVITEMW), text.data(), TextChars * sizeof(wchar_t), nullptr))
        length = 0;
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    text.resize(length < TextChars ? length : 0);
    return std::string(text.begin(), text.end());  // states and callsigns are ASCII
}

std::vector<std::string> SkedStates(HWND tavrixWindow)
{
    std::vector<std::string> states;
    HWND list = ChildOfClass(tavrixWindow, WC_LISTVIEWA);
    DWORD_PTR rows = 0;
    if (!list || !SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, AnswerWaitMs, &rows))
        return states;
    for (int row = 0; row < int(rows); ++row)
        states.push_back(ListViewCell(list, row, StateColumn));
    return states;
}
