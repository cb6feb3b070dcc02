// Implements the window-system port (ports/window_system.h) over user32.
#include "ports/window_system_win32.h"

#include <windows.h>

#include <algorithm>

namespace {

struct EnumTarget {
    EnumProc proc;
    std::intptr_t context;
};

BOOL CALLBACK ForwardEnum(HWND window, LPARAM target)
{
    const EnumTarget* t = reinterpret_cast<const EnumTarget*>(target);
    return t->proc(reinterpret_cast<PeerHandle>(window), t->context) != 0;
}

HWND ToHwnd(PeerHandle window) { return reinterpret_cast<HWND>(window); }

}  // namespace

void Win32WindowSystem::EnumWindows(EnumProc proc, std::intptr_t context)
{
    EnumTarget target{proc, context};
    ::EnumWindows(ForwardEnum, reinterpret_cast<LPARAM>(&target));
}

void Win32WindowSystem::EnumChildWindows(PeerHandle parent, EnumProc proc, std::intptr_t context)
{
    EnumTarget target{proc, context};
    ::EnumChildWindows(ToHwnd(parent), ForwardEnum, reinterpret_cast<LPARAM>(&target));
}

// On a timeout or a dead window the reply is not copied back, so the
// caller's zero-filled buffer stays empty.
void Win32WindowSystem::GetText(PeerHandle window, char* buffer, int capacity)
{
    Send(window, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(buffer));
}

bool Win32WindowSystem::SetText(PeerHandle window, const char* text)
{
    Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return IsWindow(ToHwnd(window));
}

// No mouse-key flags and position 0,0, which lies inside every button.
bool Win32WindowSystem::Press(PeerHandle window)
{
    Send(window, WM_LBUTTONDOWN, 0, 0);
    Send(window, WM_LBUTTONUP, 0, 0);
    return IsWindow(ToHwnd(window));
}

int Win32WindowSystem::GetCheck(PeerHandle window)
{
    std::intptr_t state = 0;
    if (!Send(window, BM_GETCHECK, 0, 0, &state))
        return -1;
    return static_cast<int>(state);
}

bool Win32WindowSystem::Send(PeerHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                             std::intptr_t* result)
{
    const DWORD thread = GetWindowThreadProcessId(ToHwnd(window), nullptr);
    if (thread == 0)
        return false;  // no such window
    if (IsMarkedHung(thread)) {
        if (!Answers(window, WM_NULL, 0, 0, ProbeWaitMs))
            return false;
        MarkHung(thread, false);
    }
    const bool answered = Answers(window, message, wParam, lParam, MessageWaitMs, result);
    if (!answered && IsWindow(ToHwnd(window)))
        MarkHung(thread, true);
    return answered;
}

// SMTO_BLOCK: while we wait, no message sent to our own windows is handled,
// so nothing of ours runs in the middle of a call sequence and the
// sequence's messages go out strictly one after the other. A peer that
// sent to us meanwhile would wait for us; the bound ends that too.
// SMTO_ABORTIFHUNG returns at once when Windows already knows the target
// is hung.
bool Win32WindowSystem::Answers(PeerHandle window, unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam, unsigned waitMs, std::intptr_t* result)
{
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(ToHwnd(window), message, wParam, lParam, SMTO_BLOCK | SMTO_ABORTIFHUNG, waitMs,
                            &answer) == 0)
        return false;
    if (result)
        *result = static_cast<std::intptr_t>(answer);
    return true;
}

bool Win32WindowSystem::IsMarkedHung(std::uint32_t thread) const
{
    return std::find(hungThreads_.begin(), hungThreads_.end(), thread) != hungThreads_.end();
}

void Win32WindowSystem::MarkHung(std::uint32_t thread, bool hung)
{
    if (!hung)
        std::erase(hungThreads_, thread);
    else if (!IsMarkedHung(thread))
        hungThreads_.push_back(thread);
}
