// The run state: the program-level variables that the window, the scanner,
// the run clock and the peer routines share while a contact is worked. The
// QSO state itself is the field TfmTavrix::FState. Everything runs on the
// one user-interface thread; there are no locks.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ports/platform.h"
#include "engine/decoded_reading.h"
#include "engine/text_lines.h"
#include "ports/window_system.h"

// Slots of PeerControls.
enum PeerSlot {
    pcMain,      // WSJT's top-level window
    pcToRadio,   // the to-radio box, found by its text "12345"
    pcGenStd,    // "&Gen Std Msgs"
    pcAuto,      // "&Auto is OFF" / "&Auto is ON"
    pcLookup,    // "&Lookup"
    pcTx2,
    pcTx3,
    pcTx4,
    pcTx5,
    pcTx6,
    pcCount
};

extern std::array<PeerHandle, pcCount> PeerControls;
// Exists only while FindWSJT runs.
extern std::unique_ptr<std::vector<PeerHandle>> WinList;
// Absent until the first CQ START whose list file exists.
extern std::optional<std::vector<std::string>> CallList;
// Created empty at window creation.
extern std::unique_ptr<DecodedReading> DecodedLines;
// 0,1 own callsign first/last 3; 2,3 partner's; 4..7 " 27" "R27" "RRR" "73".
extern std::array<std::string, 8> LogTokens;
// 0 partner's callsign; 1..4 "27" "R27" "RRR" "73".
extern std::array<std::string, 5> Progression;
extern std::string PartnerCall;
extern std::int32_t TickCount;  // ticks spent in states 1..4 since the last reset
extern std::int32_t TickLimit;  // seconds; the run falls back to calling at it
extern FileHandle LogHandle;
extern bool LogOpen;

// Puts every variable back to its value at program start. The program never
// needs it; tests do, since each one starts a fresh program.
void ResetRunState();

// Minutes rounded to the nearest whole number, a half going to the even
// one; NaN gives 0 and values beyond 32 bits are clamped.
std::int32_t RoundMinutes(double minutes);
// RoundMinutes(minutes) * 60, clamped to the signed 32-bit range.
std::int32_t MinutesToSeconds(double minutes);
