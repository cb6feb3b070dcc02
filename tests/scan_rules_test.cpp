// The scanner's pure rules: freshness across midnight, line splitting (whole
// and in pieces), the search for a repeated word and the progression walk.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/line_reader.h"
#include "engine/repeated_word.h"
#include "engine/scan_rules.h"
#include "engine/text_lines.h"
#include "tests/support/fake_platform.h"

namespace {

int At(int h, int m, int s) { return h * 3600 + m * 60 + s; }

}  // namespace

TEST(IsFreshStamp, FiftyFiveSecondsBackOnTheDial)
{
    struct Case { const char* line; int scan; bool fresh; };
    const Case cases[] = {
        {"115910 x", At(12, 0, 5), false},  // equal to the threshold
        {"115911 x", At(12, 0, 5), true},   // one second later
        {"120005", At(12, 0, 5), true},     // the scan's own second
        {"120006", At(12, 0, 5), false},    // after the scan
        {"235910", At(0, 0, 5), false},
        {"235911", At(0, 0, 5), true},      // before midnight, seen after it
        {"000000", At(0, 0, 5), true},
        {"000005", At(0, 0, 5), true},
        {"000010", At(0, 0, 5), false},
        {"000010", At(0, 1, 5), false},
        {"000011", At(0, 1, 5), true},
        {"235959", At(23, 59, 59), true},
        {"000000", At(23, 59, 59), false},  // not tomorrow's
        {"130000", At(12, 0, 5), false},    // yesterday's, later in the day
        {"240000", At(0, 0, 5), false},     // not a time
        {"236000", At(23, 59, 59), false},
        {"235960", At(23, 59, 59), false},
        {"12000", At(12, 0, 5), false},     // too short
        {"", At(12, 0, 5), false},
        {"A20000", At(12, 0, 5), false},
        {"12:000", At(12, 0, 5), false},
        {" 20000", At(12, 0, 5), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " at " + std::to_string(c.scan));
        EXPECT_EQ(IsFreshStamp(c.line, c.scan), c.fresh);
    }
}

