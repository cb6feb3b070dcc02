// The main window TfmTavrix as a real Win32 window: its controls, their
// places and fonts, and the message plumbing into TfmTavrix's handlers.
#pragma once

class Win32Platform;
class WindowSystem;
struct HINSTANCE__;

// Control identifiers; the Wine tests find the controls by them.
enum ControlId : int {
    ID_PageControl1 = 100,
    ID_tsRun,
    ID_tsOptions,
    // Run page, in tab order
    ID_rbSKED = 110,
    ID_eTRCS,
    ID_rbCQ,
    ID_bRun,
    ID_cbDelay,
    ID_dtpDelay,
    ID_cbAutoCS,
    ID_cbStop,
    ID_dtpStop,
    // Options page, in tab order
    ID_feDecoded = 130,
    ID_feCSList,
    ID_feLog,
    ID_eCS,
    ID_eTLimit,
    ID_cbCLDec,
    ID_feDecodedBrowse = 140,
    ID_feCSListBrowse,
    ID_feLogBrowse,
    ID_Label1 = 150,
    ID_Label2,
    ID_Label3,
    ID_Label4,
    ID_Label5,
    ID_StatusBar = 160,
};

// Creates the window and its controls, runs FormCreate, then shows the
// window. False when the window could not be created.
bool CreateMainWindow(HINSTANCE__* instance, Win32Platform& platform, WindowSystem& windows, int showCommand);

// Runs the message loop until the main window has been destroyed; returns
// the process exit code.
int RunMessageLoop();
