// The Skeds page: its pure decisions, the file's rewrites, and START with
// "Follow the skeds" ticked, against the model window.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/run_fixture.h"
#include "ui/run_control.h"
#include "ui/skeds.h"

using Strings = std::vector<std::string>;

namespace {

SkedEntry Entry(const char* line)
{
    SkedEntry entry;
    std::string what;
    EXPECT_TRUE(ParseSkedEntry(line, entry, what)) << line << ": " << what;
    return entry;
}

}  // namespace

TEST(SkedsPage, FilePathFollowsTheKey)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "C:\\tavrix\\skeds.txt"},         {"night.txt", "C:\\tavrix\\night.txt"},
        {"D:\\radio\\s.txt", "D:\\radio\\s.txt"}, {"\\\\shack\\s.txt", "\\\\shack\\s.txt"},
    };
    for (const auto& [key, path] : cases)
        EXPECT_EQ(SkedsFilePath("C:\\tavrix\\", key), path) << key;
}

TEST(SkedsPage, DialogFieldsMakeTheEntryOrSayWhatIsWrong)
{
    const struct { SkedFields fields; const char* entry; const char* what; } cases[] = {
        {{false, " 2026-12-13", "22:00 ", "23:00", "q9xyz"}, "2026-12-13 22:00 23:00 Q9XYZ", ""},
        {{true, "not a date", "04:00", "05:00", "CQ"}, "* 04:00 05:00 CQ", ""},  // every day: the date box is not read
        {{false, "2026-12-13", "22:00", "23:00", "Q9XYZ", TxPeriod::Second}, "2026-12-13 22:00 23:00 Q9XYZ 2nd", ""},
        {{false, "2026-12-13", "22:00", "23:00", "Q9XYZ", TxPeriod::First, " 144.366 "},
         "2026-12-13 22:00 23:00 Q9XYZ 1st 144.366", ""},
        {{false, "2026-12-13", "22:00", "23:00", "Q9XYZ", TxPeriod::First, "2m"}, nullptr,
         "The frequency \"2m\" is not a number of MHz, e.g. 144.366."},
        {{false, "2026-12-13", "22:00", "23:00", "Q9XYZ", TxPeriod::First, "14.4.366"}, nullptr, nullptr},
        {{false, "", "04:00", "05:00", "CQ"}, nullptr, "Date is empty."},
        {{false, "2026-12-13", "22:00", "23:00", "Q9 XYZ"}, nullptr, "Station must be one word, without blanks."},
        {{false, "2026-12-13", "22:00", "22:00", "Q9XYZ"}, nullptr, nullptr},  // the file's own rule, as a sentence
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields.station + " " + c.fields.from);
        SkedEntry entry;
        std::string what;
        EXPECT_EQ(EntryOfFields(c.fields, entry, what), c.entry != nullptr);
        if (c.entry)
            EXPECT_EQ(entry, Entry(c.entry));
        else if (c.what)
            EXPECT_EQ(what, c.what);
        else
            EXPECT_TRUE(what.size() > 1 && isupper(what[0]) && what.back() == '.') << what;
    }
    SkedFields back = FieldsOf(Entry("2026-12-13 23:30 00:30 Q7PQR 1st 50.313"));
    EXPECT_EQ(back.date + " " + back.from + " " + back.to + " " + back.station + " " + back.frequency,
              "2026-12-13 23:30 00:30 Q7PQR 50.313");
    EXPECT_EQ(back.period, TxPeriod::First);
    UtcTime lastHour{2026, 12, 31, 23, 10, 0, 0};
    const SkedFields fresh = NewSkedFields(lastHour);
    EXPECT_EQ(fresh.date + " " + fresh.from + " " + fresh.to, "2027-01-01 00:00 01:00");
}

