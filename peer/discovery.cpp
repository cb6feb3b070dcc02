// Peer window discovery: finds WSJT's main window and the controls we work.
#include "engine/run_state.h"
#include "peer/actions.h"

bool FindWSJT() { return false; }
int EnumCollect(PeerHandle, std::intptr_t) { return -1; }
