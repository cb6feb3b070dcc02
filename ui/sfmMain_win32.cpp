// The main window TfmTavrix over Win32, built: a tab control with the Run,
// Options and Skeds pages, the controls of each page in their places and fonts,
// scaled for the display, and the status bar. Its messages are handled in
// ui/window_messages_win32.cpp; the decisions are TfmTavrix's.
#include <windows.h>
#include <commctrl.h>

#include "ui/sfmMain_win32.h"

#include "ui/main_window_win32.h"

MainWindow* mainWindow = nullptr;

namespace {

const wchar_t MainClass[] = L"TfmTavrix";
const wchar_t PageClass[] = L"TavrixPage";

// Design sizes are for 96 dots per inch and grow with the display's.
int Scale(const MainWindow& win, int pixels)
{
    return MulDiv(pixels, win.dpi, 96);
}

// The Run page's controls are drawn larger (16 px characters) than the
// window's own text (11 px), in the face the system uses for message boxes:
// Tahoma on Windows XP, Segoe UI from Vista on. The metrics' size follows
// WINVER, and Windows XP refuses the larger one Vista grew, so the i686
// build asks with XP's. Should the system refuse, "MS Shell Dlg 2" is the
// dialog face every version from Windows 2000 on maps to a TrueType font.
HFONT MakeFont(const MainWindow& win, int characterHeight)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        lstrcpyW(font.lfFaceName, L"MS Shell Dlg 2");
    font.lfHeight = -Scale(win, characterHeight);
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    return CreateFontIndirectW(&font);
}

enum Kind { Radio, Check, Push, Edit, FileEdit, Number, Time, Label, List };

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
    case List:     return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP,
                           WS_EX_CLIENTEDGE};
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