TEST(SkedsPage, RowsMatchTheRunsEntriesEachOnce)
{
    const SkedEntry a = Entry("* 04:00 05:00 CQ"), b = Entry("2026-12-13 22:00 23:00 Q9XYZ"),
                    c = Entry("2026-12-13 23:00 23:30 Q7PQR");
    EXPECT_EQ(MatchRunEntries({a, b, c}, {a, b, c}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(MatchRunEntries({c, a, a}, {a, b, c}), (std::vector<int>{2, 0, -1}));  // a copy added since START
    EXPECT_EQ(MatchRunEntries({b}, {}), (std::vector<int>{-1}));
}

struct SkedsFixture : RunFixture {
    static constexpr const char* File = "C:\\tavrix\\skeds.txt";
    static constexpr const char* Night =
        "# Geminids\r\n2026-12-13 22:00 23:00 Q9XYZ\r\n\r\n2026-12-13 23:00 23:30 CQ 144.366\r\n";
    SkedsFixture()
    {
        platform.utcNow = {2026, 12, 13, 21, 50, 0, 0};
        platform.files[File] = Night;
        w.form.LoadSkeds();
    }
    std::string Error() { return platform.errors.empty() ? "" : platform.errors.back().second; }
};

TEST_F(SkedsFixture, EditsKeepCommentsAndBlankLines)
{
    ASSERT_EQ(w.lvSkeds.rows.size(), 2u);
    EXPECT_EQ(w.lvSkeds.rows[0][ColState], "next");
    EXPECT_EQ(w.lvSkeds.rows[1], (Strings{"2026-12-13", "23:00", "23:30", "CQ", "as WSJT", "144.366", "later"}));
    EXPECT_TRUE(w.form.EditSkedEntry(1, Entry("2026-12-13 23:00 23:30 q2def")));
    EXPECT_TRUE(w.form.AddSkedEntry(Entry("* 04:00 05:00 CQ")));
    w.lvSkeds.selected = 0;
    EXPECT_TRUE(w.form.DeleteSkedEntry());
    EXPECT_EQ(platform.files[File], "# Geminids\r\n\r\n2026-12-13 23:00 23:30 Q2DEF\r\n* 04:00 05:00 CQ\r\n");
    EXPECT_EQ(platform.replaced.size(), 3u);
    EXPECT_EQ(w.lvSkeds.rows.size(), 2u);
}

// Notepad's UTF-8 files begin with a byte order mark; a rewrite keeps it.
TEST_F(SkedsFixture, ARewriteKeepsTheByteOrderMark)
{
    const std::string bom = "\xEF\xBB\xBF";
    platform.files[File] = bom + Night;
    w.form.LoadSkeds();
    EXPECT_TRUE(w.form.AddSkedEntry(Entry("* 04:00 05:00 CQ")));
    EXPECT_EQ(platform.files[File], bom + Night + "* 04:00 05:00 CQ\r\n");
    w.lvSkeds.selected = 2;
    EXPECT_TRUE(w.form.DeleteSkedEntry());
    EXPECT_EQ(platform.files[File], bom + Night);
}

TEST_F(SkedsFixture, AnEditThatCannotBeMadeSaysSoAndKeepsTheFile)
{
    platform.cannotReplace.insert(File);  // a full disk
    EXPECT_FALSE(w.form.AddSkedEntry(Entry("* 04:00 05:00 CQ")));
    EXPECT_EQ(Error(), std::string("Unable to write ") + File + ". The file is as it was.");

    platform.files[File] = std::string(Night) + "* 01:00 02:00 Q5LMN\r\n";  // changed in Notepad
    EXPECT_FALSE(w.form.EditSkedEntry(0, Entry("* 04:00 05:00 CQ")));
    EXPECT_NE(Error().find("changed since"), std::string::npos);
    EXPECT_EQ(w.lvSkeds.rows.size(), 3u);  // shown as it is now

    platform.files[File] = "2026-12-13 25:00 23:00 Q9XYZ\r\n";
    w.form.LoadSkeds();
    EXPECT_FALSE(w.form.AddSkedEntry(Entry("* 04:00 05:00 CQ")));
    EXPECT_EQ(w.lSkedNote.text.rfind(std::string(File) + ", line 1: ", 0), 0u) << w.lSkedNote.text;
    EXPECT_TRUE(platform.replaced.empty());
}

TEST_F(SkedsFixture, StartRefusesAScheduleThatCannotBeFollowed)
{
    const struct { const char* name; std::string bytes; bool locked; const char* says; } cases[] = {
        {"missing", "", false, ": no such file."},
        {"locked", Night, true, ": cannot be read"},
        {"bad line", "# x\r\n2026-12-13 22:00 22:00 Q9XYZ\r\n", false, ", line 2: "},
        {"all past", "2026-12-13 20:00 21:00 Q9XYZ\r\n", false, ": "},
    };
    w.cbFollow.checked = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.errors.clear();
        platform.files.erase(File);
        platform.readLocked.clear();
        if (c.name != std::string("missing"))
            platform.files[File] = c.bytes;
        if (c.locked)
            platform.readLocked.insert(File);
        StartSked("");
        EXPECT_EQ(Error().rfind(std::string(File) + c.says, 0), 0u) << Error();
        EXPECT_FALSE(Armed());
        EXPECT_TRUE(w.bRun.enabled);
        EXPECT_TRUE(w.cbFollow.enabled);
        EXPECT_TRUE(platform.settingWrites.empty());
        EXPECT_TRUE(desktop.journal.empty());
        EXPECT_TRUE(run.skeds.Entries().empty());
    }
}

// The page read again during a run (a look at it) tells why it shows no
// rows, as it does outside a run.
TEST_F(SkedsFixture, WhileFollowingAFileThatCannotBeReadSaysWhy)
{
    platform.files[List] = "Q2AAA\r\n";
    w.cbFollow.checked = true;
    StartSked("");
    ASSERT_TRUE(Armed());
    platform.readLocked.insert(File);  // another program holds it
    w.form.LoadSkeds();
    EXPECT_TRUE(w.lvSkeds.rows.empty());
    EXPECT_EQ(w.lSkedNote.text.rfind(std::string(File) + ": cannot be read", 0), 0u) << w.lSkedNote.text;
}

TEST_F(SkedsFixture, FollowingNeedsTheListOnlyForCqAndEndsWithTheIdleLook)
{
    w.cbFollow.checked = true;
    StartSked("");  // the CQ entry needs the callsign list
    EXPECT_EQ(platform.messages, Strings{RunMessages::ListNotFound});

    platform.files[List] = "Q2AAA\r\n";
    w.ClickDelay(true);
    w.ClickStop(true);
    StartSked("");
    ASSERT_TRUE(Armed());
    EXPECT_EQ(run.skeds.Entries(), EntriesOf({{"", true, Entry("2026-12-13 22:00 23:00 Q9XYZ")},
                                       {"", true, Entry("2026-12-13 23:00 23:30 CQ 144.366")}}));
    EXPECT_FALSE(w.cbFollow.enabled);
    EXPECT_FALSE(w.eTRCS.enabled);
    EXPECT_TRUE(desktop.journal.empty());  // nothing called before the first entry
    EXPECT_NE(std::find(platform.settingWrites.begin(), platform.settingWrites.end(), "FollowSkeds=1"),
              platform.settingWrites.end());
    EXPECT_NE(w.lSkedNote.text.find("next START"), std::string::npos);

    const int writes = w.lvSkeds.cellWrites;
    w.form.RefreshSkedStates();
    EXPECT_EQ(w.lvSkeds.cellWrites, writes) << "unchanged States are not written again";

    platform.utcNow = {2026, 12, 13, 23, 31, 0, 0};  // the last entry has ended
    platform.now = platform.utcNow;
    w.form.OnTimer();  // with delay and stop ticked, which alone would park the run
    EXPECT_EQ(w.bRun.caption, "START");
    EXPECT_TRUE(w.cbFollow.enabled);
    EXPECT_TRUE(w.rbSKED.enabled);

    platform.utcNow = platform.now = {2026, 12, 13, 22, 10, 0, 0};  // the first entry runs: called at once
    StartSked("");
    ASSERT_FALSE(desktop.journal.empty());
    EXPECT_EQ(desktop.journal[0], "set 12345 -> Q9XYZ");
    EXPECT_EQ(w.lvSkeds.rows[0][ColState], "now");
    // Where the list view shows no tips, the line under it gives the
    // selected entry's figures.
    w.lvSkeds.Select(0);
    w.form.ShowSkedNote();
    EXPECT_EQ(w.lSkedNote.text.rfind("Q9XYZ: ", 0), 0u) << w.lSkedNote.text;
    w.lvSkeds.Select(-1);
    w.form.RefreshSkedStates();
    EXPECT_EQ(w.lSkedNote.text.find("Q9XYZ"), std::string::npos) << w.lSkedNote.text;
}
