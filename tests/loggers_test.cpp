// The loggers' feed in the window: the Options page's settings, what a run
// sends, and a fault told in the status bar and the activity log.
#include <gtest/gtest.h>

#include "tests/support/fake_tcp.h"
#include "tests/support/fake_udp.h"
#include "tests/support/run_fixture.h"

namespace {

struct LoggersFixture : RunFixture {
    FakeUdp udp;
    LoggersFixture() { run.loggers.SetPort(&udp); }

    void Complete()
    {
        run.SetState(1);
        run.SetState(4);
    }
    // The activity log's lines that are the feed's own.
    int FaultLines()
    {
        const std::string& log = platform.files[Log];
        int lines = 0;
        for (std::size_t at = log.find("UTC Loggers (UDP): "); at != std::string::npos;
             at = log.find("UTC Loggers (UDP): ", at + 1))
            ++lines;
        return lines;
    }
};

}  // namespace

TEST(LoggerOptions, ReadIntoTheOptionsPage)
{
    const struct { const char* name; const char* server; const char* port; bool ticked; const char* shown;
                   const char* portShown; } cases[] = {
        {"no keys: WSJT-X's defaults", nullptr, nullptr, true, "127.0.0.1", "2237"},
        {"empty server: off", "", "2238", false, "127.0.0.1", "2238"},
        {"multicast group", "239.255.0.1", "2237", true, "239.255.0.1", "2237"},
        {"host name, bad port kept for START to tell", "logger.local", "0", true, "logger.local", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ModelWindow w;
        auto& options = w.platform.ini["C:\\tavrix\\tavrix.ini"]["options"];
        if (c.server)
            options["udpserver"] = c.server;
        if (c.port)
            options["udpport"] = c.port;
        w.form.FormCreate();
        EXPECT_EQ(w.cbUdp.checked, c.ticked);
        EXPECT_EQ(w.eUdpServer.text, c.shown);
        EXPECT_EQ(w.eUdpPort.text, c.portShown);
        EXPECT_EQ(w.eUdpServer.enabled, c.ticked);
        EXPECT_EQ(w.eUdpPort.enabled, c.ticked);
    }
}

TEST_F(LoggersFixture, UntickedIsWrittenAsAnEmptyServerAndSendsNothing)
{
    w.cbUdp.checked = false;
    w.form.cbUdpClick();
    EXPECT_FALSE(w.eUdpServer.enabled);
    w.eUdpServer.text = " logger.local ";
    StartSked("Q9XYZ");
    EXPECT_EQ(platform.settingWrites.back(), "Rig=");
    EXPECT_EQ(platform.settingWrites[platform.settingWrites.size() - 2], "UdpPort=2237");
    EXPECT_EQ(platform.settingWrites[platform.settingWrites.size() - 3], "UdpServer=");
    EXPECT_TRUE(udp.sent.empty());

    w.form.bRunClick();
    w.cbUdp.checked = true;
    w.form.cbUdpClick();
    StartSked("Q9XYZ");
    EXPECT_EQ(platform.settingWrites[platform.settingWrites.size() - 3], "UdpServer=logger.local");
    EXPECT_EQ(udp.address, 0xc0a80102u);
}

TEST_F(LoggersFixture, ARunSendsItsContactsAndBeatsUntilTheProgramEnds)
{
    platform.ini[Ini]["options"]["freq"] = "144.370";
    StartSked("Q9XYZ");
    EXPECT_EQ(udp.Types(), (std::vector<std::uint32_t>{0}));
    Complete();
    EXPECT_EQ(udp.Types(), (std::vector<std::uint32_t>{0, 5, 12}));
    EXPECT_NE(udp.sent[1].find(std::string("\0\0\0\x05" "Q9XYZ", 9)), std::string::npos);
    EXPECT_NE(udp.sent[1].find(std::string("\x08\x9a\xe9\x50", 4)), std::string::npos) << "144.370 MHz";
    const std::string& adif = platform.files["c:\\program files\\wsjt\\tavrix.adi"];
    EXPECT_NE(udp.sent[2].find(adif.substr(adif.find("<CALL:"))), std::string::npos) << "the file's record";

    w.form.bRunClick();  // STOP: the feed goes on
    for (int s = 1; s <= 30; ++s) {
        platform.utcNow = AddSeconds(platform.utcNow, 1);
        w.form.OnTimer();
    }
    EXPECT_EQ(udp.Types(), (std::vector<std::uint32_t>{0, 5, 12, 0, 0}));
    w.form.FormDestroy();
    EXPECT_EQ(udp.Types().back(), 6u);
    EXPECT_FALSE(udp.open);
}

TEST_F(LoggersFixture, AFaultIsToldOnceTheRunGoesOnAndTheFileIsWritten)
{
    w.eUdpPort.text = "65536";
    StartSked("Q9XYZ");
    EXPECT_TRUE(Armed());
    EXPECT_TRUE(platform.messages.empty()) << "no box: nobody may be there to close it";
    EXPECT_EQ(FaultLines(), 1);
    EXPECT_NE(platform.files[Log].find("Loggers (UDP): port \"65536\" is not 1 to 65535\r\n"), std::string::npos);
    EXPECT_NE(w.form.StatusLine().find("\tLoggers (UDP): port \"65536\" is not 1 to 65535"), std::string::npos)
        << w.form.StatusLine();
    Complete();
    EXPECT_NE(platform.files["c:\\program files\\wsjt\\tavrix.adi"].find("<CALL:5>Q9XYZ"), std::string::npos);
    EXPECT_NE(w.form.StatusLine().find("1 contact; Loggers (UDP): port"), std::string::npos) << w.form.StatusLine();
    EXPECT_TRUE(udp.sent.empty());

    w.form.bRunClick();
    w.eUdpPort.text = "2237";
    udp.sendFails = true;  // the network goes down
    StartSked("Q9XYZ");
    Complete();
    for (int s = 1; s <= 60; ++s) {
        platform.utcNow = AddSeconds(platform.utcNow, 1);
        w.form.OnTimer();
    }
    EXPECT_EQ(FaultLines(), 2) << platform.files[Log];
    udp.sendFails = false;
    platform.utcNow = AddSeconds(platform.utcNow, 15);
    w.form.OnTimer();
    EXPECT_EQ(w.form.StatusLine().find("Loggers"), std::string::npos) << "back: " << w.form.StatusLine();
}

// The Options page's Test of the radio's rigctld says what it read, or why not.
TEST(RigTest, ShowsTheFrequencyOrWhyNot)
{
    ModelWindow w;
    FakeTcp tcp;
    w.form.rigPort = &tcp;
    w.form.FormCreate();
    const struct { const char* rig; std::deque<std::string> answers; const char* message; } cases[] = {
        {"localhost:4532", {"144366000\n"}, "The radio is on 144.366 MHz."},
        {"nowhere:4532", {}, "can't be read: the radio's host nowhere: not found."},
        {"localhost:4532", {"RPRT -8\n"}, "can't be read: rigctld reports error -8."},
        {" ", {}, "Rig is empty"},
    };
    for (const auto& c : cases) {
        w.eRig.text = c.rig;
        tcp.answers = c.answers;
        w.form.bRigTestClick();
        ASSERT_FALSE(w.platform.messages.empty());
        EXPECT_NE(w.platform.messages.back().find(c.message), std::string::npos) << w.platform.messages.back();
    }
}
