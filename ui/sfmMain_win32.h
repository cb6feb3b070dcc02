// The main window TfmTavrix as a real Win32 window: its controls, their
// places and fonts, and the message plumbing into TfmTavrix's handlers.
// Every control id of the program is here; the resource script reads the
// entry dialog's.
#pragma once

// The Skeds page's entry dialog (ui/tavrix.rc, ui/sked_dialog_win32.cpp).
#define IDD_SKED 200
#define IDC_SKED_DATE 201
#define IDC_SKED_EVERYDAY 202
#define IDC_SKED_FROM 203
#define IDC_SKED_TO 204
#define IDC_SKED_STATION 205
#define IDC_SKED_PROBLEM 206  // what is wrong with the typed entry
#define IDC_SKED_PERIOD 207   // the transmit period: as WSJT has it, 1st, 2nd
#define IDC_SKED_FREQUENCY 208  // the radio's frequency in MHz, or empty

#ifndef RC_INVOKED
class Win32Platform;
class WindowSystem;
struct HINSTANCE__;

// Control identifiers; the Wine tests find the controls by them.
enum ControlId : int {
    ID_PageControl1 = 100,
    ID_tsRun,
    ID_tsOptions,
    ID_tsSkeds,
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
    ID_cbUdp,
    ID_eUdpServer,
    ID_eUdpPort,
    ID_feDecodedBrowse = 140,
    ID_feCSListBrowse,
    ID_feLogBrowse,
    ID_Label1 = 150,
    ID_Label2,
    ID_Label3,
    ID_Label4,
    ID_Label5,
    ID_Label6,
    ID_Label7,
    ID_Label8,
    ID_StatusBar = 160,
    // Skeds page, in tab order; the list's columns are Date, From, To,
    // Station, Period, MHz and State (ui/skeds.h)
    ID_lvSkeds = 170,
    ID_bSkedAdd,
    ID_bSkedEdit,
    ID_bSkedDelete,
    ID_bSkedReport,  // opens the night's page
    ID_cbFollow,
    ID_lSkedNote,  // a text under the list: where the file is, or what is wrong with it
    // Options page, the radio's rigctld, after the loggers' controls
    ID_eRig = 190,
    ID_bRigTest,
};

// Creates the window and its controls, runs FormCreate, then shows the
// window. False when the window could not be created.
bool CreateMainWindow(HINSTANCE__* instance, Win32Platform& platform, WindowSystem& windows, int showCommand);

// Runs the message loop until the main window has been destroyed; returns
// the process exit code.
int RunMessageLoop();
#endif
