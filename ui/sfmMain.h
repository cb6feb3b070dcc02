// The main window TfmTavrix: its controls, the QSO state and the handlers
// that hold the program's logic. The control pointers are filled by whoever
// builds the window (the Win32 window in ui/sfmMain_win32.cpp, or the model
// window of the tests) before FormCreate runs.
//
// The methods live beside the subsystem they belong to:
//   ui/sfmMain.cpp       FormCreate and the click handlers
//   ui/run_control.cpp   bRunClick, StopRun, FormCloseQuery
//   engine/scanner.cpp   ScanDecoded
//   engine/run_clock.cpp OnTimer
//   peer/actions.cpp     SetState
#pragma once
#include <cstdint>
#include <string>

#include "ui/controls.h"

class Platform;

constexpr const char* AppCaption = "Tavrix v0.13.3.1";
constexpr const char* AppTitle = "Tavrix";
constexpr const char* SettingsFileName = "tavrix.ini";
constexpr const char* SettingsSection = "Options";

// Design values of the controls that are not plain empty or unticked.
constexpr const char* DesignDecoded = "c:\\program files\\wsjt\\decoded.cum";
constexpr const char* DesignCSList = "c:\\program files\\wsjt\\call3a.txt";
constexpr const char* DesignLog = "c:\\program files\\wsjt\\tavrixlog.txt";
constexpr double DesignTLimit = 30;
constexpr int DesignDelayHour = 12, DesignDelayMinute = 0;
constexpr int DesignStopHour = 17, DesignStopMinute = 0;

class TfmTavrix {
public:
    explicit TfmTavrix(Platform& platform) : platform(platform) {}

    // Run page
    TCheck* rbSKED = nullptr;
    TEdit* eTRCS = nullptr;
    TCheck* rbCQ = nullptr;
    TCheck* cbAutoCS = nullptr;
    TButton* bRun = nullptr;
    TCheck* cbDelay = nullptr;
    TTimePicker* dtpDelay = nullptr;
    TCheck* cbStop = nullptr;
    TTimePicker* dtpStop = nullptr;
    // Options page
    TEdit* feDecoded = nullptr;
    TEdit* feCSList = nullptr;
    TEdit* feLog = nullptr;
    TEdit* eCS = nullptr;
    TNumberEdit* eTLimit = nullptr;
    TCheck* cbCLDec = nullptr;

    // QSO state: -1 idle, 0 calling, 1..4 the steps of the contact.
    std::int32_t FState = -1;
    // Set while the scanner's load-failure box is open, so the scans the
    // clock runs inside it don't stack boxes on top of it.
    bool FLoadBoxOpen = false;

    void FormCreate();
    void rbSKedClick();  // shared by rbSKED and rbCQ; runs when one becomes selected
    void cbDelayClick();
    void cbStopClick();

    void bRunClick();
    void StopRun(bool force);
    void FormCloseQuery(bool& CanClose);

    void OnTimer();
    // The status bar's text after this tick, as engine/status.h writes it.
    const std::string& StatusLine();
    void ScanDecoded();
    void SetState(std::int32_t state);

    // The settings file beside the executable.
    std::string SettingsPath() const;
    // Writes the six stored settings, key by key; the first key that can't
    // be written is reported and ends the writing.
    void SaveSettings();
    // Creates the activity log if missing and opens it at its end, shared
    // for reading and writing; sets LogHandle and LogOpen. False on failure.
    bool OpenActivityLog();

    Platform& platform;
};

// The one main window; CallStation reaches FState and eTLimit through it.
extern TfmTavrix* fmTavrix;

// A file-name box's file name: its text without one enclosing pair of
// double quotes.
std::string FileName(const std::string& text);

// The text a file-name box takes from its file-open dialog: a name with a
// blank that does not already begin with a double quote goes in enclosed in
// double quotes (START strips them again).
std::string ChosenFileText(const std::string& name);
