// Window-system operations used to find and work WSJT's windows. Win32
// implementation: ports/window_system_win32.cpp (user32); tests use the
// simulated desktop in tests/support/sim_window_system.h.
//
// Every operation is synchronous and strictly ordered: it returns after the
// target window has handled the message, or after a bounded wait when the
// target does not answer, in which case it acts as on a window that has gone.
#pragma once
#include <cstdint>

// A window of another program, or none (0).
using PeerHandle = std::uintptr_t;
constexpr PeerHandle NoPeer = 0;

// Enumeration callback: non-zero to go on.
using EnumProc = int (*)(PeerHandle window, std::intptr_t context);

class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Every top-level window of the desktop, hidden ones and the system's own
    // included, in the window system's order.
    virtual void EnumWindows(EnumProc proc, std::intptr_t context) = 0;
    // Every descendant of `parent` at any depth, in the window system's order.
    virtual void EnumChildWindows(PeerHandle parent, EnumProc proc, std::intptr_t context) = 0;
    // WM_GETTEXT: copies at most capacity-1 characters and a terminating zero
    // into `buffer`. A window that has gone (or does not answer in time)
    // copies nothing and leaves `buffer` as it was.
    virtual void GetText(PeerHandle window, char* buffer, int capacity) = 0;
    // WM_SETTEXT with a zero-terminated text. No effect on a window that
    // has gone; false then.
    virtual bool SetText(PeerHandle window, const char* text) = 0;
    // WM_LBUTTONDOWN then WM_LBUTTONUP, both with parameters 0 and 0; false
    // when the window has gone.
    virtual bool Press(PeerHandle window) = 0;
    // BM_GETCHECK of a check box: 0 unticked, 1 ticked (2 for a third
    // state); -1 when the window has gone or does not answer.
    virtual int GetCheck(PeerHandle window) = 0;
};
