// Peer control actions: pressing WSJT's buttons, reading and writing its
// texts, the call and release sequences, and the Tx button of each state.
#include "peer/actions.h"

#include "engine/run_state.h"
#include "ui/sfmMain.h"

WindowSystem* WindowSys = nullptr;

// WM_GETTEXT capacity: 100 characters and the terminating zero.
constexpr int TextCapacity = 101;

// A WSJT whose Auto caption never changes would otherwise be pressed for
// ever with the user-interface thread held. Three presses cover a press that
// got lost, and being odd they leave a WSJT that toggles without updating
// its caption in the wanted mode. At the bound we stop pressing; the run
// goes on.
constexpr int AutoPressLimit = 3;

void ClickControl(PeerHandle control)
{
    WindowSys->Press(control);
}

std::string GetControlText(PeerHandle control)
{
    char buffer[TextCapacity] = {};
    WindowSys->GetText(control, buffer, TextCapacity);
    buffer[TextCapacity - 1] = '\0';
    return buffer;
}

// The text goes out whole: WM_SETTEXT takes any length, and the to-radio
// box limits nothing, so a long callsign is neither cut nor overrun.
void SetControlText(PeerHandle control, const std::string& text)
{
    WindowSys->SetText(control, text.c_str());
}

// Presses the Auto button while its caption reads `from`, at most
// AutoPressLimit times.
static void PressAutoWhile(const char* from)
{
    const PeerHandle autoButton = PeerControls[pcAuto];
    for (int presses = 0; presses < AutoPressLimit; ++presses) {
        if (GetControlText(autoButton) != from)
            return;
        ClickControl(autoButton);
    }
}

void CallStation(const std::string& callText)
{
    SetControlText(PeerControls[pcToRadio], callText);
    ClickControl(PeerControls[pcLookup]);
    ClickControl(PeerControls[pcLookup]);
    ClickControl(PeerControls[pcGenStd]);
    ClickControl(PeerControls[pcGenStd]);
    PressAutoWhile("&Auto is OFF");
    fmTavrix->FState = 0;
    TickCount = 0;
    TickLimit = MinutesToSeconds(fmTavrix->eTLimit->Value());
}

void ReleaseWSJT()
{
    SetControlText(PeerControls[pcToRadio], "12345");
    PressAutoWhile("&Auto is ON");
}

void TfmTavrix::SetState(std::int32_t state)
{
    if (state == FState)
        return;
    switch (state) {
    case 0:
        CallStation(rbSKED->Checked() ? eTRCS->Text() : std::string("CQ"));
        break;
    case 1: ClickControl(PeerControls[pcTx2]); break;
    case 2: ClickControl(PeerControls[pcTx3]); break;
    case 3: ClickControl(PeerControls[pcTx4]); break;
    case 4:
        ClickControl(PeerControls[pcTx5]);
        TickCount = 0;
        TickLimit = 240;
        break;
    case 5: ClickControl(PeerControls[pcTx6]); break;
    default: break;
    }
    FState = state;
}
