// Peer window discovery: finds WSJT's main window among the desktop's
// top-level windows and, among its descendants, the controls we work.
// Windows are recognised by their text alone, never by class or position.
#include <algorithm>
#include <new>

#include "peer/peer.h"

namespace {

// Whole, case-sensitive captions of the controls, each naming its slot.
struct Caption {
    const char* text;
    PeerSlot slot;
};
constexpr Caption Captions[] = {
    {"12345", pcToRadio},         // the to-radio box at rest
    {"&Gen Std Msgs", pcGenStd},
    {"&Auto is OFF", pcAuto},
    {"&Auto is ON", pcAuto},
    {"&Lookup", pcLookup},
    {"Tx &2", pcTx2},
    {"Tx &3", pcTx3},
    {"Tx &4", pcTx4},
    {"Tx &5", pcTx5},
    {"Tx &6", pcTx6},
};

constexpr PeerSlot RequiredSlots[] = {pcMain, pcToRadio, pcGenStd, pcTx2, pcTx4, pcTx6};

// The list lives only while a search runs, whatever way the search ends.
struct WinListScope {
    WindowList& list;
    explicit WinListScope(WindowList& list) : list(list) { list = std::make_unique<std::vector<PeerHandle>>(); }
    ~WinListScope() { list.reset(); }
    WinListScope(const WinListScope&) = delete;
    WinListScope& operator=(const WinListScope&) = delete;
};

PeerHandle FindMainWindow(WindowSystem& windows, const std::vector<PeerHandle>& winList)
{
    for (PeerHandle window : winList)
        if (GetControlText(windows, window).find("WSJT 4") != std::string::npos)
            return window;
    return NoPeer;
}

// Every descendant is read; a later one with the same caption replaces an
// earlier one.
void CollectControls(WindowSystem& windows, const std::vector<PeerHandle>& winList, PeerControlSet& controls)
{
    for (PeerHandle window : winList) {
        const std::string text = GetControlText(windows, window);
        for (const Caption& caption : Captions)
            if (text == caption.text)
                controls[caption.slot] = window;
        if (IsTxFirstCaption(text))
            controls[pcTxFirst] = window;
    }
}

}  // namespace

// Every slot is cleared, not only the six the result depends on: Windows
// reuses handles, so a handle kept from a WSJT that has since closed could
// name some other program's window, and pressing that would be worse than
// pressing nothing.
bool FindWSJT(WindowSystem& windows, PeerControlSet& controls, WindowList& winList)
{
    controls.fill(NoPeer);
    {
        WinListScope scope(winList);
        const auto context = reinterpret_cast<std::intptr_t>(winList.get());
        windows.EnumWindows(EnumCollect, context);
        controls[pcMain] = FindMainWindow(windows, *winList);
        if (controls[pcMain] != NoPeer) {
            winList->clear();
            windows.EnumChildWindows(controls[pcMain], EnumCollect, context);
            CollectControls(windows, *winList, controls);
        }
    }
    return std::all_of(std::begin(RequiredSlots), std::end(RequiredSlots),
                       [&controls](PeerSlot slot) { return controls[slot] != NoPeer; });
}

// Called by the window system's enumeration, so nothing may be thrown out
// of it: a window that can't be recorded is passed over and the
// enumeration goes on.
int EnumCollect(PeerHandle window, std::intptr_t context)
{
    try {
        if (auto* list = reinterpret_cast<std::vector<PeerHandle>*>(context))
            list->push_back(window);
    } catch (const std::bad_alloc&) {
    }
    return -1;
}
