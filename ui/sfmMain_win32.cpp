// The main window TfmTavrix over Win32: a tab control with the Run and
// Options pages, the controls of each page, and a window procedure that
// forwards each message to a short handler. The decisions are TfmTavrix's.
#include <windows.h>
#include <commctrl.h>

#include "ui/sfmMain_win32.h"

#include "ports/platform_win32.h"
#include "ui/controls_win32.h"
#include "ui/sfmMain.h"
#include "ui/status_bar_win32.h"

namespace {

enum Page { RunPage, OptionsPage, PageCount };

struct MainWindow {
    MainWindow(Win32Platform& platform, WindowSystem& windows) : form(platform, windows) {}
    HWND hwnd = nullptr;
    HWND pageControl = nullptr;
    HWND pages[PageCount] = {};
    HFONT pageFonts[PageCount] = {};
    HWND lastFocus = nullptr;  // restored when the window is activated again
    StatusBar statusBar;
    int dpi = 96;

    CheckBox rbSKED, rbCQ, cbAutoCS, cbDelay, cbStop, cbCLDec;
    EditBox eTRCS, eCS;
    FileNameBox feDecoded, feCSList, feLog;
    PushButton bRun;
    TimePicker dtpDelay, dtpStop;
    NumberBox eTLimit;
    TfmTavrix form;
};

MainWindow* mainWindow = nullptr;

const wchar_t MainClass[] = L"TfmTavrix";
const wchar_t PageClass[] = L"TavrixPage";

// Design sizes are for 96 dots per inch and grow with the display's.
int Scale(const MainWindow& win, int pixels)
{
    return MulDiv(pixels, win.dpi, 96);
}

// The Run page's controls are drawn larger (16 px characters) than the
// window's own text (11 px), in the face the system uses for message boxes.
HFONT MakeFont(const MainWindow& win, int characterHeight)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        lstrcpyW(font.lfFaceName, L"MS Shell Dlg");
    font.lfHeight = -Scale(win, characterHeight);
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    return CreateFontIndirectW(&font);
}

enum Kind { Radio, Check, Push, Edit, FileEdit, Number, Time, Label };

struct ControlRow {
    Kind kind;
    int id;
    Page page;
    const wchar_t* text;
    int x, y, width, height;  // within the page; width 0 for a label sized to its text
    HWND* slot;
    HWND* browse = nullptr;  // a file-name box's button
};

