// WSJT's window as the run works it: finding the window and the controls
// (peer/discovery.cpp) and the actions on a control (peer/controls.cpp),
// over the window-system port only.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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
    pcTxFirst,   // the "Tx First" check box: ticked, we transmit first
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
// Ticks or unticks a check box by pressing it, reading it back after each
// press, at most twice. Nullptr when it holds the state asked for, else why
// not, for the operator ("it does not answer", ...).
const char* SetCheck(WindowSystem& windows, PeerHandle box, bool ticked);
// WSJT's "Tx First" box is known by its caption: "Tx First" in any case,
// with any '&' (its keyboard shortcut) left out.
bool IsTxFirstCaption(std::string_view text);

// Fills `controls`; true when the six windows a run needs were found.
// `winList` holds the enumerated windows while the search runs.
bool FindWSJT(WindowSystem& windows, PeerControlSet& controls, WindowList& winList);
// Enumeration callback: appends the window to the std::vector<PeerHandle>
// that `context` points to.
int EnumCollect(PeerHandle window, std::intptr_t context);
