// The radio on each sked's frequency: what an entry's start decides, each
// frequency set before the entry's period and call, an entry whose
// frequency can't be set left unworked, START without rigctld, the way home
// however the run ends, and the frequency in the contact's records.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine/contacts_file.h"
#include "engine/sked_radio.h"
#include "tests/support/fake_tcp.h"
#include "tests/support/fake_udp.h"
#include "tests/support/following.h"

namespace {

using Strings = std::vector<std::string>;

constexpr std::int64_t At2200 = 1797199200;  // 2026-12-13 22:00:00 UTC
constexpr std::int64_t Home = 144300000;
const char* const ThreeEntries = "2026-12-13 22:00 22:10 Q9XYZ 1st 144.366\r\n"
                                 "2026-12-13 22:10 22:20 Q7PQR 144.37\r\n"
                                 "2026-12-13 22:20 22:30 Q5AAA\r\n";

struct RadioNight : Following {
    FakeTcp tcp;
    FakeUdp udp;
    RadioNight()
    {
        tcp.radio = true;
        tcp.dialHz = Home;
        tcp.journal = &desktop.journal;
        w.form.rigPort = &tcp;
        w.eRig.text = "localhost:4532";
        run.loggers.SetPort(&udp);
    }
    // rigctld stops: the connection closes and nothing answers again.
    void RigctldGone() { tcp.closesAfterSend = tcp.refuses = true; }
    void RigctldBack() { tcp.closesAfterSend = tcp.refuses = false; }
    std::string LogText() { return platform.files[Log]; }
};

// One fresh window for each case.
struct OneNight : RadioNight {
    void TestBody() override {}
};

}  // namespace

TEST(SkedRadio, AnEntryIsWorkedUnlessItsFrequencyWasAskedAndNotSet)
{
    const struct { std::int64_t hz; bool linked, setOk; EntryTuning tuning; } cases[] = {
        {0, true, false, EntryTuning::NotAsked},          // no frequency: the radio stays
        {144366000, false, false, EntryTuning::NotAsked},  // no radio in the run
        {144366000, true, true, EntryTuning::Set},
        {144366000, true, false, EntryTuning::NotSet},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TuningOf(c.hz, c.linked, c.setOk), c.tuning) << c.hz << " " << c.linked << " " << c.setOk;
        EXPECT_EQ(AsksRadio(c.hz, c.linked), c.tuning != EntryTuning::NotAsked);
    }
}