struct KindStyle {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

KindStyle StyleOf(Kind kind)
{
    switch (kind) {
    case Radio:    return {WC_BUTTONW, BS_RADIOBUTTON | WS_TABSTOP, 0};
    case Check:    return {WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case Push:     return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case Edit:     return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case FileEdit: return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Number:   return {WC_EDITW, ES_AUTOHSCROLL | ES_RIGHT | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Time:     return {DATETIMEPICK_CLASSW, DTS_TIMEFORMAT | DTS_UPDOWN | WS_TABSTOP, 0};
    case Label:    return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
    }
    return {WC_STATICW, 0, 0};
}

HWND CreateChild(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle,
                 RECT place, int id, HFONT font)
{
    HWND child = CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, parent,
                                 reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, WPARAM(font), FALSE);
    return child;
}

SIZE TextSize(HWND parent, HFONT font, const wchar_t* text)
{
    HDC dc = GetDC(parent);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    ReleaseDC(parent, dc);
    return size;
}

// The browse button sits at the right end of its file-name box, as wide as
// the box is high.
void CreateFileNameBox(const MainWindow& win, const ControlRow& row, RECT place, HFONT font)
{
    const int buttonWidth = place.bottom - place.top;
    RECT editPlace = place, buttonPlace = place;
    editPlace.right -= buttonWidth;
    buttonPlace.left = editPlace.right;
    HWND page = win.pages[row.page];
    const KindStyle style = StyleOf(FileEdit);
    *row.slot = CreateChild(page, style.windowClass, row.text, style.style, style.exStyle, editPlace, row.id, font);
    *row.browse = CreateChild(page, WC_BUTTONW, L"...", BS_PUSHBUTTON, 0, buttonPlace, row.id + 10, font);
}

void CreateControl(const MainWindow& win, const ControlRow& row)
{
    HFONT font = win.pageFonts[row.page];
    RECT place{Scale(win, row.x), Scale(win, row.y), 0, 0};
    if (row.width > 0) {
        place.right = place.left + Scale(win, row.width);
        place.bottom = place.top + Scale(win, row.height);
    } else {
        const SIZE size = TextSize(win.pages[row.page], font, row.text);
        place.right = place.left + size.cx;
        place.bottom = place.top + size.cy;
    }
    if (row.kind == FileEdit)
        return CreateFileNameBox(win, row, place, font);
    const KindStyle style = StyleOf(row.kind);
    HWND child = CreateChild(win.pages[row.page], style.windowClass, row.text, style.style, style.exStyle, place,
                             row.id, font);
    if (row.slot)
        *row.slot = child;
}

// Controls in tab order within each page (creation order is tab order).
void CreateControls(MainWindow& win)
{
    const ControlRow rows[] = {
        {Radio, ID_rbSKED, RunPage, L"Sked    to radio", 8, 16, 129, 17, &win.rbSKED.hwnd},
        {Edit, ID_eTRCS, RunPage, L"", 140, 11, 121, 28, &win.eTRCS.hwnd},
        {Radio, ID_rbCQ, RunPage, L"CQ", 8, 43, 41, 17, &win.rbCQ.hwnd},
        {Push, ID_bRun, RunPage, L"START", 8, 77, 75, 33, &win.bRun.hwnd},
        {Check, ID_cbDelay, RunPage, L"Delay start until", 96, 67, 137, 17, &win.cbDelay.hwnd},
        {Time, ID_dtpDelay, RunPage, L"", 232, 61, 117, 28, &win.dtpDelay.hwnd},
        {Check, ID_cbAutoCS, RunPage, L"Autodetect CS", 64, 43, 137, 17, &win.cbAutoCS.hwnd},
        {Check, ID_cbStop, RunPage, L"Stop at", 96, 96, 97, 17, &win.cbStop.hwnd},
        {Time, ID_dtpStop, RunPage, L"", 232, 92, 118, 27, &win.dtpStop.hwnd},
        {FileEdit, ID_feDecoded, OptionsPage, L"", 90, 3, 303, 21, &win.feDecoded.hwnd, &win.feDecoded.browse},
        {FileEdit, ID_feCSList, OptionsPage, L"", 48, 26, 345, 21, &win.feCSList.hwnd, &win.feCSList.browse},
        {FileEdit, ID_feLog, OptionsPage, L"", 48, 50, 346, 21, &win.feLog.hwnd, &win.feLog.browse},
        {Edit, ID_eCS, OptionsPage, L"", 48, 74, 113, 21, &win.eCS.hwnd},
        {Number, ID_eTLimit, OptionsPage, L"", 264, 74, 98, 21, &win.eTLimit.hwnd},
        {Check, ID_cbCLDec, OptionsPage, L"Clear decoded.cum", 8, 100, 153, 17, &win.cbCLDec.hwnd},
        {Label, ID_Label1, OptionsPage, L"Decoded.cum file", 2, 6, 0, 0, nullptr},
        {Label, ID_Label2, OptionsPage, L"CS List", 4, 29, 0, 0, nullptr},
        {Label, ID_Label3, OptionsPage, L"Log file", 4, 54, 0, 0, nullptr},
        {Label, ID_Label4, OptionsPage, L"My CS", 6, 78, 0, 0, nullptr},
        {Label, ID_Label5, OptionsPage, L"Time limit (minutes)", 168, 78, 0, 0, nullptr},
    };
    for (const ControlRow& row : rows)
        CreateControl(win, row);
    win.eTLimit.Attach(win.eTLimit.hwnd);
    SendMessageW(win.dtpDelay.hwnd, DTM_SETFORMATW, 0, LPARAM(L"HH:mm"));
    SendMessageW(win.dtpStop.hwnd, DTM_SETFORMATW, 0, LPARAM(L"HH:mm"));
}

void SetDesignValues(MainWindow& win)
{
    win.rbSKED.SetChecked(true);
    win.cbAutoCS.SetChecked(true);
    win.cbAutoCS.SetEnabled(false);
    win.dtpDelay.SetTime(DesignDelayHour, DesignDelayMinute);
    win.dtpDelay.SetEnabled(false);
    win.dtpStop.SetTime(DesignStopHour, DesignStopMinute);
    win.dtpStop.SetEnabled(false);
    win.feDecoded.SetText(DesignDecoded);
    win.feCSList.SetText(DesignCSList);
    win.feLog.SetText(DesignLog);
    win.eTLimit.SetValue(DesignTLimit);
    win.cbCLDec.SetChecked(true);
}

void ConnectForm(MainWindow& win)
{
    TfmTavrix& form = win.form;
    form.rbSKED = &win.rbSKED;
    form.eTRCS = &win.eTRCS;
    form.rbCQ = &win.rbCQ;
    form.cbAutoCS = &win.cbAutoCS;
    form.bRun = &win.bRun;
    form.cbDelay = &win.cbDelay;
    form.dtpDelay = &win.dtpDelay;
    form.cbStop = &win.cbStop;
    form.dtpStop = &win.dtpStop;
    form.feDecoded = &win.feDecoded;
    form.feCSList = &win.feCSList;
    form.feLog = &win.feLog;
    form.eCS = &win.eCS;
    form.eTLimit = &win.eTLimit;
    form.cbCLDec = &win.cbCLDec;
}

// The pages are children of the tab control, over its display area.
void CreatePages(MainWindow& win)
{
    RECT client;
    GetClientRect(win.hwnd, &client);
    win.pageControl = CreateChild(win.hwnd, WC_TABCONTROLW, L"", WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                  WS_EX_CONTROLPARENT, client, ID_PageControl1, win.pageFonts[OptionsPage]);
    const wchar_t* captions[PageCount] = {L"Run", L"Options"};
    for (int i = 0; i < PageCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions[i]);
        SendMessageW(win.pageControl, TCM_INSERTITEMW, i, LPARAM(&item));
    }
    RECT display = client;
    SendMessageW(win.pageControl, TCM_ADJUSTRECT, FALSE, LPARAM(&display));
    const int ids[PageCount] = {ID_tsRun, ID_tsOptions};
    for (int i = 0; i < PageCount; ++i)
        win.pages[i] = CreateChild(win.pageControl, PageClass, captions[i], WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                                   display, ids[i], win.pageFonts[i]);
}

void ShowPage(MainWindow& win, int page)
{
    // Focus must not stay on a control of a page that is being hidden.
    HWND focus = GetFocus();
    for (int i = 0; i < PageCount; ++i) {
        if (i != page && IsChild(win.pages[i], focus))
            SetFocus(win.pageControl);
        ShowWindow(win.pages[i], i == page ? SW_SHOW : SW_HIDE);
    }
}

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
    case ID_bRun:
        win.form.bRunClick();
        if (win.form.TakePendingClose())
            OnClose(win);
        return;
    case ID_feDecodedBrowse:
        return win.feDecoded.Browse("Decoded.cum file", "Decoded files (*.cum)\0*.cum\0All files (*.*)\0*.*\0");
    case ID_feCSListBrowse:
        return win.feCSList.Browse("CS List", "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0");
    case ID_feLogBrowse:
        return win.feLog.Browse("Log file", "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0");
    }
    // IDOK and IDCANCEL from Enter and Esc in the dialog navigation do nothing.
}

