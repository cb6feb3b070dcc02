// Stand-in WSJT 4.9.7 for the end-to-end tests and the rehearsal: a window
// with the controls Tavrix works, which journals every press and every
// change of its to-radio box, can be told to misbehave, and can put
// simulated partner stations on the air.
//
// Contract
//   Main window title "WSJT 4.9.7  by K1JT". Its controls sit in panels two
//   levels deep (main > outer panel > inner panel), as in the real program:
//     inner panel: to-radio edit box holding "12345", "&Lookup",
//                  "&Gen Std Msgs", "&Auto is OFF", and the check box
//                  "Tx &First" (ticked: we transmit in seconds 0..29 of
//                  each minute, unticked: in 30..59)
//     outer panel: "Tx &1".."Tx &6" and, beside each, its message edit box
//   "&Auto is OFF" and "&Auto is ON" swap on every press. "&Gen Std Msgs"
//   fills the six message boxes from the to-radio text (%T) and the own call
//   (%M), meteor-scatter style: "%T %M", "%T %M 27 27", "%T %M R27 R27",
//   "RRRR RRRR %M", "73 %M", "CQ %M", and selects Tx 1. A Tx button selects
//   its message. While Auto is on, the selected message is what goes out.
//   "Tx &First" is a real check box (BS_AUTOCHECKBOX): BM_GETCHECK reads it
//   and a press (WM_LBUTTONDOWN then WM_LBUTTONUP) toggles it.
//   Below the Tx rows a box shows the partner's latest doings.
//
// Simulated partner (with /decoded and at least one /partner): on a 250 ms
// timer reading the UTC clock (WSJT stamps in UTC whatever the computer's
// time zone), each partner station hears what we sent at the end of our
// transmit period, and at second 31 its own period (seconds 0..29) is
// appended to decoded.cum stamped hh:mm:00 UTC. One exchange step a
// minute, as on the air. With /fast the partners also hear us and answer at
// second 1, stamped hh:mm:30 of the minute before, so a contact takes one to
// two minutes. A partner given /period keeps to its half of the minute,
// /fast or not: it hears only what we send in the other half (Tx First
// ticked: we send in the first), at second 0 for a 1st partner and 30 for
// a 2nd one, and writes its own period's decodes at second 31 stamped
// hh:mm:00 (1st) or at second 1 stamped hh:mm:30 of the minute before
// (2nd). So a wrong Tx First gives no contact, as on the air. The decisions
// are partner_sim's; the clock and the file are standin_partners'. With
// /holddecoded on the same file the writes fail.
//
// Switches
//   /mycall CALL       own callsign for %M (default Q1ABC)
//   /journal PATH      journal file (default: none)
//   /autostuck         the Auto caption never changes
//   /missing LIST      comma-separated captions of buttons left out
//                      (meant for the optional ones: "Tx &3,&Lookup";
//                      "Tx &First" leaves out the check box)
//   /txfirst           "Tx &First" starts ticked (default unticked)
//   /txfirststuck      "Tx &First" flips back after each press, so its
//                      state never changes
//   /hang N            once, the user-interface thread sleeps N seconds ...
//   /hangafter K       ... while handling the K-th press, after journaling
//                      it (default 0: at start, before any message is
//                      answered)
//   /holddecoded PATH  keeps PATH open for writing, writers shut out, for
//                      as long as the program runs
//   /decoded PATH      the decoded.cum the partners append to
//   /partner CALL      adds a partner station; several may be on the air
//   /behaviour NAME    of the last partner added: normal, never, halfway,
//                      ahead, cq-listed, cq-repeats (default normal)
//   /oncall            the last partner added stays silent until we call it
//                      (a schedule's partners, each answering its own sked)
//   /misses N          the last partner added misses every Nth of our periods
//   /period 1st|2nd    the half of the minute the last partner added
//                      transmits in (default: none, it hears every period)
//   /noise N           noise lines per period (default 1)
//   /fast              partners answer every half minute
//   /at X,Y            where the window opens (default 0,400, clear of
//                      Tavrix's window at 404,188)
//
// Journal: one line per event, flushed as written, UTC time first (the
// clock the decodes are stamped with, so their age can be told from it):
//   hh:mm:ss.mmm start <process id>
//   hh:mm:ss.mmm press <caption before the press> tx=<selected Tx, 0 none> auto=<on|off>
//   hh:mm:ss.mmm txfirst <on|off>   the check box's state: after each press
//                of it, and just before each toradio line (none when the
//                box is left out)
//   hh:mm:ss.mmm toradio <new text>
//   hh:mm:ss.mmm hang <seconds>   /  hh:mm:ss.mmm hang end
//   hh:mm:ss.mmm heard <message we sent, when there was one>   (only when
//                some partner listens in the period we sent in: with Tx
//                First the wrong way round for all of them, none)
//   hh:mm:ss.mmm decode <line appended to decoded.cum>
//   hh:mm:ss.mmm decode failed <lines>   (decoded.cum could not be opened)
//   hh:mm:ss.mmm exit
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tools/standin_options.h"
#include "tools/standin_partners.h"

