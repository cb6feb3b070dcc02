// Peer control actions: pressing WSJT's buttons, reading and writing its
// texts, the call and release sequences, and the Tx button of each state.
#include "peer/actions.h"

#include "engine/run_state.h"
#include "ui/sfmMain.h"

WindowSystem* WindowSys = nullptr;

void ClickControl(PeerHandle) {}
std::string GetControlText(PeerHandle) { return {}; }
void SetControlText(PeerHandle, const std::string&) {}
void CallStation(const std::string&) {}
void ReleaseWSJT() {}
void TfmTavrix::SetState(std::int32_t) {}
