// Program entry: the common controls, the platform services, the main
// window and its message loop.
#include <windows.h>
#include <commctrl.h>

#include "ports/platform_win32.h"
#include "ports/window_system_win32.h"
#include "ui/sfmMain_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    static Win32Platform platform;
    static Win32WindowSystem windows;
    if (!CreateMainWindow(instance, platform, windows, showCommand))
        return 1;
    return RunMessageLoop();
}
