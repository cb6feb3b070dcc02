// The status bar over the common-controls status window.
#include <windows.h>
#include <commctrl.h>

#include "ui/status_bar_win32.h"

#include "ports/platform_win32.h"
#include "ui/controls_win32.h"

void StatusBar::Create(HWND parent, int id, HFONT font)
{
    font_ = font;
    hwnd = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd, WM_SETFONT, WPARAM(font), FALSE);
    SendMessageW(hwnd, WM_SIZE, 0, 0);  // takes the font's height
    RECT bar, frame;
    GetWindowRect(hwnd, &bar);
    GetWindowRect(parent, &frame);
    SetWindowPos(parent, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + bar.bottom - bar.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_SIZE, 0, 0);  // down to the parent's new bottom edge
}

void StatusBar::Show(std::string_view text)
{
    const std::size_t tab = text.find('\t');
    const std::string_view second = tab == text.npos ? std::string_view() : text.substr(tab + 1);
    if (second != shown_[1])
        SetSecondPart(second);
    const std::string_view first = text.substr(0, tab);
    if (first != shown_[0])
        SetText(0, first);
}

// The second part is its text and a margin of two blanks each side wide, so
// it grows with the font; the first part takes the rest.
void StatusBar::SetSecondPart(std::string_view text)
{
    RECT bar;
    GetClientRect(hwnd, &bar);
    // The program's texts are the edit boxes' single-byte texts.
    const int width = text.empty() ? 0 : TextSize(hwnd, font_, (L"  " + Wide(text, CP_ACP) + L"  ").c_str()).cx;
    const int edges[2] = {text.empty() ? -1 : int(bar.right) - width, -1};
    SendMessageW(hwnd, SB_SETPARTS, text.empty() ? 1 : 2, LPARAM(edges));
    if (!text.empty())
        SetText(1, text);
    shown_[1] = text;
}

void StatusBar::SetText(int part, std::string_view text)
{
    SendMessageW(hwnd, SB_SETTEXTW, part, LPARAM(Wide(text, CP_ACP).c_str()));
    shown_[part] = text;
}
