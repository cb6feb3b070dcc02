// The status bar over the common-controls status window.
#include <windows.h>
#include <commctrl.h>

#include "ui/status_bar_win32.h"

#include "ports/platform_win32.h"  // first of the headers that include ports/platform.h
#include "engine/status.h"
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

// A part needs its text and a margin of two blanks each side, so the margin
// grows with the font. The program's texts are the edit boxes' single-byte
// texts.
void StatusBar::Show(std::string_view text)
{
    if (text == text_ && secondWidth_ >= 0)
        return;
    text_ = text;
    RECT bar;
    GetClientRect(hwnd, &bar);
    const StatusParts parts = FitStatusParts(text, int(bar.right), [this](std::string_view part) {
        return int(TextSize(hwnd, font_, (L"  " + Wide(part, CP_ACP) + L"  ").c_str()).cx);
    });
    if (parts.secondWidth != secondWidth_)
        SetParts(parts.secondWidth);
    if (parts.secondWidth > 0 && parts.second != shown_[1])
        SetText(1, parts.second);
    if (parts.first != shown_[0])
        SetText(0, parts.first);
}

void StatusBar::SetParts(int secondWidth)
{
    RECT bar;
    GetClientRect(hwnd, &bar);
    const int edges[2] = {secondWidth > 0 ? int(bar.right) - secondWidth : -1, -1};
    SendMessageW(hwnd, SB_SETPARTS, secondWidth > 0 ? 2 : 1, LPARAM(edges));
    secondWidth_ = secondWidth;
    shown_[1].clear();  // a part made again is empty
}

void StatusBar::SetText(int part, const std::string& text)
{
    SendMessageW(hwnd, SB_SETTEXTW, part, LPARAM(Wide(text, CP_ACP).c_str()));
    shown_[part] = text;
}
