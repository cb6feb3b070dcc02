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

void PressAutoWhile(WindowSystem& windows, PeerHandle autoButton, const char* from)
{
    for (int presses = 0; presses < AutoPressLimit; ++presses) {
        if (GetControlText(windows, autoButton) != from)
            return;
        ClickControl(windows, autoButton);
    }
}
