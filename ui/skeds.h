// The Skeds page's decisions: where the schedule file is, what a row and its
// State column show, the entry dialog's checks, the edits a rewrite keeps
// comments around, and the texts that tell the operator what is wrong with
// the file. Pure functions; the page itself is ui/skeds_page.cpp.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/schedule.h"

constexpr const char* SkedsKey = "Skeds";              // the file's path, when not the default
constexpr const char* FollowSkedsKey = "FollowSkeds";  // 0 or 1

// The Skeds page's columns, in their order.
enum SkedColumn { ColDate, ColFrom, ColTo, ColStation, ColPeriod, ColMhz, ColState, SkedColumnCount };
using SkedRow = std::array<std::string, SkedColumnCount>;

// The schedule file: the Skeds key's path when it names one, else
// skeds.txt in the folder of tavrix.ini.
std::string SkedsFilePath(const std::string& settingsFolder, const std::string& keyValue);

// The row of an entry, its State left empty.
SkedRow SkedRowOf(const SkedEntry& entry);

// For each entry of the file, the entry of the run's schedule it stands for
// (each run entry taken once, in order), or -1 when the run has no such
// entry: one added or changed since START.
std::vector<int> MatchRunEntries(const std::vector<SkedEntry>& file, const std::vector<SkedEntry>& run);
// The State of a file entry the run does not follow.
constexpr const char* NotInRunText = "next START";

// What the entry dialog holds, as typed.
struct SkedFields {
    bool everyDay = false;
    std::string date, from, to, station;
    TxPeriod period = TxPeriod::AsWsjt;
    std::string frequency{};  // MHz; empty leaves the radio where it is
};
// The Period column's and the dialog's words for a period, in the order of
// the dialog's choices.
constexpr const char* PeriodChoices[] = {"as WSJT has it", "1st", "2nd"};
const char* PeriodColumnText(TxPeriod period);
SkedFields FieldsOf(const SkedEntry& entry);
// A new entry's fields: today's UTC date, the next whole hour to the one after.
SkedFields NewSkedFields(const UtcTime& now);
// The entry the fields make, or false with what is wrong, for the operator.
bool EntryOfFields(const SkedFields& fields, SkedEntry& entry, std::string& what);

// Edits by row, the page's rows being the file's entry lines in order;
// every other line stays where it stood. False when there is no such row.
void AddSked(std::vector<SkedLine>& lines, const SkedEntry& entry);
bool ReplaceSked(std::vector<SkedLine>& lines, std::size_t row, const SkedEntry& entry);
bool DeleteSked(std::vector<SkedLine>& lines, std::size_t row);

// The bytes that replace a file whose bytes were `before`: the lines as
// FormatSchedule writes them, after the UTF-8 byte order mark the file began
// with, if it did (editors that wrote it read the file by it).
std::string RewrittenSkeds(const std::string& before, const std::vector<SkedLine>& lines);

// "C:\tavrix\skeds.txt, line 3: <what>", or without the line when the
// problem is not one line's.
std::string ScheduleProblemText(const std::string& path, const ScheduleProblem& problem);
// A file START or the page could not read.
std::string SkedsUnreadableText(const std::string& path, bool exists);
