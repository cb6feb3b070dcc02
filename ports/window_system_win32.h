// The window-system port (ports/window_system.h) over user32, for WSJT's
// windows in another process.
#pragma once
#include <cstdint>
#include <vector>

#include "ports/window_system.h"

// Every message is sent with SendMessageTimeoutA and a bound on the wait,
// so a WSJT that has stopped answering cannot hold the user-interface thread
// for long. A thread that timed out is marked hung; before each later message
// to it a short no-op probe checks whether it answers again, so a sequence
// against a hung WSJT costs one full bound plus one probe per message.
//
// Worst cases, with CallStation at most 18 messages (a write, two press
// pairs for Lookup and for Gen Std Msgs, and three reads and three press
// pairs in the Auto loop):
//   WSJT hung at any point:     at most 2 s + 17 x 0.1 s = 3.7 s
//                               (ReleaseWSJT, 10 messages: 2.9 s)
//   WSJT answering each message just inside the bound: 18 x 2 s = 36 s;
//   that WSJT is slow, not hung, and every message still arrives in order.
// A discovery that meets another program's hung window pays 2 s once for
// that program and 0.1 s for each further window of it.
class Win32WindowSystem : public WindowSystem {
public:
    // Longest wait for one message to be handled. Window messages are
    // answered between WSJT's own work, in well under a second even while it
    // decodes; two seconds of silence means it is not answering.
    static constexpr unsigned MessageWaitMs = 2000;
    // Wait for the no-op probe to a thread that timed out before.
    static constexpr unsigned ProbeWaitMs = 100;

    void EnumWindows(EnumProc proc, std::intptr_t context) override;
    void EnumChildWindows(PeerHandle parent, EnumProc proc, std::intptr_t context) override;
    void GetText(PeerHandle window, char* buffer, int capacity) override;
    bool SetText(PeerHandle window, const char* text) override;
    bool Press(PeerHandle window) override;
    int GetCheck(PeerHandle window) override;

private:
    std::vector<std::uint32_t> hungThreads_;  // threads whose last message timed out

    // False when the window has gone, or did not answer within the bound.
    // The handler's result goes to `result` when it answered.
    bool Send(PeerHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
              std::intptr_t* result = nullptr);
    bool Answers(PeerHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                 unsigned waitMs, std::intptr_t* result = nullptr);
    bool IsMarkedHung(std::uint32_t thread) const;
    void MarkHung(std::uint32_t thread, bool hung);
};
