// The simulated partner station of the stand-in WSJT: given what the
// operator's station sent in its last transmit period, it says what the
// partner sends in the next one, and writes those decodes in WSJT's
// decoded.cum layout. Portable, so the same partner drives the native soak
// test and the stand-in window under Wine.
//
// The exchange (meteor-scatter style, report 27), from the partner's side:
//   heard nothing yet         -> calls us:        "MYCALL PARTNER"
//   heard its call and ours   -> report:          "MYCALL PARTNER 27 27"
//   heard our report "27"     -> acknowledgement: "MYCALL PARTNER R27 R27"
//   heard our "R27"           -> "RRRR RRRR PARTNER"
//   heard our "RRRR" or "73"  -> "73 PARTNER"
// It never goes back a step, and falls silent after sending 73 twice.
//
// Periods: a partner given one transmits in that half of each minute and
// hears us only in the other, as on the air; with none it hears every
// period of ours, whatever our Tx First box says.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class PartnerBehaviour {
    Normal,        // a sked partner working the whole exchange
    NeverAnswers,  // silent: only other stations and noise are decoded
    StopsHalfway,  // stops sending after its first "R27"
    OneStepAhead,  // always answers one step further than it should
    CqListed,      // answers our CQ with its call (it is in our list), then works us
    CqRepeats,     // answers our CQ repeating its call (not listed), then works us
};

// Parses "normal", "never", "halfway", "ahead", "cq-listed", "cq-repeats";
// false for anything else.
bool ParsePartnerBehaviour(const std::string& name, PartnerBehaviour& behaviour);

// The half of the minute a partner transmits in: seconds 0..29 or 30..59.
enum class PartnerPeriod {
    Any,     // no period of its own: hears every period of ours
    First,
    Second,
};

// Parses "1st" and "2nd"; false for anything else, `period` untouched.
bool ParsePartnerPeriod(const std::string& name, PartnerPeriod& period);

// What a partner does in a second of the minute (0..59): hear what we sent
// in our period that has just ended, and write the decodes of its own
// period, which began DecodeDelay seconds before. A partner without a
// period hears at second 0 and writes at 31; with `fast` it does both at
// seconds 1 and 31. One with a period keeps to it, `fast` or not: a 1st
// partner hears at 0 and writes at 31, a 2nd one hears at 30 and writes at 1.
struct PartnerTurn {
    bool hear = false;
    bool decode = false;
};
constexpr int DecodeDelay = 31;
PartnerTurn TurnAt(PartnerPeriod period, bool fast, int secondOfMinute);

// Whether a partner hears what we send: only when we transmit in the other
// period from its own. Our ticked Tx First box means we send in the first.
bool HearsUs(PartnerPeriod period, bool weTransmitFirst);

struct PartnerConfig {
    std::string partnerCall = "Q9XYZ";
    std::string operatorCall = "Q1ABC";
    PartnerBehaviour behaviour = PartnerBehaviour::Normal;
    int noiseLines = 1;          // noise or other stations' lines per period
    std::uint32_t seed = 1;
    // A partner of a schedule with several partners on the air: silent
    // until it hears its own call from us, so each answers only its sked.
    bool waitsForCall = false;
    // Meteor scatter: every Nth of our periods brings no ping and is not
    // heard at all (0: every period is heard).
    int missesOneIn = 0;
    PartnerPeriod period = PartnerPeriod::Any;
};

class PartnerSim {
public:
    explicit PartnerSim(const PartnerConfig& config);

    const PartnerConfig& Config() const { return config_; }

    // What the operator's station transmitted in its last period (the
    // message of the Tx button last pressed while Auto was on), or "" when
    // it did not transmit.
    void Hear(const std::string& message);

    // The messages decoded from the partner's period that starts now, in
    // the order WSJT would write them.
    std::vector<std::string> NextMessages();

    // How far the partner has come: 0 nothing sent, 1 calling, 2 report,
    // 3 R27, 4 RRRR, 5 73.
    int Step() const { return step_; }
    bool Done() const { return step_ >= 5 && sent73_ >= 2; }

private:
    std::string PartnerMessage(int step) const;
    std::string NoiseMessage();

    PartnerConfig config_;
    int step_ = 0;
    int sent73_ = 0;
    bool heardCq_ = false;
    bool silent_ = false;
    int periodsHeard_ = 0;
    std::uint32_t random_;
};

// One decoded.cum line: "hhmmss", 26 columns of figures (time in period,
// width, strength, report, DF), the message from column 33, blank-padded to
// 79 characters. No line end.
std::string DecodeLine(int hour, int minute, int second, const std::string& message, std::uint32_t variation = 0);
