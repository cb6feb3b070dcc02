// A simulated WSJT on the simulated desktop that behaves like the real one
// where a run can tell: "&Gen Std Msgs" makes the six Tx messages from the
// to-radio callsign and the operator's, a Tx button selects the message
// that goes out, and Auto says whether anything goes out at all.
#pragma once
#include <string>

#include "tests/support/sim_window_system.h"

class SimWsjt {
public:
    SimWindowSystem& desktop;
    SimWindowSystem::Peer peer;
    std::string myCall;
    std::string tx[7];   // Tx 1..6 messages
    int selected = 1;    // the Tx button pressed last

    SimWsjt(SimWindowSystem& desktop, const std::string& myCall)
        : desktop(desktop), peer(desktop.AddWsjt()), myCall(myCall)
    {
        desktop.Find(peer.genStd)->onPress = [this](SimWindowSystem::Window&) { GenStdMsgs(); };
        for (int i = 1; i <= 6; ++i)
            desktop.Find(peer.tx[i])->onPress = [this, i](SimWindowSystem::Window&) { selected = i; };
    }

    bool AutoOn() { return desktop.TextOf(peer.autoButton) == "&Auto is ON"; }
    // What goes out in our next transmit period: nothing unless Auto is on.
    std::string Transmitting() { return AutoOn() ? tx[selected] : std::string(); }

    void GenStdMsgs()
    {
        const std::string them = desktop.TextOf(peer.toRadio);
        tx[1] = them + " " + myCall;
        tx[2] = them + " " + myCall + " 27 27";
        tx[3] = them + " " + myCall + " R27 R27";
        tx[4] = "RRRR RRRR " + myCall;
        tx[5] = "73 " + myCall;
        tx[6] = "CQ " + myCall;
        selected = 1;
    }
};
