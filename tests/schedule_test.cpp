// The schedule file read and written, START's checks, and what a run that
// follows it does at each second.
#include <gtest/gtest.h>

#include "engine/schedule.h"

namespace {

struct LineCase {
    std::string text;
    const char* formatted;  // nullptr: refused, with `why` in the message
    const char* why = "";
};

const LineCase LineCases[] = {
    {"2026-12-13 22:00 23:00 Q9XYZ", "2026-12-13 22:00 23:00 Q9XYZ"},
    {" *\t4:00   05:00 cq ", "* 04:00 05:00 CQ"},
    {"2026-12-13 23:30 00:30 q9/xyz/p", "2026-12-13 23:30 00:30 Q9/XYZ/P"},
    {"2028-02-29 00:00 23:59 ABCDEFGHIJ12", "2028-02-29 00:00 23:59 ABCDEFGHIJ12"},
    {"2026-12-13 24:00 01:00 Q9XYZ", nullptr, "\"24:00\" is no time of day"},
    {"2026-12-13 12:00 12:60 Q9XYZ", nullptr, "end time \"12:60\""},
    {"2026-12-13 12:00 12:00 Q9XYZ", nullptr, "same as the start"},
    {"2026-02-30 12:00 13:00 Q9XYZ", nullptr, "February 2026 has 28 days"},
    {"2026-13-01 12:00 13:00 Q9XYZ", nullptr, "does not exist"},
    {"13.12.2026 12:00 13:00 Q9XYZ", nullptr, "not YYYY-MM-DD"},
    {"* 1200 13:00 Q9XYZ", nullptr, "not HH:MM"},
    {"* 12:00 13:00 Q9-XYZ", nullptr, "character no callsign has"},
    {"* 12:00 13:00 ABCDEFGHIJ123", nullptr, "13 characters"},
    {"* 12:00 13:00", nullptr, "not an entry"},
    {"* 12:00 13:00 Q9XYZ # Bob", nullptr, "after the station"},
    {"* 12:00 13:00 Q9XYZ\xC3\xA9", nullptr, "character no callsign has"},
    {"* 12:00 13:00 " + std::string(100000, 'Q'), nullptr, "\"QQQQQQQQQQQQQQQQQQQQ...\" has 100000 characters"},
};

TEST(Schedule, LinesGoodAndBad)
{
    for (const LineCase& c : LineCases) {
        SkedEntry entry;
        std::string what;
        const bool parsed = ParseSkedEntry(c.text, entry, what);
        ASSERT_EQ(parsed, c.formatted != nullptr) << c.text.substr(0, 60) << ": " << what;
        if (parsed) {
            EXPECT_EQ(FormatSkedEntry(entry), c.formatted);
        } else {
            EXPECT_NE(what.find(c.why), std::string::npos) << what;
            EXPECT_LT(what.size(), 200u);
        }
    }
}

TEST(Schedule, FileEncodingsLineEndsAndSize)
{
    const std::string body = "# night of the 13th\r\n\r\n2026-12-13 22:00 23:00 Q9XYZ\n  * 04:00 05:00 CQ";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char c : body) {
        le += c, le += '\0';
        be += '\0', be += c;
    }
    for (const std::string& bytes : {body, "\xEF\xBB\xBF" + body, le, be}) {
        std::vector<SkedLine> lines;
        ScheduleProblem problem;
        ASSERT_TRUE(ParseSchedule(bytes, lines, problem)) << problem.what;
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0].text, "# night of the 13th");
        EXPECT_EQ(EntriesOf(lines).size(), 2u);
        EXPECT_EQ(FormatSchedule(lines),
                  "# night of the 13th\r\n\r\n2026-12-13 22:00 23:00 Q9XYZ\r\n* 04:00 05:00 CQ\r\n");
    }
    const struct {
        std::string bytes;
        int line;
        const char* why;
    } bad[] = {
        {std::string("\xFF\xFE#\0\n\0\x16\x04", 8), 2, "UTF-16"},
        {std::string("\xFF\xFE#\0\n", 5), 0, "half a character"},
        {"# ok\r\n* 25:00 01:00 CQ\r\n", 2, "25:00"},
        {std::string(10 << 20, '#'), 0, "10240 KB"},
        {std::string(MaxSkedLines + 1, '\n'), int(MaxSkedLines) + 1, "more than"},
    };
    for (const auto& c : bad) {
        std::vector<SkedLine> lines;
        ScheduleProblem problem;
        EXPECT_FALSE(ParseSchedule(c.bytes, lines, problem));
        EXPECT_EQ(problem.line, c.line);
        EXPECT_NE(problem.what.find(c.why), std::string::npos) << problem.what;
    }
    // A comment as long as a paragraph of a novel is kept as it is.
    std::vector<SkedLine> lines;
    ScheduleProblem problem;
    ASSERT_TRUE(ParseSchedule("#" + std::string(100000, 'x') + "\n", lines, problem));
    EXPECT_EQ(lines[0].text.size(), 100001u);
}

TEST(Schedule, UtcSecondsAndBack)
{
    for (std::int64_t s : {0LL, 951868799LL, 1798761599LL, 1798761600LL, 4102444800LL}) {
        EXPECT_EQ(UtcSeconds(UtcTimeOf(s)), s);
    }
    const UtcTime t = UtcTimeOf(1798761599);  // 2026-12-31 23:59:59
    EXPECT_EQ(t.year * 10000 + t.month * 100 + t.day, 20261231);
    EXPECT_EQ(t.hour * 3600 + t.minute * 60 + t.second, 86399);
}

SkedEntry E(const char* text)
{
    SkedEntry entry;
    std::string what;
    EXPECT_TRUE(ParseSkedEntry(text, entry, what)) << text << ": " << what;
    return entry;
}

std::vector<SkedLine> Lines(std::initializer_list<const char*> texts)
{
    std::vector<SkedLine> lines;
    for (const char* text : texts)
        lines.push_back({text, true, E(text)});
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
        {At(9, 13, 0), {T::Past, T::Past, T::Past, T::Past}},  // the night is over
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
        // WSJT missing at the start: looked for again each minute.
        {At(14, 0, 30, 15), {1, At(14, 0, 0), At(14, 0, 0), true}, {A::Nothing}},
        {At(14, 0, 31), {1, At(14, 0, 0), At(14, 0, 0), true}, {A::LookAgain}},
        {At(14, 0, 31), {1, At(14, 0, 0), At(14, 0, 30), false}, {A::Nothing}},
        {At(14, 2, 0), {}, {A::Start, -1, 2}},
        // The last dated entry ends the night, though a slot comes every day.
        {At(14, 4, 30), {3, At(14, 4, 0), At(14, 4, 0)}, {A::Done, 3}},
        {At(15, 2, 0), {}, {A::Done}},
    };
    for (const auto& c : cases) {
        const SkedAction got = NextSkedAction(entries, c.now, c.running);
        EXPECT_EQ(got, c.action) << UtcTimeOf(c.now).day << " " << c.now % 86400 << ": " << got.kind << " "
                                 << got.end << " " << got.start;
    }
    // Every-day entries alone repeat for ever.
    const auto daily = std::vector<SkedEntry>(entries.begin() + 2, entries.begin() + 3);
    EXPECT_EQ(NextSkedAction(daily, At(20, 3, 0), {0, At(20, 2, 0), At(20, 2, 0)}), (SkedAction{A::End, 0}));
    EXPECT_EQ(NextSkedAction(daily, At(21, 2, 0), {}), (SkedAction{A::Start, -1, 0}));
}

}  // namespace
