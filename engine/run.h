// A run: the state the window, the scanner, the run clock and the actions
// on WSJT share while contacts are worked, and what moves it. The window
// owns one Run for the program's life; a test builds a fresh one. Everything
// runs on the one user-interface thread; there are no locks.
//
//   engine/run.cpp        the call and release sequences, SetState, the log
//   engine/scanner.cpp    ScanDecoded
//   engine/run_clock.cpp  OnTimer
//   engine/run_loggers.cpp   the loggers' feed
// Following a schedule of skeds is the SkedFollower's (engine/sked_follower.h).
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/contacts_file.h"
#include "engine/decoded_reading.h"
#include "engine/logger_feed.h"
#include "engine/schedule.h"
#include "engine/second_clock.h"
#include "engine/sked_radio.h"
#include "engine/sked_follower.h"
#include "engine/status.h"
#include "engine/text_lines.h"
#include "peer/peer.h"
#include "ports/platform.h"
#include "ports/run_choices.h"

class Run {
public:
    Run(Platform& platform, WindowSystem& windows, const RunChoices& choices);
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // QSO state: -1 idle, 0 calling, 1..4 the steps of the contact.
    std::int32_t FState = -1;
    PeerControlSet PeerControls{};
    // Exists only while FindWSJT runs.
    WindowList WinList;
    // Absent until the first CQ START whose list file exists.
    std::optional<std::vector<std::string>> CallList;
    // What the scan keeps between scans: its read buffer and the last count.
    DecodedReading DecodedLines;
    // 0,1 own callsign first/last 3; 2,3 partner's; 4..7 " 27" "R27" "RRR" "73".
    std::array<std::string, 8> LogTokens;
    // 0 partner's callsign; 1..4 "27" "R27" "RRR" "73".
    std::array<std::string, 5> Progression;
    std::string PartnerCall;
    std::int32_t TickCount = 0;  // seconds spent in states 1..4 since the last reset
    std::int32_t TickLimit = 0;  // seconds; the run falls back to calling at it
    FileHandle LogHandle = NoFile;
    bool LogOpen = false;
    // Set while the scanner's load-failure box is open, so the scans the
    // clock runs inside it don't stack boxes on top of it.
    bool FLoadBoxOpen = false;

    // The contact being worked, for its record in the contacts file.
    std::string caller;     // the CQ caller last entered into WSJT
    UtcTime firstHeard;     // the stamp of the decode the partner was first heard in
    ContactsSettings contacts;  // read at START
    // DecodeStamps=Local, read at START: WSJT stamps its decodes in local
    // time rather than UTC.
    bool localStamps = false;

    // What the status bar tells, recorded as the run goes.
    unsigned troubles = NoTrouble;  // Trouble met and not yet cleared
    bool calledSinceStart = false;  // armed at -1 after a call: parked
    std::int32_t contactsCompleted = 0;  // since START
    std::string lastContactCall;
    int lastContactHour = 0, lastContactMinute = 0;

    // Looks for WSJT's window and controls; true when a run can work them.
    bool FindWSJT();
    // A press of, or a text for, one of WSJT's controls. A window found gone
    // is trouble until WSJT is found again.
    void Press(PeerSlot slot);
    void Enter(PeerSlot slot, const std::string& text);
    // START passed its checks: the records of the run start afresh.
    void Arm();
    // The partner of the calls to come (empty for CQ) and the own callsign:
    // the markers the walk and the activity log look for.
    void SetPartner(const std::string& call);
    void SetOwnCall(const std::string& call);
    // What a call enters into WSJT: the sked partner, or "CQ".
    std::string CallText() const;
    // What the run works now: the current entry's CQ or station while a
    // schedule is followed, else the Run page's mode and partner box.
    bool CqMode() const;
    std::string PartnerText() const;
    // Enters a callsign or "CQ" into WSJT and starts its calling; the state
    // becomes 0 and the step time-out starts afresh.
    void CallStation(const std::string& callText);
    // Hands WSJT back to the operator: Auto off, "12345" in the to-radio box.
    void ReleaseWSJT();
    // Presses the Tx button of a new state (or calls again for 0). Leaving
    // calling, the contact is first heard at `heard`, the stamp of its
    // decode, or now when there is none.
    void SetState(std::int32_t state, std::optional<UtcTime> heard = std::nullopt);

    // Creates the activity log if missing and opens it at its end, shared
    // for reading and writing. False on failure.
    bool OpenActivityLog();
    // Ends what a run holds: the radio goes home, the log is closed and,
    // when a call was placed, WSJT is released and the state goes back to -1.
    void Stop();
    // Appends the contact that just reached its 73 step to the contacts file,
    // unless its station was worked already (see RepeatContact).
    void RecordContact();
    // The stations recorded since START, or since the current sked entry's
    // start while a schedule is followed.
    std::vector<std::string> workedStations;
    // One line of the run's own in the activity log, between the decodes,
    // stamped in UTC like the contacts: "2026-12-08 03:00:05 UTC <text>".
    void LogNote(const std::string& text);
    // The operator's loggers, told of each contact recorded. Open from the
    // first START on, whatever the run does after, until the program ends.
    LoggerFeed loggers;
    // START: the feed follows the Options page's settings from now on.
    void StartLoggers(const LoggerSettings& settings);
    // Where the run stands, for the status bar; `out`'s buffer is reused.
    void StatusLine(std::string& out);

    void ScanDecoded();
    // The time now on the clock WSJT stamps its decodes with: UTC, or local
    // time with localStamps.
    LocalTime StampClockNow();
    // One tick of the one-second timer: the actions of every second of
    // local time it stands for. True when the stop time has come, or the
    // schedule's last dated entry has ended: the window then ends the run.
    bool OnTimer();

    Platform& platform;
    WindowSystem& windows;
    SecondClock secondClock;  // which seconds the timer's ticks stand for
    const RunChoices& choices;

    // The schedule of skeds, when START follows one (after Arm): the
    // delayed start and the stop time are not used then.
    SkedFollower skeds{*this};
    // The radio, set to each entry's frequency while the skeds are
    // followed; back home when the run ends, whichever way.
    SkedRadio radio;

private:
    bool tickBeforeMidnight = false;  // the tick being handled came before 00:00
    // The actions of one second of local time, `utc` being the same second
    // on the UTC clock, in their order.
    bool OnSecond(const LocalTime& time, std::int64_t utc);
    // A fault of the feed not told yet goes into the activity log (the
    // status bar shows the one that stands).
    void TellLoggerFault(const std::string& fault);
};

// [Options] DecodeStamps of the settings file: `Local` in any case says
// WSJT stamps its decodes in local time; anything else, or none, UTC.
// Tavrix reads this key and never writes it.
bool ReadLocalStamps(Platform& platform, const std::string& iniPath);

// A file-name box's file name: its text without one enclosing pair of
// double quotes.
std::string FileName(const std::string& text);

// Minutes rounded to the nearest whole number, a half going to the even
// one; NaN gives 0 and values beyond 32 bits are clamped.
std::int32_t RoundMinutes(double minutes);
// RoundMinutes(minutes) * 60, clamped to the signed 32-bit range.
std::int32_t MinutesToSeconds(double minutes);
