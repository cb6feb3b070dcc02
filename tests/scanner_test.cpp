// The decode scanner against a model window, a simulated WSJT and decoded
// files in memory.
#include <gtest/gtest.h>

#include "peer/peer.h"
#include "tests/support/model_window.h"
#include "tests/support/sim_window_system.h"

namespace {

using Journal = std::vector<std::string>;

const char* const Decoded = "decoded.cum";
const char* const Log = "tavrixlog.txt";

// A decoded line in WSJT's layout: stamp, 26 columns of ping figures, the
// message from column 33, blank-padded to 79 characters.
std::string L(const std::string& stamp, const std::string& message)
{
    std::string line = stamp + " 14.2  120  4 26  -33     " + message;
    EXPECT_EQ(line.substr(32, message.size()), message);
    line.resize(std::max<std::size_t>(line.size(), 79), ' ');
    return line;
}

Journal Then(Journal first, const Journal& more)
{
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

std::string File(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

struct ScannerTest : ::testing::Test {
    ModelWindow w;
    ::Run& run = w.form.run;
    SimWindowSystem desktop;
    SimWindowSystem::Peer wsjt = desktop.AddWsjt();
    std::string& log = w.platform.files[Log];

    ScannerTest()
    {
        w.form.FormCreate();
        run.PeerControls = {wsjt.main, wsjt.toRadio, wsjt.genStd, wsjt.autoButton, wsjt.lookup,
                        wsjt.tx[2], wsjt.tx[3], wsjt.tx[4], wsjt.tx[5], wsjt.tx[6]};
        w.feDecoded.text = Decoded;
        w.eCS.text = "QA3ABC";
        run.LogTokens[0] = "QA3";
        run.LogTokens[1] = "ABC";
        run.LogHandle = w.platform.OpenForAppend(Log);
        run.LogOpen = true;
        w.SetTime(12, 0, 5);  // fresh: 115911 to 120005
        w.form.run.FState = 0;
    }

    void Sked(const std::string& partner)
    {
        w.eTRCS.text = run.PartnerCall = run.Progression[0] = partner;
        run.LogTokens[2] = partner.substr(0, 3);
        run.LogTokens[3] = partner.substr(partner.size() - 3);
    }
    void Cq(std::vector<std::string> list)
    {
        w.SelectCQ(true);
        run.CallList = std::move(list);
    }
    void Scan(const std::string& content)
    {
        w.platform.files[Decoded] = content;
        w.form.run.ScanDecoded();
    }
};

}  // namespace

TEST_F(ScannerTest, SkedWalkCarriesTheStateFromLineToLine)
{
    Sked("Q9XYZ");
    struct Case { int from; std::vector<std::string> messages; int to; Journal presses; };
    const std::vector<Case> cases = {
        {0, {"QA3ABC Q9XYZ 27"}, 2, {"press Tx &3"}},
        {0, {"R27 R27 QA3ABC"}, 0, {}},
        {0, {"QA3ABC Q9XYZ", "27 27", "R27"}, 3, {"press Tx &4"}},
        {1, {"RRR"}, 1, {}},
        {2, {"RRR"}, 4, {"press Tx &5"}},
        {3, {"73", "27"}, 4, {"press Tx &5"}},  // 5 in the scan, 4 at its end
        {4, {"73 QA3ABC"}, 4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.messages.front());
        w.form.run.FState = c.from;
        desktop.journal.clear();
        std::vector<std::string> lines;
        for (const std::string& m : c.messages)
            lines.push_back(L("120000", m));
        Scan(File(lines));
        EXPECT_EQ(w.form.run.FState, c.to);
        EXPECT_EQ(desktop.journal, c.presses);
    }
}

// The contact's record starts at the stamp of the decode the partner was
// first heard in, on the UTC day that decode was made.
TEST_F(ScannerTest, FirstHeardIsTheStampOfTheFirstDecodeInUtc)
{
    struct Case {
        const char* what;
        bool cq;
        int zoneHours;  // local time minus UTC
        bool localStamps;
        int hour;       // of the local clock at the scan, hh:00:05 on 2026-12-10
        std::vector<std::string> lines;
        std::vector<int> heard;  // UTC date and time
    };
    const std::vector<Case> cases = {
        {"same day", false, 0, false, 12, {L("115930", "Q2BBB Q7GGG"), L("115950", "QA3ABC Q9XYZ"), L("120000", "27")},
         {2026, 12, 10, 11, 59, 50}},
        {"before midnight, read after", false, 0, false, 0, {L("235950", "QA3ABC Q9XYZ")}, {2026, 12, 9, 23, 59, 50}},
        {"UTC stamps, east of Greenwich", false, 3, false, 3, {L("235950", "QA3ABC Q9XYZ")}, {2026, 12, 9, 23, 59, 50}},
        {"local stamps, east", false, 3, true, 3, {L("025950", "QA3ABC Q9XYZ")}, {2026, 12, 9, 23, 59, 50}},
        {"local stamps across local midnight, west", false, -5, true, 0, {L("235950", "QA3ABC Q9XYZ 27")},
         {2026, 12, 10, 4, 59, 50}},
        {"CQ caller taken up", true, 0, false, 0, {L("235940", "CQ QA3ABC"), L("235955", "QA3ABC Q1AAA")},
         {2026, 12, 9, 23, 59, 55}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.cq)
            Cq({"Q1AAA"});
        else
            Sked("Q9XYZ");
        w.platform.zoneSeconds = c.zoneHours * 3600;
        w.platform.now = {2026, 12, 10, 0, 0, 0, 0};
        w.SetTime(c.hour, 0, 5);
        run.localStamps = c.localStamps;
        run.FState = 0;
        run.firstHeard = {};
        Scan(File(c.lines));
        ASSERT_GT(run.FState, 0);
        const UtcTime& t = run.firstHeard;
        EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}), c.heard);
    }
}