void OnNotify(MainWindow& win, const NMHDR& header)
{
    if (header.hwndFrom == win.pageControl && header.code == TCN_SELCHANGE)
        ShowPage(win, int(SendMessageW(win.pageControl, TCM_GETCURSEL, 0, 0)));
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

bool RegisterClasses(HINSTANCE instance)
{
    WNDCLASSEXW page{};
    page.cbSize = sizeof page;
    page.lpfnWndProc = PageProc;
    page.hInstance = instance;
    page.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    page.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    page.lpszClassName = PageClass;

    WNDCLASSEXW main = page;
    main.lpfnWndProc = MainProc;
    main.lpszClassName = MainClass;
    main.hIcon = HICON(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                  GetSystemMetrics(SM_CYICON), LR_SHARED));
    main.hIconSm = HICON(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return RegisterClassExW(&page) && RegisterClassExW(&main);
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

bool CreateMainWindow(HINSTANCE instance, Win32Platform& platform, WindowSystem& windows, int showCommand)
{
    if (!RegisterClasses(instance))
        return false;
    MainWindow& win = *(mainWindow = new MainWindow(platform, windows));
    win.dpi = ScreenDpi();
    win.pageFonts[RunPage] = MakeFont(win, 16);
    win.pageFonts[OptionsPage] = MakeFont(win, 11);

    // The client area is fixed (403 x 150 at 96 dpi, and the status bar's
    // height below); the frame around it is whatever the system draws.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame{0, 0, Scale(win, 403), Scale(win, 150)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    win.hwnd = CreateWindowExW(exStyle, MainClass, L"", style, 404, 188, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!win.hwnd)
        return false;
    SetWindowTextA(win.hwnd, AppCaption);
    platform.SetOwner(win.hwnd);

    CreatePages(win);
    CreateControls(win);
    SetDesignValues(win);
    ConnectForm(win);
    win.form.FormCreate();
    win.statusBar.Create(win.hwnd, ID_StatusBar, win.pageFonts[OptionsPage]);
    win.statusBar.Show(win.form.StatusLine());

    SelectPage(win, RunPage);
    SetTimer(win.hwnd, 1, 1000, nullptr);
    ShowWindow(win.hwnd, showCommand);
    UpdateWindow(win.hwnd);
    SetFocus(win.rbSKED.hwnd);
    return true;
}

// Ctrl+Tab and Ctrl+Shift+Tab switch pages, as in other tabbed windows.
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
