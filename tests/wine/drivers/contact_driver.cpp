// Whole contacts in real time: the real tavrix.exe, worked through its
// window as an operator would, against the stand-in WSJT whose partner
// station answers every half minute (/fast). A contact is complete when
// WSJT's "Tx &5" has been pressed; then WSJT's presses must be in order and
// the activity log must hold exactly the marked decodes the run scanned, and
// the contacts file beside it one record of the contact.
#include <gtest/gtest.h>

#include <cstdio>

#include "tools/desk_win32.h"

namespace {

constexpr long long ContactLimitMs = 240000;

void ExpectComplete(const ContactOutcome& outcome, Desk& desk, const std::string& partner)
{
    std::printf("contact took %lld s\n", outcome.ms / 1000);
    ::testing::Test::RecordProperty("ContactSeconds", static_cast<int>(outcome.ms / 1000));
    EXPECT_TRUE(outcome.completed) << "no Tx 5 within " << ContactLimitMs / 1000 << " s";
    EXPECT_EQ(outcome.problem, "");
    EXPECT_FALSE(outcome.expected.empty());
    EXPECT_EQ(outcome.logged, outcome.expected);
    const std::string adif = desk.ReadFile("tavrix.adi");
    EXPECT_NE(adif.find("<EOH>"), std::string::npos) << adif;
    EXPECT_NE(adif.find("<CALL:" + std::to_string(partner.size()) + ">" + partner + " "), std::string::npos) << adif;
    EXPECT_EQ(adif.find("<EOR>"), adif.rfind("<EOR>")) << "one record: " << adif;
    if (::testing::Test::HasFailure())
        std::printf("journal:\n%s\n", desk.ReadFile("wsjt.journal").c_str());
}

void WorkSkedWithAPartnerWhoCallsUs()
{
    Desk desk(EnvPath("TEST_DIR"));
    ASSERT_TRUE(desk.StartWsjt("/partner Q9XYZ /behaviour normal /noise 1 /fast"));
    ASSERT_TRUE(desk.StartTavrix("Q1ABC"));
    ExpectComplete(desk.WorkContact({false, "Q9XYZ", ContactLimitMs}), desk, "Q9XYZ");
}

}  // namespace

TEST(Contact, SkedWithAPartnerWhoCallsUs) { WorkSkedWithAPartnerWhoCallsUs(); }

TEST(Contact, CqAnsweredByAListedStation)
{
    Desk desk(EnvPath("TEST_DIR"));
    desk.WriteFile("call3a.txt", "// test list\r\nQ2AAA,JO22\r\nQ7PQR,KO85,,,Ivan,,,2024\r\nZZZZZZ,End-of-Database");
    ASSERT_TRUE(desk.StartWsjt("/partner Q7PQR /behaviour cq-listed /noise 1 /fast"));
    ASSERT_TRUE(desk.StartTavrix("Q1ABC"));
    ExpectComplete(desk.WorkContact({true, "Q7PQR", ContactLimitMs}), desk, "Q7PQR");
}

// The contact sent to the loggers at LOGGER_SERVER:LOGGER_PORT, where
// tests/wine/loggers.sh has WSJT-X's udp_daemon listening; Tavrix is closed
// at the end, so that its Close goes too. With Freq set, the QSO Logged
// message carries the frequency in hertz.
TEST(Contact, ToTheLoggers)
{
    const char* server = getenv("LOGGER_SERVER");
    const char* port = getenv("LOGGER_PORT");
    ASSERT_TRUE(server && port) << "run by tests/wine/loggers.sh";
    {
        Desk desk(EnvPath("TEST_DIR"));
        ASSERT_TRUE(desk.StartWsjt("/partner Q9XYZ /behaviour normal /noise 1 /fast"));
        ASSERT_TRUE(desk.StartTavrix("Q1ABC", "Freq=144.370\r\nUdpServer=" + std::string(server) +
                                                  "\r\nUdpPort=" + port + "\r\n"));
        ExpectComplete(desk.WorkContact({false, "Q9XYZ", ContactLimitMs}), desk, "Q9XYZ");
        std::printf("status bar: %s\n", desk.Status().c_str());
        EXPECT_EQ(desk.Status().find("Loggers"), std::string::npos);
    }
    std::printf("Tavrix closed\n");
}

// WSJT stamps its decodes in UTC while the computer keeps local time seven
// hours ahead (contact.cmake runs this under TZ=Asia/Novosibirsk).
TEST(Contact, InAZoneAheadOfUtc)
{
    SYSTEMTIME local, utc;
    GetLocalTime(&local);
    GetSystemTime(&utc);
    std::printf("local %02u:%02u, UTC %02u:%02u\n", local.wHour, local.wMinute, utc.wHour, utc.wMinute);
    ASSERT_EQ((local.wHour - utc.wHour + 24) % 24, 7) << "the computer's time zone is not UTC+7";
    WorkSkedWithAPartnerWhoCallsUs();
}
