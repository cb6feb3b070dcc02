// WSJT's window as the run works it: finding the window and the controls
// (peer/discovery.cpp) and the actions on a control (peer/controls.cpp),
// over the window-system port only.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ports/window_system.h"

// Slots of a run's PeerControls.
enum PeerSlot {
    pcMain,      // WSJT's top-level window
    pcToRadio,   // the to-radio box, found by its text "12345"
    pcGenStd,    // "&Gen Std Msgs"
    pcAuto,      // "&Auto is OFF" / "&Auto is ON"
    pcLookup,    // "&Lookup"
    pcTx2,
    pcTx3,
    pcTx4,
    pcTx5,
    pcTx6,
    pcCount
};

using PeerControlSet = std::array<PeerHandle, pcCount>;
// The windows an enumeration has collected; exists only while a search runs.
using WindowList = std::unique_ptr<std::vector<PeerHandle>>;

// False when the control's window has gone.
bool ClickControl(WindowSystem& windows, PeerHandle control);
std::string GetControlText(WindowSystem& windows, PeerHandle control);
bool SetControlText(WindowSystem& windows, PeerHandle control, const std::string& text);
// Presses the Auto button while its caption reads `from`, a bounded number
// of times.
void PressAutoWhile(WindowSystem& windows, PeerHandle autoButton, const char* from);

// Fills `controls`; true when the six windows a run needs were found.
// `winList` holds the enumerated windows while the search runs.
bool FindWSJT(WindowSystem& windows, PeerControlSet& controls, WindowList& winList);
// Enumeration callback: appends the window to the std::vector<PeerHandle>
// that `context` points to.
int EnumCollect(PeerHandle window, std::intptr_t context);