// Where the scanner's cases leave off: the year's end, and clocks read a
// second apart across midnight.
TEST(StampUtc, DayAndZoneOfAStamp)
{
    const struct { const char* what; int stamp; LocalTime clock, utc; UtcTime at; } cases[] = {
        {"new year", 23 * 3600 + 59 * 60 + 58, {2027, 1, 1, 0, 0, 5, 0}, {2027, 1, 1, 0, 0, 5, 0},
         {2026, 12, 31, 23, 59, 58, 0}},
        {"UTC clock read a second later", 86399, {2026, 12, 9, 23, 59, 59, 0}, {2026, 12, 10, 0, 0, 0, 0},
         {2026, 12, 9, 23, 59, 59, 0}},
        {"UTC+5:45 read a second earlier", 6 * 3600, {2026, 12, 10, 6, 0, 5, 0}, {2026, 12, 10, 0, 15, 4, 0},
         {2026, 12, 10, 0, 15, 0, 0}},
        {"UTC-10, a stamp of the local day before", 86395, {2026, 3, 1, 0, 0, 5, 0}, {2026, 3, 1, 10, 0, 5, 0},
         {2026, 3, 1, 9, 59, 55, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const UtcTime t = StampUtc(c.stamp, c.clock, c.utc);
        EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
                  (std::vector<int>{c.at.year, c.at.month, c.at.day, c.at.hour, c.at.minute, c.at.second}));
    }
}

TEST(FreshFilter, AgreesWithIsFreshStampOnEveryStamp)
{
    for (int scan : {At(0, 0, 0), At(0, 0, 5), At(0, 0, 54), At(0, 0, 55), At(12, 0, 5),
                     At(12, 0, 35), At(13, 59, 30), At(23, 59, 59)}) {
        const FreshFilter isFresh(scan);
        int fresh = 0;
        for (int stamp = 0; stamp < 240000; ++stamp) {
            char text[8];
            std::snprintf(text, sizeof text, "%06d", stamp);
            ASSERT_EQ(isFresh(text), IsFreshStamp(text, scan)) << text << " at " << scan;
            fresh += isFresh(text);
        }
        EXPECT_EQ(fresh, FreshSeconds) << scan;
    }
    EXPECT_FALSE(FreshFilter(At(12, 0, 5))("1200"));
}

TEST(SplitLines, EveryLineEndNulAndLastLine)
{
    using Lines = std::vector<std::string>;
    struct Case { std::string text; Lines lines; };
    // Long lines put line ends on both sides of a 64-byte block's edge.
    const std::string a(63, 'a'), b(64, 'b'), c(70, 'c');
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},       // LF CR: two line ends
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {" a \r\n b ", {" a ", " b "}},   // blanks kept
        {std::string("a\nb\0c\nd", 7), {"a", "b"}},
        {std::string("\0a\n", 3), {}},
        {"a\r", {"a"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {a + "\r\n" + b + "\r" + c + "\n\t\v\f" + a + std::string(1, '\0') + b, {a, b, c, "\t\v\f" + a}},
        {b + "\n\r\r\n" + c, {b, "", "", c}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        TextLines text;
        text.buffer = c.text;
        SplitLines(text);
        EXPECT_EQ(Lines(text.lines.begin(), text.lines.end()), c.lines);
        // Read in pieces of every size through buffers smaller and larger
        // than a line: every line end falls at every place of a piece.
        FakePlatform platform;
        platform.files["f"] = c.text;
        for (std::size_t piece = 1; piece <= c.text.size(); ++piece) {
            for (std::size_t bufferBytes : {1, 5, 64, 4096}) {
                platform.pieceSize = piece;
                LineReader reader(bufferBytes);
                Lines read;
                const FileHandle file = platform.OpenForReading("f");
                EXPECT_TRUE(reader.Read(platform, file, 0, [&](std::string_view line) {
                    EXPECT_EQ(c.text.substr(reader.OffsetOf(line), line.size()), line);
                    read.emplace_back(line);
                }));
                platform.CloseFile(file);
                EXPECT_EQ(read, c.lines) << "pieces of " << piece << ", buffer of " << bufferBytes;
                EXPECT_EQ(reader.Capacity(), bufferBytes);  // a grown buffer is given back
            }
        }
    }
}

TEST(RepeatedWordSearch, FirstRepeatInTheOrderWhateverTheBudget)
{
    // The scanner's kind of order: ignoring ASCII case, then by bytes.
    const auto less = [](const std::string& a, const std::string& b) {
        const std::string la = FakePlatform::Lower(a), lb = FakePlatform::Lower(b);
        return la != lb ? la < lb : a < b;
    };
    std::vector<std::string> many;
    for (int i = 60; i > 0; --i)
        many.push_back(std::to_string(100 + i).insert(0, 1, 'W'));
    many.insert(many.end(), {"W160", "W130", "W130", "W131"});
    struct Case { std::vector<std::string> words; std::string found; };
    const Case cases[] = {
        {{}, ""},
        {{"Q5EEE"}, ""},
        {{"Q5EEE", "Q6FFF", "Q5EEE"}, "Q5EEE"},
        {{"Q7GGG", "q2bbb", "Q7GGG", "Q3CCC", "q2bbb"}, "q2bbb"},
        {{"q2bbb", "Q2BBB", "Q9ZZZ"}, ""},  // equal but for case: not the same word
        {{"q2bbb", "Q2BBB", "q2bbb", "Q2BBB"}, "Q2BBB"},
        {many, "W130"},
    };
    for (const Case& c : cases) {
        // 0: one word settled per pass; 300: a few at a time.
        for (std::size_t budget : {std::size_t(0), std::size_t(300), RepeatedWordSearch::DefaultBudget}) {
            SCOPED_TRACE(testing::PrintToString(c.words) + " budget " + std::to_string(budget));
            RepeatedWordSearch search(less, budget);
            int passes = 0;
            do {
                ++passes;
                for (const std::string& word : c.words)
                    search.Add(word);
            } while (search.EndPass() && passes <= 100);
            EXPECT_EQ(search.Found(), c.found);
        }
    }
}

TEST(WalkProgression, MovesPastFoundMarkersAndOneMissingOne)
{
    const std::array<std::string, 5> steps{"Q9XYZ", "27", "R27", "RRR", "73"};
    struct Case { unsigned from; const char* message; unsigned to; };
    const Case cases[] = {
        {0, "QA3ABC Q9XYZ 27", 2},
        {0, "QA3ABC Q9XYZ", 1},
        {0, "R27 R27", 0},       // the partner's callsign must come first
        {0, "", 0},
        {1, "R27", 3},           // "27" is found inside "R27"
        {1, "RRR", 1},           // two missing in a row
        {2, "RRR", 4},
        {2, "RRR 73", 5},
        {3, "73", 5},
        {4, "QA3ABC", 4},
        {4, "73", 5},
        {5, "anything 73", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " " + c.message);
        EXPECT_EQ(WalkProgression(c.from, c.message, steps), c.to);
    }
    const std::array<std::string, 5> noPartner{"", "27", "R27", "RRR", "73"};
    EXPECT_EQ(WalkProgression(0, "Q9XYZ 27 R27", noPartner), 0u);
}

TEST(PartnersDecode, HisCallOrOursOrOnceHeardAStepsMarker)
{
    const std::array<std::string, 5> steps{"Q9XYZ", "27", "R27", "RRR", "73"};
    const struct { const char* message; const char* partner; bool heard, his; } cases[] = {
        {"QA3ABC Q9XYZ", "Q9XYZ", false, true},
        {"CQ Q9XYZ", "Q9XYZ", false, true},
        {"QA3ABC", "Q9XYZ", false, true},
        {"Q5AAA Q8ZZZ", "Q9XYZ", false, false},
        {"RRR RRR", "Q9XYZ", false, false},
        {"RRR RRR", "Q9XYZ", true, true},
        {"Q5AAA Q8ZZZ", "Q9XYZ", true, false},
        {"Q5KLM 27", "Q5KLM", false, true},   // a CQ entry's caller
        {"Q5KLM 27", "", false, false},        // no caller taken up yet
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message) + " " + c.partner);
        EXPECT_EQ(PartnersDecode(c.message, c.partner, "QA3ABC", steps, c.heard), c.his);
    }
}

TEST(AnyOccurs, AgreesWithOccursOfEachText)
{
    const std::string texts[] = {"QA3", "ABC", "", " 27", "RRR", "73"};
    const AnyOccurs any(texts);
    struct Case { const char* in; bool found; };
    const Case cases[] = {
        {"QA3XYZ Q9XYZ", true},   // at the start
        {"Q9XYZ Q1ABC", true},    // at the end
        {"RRRR", true},           // overlapping itself
        {"Q9XYZ R27", false},     // only part of " 27"
        {"Q9XYZ 7 3 QA", false},  // absent, prefixes cut short by the end
        {"", false},              // the empty text occurs nowhere
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(any(c.in), c.found);
    }
}
