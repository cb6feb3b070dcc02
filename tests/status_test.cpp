// The status bar's text for each situation a run can be in.
#include <gtest/gtest.h>

#include "engine/status.h"

namespace {

LocalTime At(int hour, int minute, int second)
{
    LocalTime now;
    now.hour = hour;
    now.minute = minute;
    now.second = second;
    return now;
}

// A sked run with Q9XYZ in `state`, 30 minutes' time limit, nothing ticked.
StatusFacts Run(int state)
{
    StatusFacts facts;
    facts.armed = true;
    facts.state = state;
    facts.calledSinceStart = state >= 0;
    facts.partner = "Q9XYZ";
    facts.tickLimit = 1800;
    return facts;
}

StatusFacts Delayed(bool called, int hour, int minute)
{
    StatusFacts facts = Run(-1);
    facts.calledSinceStart = called;
    facts.delay = true;
    facts.delayHour = hour;
    facts.delayMinute = minute;
    return facts;
}

StatusFacts Counting(int ticks, int limit, StatusFacts facts)
{
    facts.tickCount = ticks;
    facts.tickLimit = limit;
    return facts;
}

StatusFacts WithContacts(int contacts, StatusFacts facts)
{
    facts.contacts = contacts;
    facts.lastPartner = "Q7PQR";
    facts.lastHour = 9;
    facts.lastMinute = 5;
    return facts;
}

StatusFacts WithTrouble(unsigned troubles, StatusFacts facts)
{
    facts.troubles = troubles;
    return facts;
}

StatusFacts CallingCq()
{
    StatusFacts facts = Run(0);
    facts.cq = true;
    facts.partner = "Q7PQR";  // the caller of an earlier contact
    return facts;
}

// Entry 2 of 6 of a schedule runs until 23:00 UTC; or, not working, the
// next starts at 23:00 UTC in `wait` seconds; or the schedule is done.
StatusFacts InSked(StatusFacts facts, StatusFacts::Sked sked = StatusFacts::Sked::Working, int wait = 0)
{
    facts.sked = sked;
    facts.skedNumber = 2;
    facts.skedCount = 6;
    facts.skedStation = "Q9XYZ";
    facts.skedTime.hour = 23;
    facts.skedTime.year = 2026, facts.skedTime.month = 12, facts.skedTime.day = 14;
    facts.skedWait = wait;
    facts.skedOtherDay = wait > 86400;
    return facts;
}

struct Case {
    const char* situation;
    StatusFacts facts;
    LocalTime now;
    const char* text;
};

const Case Cases[] = {
    {"idle", StatusFacts{}, At(10, 0, 0), "Idle"},
    {"idle after a run", WithContacts(2, StatusFacts{}), At(10, 0, 0), "Idle\t2 contacts, last Q7PQR 09:05"},
    {"idle keeps no trouble", WithTrouble(PeerGone | LogNotOpen | DecodedMissing, StatusFacts{}), At(10, 0, 0),
     "Idle"},

    {"waiting", Delayed(false, 12, 0), At(10, 48, 0), "Waiting: first call at 12:00 (in 1 h 12 min)"},
    {"waiting, minutes rounded up", Delayed(false, 12, 0), At(11, 15, 1), "Waiting: first call at 12:00 (in 45 min)"},
    {"waiting, whole hours", Delayed(false, 12, 0), At(10, 0, 0), "Waiting: first call at 12:00 (in 2 h)"},
    {"waiting, last minute", Delayed(false, 12, 0), At(11, 59, 25), "Waiting: first call at 12:00 (in 35 s)"},
    {"waiting, tomorrow", Delayed(false, 12, 0), At(13, 5, 0),
     "Waiting: first call at 12:00 tomorrow (in 22 h 55 min)"},
    {"waiting, the minute just gone", Delayed(false, 12, 0), At(12, 0, 30),
     "Waiting: first call at 12:00 tomorrow (in 24 h)"},
    {"waiting, past midnight", Delayed(false, 0, 30), At(23, 50, 0),
     "Waiting: first call at 00:30 tomorrow (in 40 min)"},

    {"parked at the stop time", Delayed(true, 12, 0), At(17, 0, 0), "Parked until 12:00 tomorrow"},
    {"parked, delay later today", Delayed(true, 20, 0), At(17, 0, 0), "Parked until 20:00"},
    {"parked, delay equal to stop", Delayed(true, 12, 0), At(12, 0, 0), "Parked until 12:00 tomorrow"},
    {"parked with contacts", WithContacts(1, Delayed(true, 12, 0)), At(17, 0, 0),
     "Parked until 12:00 tomorrow\t1 contact, last Q7PQR 09:05"},
    {"parked ignores the last scan's trouble", WithTrouble(DecodedMissing, Delayed(true, 12, 0)), At(17, 0, 0),
     "Parked until 12:00 tomorrow"},

    {"calling the sked partner", Run(0), At(12, 0, 23), "Calling Q9XYZ, next scan in 12 s"},
    {"calling CQ, right after a scan", CallingCq(), At(12, 0, 5), "Calling CQ, next scan in 30 s"},
    {"calling, scan next minute", Run(0), At(12, 0, 59), "Calling Q9XYZ, next scan in 6 s"},
    {"calling again after contacts", WithContacts(3, CallingCq()), At(12, 0, 36),
     "Calling CQ, next scan in 29 s\t3 contacts, last Q7PQR 09:05"},

    {"partner heard", Counting(1, 1800, Run(1)), At(12, 0, 5),
     "Q9XYZ: heard, sending 27 (Tx 2), 29:59 left, scan 30 s"},
    {"report received", Counting(29, 1800, Run(2)), At(12, 0, 34),
     "Q9XYZ: got 27, sending R27 (Tx 3), 29:31 left, scan 1 s"},
    {"R27 received", Counting(600, 1800, Run(3)), At(12, 0, 35),
     "Q9XYZ: got R27, sending RRR (Tx 4), 20:00 left, scan 30 s"},
    {"RRR received, counted at once", WithContacts(1, Counting(1, 240, Run(4))), At(12, 0, 5),
     "Q9XYZ: got RRR, sending 73 (Tx 5), 3:59 left, scan 30 s\t1 contact"},
    {"time limit 0 or less", Counting(1, -60, Run(1)), At(12, 0, 5),
     "Q9XYZ: heard, sending 27 (Tx 2), 0:00 left, scan 30 s"},
    {"time limit beyond an hour", Counting(0, 2147483647, Run(2)), At(12, 0, 20),
     "Q9XYZ: got 27, sending R27 (Tx 3), 596523:14:07 left, scan 15 s"},

    // No decoded.cum is what a clearing or a night before its first decode leaves.
    {"decoded.cum missing while calling", WithTrouble(DecodedMissing, Run(0)), At(12, 0, 5),
     "Calling Q9XYZ, no decodes yet, next scan in 30 s"},
    {"decoded.cum missing in a contact", WithTrouble(DecodedMissing, Counting(1, 1800, Run(1))), At(12, 0, 5),
     "Q9XYZ: heard, sending 27 (Tx 2), no decodes yet, 29:59 left, scan 30 s"},
    {"decoded.cum missing in a sked", InSked(WithTrouble(DecodedMissing, CallingCq())), At(12, 0, 5),
     "Sked 2 of 6: Calling CQ, no decodes yet, next scan in 30 s \x85 until 23:00 UTC"},
    {"decoded.cum unreadable", WithTrouble(DecodedMissing | DecodedUnreadable, Run(2)), At(12, 0, 35),
     "decoded.cum could not be read, next scan in 30 s"},
    {"WSJT gone", WithTrouble(PeerGone | DecodedUnreadable, Run(3)), At(12, 0, 35), "WSJT's window is gone"},
    {"no activity log", WithContacts(2, WithTrouble(LogNotOpen, Run(0))), At(12, 0, 23),
     "Calling Q9XYZ, next scan in 12 s\tNo activity log"},
    {"contacts not written", WithContacts(2, WithTrouble(ContactsNotWritten, Run(4))), At(12, 0, 5),
     "Q9XYZ: got RRR, sending 73 (Tx 5), 30:00 left, scan 30 s\tContacts not saved"},

    {"sked of a schedule", InSked(Counting(600, 1800, Run(3))), At(12, 0, 35),
     "Sked 2 of 6: Q9XYZ: got R27, sending RRR (Tx 4), 20:00 left, scan 30 s \x85 until 23:00 UTC"},
    {"CQ slot of a schedule", WithContacts(1, InSked(CallingCq())), At(12, 0, 5),
     "Sked 2 of 6: Calling CQ, next scan in 30 s \x85 until 23:00 UTC\t1 contact, last Q7PQR 09:05"},
    {"next sked another day", InSked(Run(-1), StatusFacts::Sked::Waiting, 30 * 3600), At(12, 0, 5),
     "Waiting: Q9XYZ at 2026-12-14 23:00 UTC (in 30 h)"},
    {"skeds done, still armed", InSked(WithContacts(4, Run(-1)), StatusFacts::Sked::Done), At(12, 0, 5),
     "Skeds done\t4 contacts, last Q7PQR 09:05"},
};

TEST(Status, TextOfEachSituation)
{
    std::string out;
    const char* buffer = nullptr;
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.situation);
        StatusText(c.facts, c.now, out);
        EXPECT_EQ(out, c.text);
        // One buffer for every tick, whatever the text.
        if (buffer) {
            EXPECT_EQ(out.data(), buffer);
        }
        buffer = out.data();
    }
}

}  // namespace

