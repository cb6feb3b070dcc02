// Actions on WSJT through the handles in PeerControls.
#pragma once
#include <string>

#include "ports/window_system.h"

void ClickControl(PeerHandle control);
std::string GetControlText(PeerHandle control);
void SetControlText(PeerHandle control, const std::string& text);
void CallStation(const std::string& callText);
void ReleaseWSJT();

// Peer window discovery: fills PeerControls; true when the six windows a run
// needs were found.
bool FindWSJT();
int EnumCollect(PeerHandle window, std::intptr_t context);