// Each column as wide as its widest text in the list's font, the Station
// column the rest, so that a 12-character callsign shows whole at any dpi.
void SizeSkedColumns(MainWindow& win)
{
    const wchar_t* const titles[SkedColumnCount] = {L"Date", L"From", L"To", L"Station", L"Period", L"MHz", L"State"};
    const wchar_t* const widest[SkedColumnCount] = {L"2026-12-13", L"00:00", L"00:00", L"",
                                                    L"as WSJT", L"1296.200", L"contact 00:00"};
    int widths[SkedColumnCount];
    RECT list;
    GetClientRect(win.lvSkeds.hwnd, &list);
    int rest = list.right - GetSystemMetrics(SM_CXVSCROLL);
    for (int i = 0; i < SkedColumnCount; ++i) {
        widths[i] = int(SendMessageW(win.lvSkeds.hwnd, LVM_GETSTRINGWIDTHW, 0, LPARAM(widest[i]))) + Scale(win, 14);
        rest -= i == ColStation ? 0 : widths[i];
    }
    widths[ColStation] = rest;
    win.lvSkeds.AddColumns(titles, widths, SkedColumnCount);
    // A row's tip tells its entry's figures, a fact a line: the tip breaks
    // lines only once it has a width.
    SendMessageW(win.lvSkeds.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
    if (const HWND tip = HWND(SendMessageW(win.lvSkeds.hwnd, LVM_GETTOOLTIPS, 0, 0)))
        SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, Scale(win, 400));
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
        {Check, ID_cbUdp, OptionsPage, L"Send contacts to loggers (UDP)", 8, 126, 220, 17, &win.cbUdp.hwnd},
        {Edit, ID_eUdpServer, OptionsPage, L"", 48, 148, 180, 21, &win.eUdpServer.hwnd},
        {Edit, ID_eUdpPort, OptionsPage, L"", 264, 148, 60, 21, &win.eUdpPort.hwnd},
        {Edit, ID_eRig, OptionsPage, L"", 96, 178, 132, 21, &win.eRig.hwnd},
        {Push, ID_bRigTest, OptionsPage, L"Test", 236, 177, 60, 23, nullptr},
        {Label, ID_Label1, OptionsPage, L"Decoded.cum file", 2, 6, 0, 0, nullptr},
        {Label, ID_Label2, OptionsPage, L"CS List", 4, 29, 0, 0, nullptr},
        {Label, ID_Label3, OptionsPage, L"Log file", 4, 54, 0, 0, nullptr},
        {Label, ID_Label4, OptionsPage, L"My CS", 6, 78, 0, 0, nullptr},
        {Label, ID_Label5, OptionsPage, L"Time limit (minutes)", 168, 78, 0, 0, nullptr},
        {Label, ID_Label6, OptionsPage, L"Server", 6, 152, 0, 0, nullptr},
        {Label, ID_Label7, OptionsPage, L"Port", 236, 152, 0, 0, nullptr},
        {Label, ID_Label8, OptionsPage, L"Radio (rigctld)", 6, 182, 0, 0, nullptr},
        // The list takes the page's width, so that a 12-character callsign
        // shows whole beside the period and the state; its buttons go under it.
        {List, ID_lvSkeds, SkedsPage, L"", 4, 4, 468, 154, &win.lvSkeds.hwnd},
        {Push, ID_bSkedAdd, SkedsPage, L"Add...", 4, 162, 62, 25, nullptr},
        {Push, ID_bSkedEdit, SkedsPage, L"Edit...", 70, 162, 62, 25, nullptr},
        {Push, ID_bSkedDelete, SkedsPage, L"Delete", 136, 162, 62, 25, nullptr},
        {Push, ID_bSkedReport, SkedsPage, L"Report", 202, 162, 62, 25, nullptr},
        {Check, ID_cbFollow, SkedsPage, L"Follow the skeds", 276, 166, 110, 17, &win.cbFollow.hwnd},
        {Label, ID_lSkedNote, SkedsPage, L"", 6, 191, 466, 28, &win.lSkedNote.hwnd},
    };
    for (const ControlRow& row : rows)
        CreateControl(win, row);
    SizeSkedColumns(win);
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
    form.cbUdp = &win.cbUdp;
    form.eUdpServer = &win.eUdpServer;
    form.eUdpPort = &win.eUdpPort;
    form.run.loggers.SetPort(&win.udp);
    form.eRig = &win.eRig;
    form.rigPort = &win.rig;
    form.lvSkeds = &win.lvSkeds;
    form.cbFollow = &win.cbFollow;
    form.lSkedNote = &win.lSkedNote;
}

// The pages are children of the tab control, over its display area.
void CreatePages(MainWindow& win)
{
    RECT client;
    GetClientRect(win.hwnd, &client);
    win.pageControl = CreateChild(win.hwnd, WC_TABCONTROLW, L"", WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                  WS_EX_CONTROLPARENT, client, ID_PageControl1, win.pageFonts[OptionsPage]);
    const wchar_t* captions[PageCount] = {L"Run", L"Options", L"Skeds"};
    for (int i = 0; i < PageCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions[i]);
        SendMessageW(win.pageControl, TCM_INSERTITEMW, i, LPARAM(&item));
    }
    RECT display = client;
    SendMessageW(win.pageControl, TCM_ADJUSTRECT, FALSE, LPARAM(&display));
    const int ids[PageCount] = {ID_tsRun, ID_tsOptions, ID_tsSkeds};
    for (int i = 0; i < PageCount; ++i)
        win.pages[i] = CreateChild(win.pageControl, PageClass, captions[i], WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                                   display, ids[i], win.pageFonts[i]);
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
    win.pageFonts[SkedsPage] = MakeFont(win, 11);

    // The client area is fixed (483 x 245 at 96 dpi, and the status bar's
    // height below): tall enough for nine skeds in view, a night's worth,
    // and wide enough for their seven columns with a 12-character callsign
    // whole; the frame around it is whatever the system draws.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame{0, 0, Scale(win, 483), Scale(win, 245)};
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
