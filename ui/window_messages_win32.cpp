// The main window's messages: each forwarded to a short handler, the
// decisions left to TfmTavrix; and the program's message loop.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ports/platform_win32.h"
#include "ui/main_window_win32.h"
#include "ui/sfmMain_win32.h"
#include "ui/sked_dialog_win32.h"

namespace {

void ShowPage(MainWindow& win, int page)
{
    // The file may have been edited in a text editor meanwhile.
    if (page == SkedsPage)
        win.form.LoadSkeds();
    // Focus must not stay on a control of a page that is being hidden.
    HWND focus = GetFocus();
    for (int i = 0; i < PageCount; ++i) {
        if (i != page && IsChild(win.pages[i], focus))
            SetFocus(win.pageControl);
        ShowWindow(win.pages[i], i == page ? SW_SHOW : SW_HIDE);
    }
}

}  // namespace

void SelectPage(MainWindow& win, int page)
{
    SendMessageW(win.pageControl, TCM_SETCURSEL, page, 0);
    ShowPage(win, page);
}

// The controls notify their page; the page hands everything to the main window.
LRESULT CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
        return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

namespace {

// Radio buttons are plain (not automatic) so that the shared handler runs
// only when the mode actually changes.
void OnModeClick(MainWindow& win, CheckBox& clicked, CheckBox& other)
{
    if (clicked.Checked())
        return;
    clicked.SetChecked(true);
    other.SetChecked(false);
    win.form.rbSKedClick();
}

void OnSkedAdd(MainWindow& win)
{
    SkedEntry entry;
    if (AskSkedEntry(win.hwnd, L"Add a sked", win.form.SkedFieldsForAdd(), entry))
        win.form.AddSkedEntry(entry);
}

void OnSkedEdit(MainWindow& win)
{
    SkedFields fields;
    const int row = win.form.SkedFieldsForEdit(fields);
    SkedEntry entry;
    if (row >= 0 && AskSkedEntry(win.hwnd, L"Edit the sked", fields, entry))
        win.form.EditSkedEntry(row, entry);
}

void OnClose(MainWindow& win)
{
    if (win.form.DeferClose())
        return;
    bool canClose = true;
    win.form.FormCloseQuery(canClose);
    if (canClose)
        DestroyWindow(win.hwnd);
}

void OnCommand(MainWindow& win, int id, int code)
{
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case ID_rbSKED: return OnModeClick(win, win.rbSKED, win.rbCQ);
    case ID_rbCQ: return OnModeClick(win, win.rbCQ, win.rbSKED);
    case ID_cbDelay: return win.form.cbDelayClick();
    case ID_cbStop: return win.form.cbStopClick();
    case ID_cbUdp: return win.form.cbUdpClick();
    case ID_bRigTest: return win.form.bRigTestClick();
    case ID_bRun:
        win.form.bRunClick();
        if (win.form.TakePendingClose())
            OnClose(win);
        return;
    case ID_bSkedAdd: return OnSkedAdd(win);
    case ID_bSkedEdit: return OnSkedEdit(win);
    case ID_bSkedDelete: win.form.DeleteSkedEntry(); return;
    case ID_bSkedReport: win.form.OpenNightReport(); return;
    case ID_feDecodedBrowse:
        return win.feDecoded.Browse("Decoded.cum file", "Decoded files (*.cum)\0*.cum\0All files (*.*)\0*.*\0");
    case ID_feCSListBrowse:
        return win.feCSList.Browse("CS List", "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0");
    case ID_feLogBrowse:
        return win.feLog.Browse("Log file", "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0");
    }
    // IDOK and IDCANCEL from Enter and Esc in the dialog navigation do nothing.
}

// The list asks for a row's tip as the pointer rests on it; a row without
// figures keeps its own text, which the list shows when it is cut.
static void OnSkedTip(MainWindow& win, NMLVGETINFOTIPW& ask)
{
    const std::string tip = win.form.SkedTip(ask.iItem);
    if (tip.empty() || !ask.pszText || ask.cchTextMax <= 0)
        return;
    const std::wstring wide = Wide(tip, CP_ACP);
    const std::size_t room = std::size_t(ask.cchTextMax) - 1;
    wide.copy(ask.pszText, room);
    ask.pszText[std::min(room, wide.size())] = 0;
}

void OnNotify(MainWindow& win, const NMHDR& header)
{
    if (header.hwndFrom == win.pageControl && header.code == TCN_SELCHANGE)
        ShowPage(win, int(SendMessageW(win.pageControl, TCM_GETCURSEL, 0, 0)));
    else if (header.hwndFrom == win.lvSkeds.hwnd && header.code == NM_DBLCLK)
        OnSkedEdit(win);
    else if (header.hwndFrom == win.lvSkeds.hwnd && header.code == LVN_ITEMCHANGED)
        win.form.ShowSkedNote();
    else if (header.hwndFrom == win.lvSkeds.hwnd && header.code == LVN_GETINFOTIPW)
        OnSkedTip(win, *reinterpret_cast<NMLVGETINFOTIPW*>(const_cast<NMHDR*>(&header)));
}

// Like a dialog, the window gives the focus back to the control that had it.
bool OnActivate(MainWindow& win, bool active)
{
    HWND focus = GetFocus();
    if (!active && IsChild(win.hwnd, focus))
        win.lastFocus = focus;
    if (!active || !win.lastFocus || !IsWindow(win.lastFocus))
        return false;
    SetFocus(win.lastFocus);
    return true;
}

void OnTick(MainWindow& win)
{
    win.form.OnTimer();
    win.statusBar.Show(win.form.StatusLine());
}

void OnDestroy(MainWindow& win)
{
    KillTimer(win.hwnd, 1);
    win.form.FormDestroy();
    PostQuitMessage(0);
}

LRESULT HandleMessage(MainWindow& win, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: OnCommand(win, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: OnNotify(win, *reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_TIMER: OnTick(win); return 0;
    case WM_CLOSE: OnClose(win); return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: if (wParam) win.form.FormEndSession(); return 0;
    case WM_ACTIVATE: if (OnActivate(win, LOWORD(wParam) != WA_INACTIVE)) return 0; break;
    case WM_DESTROY: OnDestroy(win); return 0;
    }
    return DefWindowProcW(win.hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!mainWindow || mainWindow->hwnd != hwnd)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    // Nothing thrown by the logic may unwind through user32; the next tick
    // or click starts afresh.
    try {
        return HandleMessage(*mainWindow, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}


static bool SwitchPageKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0)
        return false;
    const int current = int(SendMessageW(mainWindow->pageControl, TCM_GETCURSEL, 0, 0));
    const int step = GetKeyState(VK_SHIFT) < 0 ? PageCount - 1 : 1;
    SelectPage(*mainWindow, (current + step) % PageCount);
    return true;
}

int RunMessageLoop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsWindow(mainWindow->hwnd) && (SwitchPageKey(msg) || IsDialogMessageW(mainWindow->hwnd, &msg)))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}
