// The link to rigctld against the fake TCP port: every way the radio is not
// set, a read-back rounded within 10 Hz, and one reconnect.
#include <gtest/gtest.h>

#include "engine/rig.h"
#include "tests/support/fake_tcp.h"

TEST(Rig, AddressesGoodAndBad)
{
    const struct { const char* text; const char* host; int port; } cases[] = {
        {"localhost:4532", "localhost", 4532}, {"shack", "shack", 4532}, {"10.0.0.2:1", "10.0.0.2", 1},
        {"localhost:0", nullptr, 0},          {"localhost:65536", nullptr, 0}, {":4532", nullptr, 0},
        {"local host:4532", nullptr, 0},      {"localhost:45x2", nullptr, 0},
    };
    for (const auto& c : cases) {
        std::string host, why;
        std::uint16_t port = 0;
        EXPECT_EQ(ParseRigAddress(c.text, host, port, why), c.host != nullptr) << c.text;
        if (c.host)
            EXPECT_EQ(host + ":" + std::to_string(port), std::string(c.host) + ":" + std::to_string(c.port));
        else
            EXPECT_FALSE(why.empty());
    }
}

TEST(Rig, OpenFailsWithTheReason)
{
    FakeTcp tcp;
    RigLink rig(tcp);
    std::string why;
    EXPECT_FALSE(rig.Open("nowhere:4532", why));
    EXPECT_NE(why.find("nowhere: not found"), std::string::npos) << why;
    tcp.refuses = true;
    EXPECT_FALSE(rig.Open("localhost:4532", why));
    EXPECT_NE(why.find("refused"), std::string::npos) << why;
    EXPECT_FALSE(rig.IsOpen());
    std::int64_t hz = 0;
    EXPECT_FALSE(rig.ReadFrequency(hz, why));
}

TEST(Rig, SetReadsBackAndSaysWhyNot)
{
    const struct {
        std::deque<std::string> answers;
        bool set;
        const char* why;  // part of the reason or note
    } cases[] = {
        {{"RPRT 0\n", "144366000\n"}, true, ""},
        {{"RPRT 0\n", "144366010\n"}, true, "10 Hz off"},
        {{"RPRT 0\n", "144365989\n"}, false, "reads 144365989 Hz"},
        {{"RPRT -11\n"}, false, "error -11"},
        {{"RPRT 0\n", "RPRT -1\n"}, false, "error -1"},
        {{"hello\n"}, false, "answered \"hello\""},
        {{"RPRT"}, false, "no answer"},  // a partial line that never ends
        {{}, false, "no answer"},        // accepts but never answers
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        FakeTcp tcp;
        RigLink rig(tcp);
        std::string why;
        ASSERT_TRUE(rig.Open("localhost:4532", why)) << why;
        tcp.answers = c.answers;
        std::int64_t got = 0;
        EXPECT_EQ(rig.SetFrequency(144366000, got, why), c.set);
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
        EXPECT_EQ(tcp.sent.front(), "F 144366000\n");
        EXPECT_EQ(tcp.connects, 1);
    }
}

TEST(Rig, ReconnectsOnceWhenTheConnectionBroke)
{
    FakeTcp tcp;
    RigLink rig(tcp);
    std::string why;
    ASSERT_TRUE(rig.Open("localhost", why));
    tcp.Close();  // rigctld restarted
    tcp.answers = {"50313000\n"};
    std::int64_t hz = 0;
    EXPECT_TRUE(rig.ReadFrequency(hz, why)) << why;
    EXPECT_EQ(hz, 50313000);
    EXPECT_EQ(tcp.connects, 2);
    tcp.closesAfterSend = true;  // gone for good: one more try, then the reason
    EXPECT_FALSE(rig.ReadFrequency(hz, why));
    EXPECT_NE(why.find("closed"), std::string::npos) << why;
    EXPECT_EQ(tcp.connects, 3);
}
