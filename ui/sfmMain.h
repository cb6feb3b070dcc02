// The main window TfmTavrix: its controls, the settings file, START and
// STOP with their checks and messages, the idle and running looks and the
// close question. It owns the one run, which reads the operator's choices
// from the controls through the RunChoices view. The control pointers are
// filled by whoever builds the window (the Win32 window in
// ui/sfmMain_win32.cpp, or the model window of the tests) before FormCreate
// runs.
//
//   ui/sfmMain.cpp       FormCreate, the click handlers, the choices view
//   ui/run_control.cpp   bRunClick, StopRun, FormCloseQuery
//   ui/skeds_page.cpp    the Skeds page: the file, its edits, START's checks
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/rig.h"
#include "engine/run.h"
#include "engine/schedule.h"
#include "ui/controls.h"
#include "ui/skeds.h"

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

class TfmTavrix : public RunChoices {
public:
    TfmTavrix(Platform& platform, WindowSystem& windows) : run(platform, windows, *this), platform(platform) {}

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
    TCheck* cbUdp = nullptr;  // "Send contacts to loggers (UDP)"
    TEdit* eUdpServer = nullptr;
    TEdit* eUdpPort = nullptr;
    TEdit* eRig = nullptr;          // rigctld's host:port; empty: no radio
    TcpPort* rigPort = nullptr;     // the connection the radio's link goes through
    // Skeds page
    TListView* lvSkeds = nullptr;
    TCheck* cbFollow = nullptr;
    TEdit* lSkedNote = nullptr;  // a line of text under the list

    Run run;
    bool FStarting = false;      // START's handler is running
    bool FClosePending = false;  // a close came while it was
    std::string FStatusLine;     // the status bar's text, its buffer reused

    // The schedule file as the Skeds page last read it.
    std::string FSkedsPath;
    bool FSkedsExists = false;
    std::string FSkedBytes;          // to notice an edit made in another program since
    std::string FSkedsProblem;       // why it could not be read or is no schedule; empty when it is one
    std::vector<SkedLine> FSkedLines;
    std::vector<SkedEntry> FSkedEntries;
    bool FFollowing = false;         // the page shows a run that follows the skeds
    std::vector<int> FRunEntry;      // each row's entry in the run's schedule, or -1
    std::vector<std::string> FShownStates;  // the State column as shown
    std::string FShownNote;                 // the line under the list as shown

    void FormCreate();
    void rbSKedClick();  // shared by rbSKED and rbCQ; runs when one becomes selected
    void cbDelayClick();
    void cbStopClick();
    void cbUdpClick();
    // The Options page's Test: the radio's frequency, or why it can't be read.
    void bRigTestClick();
    // The window is going: the loggers are told.
    void FormDestroy();

    void bRunClick();
    void StopRun(bool force);
    void FormCloseQuery(bool& CanClose);
    // Windows is ending the session: an armed run ends as OK at the close
    // question would end it, without asking.
    void FormEndSession();
    // A close asked for while START is busy (inside one of its message
    // boxes) waits for START: true when it was put off.
    bool DeferClose();
    // True once, after START, when a close was put off during it.
    bool TakePendingClose();

    // The window's one-second timer: the run's tick, and the end of the
    // run when its stop time has come.
    void OnTimer();
    // The status bar's text after this tick, as engine/status.h writes it.
    const std::string& StatusLine();

    // The settings file beside the executable.
    std::string SettingsPath() const;
    // Writes the six stored settings, key by key; the first key that can't
    // be written is reported and ends the writing.
    void SaveSettings();
    // The loggers' settings (ui/loggers_settings.cpp): read into the
    // Options page at FormCreate, as the page shows them for START, the
    // UdpServer value written back (empty when sending is off), and the
    // page's boxes enabled as the run and the check box allow.
    void ReadLoggerSettings();
    LoggerSettings LoggerSettingsShown() const;
    std::string UdpServerToSave() const;
    void EnableLoggerControls(bool idle);
    // The Rig setting as the Options page shows it, trimmed.
    std::string RigAddressShown() const;
    // START's checks, the first call and the settings; bRunClick guards it.
    void Start();
    // START, following `skeds`: the radio reached and its home frequency
    // read, or no radio. False, told, when the skeds name frequencies and
    // rigctld can't be read; `note` is the activity log's line about it.
    bool StartRadio(const std::vector<SkedEntry>& skeds, std::string& note);

    // The Skeds page. LoadSkeds reads the file and shows it; ShowSkeds
    // shows what was read (after START and STOP too: which run it follows);
    // RefreshSkedStates, on each tick, rewrites only the State texts that
    // changed.
    void LoadSkeds();
    void ShowSkeds();
    void RefreshSkedStates();
    // The tip of a row: the figures of its entry's last occurrence in the
    // run (see EntryTip); "" for a row the run has not worked.
    std::string SkedTip(int row) const;
    // The line under the list: the selected row's figures, for a list view
    // that shows no tips (Wine's), or where the file is and what is wrong.
    // On each tick and when the selection changes.
    void ShowSkedNote();
    // The entry dialog's first values: for Add, and for Edit of the
    // selected row, whose number it returns (-1, fields untouched, when
    // none is selected).
    SkedFields SkedFieldsForAdd();
    int SkedFieldsForEdit(SkedFields& fields);
    // The edits: each rewrites the file (all or nothing) and shows it; a
    // file changed by another program since it was shown, one that is no
    // schedule, or a failed write is reported and nothing is changed.
    bool AddSkedEntry(const SkedEntry& entry);
    bool EditSkedEntry(int row, const SkedEntry& entry);
    bool DeleteSkedEntry();                      // the selected row, after asking
    // Report: the last night's page in the system's browser, or why not.
    void OpenNightReport();
    // START's check of the file when the skeds are followed; false after
    // telling the operator what is wrong.
    bool ReadSkedsForStart(std::vector<SkedEntry>& entries);

    // What the run reads of the operator's choices.
    bool Armed() const override;
    bool SkedMode() const override;
    bool CqMode() const override;
    std::string PartnerText() const override;
    std::string OwnCall() const override;
    bool AutodetectCall() const override;
    double TimeLimitMinutes() const override;
    bool ClearDecoded() const override;
    bool DelayTicked() const override;
    int DelayHour() const override;
    int DelayMinute() const override;
    bool StopTicked() const override;
    int StopHour() const override;
    int StopMinute() const override;
    std::string DecodedText() const override;
    std::string LogText() const override;

    Platform& platform;
};

// The text a file-name box takes from its file-open dialog: a name with a
// blank that does not already begin with a double quote goes in enclosed in
// double quotes (START strips them again).
std::string ChosenFileText(const std::string& name);