namespace {

// One unit a character: the widths below count characters.
int Characters(std::string_view text)
{
    return static_cast<int>(text.size());
}

const char SkedText[] = "Sked 2 of 6: Q9XYZ: got R27, sending RRR (Tx 4), 20:00 left, scan 30 s \x85 until 23:00 UTC";

}  // namespace

TEST(Status, PartShortenedToFitKeepsTheTimeToTheLast)
{
    const struct { const char* text; int width; const char* fitted; } cases[] = {
        {SkedText, 88, SkedText},
        {SkedText, 87, "Sked 2 of 6: Q9XYZ: got R27, sending RRR (Tx 4), 20:00 left \x85 until 23:00 UTC"},
        {SkedText, 64, "Sked 2 of 6: Q9XYZ: got R27, sending RRR \x85 until 23:00 UTC"},
        {SkedText, 45, "Sked 2 of 6: Q9XYZ: got R27 \x85 until 23:00 UTC"},
        {SkedText, 44, "Sked 2 of 6: Q9XYZ: got \x85 until 23:00 UTC"},
        {SkedText, 30, "Sked 2 of 6 \x85 until 23:00 UTC"},
        {SkedText, 20, "\x85 until 23:00 UTC"},
        {SkedText, 10, "Sked 2 of\x85"},
        {SkedText, 3, "Sk\x85"},
        {"Waiting: Q9XYZ at 2026-12-14 23:00 UTC (in 30 h)", 40, "Waiting: Q9XYZ at 2026-12-14 23:00 UTC"},
        {"Waiting: Q9XYZ at 2026-12-14 23:00 UTC (in 30 h)", 30, "Waiting: Q9XYZ at 2026-12-14\x85"},
        {"3 contacts, last Q7PQR 09:05; Loggers (UDP): no.such.host: not found", 30, "3 contacts, last Q7PQR 09:05"},
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " " + c.text);
        EXPECT_EQ(FitStatusPart(c.text, c.width, Characters), c.fitted);
    }
}

TEST(Status, PartsFitTheirTextsAndTheStateKeepsTwoThirds)
{
    const std::string withContact = std::string(SkedText) + "\t1 contact, last Q7PQR 09:05";
    const struct { std::string text; int width; const char* first; const char* second; int secondWidth; } cases[] = {
        {"Idle", 50, "Idle", "", 0},
        {"Calling CQ, next scan in 30 s\t1 contact, last Q7PQR 09:05", 80, "Calling CQ, next scan in 30 s",
         "1 contact, last Q7PQR 09:05", 27},
        {withContact, 100, "Sked 2 of 6: Q9XYZ: got R27, sending RRR (Tx 4) \x85 until 23:00 UTC",
         "1 contact, last Q7PQR 09:05", 27},
        {withContact, 60, "Sked 2 of 6: Q9XYZ \x85 until 23:00 UTC", "1 contact", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " " + c.text);
        const StatusParts parts = FitStatusParts(c.text, c.width, Characters);
        EXPECT_EQ(parts.first, c.first);
        EXPECT_EQ(parts.second, c.second);
        EXPECT_EQ(parts.secondWidth, c.secondWidth);
    }
}
