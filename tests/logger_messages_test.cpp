// The loggers' messages byte for byte, as WSJT-X's NetworkMessage.hpp
// defines them, and the feed that decides when each goes.
#include <gtest/gtest.h>

#include "engine/logger_feed.h"
#include "engine/logger_messages.h"
#include "tests/support/fake_udp.h"
#include "tests/support/utc_time.h"

namespace {

// A literal with its NUL bytes.
template <std::size_t N>
std::string B(const char (&bytes)[N])
{
    return std::string(bytes, N - 1);
}

CompletedContact Contact()
{
    CompletedContact c;
    c.partner = "Q9XYZ";
    c.ownCall = "Q1ABC";
    c.firstHeard = At(2026, 12, 8, 2, 58, 35);
    c.completed = At(2026, 12, 8, 3, 0, 5);
    c.freq = "144.370";
    return c;
}

// magic, schema 3, the type, then the id "Tavrix"
#define HEAD(type) "\xad\xbc\xcb\xda" "\0\0\0\x03" "\0\0\0" type "\0\0\0\x06" "Tavrix"

}  // namespace

TEST(LoggerMessages, Pieces)
{
    const struct { const char* name; std::string bytes, expected; } cases[] = {
        {"uint32", [] { std::string s; AppendUint32(s, 0x01020304); return s; }(), B("\x01\x02\x03\x04")},
        {"uint64", [] { std::string s; AppendUint64(s, 0x0102030405060708ull); return s; }(),
         B("\x01\x02\x03\x04\x05\x06\x07\x08")},
        {"text", [] { std::string s; AppendText(s, "Q9XYZ"); return s; }(), B("\0\0\0\x05" "Q9XYZ")},
        {"empty text", [] { std::string s; AppendText(s, ""); return s; }(), B("\0\0\0\0")},
        {"null text", [] { std::string s; AppendText(s, std::nullopt); return s; }(), B("\xff\xff\xff\xff")},
        {"UTF-8 counts bytes", [] { std::string s; AppendText(s, "Q1\xC3\x84"); return s; }(),
         B("\0\0\0\x04" "Q1\xC3\x84")},
        // Julian day 2461383, 03:00:05 = 10805000 ms, UTC
        {"date and time", [] { std::string s; AppendUtcDateTime(s, At(2026, 12, 8, 3, 0, 5)); return s; }(),
         B("\0\0\0\0\0\x25\x8e\xc7" "\0\xa4\xdf\x08" "\x01")},
        {"midnight", [] { std::string s; AppendUtcDateTime(s, At(2000, 1, 1, 0, 0, 0)); return s; }(),
         B("\0\0\0\0\0\x25\x68\x59" "\0\0\0\0" "\x01")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.bytes, c.expected);
    }
}

TEST(LoggerMessages, JulianDays)
{
    EXPECT_EQ(JulianDay(2000, 1, 1), 2451545);
    EXPECT_EQ(JulianDay(1858, 11, 17), 2400001);  // the day the modified Julian day counts from
    EXPECT_EQ(JulianDay(2024, 2, 29), 2460370);
    EXPECT_EQ(JulianDay(2024, 3, 1), 2460371);
    EXPECT_EQ(JulianDay(2026, 12, 31) + 1, JulianDay(2027, 1, 1));
}

TEST(LoggerMessages, WholeMessages)
{
    EXPECT_EQ(HeartbeatMessage("0.13.3.1", ""),
              B(HEAD("\x00") "\0\0\0\x03" "\0\0\0\x08" "0.13.3.1" "\0\0\0\0"));
    EXPECT_EQ(CloseMessage(), B(HEAD("\x06")));
    EXPECT_EQ(LoggedAdifMessage("<EOH>\r\n<EOR>\r\n"), B(HEAD("\x0c") "\0\0\0\x0e" "<EOH>\r\n<EOR>\r\n"));
    EXPECT_EQ(QsoLoggedMessage(QsoOf(Contact())),
              B(HEAD("\x05")
                "\0\0\0\0\0\x25\x8e\xc7" "\0\xa4\xdf\x08" "\x01"  // off 2026-12-08 03:00:05 UTC
                "\0\0\0\x05" "Q9XYZ"
                "\0\0\0\0"                                       // grid
                "\0\0\0\0\x08\x9a\xe9\x50"                       // 144370000 Hz
                "\0\0\0\x06" "FSK441"
                "\0\0\0\x02" "27" "\0\0\0\x02" "27"
                "\0\0\0\0" "\0\0\0\0" "\0\0\0\0"                 // power, comments, name
                "\0\0\0\0\0\x25\x8e\xc7" "\0\xa3\x7f\x78" "\x01"  // on 02:58:35
                "\0\0\0\0"                                       // operator
                "\0\0\0\x05" "Q1ABC"
                "\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0"));   // grid, exchanges, propagation
}

TEST(LoggerMessages, LoggedAdifIsTheContactsFilesRecordBehindAHeader)
{
    const std::string text = LoggedAdifText(Contact());
    EXPECT_EQ(text, AdifHeader(Contact().completed) + AdifRecord(Contact()));
    EXPECT_NE(text.find("<CREATED_TIMESTAMP:15>20261208 030005\r\n<EOH>\r\n<CALL:5>Q9XYZ "), std::string::npos);
}

