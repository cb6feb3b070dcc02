// The main window's Win32 state, shared by the file that builds it
// (ui/sfmMain_win32.cpp) and the one that handles its messages
// (ui/window_messages_win32.cpp).
#pragma once
#include <windows.h>

#include "ports/platform_win32.h"
#include "ports/tcp_win32.h"
#include "ports/udp_win32.h"
#include "ui/controls_win32.h"
#include "ui/sfmMain.h"
#include "ui/status_bar_win32.h"

enum Page { RunPage, OptionsPage, SkedsPage, PageCount };

struct MainWindow {
    MainWindow(Win32Platform& platform, WindowSystem& windows) : form(platform, windows) {}
    HWND hwnd = nullptr;
    HWND pageControl = nullptr;
    HWND pages[PageCount] = {};
    HFONT pageFonts[PageCount] = {};
    HWND lastFocus = nullptr;  // restored when the window is activated again
    StatusBar statusBar;
    int dpi = 96;

    CheckBox rbSKED, rbCQ, cbAutoCS, cbDelay, cbStop, cbCLDec, cbFollow, cbUdp;
    EditBox eTRCS, eCS, lSkedNote, eUdpServer, eUdpPort, eRig;
    ListView lvSkeds;
    FileNameBox feDecoded, feCSList, feLog;
    PushButton bRun;
    TimePicker dtpDelay, dtpStop;
    NumberBox eTLimit;
    Win32Udp udp;  // the loggers' socket, before the form that sends through it
    Win32Tcp rig;  // the connection to the radio's rigctld, likewise
    TfmTavrix form;
};

// The one main window, for its window procedure and the message loop.
extern MainWindow* mainWindow;

// Shows a page of the tab control and hides the other.
void SelectPage(MainWindow& win, int page);
LRESULT CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