TEST_F(ScannerTest, LogsWholeFreshLinesHoldingAToken)
{
    struct Case { std::string line; bool logged; };
    const Case cases[] = {
        {L("120000", "Q1AAA Q2BBB 27"), true},    // " 27"
        {L("120000", "27 Q1AAA"), false},         // "27" at column 33 has no blank before it
        {L("120000", "Q1AAA R27"), true},
        {L("120000", "RRR 73 R27 27"), true},     // several tokens, one line
        {L("120000", "QQA3X"), true},             // first three of the own call
        {L("115910", "Q1AAA R27"), false},        // stale
        {L("A20000", "Q1AAA R27"), false},        // not a stamp
        {std::string("120000 R27 RRR 73 QA3ABC").append(8, ' '), false},  // 32 characters: no message
        {L("120000", "CQ QA3ABC"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        log.clear();
        Scan(c.line + "\r\n");
        EXPECT_EQ(log, c.logged ? c.line + "\r\n" : "");
    }
}

TEST_F(ScannerTest, ThirtyTwoCharacterLineNeverMovesTheState)
{
    Sked("Q9XYZ");
    const std::string line = "120000 Q9XYZ 27 R27 RRR 73 Q9XYZ";
    ASSERT_EQ(line.size(), 32u);
    Scan(line + "\r\n" + line.substr(0, 31));
    EXPECT_EQ(w.form.run.FState, 0);
    EXPECT_EQ(log, "");
    Scan(line + "7");  // one more character is a message of "7"
    EXPECT_EQ(w.form.run.FState, 0);
}

TEST_F(ScannerTest, EveryLineEndAndNulByte)
{
    Sked("Q9XYZ");
    const std::string a = L("120000", "Q9XYZ QA3ABC"), b = L("120001", "27 R27");
    for (const char* end : {"\r\n", "\r", "\n", "\n\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        log.clear();
        w.form.run.FState = 0;
        Scan(a + end + b + end);
        EXPECT_EQ(log, a + "\r\n" + b + "\r\n");
        EXPECT_EQ(w.form.run.FState, 3);
    }
    // A NUL ends the fresh lines, as a stale line does; its own line is no
    // line that counts.
    log.clear();
    w.form.run.FState = 0;
    Scan(a + "\r\n" + std::string(1, '\0') + a + "\r\n" + b + "\r\n");
    EXPECT_EQ(log, b + "\r\n");
    EXPECT_EQ(run.DecodedLines.size(), 1u);
}

TEST_F(ScannerTest, MidnightScansSeeDecodesOnBothSides)
{
    w.SetTime(0, 0, 5);
    const std::string lines[] = {L("120000", "R27 e"), L("235910", "R27"), L("235911", "R27 a"),
                                 L("000000", "R27 b"), L("000005", "R27 c")};
    std::string content;
    for (const std::string& line : lines)
        content += line + "\n";
    Scan(content);
    EXPECT_EQ(log, lines[2] + "\r\n" + lines[3] + "\r\n" + lines[4] + "\r\n");
}

TEST_F(ScannerTest, CallerSearchInCqMode)
{
    struct Case {
        const char* what;
        std::vector<std::string> list;
        std::vector<std::string> messages;
        Journal journal;
        int state;
    };
    const Journal enterQ1{"set 12345 -> Q1AAA", "press &Gen Std Msgs", "press &Gen Std Msgs"};
    const std::vector<Case> cases = {
        {"listed caller", {"Q7ZZZ", "Q1AAA"}, {"QA3ABC Q1AAA"}, Then(enterQ1, {"press Tx &2"}), 1},
        {"and its report", {"Q1AAA"}, {"QA3ABC Q1AAA 27 27"}, Then(enterQ1, {"press Tx &3"}), 2},
        {"CQ line", {"Q1AAA"}, {"CQ QA3ABC Q1AAA"}, {}, 0},
        {"CQ inside a word", {"Q1AAA"}, {"QA3ABC Q1AAA XCQX"}, {}, 0},
        {"no own call", {"Q1AAA"}, {"Q1AAA QA3ABD"}, {}, 0},
        {"own call inside a longer one", {"Q1AAA"}, {"Q1AAA Q/QA3ABC/P"}, Then(enterQ1, {"press Tx &2"}), 1},
        {"list entry equal to the own call", {"QA3ABC", "Q1AAA"}, {"QA3ABC Q1AAA"}, Then(enterQ1, {"press Tx &2"}), 1},
        {"only the own call listed", {"QA3ABC"}, {"QA3ABC Q1AA"}, {}, 0},
        {"entry part of a callsign", {"Q1AA"}, {"QA3ABC Q1AAA/P"},
         {"set 12345 -> Q1AA", "press &Gen Std Msgs", "press &Gen Std Msgs", "press Tx &2"}, 1},
        {"two callers", {"Q1AAA", "Q2BBB"}, {"QA3ABC Q2BBB R27", "QA3ABC Q1AAA"},
         {"set 12345 -> Q2BBB", "press &Gen Std Msgs", "press &Gen Std Msgs",
          "set Q2BBB -> Q1AAA", "press &Gen Std Msgs", "press &Gen Std Msgs", "press Tx &2"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Cq(c.list);
        w.form.run.FState = 0;
        run.TickCount = 0;
        desktop.SetTextOf(wsjt.toRadio, "12345");
        desktop.journal.clear();
        std::vector<std::string> lines{L("115000", "QA3ABC Q2BBB")};  // stale: no caller
        for (const std::string& m : c.messages)
            lines.push_back(L("120000", m));
        Scan(File(lines));
        EXPECT_EQ(desktop.journal, c.journal);
        EXPECT_EQ(w.form.run.FState, c.state);
    }
}

TEST_F(ScannerTest, Autodetection)
{
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::string entered;  // empty: nothing entered
    };
    const std::vector<Case> cases = {
        {"repeated callsign", {L("120000", "Q5EEE QA3"), L("120000", "QA3ABC Q5EEE")}, "Q5EEE"},
        {"CQ lines count", {L("115000", "Q6FFF"), L("120000", "CQ Q6FFF"), L("120000", "QA3ABC Q6FFF")}, "Q6FFF"},
        {"every call once", {L("120000", "Q5EEE Q6FFF"), L("120000", "QA3ABC Q7GGG")}, ""},
        {"short words never", {L("120000", "Q5EE Q5EE"), L("120000", "QA3ABC Q5EE")}, ""},
        {"own call never", {L("120000", "QA3ABC"), L("120000", "QA3ABC Q7GGG")}, ""},
        {"last line stale", {L("120000", "QA3ABC Q5EEE"), L("120000", "QA3ABC Q5EEE"), L("110000", "x")}, ""},
        {"last line without own call", {L("120000", "QA3ABC Q5EEE"), L("120000", "Q5EEE")}, ""},
        {"first of two repeats, ignoring case",
         {L("120000", "Q3CCC q2bbb  Q3CCC"), L("120000", "QA3ABC q2bbb")}, "q2bbb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Cq({"Q9ZZZ"});
        w.form.run.FState = 0;
        desktop.SetTextOf(wsjt.toRadio, "12345");
        desktop.journal.clear();
        Scan(File(c.lines));
        EXPECT_EQ(desktop.TextOf(wsjt.toRadio), c.entered.empty() ? "12345" : c.entered);
        EXPECT_EQ(w.form.run.FState, c.entered.empty() ? 0 : 1);
    }
    Cq({"Q9ZZZ"});
    w.cbAutoCS.checked = false;
    desktop.SetTextOf(wsjt.toRadio, "12345");
    Scan(File({L("120000", "Q5EEE"), L("120000", "QA3ABC Q5EEE")}));
    EXPECT_EQ(desktop.TextOf(wsjt.toRadio), "12345");
}

TEST_F(ScannerTest, AutodetectionRangeBeginsPiecesBeforeTheLastLine)
{
    // The file is read through a buffer of 256 KiB: the range's first line
    // has long left it when the last line arrives.
    Cq({"Q9ZZZ"});
    w.platform.pieceSize = 4096;
    desktop.SetTextOf(wsjt.toRadio, "12345");
    std::vector<std::string> lines{L("115000", "Q4DDD Q4DDD"), L("120000", "Q5EEE QA3")};
    for (int i = 0; i < 4000; ++i)
        lines.push_back(L("      ", "CQ Q7 " + std::to_string(i % 100)));  // unstamped, no word of five
    lines.push_back(L("120000", "QA3ABC Q5EEE"));
    Scan(File(lines));
    EXPECT_EQ(desktop.TextOf(wsjt.toRadio), "Q5EEE");
    EXPECT_EQ(run.FState, 1);
    EXPECT_EQ(run.DecodedLines.size(), lines.size() - 1);
}

TEST_F(ScannerTest, ReadFailingHalfwayLeavesNoTrace)
{
    Cq({"Q1AAA"});
    desktop.SetTextOf(wsjt.toRadio, "12345");
    desktop.journal.clear();
    const std::string content = File({L("120000", "QA3ABC Q1AAA 27"), L("120000", "R27"), L("120001", "RRR")});
    w.platform.readFailsAt = content.size() - 10;  // after the first two lines
    Scan(content);
    EXPECT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(log, "");
    EXPECT_TRUE(desktop.journal.empty());
    EXPECT_EQ(run.FState, 0);
    EXPECT_EQ(run.DecodedLines.size(), 0u);

    // A read that throws (memory run out) lets the file go all the same.
    w.platform.readFailsAt = std::string::npos;
    w.platform.readThrowsAt = content.size() - 10;
    EXPECT_THROW(Scan(content), std::bad_alloc);
    EXPECT_TRUE(w.platform.readers.empty());
}

// Three days of a daily sked at the same time, WSJT's date line between
// them: only today's newest lines count, in either mode.
TEST_F(ScannerTest, EarlierDaysNeverCount)
{
    std::string days;
    for (const char* date : {"2026-12-06", "2026-12-07"})
        days += File({date, L("115930", "QA3ABC Q9XYZ 27"), L("120000", "Q9XYZ QA3ABC RRR 73"), L("120000", "Q5EEE QA3")});
    days += File({"2026-12-08", L("115000", "CQ Q9XYZ")});
    Sked("Q9XYZ");
    Scan(days);
    EXPECT_EQ(run.FState, 0);
    EXPECT_EQ(log, "");
    // Today's lines, a blank and a date line among them.
    const std::string today = File({L("115930", "QA3ABC Q9XYZ 27"), "", "2026-12-08", L("120000", "Q5EEE R27")});
    Scan(days + today);
    EXPECT_EQ(run.FState, 3);
    EXPECT_EQ(log, File({L("115930", "QA3ABC Q9XYZ 27"), L("120000", "Q5EEE R27")}));

    Cq({"Q9ZZZ"});
    run.FState = 0;
    desktop.SetTextOf(wsjt.toRadio, "CQ");
    Scan(days + File({L("120000", "QA3ABC Q5EEE")}));  // heard once today: no repeat
    EXPECT_EQ(desktop.TextOf(wsjt.toRadio), "CQ");
}

// In CQ mode the walk from 0 can pass entry 0, still the partner of an
// earlier sked run: that station is taken up as a caller, and named.
TEST_F(ScannerTest, CqWalkThroughEntryZeroWorksTheStationEntered)
{
    Cq({"Q9ZZZ"});
    run.Progression[0] = "Q9XYZ";
    run.caller = "Q7OLD";  // an earlier CQ contact's
    run.contacts.path = "c.adi";
    desktop.SetTextOf(wsjt.toRadio, "CQ");
    desktop.journal.clear();
    Scan(File({L("120000", "QA3ABC Q9XYZ 27")}));
    EXPECT_EQ(desktop.journal,
              (Journal{"set CQ -> Q9XYZ", "press &Gen Std Msgs", "press &Gen Std Msgs", "press Tx &3"}));
    run.SetState(4);
    EXPECT_NE(w.platform.files["c.adi"].find("<CALL:5>Q9XYZ"), std::string::npos);
    EXPECT_EQ(run.lastContactCall, "Q9XYZ");

    // A record names a callsign or nothing: a word taken up that is none
    // (noise, a fragment with punctuation) is never written as the station.
    const std::pair<const char*, const char*> callers[] = {
        {"", nullptr},          {"Q5E?E", nullptr},       {"<Q5EEE>", nullptr}, {"Q5EEE,", nullptr},
        {"Q5\xC4" "EE", nullptr},  {"Q5E\tE", nullptr},      {"q5eee", "<CALL:5>Q5EEE "},
        {"Q5EEE/P", "<CALL:7>Q5EEE/P "},
    };
    for (const auto& [word, call] : callers) {
        SCOPED_TRACE(word);
        w.platform.files.erase("c.adi");
        run.caller = word;
        run.FState = 3;
        run.SetState(4);
        if (call) {
            EXPECT_NE(w.platform.files["c.adi"].find(call), std::string::npos);
        } else {
            EXPECT_FALSE(w.platform.files.count("c.adi"));
            EXPECT_TRUE(run.troubles & ContactsNotWritten);
        }
    }
}

TEST_F(ScannerTest, WithoutAnOpenLogTheStateStillMoves)
{
    Sked("Q9XYZ");
    run.LogOpen = false;
    Scan(File({L("120000", "Q9XYZ QA3ABC 27")}));
    EXPECT_EQ(log, "");
    EXPECT_EQ(w.form.run.FState, 2);
}

TEST_F(ScannerTest, LockedFileShowsOneBoxAndScansInsideItStayQuiet)
{
    Sked("Q9XYZ");
    w.form.run.FState = 1;
    w.platform.files[Decoded] = File({L("120000", "R27")});
    w.platform.readLocked.insert(Decoded);
    int nested = 0;
    w.platform.whileBoxOpen = [&] {
        for (; nested < 3; ++nested)
            w.form.run.ScanDecoded();
    };
    w.form.run.ScanDecoded();
    const std::string text = "\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC \xE7\xE0\xE3\xF0\xF3\xE7\xE8\xF2\xFC decoded.cum";
    EXPECT_EQ(w.platform.messages, (Journal{text}));
    EXPECT_EQ(w.platform.readCount, 4);
    EXPECT_EQ(run.DecodedLines.size(), 0u);
    EXPECT_EQ(w.form.run.FState, 1);
    EXPECT_EQ(log, "");

    w.platform.whileBoxOpen = [] { throw std::bad_alloc(); };
    EXPECT_THROW(w.form.run.ScanDecoded(), std::bad_alloc);
    w.platform.whileBoxOpen = nullptr;
    w.form.run.ScanDecoded();  // closed, even by a throw: the next failure shows it again
    EXPECT_EQ(w.platform.messages.size(), 3u);
    w.platform.readLocked.clear();
    w.form.run.ScanDecoded();
    EXPECT_EQ(w.form.run.FState, 3);
}

TEST_F(ScannerTest, IdleOrMissingFileDoesNothing)
{
    Sked("Q9XYZ");
    w.platform.files[Decoded] = File({L("120000", "Q9XYZ 27")});
    w.form.run.ScanDecoded();
    ASSERT_EQ(run.DecodedLines.size(), 1u);

    w.form.run.FState = -1;
    w.platform.files[Decoded] = File({L("120000", "Q9XYZ"), L("120001", "Q9XYZ")});
    log.clear();
    w.form.run.ScanDecoded();
    EXPECT_EQ(w.platform.readCount, 1);
    EXPECT_EQ(run.DecodedLines.size(), 1u);  // kept
    EXPECT_EQ(log, "");

    w.form.run.FState = 0;
    w.platform.files.erase(Decoded);
    w.form.run.ScanDecoded();
    EXPECT_EQ(run.DecodedLines.size(), 0u);
    EXPECT_TRUE(w.platform.messages.empty());
    EXPECT_EQ(w.form.run.FState, 0);
}

TEST_F(ScannerTest, GarbageNeverCrashesOrLogsPartLines)
{
    Sked("Q9XYZ");
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245 + 12345;
        garbage += static_cast<char>(seed >> 16);
    }
    // Over-long lines are passed over, however long and wherever they are.
    const std::string big = "120000" + std::string(150'000'000, ' ') + "Q9XYZ 27";  // no line end
    const std::string line = L("120000", "Q9XYZ QA3ABC 27");
    for (const std::string& content : {garbage, garbage + "\n" + big, line + "\n" + big, big + "\n" + line}) {
        w.platform.pieceSize = content.size() > garbage.size() ? 1 << 20 : 5;
        log.clear();
        w.form.run.FState = 0;
        Scan(content);
        // Whatever was written is a whole number of lines of the file.
        std::size_t from = 0;
        while (from < log.size()) {
            const std::size_t end = log.find("\r\n", from);
            ASSERT_NE(end, std::string::npos);
            EXPECT_NE(content.find(log.substr(from, end - from)), std::string::npos);
            from = end + 2;
        }
    }
    EXPECT_EQ(log, line + "\r\n");
    EXPECT_EQ(w.form.run.FState, 2);
}

// A day's file as WSJT writes it, period by period, with date and blank
// lines, scanned after each period as the run clock does: the results of
// the scanner that looked at every line of the file.
TEST_F(ScannerTest, ClockOrderedFileScansAsBefore)
{
    const char* const messages[] = {"CQ Q9XYZ",     "Q9XYZ Q1AAA 27", "QA3ABC Q5EEE", "Q5EEE QA3ABC 27", "QA3ABC Q9XYZ",
                                    "QA3ABC Q7GGG", "QA3ABC Q1AAA",   "R27 RRR",      "Q9XYZ QA3ABC 73"};
    for (const bool cq : {false, true}) {
        cq ? Cq({"Q1AAA"}) : Sked("Q9XYZ");
        run.Progression[0] = cq ? "" : "Q9XYZ";
        run.FState = 0;
        log.clear();
        desktop.journal.clear();
        std::string file, states;
        for (int period = 0, at = 11 * 3600 + 58 * 60; period < 9; ++period, at += 30) {
            char stamp[8];
            std::snprintf(stamp, sizeof stamp, "%02d%02d%02d", at / 3600, at / 60 % 60, at % 60);
            file += File({"2026-12-08 JT9", "", L(stamp, "Q2BBB Q7GGG 26"), L(stamp, messages[period])});
            w.SetTime((at + 35) / 3600, (at + 35) / 60 % 60, (at + 35) % 60);
            Scan(file);
            states += std::to_string(run.FState);
        }
        const Journal enterQ7{"set 12345 -> Q7GGG", "press &Gen Std Msgs", "press &Gen Std Msgs", "press Tx &2"};
        EXPECT_EQ(states, cq ? "000001144" : "122222244");
        EXPECT_EQ(desktop.journal, Then(cq ? enterQ7 : Journal{"press Tx &2", "press Tx &3"}, {"press Tx &5"}));
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 9);
    }
}