TEST(LoggerMessages, FrequencyInHertz)
{
    const struct { const char* text; std::uint64_t hz; } cases[] = {
        {"144.370", 144370000}, {"144.37", 144370000}, {"144", 144000000}, {"50.313", 50313000},
        {"0.1367", 136700}, {"144.3701234", 144370123}, {".5", 500000}, {"144.", 144000000},
        {"", 0}, {".", 0}, {"144,370", 0}, {"1.2.3", 0}, {" 144", 0}, {"-144", 0}, {"2m", 0},
        {"1000000", 1000000000000}, {"1000001", 0}, {"99999999999999999999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FrequencyHz(c.text), c.hz);
    }
}

TEST(LoggerSettings, Ports)
{
    const struct { const char* text; bool good; std::uint16_t port; } cases[] = {
        {"2237", true, 2237}, {"1", true, 1}, {"65535", true, 65535}, {"02237", true, 2237},
        {"0", false, 9}, {"65536", false, 9}, {"99999", false, 9}, {"123456", false, 9}, {"", false, 9},
        {"-1", false, 9}, {"+2237", false, 9}, {"22 37", false, 9}, {"0x8bd", false, 9}, {"port", false, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::uint16_t port = 9;
        EXPECT_EQ(ParseUdpPort(c.text, port), c.good);
        EXPECT_EQ(port, c.port);
    }
}

TEST(LoggerFeed, HeartbeatsEveryFifteenSecondsFromStartAndCloseAtTheEnd)
{
    FakeUdp udp;
    LoggerFeed feed;
    feed.SetPort(&udp);
    EXPECT_EQ(feed.Start(LoggerSettings{}, 1000), "");
    EXPECT_EQ(udp.address, 0x7f000001u);
    EXPECT_EQ(udp.port, 2237);
    for (std::int64_t t = 1001; t <= 1030; ++t)
        feed.Tick(t);
    feed.Tick(1020);  // the clock set back: due at once
    EXPECT_EQ(udp.Types(), (std::vector<std::uint32_t>{0, 0, 0, 0}));
    feed.Contact(Contact());
    feed.Finish();
    EXPECT_EQ(udp.Types(), (std::vector<std::uint32_t>{0, 0, 0, 0, 5, 12, 6}));
    EXPECT_FALSE(udp.open);
    feed.Finish();
    feed.Tick(2000);
    feed.Contact(Contact());
    EXPECT_EQ(udp.sent.size(), 7u) << "nothing once finished";
}

TEST(LoggerFeed, StartAgainKeepsTheTargetOrClosesIt)
{
    FakeUdp udp;
    LoggerFeed feed;
    feed.SetPort(&udp);
    feed.Start(LoggerSettings{}, 0);
    feed.Start(LoggerSettings{}, 100);
    EXPECT_EQ(udp.opens, 1);
    feed.Start(LoggerSettings{true, "239.255.0.1", "2237"}, 200);
    EXPECT_EQ(udp.opens, 2);
    EXPECT_EQ(udp.address, 0xefff0001u);
    feed.Start(LoggerSettings{false, "239.255.0.1", "2237"}, 300);
    EXPECT_FALSE(udp.open);
    feed.Start(LoggerSettings{true, "", "2237"}, 400);
    EXPECT_FALSE(udp.open) << "an empty server is sending turned off";
    EXPECT_EQ(udp.Types(), (std::vector<std::uint32_t>{0, 0, 6, 0, 6}));
}

TEST(LoggerFeed, FaultsAreToldOnceAndNothingStops)
{
    const struct { const char* name; LoggerSettings settings; bool openFails; const char* fault; } cases[] = {
        {"port 0", {true, "127.0.0.1", "0"}, false, "port \"0\" is not 1 to 65535"},
        {"port too high", {true, "127.0.0.1", "65536"}, false, "port \"65536\" is not 1 to 65535"},
        {"unknown name", {true, "no.such.host", "2237"}, false, "no.such.host: not found"},
        {"no socket", {true, "logger.local", "2237"}, true, "cannot open a socket: refused"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeUdp udp;
        udp.openFails = c.openFails;
        LoggerFeed feed;
        feed.SetPort(&udp);
        EXPECT_EQ(feed.Start(c.settings, 0), c.fault);
        EXPECT_EQ(feed.Fault(), c.fault);
        EXPECT_FALSE(feed.Sending());
        EXPECT_EQ(feed.Tick(60), "");
        EXPECT_EQ(feed.Contact(Contact()), "");
        udp.openFails = false;
        EXPECT_EQ(feed.Start(LoggerSettings{}, 100), "") << "a good START clears it";
        EXPECT_EQ(feed.Fault(), "");
        EXPECT_TRUE(feed.Sending());
    }

    FakeUdp udp;
    LoggerFeed feed;
    feed.SetPort(&udp);
    feed.Start(LoggerSettings{}, 0);
    udp.sendFails = true;
    EXPECT_EQ(feed.Tick(15), "cannot send: network down");
    EXPECT_EQ(feed.Contact(Contact()), "") << "told already";
    EXPECT_EQ(feed.Tick(30), "");
    udp.sendFails = false;
    EXPECT_EQ(feed.Contact(Contact()), "");
    EXPECT_EQ(feed.Fault(), "") << "the logger is back";
    udp.sendFails = true;
    EXPECT_EQ(feed.Tick(45), "cannot send: network down") << "met anew, told anew";
}

TEST(LoggerFeed, WithoutAPortNothingHappens)
{
    LoggerFeed feed;
    EXPECT_EQ(feed.Start(LoggerSettings{true, "x", "0"}, 0), "");
    EXPECT_FALSE(feed.Sending());
    feed.Finish();
}
