// Actions on one of WSJT's controls: pressing it, reading and writing its
// text, and the bounded Auto loop.
#include "peer/peer.h"

// WM_GETTEXT capacity: 100 characters and the terminating zero.
constexpr int TextCapacity = 101;

// A WSJT whose Auto caption never changes would otherwise be pressed for
// ever with the user-interface thread held. Three presses cover a press that
// got lost, and being odd they leave a WSJT that toggles without updating
// its caption in the wanted mode. At the bound we stop pressing; the run
// goes on.
constexpr int AutoPressLimit = 3;

bool ClickControl(WindowSystem& windows, PeerHandle control)
{
    return windows.Press(control);
}

std::string GetControlText(WindowSystem& windows, PeerHandle control)
{
    char buffer[TextCapacity] = {};
    windows.GetText(control, buffer, TextCapacity);
    buffer[TextCapacity - 1] = '\0';
    return buffer;
}

// The text goes out whole: WM_SETTEXT takes any length, and the to-radio
// box limits nothing, so a long callsign is neither cut nor overrun.
bool SetControlText(WindowSystem& windows, PeerHandle control, const std::string& text)
{
    return windows.SetText(control, text.c_str());
}

// Two presses cover one that got lost; a box still wrong after them flips
// back by itself or ignores presses, and more would not help.
constexpr int CheckPressLimit = 2;

const char* SetCheck(WindowSystem& windows, PeerHandle box, bool ticked)
{
    if (box == NoPeer)
        return "WSJT has no Tx First box";
    for (int presses = 0;; ++presses) {
        const int state = windows.GetCheck(box);
        if (state < 0)
            return "the Tx First box does not answer";
        if ((state == 1) == ticked)
            return nullptr;
        if (presses == CheckPressLimit)
            return ticked ? "the Tx First box stays unticked when pressed" : "the Tx First box stays ticked when pressed";
        if (!ClickControl(windows, box))
            return "the Tx First box does not answer";
    }
}

bool IsTxFirstCaption(std::string_view text)
{
    constexpr std::string_view wanted = "tx first";
    std::size_t matched = 0;
    for (char c : text) {
        if (c == '&')
            continue;
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (matched == wanted.size() || lower != wanted[matched])
            return false;
        ++matched;
    }
    return matched == wanted.size();
}

void PressAutoWhile(WindowSystem& windows, PeerHandle autoButton, const char* from)
{
    for (int presses = 0; presses < AutoPressLimit; ++presses) {
        if (GetControlText(windows, autoButton) != from)
            return;
        ClickControl(windows, autoButton);
    }
}