namespace {

enum ControlId {
    idToRadio = 100,
    idLookup,
    idGenStd,
    idAuto,
    idTxFirst,
    idTx1 = 111,  // Tx &1..Tx &6 are idTx1..idTx1+5
    idTxMsg1 = 121,
    idPartnerBox = 131,
};
constexpr UINT WM_APP_HANG = WM_APP + 1;
constexpr UINT_PTR PartnerTimer = 1;
constexpr const char* PanelClass = "StandInPanel";
constexpr const char* MainClass = "StandInWsjt";

// Everything the program knows.
struct StandIn {
    StandInOptions options;
    HWND main = nullptr;
    HWND toRadio = nullptr;
    HWND autoButton = nullptr;
    HWND txFirstBox = nullptr;  // null when left out
    HWND txMessage[7] = {};     // 1..6
    bool autoOn = false;
    int selectedTx = 0;         // set by the last Tx press, 0 before any
    int pressesHandled = 0;
    bool hangDone = false;
    FILE* journal = nullptr;
    HANDLE heldDecoded = INVALID_HANDLE_VALUE;
    HWND partnerBox = nullptr;
    std::unique_ptr<PartnersOnAir> partners;
};
StandIn app;

std::string WindowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// While Auto is on, WSJT sends the selected Tx message in its transmit periods.
std::string TransmittedMessage()
{
    if (!app.autoOn || app.selectedTx < 1 || app.selectedTx > 6)
        return std::string();
    return WindowText(app.txMessage[app.selectedTx]);
}

// A box left out counts as unticked: WSJT then sends in the second period.
bool TransmitsFirst()
{
    return app.txFirstBox && SendMessageA(app.txFirstBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Journal(const std::string& event)
{
    if (!app.journal)
        return;
    SYSTEMTIME t;
    GetSystemTime(&t);
    std::fprintf(app.journal, "%02u:%02u:%02u.%03u %s\n", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds,
                 event.c_str());
    std::fflush(app.journal);
}

void JournalTxFirst()
{
    if (app.txFirstBox)
        Journal(std::string("txfirst ") + (TransmitsFirst() ? "on" : "off"));
}

bool IsMissing(const char* caption)
{
    for (const std::string& m : app.options.missing)
        if (m == caption)
            return true;
    return false;
}

// ---- the window

HWND AddControl(HWND parent, const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h)
{
    if (std::strcmp(cls, "BUTTON") == 0 && IsMissing(text))
        return nullptr;
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

HWND AddPanel(HWND parent, int x, int y, int w, int h)
{
    return CreateWindowExA(0, PanelClass, "", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void BuildControls(HWND main)
{
    HWND outer = AddPanel(main, 0, 0, 520, 300);
    HWND inner = AddPanel(outer, 10, 10, 160, 150);
    app.toRadio = AddControl(inner, "EDIT", "12345", WS_BORDER | ES_AUTOHSCROLL, idToRadio, 0, 0, 150, 22);
    AddControl(inner, "BUTTON", "&Lookup", BS_PUSHBUTTON, idLookup, 0, 30, 150, 26);
    AddControl(inner, "BUTTON", "&Gen Std Msgs", BS_PUSHBUTTON, idGenStd, 0, 60, 150, 26);
    app.autoButton = AddControl(inner, "BUTTON", "&Auto is OFF", BS_PUSHBUTTON, idAuto, 0, 90, 150, 26);
    app.txFirstBox = AddControl(inner, "BUTTON", "Tx &First", BS_AUTOCHECKBOX, idTxFirst, 0, 122, 150, 22);
    if (app.txFirstBox && app.options.txFirst)
        SendMessageA(app.txFirstBox, BM_SETCHECK, BST_CHECKED, 0);
    for (int i = 1; i <= 6; ++i) {
        const std::string caption = "Tx &" + std::to_string(i);
        const int y = 10 + (i - 1) * 30;
        app.txMessage[i] = AddControl(outer, "EDIT", "", WS_BORDER | ES_AUTOHSCROLL, idTxMsg1 + i - 1, 190, y, 240, 22);
        AddControl(outer, "BUTTON", caption.c_str(), BS_PUSHBUTTON, idTx1 + i - 1, 440, y, 60, 24);
    }
    app.partnerBox = AddControl(outer, "EDIT", "", WS_BORDER | ES_MULTILINE | ES_READONLY, idPartnerBox, 10, 195,
                                490, 100);
    SendMessageA(app.partnerBox, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
}

// ---- what the buttons do

std::string Expand(const char* pattern)
{
    const std::string their = WindowText(app.toRadio);
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 'T') { out += their; ++p; }
        else if (p[0] == '%' && p[1] == 'M') { out += app.options.myCall; ++p; }
        else out += *p;
    }
    return out;
}

void GenerateStandardMessages()
{
    static const char* const patterns[7] = {"", "%T %M", "%T %M 27 27", "%T %M R27 R27", "RRRR RRRR %M",
                                            "73 %M", "CQ %M"};
    for (int i = 1; i <= 6; ++i)
        SetWindowTextA(app.txMessage[i], Expand(patterns[i]).c_str());
    app.selectedTx = 1;
}

void ToggleAuto()
{
    if (app.options.autoStuck)
        return;
    app.autoOn = !app.autoOn;
    SetWindowTextA(app.autoButton, app.autoOn ? "&Auto is ON" : "&Auto is OFF");
}

// The box has toggled itself by the time it tells us of the press.
void OnTxFirstPressed()
{
    if (app.options.txFirstStuck)
        SendMessageA(app.txFirstBox, BM_SETCHECK, TransmitsFirst() ? BST_UNCHECKED : BST_CHECKED, 0);
    JournalTxFirst();
}

void OnHang()
{
    app.hangDone = true;
    Journal("hang " + std::to_string(app.options.hangSeconds));
    Sleep(static_cast<DWORD>(app.options.hangSeconds) * 1000);
    Journal("hang end");
}

void OnPress(int id, HWND button)
{
    Journal("press " + WindowText(button) + " tx=" + std::to_string(app.selectedTx) +
            " auto=" + (app.autoOn ? "on" : "off"));
    if (id == idGenStd)
        GenerateStandardMessages();
    else if (id == idAuto)
        ToggleAuto();
    else if (id == idTxFirst)
        OnTxFirstPressed();
    else if (id >= idTx1 && id < idTx1 + 6)
        app.selectedTx = id - idTx1 + 1;
    ++app.pressesHandled;
    // Inside the press, so that the caller meets the hang at a known point:
    // the button-up message of the K-th press goes unanswered.
    if (!app.hangDone && app.options.hangSeconds > 0 && app.pressesHandled == app.options.hangAfter)
        OnHang();
}

void OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == BN_CLICKED && id != idToRadio)
        OnPress(id, reinterpret_cast<HWND>(lParam));
    else if (code == EN_CHANGE && id == idToRadio) {
        JournalTxFirst();
        Journal("toradio " + WindowText(app.toRadio));
    }
}

// Panels pass their children's notifications up to the main window.
LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        return SendMessageA(GetParent(window), message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: BuildControls(window); return 0;
    case WM_COMMAND: OnCommand(wParam, lParam); return 0;
    case WM_APP_HANG: OnHang(); return 0;
    case WM_TIMER: app.partners->Tick(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = PanelProc;
    wc.lpszClassName = PanelClass;
    if (!RegisterClassA(&wc))
        return false;
    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = MainClass;
    return RegisterClassA(&wc) != 0;
}

// Shuts writers out, as a WSJT that keeps decoded.cum open for appending would.
void HoldDecoded(const std::string& path)
{
    app.heldDecoded = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    app.options = ParseStandInOptions(__argc, __argv);
    if (!app.options.journal.empty())
        app.journal = std::fopen(app.options.journal.c_str(), "a");
    if (!app.options.holdDecoded.empty())
        HoldDecoded(app.options.holdDecoded);
    if (!RegisterClasses(instance))
        return 1;
    app.main = CreateWindowExA(0, MainClass, "WSJT 4.9.7  by K1JT", WS_OVERLAPPEDWINDOW, app.options.x,
                               app.options.y, 540, 340, nullptr, nullptr, instance, nullptr);
    if (!app.main)
        return 1;
    if (!app.options.decoded.empty() && !app.options.partners.empty()) {
        app.partners = std::make_unique<PartnersOnAir>(app.options.partners, app.options.decoded, app.options.fast,
                                                       app.partnerBox, TransmittedMessage, TransmitsFirst, Journal);
        SetTimer(app.main, PartnerTimer, 250, nullptr);
    }
    ShowWindow(app.main, show);
    Journal("start " + std::to_string(GetCurrentProcessId()));
    if (app.options.hangSeconds > 0 && app.options.hangAfter == 0)
        PostMessageA(app.main, WM_APP_HANG, 0, 0);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Journal("exit");
    if (app.heldDecoded != INVALID_HANDLE_VALUE)
        CloseHandle(app.heldDecoded);
    if (app.journal)
        std::fclose(app.journal);
    return 0;
}
