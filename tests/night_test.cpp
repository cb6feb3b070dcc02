// The night's records and what is told of them: each entry's outcome, the
// activity log's lines and the night's summary.
#include <gtest/gtest.h>

#include "engine/night.h"
#include "support/utc_time.h"

namespace {

std::int64_t T(int day, int hour, int minute, int second = 0)
{
    return UtcSeconds(At(2026, 12, day, hour, minute, second));
}

SkedEntry Sked(const char* station, int start, int end, TxPeriod period = TxPeriod::AsWsjt)
{
    SkedEntry e;
    e.year = 2026, e.month = 12, e.day = 13;
    e.start = start, e.end = end;
    e.station = station;
    e.period = period;
    return e;
}

// What happens in one entry, 22:30-23:00 on the 13th unless told.
struct Event {
    enum Kind { Heard, Contact, Missing, Found, Period, Frequency } kind;
    int hour, minute;
    int step = 0;
    const char* text = "";
};

const struct {
    const char* name;
    const char* station;
    std::vector<Event> events;
    const char* outcome;
    const char* figures;
    const char* tip;  // the Skeds page's, nullptr: the figures alone
    int startHour = 22, startMinute = 30, endDay = 13, endHour = 23, endMinute = 0;
} Cases[] = {
    {"complete", "Q7PQR",
     {{Event::Heard, 22, 33, 0}, {Event::Heard, 22, 34, 1}, {Event::Heard, 22, 35, 2},
      {Event::Heard, 22, 36, 3}, {Event::Contact, 22, 37, 0, "Q7PQR"}},
     "contact 22:37", "heard 22:33-22:36 UTC, 4 decodes",
     "heard 22:33-22:36 UTC, 4 decodes\r\nworked Q7PQR 22:37"},
    {"heard", "Q7PQR", {{Event::Heard, 22, 33, 0}}, "heard", "heard 22:33-22:33 UTC, 1 decode", nullptr},
    {"27", "Q7PQR", {{Event::Heard, 22, 33, 0}, {Event::Heard, 22, 40, 1}}, "27 heard",
     "heard 22:33-22:40 UTC, 2 decodes", nullptr},
    {"R27", "Q7PQR", {{Event::Heard, 22, 51, 2}, {Event::Heard, 22, 33, 1}}, "R27 heard",
     "heard 22:33-22:51 UTC, 2 decodes", nullptr},
    {"RRR", "Q7PQR", {{Event::Heard, 22, 45, 3}, {Event::Heard, 22, 46, 0}}, "RRR heard",
     "heard 22:45-22:46 UTC, 2 decodes", nullptr},
    {"not heard", "Q7PQR", {}, "not heard", "never heard", nullptr},
    {"period not set", "Q7PQR", {{Event::Period, 22, 30, 0, "no Tx First box"}}, "Tx First not set", "never heard",
     "never heard\r\nTx First not set: no Tx First box"},
    {"frequency not set", "Q7PQR", {{Event::Frequency, 22, 30, 0, "RPRT -9"}}, "frequency not set", "never heard",
     "never heard\r\nfrequency not set: RPRT -9"},
    {"WSJT gone mid-sked", "Q7PQR", {{Event::Heard, 22, 31, 1}, {Event::Missing, 22, 40}},
     "27 heard, WSJT missing 20 min", "heard 22:31-22:31 UTC, 1 decode",
     "heard 22:31-22:31 UTC, 1 decode\r\nWSJT missing 20 min: 22:40-23:00"},
    {"WSJT gone most of it", "Q7PQR", {{Event::Missing, 22, 30}, {Event::Found, 22, 48}}, "WSJT missing 18 min",
     "never heard", "never heard\r\nWSJT missing 18 min: 22:30-22:48"},
    {"WSJT gone a while", "Q7PQR", {{Event::Missing, 22, 30}, {Event::Found, 22, 35}},
     "not heard, WSJT missing 5 min", "never heard",
     "never heard\r\nWSJT missing 5 min: 22:30-22:35"},
    {"CQ with two contacts", "CQ",
     {{Event::Heard, 22, 31, 0, "Q5KLM"}, {Event::Contact, 22, 34, 0, "Q5KLM"}, {Event::Heard, 22, 40, 1, "Q8ZZZ"},
      {Event::Contact, 22, 42, 0, "Q8ZZZ"}},
     "Q5KLM, Q8ZZZ", "heard 22:31-22:40 UTC, 2 decodes",
     "heard 22:31-22:40 UTC, 2 decodes\r\nworked Q5KLM 22:34, Q8ZZZ 22:42"},
    {"CQ unanswered", "CQ", {{Event::Heard, 22, 31, 0, "Q5KLM"}}, "no contact", "heard 22:31-22:31 UTC, 1 decode",
     nullptr},
    {"across midnight", "Q7PQR",
     {{Event::Heard, 23, 58, 0}, {Event::Heard, 0, 12, 2}, {Event::Contact, 0, 14, 0, "Q7PQR"}}, "contact 00:14",
     "heard 23:58-00:12 UTC, 2 decodes",
     "heard 23:58-00:12 UTC, 2 decodes\r\nworked Q7PQR 00:14", 23, 30, 14, 0, 30},
};

TEST(NightRecord, OutcomeOfAnEntry)
{
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.name);
        const int entryStart = c.startHour * 60 + c.startMinute, entryEnd = c.endHour * 60 + c.endMinute;
        const std::int64_t start = T(13, c.startHour, c.startMinute), end = T(c.endDay, c.endHour, c.endMinute);
        Night night(6);
        night.EntryStarted(1, Sked(c.station, entryStart, entryEnd, TxPeriod::Second), start, end);
        for (const Event& e : c.events) {
            const std::int64_t at = T(e.hour < c.startHour ? c.endDay : 13, e.hour, e.minute);
            switch (e.kind) {
            case Event::Heard: night.PartnerHeard(at, e.step, e.text); break;
            case Event::Contact: night.ContactCompleted(at, e.text); break;
            case Event::Missing: night.WsjtMissing(at); break;
            case Event::Found: night.WsjtFound(at); break;
            case Event::Period: night.PeriodNotSet(e.text); break;
            case Event::Frequency: night.FrequencyNotSet(e.text); break;
            }
        }
        night.EntryEnded(end);
        ASSERT_EQ(night.Entries().size(), 1u);
        const NightEntry& entry = night.Entries()[0];
        EXPECT_EQ(EntryOutcome(entry), c.outcome);
        EXPECT_EQ(HeardFigures(entry), c.figures);
        EXPECT_EQ(EntryTip(entry), c.tip ? c.tip : c.figures);
        EXPECT_EQ(LastOccurrence(night, 1), &entry);
        EXPECT_EQ(LastOccurrence(night, 0), nullptr);
        const std::string when = c.endDay == 13 ? "2026-12-13 22:30-23:00" : "2026-12-13 23:30-00:30";
        EXPECT_EQ(EntryLogLine(night, entry), "Sked 2 of 6 " + when + " " + c.station + " 2nd: " + c.outcome +
                                                  "; " + c.figures);
    }
}

