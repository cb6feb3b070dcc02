// A simulated desktop for tests: windows with texts in a given enumeration
// order, nested children, buttons that toggle their caption when pressed,
// and handles that go dead. Everything done to it is written to `journal`.
#pragma once
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ports/window_system.h"

class SimWindowSystem;
// The desktop a test put up last. Tests build the model window before their
// desktop, so the window's run works whichever desktop is current.
inline SimWindowSystem* currentDesktop = nullptr;

class SimWindowSystem : public WindowSystem {
public:
    struct Window {
        PeerHandle handle = NoPeer;
        PeerHandle parent = NoPeer;  // NoPeer for a top-level window
        std::string text;
        bool alive = true;
        std::string toggleTo;        // a press swaps text and toggleTo when set
        int check = -1;              // a check box's state; -1: no check box
        bool checkStuck = false;     // a press leaves the check as it is
        std::function<void(Window&)> onPress;
    };

    std::vector<Window> windows;     // in enumeration order among siblings
    std::vector<std::string> journal;
    int textReads = 0;

    SimWindowSystem() : previous_(currentDesktop) { currentDesktop = this; }
    ~SimWindowSystem() override { if (currentDesktop == this) currentDesktop = previous_; }
    SimWindowSystem(const SimWindowSystem&) = delete;
    SimWindowSystem& operator=(const SimWindowSystem&) = delete;

    PeerHandle AddTop(const std::string& text) { return Add(NoPeer, text); }
    PeerHandle AddChild(PeerHandle parent, const std::string& text) { return Add(parent, text); }
    // A button whose caption swaps between `text` and `other` on every press.
    PeerHandle AddToggle(PeerHandle parent, const std::string& text, const std::string& other)
    {
        PeerHandle h = Add(parent, text);
        Find(h)->toggleTo = other;
        return h;
    }
    // A check box that a press ticks or unticks.
    PeerHandle AddCheck(PeerHandle parent, const std::string& text, bool ticked)
    {
        PeerHandle h = Add(parent, text);
        Find(h)->check = ticked;
        return h;
    }
    void Kill(PeerHandle h) { if (Window* w = Find(h)) w->alive = false; }
    std::string TextOf(PeerHandle h) { Window* w = Find(h); return w ? w->text : std::string(); }
    void SetTextOf(PeerHandle h, const std::string& t) { if (Window* w = Find(h)) w->text = t; }

    // The window WSJT's layout uses in the tests: panels nested two deep.
    struct Peer { PeerHandle main, toRadio, genStd, autoButton, lookup, tx[7], txFirst; };
    Peer AddWsjt(const std::string& title = "WSJT 4.9.7  by K1JT")
    {
        Peer p{};
        p.main = AddTop(title);
        PeerHandle panel = AddChild(p.main, "");
        PeerHandle inner = AddChild(panel, "");
        p.toRadio = AddChild(inner, "12345");
        p.lookup = AddChild(inner, "&Lookup");
        p.genStd = AddChild(inner, "&Gen Std Msgs");
        p.txFirst = AddCheck(inner, "Tx &First", false);
        p.autoButton = AddToggle(panel, "&Auto is OFF", "&Auto is ON");
        for (int i = 1; i <= 6; ++i)
            p.tx[i] = AddChild(panel, "Tx &" + std::to_string(i));
        return p;
    }

    // Journal lines: "press <caption>", "set <old> -> <new>".
    void EnumWindows(EnumProc proc, std::intptr_t context) override
    {
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (windows[i].parent == NoPeer && windows[i].alive && !proc(windows[i].handle, context))
                return;
    }
    void EnumChildWindows(PeerHandle parent, EnumProc proc, std::intptr_t context) override
    {
        EnumDescendants(parent, proc, context);
    }
    void GetText(PeerHandle window, char* buffer, int capacity) override
    {
        ++textReads;
        Window* w = Find(window);
        if (!w || !w->alive || capacity <= 0)
            return;
        const std::size_t n = std::min<std::size_t>(w->text.size(), capacity - 1);
        std::memcpy(buffer, w->text.data(), n);
        buffer[n] = '\0';
    }
    bool SetText(PeerHandle window, const char* text) override
    {
        Window* w = Find(window);
        if (!w || !w->alive)
            return false;
        journal.push_back("set " + w->text + " -> " + text);
        w->text = text;
        return true;
    }
    bool Press(PeerHandle window) override
    {
        Window* w = Find(window);
        if (!w || !w->alive)
            return false;
        journal.push_back("press " + w->text);
        if (!w->toggleTo.empty())
            std::swap(w->text, w->toggleTo);
        if (w->check >= 0 && !w->checkStuck)
            w->check = !w->check;
        if (w->onPress)
            w->onPress(*w);
        return true;
    }

    int GetCheck(PeerHandle window) override
    {
        Window* w = Find(window);
        return w && w->alive ? std::max(w->check, 0) : -1;
    }

    Window* Find(PeerHandle h)
    {
        for (Window& w : windows)
            if (w.handle == h)
                return &w;
        return nullptr;
    }

private:
    SimWindowSystem* previous_;
    PeerHandle next_ = 0x1000;

    PeerHandle Add(PeerHandle parent, const std::string& text)
    {
        Window w;
        w.handle = next_ += 4;
        w.parent = parent;
        w.text = text;
        windows.push_back(w);
        return w.handle;
    }
    // Depth first, each child followed by its own descendants, as Windows does.
    bool EnumDescendants(PeerHandle parent, EnumProc proc, std::intptr_t context)
    {
        for (std::size_t i = 0; i < windows.size(); ++i) {
            if (windows[i].parent != parent || !windows[i].alive)
                continue;
            const PeerHandle h = windows[i].handle;
            if (!proc(h, context) || !EnumDescendants(h, proc, context))
                return false;
        }
        return true;
    }
};

// The window system a model window's run is built with: whatever desktop
// is current when it acts.
struct CurrentDesktop : WindowSystem {
    void EnumWindows(EnumProc proc, std::intptr_t context) override { currentDesktop->EnumWindows(proc, context); }
    void EnumChildWindows(PeerHandle parent, EnumProc proc, std::intptr_t context) override
    {
        currentDesktop->EnumChildWindows(parent, proc, context);
    }
    void GetText(PeerHandle window, char* buffer, int capacity) override
    {
        currentDesktop->GetText(window, buffer, capacity);
    }
    bool SetText(PeerHandle window, const char* text) override { return currentDesktop->SetText(window, text); }
    bool Press(PeerHandle window) override { return currentDesktop->Press(window); }
    int GetCheck(PeerHandle window) override { return currentDesktop->GetCheck(window); }
};