TEST(SkedRadio, BandOfAFrequency)
{
    const struct { std::int64_t hz; const char* band; } cases[] = {
        {1800000, "160m"},   {50260000, "6m"},     {144366000, "2m"},   {148000000, "2m"},
        {148000001, ""},     {432100000, "70cm"},  {1296200000, "23cm"}, {100000000, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AdifBand(c.hz), c.band) << c.hz;
}

TEST_F(RadioNight, EachFrequencySetBeforeItsPeriodAndCallAndHomeAfterTheNight)
{
    Start(ThreeEntries, At2200 - 10);
    ASSERT_TRUE(Armed());
    EXPECT_NE(LogText().find("UTC Radio on 144.3 MHz, its home frequency"), std::string::npos) << LogText();
    RunTo(At2200 + 30);
    EXPECT_EQ(tcp.dialHz, 144366000);
    // A contact in the first entry carries its frequency.
    run.SetState(1);
    run.SetState(4);
    const std::string adif = platform.files["c:\\program files\\wsjt\\tavrix.adi"];
    EXPECT_NE(adif.find("<BAND:2>2m <FREQ:7>144.366"), std::string::npos) << adif;
    std::string loggers;
    for (const std::string& datagram : udp.sent)
        loggers += datagram;
    EXPECT_NE(loggers.find("<FREQ:7>144.366"), std::string::npos) << "Logged ADIF";
    const char qsoLoggedHz[] = {0, 0, 0, 0, 0x08, char(0x9a), char(0xd9), char(0xb0)};  // 144366000
    EXPECT_NE(loggers.find(std::string(qsoLoggedHz, 8)), std::string::npos) << "QSO Logged";

    RunTo(At2200 + 1200 + 5);
    EXPECT_EQ(tcp.dialHz, 144370000) << "an entry without a frequency leaves the radio where it is";
    RunTo(At2200 + 1800 + 5);
    EXPECT_FALSE(Armed());
    Strings periods = Periods();
    periods.erase(std::remove(periods.begin(), periods.end(), "set 12345 -> Q9XYZ"), periods.end());
    EXPECT_EQ(periods, (Strings{"rig F 144366000", "press Tx &First", "rig F 144370000", "set 12345 -> Q7PQR",
                                "set 12345 -> Q5AAA", "rig F 144300000"}));
    EXPECT_EQ(tcp.dialHz, Home);
    EXPECT_NE(LogText().find("UTC Radio back on its home frequency, 144.3 MHz"), std::string::npos) << LogText();
}

TEST(SkedRadio, AnEntryWhoseFrequencyIsNotSetIsNotWorkedAndAskedAgainEachMinute)
{
    const struct { const char* name; std::int64_t backAt; bool called; const char* outcome; } cases[] = {
        {"rigctld gone for the entry", -1, false, "frequency not set"},
        {"rigctld back after a minute", At2200 + 630, true, "not heard"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OneNight f;
        f.Start(ThreeEntries, At2200 - 10);
        f.RunTo(At2200 + 590);
        f.RigctldGone();
        const int connects = f.tcp.connects;
        f.RunTo(At2200 + 605);
        EXPECT_NE(f.ToRadio(), "Q7PQR");
        EXPECT_NE(f.Status().find("Q7PQR: frequency not set, again in 55 s (rigctld: refused)"), std::string::npos)
            << f.Status();
        if (c.backAt > 0) {
            f.RunTo(c.backAt);
            f.RigctldBack();
        }
        f.RunTo(At2200 + 1199);
        EXPECT_EQ(f.ToRadio() == "Q7PQR", c.called) << f.ToRadio();
        EXPECT_EQ(f.tcp.connects - connects, c.called ? 2 : 10) << "once a minute until it answers";
        f.RunTo(At2200 + 1205);
        EXPECT_EQ(f.ToRadio(), "Q5AAA") << "an entry without a frequency is worked";
        const std::string log = f.LogText();
        const std::string note = "UTC Frequency 144.37 MHz not set: rigctld: refused; Q7PQR is not called";
        EXPECT_NE(log.find(note), std::string::npos) << log;
        EXPECT_EQ(log.find(note, log.find(note) + 1), std::string::npos) << "told once";
        EXPECT_NE(log.find(std::string("Q7PQR: ") + c.outcome), std::string::npos) << log;
        EXPECT_EQ(f.w.form.run.skeds.StateText(1, f.utc), c.outcome);
    }
}

TEST(SkedRadio, StartNeedsRigctldOnlyWhenAnEntryNamesAFrequency)
{
    const struct { const char* name; const char* skeds; const char* rig; bool refuses, armed; const char* told; }
        cases[] = {
            {"frequencies, rigctld absent", ThreeEntries, "localhost:4532", true, false,
             "The radio's frequency can't be read, and the skeds name frequencies: rigctld at localhost:4532: "
             "refused"},
            {"frequencies, unknown host", ThreeEntries, "shack:4532", false, false, "host shack: not found"},
            {"no frequency, rigctld absent", "2026-12-13 22:00 22:10 Q9XYZ\r\n", "localhost:4532", true, true,
             "UTC Radio not used, no entry names a frequency: rigctld at localhost:4532: refused"},
            {"frequencies, no Rig", ThreeEntries, "", false, true, "UTC Rig is empty: the skeds' frequencies"},
        };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OneNight f;
        f.w.eRig.text = c.rig;
        f.tcp.refuses = c.refuses;
        f.Start(c.skeds, At2200 - 10);
        EXPECT_EQ(f.Armed(), c.armed);
        const std::string told = c.armed ? f.LogText() : f.platform.errors.empty() ? "" : f.platform.errors.back().second;
        EXPECT_NE(told.find(c.told), std::string::npos) << told;
    }
}

TEST(SkedRadio, HomeAgainWhicheverWayTheRunEnds)
{
    const struct { const char* way; std::function<void(OneNight&)> end; } ways[] = {
        {"last entry", [](OneNight& f) { f.RunTo(At2200 + 1800 + 5); }},
        {"STOP", [](OneNight& f) { f.w.form.bRunClick(); }},
        {"close", [](OneNight& f) { bool canClose = true; f.w.form.FormCloseQuery(canClose); }},
        {"end of session", [](OneNight& f) { f.w.form.FormEndSession(); }},
    };
    for (const auto& c : ways) {
        SCOPED_TRACE(c.way);
        OneNight f;
        f.Start(ThreeEntries, At2200 - 10);
        f.RunTo(At2200 + 5);
        EXPECT_EQ(f.tcp.dialHz, 144366000);
        c.end(f);
        EXPECT_FALSE(f.Armed());
        EXPECT_EQ(f.tcp.dialHz, Home);
        EXPECT_FALSE(f.tcp.Connected()) << "the link ends with the run";
    }
}