// Six entries as a follower feeds them, and what the night keeps of a
// partner heard far more often than it keeps one by one.
TEST(NightRecord, SixEntries)
{
    Night night;
    night.Begin(6);
    const char* const stations[] = {"Q1AAA", "Q2BBB", "CQ", "Q4DDD", "Q5EEE", "Q6FFF"};
    for (int i = 0; i < 6; ++i) {
        const std::int64_t start = T(13, 22, 0) + i * 1800;
        if (i == 0)
            night.PartnerHeard(start - 5, 0);  // not yet in an entry: not counted anywhere
        night.EntryStarted(i, Sked(stations[i], 0, 30), start, start + 1800);
        switch (i) {
        case 0:
            night.PartnerHeard(start + 60, 3);
            night.ContactCompleted(start + 90, "Q1AAA");
            break;
        case 1:
            for (int n = 0; n < 100000; ++n)
                night.PartnerHeard(start + n % 1800, n % 3);
            break;
        case 2:
            night.ContactCompleted(start + 60, "Q9<X>");
            break;
        case 3:
            night.WsjtMissing(start);
            night.WsjtMissing(start + 100);  // still missing: no second gap
            break;  // the next start ends it, and its gap with it
        case 4:
            night.PeriodNotSet("");
            break;
        }
        if (i != 3)
            night.EntryEnded(start + 1800);
    }
    night.RunEnded(T(14, 1, 0));
    const auto& entries = night.Entries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[1].decodes, 100000);
    EXPECT_EQ(entries[1].marks.size(), Night::MarksPerEntry);
    EXPECT_LE(entries[1].minutes.size(), 31u);
    EXPECT_EQ(entries[1].furthest, StepR27);
    EXPECT_TRUE(night.Aggregated());
    ASSERT_EQ(entries[3].gaps.size(), 1u);
    EXPECT_EQ(entries[3].gaps[0].to, entries[4].start);
    EXPECT_EQ(EntryOutcome(entries[3]), "WSJT missing 30 min");
    EXPECT_EQ(EntryOutcome(entries[4]), "Tx First not set");
    EXPECT_EQ(entries[5].ended, entries[5].end);
    EXPECT_EQ(night.RunEnd(), T(14, 1, 0));
    EXPECT_EQ(NightSummary(night),
              "Night of 2026-12-13: 6 entries, 2 with a contact (2 contacts), 1 heard, 1 not heard, "
              "1 WSJT missing, 1 Tx First not set");
}

}  // namespace
