#include "engine/run_state.h"
#include "peer/actions.h"
int EnumCollect(PeerHandle window, std::intptr_t) { WinList->push_back(window); return -1; }
bool FindWSJT() {
  for (PeerSlot s : {pcMain, pcToRadio, pcGenStd, pcTx2, pcTx4, pcTx6}) PeerControls[s] = NoPeer;
  WinList = std::make_unique<std::vector<PeerHandle>>();
  WindowSys->EnumWindows(EnumCollect, 0);
  for (PeerHandle h : *WinList) if (GetControlText(h).find("WSJT 4") != std::string::npos) { PeerControls[pcMain] = h; break; }
  if (PeerControls[pcMain]) { WinList->clear(); WindowSys->EnumChildWindows(PeerControls[pcMain], EnumCollect, 0);
    for (PeerHandle h : *WinList) { std::string t = GetControlText(h);
      if (t=="12345") PeerControls[pcToRadio]=h; else if (t=="&Gen Std Msgs") PeerControls[pcGenStd]=h; else if (t=="&Auto is OFF"||t=="&Auto is ON") PeerControls[pcAuto]=h;
      else if (t=="&Lookup") PeerControls[pcLookup]=h; else if (t.size()==5 && t.rfind("Tx &",0)==0 && t[4]>='2'&&t[4]<='6') PeerControls[pcTx2+t[4]-'2']=h; } }
  WinList.reset();
  for (PeerSlot s : {pcMain, pcToRadio, pcGenStd, pcTx2, pcTx4, pcTx6}) if (!PeerControls[s]) return false;
  return true;
}
