// The schedule file read and written, START's checks, and what a run that
// follows it does at each second.
#include <gtest/gtest.h>

#include "engine/schedule.h"

namespace {

std::string Utf16(std::string_view text, bool bigEndian)
{
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : text)
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

const std::string Night = "# night\r\n\r\n2026-12-13 22:00 23:00 Q9XYZ\n *\t4:00   05:00 cq ";
const char* const NightWritten = "# night\r\n\r\n2026-12-13 22:00 23:00 Q9XYZ\r\n* 04:00 05:00 CQ\r\n";
const std::string LongCall = "* 12:00 13:00 " + std::string(100000, 'Q');

const struct {
    std::string bytes;
    const char* written;  // nullptr: refused on `line` with `why` in the message
    int line;
    const char* why;
} Files[] = {
    {Night, NightWritten, 0, ""},
    {"\xEF\xBB\xBF" + Night + "\xC3\xA9", nullptr, 4, "after the station comes \"\xC3\xA9\""},
    {Utf16(Night, false), NightWritten, 0, ""},
    {Utf16(Night, true), NightWritten, 0, ""},
    {"2026-12-13 23:30 00:30 q9/xyz/p\r\n2028-02-29 00:00 23:59 ABCDEFGHIJ12",
     "2026-12-13 23:30 00:30 Q9/XYZ/P\r\n2028-02-29 00:00 23:59 ABCDEFGHIJ12\r\n", 0, ""},
    {"#" + std::string(100000, 'x'), nullptr, -1, ""},  // kept as it is
    {"# ok\n2026-12-13 24:00 01:00 Q9XYZ", nullptr, 2, "\"24:00\" is no time of day"},
    {"2026-12-13 12:00 12:60 Q9XYZ", nullptr, 1, "end time \"12:60\""},
    {"2026-12-13 12:00 12:00 Q9XYZ", nullptr, 1, "same as the start"},
    {"2026-02-30 12:00 13:00 Q9XYZ", nullptr, 1, "February 2026 has 28 days"},
    {"13.12.2026 12:00 13:00 Q9XYZ", nullptr, 1, "not YYYY-MM-DD"},
    {"* 1200 13:00 Q9XYZ", nullptr, 1, "not HH:MM"},
    {"* 12:00 13:00 Q9-XYZ", nullptr, 1, "character no callsign has"},
    {"* 12:00 13:00 ABCDEFGHIJ123", nullptr, 1, "13 characters"},
    {LongCall, nullptr, 1, "\"QQQQQQQQQQQQQQQQQQQQ...\" has 100000 characters"},
    {"* 12:00 13:00", nullptr, 1, "not an entry"},
    {"* 12:00 13:00 Q9XYZ # Bob", nullptr, 1, "after the station comes \"#\""},
    // The period: 1st or 2nd in any case, blanks after it, one at most.
    {"* 12:00 13:00 Q9XYZ 1ST\t \n2026-12-13 22:00 23:00 q9xyz 2nd  \n* 04:00 05:00 CQ 2Nd",
     "* 12:00 13:00 Q9XYZ 1st\r\n2026-12-13 22:00 23:00 Q9XYZ 2nd\r\n* 04:00 05:00 CQ 2nd\r\n", 0, ""},
    {"* 12:00 13:00 Q9XYZ first", nullptr, 1, "period, 1st or 2nd"},
    {"* 12:00 13:00 Q9XYZ 3rd", nullptr, 1, "after the station comes \"3rd\""},
    {"* 12:00 13:00 Q9XYZ 1", nullptr, 1, "\"1\" MHz is outside 1.8 to 1300"},
    {"* 12:00 13:00 Q9XYZ 1st 2nd", nullptr, 1, "after the period comes \"2nd\""},
    // The frequency in MHz, beside the period in either order, written back
    // as the shortest exact text.
    {"* 12:00 13:00 Q9XYZ 1st 144.366\n* 13:00 14:00 Q9XYZ 0050.31300 2ND\n* 14:00 15:00 CQ 1.8\n"
     "* 15:00 16:00 CQ 1300.000000\n* 16:00 17:00 CQ 144.000001",
     "* 12:00 13:00 Q9XYZ 1st 144.366\r\n* 13:00 14:00 Q9XYZ 2nd 50.313\r\n* 14:00 15:00 CQ 1.8\r\n"
     "* 15:00 16:00 CQ 1300\r\n* 16:00 17:00 CQ 144.000001\r\n", 0, ""},
    {"* 12:00 13:00 Q9XYZ 1.799999", nullptr, 1, "outside 1.8 to 1300 MHz"},
    {"* 12:00 13:00 Q9XYZ 1300.000001", nullptr, 1, "outside 1.8 to 1300 MHz"},
    {"* 12:00 13:00 Q9XYZ 99999999999999999999", nullptr, 1, "outside 1.8 to 1300 MHz"},
    {"* 12:00 13:00 Q9XYZ 144.3660001", nullptr, 1, "more than 6 decimals"},
    {"* 12:00 13:00 Q9XYZ 144,366", nullptr, 1, "with a point"},
    {"* 12:00 13:00 Q9XYZ 144.", nullptr, 1, "not a number of MHz"},
    {"* 12:00 13:00 Q9XYZ 1.4.4", nullptr, 1, "not a number of MHz"},
    {"* 12:00 13:00 Q9XYZ 144.366 1st 50.2", nullptr, 1, "after the period and the frequency comes \"50.2\""},
    {"* 12:00 13:00 Q9XYZ 144.366 50.2", nullptr, 1, "after the frequency comes \"50.2\": an entry has one"},
    {"* 12:00 13:00 Q9XYZ 144.366 MHz", nullptr, 1, "after the frequency comes \"MHz\""},
    {std::string("\xFF\xFE#\0\n\0\x16\x04", 8), nullptr, 2, "UTF-16"},
    {std::string("\xFF\xFE#\0\n", 5), nullptr, 0, "half a character"},
    {std::string(10 << 20, '#'), nullptr, 0, "10240 KB"},
    {std::string(MaxSkedLines + 1, '\n'), nullptr, int(MaxSkedLines) + 1, "more than"},
};

TEST(Schedule, FilesGoodAndBad)
{
    for (const auto& c : Files) {
        std::vector<SkedLine> lines;
        ScheduleProblem problem;
        const bool read = ParseSchedule(c.bytes, lines, problem);
        ASSERT_EQ(read, c.written || c.line < 0) << c.bytes.substr(0, 60) << ": " << problem.what;
        if (c.written) {
            EXPECT_EQ(FormatSchedule(lines), c.written);
        } else if (c.line < 0) {
            EXPECT_EQ(FormatSchedule(lines), c.bytes + "\r\n");
        } else {
            EXPECT_EQ(problem.line, c.line);
            EXPECT_NE(problem.what.find(c.why), std::string::npos) << problem.what;
            EXPECT_LT(problem.what.size(), 200u);
        }
    }
}

std::vector<SkedLine> Lines(std::initializer_list<const char*> texts)
{
    std::vector<SkedLine> lines;
    std::string what;
    for (const char* text : texts) {
        lines.push_back({text, true, {}});
        EXPECT_TRUE(ParseSkedEntry(text, lines.back().sked, what)) << text << ": " << what;
    }
    return lines;
}

std::int64_t At(int day, int hour, int minute, int second = 0)
{
    UtcTime t;
    t.year = 2026, t.month = 12, t.day = day, t.hour = hour, t.minute = minute, t.second = second;
    return UtcSeconds(t);
}

TEST(Schedule, StartChecks)
{
    const struct {
        std::vector<SkedLine> lines;
        int line;  // -1: accepted
        const char* why;
    } cases[] = {
        {Lines({"2026-12-13 22:00 23:00 Q9XYZ", "2026-12-13 23:00 00:00 Q7PQR"}), -1, ""},
        {Lines({"2026-12-13 22:00 23:00 Q9XYZ", "2026-12-13 22:59 23:30 Q7PQR"}), 2, "line 1"},
        {Lines({"2026-12-13 23:30 00:30 Q9XYZ", "2026-12-14 00:15 01:00 Q7PQR"}), 2, "overlaps"},
        {Lines({"* 23:30 00:30 CQ", "2026-12-20 00:00 00:10 Q7PQR"}), 2, "overlaps"},
        {Lines({"* 23:30 00:30 CQ", "* 00:20 01:00 Q7PQR"}), 2, "overlaps"},
        {Lines({"* 23:30 00:30 CQ", "* 00:30 23:30 Q7PQR"}), -1, ""},
        {Lines({"2026-12-07 22:00 23:00 Q9XYZ"}), 0, "past"},
        {{}, 0, "no entries"},
    };
    for (const auto& c : cases) {
        ScheduleProblem problem;
        EXPECT_EQ(CheckSchedule(c.lines, At(8, 12, 0), problem), c.line < 0) << problem.what;
        if (c.line >= 0) {
            EXPECT_EQ(problem.line, c.line);
            EXPECT_NE(problem.what.find(c.why), std::string::npos) << problem.what;
        }
    }
}

TEST(Schedule, EntryTimes)
{
    const auto entries = EntriesOf(Lines({"2026-12-08 10:00 11:00 Q9XYZ", "* 23:30 00:30 CQ",
                                          "2026-12-09 12:00 13:00 Q7PQR", "2026-12-08 13:00 14:00 Q5AAA"}));
    using T = SkedTime;
    const struct {
        std::int64_t now;
        T times[4];
    } cases[] = {
        {At(8, 12, 0), {T::Past, T::Later, T::Later, T::Next}},
        {At(8, 13, 0), {T::Past, T::Next, T::Later, T::Now}},
        {At(9, 0, 10), {T::Past, T::Now, T::Next, T::Past}},
        {At(9, 13, 0), {T::Past, T::Next, T::Past, T::Past}},  // the skeds are over, the slot comes daily
    };
    for (const auto& c : cases)
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(EntryTime(entries, i, c.now), c.times[i]) << i;
}

TEST(Schedule, WhatTheRunDoesEachSecond)
{
    // Back to back across midnight, a CQ slot every day, a last dated sked.
    const auto entries = EntriesOf(Lines({"2026-12-13 23:00 00:00 Q9XYZ", "2026-12-14 00:00 01:00 Q7PQR",
                                          "* 02:00 03:00 CQ", "2026-12-14 04:00 04:30 Q5AAA"}));
    using A = SkedAction;
    const struct {
        std::int64_t now;
        SkedRunning running;
        SkedAction action;
    } cases[] = {
        {At(13, 22, 59, 59), {}, {A::Nothing}},
        {At(13, 23, 0), {}, {A::Start, -1, 0}},
        {At(13, 23, 40), {}, {A::Start, -1, 0}},  // already running at START
        {At(13, 23, 59, 59), {0, At(13, 23, 0), At(13, 23, 0)}, {A::Nothing}},
        {At(14, 0, 0), {0, At(13, 23, 0), At(13, 23, 0)}, {A::EndAndStart, 0, 1}},
        {At(14, 1, 0), {1, At(14, 0, 0), At(14, 0, 0)}, {A::End, 1}},
        // WSJT missing, or the frequency not set, at the start: again each minute.
        {At(14, 0, 30, 15), {1, At(14, 0, 0), At(14, 0, 0), true}, {A::Nothing}},
        {At(14, 0, 31), {1, At(14, 0, 0), At(14, 0, 0), true}, {A::LookAgain}},
        {At(14, 0, 32), {1, At(14, 0, 0), At(14, 0, 0), false, true}, {A::LookAgain}},
        {At(14, 0, 31), {1, At(14, 0, 0), At(14, 0, 30), false}, {A::Nothing}},
        {At(14, 2, 0), {}, {A::Start, -1, 2}},
        // The dated skeds are over; the slot that comes every day goes on.
        {At(14, 4, 30), {3, At(14, 4, 0), At(14, 4, 0)}, {A::End, 3}},
        {At(15, 2, 0), {}, {A::Start, -1, 2}},
    };
    for (const auto& c : cases) {
        const SkedAction got = NextSkedAction(entries, c.now, c.running);
        EXPECT_EQ(got, c.action) << c.now % 86400 << ": " << got.kind << " " << got.end << " " << got.start;
    }
    // Dated entries alone end with the last of them.
    const auto dated = std::vector<SkedEntry>{entries[0], entries[1], entries[3]};
    EXPECT_EQ(NextSkedAction(dated, At(14, 4, 30), {2, At(14, 4, 0), At(14, 4, 0)}), (SkedAction{A::Done, 2}));
    EXPECT_EQ(NextSkedAction(dated, At(15, 2, 0), {}), (SkedAction{A::Done}));
}

}  // namespace
